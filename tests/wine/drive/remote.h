// Drives a running tolvane.exe from another process: starts it, presses real
// keys through its message loop, sends window messages, answers its question
// box and file dialogs, and reads its console back.
#pragma once

#include <windows.h>

#include <string>

#include "platform/ids.h"
#include "platform/key_script.h"

// How the driver answers what the program asks.
struct RemoteAnswers {
    bool yes = true;      // the yes/no question box
    std::string openName; // the open dialog; empty: cancel
    std::string saveName; // the save dialog; empty: cancel
};

struct RemoteApp {
    PROCESS_INFORMATION process = {};
    HWND main = nullptr;
    HWND console = nullptr;
    DWORD thread = 0;
    bool attached = false;
    RemoteAnswers answers;
    std::string lastText;   // the console's text around the latest action
    bool quit = false;      // the program has ended its main window
    bool typing = false;    // characters were posted since the last settling
    bool delivered = false; // an action was delivered and waits for settling
    std::string failure;    // the first wait that timed out; the run has failed then
};

// Fails the run when the program ended with an exit code other than 0.
void ReportExitCode(RemoteApp* app);
// Starts exe with an optional argument and waits for its first prompt.
bool StartApp(RemoteApp* app, const char* exe, const char* argument, char* error, int size);
// Waits until every key press sent so far has been taken by the program,
// answering the dialogs that appear meanwhile as told. A wait that times out
// records the failure in app->failure.
void Settle(RemoteApp* app);
// Carries out one action of a key script and settles.
void PerformAction(RemoteApp* app, const KeyAction& action);
// Only delivers the action; the PerformAction of the same action then settles
// it. False when there is nothing to settle.
bool DeliverAction(RemoteApp* app, const KeyAction& action);
// The console's whole text as it holds it (code page 932, CR LF), once every
// character typed so far has arrived.
std::string ReadConsole(RemoteApp* app);
// Records the first failure of the run (a wait that timed out).
void Fail(RemoteApp* app, const std::string& what);
// Ends the program through its own quit item and waits for the process; kills
// it when it does not end.
void StopApp(RemoteApp* app);

// Low-level helpers the end-to-end checks use as well.
void PressKey(int vk, int modifiers);
void PostToMain(RemoteApp* app, UINT message, WPARAM wParam, LPARAM lParam);
// A visible top-level window of the program's process with the class, or null.
HWND FindProcessWindow(RemoteApp* app, const char* className);
bool InMenuMode(RemoteApp* app);
// Waits until an open popup menu takes key presses; false on time-out.
bool WaitForMenuKeys(RemoteApp* app);
// A click of the left or right button at a point of the screen, not settled.
void ClickAt(int x, int y, bool right);
// A right click in the middle of the console, not settled: a menu it opens stays open.
void RightClickConsole(RemoteApp* app);
// True while the program's process runs.
bool AppRunning(RemoteApp* app);
// Puts text on the clipboard; false when the clipboard cannot be had.
bool SetClipboardText(const std::wstring& text);
// Sleeps in small steps until check() holds or the time runs out.
template <typename Check> bool WaitFor(Check check, int milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < (DWORD)milliseconds) {
        if (check()) return true;
        Sleep(1);
    }
    return check();
}
