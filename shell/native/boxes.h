// The boxes of the full-screen console: the popup menu, the yes/no question,
// the file-name field, the setup switches and the help viewer. Each draws
// itself over the console and takes keys until it is done.
#pragma once

#include <string>
#include <vector>

#include "session/settings_file.h"
#include "shell/native/screen_view.h"
#include "shell/native/term_keys.h"

struct Box {
    virtual ~Box() = default;
    // Draws the box over what the grid shows.
    virtual void Draw(ScreenGrid* grid) = 0;
    // Takes one key; true when the box is done.
    virtual bool Handle(const TermKey& key) = 0;
};

// The popup menu at a cell: the history entries, a separator, the fixed
// items. chosen is the command id, 0 when it was closed.
struct MenuBox : Box {
    int row, column; // where its top-left corner wants to be
    int current;     // the highlighted item
    int chosen = 0;
    int top = 0, left = 0, width = 0, height = 0; // where it was drawn

    MenuBox(int row, int column);
    void Draw(ScreenGrid* grid) override;
    bool Handle(const TermKey& key) override;
    // Moves the highlight by step over separators.
    void Move(int step);
};

// A question with Yes and No, Yes the default.
struct QuestionBox : Box {
    std::string text, caption; // code page 932
    bool yes = true;           // the button with the focus; the answer when done
    int buttonRow = -1, yesColumn = -1, noColumn = -1;

    QuestionBox(const char* text, const char* caption);
    void Draw(ScreenGrid* grid) override;
    bool Handle(const TermKey& key) override;
};

// A file name typed in a field, in the current folder.
struct FileNameBox : Box {
    std::string title; // code page 932
    std::string name;  // code page 932, what is typed
    bool save;
    bool accepted = false;
    bool folderName = false; // show the current folder's own name, not its path

    FileNameBox(bool save, const char* title);
    void Draw(ScreenGrid* grid) override;
    bool Handle(const TermKey& key) override;
};

// The seven switches with OK and Cancel.
struct SetupBox : Box {
    enum { kSwitches = kSetupSwitchCount, kOk = kSwitches, kCancel = kSwitches + 1 };
    int values[kSwitches];
    int focus = 0; // a switch, kOk or kCancel
    bool accepted = false;
    int top = 0, left = 0; // where it was drawn

    SetupBox(); // the values in use and in the settings file
    void Draw(ScreenGrid* grid) override;
    bool Handle(const TermKey& key) override;
    // After OK: the four immediate switches into the session and all seven
    // into the settings file.
    void Store() const;
};

// The help document, scrolled by lines and pages.
struct HelpBox : Box {
    std::vector<std::string> lines; // code page 932
    int first = 0;
    int page = 1;

    HelpBox();
    void Draw(ScreenGrid* grid) override;
    bool Handle(const TermKey& key) override;
};
