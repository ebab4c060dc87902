// Looking up and replacing settings: never a crash, and replacing a key's
// value changes that key's lines and no other line.
#include "FuzzInput.h"
#include "common/BatchLine.h"
#include "common/Globals.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

bool IsKeyLine(const std::string& line, const std::string& key)
{
    const size_t start = line.find_first_not_of(" \t");
    return start != std::string::npos && line.compare(start, key.size(), key) == 0;
}

std::vector<std::string> LinesWithout(const std::string& text, const std::string& key)
{
    std::vector<std::string> lines = SplitLines(text);
    const auto isKeyLine = [&key](const std::string& line) { return IsKeyLine(line, key); };
    lines.erase(std::remove_if(lines.begin(), lines.end(), isKeyLine), lines.end());
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    FuzzInput input(pData, nSize);
    const unsigned char chKey = input.Byte();
    // Mostly the six request keys; sometimes a key of the input's own.
    const std::string key = chKey < 0xC0 ? g_aszRequestKeys[chKey % kRequestKeyCount] : input.Piece();
    const std::string value = input.Piece();
    const std::string text = input.Rest();

    const CString strValue = g_keyText.GetValue(CString(text), CString(key));
    FUZZ_EXPECT(strValue.Find('\n') < 0);
    const CString strResult = g_keyText.SetValue(CString(text), CString(key), CString(value));

    // The rest holds for a key that can begin a line and a value that stays
    // on it: every line of the key carries the value (a missing key gets a
    // line of its own), and every other line is kept as it was, in order.
    const bool bPlainKey = !key.empty() && key.find('\n') == std::string::npos && key[0] != ' ' && key[0] != '\t';
    if (!bPlainKey || value.find('\n') != std::string::npos)
        return 0;
    FUZZ_EXPECT(LinesWithout(strResult.Str(), key) == LinesWithout(text, key));
    FUZZ_EXPECT(g_keyText.GetValue(strResult, CString(key)).Str() == value);
    return 0;
}
