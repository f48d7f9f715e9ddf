// Everything the core asks of the desktop around the console. Win32 calls the
// real API; the native front-end answers from its options and logs events.
#pragma once

// Where the popup menu opens: at the mouse pointer (a right click) or at the
// caret (the menu key and Shift+F10).
enum MenuPlace { kMenuAtPointer, kMenuAtCaret };

struct Desktop {
    virtual ~Desktop() = default;
    // MessageBeep(MB_ICONASTERISK): the one beep of the program.
    virtual void Beep() = 0;
    // A Yes/No question box with the question icon, Yes the default.
    virtual bool AskYesNo(const char* text, const char* caption) = 0;
    // The open (save false) or save file dialog with a title and a filter
    // index; on OK the chosen file's folder becomes the current folder, its
    // name without the folder goes to fileTitle, and it returns true.
    virtual bool ChooseFile(bool save, const char* title, int filterIndex, char* fileTitle,
                            int size) = 0;
    // Opens the help document with the system's opener.
    virtual void OpenHelp() = 0;
    // Starts a command line without waiting (WinExec).
    virtual void StartProgram(const char* commandLine) = 0;
    // Opens the file manager on the current folder.
    virtual void OpenFileManager() = 0;
    // Hides the main window into the tray.
    virtual void HideWindow() = 0;
    // Brings a hidden or minimized main window up, in front; a window that
    // shows stays as it is.
    virtual void ShowHiddenWindow() = 0;
    // Makes the main window topmost or not.
    virtual void SetTopmost(bool on) = 0;
    // The quit sequence: save the placement, remove the tray icon, end.
    virtual void Quit() = 0;
    // Whether the quit sequence has run: nothing more is shown then.
    virtual bool Quitting() { return false; }
    // The modal setup dialog.
    virtual void SetupDialog() = 0;
    // Opens the popup menu at the mouse pointer or at the caret.
    virtual void ShowPopupMenu(MenuPlace place) = 0;
};
