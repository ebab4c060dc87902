#include "BenchFolder.h"
#include "common/Globals.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A batch list of the given number of requests, as the reader hands it over.
CString ListText(int nLines)
{
    std::string text;
    for (int i = 0; i < nLines; ++i)
        text += "Scenery_" + std::to_string(i) + ";17;8.5706;50.0333;3000;9000;-ft\n";
    return CString(text);
}

// Every write replaces the file crash-safe: a new file, put on the disk, then
// renamed over the old one.
void BM_WriteAll(benchmark::State& state)
{
    const CString strText = ListText(static_cast<int>(state.range(0)));
    const CString strPath = BenchFolder().File("written" + std::to_string(state.range(0)), "");
    for (auto _ : state)
        if (!g_writer.WriteAll(strPath, strText))
            state.SkipWithError("the file could not be written");
    state.SetBytesProcessed(state.iterations() * strText.GetLength());
}

BENCHMARK(BM_WriteAll)->ArgName("lines")->Arg(1)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace
