#include "desk/MascotScale.h"

#include <climits>

int32_t Clamp32(int64_t value)
{
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

int32_t ScaleForDpi(int32_t dpi)
{
    if (dpi <= 0) return 1;
    const int64_t nearest = (int64_t(dpi) * 2 + 96) / 192;
    if (nearest < 1) return 1;
    return nearest > LargestScale ? LargestScale : static_cast<int32_t>(nearest);
}

int32_t MascotScale(int32_t dpi, int32_t choice)
{
    const int32_t size = ChosenSize(choice);
    return size != SizeAuto ? size : ScaleForDpi(dpi);
}

int32_t ChosenSize(int32_t choice)
{
    return choice >= 1 && choice <= LargestChosenSize ? choice : SizeAuto;
}

int32_t FloorDiv(int64_t value, int32_t divisor)
{
    if (divisor <= 0) divisor = 1;
    int64_t quotient = value / divisor;
    if (value % divisor != 0 && value < 0) --quotient;
    return Clamp32(quotient);
}

int32_t CeilDiv(int64_t value, int32_t divisor)
{
    if (divisor <= 0) divisor = 1;
    int64_t quotient = value / divisor;
    if (value % divisor != 0 && value > 0) ++quotient;
    return Clamp32(quotient);
}

int32_t UnitsToPixels(int32_t units, int32_t scale) { return Clamp32(int64_t(units) * scale); }

int32_t RescalePosition(int32_t units, int32_t from, int32_t to)
{
    if (from == to) return units;
    const int64_t half = MascotSide / 2;
    const int64_t centre = (int64_t(units) + half) * from;
    return FloorDiv(centre - half * to, to);
}
