#include "session/history.h"

#include <stdlib.h>
#include <string.h>

#include "session/console.h"
#include "platform/ids.h"
#include "platform/seam.h"
#include "text/text.h"

HistoryState g_history;

namespace {

// Statements that ask for the history are not kept in it.
bool IsExcluded(const char* cleaned) {
    return cleaned[0] == '!' || cleaned[0] == '/' || EqualsNoCase(cleaned, "history") ||
           EqualsNoCase(cleaned, "hist");
}

// The number of entries now in the menu.
int EntriesPresent() {
    return g_history.count < kHistoryCapacity ? g_history.count : kHistoryCapacity;
}

} // namespace

// The ids the entries take turns in.
bool IsHistoryItem(int id) {
    return id >= IDM_HISTORY_FIRST && id < IDM_HISTORY_FIRST + kHistoryCapacity;
}

// The history's entries and then its separator, from the top of the menu
// down to the fixed items.
void RemoveHistoryItems() {
    PopupMenu* menu = g_seam.menu;
    if (!menu) return;
    while (menu->Count() > 0 && IsHistoryItem(menu->IdAt(0))) menu->DeleteAt(0);
    if (menu->Count() > 0 && menu->IdAt(0) == 0) menu->DeleteAt(0);
}

// Bookkeeping after every non-empty statement: separator, record of its
// entry (the text as the history keeps it), listing.
void AfterStatement(const char* cleaned, const char* entry) {
    PopupMenu* menu = g_seam.menu;
    if (!g_history.separator) {
        menu->InsertSeparator(0);
        g_history.separator = 1;
    }
    if (!IsExcluded(cleaned)) {
        if (g_history.count >= kHistoryCapacity) menu->DeleteAt(kHistoryCapacity - 1);
        menu->InsertString(0, IDM_HISTORY_FIRST + g_history.count % kHistoryCapacity, entry);
        ++g_history.count;
    }
    if (g_history.state == kHistoryList) {
        ListHistory();
        g_history.state = kHistoryNone;
    }
}

// Prints every entry present, newest first, with its number.
void ListHistory() {
    char entry[kLineSize];
    int present = EntriesPresent();
    for (int pos = 0; pos < present; ++pos) {
        entry[0] = '\0';
        g_seam.menu->TextAt(pos, entry, sizeof entry);
        AppendFormat(" %02d: %s\r\n", pos, entry);
    }
}

// Action of "!": puts entry N behind a fresh prompt for editing.
void RecallHistory(const char* arg) {
    char* end = nullptr;
    long number = strtol(arg, &end, 10);
    if (*arg == '\0' || end == arg || number < 0 || number >= EntriesPresent()) {
        CommandSyntaxError();
        return;
    }
    char entry[kLineSize] = "";
    g_seam.menu->TextAt((int)number, entry, sizeof entry);
    PrintPrompt();
    AppendInput(entry);
    g_history.state = kHistoryRecall;
}

// A history item chosen in the popup menu: its text goes to the console.
void ChooseHistoryItem(int id) {
    char entry[kLineSize] = "";
    g_seam.menu->TextOf(id, entry, sizeof entry);
    AppendInput(entry);
}
