#include "platform/ByteString.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct CutCase {
    const char* name;
    friend void PrintTo(const CutCase& c, std::ostream* os) { *os << c.name; }
    std::function<CString()> cut;
    CString expected;
};

const CString kText = "abcabc";

class ByteStringCut : public testing::TestWithParam<CutCase> {};

TEST_P(ByteStringCut, GivesExpectedText)
{
    EXPECT_EQ(GetParam().cut().Str(), GetParam().expected.Str());
}

CString Deleted(CString text, int nIndex, int nCount)
{
    text.Delete(nIndex, nCount);
    return text;
}

CString Replaced(CString text, const CString& strOld, const CString& strNew)
{
    text.Replace(strOld, strNew);
    return text;
}

CString FindAsText(const CString& text, const CString& sub, int start)
{
    return CString(std::to_string(text.Find(sub, start)));
}

INSTANTIATE_TEST_SUITE_P(Rules, ByteStringCut, testing::Values(
    CutCase{"FindFirst", [] { return FindAsText(kText, "bc", 0); }, "1"},
    CutCase{"FindFromStart", [] { return FindAsText(kText, "bc", 2); }, "4"},
    CutCase{"FindNone", [] { return FindAsText(kText, "x", 0); }, "-1"},
    CutCase{"FindAtLength", [] { return FindAsText(kText, "", 6); }, "6"},
    CutCase{"FindBeyondLength", [] { return FindAsText(kText, "", 7); }, "-1"},
    CutCase{"FindNegativeStart", [] { return FindAsText(kText, "a", -3); }, "0"},
    CutCase{"LeftZero", [] { return kText.Left(0); }, ""},
    CutCase{"LeftNegative", [] { return kText.Left(-1); }, ""},
    CutCase{"LeftSome", [] { return kText.Left(2); }, "ab"},
    CutCase{"LeftAll", [] { return kText.Left(6); }, "abcabc"},
    CutCase{"LeftMore", [] { return kText.Left(99); }, "abcabc"},
    CutCase{"RightNegative", [] { return kText.Right(-2); }, ""},
    CutCase{"RightSome", [] { return kText.Right(2); }, "bc"},
    CutCase{"RightMore", [] { return kText.Right(7); }, "abcabc"},
    CutCase{"MidNegativeFirst", [] { return kText.Mid(-2, 2); }, "ab"},
    CutCase{"MidNegativeCount", [] { return kText.Mid(1, -1); }, ""},
    CutCase{"MidStopsAtEnd", [] { return kText.Mid(4, 10); }, "bc"},
    CutCase{"MidAtEnd", [] { return kText.Mid(6, 1); }, ""},
    CutCase{"MidBeyondEnd", [] { return kText.Mid(9, 1); }, ""},
    CutCase{"MidRest", [] { return kText.Mid(2); }, "cabc"},
    CutCase{"ReplaceEvery", [] { return Replaced(kText, "b", "XY"); }, "aXYcaXYc"},
    CutCase{"ReplaceNoOverlap", [] { return Replaced("aaaa", "aa", "b"); }, "bb"},
    CutCase{"ReplaceLeftToRight", [] { return Replaced("aaa", "aa", "b"); }, "ba"},
    CutCase{"ReplaceEmptyOldNoOp", [] { return Replaced(kText, "", "x"); }, "abcabc"},
    CutCase{"DeleteMiddle", [] { return Deleted(kText, 1, 2); }, "aabc"},
    CutCase{"DeleteClippedAtEnd", [] { return Deleted(kText, 4, 9); }, "abca"},
    CutCase{"DeleteNegativeIndexAndCount", [] { return Deleted(kText, -1, -2); }, "abcabc"},
    CutCase{"DeleteBeyondEnd", [] { return Deleted(kText, 9, 1); }, "abcabc"},
    CutCase{"ReplaceByLonger", [] { return Replaced("a=1\na=10\n", "a=1", "a=5"); }, "a=5\na=50\n"},
    CutCase{"NulBytesCount", [] { return CString(std::to_string(CString(std::string("a\0b", 3)).GetLength())); }, "3"}
), [](const testing::TestParamInfo<CutCase>& info) { return std::string(info.param.name); });

} // namespace
