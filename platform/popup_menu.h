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

// One of the menu's fixed items: a string with its command id, or a
// separator (id 0, no text).
struct FixedMenuItem {
    int id;
    const char* text;
};

enum { kFixedMenuItemCount = 5 };

// The fixed items in the order they are appended at start, below the history.
extern const FixedMenuItem kFixedMenuItems[kFixedMenuItemCount];
