#include "common/BatchLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using std::string;

const string kSettings =
    "scenery_name=N\nzoom_level=17\nplane_long=8.5\nplane_lat=50.1\n"
    "hi_res_textures_threshold_radius_m=3000\nlow_res_textures_threshold_radius_m=9000\n";

struct ComposeCase {
    const char* name;
    friend void PrintTo(const ComposeCase& c, std::ostream* os) { *os << c.name; }
    string settings;
    string argument;
    string line;
};

class Compose : public testing::TestWithParam<ComposeCase> {};

TEST_P(Compose, GivesSixValuesEachFollowedBySemicolonThenTheArgument)
{
    EXPECT_EQ(ComposeBatchLine(CString(GetParam().settings), CString(GetParam().argument)).Str(), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Lines, Compose, testing::Values(
    ComposeCase{"WithArgument", kSettings, "-ft", "N;17;8.5;50.1;3000;9000;-ft"},
    ComposeCase{"WithoutArgument", kSettings, "", "N;17;8.5;50.1;3000;9000;"},
    ComposeCase{"NoSettings", "", "-cj", ";;;;;;-cj"},
    ComposeCase{"KeysInAnyOrder", "plane_lat=4\nscenery_name=A\n", "", "A;;;4;;;"},
    ComposeCase{"SemicolonInAValueIsKept", "scenery_name=a;b\n", "", "a;b;;;;;;"}
), [](const testing::TestParamInfo<ComposeCase>& info) { return string(info.param.name); });

struct SplitCase {
    const char* name;
    friend void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }
    string line;
    std::vector<string> fields;
};

class TakeApart : public testing::TestWithParam<SplitCase> {};

TEST_P(TakeApart, CutsSixFieldsFromTheFront)
{
    CString line(GetParam().line);
    std::vector<string> fields;
    for (int nField = 1; nField <= kRequestKeyCount; ++nField)
        fields.push_back(CutBatchField(line, nField).Str());
    EXPECT_EQ(fields, GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(Lines, TakeApart, testing::Values(
    SplitCase{"Full", "N;17;8.5;50.1;3000;9000;-ft", {"N", "17", "8.5", "50.1", "3000", "9000"}},
    SplitCase{"FourFields", "a;b;c;d", {"a", "b", "c", "", "", "d"}},
    SplitCase{"NoSemicolon", "abc", {"", "", "", "", "", "abc"}},
    SplitCase{"SixFieldsNoFinalSemicolon", "N;17;8.5;50.1;3000;9000", {"N", "17", "8.5", "50.1", "3000", "9000"}},
    SplitCase{"EmptyValues", ";;;;;;-fd", {"", "", "", "", "", ""}}
), [](const testing::TestParamInfo<SplitCase>& info) { return string(info.param.name); });

TEST(BatchLineRoundTrip, ComposedLineTakesApartIntoTheSameValues)
{
    CString line = ComposeBatchLine(CString(kSettings), "-ft");
    const std::vector<string> expected{"N", "17", "8.5", "50.1", "3000", "9000"};
    for (int nField = 1; nField <= kRequestKeyCount; ++nField)
        EXPECT_EQ(CutBatchField(line, nField).Str(), expected[nField - 1]);
}

} // namespace
