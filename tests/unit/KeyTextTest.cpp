#include "common/Globals.h"

#include <gtest/gtest.h>

namespace {

using std::string;

struct GetCase {
    const char* name;
    friend void PrintTo(const GetCase& c, std::ostream* os) { *os << c.name; }
    string text;
    string key;
    string value;
};

class GetValue : public testing::TestWithParam<GetCase> {};

TEST_P(GetValue, FindsTheValueOnTheKeysLine)
{
    EXPECT_EQ(g_keyText.GetValue(CString(GetParam().text), CString(GetParam().key)).Str(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, GetValue, testing::Values(
    GetCase{"Plain", "a=1\nzoom_level=17\n", "zoom_level=", "17"},
    GetCase{"NeverInsideALongerKey", "xzoom_level=3\nzoom_level=5\n", "zoom_level=", "5"},
    GetCase{"OnlyALongerKey", "xzoom_level=3\n", "zoom_level=", ""},
    GetCase{"NotInsideAValue", "note=zoom_level=9\n", "zoom_level=", ""},
    GetCase{"MissingKeyGivesEmpty", "a=1\nb=2\n", "zoom_level=", ""},
    GetCase{"EmptyText", "", "zoom_level=", ""},
    GetCase{"FirstLineWins", "k=1\nk=2\n", "k=", "1"},
    GetCase{"AfterSpacesAndTabs", " \tk=1\n", "k=", "1"},
    GetCase{"ValueKeepsItsSpacesAndSemicolons", "k= a;b \n", "k=", " a;b "},
    GetCase{"LastLineWithoutLineFeed", "a=1\nk=2", "k=", "2"},
    GetCase{"CaseSensitive", "K=1\n", "k=", ""}
), [](const testing::TestParamInfo<GetCase>& info) { return string(info.param.name); });

struct SetCase {
    const char* name;
    friend void PrintTo(const SetCase& c, std::ostream* os) { *os << c.name; }
    string text;
    string key;
    string value;
    string result;
};

class SetValue : public testing::TestWithParam<SetCase> {};

TEST_P(SetValue, ChangesEveryLineOfTheKeyAndNoOther)
{
    const CString text(GetParam().text);
    EXPECT_EQ(g_keyText.SetValue(text, CString(GetParam().key), CString(GetParam().value)).Str(), GetParam().result);
    EXPECT_EQ(text.Str(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Texts, SetValue, testing::Values(
    SetCase{"Plain", "zoom_level=12\nplane_lat=1\n", "zoom_level=", "15", "zoom_level=15\nplane_lat=1\n"},
    SetCase{"EveryLineOfTheKey", "plane_lat=1\nplane_lat=10\n", "plane_lat=", "5", "plane_lat=5\nplane_lat=5\n"},
    SetCase{"LongerKeyUntouched", "plane_lat_x=1\nplane_lat=1\n", "plane_lat=", "5", "plane_lat_x=1\nplane_lat=5\n"},
    SetCase{"KeyInsideOtherKeyUntouched", "xzoom_level=3\nzoom_level=5\n", "zoom_level=", "7", "xzoom_level=3\nzoom_level=7\n"},
    SetCase{"IndentKept", "  k=1\n", "k=", "2", "  k=2\n"},
    SetCase{"MissingKeyAppended", "a=1\n", "zoom_level=", "17", "a=1\nzoom_level=17\n"},
    SetCase{"MissingKeyOnEmptyText", "", "k=", "v", "k=v\n"},
    SetCase{"MissingKeyAfterLastLineWithoutLineFeed", "a=1", "k=", "v", "a=1\nk=v\n"},
    SetCase{"MissingKeyEmptyValueUnchanged", "a=1\n", "k=", "", "a=1\n"},
    SetCase{"EmptyValueClearsExisting", "k=1\n", "k=", "", "k=\n"},
    SetCase{"LastLineWithoutLineFeed", "a=1\nk=2", "k=", "3", "a=1\nk=3"},
    SetCase{"OtherLinesKeepTheirBytes", "k=1\n[x]\r\n\tb=2\n", "k=", "0", "k=0\n[x]\r\n\tb=2\n"}
), [](const testing::TestParamInfo<SetCase>& info) { return string(info.param.name); });

} // namespace
