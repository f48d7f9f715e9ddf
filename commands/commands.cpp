#include "commands/commands.h"

#include <ctype.h>
#include <stdlib.h>
#include <string.h>

#include "commands/script.h"
#include "console/console.h"
#include "console/history.h"
#include "console/keys.h"
#include "console/settings.h"
#include "display/decimal.h"
#include "display/display.h"
#include "expr/eval.h"
#include "expr/functions.h"
#include "expr/variables.h"
#include "platform/ids.h"
#include "platform/seam.h"
#include "text/text.h"

namespace {

// An action gets the length of the name that matched, for the argument rule.
typedef void (*CommandAction)(int nameLength);

// A command is typed by its name, chosen by its id (a popup menu item or an
// accelerator key), or both.
struct Command {
    const char* name; // nullptr: chosen by id only
    int id;           // 0: typed only
    CommandAction action;
};

// exit, quit, bye: the quit sequence.
void QuitAction(int) {
    g_seam.desktop->Quit();
}

// deg: angles in degrees.
void DegreesAction(int) {
    g_settings.angleMode = kDegrees;
    Append(" 角度単位:度(deg)\r\n");
}

// rad: angles in radians.
void RadiansAction(int) {
    g_settings.angleMode = kRadians;
    Append(" 角度単位:ラジアン(rad)\r\n");
}

// list: functions, variables, then the report without ans.
void ListAction(int) {
    ListFunctions();
    if (g_vars.count == 0) {
        Append(" 登録変数なし\r\n");
    } else {
        for (int i = 0; i < g_vars.count; ++i) {
            AppendFormat(" %s=", VariableName(i));
            PrintValue(g_vars.values[i], 1, 0);
        }
    }
    PrintSettingsReport(0);
}

// cls: clears the console.
void ClearAction(int) {
    ClearConsole();
}

// Popup menu "画面ｸﾘｱ": the console cleared, only a fresh prompt left.
void ClearScreenAction(int) {
    ClearConsole();
    PrintPrompt();
}

// def: defines a user function from the argument.
void DefineAction(int) {
    DefineFunction();
}

// precision, prec: the number of decimals, kept within what the formatter holds.
void PrecisionAction(int nameLength) {
    const char* arg = TakeArgument(nameLength);
    if (*arg == '\0') {
        AppendError(" Syntax Error\r\n");
        return;
    }
    char* end = nullptr;
    long value = strtol(arg, &end, 10);
    if (end != arg) g_settings.precision = ClampPrecision(value);
    PrintSettingsReport(1);
}

// dispe: exponent notation.
void ExponentAction(int) {
    g_settings.displayMode = kExponent;
    PrintSettingsReport(1);
}

// dispf: fixed notation.
void FixedAction(int) {
    g_settings.displayMode = kFixed;
    PrintSettingsReport(1);
}

// disp3e: engineering notation.
void EngineeringAction(int) {
    g_settings.displayMode = kEngineering;
    PrintSettingsReport(1);
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
void ZeroAction(int nameLength) {
    const char* arg = TakeArgument(nameLength);
    if (*arg == '\0') {
        AppendError(" Syntax Error\r\n");
        return;
    }
    double value;
    if (ReadDouble(arg, &value)) g_settings.zeroThreshold = value;
    PrintSettingsReport(1);
}

// ?, help: opens the help document.
void HelpAction(int) {
    g_seam.desktop->OpenHelp();
}

// setup: the setup dialog, then the stored always-on-top switch again.
void SetupAction(int) {
    g_seam.desktop->SetupDialog();
    g_seam.desktop->SetTopmost(g_settings.ontopflag != 0);
}

// icon, min: hides the main window into the tray.
void HideAction(int) {
    g_seam.desktop->HideWindow();
}

// hex: hexadecimal rendering on or off.
void HexAction(int) {
    g_settings.hexFlag = g_settings.hexFlag == 0 ? 1 : 0;
}

// bin: binary rendering on or off.
void BinaryAction(int) {
    g_settings.binFlag = g_settings.binFlag == 0 ? 1 : 0;
}

// history, hist: list the history when the statement has finished.
void HistoryAction(int) {
    g_history.state = kHistoryList;
}

// !: recalls a history entry.
void RecallAction(int) {
    RecallHistory();
}

// top: always on top for this run, "off" ends it.
void TopAction(int nameLength) {
    const char* arg = TakeArgument(nameLength);
    if (EqualsNoCase(arg, "off")) {
        g_seam.desktop->SetTopmost(false);
        Append(" 画面手前表示ﾓｰﾄﾞ(OFF)\r\n");
    } else {
        g_seam.desktop->SetTopmost(true);
        Append(" 画面手前表示ﾓｰﾄﾞ(ON)\r\n");
    }
}

// explorer: opens the file manager.
void ExplorerAction(int) {
    g_seam.desktop->OpenFileManager();
}

// exec: starts the argument as a command line.
void ExecAction(int nameLength) {
    g_seam.desktop->StartProgram(TakeArgument(nameLength));
}

// In table order; the first whose name begins the statement wins, so a name
// that begins another stands behind it (precision before prec). The rows
// without a name, in front of the end marker, are chosen by id only.
const Command kCommands[] = {
    {"exit", IDM_QUIT, QuitAction},
    {"quit", 0, QuitAction},
    {"bye", 0, QuitAction},
    {"deg", 0, DegreesAction},
    {"rad", 0, RadiansAction},
    {"list", 0, ListAction},
    {"cls", 0, ClearAction},
    {"def", 0, DefineAction},
    {"call", 0, CallAction},
    {"save", 0, SaveAction},
    {"precision", 0, PrecisionAction},
    {"prec", 0, PrecisionAction},
    {"dispe", 0, ExponentAction},
    {"dispf", 0, FixedAction},
    {"zero", 0, ZeroAction},
    {"?", IDM_HELP, HelpAction},
    {"help", 0, HelpAction},
    {"setup", IDM_SETUP, SetupAction},
    {"icon", 0, HideAction},
    {"hex", 0, HexAction},
    {"bin", 0, BinaryAction},
    {"disp3e", 0, EngineeringAction},
    {"history", 0, HistoryAction},
    {"hist", 0, HistoryAction},
    {"!", 0, RecallAction},
    {"min", 0, HideAction},
    {"top", 0, TopAction},
    {"explorer", 0, ExplorerAction},
    {"exec", 0, ExecAction},
    {nullptr, IDM_CLEAR, ClearScreenAction},
    {nullptr, ID_TYPE_ANS, TypeAns},
    {nullptr, ID_RETYPE_F3, RetypeLastLine},
    {nullptr, ID_CLEAR_INPUT, ClearInputLine},
    {nullptr, ID_TEMPLATE_SIN, TypeSin},
    {nullptr, ID_TEMPLATE_COS, TypeCos},
    {nullptr, ID_TEMPLATE_TAN, TypeTan},
    {nullptr, ID_TEMPLATE_SQRT, TypeSqrt},
    {nullptr, ID_TEMPLATE_LN, TypeLn},
    {nullptr, ID_RETYPE_CTRL_D, RetypeLastLine},
    {nullptr, ID_NEXT_OPERATOR, NextOperatorCommand},
    {nullptr, ID_PREVIOUS_OPERATOR, PreviousOperatorCommand},
    {nullptr, ID_PARENTHESES, ParenthesesCommand},
    {nullptr, ID_HEX_PREFIX, TypeHexPrefix},
    {nullptr, ID_BIN_PREFIX, TypeBinPrefix},
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
    signed char* last[256];
    for (int b = 0; b < 256; ++b) {
        g_index.first[b] = -1;
        last[b] = &g_index.first[b];
    }
    for (int i = 0; i < kCommandCount; ++i) {
        if (!kCommands[i].name) continue;
        unsigned char b = (unsigned char)kCommands[i].name[0];
        g_index.length[i] = (unsigned char)strlen(kCommands[i].name);
        g_index.next[i] = -1;
        *last[b] = (signed char)i;
        last[b] = &g_index.next[i];
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
            kCommands[i].action(length);
            return true;
        }
    }
    return false;
}

// Moves the parse cursor past the command's name and any blanks.
const char* TakeArgument(int nameLength) {
    g_eval.cursor += nameLength;
    while (*g_eval.cursor == ' ' || *g_eval.cursor == '\t') ++g_eval.cursor;
    return g_eval.cursor;
}

// Runs the command with the id: a history item, an accelerator or a fixed
// item of the popup menu; false for any other id.
bool RunMenuCommand(int id) {
    if (id >= IDM_HISTORY_FIRST && id < IDM_HISTORY_FIRST + kHistoryCapacity) {
        ChooseHistoryItem(id);
        return true;
    }
    for (int i = 0; i < kCommandCount; ++i) {
        if (kCommands[i].id == id && id != 0) {
            kCommands[i].action(0);
            return true;
        }
    }
    return false;
}
