#include "support/GdiCount.h"

#include <windows.h>

#include "app/MascotState.h"
#include "sprites/AnimationCatalogue.h"
#include "sprites/win32/KeptSprite.h"
#include "sprites/win32/SpriteDraw.h"
#include "support/Canvas.h"

int LiveGdiObjects()
{
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0) return static_cast<int>(reported);
    // Wine numbers its GDI handles by table slot in the low word; a handle
    // with a zero high word matches the slot whatever its generation, so
    // asking for the type of every slot finds each live object once.
    int live = 0;
    for (ULONG_PTR slot = 1; slot <= 0xFFFF; ++slot)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0) ++live;
    return live;
}

int DrawingGdiObjects() { return LiveGdiObjects() - KeptSpriteObjects(); }

void KeepEveryFrame()
{
    Canvas scratch = MakeCanvas(60, 60, 0);
    const int32_t skin = mascot.skinIndex;
    for (int32_t each = 0; each < 4; ++each) {
        mascot.skinIndex = each;
        for (const AnimationEntry& entry : AnimationCatalogue) {
            for (int32_t frame = 0; frame < entry.frameCount; ++frame) {
                char name[16];
                wsprintfA(name, "%s%d", entry.stem, frame);
                SpriteDraw(scratch.dc, 0, 0, name);
            }
        }
    }
    mascot.skinIndex = skin;
    FreeCanvas(scratch);
}
