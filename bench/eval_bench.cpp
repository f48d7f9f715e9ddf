// Speed of the evaluator and of whole statements through the console.
#include <benchmark/benchmark.h>

#include "session/reset_core.h"
#include "session/statement.h"
#include "eval/parser.h"
#include "session/print.h"
#include "platform/model/memory_edit.h"
#include "platform/model/memory_menu.h"
#include "platform/seam.h"
#include "tests/unit/recording_desktop.h"

namespace {

MemoryEdit g_edit;
MemoryMenu g_menu;
RecordingDesktop g_desktop;

// A fresh core over an empty in-memory console.
void Start() {
    g_edit.Reset();
    g_seam = Seam{&g_edit, &g_menu, &g_desktop, nullptr, nullptr, nullptr};
    ResetCore();
}

// One expression evaluated, nothing printed.
void BM_EvaluateText(benchmark::State& state) {
    Start();
    double slot = 0;
    for (auto _ : state) {
        EvalState s = {};
        BeginEvaluation(&s, "2*sin(30)+sqrt(2)^2-(0xff&0b1010)/3");
        Evaluate(&s, &slot);
        benchmark::DoNotOptimize(slot);
    }
}
BENCHMARK(BM_EvaluateText);

// A user function called in an expression.
void BM_UserFunction(benchmark::State& state) {
    Start();
    RunStatement("def f(x,y)=x*y+1");
    double slot = 0;
    for (auto _ : state) {
        EvalState s = {};
        BeginEvaluation(&s, "f(2,3)+f(4,5)");
        Evaluate(&s, &slot);
        benchmark::DoNotOptimize(slot);
    }
}
BENCHMARK(BM_UserFunction);

// A whole statement: cleaning, dispatch, evaluation, printing, history.
void BM_Statement(benchmark::State& state) {
    Start();
    int n = 0;
    for (auto _ : state) {
        RunStatement("x = 2*sin(30) + 1.5 ' a comment");
        if (++n % 500 == 0) g_edit.Reset(); // keep the transcript small
    }
}
BENCHMARK(BM_Statement);

} // namespace
