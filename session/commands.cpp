#include "session/commands.h"

#include <ctype.h>
#include <stdlib.h>
#include <string.h>

#include "session/script.h"
#include "session/console.h"
#include "session/history.h"
#include "session/settings.h"
#include "eval/number_text.h"
#include "session/print.h"
#include "session/definitions.h"
#include "eval/functions.h"
#include "eval/variables.h"
#include "platform/ids.h"
#include "platform/seam.h"
#include "text/text.h"

namespace {

// An action gets the statement's text behind the command's name.
typedef void (*CommandAction)(const char* argument);

// A command is typed by its name, chosen by its id (a popup menu item or an
// accelerator key), or both.
struct Command {
    const char* name; // nullptr: chosen by id only
    int id;           // 0: typed only
    CommandAction action;
};

// deg and rad: the angle unit, and the line that names it.
void SetAngleMode(int mode, const char* report) {
    g_settings.angleMode = mode;
    Append(report);
}

// list: functions, variables, then the report without ans.
void ListAction(const char*) {
    ListFunctions();
    if (g_vars.count == 0) {
        Append(" 登録変数なし\r\n");
    } else {
        for (int i = 0; i < g_vars.count; ++i) {
            AppendFormat(" %s=", VariableName(i));
            PrintValue(g_vars.values[i], kPrintResult);
        }
    }
    PrintSettingsReport(kWithoutAns);
}

// The argument of a command that needs one; nullptr, and a syntax error
// reported, when there is none.
const char* RequiredArgument(const char* argument) {
    if (*argument != '\0') return argument;
    CommandSyntaxError();
    return nullptr;
}

// precision, prec: the number of decimals, kept within what the formatter holds.
void PrecisionAction(const char* argument) {
    const char* arg = RequiredArgument(argument);
    if (!arg) return;
    char* end = nullptr;
    long value = strtol(arg, &end, 10);
    if (end != arg) g_settings.precision = ClampPrecision(value);
    PrintSettingsReport(kWithAns);
}

// dispf, dispe, disp3e: the notation, then the report.
void SetDisplayMode(int mode) {
    g_settings.displayMode = mode;
    PrintSettingsReport(kWithAns);
}

// sscanf with "%lf": blanks, then strtod's number, except that "0x" with no
// hexadecimal digit behind it matches nothing. Done with strtod, so that the
// Windows program carries no scanf.
bool ReadDouble(const char* text, double* value) {
    const char* p = text;
    while (isspace((unsigned char)*p)) ++p;
    const char* digits = p + (*p == '+' || *p == '-');
    if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        const char* h = digits + 2;
        if (*h == '.') ++h;
        if (!isxdigit((unsigned char)*h)) return false;
    }
    char* end = nullptr;
    double v = strtod(p, &end);
    if (end == p) return false;
    *value = v;
    return true;
}

// zero: the zero threshold.
void ZeroAction(const char* argument) {
    const char* arg = RequiredArgument(argument);
    if (!arg) return;
    double value;
    if (ReadDouble(arg, &value)) g_settings.zeroThreshold = value;
    PrintSettingsReport(kWithAns);
}

// setup: the setup dialog, then the stored always-on-top switch again.
void SetupAction(const char*) {
    ModalCall([] { g_seam.desktop->SetupDialog(); });
    g_seam.desktop->SetTopmost(g_settings.ontopflag != 0);
}

// top: always on top for this run, "off" ends it.
void TopAction(const char* argument) {
    bool on = !EqualsNoCase(argument, "off");
    g_seam.desktop->SetTopmost(on);
    Append(on ? " 画面手前表示ﾓｰﾄﾞ(ON)\r\n" : " 画面手前表示ﾓｰﾄﾞ(OFF)\r\n");
}

