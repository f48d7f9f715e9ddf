// Speed of the in-memory console under a long transcript, and of the
// key-script parser.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "session/console.h"
#include "platform/key_script.h"
#include "platform/model/memory_edit.h"

namespace {

// A transcript of about n bytes in lines like those of a session.
void Fill(MemoryEdit* edit, int n) {
    edit->Reset();
    std::string text;
    while ((int)text.size() < n) text += "d>1+2*sin(30)\r\n 2\r\n\r\n";
    text += "d>";
    edit->ReplaceSel(text.c_str());
}

// What read caret line asks of the control with the caret at the end.
void BM_CaretLineAtTheEnd(benchmark::State& state) {
    MemoryEdit edit;
    Fill(&edit, (int)state.range(0));
    char line[kLineSize];
    for (auto _ : state) {
        int n = edit.LineFromChar(-1);
        int count = edit.GetLine(n, line, kLineSize - 1);
        int start, end;
        edit.GetSel(&start, &end);
        benchmark::DoNotOptimize(count + start - edit.LineIndex(-1));
    }
}
BENCHMARK(BM_CaretLineAtTheEnd)->Arg(1000)->Arg(30000);

// Appending a result line at the end and dropping the oldest line.
void BM_AppendAndTrim(benchmark::State& state) {
    MemoryEdit edit;
    Fill(&edit, 30000);
    for (auto _ : state) {
        edit.SetSel(kEndOfText, kEndOfText + 1);
        edit.ReplaceSel("\r\n 2\r\n\r\nd>");
        int cut = edit.LineIndex(3); // as many lines as came in
        edit.SetSel(0, cut);
        edit.ReplaceSel("");
    }
}
BENCHMARK(BM_AppendAndTrim);

// Parsing a script of typed lines and named keys.
void BM_ParseKeyScript(benchmark::State& state) {
    std::string script;
    while (script.size() < 10000) script += "2*sin(30){Left}{Ctrl+K}{Menu:3000}\n";
    std::vector<KeyAction> actions;
    char error[128];
    for (auto _ : state) {
        actions.clear();
        ParseKeyScript(script.data(), script.size(), &actions, error, sizeof error);
        benchmark::DoNotOptimize(actions.data());
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)script.size());
}
BENCHMARK(BM_ParseKeyScript);

} // namespace
