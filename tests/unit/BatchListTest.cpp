#include "runner/BatchList.h"

#include <gtest/gtest.h>

namespace {

struct AfterRunCase {
    const char* name;
    const char* list;
    const char* request;
    const char* result;
};

void PrintTo(const AfterRunCase& c, std::ostream* os)
{
    *os << c.name;
}

class ListAfterRun : public testing::TestWithParam<AfterRunCase> {};

TEST_P(ListAfterRun, TakesOffTheRequestThatWasRun)
{
    EXPECT_EQ(::ListAfterRun(GetParam().list, GetParam().request).Str(), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Lists, ListAfterRun, testing::Values(
    AfterRunCase{"OnlyRequest", "A;1;2;3;4;5;-ft\n", "A;1;2;3;4;5;-ft", ""},
    AfterRunCase{"FirstOfTwo", "A;1;2;3;4;5;\nB;1;2;3;4;5;\n", "A;1;2;3;4;5;", "B;1;2;3;4;5;\n"},
    AfterRunCase{"FirstEqualLineOnly", "A;1;2;3;4;5;\nB;1;2;3;4;5;\nA;1;2;3;4;5;\n", "A;1;2;3;4;5;",
                 "B;1;2;3;4;5;\nA;1;2;3;4;5;\n"},
    AfterRunCase{"NoLongerFirst", "B;1;2;3;4;5;\nA;1;2;3;4;5;\n", "A;1;2;3;4;5;", "B;1;2;3;4;5;\n"},
    AfterRunCase{"WholeLinesOnly", "A;1;2;3;4;5;-ft\nA;1;2;3;4;5;\n", "A;1;2;3;4;5;", "A;1;2;3;4;5;-ft\n"},
    AfterRunCase{"GoneMeanwhile", "B;1;2;3;4;5;\n", "A;1;2;3;4;5;", "B;1;2;3;4;5;\n"},
    AfterRunCase{"LastLineWithoutLineEnd", "B;1;2;3;4;5;\nA;1;2;3;4;5;", "A;1;2;3;4;5;", "B;1;2;3;4;5;\n"},
    AfterRunCase{"EmptyList", "", "A;1;2;3;4;5;", ""},
    AfterRunCase{"ShortRestDropped", "A;1;2;3;4;5;\nxy\n", "A;1;2;3;4;5;", ""},
    AfterRunCase{"FiveCharactersDropped", "A;1;2;3;4;5;\nabcd\n", "A;1;2;3;4;5;", ""},
    AfterRunCase{"SixCharactersKept", "A;1;2;3;4;5;\nabcde\n", "A;1;2;3;4;5;", "abcde\n"},
    AfterRunCase{"ShortLineKeptBesideARecordedRequest", "A;1;2;3;4;5;\nxy\nB;1;2;3;4;5;\n", "A;1;2;3;4;5;",
                 "xy\nB;1;2;3;4;5;\n"}
), [](const testing::TestParamInfo<AfterRunCase>& info) { return std::string(info.param.name); });

TEST(FirstRequest, IsTheTextBeforeTheFirstLineFeed)
{
    EXPECT_EQ(FirstRequest("A;1\nB;2\n"), "A;1");
    EXPECT_EQ(FirstRequest("A;1"), "A;1");
    EXPECT_EQ(FirstRequest("\nB"), "");
}

} // namespace
