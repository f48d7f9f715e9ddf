// The shell's and the common dialogs' functions, loaded the first time one
// is called: start-up reaches its first prompt without waiting for either
// library. Each answers as a failure when its library or function is missing.
#pragma once

#include <windows.h>

BOOL LateShellNotifyIcon(DWORD message, NOTIFYICONDATAA* data);
void LateDragAcceptFiles(HWND hwnd, BOOL accept);
UINT LateDragQueryFile(HDROP drop, UINT index, LPSTR file, UINT size);
void LateDragFinish(HDROP drop);
HINSTANCE LateShellExecute(HWND hwnd, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder,
                           INT show);
BOOL LateGetOpenFileName(OPENFILENAMEA* ofn);
BOOL LateGetSaveFileName(OPENFILENAMEA* ofn);
BOOL LateChooseFont(CHOOSEFONTA* choose);
