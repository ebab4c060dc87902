#include "TempFolder.h"
#include "common/Globals.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

using std::string;

// The whole literal, NUL bytes included.
template <size_t N>
string Bytes(const char (&text)[N])
{
    return string(text, N - 1);
}

struct CleanCase {
    string line;
    string cleaned;
};

class CleanLine : public testing::TestWithParam<CleanCase> {};

TEST_P(CleanLine, TurnsBackspacesIntoSpacesAndDropsLineFeedsOnly)
{
    EXPECT_EQ(g_reader.CleanLine(CString(GetParam().line)).Str(), GetParam().cleaned);
}

INSTANTIATE_TEST_SUITE_P(Lines, CleanLine, testing::Values(
    CleanCase{"x\by", "x y"},
    CleanCase{"\b\b", "  "},
    CleanCase{"a\nb\n", "ab"},
    CleanCase{" \tkeep me\t \r", " \tkeep me\t \r"},
    CleanCase{Bytes("nul\0and\x1a"), Bytes("nul\0and\x1a")},
    CleanCase{"", ""}));

struct ReadCase {
    const char* name;
    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
    string onDisk;
    string text;
};

class ReadAll : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadAll, GivesTheCleanedNonEmptyLines)
{
    TempFolder folder;
    folder.Write("f.txt", GetParam().onDisk);
    EXPECT_EQ(g_reader.ReadAll(folder.Path("f.txt")).Str(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Files, ReadAll, testing::Values(
    ReadCase{"NoFinalLineEnd", "a\r\n\r\nb", "a\nb\n"},
    ReadCase{"OnlyLineEnds", "\r\n\r\n\n", ""},
    ReadCase{"Empty", "", ""},
    ReadCase{"Backspace", "x\by\r\n", "x y\n"},
    ReadCase{"SpacesAndLoneCrStay", "  a \rb  \r\n", "  a \rb  \n"},
    ReadCase{"CrAtEndOfFileStays", "a\r", "a\r\n"},
    ReadCase{"CrCrLf", "a\r\r\n", "a\r\n"},
    ReadCase{"BareLineFeeds", "a\nb\n", "a\nb\n"},
    ReadCase{"NulAndCtrlZAreData", Bytes("a\0b\x1a" "c\r\nd"), Bytes("a\0b\x1a" "c\nd\n")},
    ReadCase{"EightBit", "scenery_name=M\xe4rz\r\n", "scenery_name=M\xe4rz\n"}
), [](const testing::TestParamInfo<ReadCase>& info) { return string(info.param.name); });

TEST(ReadAllLarge, JoinsALineLongerThanAnyBufferAndKeepsCrLfAcrossPieces)
{
    TempFolder folder;
    // A CR LF straddling the reader's 64 KiB pieces must still be one line end.
    const string longLine(64 * 1024 - 1, 'x');
    const string tail(3 * 1024 * 1024, 'y');
    folder.Write("f.txt", longLine + "\r\n" + tail + "\r\nz");
    EXPECT_EQ(g_reader.ReadAll(folder.Path("f.txt")).Str(), longLine + "\n" + tail + "\nz\n");
}

TEST(ReadAllLarge, KeepsALoneCrThatEndsAPiece)
{
    TempFolder folder;
    // The first piece ends in a CR that no LF follows; the second piece, and
    // the file, end in a CR too.
    const string first(64 * 1024 - 1, 'x');
    const string second(64 * 1024 - 4, 'z');
    folder.Write("f.txt", first + "\ry\r\n" + second + "\r");
    EXPECT_EQ(g_reader.ReadAll(folder.Path("f.txt")).Str(), first + "\ry\n" + second + "\r\n");
}

TEST(ReadIfPresent, TellsAMissingFileFromOneThatCannotBeRead)
{
    TempFolder folder;
    CString text = "stale";
    EXPECT_TRUE(g_reader.ReadIfPresent(folder.Path("missing.txt"), text));
    EXPECT_TRUE(text.IsEmpty());
    std::filesystem::create_directory(folder.Dir().Str() + "/dir.txt");
    EXPECT_FALSE(g_reader.ReadIfPresent(folder.Path("dir.txt"), text));
    EXPECT_TRUE(g_reader.ReadAll(folder.Path("dir.txt")).IsEmpty());
}

TEST(CanOpen, IsTrueOnlyForAReadableFile)
{
    TempFolder folder;
    folder.Write("f.txt", "x");
    EXPECT_TRUE(g_reader.CanOpen(folder.Path("f.txt")));
    EXPECT_FALSE(g_reader.CanOpen(folder.Path("missing.txt")));
}

struct WriteCase {
    const char* name;
    friend void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }
    string text;
    string onDisk;
};

class WriteAll : public testing::TestWithParam<WriteCase> {};

TEST_P(WriteAll, WritesCrLfAndNothingElse)
{
    TempFolder folder;
    folder.Write("f.txt", "old content that is longer than the new one\r\n");
    EXPECT_TRUE(g_writer.WriteAll(folder.Path("f.txt"), CString(GetParam().text)));
    EXPECT_EQ(folder.Read("f.txt"), GetParam().onDisk);
}

INSTANTIATE_TEST_SUITE_P(Texts, WriteAll, testing::Values(
    WriteCase{"TwoLines", "a\nb", "a\r\nb"},
    WriteCase{"Empty", "", ""},
    WriteCase{"FinalLineFeed", "a\n", "a\r\n"},
    WriteCase{"LoneCrNulCtrlZ", Bytes("a\rb\0\x1a\n"), Bytes("a\rb\0\x1a\r\n")}
), [](const testing::TestParamInfo<WriteCase>& info) { return string(info.param.name); });

TEST(WriteAllLarge, KeepsTheOrderAroundALineLongerThanTheBuffer)
{
    TempFolder folder;
    const string longLine(200 * 1024, 'x');
    ASSERT_TRUE(g_writer.WriteAll(folder.Path("f.txt"), CString("a\n" + longLine + "\nb\n" + longLine)));
    EXPECT_EQ(folder.Read("f.txt"), "a\r\n" + longLine + "\r\nb\r\n" + longLine);
}

TEST(WriteAllSafety, LeavesNoTemporaryFileBehind)
{
    TempFolder folder;
    ASSERT_TRUE(g_writer.WriteAll(folder.Path("f.txt"), "x\n"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Dir().Str()), {}), 1);
}

