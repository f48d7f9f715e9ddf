#include "commands/script.h"

#include <stdio.h>
#include <string.h>

#include "commands/commands.h"
#include "console/console.h"
#include "console/statement.h"
#include "platform/seam.h"

namespace {

enum {
    kFileTitleSize = 256,          // the dialog's file-title buffer
    kNameSize = kStatementSize + 8 // a typed name and its ".tvs"
};

struct ScriptState {
    int depth; // scripts now running, one inside the other
};

ScriptState g_script;

// The console's whole text for save: zero-filled before each use.
char g_transcript[kTranscriptBuffer];

// Removes one line end (LF, CR LF or a lone CR) from a line read by fgets.
void StripLineEnd(char* line) {
    size_t n = strlen(line);
    if (n > 0 && line[n - 1] == '\n') line[--n] = '\0';
    if (n > 0 && line[n - 1] == '\r') line[--n] = '\0';
}

// Prints a message even while a script has output switched off.
void AppendShown(const char* text) {
    int suppress = g_console.suppress;
    g_console.suppress = 0;
    Append(text);
    g_console.suppress = suppress;
}

// Hands the typed name to action, or the one chosen in the dialog; a
// cancelled dialog does nothing.
void WithFileName(const char* typed, bool save, const char* title, int filterIndex,
                  void (*action)(const char*)) {
    if (*typed != '\0') {
        action(typed);
        return;
    }
    char fileTitle[kFileTitleSize] = "";
    if (g_seam.desktop->ChooseFile(save, title, filterIndex, fileTitle, kFileTitleSize))
        action(fileTitle);
}

} // namespace

// call: runs the named script, or asks for one with the open dialog.
void CallAction(int nameLength) {
    WithFileName(TakeArgument(nameLength), false, "スクリプト読み込み", 2, RunScript);
}

// save: saves to the named file, or asks for one with the save dialog.
void SaveAction(int nameLength) {
    WithFileName(TakeArgument(nameLength), true, "計算結果保存", 3, SaveTranscript);
}

// Runs each line of a script as a statement with output off, then lists.
void RunScript(const char* name) {
    char path[kNameSize];
    snprintf(path, sizeof path, "%s", name);
    size_t length = strlen(path);
    if (length < 4 || path[length - 4] != '.')
        snprintf(path + length, sizeof path - length, "%s", ".tvs");

    if (g_script.depth >= kMaxScriptDepth) {
        AppendShown(" スクリプトの入れ子が深すぎます\r\n");
        return;
    }
    // Binary mode and our own line-end removal read LF and CR LF alike everywhere.
    FILE* file = fopen(path, "rb");
    if (file == nullptr) {
        AppendFormat(" %s が見あたりません\r\n", path);
        return;
    }
    // A name that opens but cannot be read (a folder) is as good as missing.
    char line[kLineSize];
    if (fgets(line, sizeof line, file) == nullptr && ferror(file)) {
        fclose(file);
        AppendFormat(" %s が見あたりません\r\n", path);
        return;
    }
    rewind(file);
    ++g_script.depth;
    g_console.suppress = 1;
    char statement[kLineSize + 2];
    while (fgets(line, sizeof line, file) != nullptr) {
        if (line[0] == '/' && line[1] == '/') continue;
        StripLineEnd(line);
        if (line[0] == '\0') continue;
        snprintf(statement, sizeof statement, "  %s", line);
        EnterStatement(statement);
    }
    fclose(file);
    --g_script.depth;
    g_console.suppress = 0;
    AppendFormat(" %s を読み込みました\r\n\r\n", path);
    EnterStatement("  list");
}

// Writes the console's text and one zero byte; the file holds nothing else.
void SaveTranscript(const char* name) {
    memset(g_transcript, 0, sizeof g_transcript);
    int length = g_seam.edit->GetTextLength();
    if (length > kTranscriptBuffer - 1) length = kTranscriptBuffer - 1;
    if (length < 0) length = 0;
    int copied = g_seam.edit->GetText(g_transcript, length + 1);
    if (copied < 0 || copied > length) copied = length;

    bool saved = false;
    FILE* file = fopen(name, "wb");
    if (file != nullptr) {
        size_t count = (size_t)copied + 1;
        saved = fwrite(g_transcript, 1, count, file) == count;
        if (fclose(file) != 0) saved = false;
    }
    if (saved)
        AppendFormat(" %sに保存しました。\r\n", name);
    else
        AppendFormat(" 保存失敗 [%s]\r\n", name);
}
