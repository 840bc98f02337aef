#include "tray/IconEvents.h"

bool IconEventOpensMenu(bool version4, unsigned event)
{
    if (version4) return event == IconContextMenu || event == IconSelect || event == IconKeySelect;
    return event == IconRightButtonUp || event == IconLeftButtonUp;
}
