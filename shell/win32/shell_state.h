// The Windows shell's state and the functions its files share.
#pragma once

#include <windows.h>

#include "platform/ids.h"

enum {
    kFinishStartup = WM_APP + 1,          // posted by start-up behind its first prompt
    kFileBufferSize = 256,                // the file dialog's file and title buffers
    kModulePathSize = 1024,               // the executable's path, longer than any ANSI path
    kHelpPathSize = kModulePathSize + 16, // the folder, a backslash, "tolvane.wri"
};

// One set per process, created at start, alive for the whole run.
struct ShellState {
    HINSTANCE instance;       // the module's instance handle
    HWND main;                // the top-level window of class TOLVANE
    HWND console;             // the multi-line edit control, child id 100
    WNDPROC editProc;         // the console's own procedure as the A functions see it
    WNDPROC editProcW;        // the same procedure as the W functions see it
    HACCEL accelerators;      // the accelerator table TOLVANE
    HMENU popup;              // the popup menu: history, separator, fixed items
    HFONT font;               // the console's font object
    LOGFONTA logFont;         // the description the console's font is made from
    OPENFILENAMEA fileDialog; // shared by the open and save dialogs
    char fileBuffer[kFileBufferSize];
    char fileTitle[kFileBufferSize];
    char helpPath[kHelpPathSize];
    unsigned char leadByte; // a double-byte character's first half typed into the console
    bool trayIcon;          // the tray icon has been added
    bool altAccelerator;    // an accelerator ran with Alt held: its Alt release opens no menu
};

extern ShellState g_shell;

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ConsoleSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SetupDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void QuitProgram(HWND hwnd);
// Sees each key message before the accelerators do: a new key press ends what
// an Alt accelerator left behind.
void NoteKeyMessage(const MSG& msg);
// Opens the popup menu with its top-left corner at the mouse pointer.
void TrackPopupAtCursor();
// Opens the popup menu with its top-left corner under the caret's line.
void TrackPopupAtCaret();
// Scrolls the console so that the caret's line shows.
void ScrollCaretIntoView();
// Creates the console's font from the font record and gives it to the console.
void ApplyConsoleFont();
// Makes the main window topmost or not.
void ApplyTopmost(bool on);

// Puts the texts appended during the current message into the console.
void FlushConsoleOutput();
// Points the core's seam at the real edit control, menu and desktop.
void InstallWin32Seam();
// Learns the console's position units (call while it is still empty).
void ProbeConsoleUnits();
