#include "AllocationCount.h"
#include "BenchFolder.h"
#include "common/Globals.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

constexpr int64_t kKiB = 1024;
constexpr int64_t kMiB = 1024 * kKiB;

// Lines as long as the batch list's, CR LF ended; every 50th line blank and
// every 100th with a backspace, so the cleaning has work to do.
std::string ShortLines(size_t nSize)
{
    std::string bytes;
    bytes.reserve(nSize + 64);
    for (int i = 0; bytes.size() < nSize; ++i) {
        if (i % 50 == 0)
            bytes += "\r\n";
        bytes += "Scenery_" + std::to_string(i) + (i % 100 == 0 ? ";1\b7;" : ";17;") + "8.5706;50.0333;3000;9000;-ft\r\n";
    }
    bytes.resize(nSize);
    return bytes;
}

// The whole file as one line without a line end: read in many pieces and
// joined, where growing the line the wrong way would show as quadratic time.
std::string OneLine(size_t nSize)
{
    std::string bytes(nSize, 'x');
    for (size_t i = 0; i < nSize; i += 1000)
        bytes[i] = i % 3000 == 0 ? '\b' : '\r';
    return bytes;
}

void ReadAllOf(benchmark::State& state, const char* pszKind, std::string (*makeBytes)(size_t))
{
    const auto nSize = static_cast<size_t>(state.range(0));
    const CString strPath = BenchFolder().File(std::string(pszKind) + std::to_string(nSize), makeBytes(nSize));
    size_t nAllocations = 0;
    for (auto _ : state) {
        const size_t nBefore = AllocationCount();
        CString strText = g_reader.ReadAll(strPath);
        nAllocations += AllocationCount() - nBefore;
        benchmark::DoNotOptimize(strText);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
    state.counters["allocs"] = benchmark::Counter(static_cast<double>(nAllocations), benchmark::Counter::kAvgIterations);
    state.counters["allocs_per_KiB"] = benchmark::Counter(
        static_cast<double>(nAllocations) * kKiB / static_cast<double>(nSize), benchmark::Counter::kAvgIterations);
}

void BM_ReadAll_ShortLines(benchmark::State& state)
{
    ReadAllOf(state, "short", ShortLines);
}

void BM_ReadAll_OneLongLine(benchmark::State& state)
{
    ReadAllOf(state, "long", OneLine);
}

// The floor under ReadAll: the file's bytes read into fresh memory of the
// file's size, with no cleaning at all.
void BM_ReadRawBytes(benchmark::State& state)
{
    const auto nSize = static_cast<size_t>(state.range(0));
    const CString strPath = BenchFolder().File("short" + std::to_string(nSize), ShortLines(nSize));
    for (auto _ : state) {
        const int fd = ::open(strPath.GetString(), O_RDONLY);
        std::unique_ptr<char[]> buffer(new char[nSize]);
        size_t nRead = 0;
        for (ssize_t n; nRead < nSize && (n = ::read(fd, buffer.get() + nRead, nSize - nRead)) > 0;)
            nRead += static_cast<size_t>(n);
        ::close(fd);
        benchmark::DoNotOptimize(buffer.get());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_ReadRawBytes)->Arg(kKiB)->Arg(kMiB)->Arg(32 * kMiB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadAll_ShortLines)->Arg(kKiB)->Arg(kMiB)->Arg(32 * kMiB)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadAll_OneLongLine)->Arg(kKiB)->Arg(kMiB)->Arg(32 * kMiB)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);

void BM_CleanLine(benchmark::State& state)
{
    const auto nSize = static_cast<size_t>(state.range(0));
    std::string bytes(nSize, 'a');
    if (state.range(1))
        for (size_t i = 0; i < nSize; i += 16)
            bytes[i] = '\b';
    const CString strLine(bytes);
    for (auto _ : state) {
        CString strClean = g_reader.CleanLine(strLine);
        benchmark::DoNotOptimize(strClean);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_CleanLine)->ArgNames({"bytes", "backspaces"})->ArgsProduct({{48, 4 * kKiB, kMiB}, {0, 1}});

} // namespace
