// Why the mascot is hidden. It shows only while no reason holds; the
// menu's Hide item shows the user's own reason alone.
#pragma once

enum HideReason : unsigned {
    HiddenByUser = 1u << 0,
    HiddenForFullScreen = 1u << 1,
    HiddenWhileLocked = 1u << 2,
    HiddenWhileDisplayOff = 1u << 3,
};

// The reasons after `reason` starts (`holds`) or stops holding.
inline unsigned WithReason(unsigned reasons, HideReason reason, bool holds)
{
    return holds ? reasons | reason : reasons & ~static_cast<unsigned>(reason);
}
