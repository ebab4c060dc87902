#include "BatchList.h"

namespace {

// Six fields need five separators and a line end.
constexpr int kShortestRequest = 6;

} // namespace

CString FirstRequest(const CString& strBatch)
{
    const int end = strBatch.Find('\n');
    return end < 0 ? strBatch : strBatch.Left(end);
}

CString ListAfterRun(CString strList, const CString& strRequest)
{
    const std::string& list = strList.Str();
    for (int start = 0; start < strList.GetLength();) {
        const int lineEnd = strList.Find('\n', start);
        const int end = lineEnd < 0 ? strList.GetLength() : lineEnd;
        if (list.compare(static_cast<size_t>(start), static_cast<size_t>(end - start), strRequest.Str()) == 0) {
            strList.Delete(start, (lineEnd < 0 ? end : end + 1) - start);
            break;
        }
        start = end + 1;
    }
    if (strList.GetLength() < kShortestRequest)
        strList.Empty();
    return strList;
}
