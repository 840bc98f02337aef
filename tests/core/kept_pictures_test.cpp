// The kept pictures' bookkeeping: what may be kept, within the slots and
// the bytes, and what forgetting hands back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sprites/KeptPictures.h"
#include "sprites/LocalDrive.h"

namespace {

std::vector<void*> released;
void Release(void* picture) { released.push_back(picture); }

struct KeptPicturesTest : ::testing::Test {
    void SetUp() override
    {
        keptPictures = KeptPictureTable{};
        released.clear();
    }
};

KeptPicture Picture(int32_t skin, uint64_t bytes, uintptr_t handle)
{
    KeptPicture kept = {};
    kept.skinIndex = skin;
    kept.bytes = bytes;
    kept.picture = reinterpret_cast<void*>(handle);
    return kept;
}

const uint64_t Frame24 = 60 * 60 * 3;  // a shipped frame's pixels

TEST_F(KeptPicturesTest, AdmissionKeepsToTheSlotsAndTheBytes)
{
    struct Row {
        const char* what;
        int32_t used;
        uint64_t kept;
        uint64_t adding;
        bool admitted;
    };
    const Row rows[] = {
        {"empty table", 0, 0, Frame24, true},
        {"the last slot", KeptPictureSlots - 1, 0, Frame24, true},
        {"no slot left", KeptPictureSlots, 0, 0, false},
        {"the bytes just reach the bound", 1, KeptPictureBytes - Frame24, Frame24, true},
        {"one byte past the bound", 1, KeptPictureBytes - Frame24 + 1, Frame24, false},
        {"a picture larger than the bound alone", 0, 0, KeptPictureBytes + 1, false},
        {"a picture near 2^64 bytes", 1, 10, ~0ull - 5, false},
        {"a missing file takes a slot, no bytes", 5, KeptPictureBytes, 0, true},
    };
    for (const Row& row : rows) {
        KeptPictureTable table = {};
        table.used = row.used;
        table.bytes = row.kept;
        EXPECT_EQ(MayKeepPicture(table, row.adding), row.admitted) << row.what;
    }
    // The bound is what the four skins' 18 frames take at 32 bits.
    EXPECT_EQ(KeptPictureBytes, 4u * 18 * 60 * 60 * 4);
}

TEST_F(KeptPicturesTest, MoreFramesThanTheTableHoldsStayWithinTheBound)
{
    // 32-bit 60 x 60 frames under names the table has never seen: each
    // kept until slots or bytes run out, the rest left to the caller.
    int kept = 0, refused = 0;
    for (int32_t i = 0; i < 3 * KeptPictureSlots; ++i) {
        const std::string name = "f" + std::to_string(i);
        if (KeepPicture(Picture(i % 4, 60 * 60 * 4 + (i % 3) * 1000, 0x1000 + i), name.c_str()) != nullptr)
            ++kept;
        else
            ++refused;
        ASSERT_LE(keptPictures.bytes, KeptPictureBytes);
        ASSERT_LE(keptPictures.used, KeptPictureSlots);
    }
    EXPECT_GT(kept, 0);
    EXPECT_GT(refused, 2 * KeptPictureSlots);
    uint64_t bytes = 0;
    int used = 0;
    for (const KeptPicture& slot : keptPictures.slots)
        if (slot.used) bytes += slot.bytes, ++used;
    EXPECT_EQ(keptPictures.bytes, bytes);
    EXPECT_EQ(keptPictures.used, used);

    ForgetKeptPictures(-1, Release);
    EXPECT_EQ(static_cast<int>(released.size()), kept);
    EXPECT_EQ(keptPictures.bytes, 0u);
    EXPECT_EQ(keptPictures.used, 0);
}

TEST_F(KeptPicturesTest, FoundBySkinAndNameAndForgottenBySkin)
{
    ASSERT_NE(KeepPicture(Picture(0, Frame24, 0xA0), "w0"), nullptr);
    ASSERT_NE(KeepPicture(Picture(1, Frame24, 0xB0), "w0"), nullptr);
    ASSERT_NE(KeepPicture(Picture(1, 0, 0), "n0"), nullptr) << "a missing file is kept as nothing";
    EXPECT_EQ(KeepPicture(Picture(1, Frame24, 0xB1), "w0"), nullptr) << "the same frame twice";
    EXPECT_EQ(KeepPicture(Picture(2, Frame24, 0xC0), "sleep001"), nullptr) << "a name cut to fit";

    ASSERT_NE(FindKeptPicture(1, "w0"), nullptr);
    EXPECT_EQ(FindKeptPicture(1, "w0")->picture, reinterpret_cast<void*>(0xB0));
    EXPECT_EQ(FindKeptPicture(2, "w0"), nullptr);
    EXPECT_EQ(FindKeptPicture(0, "w"), nullptr);

    ForgetKeptPictures(1, Release);
    EXPECT_EQ(released, std::vector<void*>{reinterpret_cast<void*>(0xB0)}) << "nothing is released for no picture";
    EXPECT_EQ(FindKeptPicture(1, "n0"), nullptr);
    ASSERT_NE(FindKeptPicture(0, "w0"), nullptr);
    EXPECT_EQ(keptPictures.used, 1);
    EXPECT_EQ(keptPictures.bytes, Frame24);
}

TEST_F(KeptPicturesTest, AnyOtherFactOfTheFileMeansAnotherContent)
{
    const SpriteFileFacts kept = {true, 10854, 1000, 500, 0x20};
    struct Row {
        const char* what;
        SpriteFileFacts now;
        bool same;
    };
    const Row rows[] = {
        {"unchanged", {true, 10854, 1000, 500, 0x20}, true},
        {"an older time stamp, the same size", {true, 10854, 999, 500, 0x20}, false},
        {"a newer time stamp", {true, 10854, 1001, 500, 0x20}, false},
        {"another file, made later, given the same time stamp", {true, 10854, 1000, 900, 0x20}, false},
        {"another size", {true, 10855, 1000, 500, 0x20}, false},
        {"another attribute", {true, 10854, 1000, 500, 0x21}, false},
        {"gone", {false, 0, 0, 0, 0}, false},
    };
    for (const Row& row : rows) EXPECT_EQ(SameFileFacts(kept, row.now), row.same) << row.what;
    const SpriteFileFacts missing = {false, 0, 0, 0, 0};
    EXPECT_TRUE(SameFileFacts(missing, SpriteFileFacts{false, 1, 2, 3, 4})) << "still missing";
    EXPECT_FALSE(SameFileFacts(missing, kept)) << "put back";

    EXPECT_TRUE(FileMayBeKept(kept, 1));
    EXPECT_FALSE(FileMayBeKept(kept, 2)) << "a second name, in a folder no one watches";
    EXPECT_FALSE(FileMayBeKept(SpriteFileFacts{true, 1, 1, 1, 0x420}, 1)) << "a link";
    EXPECT_TRUE(FileMayBeKept(missing, 0));
}

TEST(LocalDrive, OnlyPicturesFromALocalDriveAreKept)
{
    const uint32_t kept[] = {DriveRemovable, DriveFixed, DriveCdRom, DriveRamDisk};
    const uint32_t readAlways[] = {DriveUnknown, DriveNoRootDir, DriveRemote, 7};
    for (uint32_t type : kept) EXPECT_TRUE(DriveAnswersAfresh(type)) << type;
    for (uint32_t type : readAlways) EXPECT_FALSE(DriveAnswersAfresh(type)) << type;

    struct Row {
        std::u16string path;
        std::u16string root;  // empty: never kept from
    };
    const Row rows[] = {
        {u"C:\\Users\\me\\Pelmo", u"C:\\"},
        {u"z:/tmp/run", u"z:\\"},
        {u"C:\\", u"C:\\"},
        {u"\\\\server\\share\\Pelmo", u""},
        {u"\\\\?\\C:\\Pelmo", u""},
        {u"C:Pelmo", u""},
        {u"", u""},
    };
    for (const Row& row : rows) {
        char16_t root[4] = u"xyz";
        EXPECT_EQ(DriveRootOf(root, 4, row.path.c_str()), !row.root.empty());
        EXPECT_EQ(std::u16string(root), row.root);
    }

    // Time stamps fine enough to tell two saves apart, or not.
    for (const char16_t* name : {u"NTFS", u"ReFS", u"ntfs"}) EXPECT_TRUE(FileSystemStampsWrites(name));
    for (const char16_t* name : {u"FAT", u"FAT32", u"exFAT", u"UDF", u"NTFSX", u"NTF", u""})
        EXPECT_FALSE(FileSystemStampsWrites(name));
}

}  // namespace
