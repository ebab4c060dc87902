#include "common/BatchLine.h"
#include "common/Globals.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kLines = 10000;

// A settings text of 10,000 lines with the six request keys at the top
// (nPlace 0), in the middle (1) or at the bottom (2).
CString LargeSettings(int nPlace)
{
    std::string strKeys;
    for (const char* pszKey : g_aszRequestKeys)
        strKeys += std::string(pszKey) + "value\n";
    std::string strText;
    for (int i = 0; i < kLines - kRequestKeyCount; ++i) {
        if (i == nPlace * (kLines - kRequestKeyCount) / 2)
            strText += strKeys;
        strText += "other_setting_" + std::to_string(i) + "=some value\n";
    }
    if (nPlace == 2)
        strText += strKeys;
    return CString(strText);
}

void BM_GetValue_SixKeys(benchmark::State& state)
{
    const CString strText = LargeSettings(static_cast<int>(state.range(0)));
    for (auto _ : state)
        for (const char* pszKey : g_aszRequestKeys)
            benchmark::DoNotOptimize(g_keyText.GetValue(strText, pszKey));
    state.SetBytesProcessed(state.iterations() * strText.GetLength());
}

void BM_SetValue_SixKeys(benchmark::State& state)
{
    const CString strText = LargeSettings(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CString strNew = strText;
        for (const char* pszKey : g_aszRequestKeys)
            strNew = g_keyText.SetValue(strNew, pszKey, "12345");
        benchmark::DoNotOptimize(strNew);
    }
    state.SetBytesProcessed(state.iterations() * strText.GetLength());
}

BENCHMARK(BM_GetValue_SixKeys)->ArgName("keys_at")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SetValue_SixKeys)->ArgName("keys_at")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

} // namespace