// In table order; the first whose name begins the statement wins, so a name
// that begins another stands behind it (precision before prec). A row with
// an id is chosen by its popup menu item too.
const Command kCommands[] = {
    {"exit", IDM_QUIT, [](const char*) { g_seam.desktop->Quit(); }},
    {"quit", 0, [](const char*) { g_seam.desktop->Quit(); }},
    {"bye", 0, [](const char*) { g_seam.desktop->Quit(); }},
    {"deg", 0, [](const char*) { SetAngleMode(kDegrees, " 角度単位:度(deg)\r\n"); }},
    {"rad", 0, [](const char*) { SetAngleMode(kRadians, " 角度単位:ラジアン(rad)\r\n"); }},
    {"list", 0, ListAction},
    {"cls", 0, [](const char*) { ClearConsole(); }},
    {"def", 0, DefineFunction},
    {"call", 0, CallAction},
    {"save", 0, SaveAction},
    {"precision", 0, PrecisionAction},
    {"prec", 0, PrecisionAction},
    {"dispe", 0, [](const char*) { SetDisplayMode(kExponent); }},
    {"dispf", 0, [](const char*) { SetDisplayMode(kFixed); }},
    {"zero", 0, ZeroAction},
    {"?", IDM_HELP, [](const char*) { g_seam.desktop->OpenHelp(); }},
    {"help", 0, [](const char*) { g_seam.desktop->OpenHelp(); }},
    {"setup", IDM_SETUP, SetupAction},
    {"icon", 0, [](const char*) { g_seam.desktop->HideWindow(); }},
    {"hex", 0, [](const char*) { g_settings.hexFlag = !g_settings.hexFlag; }},
    {"bin", 0, [](const char*) { g_settings.binFlag = !g_settings.binFlag; }},
    {"disp3e", 0, [](const char*) { SetDisplayMode(kEngineering); }},
    {"history", 0,
     [](const char*) { g_history.state = kHistoryList; }}, // listed when the statement ends
    {"hist", 0, [](const char*) { g_history.state = kHistoryList; }},
    {"!", 0, [](const char* argument) { RecallHistory(argument); }},
    {"min", 0, [](const char*) { g_seam.desktop->HideWindow(); }},
    {"top", 0, TopAction},
    {"explorer", 0, [](const char*) { g_seam.desktop->OpenFileManager(); }},
    {"exec", 0, [](const char* argument) { g_seam.desktop->StartProgram(argument); }},
    {"/", 0, nullptr},
};

enum { kCommandCount = sizeof kCommands / sizeof kCommands[0] - 1 }; // without the end marker

// The table by first byte: each byte's commands in table order, and every
// name's length, worked out once.
struct CommandIndex {
    bool built;
    signed char first[256];          // the first command with that first byte, -1 none
    signed char next[kCommandCount]; // the next one with the same first byte, -1 none
    unsigned char length[kCommandCount];
};

CommandIndex g_index;

// Fills the index from the table, keeping table order within each byte.
void BuildIndex() {
    for (int b = 0; b < 256; ++b) g_index.first[b] = -1;
    // From the end, each command in front of those behind it.
    for (int i = kCommandCount - 1; i >= 0; --i) {
        if (!kCommands[i].name) continue;
        unsigned char b = (unsigned char)kCommands[i].name[0];
        g_index.length[i] = (unsigned char)strlen(kCommands[i].name);
        g_index.next[i] = g_index.first[b];
        g_index.first[b] = (signed char)i;
    }
    g_index.built = true;
}

} // namespace

// Runs the first command in table order whose name begins the cleaned
// statement; only the commands that share its first two bytes are compared.
bool DispatchCommand(const char* cleaned) {
    if (!g_index.built) BuildIndex();
    for (int i = g_index.first[(unsigned char)cleaned[0]]; i >= 0; i = g_index.next[i]) {
        int length = g_index.length[i];
        const char* name = kCommands[i].name;
        if ((length == 1 || cleaned[1] == name[1]) && strncmp(cleaned, name, (size_t)length) == 0) {
            kCommands[i].action(TakeArgument(cleaned, length));
            return true;
        }
    }
    return false;
}

// The argument rule: the text behind the command's name and any blanks.
const char* TakeArgument(const char* statement, int nameLength) {
    const char* argument = statement + nameLength;
    while (*argument == ' ' || *argument == '\t') ++argument;
    return argument;
}

// Runs the typed command that a popup menu item also chooses; false when
// no command has the id.
bool RunCommandById(int id) {
    for (int i = 0; i < kCommandCount; ++i) {
        if (kCommands[i].id == id && id != 0) {
            kCommands[i].action("");
            return true;
        }
    }
    return false;
}
