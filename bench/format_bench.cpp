// Speed of the result formatter: the pure renderings and PrintValue into the
// in-memory console.
#include <benchmark/benchmark.h>

#include "session/console.h"
#include "session/reset_core.h"
#include "session/settings.h"
#include "eval/number_text.h"
#include "session/print.h"
#include "platform/model/memory_edit.h"
#include "platform/seam.h"

namespace {

const double kValues[] = {1.5, 2.0 / 3, -4700, 0.0625, 1234.56, 1e-300, 1.7976931348623157e308};
const int kValueCount = sizeof kValues / sizeof kValues[0];

// One fixed rendering of three decimals.
void BM_RenderFixed(benchmark::State& state) {
    char out[kRenderSize];
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(RenderFixed(kValues[i], 3, out, sizeof out));
        i = (i + 1) % 4;
    }
}
BENCHMARK(BM_RenderFixed);

// One exponent rendering at the given precision.
void BM_RenderExponent(benchmark::State& state) {
    char out[kRenderSize];
    int precision = static_cast<int>(state.range(0));
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(RenderExponent(kValues[i], precision, out, sizeof out));
        i = (i + 1) % kValueCount;
    }
}
BENCHMARK(BM_RenderExponent)->Arg(3)->Arg(67);

// One engineering rendering.
void BM_FormatEngineering(benchmark::State& state) {
    ResetCore();
    char out[kRenderSize];
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatEngineering(kValues[i], out));
        i = (i + 1) % kValueCount;
    }
}
BENCHMARK(BM_FormatEngineering);

// A whole result line with the hex and bin lines, printed into the console;
// the console is emptied every 200 lines so it never fills.
void BM_PrintValue(benchmark::State& state) {
    static MemoryEdit edit;
    ResetCore();
    g_seam.edit = &edit;
    g_settings.displayMode = static_cast<int>(state.range(0));
    g_settings.hexFlag = 1;
    g_settings.binFlag = 1;
    int i = 0, lines = 0;
    for (auto _ : state) {
        PrintValue(kValues[i], kPrintResult);
        i = (i + 1) % kValueCount;
        if (++lines == 200) {
            state.PauseTiming();
            edit.Reset();
            lines = 0;
            state.ResumeTiming();
        }
    }
    g_seam.edit = nullptr;
}
BENCHMARK(BM_PrintValue)->Arg(kFixed)->Arg(kExponent)->Arg(kEngineering);

} // namespace
