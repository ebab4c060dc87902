#include "TempFolder.h"
#include "runner/ToolRemoval.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using std::string;

struct RemovalCase {
    const char* name;
    bool bRecorder;
    bool bOriginal;
    const char* message;
    // What vando.exe holds afterwards; empty when it does not exist.
    const char* tool;
};

void PrintTo(const RemovalCase& c, std::ostream* os)
{
    *os << c.name;
}

class RemoveBatchTool : public testing::TestWithParam<RemovalCase> {
protected:
    TempFolder folder;
};

TEST_P(RemoveBatchTool, GivesTheToolItsNameBack)
{
    if (GetParam().bRecorder)
        folder.Write("vando.exe", "recorder");
    if (GetParam().bOriginal)
        folder.Write("vando_original.exe", "tool");
    EXPECT_EQ(::RemoveBatchTool(folder.Dir()), GetParam().message);
    EXPECT_EQ(folder.Exists("vando.exe") ? folder.Read("vando.exe") : "", GetParam().tool);
    EXPECT_FALSE(folder.Exists("vando_original.exe"));
}

INSTANTIATE_TEST_SUITE_P(Folders, RemoveBatchTool, testing::Values(
    RemovalCase{"RecorderInPlace", true, true, "Batch tool removed", "tool"},
    RemovalCase{"RecorderAlreadyGone", false, true, "Batch tool removed", "tool"},
    RemovalCase{"NoOriginal", true, false, "Batch tool not installed! Nothing to remove", "recorder"},
    RemovalCase{"EmptyFolder", false, false, "Batch tool not installed! Nothing to remove", ""}
), [](const testing::TestParamInfo<RemovalCase>& info) { return string(info.param.name); });

TEST(RemoveBatchToolFailure, NamesTheFilesAndChangesNothing)
{
    TempFolder folder;
    folder.Write("vando_original.exe", "tool");
    // Something that cannot be replaced stands under the tool's name.
    std::filesystem::create_directories(folder.Path("vando.exe").Str() + "/in-use");

    EXPECT_EQ(::RemoveBatchTool(folder.Dir()),
              "Batch tool not removed: " + folder.Path("vando.exe") + " could not be replaced by " +
                  folder.Path("vando_original.exe") + "; it may be running or write-protected. Nothing was changed.");
    EXPECT_EQ(folder.Read("vando_original.exe"), "tool");
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path("vando.exe").Str() + "/in-use"));
}

} // namespace
