#include "console/history.h"

HistoryState g_history;

// Bookkeeping after every non-empty statement (built with the command set).
void AfterStatement(const char*, const char*) {}
void ListHistory() {}
void RecallHistory() {}
void ChooseHistoryItem(int) {}
