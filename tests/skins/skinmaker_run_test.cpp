// Runs the generator on copies of the real sources, whole and broken: a
// broken edit must fail with a message, and must not spoil the output of
// the last good run.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "FileAccess.h"
#include "SkinTestFiles.h"

namespace fs = std::filesystem;

namespace {

struct RunResult {
    int status = -1;
    std::string errors;
};

// A private copy of the sources and an output folder for one test.
struct Workspace {
    fs::path root;
    fs::path sources;
    fs::path output;
};

Workspace MakeWorkspace()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    Workspace space;
    space.root = fs::temp_directory_path() /
                 ("skinmaker-" + std::to_string(getpid()) + "-" + test->name());
    fs::remove_all(space.root);
    space.sources = space.root / "skins";
    space.output = space.root / "out";
    fs::create_directories(space.root);
    fs::copy(SkinSourcePath(""), space.sources, fs::copy_options::recursive);
    return space;
}

RunResult RunSkinmaker(const Workspace& space)
{
    const fs::path errors = space.root / "stderr.txt";
    const std::string command = "'" + SkinmakerPath() + "' '" + space.sources.string() + "' '" +
                                space.output.string() + "' 2> '" + errors.string() + "'";
    RunResult result;
    result.status = std::system(command.c_str());
    std::string error;
    ReadWholeFile(errors.string(), result.errors, error);
    return result;
}

std::string ReadText(const fs::path& path)
{
    std::string text;
    std::string error;
    EXPECT_TRUE(ReadWholeFile(path.string(), text, error)) << error;
    return text;
}

void WriteText(const fs::path& path, const std::string& text)
{
    std::string error;
    ASSERT_TRUE(WriteWholeFile(path.string(), std::vector<uint8_t>(text.begin(), text.end()), error)) << error;
}

// Replaces the first occurrence of a whole line.
void ReplaceLine(const fs::path& path, const std::string& from, const std::string& to)
{
    std::string text = ReadText(path);
    const size_t at = text.find("\n" + from + "\n");
    ASSERT_NE(at, std::string::npos) << from << " not in " << path;
    text.replace(at + 1, from.size(), to);
    WriteText(path, text);
}

const std::string BlankRow(60, '.');

}  // namespace

TEST(SkinmakerRun, WholeSourcesBuildTheSameFilesAsTheBuild)
{
    const Workspace space = MakeWorkspace();
    const RunResult run = RunSkinmaker(space);
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.errors, "");
    for (const char* file : {"a/w0.bmp", "d/k0.bmp", "icons/mascot107.ico", "icons/mascot108.ico"})
        EXPECT_EQ(ReadText(space.output / file), ReadText(SkinOutputPath(file))) << file;
    fs::remove_all(space.root);
}

TEST(SkinmakerRun, FailsOnAPoseRowOfTheWrongWidth)
{
    const Workspace space = MakeWorkspace();
    ReplaceLine(space.sources / "poses" / "n0.txt", BlankRow, BlankRow + ".");
    const RunResult run = RunSkinmaker(space);
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.errors.find("n0.txt:"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("61 cells wide"), std::string::npos) << run.errors;
    fs::remove_all(space.root);
}

TEST(SkinmakerRun, FailsOnACharacterNoPaletteDefines)
{
    const Workspace space = MakeWorkspace();
    ReplaceLine(space.sources / "poses" / "w2.txt", BlankRow, "Q" + BlankRow.substr(1));
    const RunResult run = RunSkinmaker(space);
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.errors.find("w2.txt:"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("'Q'"), std::string::npos) << run.errors;
    fs::remove_all(space.root);
}

TEST(SkinmakerRun, FailsOnAMissingPose)
{
    const Workspace space = MakeWorkspace();
    fs::remove(space.sources / "poses" / "sleep0.txt");
    const RunResult run = RunSkinmaker(space);
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.errors.find("sleep0.txt"), std::string::npos) << run.errors;
    fs::remove_all(space.root);
}

TEST(SkinmakerRun, FailsOnAPaletteColourNearTheKey)
{
    const Workspace space = MakeWorkspace();
    const fs::path palette = space.sources / "c" / "palette.txt";
    WriteText(palette, ReadText(palette) + "g  10 240  10   a green too close to the key\n");
    const RunResult run = RunSkinmaker(space);
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.errors.find("c/palette.txt:"), std::string::npos) << run.errors;
    fs::remove_all(space.root);
}

TEST(SkinmakerRun, AFailedRunLeavesTheLastGoodOutputWhole)
{
    const Workspace space = MakeWorkspace();
    ASSERT_EQ(RunSkinmaker(space).status, 0);
    const std::string before = ReadText(space.output / "a" / "w0.bmp");
    // w0 itself is fine; the broken file comes later in the run.
    ReplaceLine(space.sources / "poses" / "k0.txt", BlankRow, BlankRow.substr(1));
    fs::remove(space.output / "d" / "k0.bmp");
    EXPECT_NE(RunSkinmaker(space).status, 0);
    EXPECT_EQ(ReadText(space.output / "a" / "w0.bmp"), before);
    EXPECT_FALSE(fs::exists(space.output / "d" / "k0.bmp"));
    fs::remove_all(space.root);
}
