// Earlier input lines of the full-screen console, on keys of its own:
// Alt+Up and Alt+Down put them behind the prompt, Ctrl+R searches them. They
// are this run's lines and those of the history file, which keeps the last
// kRecallLines lines of all runs. None of this is the console's `hist`.
#pragma once

#include <string>
#include <vector>

enum { kRecallLines = 1000 };

struct Recall {
    std::vector<std::string> lines; // code page 932, oldest first
    std::string file;               // the history file, "" when there is none
    int browsing = -1;              // the line behind the prompt, -1 when none
    std::string typed;              // what stood behind the prompt before
    bool searching = false;         // Ctrl+R: an incremental search runs
    std::string query;              // its text (code page 932)
    int found = -1;                 // the line it found, -1 when none
};

extern Recall g_recall;

// The history file's path: $XDG_STATE_HOME/tolvane/history, else
// ~/.local/state/tolvane/history; "" when TOLVANE_HISTORY is "off".
std::string HistoryFilePath();
// Reads the lines of a history file ("" : none) into g_recall.
void LoadRecall(const std::string& file);
// One more entered line: kept and added to the history file.
void RememberLine(const std::string& cp932);
// Alt+Up (older, direction -1) and Alt+Down (newer, +1).
void BrowseRecall(int direction);
// Any other key: what is behind the prompt stays as it is.
void EndBrowsing();
// Ctrl+R: begins a search, or finds the next older match.
void SearchRecall();
// A typed character (code page 932) or Backspace (nullptr) in the search.
void SearchType(const char* cp932);
// Ends the search: keep leaves the found line behind the prompt, else what
// stood there before comes back.
void EndSearch(bool keep);
// The status bar's text while a search runs (code page 932).
std::string SearchStatus();
