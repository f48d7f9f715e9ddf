// An in-memory popup menu: fixed arrays of items, each a string with its
// command id or a separator. It starts with the program's five fixed items.
// An item's text stays in its slot for the item's life; inserting and
// deleting move only the small table of slots by position.
#pragma once

#include "platform/popup_menu.h"

class MemoryMenu : public PopupMenu {
  public:
    enum {
        kMaxItems = 32,  // the history's ten, its separator and the fixed five fit
        kTextSize = 512, // an item's text: 511 bytes and the terminator
    };

    MemoryMenu() { Reset(); }

    // PopupMenu
    void InsertSeparator(int pos) override;
    void InsertString(int pos, int id, const char* text) override;
    void DeleteAt(int pos) override;
    int TextAt(int pos, char* buffer, int size) override;
    int TextOf(int id, char* buffer, int size) override;
    int Count() override { return count_; }
    int IdAt(int pos) override;

    // Back to the five fixed items.
    void Reset();
    // True when the item at pos is a separator.
    bool IsSeparatorAt(int pos) const;

  private:
    // Opens a position at pos (past the end: appends) and gives it a free
    // slot; returns the slot, or -1 when the menu is full.
    int OpenSlot(int pos);
    // Copies a slot's text into a buffer of size bytes; returns the length.
    int CopyText(int slot, char* buffer, int size) const;

    int count_;
    int freed_;             // the slot the latest delete freed
    int slotAt_[kMaxItems]; // the slot of each position
    bool used_[kMaxItems];  // slots that hold an item
    int ids_[kMaxItems];    // by slot
    bool separators_[kMaxItems];
    int lengths_[kMaxItems];
    char texts_[kMaxItems][kTextSize];
};
