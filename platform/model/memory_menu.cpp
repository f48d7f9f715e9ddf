#include "platform/model/memory_menu.h"

#include <string.h>

// Back to the five fixed items, in the order they are appended at start.
void MemoryMenu::Reset() {
    count_ = 0;
    freed_ = 0;
    for (bool& used : used_) used = false;
    for (const FixedMenuItem& item : kFixedMenuItems) {
        if (item.text)
            InsertString(count_, item.id, item.text);
        else
            InsertSeparator(count_);
    }
}

// InsertMenuA with MF_SEPARATOR | MF_BYPOSITION.
void MemoryMenu::InsertSeparator(int pos) {
    int slot = OpenSlot(pos);
    if (slot < 0) return;
    ids_[slot] = 0;
    separators_[slot] = true;
    lengths_[slot] = 0;
    texts_[slot][0] = '\0';
}

// InsertMenuA with MF_STRING | MF_BYPOSITION; the text is cut to 511 bytes.
void MemoryMenu::InsertString(int pos, int id, const char* text) {
    int slot = OpenSlot(pos);
    if (slot < 0) return;
    ids_[slot] = id;
    separators_[slot] = false;
    size_t length = text ? strnlen(text, kTextSize - 1) : 0;
    if (length > 0) memcpy(texts_[slot], text, length);
    texts_[slot][length] = '\0';
    lengths_[slot] = (int)length;
}

// DeleteMenu with MF_BYPOSITION; a position that does not exist is ignored.
void MemoryMenu::DeleteAt(int pos) {
    if (pos < 0 || pos >= count_) return;
    freed_ = slotAt_[pos];
    used_[freed_] = false;
    for (int i = pos; i + 1 < count_; ++i) slotAt_[i] = slotAt_[i + 1];
    --count_;
}

// GetMenuStringA with MF_BYPOSITION; 0 and an empty text when there is none.
int MemoryMenu::TextAt(int pos, char* buffer, int size) {
    if (pos < 0 || pos >= count_) return CopyText(-1, buffer, size);
    return CopyText(slotAt_[pos], buffer, size);
}

// GetMenuStringA with MF_BYCOMMAND: the first item with that id.
int MemoryMenu::TextOf(int id, char* buffer, int size) {
    for (int i = 0; i < count_; ++i) {
        int slot = slotAt_[i];
        if (!separators_[slot] && ids_[slot] == id) return CopyText(slot, buffer, size);
    }
    return CopyText(-1, buffer, size);
}

// GetMenuItemID: 0 for a separator, -1 for a position that does not exist.
int MemoryMenu::IdAt(int pos) {
    if (pos < 0 || pos >= count_) return -1;
    return ids_[slotAt_[pos]];
}

// True when the item at pos is a separator.
bool MemoryMenu::IsSeparatorAt(int pos) const {
    return pos >= 0 && pos < count_ && separators_[slotAt_[pos]];
}

// Moves the positions from pos on one place down and puts a free slot at
// pos; a position past the end (or negative) appends. -1 when the menu is full.
int MemoryMenu::OpenSlot(int pos) {
    if (count_ >= kMaxItems) return -1;
    if (pos < 0 || pos > count_) pos = count_;
    // The slot freed last is the one to take: the history deletes its oldest
    // entry just before it inserts the newest.
    int slot = freed_;
    if (used_[slot]) {
        slot = 0;
        while (used_[slot]) ++slot;
    }
    used_[slot] = true;
    for (int i = count_; i > pos; --i) slotAt_[i] = slotAt_[i - 1];
    slotAt_[pos] = slot;
    ++count_;
    return slot;
}

// Copies at most size - 1 bytes and a terminator; slot -1 is an empty text.
int MemoryMenu::CopyText(int slot, char* buffer, int size) const {
    if (!buffer || size <= 0) return 0;
    const char* text = slot < 0 ? "" : texts_[slot];
    int length = slot < 0 ? 0 : lengths_[slot];
    if (length > size - 1) length = size - 1;
    memcpy(buffer, text, (size_t)length);
    buffer[length] = '\0';
    return length;
}