TEST(WriteAllSafety, FailsAndKeepsTheFileWhenTheFolderCannotBeWritten)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    TempFolder folder;
    folder.Write("f.txt", "old\r\n");
    chmod(folder.Dir().GetString(), 0555);
    EXPECT_FALSE(g_writer.WriteAll(folder.Path("f.txt"), "new\n"));
    chmod(folder.Dir().GetString(), 0755);
    EXPECT_EQ(folder.Read("f.txt"), "old\r\n");
}

TEST(WriteAllSafety, FailsOnAFolderInTheFilesPlaceAndLeavesItAlone)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.Dir().Str() + "/f.txt");
    EXPECT_FALSE(g_writer.WriteAll(folder.Path("f.txt"), "new\n"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.Dir().Str() + "/f.txt"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Dir().Str()), {}), 1);
}

TEST(WriteAllSafety, AReaderKeepingTheOldFileOpenSeesTheOldContentWhole)
{
    TempFolder folder;
    folder.Write("f.txt", "old\r\n");
    std::ifstream reader(folder.Dir().Str() + "/f.txt", std::ios::binary);
    ASSERT_TRUE(g_writer.WriteAll(folder.Path("f.txt"), "new\n"));
    EXPECT_EQ(string(std::istreambuf_iterator<char>(reader), {}), "old\r\n");
    EXPECT_EQ(folder.Read("f.txt"), "new\r\n");
}

} // namespace
