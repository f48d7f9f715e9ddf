// A statement typed and entered on a console that is full, and the history
// bookkeeping after a statement once the history is full: the two costs that
// grew with the transcript and with the history's slots.
#include <benchmark/benchmark.h>

#include <string.h>

#include "session/console.h"
#include "session/history.h"
#include "session/keys.h"
#include "platform/virtual_keys.h"
#include "shell/native/player.h"

namespace {

const char kStatement[] = "sqrt(1234)*3+1234/7";

// A session on the native console whose transcript is at its limit.
void StartFull() {
    StartSession("/nonexistent/tolvane.ini", nullptr);
    while (g_native.edit.GetTextLength() < kTranscriptLimit - 200) {
        TypeText(kStatement, strlen(kStatement));
        ConsoleChar(kVkReturn, false, 1);
    }
}

// Each character typed, then Enter: the statement runs and its result and
// the next prompt are printed, and the oldest lines make room for them.
void BM_TypedStatementOnFullConsole(benchmark::State& state) {
    StartFull();
    for (auto _ : state) {
        TypeText(kStatement, strlen(kStatement));
        ConsoleChar(kVkReturn, false, 1);
    }
    benchmark::DoNotOptimize(g_native.edit.GetTextLength());
}
BENCHMARK(BM_TypedStatementOnFullConsole);

// Recording a statement when the history holds ten: the oldest entry goes,
// the new one comes in at the top of the popup menu.
void BM_HistoryBookkeeping(benchmark::State& state) {
    StartSession("/nonexistent/tolvane.ini", nullptr);
    char text[64] = "x=1+2*3 ' a statement of the usual length";
    for (int i = 0; i < 12; ++i) AfterStatement("x=1+2*3", text);
    int n = 0;
    for (auto _ : state) {
        text[2] = (char)('0' + n++ % 10);
        AfterStatement("x=1+2*3", text);
    }
    benchmark::DoNotOptimize(g_history.count);
}
BENCHMARK(BM_HistoryBookkeeping);

} // namespace
