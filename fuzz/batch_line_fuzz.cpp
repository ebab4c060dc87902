// Composing and taking apart batch lines, and taking a run request off the
// list: never a crash; six values without ";" come back as they went in; a
// field cut off leaves exactly the rest of the line.
#include "FuzzInput.h"
#include "common/BatchLine.h"
#include "common/Globals.h"
#include "runner/BatchList.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

void CutEveryField(const std::string& line)
{
    CString strLine(line);
    for (int nField = 1; nField <= kRequestKeyCount; ++nField) {
        const CString strBefore = strLine;
        const CString strField = CutBatchField(strLine, nField);
        if (nField < kRequestKeyCount && strBefore.Find(';') >= 0)
            FUZZ_EXPECT(strField + ";" + strLine == strBefore);
        else
            FUZZ_EXPECT(strLine == strBefore && strBefore.Left(strField.GetLength()) == strField);
        FUZZ_EXPECT(strField.Find(';') < 0);
    }
}

long LinesEqualTo(const std::string& list, const std::string& line)
{
    const std::vector<std::string> lines = SplitLines(list);
    return std::count(lines.begin(), lines.end(), line);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    FuzzInput input(pData, nSize);
    const unsigned char chMode = input.Byte();
    if (chMode % 3 == 0) {
        // A request from six values and an argument, through vando.ini's text.
        std::string settings;
        std::string values[kRequestKeyCount];
        bool bPlain = true;
        for (int i = 0; i < kRequestKeyCount; ++i) {
            values[i] = input.Piece();
            bPlain = bPlain && values[i].find_first_of(";\n") == std::string::npos;
            settings += std::string(g_aszRequestKeys[i]) + values[i] + "\n";
        }
        const std::string argument = input.Rest();
        const CString strLine = ComposeBatchLine(CString(settings), CString(argument));
        CutEveryField(strLine.Str());
        if (bPlain) {
            CString strCut = strLine;
            for (int i = 0; i < kRequestKeyCount; ++i)
                FUZZ_EXPECT(CutBatchField(strCut, i + 1).Str() == values[i]);
        }
    } else if (chMode % 3 == 1) {
        CutEveryField(input.Rest());
    } else {
        // The runner takes the line it ran off the list it reads again.
        const std::string request = input.Piece();
        const std::string list = input.Rest();
        FUZZ_EXPECT(FirstRequest(CString(list)).Find('\n') < 0);
        const CString strAfter = ListAfterRun(CString(list), CString(request));
        FUZZ_EXPECT(strAfter.GetLength() <= static_cast<int>(list.size()));
        if (strAfter.GetLength() >= 6 && request.find('\n') == std::string::npos) {
            const long nBefore = LinesEqualTo(list, request);
            FUZZ_EXPECT(LinesEqualTo(strAfter.Str(), request) == (nBefore > 0 ? nBefore - 1 : 0));
        }
    }
    return 0;
}
