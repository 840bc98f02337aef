#include "KeyColour.h"

#include <cstdlib>

bool IsNearKey(Rgb colour)
{
    return std::abs(colour.r - KeyColour.r) <= KeyMargin && std::abs(colour.g - KeyColour.g) <= KeyMargin &&
           std::abs(colour.b - KeyColour.b) <= KeyMargin;
}
