#include "common/BatchLine.h"

#include <benchmark/benchmark.h>

namespace {

const CString kSettings =
    "[vando]\n"
    "scenery_name=Rhein_Main\n"
    "zoom_level=17\n"
    "plane_long=8.5706\n"
    "plane_lat=50.0333\n"
    "hi_res_textures_threshold_radius_m=3000\n"
    "low_res_textures_threshold_radius_m=9000\n"
    "cache_folder=C:\\vando\\cache\n"
    "max_threads=4\n";
const CString kLine = "Rhein_Main;17;8.5706;50.0333;3000;9000;-ft";

void BM_ComposeBatchLine(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ComposeBatchLine(kSettings, "-ft"));
    state.SetBytesProcessed(state.iterations() * kSettings.GetLength());
}

void BM_CutBatchLine(benchmark::State& state)
{
    for (auto _ : state) {
        CString strLine = kLine;
        for (int nField = 1; nField <= kRequestKeyCount; ++nField)
            benchmark::DoNotOptimize(CutBatchField(strLine, nField));
    }
    state.SetBytesProcessed(state.iterations() * kLine.GetLength());
}

BENCHMARK(BM_ComposeBatchLine);
BENCHMARK(BM_CutBatchLine);

} // namespace
