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

CString ListAfterRun(const CString& strList, const CString& strRequest)
{
    CString strRest = strList;
    for (int start = 0; start < strList.GetLength();) {
        const int lineEnd = strList.Find('\n', start);
        const int end = lineEnd < 0 ? strList.GetLength() : lineEnd;
        if (strList.Mid(start, end - start) == strRequest) {
            strRest = strList.Left(start) + strList.Mid(lineEnd < 0 ? end : end + 1);
            break;
        }
        start = end + 1;
    }
    return strRest.GetLength() < kShortestRequest ? CString() : strRest;
}
