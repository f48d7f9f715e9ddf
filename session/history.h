// The last ten statements, kept as items of the popup menu.
#pragma once

enum { kHistoryCapacity = 10 };
enum HistoryMode { kHistoryNone = 0, kHistoryList = 1, kHistoryRecall = 2 };

struct HistoryState {
    int count;     // statements recorded since start
    int separator; // the history separator is in the menu
    int state;     // HistoryMode
};

extern HistoryState g_history;

// Takes the history's entries and its separator out of the popup menu,
// leaving the fixed items.
void RemoveHistoryItems();
// Bookkeeping after every non-empty statement.
void AfterStatement(const char* cleaned, const char* entry);
void ListHistory();
// Action of "!": recalls an entry by the number in the argument.
void RecallHistory(const char* argument);
// Whether a popup menu id is one of the history's items.
bool IsHistoryItem(int id);
// A history item chosen in the popup menu: its text goes to the console.
void ChooseHistoryItem(int id);
