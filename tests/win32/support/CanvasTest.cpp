#include "support/CanvasTest.h"

#include "app/MascotState.h"
#include "sprites/AnimationCatalogue.h"
#include "sprites/win32/SpriteDraw.h"

void CanvasTest::SetUp()
{
    ASSERT_TRUE(EnterTestFolder(folder));
    ResetMascotState();
    FillAnimationCatalogue();
    canvas = MakeCanvas(width, height, backdrop);
    ASSERT_NE(canvas.dc, nullptr);
}

void CanvasTest::TearDown()
{
    FreeCanvas(canvas);
    LeaveTestFolder(folder);
}

void CanvasTest::Draw(const char* name, int left, int top, bool mirrored)
{
    FillCanvas(canvas, backdrop);
    (mirrored ? SpriteDrawMirrored : SpriteDraw)(canvas.dc, left, top, name);
}

std::string CanvasTest::Mismatch(const Picture& picture, int left, int top, bool mirrored,
                                 uint32_t (*seen)(uint32_t)) const
{
    return PictureMismatch(canvas, picture, left, top, mirrored, backdrop, seen);
}
