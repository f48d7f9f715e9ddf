#include "shell/win32/late_dlls.h"

namespace {

// A library that is loaded on first use and kept to the end.
struct LateLibrary {
    const char* name;
    HMODULE module;
    bool tried;
};

LateLibrary g_shell32 = {"shell32.dll", nullptr, false};
LateLibrary g_comdlg32 = {"comdlg32.dll", nullptr, false};

// A function of the library as a pointer of its own type, the library loaded
// the first time; nullptr when the library or the function is missing.
template <typename F> F Late(LateLibrary* library, const char* function) {
    if (!library->tried) {
        library->module = LoadLibraryA(library->name);
        library->tried = true;
    }
    FARPROC f = library->module ? GetProcAddress(library->module, function) : nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void*>(f));
}

} // namespace

// Shell_NotifyIconA.
BOOL LateShellNotifyIcon(DWORD message, NOTIFYICONDATAA* data) {
    auto f = Late<BOOL(WINAPI*)(DWORD, NOTIFYICONDATAA*)>(&g_shell32, "Shell_NotifyIconA");
    return f ? f(message, data) : FALSE;
}

// DragAcceptFiles.
void LateDragAcceptFiles(HWND hwnd, BOOL accept) {
    auto f = Late<void(WINAPI*)(HWND, BOOL)>(&g_shell32, "DragAcceptFiles");
    if (f) f(hwnd, accept);
}

// DragQueryFileA.
UINT LateDragQueryFile(HDROP drop, UINT index, LPSTR file, UINT size) {
    auto f = Late<UINT(WINAPI*)(HDROP, UINT, LPSTR, UINT)>(&g_shell32, "DragQueryFileA");
    return f ? f(drop, index, file, size) : 0;
}

// DragFinish.
void LateDragFinish(HDROP drop) {
    auto f = Late<void(WINAPI*)(HDROP)>(&g_shell32, "DragFinish");
    if (f) f(drop);
}

// ShellExecuteA.
HINSTANCE LateShellExecute(HWND hwnd, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder,
                           INT show) {
    auto f = Late<HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT)>(&g_shell32,
                                                                                 "ShellExecuteA");
    return f ? f(hwnd, verb, file, parameters, folder, show) : nullptr;
}

// GetOpenFileNameA.
BOOL LateGetOpenFileName(OPENFILENAMEA* ofn) {
    auto f = Late<BOOL(WINAPI*)(OPENFILENAMEA*)>(&g_comdlg32, "GetOpenFileNameA");
    return f ? f(ofn) : FALSE;
}

// GetSaveFileNameA.
BOOL LateGetSaveFileName(OPENFILENAMEA* ofn) {
    auto f = Late<BOOL(WINAPI*)(OPENFILENAMEA*)>(&g_comdlg32, "GetSaveFileNameA");
    return f ? f(ofn) : FALSE;
}

// ChooseFontA.
BOOL LateChooseFont(CHOOSEFONTA* choose) {
    auto f = Late<BOOL(WINAPI*)(CHOOSEFONTA*)>(&g_comdlg32, "ChooseFontA");
    return f ? f(choose) : FALSE;
}
