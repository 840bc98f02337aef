// Frames are read again only when their files may have changed, and every
// change still shows at the next paint: the real window's paint, with the
// back buffer looked at, on a real skin folder that the test changes as
// editors, unzipping and file managers do.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/MascotState.h"
#include "app/win32/ShellState.h"
#include "sprites/KeptPictures.h"
#include "sprites/win32/KeptSprite.h"
#include "sprites/win32/SpriteDraw.h"
#include "support/BmpFixture.h"
#include "support/CanvasTest.h"
#include "support/GdiCount.h"
#include "support/MascotRun.h"

namespace {

typedef std::vector<uint8_t> Bytes;

// Two pictures whose files have the same size, byte for byte.
Picture First() { return PatternPicture(40, 30); }
Picture Second() { return HalvesPicture(40, 30, Red, Blue); }

bool Write(const char* path, const Bytes& bytes, DWORD disposition = CREATE_ALWAYS)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    return CloseHandle(file) && ok;
}

// Sets the file's last write time `hours` back from now.
bool StampHoursBack(const char* path, int hours)
{
    HANDLE file = CreateFileA(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t = {{now.dwLowDateTime, now.dwHighDateTime}};
    t.QuadPart -= static_cast<ULONGLONG>(hours) * 3600 * 10000000;
    const FILETIME stamp = {t.LowPart, t.HighPart};
    const bool ok = SetFileTime(file, nullptr, nullptr, &stamp);
    return CloseHandle(file) && ok;
}

struct KeptSpriteTest : CanvasTest {
    KeptSpriteTest() : CanvasTest(60, 60, KeyGreen) {}
    HWND hwnd = nullptr;

    void SetUp() override
    {
        CanvasTest::SetUp();
        if (HasFatalFailure()) return;
        hwnd = StartMascot();
        ASSERT_NE(hwnd, nullptr);
        mascot.state = 2;  // standing: frame n0, drawn plain
        ASSERT_EQ(Painted(), "") << "no file yet";
        ASSERT_TRUE(WriteBmp("a/n0.bmp", First()));
        ASSERT_EQ(Painted(First()), "") << "a frame added";
    }

    void TearDown() override
    {
        EndMascot(hwnd);
        CanvasTest::TearDown();
    }

    // Paints once, then PictureMismatch of the back buffer's 60 x 60 with
    // `picture` (none: only the key).
    std::string Painted(const Picture& picture = Picture{})
    {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Canvas shown = CopyOfDc(backBufferDC, 60, 60);
        const std::string mismatch = PictureMismatch(shown, picture, 0, 0, false, KeyGreen);
        FreeCanvas(shown);
        return mismatch;
    }
};

TEST_F(KeptSpriteTest, AKeptFrameIsNotReadAgainWhileItsFileStaysAsItWas)
{
    // Held open by another program without sharing: a paint that read the
    // file would draw nothing.
    HANDLE locked = CreateFileA("a/n0.bmp", GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    for (int paint = 0; paint < 3; ++paint) EXPECT_EQ(Painted(First()), "") << "paint " << paint;
    CloseHandle(locked);

    // A file that cannot be read while it is there is not taken for a
    // broken one: it shows once the other program lets it go.
    ASSERT_TRUE(WriteBmp("a/w0.bmp", Second()));
    locked = CreateFileA("a/w0.bmp", GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    Draw("w0", 0, 0);
    EXPECT_EQ(Mismatch(Picture{}, 0, 0, false), "") << "read while held";
    CloseHandle(locked);
    Draw("w0", 0, 0);
    EXPECT_EQ(Mismatch(Second(), 0, 0, false), "") << "once let go";
}

TEST_F(KeptSpriteTest, EveryChangeToTheFrameShowsAtTheNextPaint)
{
    const Bytes first = EncodeBmp(First(), 24, false), second = EncodeBmp(Second(), 24, false);
    ASSERT_EQ(first.size(), second.size());
    Bytes hostile = second;
    PutLe32(hostile, BmpPixelOffsetField, 0x00FFFFFF);  // pixels past the end

    // Rewritten in place, never truncated: an editor saving over the file.
    ASSERT_TRUE(Write("a/n0.bmp", second, OPEN_EXISTING));
    EXPECT_EQ(Painted(Second()), "") << "rewritten in place";

    // As unzipping a skin pack does: the same size, an older time stamp.
    ASSERT_TRUE(Write("a/n0.bmp", first));
    ASSERT_TRUE(StampHoursBack("a/n0.bmp", 48));
    EXPECT_EQ(Painted(First()), "") << "replaced by an older file of the same size";

    // Put in place by a rename over it, older still.
    ASSERT_TRUE(Write("a/n0.new", second));
    ASSERT_TRUE(StampHoursBack("a/n0.new", 72));
    ASSERT_TRUE(MoveFileExA("a/n0.new", "a/n0.bmp", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(Painted(Second()), "") << "renamed over it";

    ASSERT_TRUE(DeleteFileA("a/n0.bmp"));
    EXPECT_EQ(Painted(), "") << "deleted";
    ASSERT_TRUE(Write("a/n0.bmp", first));
    EXPECT_EQ(Painted(First()), "") << "put back";

    // A file that turns hostile goes through the same check as ever.
    ASSERT_TRUE(Write("a/n0.bmp", hostile, OPEN_EXISTING));
    EXPECT_EQ(Painted(), "") << "rewritten into a file whose pixels lie past its end";
    ASSERT_TRUE(Write("a/n0.bmp", second));
    EXPECT_EQ(Painted(Second()), "") << "whole again";
}

TEST_F(KeptSpriteTest, ASkinFolderRenamedAwayAndBackShowsAtTheNextPaint)
{
    ASSERT_TRUE(MoveFileA("a", "a-away"));
    const std::string away = Painted(First());
    EXPECT_NE(away, "") << "the picture of a folder that is gone";
    EXPECT_NE(Painted(), "") << "the program's own copy of the skin shows meanwhile";

    // Changed while away: what comes back is what is there now.
    ASSERT_TRUE(WriteBmp("a-away/n0.bmp", Second()));
    ASSERT_TRUE(MoveFileA("a-away", "a"));
    EXPECT_EQ(Painted(Second()), "") << "back";

    // The same with another folder put in its place.
    ASSERT_TRUE(MoveFileA("a", "a-old"));
    ASSERT_TRUE(CreateDirectoryA("a", nullptr));
    EXPECT_EQ(Painted(), "") << "an empty folder of the skin's name";
    ASSERT_TRUE(WriteBmp("a/n0.bmp", First()));
    EXPECT_EQ(Painted(First()), "") << "a frame added to it";
}

TEST_F(KeptSpriteTest, MoreFramesThanTheBoundHoldsAreReadAsEverAndTheBoundHolds)
{
    // Frames of 80 x 80 at 32 bits, 25,600 bytes each, under more names
    // than the table has slots: the bytes run out before the slots do.
    const int names = KeptPictureSlots + 20;
    const uint64_t frameBytes = 80 * 80 * 4;
    for (int i = 0; i < names; ++i) {
        char path[32];
        std::snprintf(path, sizeof path, "b/x%d.bmp", i);
        ASSERT_TRUE(WriteBmp(path, SolidPicture(80, 80, 0x100000u * static_cast<uint32_t>(i % 15 + 1)), Bmp32BottomUp));
    }
    mascot.skinIndex = 1;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < names; ++i) {
            SCOPED_TRACE(testing::Message() << "round " << round << ", frame " << i);
            char name[8];
            std::snprintf(name, sizeof name, "x%d", i);
            Draw(name, 0, 0);
            ASSERT_EQ(Mismatch(SolidPicture(80, 80, 0x100000u * static_cast<uint32_t>(i % 15 + 1)), 0, 0, false), "");
            ASSERT_LE(keptPictures.used, KeptPictureSlots);
            ASSERT_LE(keptPictures.bytes, KeptPictureBytes);
        }
    }
    EXPECT_GT(keptPictures.bytes + frameBytes, KeptPictureBytes) << "as many as fit";
    EXPECT_LT(keptPictures.used, KeptPictureSlots);
    EXPECT_LE(KeptSpriteObjects(), keptPictures.used + 1) << "their bitmaps and the context they are drawn from";
}

}  // namespace
