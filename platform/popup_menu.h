// The popup menu as the core sees it: the history keeps its entries there.
// Win32 forwards to the real HMENU; natively an in-memory model answers.
#pragma once

struct PopupMenu {
    virtual ~PopupMenu() = default;
    // InsertMenuA with MF_SEPARATOR | MF_BYPOSITION.
    virtual void InsertSeparator(int pos) = 0;
    // InsertMenuA with MF_STRING | MF_BYPOSITION.
    virtual void InsertString(int pos, int id, const char* text) = 0;
    // DeleteMenu with MF_BYPOSITION.
    virtual void DeleteAt(int pos) = 0;
    // GetMenuStringA with MF_BYPOSITION: terminated text, returns its length.
    virtual int TextAt(int pos, char* buffer, int size) = 0;
    // GetMenuStringA with MF_BYCOMMAND: terminated text, returns its length.
    virtual int TextOf(int id, char* buffer, int size) = 0;
    // GetMenuItemCount.
    virtual int Count() = 0;
    // GetMenuItemID: the command id at a position (0 for a separator).
    virtual int IdAt(int pos) = 0;
};

// The five fixed items and their command ids.
enum MenuId {
    kMenuQuit = 2111,
    kMenuClear = 2112,
    kMenuHelp = 2113,
    kMenuSetup = 2114,
    kMenuHistoryFirst = 3000,
};
