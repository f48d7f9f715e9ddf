#include "platform/key_script.h"

#include "platform/accelerators.h"
#include "platform/virtual_keys.h"
#include "text/text.h"

#include <stdio.h>
#include <string.h>

namespace {

struct NamedKey {
    const char* name;
    int kind;
    int key;
    int modifiers;
};

// Every name a script may put in braces, besides the accelerators.
const NamedKey kNamedKeys[] = {
    {"Enter", kActionKey, kVkReturn, 0},
    {"Tab", kActionKey, kVkTab, 0},
    {"Shift+Tab", kActionKey, kVkTab, kModShift},
    {"Backspace", kActionKey, kVkBack, 0},
    {"Delete", kActionKey, kVkDelete, 0},
    {"Home", kActionKey, kVkHome, 0},
    {"Shift+Home", kActionKey, kVkHome, kModShift},
    {"Ctrl+Home", kActionKey, kVkHome, kModCtrl},
    {"End", kActionKey, kVkEnd, 0},
    {"Ctrl+End", kActionKey, kVkEnd, kModCtrl},
    {"Left", kActionKey, kVkLeft, 0},
    {"Right", kActionKey, kVkRight, 0},
    {"Up", kActionKey, kVkUp, 0},
    {"Down", kActionKey, kVkDown, 0},
    {"NoConvert", kActionKey, kVkNonConvert, 0},
    {"RClick", kActionRightClick, 0, 0},
    {"Close", kActionClose, 0, 0},
    {"Minimize", kActionMinimize, 0, 0},
    {"TrayLeft", kActionTrayLeft, 0, 0},
    {"TrayRight", kActionTrayRight, 0, 0},
};

// Largest number a Menu or Goto argument may hold.
const long kMaxNumber = 99999;

// number := digit {digit}; reads up to stop or the end, false unless the
// whole text is digits and the value is at most kMaxNumber.
bool ReadNumber(const char* text, size_t length, long* value) {
    if (length == 0) return false;
    long n = 0;
    for (size_t i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        n = n * 10 + (text[i] - '0');
        if (n > kMaxNumber) return false;
    }
    *value = n;
    return true;
}

// Decodes one UTF-8 character at text; returns its length, 0 when invalid
// (an overlong form, a surrogate or beyond U+10FFFF included).
int DecodeUtf8(const unsigned char* text, size_t size, unsigned* codepoint) {
    static const unsigned kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    int length = Utf8Length(text[0]);
    if (length == 0 || size < (size_t)length) return 0;
    unsigned c = length == 1 ? text[0] : text[0] & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if ((text[i] & 0xC0) != 0x80) return 0;
        c = (c << 6) | (text[i] & 0x3F);
    }
    if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    *codepoint = c;
    return length;
}

// The actions that take a path: a dropped file, a paste of a file's text.
const struct {
    const char* prefix;
    int kind;
} kPathActions[] = {{"Drop:", kActionDrop}, {"Paste:", kActionPaste}};

// name := key-name | "Menu:" number | "Goto:" number "," number
//       | "Drop:" path | "Paste:" path
bool ParseName(const char* name, size_t length, KeyAction* action) {
    for (const NamedKey& k : kNamedKeys) {
        if (strlen(k.name) == length && memcmp(k.name, name, length) == 0) {
            *action = MakeAction(k.kind);
            action->key = k.key;
            action->modifiers = k.modifiers;
            return true;
        }
    }
    for (const Accelerator& a : kAccelerators) {
        if (strlen(a.name) == length && memcmp(a.name, name, length) == 0) {
            *action = MakeAction(kActionAccelerator);
            action->key = a.key;
            action->modifiers = a.modifiers;
            action->id = a.id;
            return true;
        }
    }
    long a, b;
    if (length > 5 && memcmp(name, "Menu:", 5) == 0) {
        if (!ReadNumber(name + 5, length - 5, &a)) return false;
        *action = MakeAction(kActionMenu);
        action->id = (int)a;
        return true;
    }
    if (length > 5 && memcmp(name, "Goto:", 5) == 0) {
        const char* comma = (const char*)memchr(name + 5, ',', length - 5);
        if (!comma) return false;
        size_t first = (size_t)(comma - (name + 5));
        if (!ReadNumber(name + 5, first, &a) || !ReadNumber(comma + 1, length - 5 - first - 1, &b))
            return false;
        *action = MakeAction(kActionGoto);
        action->line = (int)a;
        action->column = (int)b;
        return true;
    }
    for (const auto& p : kPathActions) {
        size_t prefix = strlen(p.prefix);
        if (length <= prefix || memcmp(name, p.prefix, prefix) != 0) continue;
        if (length - prefix >= kKeyPathSize) return false;
        *action = MakeAction(p.kind);
        snprintf(action->path, sizeof action->path, "%.*s", (int)(length - prefix), name + prefix);
        return true;
    }
    return false;
}

// Fills error with "line N: " and a message; returns -1, the error.
int Fail(char* error, int errorSize, int line, const char* message, const char* name,
         size_t nameLength) {
    if (error && errorSize > 0) {
        if (name)
            snprintf(error, (size_t)errorSize, "line %d: %s {%.*s}", line, message,
                     (int)(nameLength > 200 ? 200 : nameLength), name);
        else
            snprintf(error, (size_t)errorSize, "line %d: %s", line, message);
    }
    return -1;
}

} // namespace

// The kind set, every other field as it starts and the path empty: only its
// first byte is written, as an action is made for every typed character.
KeyAction MakeAction(int kind) {
    KeyAction action;
    action.kind = kind;
    action.path[0] = '\0';
    return action;
}

// Starts reading a script; a byte-order mark at its start is not typed.
void StartKeyScript(KeyScriptReader* reader, const char* text, size_t size) {
    const unsigned char* bytes = (const unsigned char*)text;
    *reader = KeyScriptReader{text, size, 0, 1};
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) reader->pos = 3;
}

// script := { "{{" | "{" name "}" | LF | CR | character }
int NextKeyAction(KeyScriptReader* reader, KeyAction* action, char* error, int errorSize) {
    const char* text = reader->text;
    const unsigned char* bytes = (const unsigned char*)text;
    size_t size = reader->size;
    size_t i = reader->pos;
    while (i < size && bytes[i] == '\r') ++i;
    reader->pos = i;
    if (i >= size) return 0;
    int line = reader->line;
    unsigned char c = bytes[i];
    if (c == '\n') {
        *action = MakeAction(kActionKey);
        action->key = kVkReturn;
        ++reader->line;
        reader->pos = i + 1;
    } else if (c == '{' && i + 1 < size && bytes[i + 1] == '{') {
        *action = MakeAction(kActionChar);
        action->codepoint = '{';
        reader->pos = i + 2;
    } else if (c == '{') {
        size_t end = i + 1;
        while (end < size && bytes[end] != '}' && bytes[end] != '\n') ++end;
        if (end >= size || bytes[end] != '}')
            return Fail(error, errorSize, line, "'{' without '}'", nullptr, 0);
        const char* name = text + i + 1;
        size_t length = end - i - 1;
        if (length == 0) return Fail(error, errorSize, line, "empty key name", name, 0);
        if (!ParseName(name, length, action))
            return Fail(error, errorSize, line, "unknown key name", name, length);
        reader->pos = end + 1;
    } else {
        unsigned codepoint = 0;
        int length = DecodeUtf8(bytes + i, size - i, &codepoint);
        if (length == 0) return Fail(error, errorSize, line, "invalid UTF-8", nullptr, 0);
        *action = MakeAction(kActionChar);
        action->codepoint = codepoint;
        reader->pos = i + (size_t)length;
    }
    return 1;
}

// Reads every action of a script into out, or only checks them.
bool ParseKeyScript(const char* text, size_t size, std::vector<KeyAction>* out, char* error,
                    int errorSize) {
    KeyScriptReader reader;
    StartKeyScript(&reader, text, size);
    KeyAction action;
    int got;
    while ((got = NextKeyAction(&reader, &action, error, errorSize)) > 0)
        if (out) out->push_back(action);
    return got == 0;
}

// A parse that keeps nothing.
bool CheckKeyScript(const char* text, size_t size, char* error, int errorSize) {
    return ParseKeyScript(text, size, nullptr, error, errorSize);
}

// The script name of a key or accelerator action, or nullptr.
const char* KeyActionName(const KeyAction& action) {
    if (action.kind == kActionAccelerator) {
        for (const Accelerator& a : kAccelerators)
            if (a.key == action.key && a.modifiers == action.modifiers) return a.name;
        return nullptr;
    }
    // The other kinds have one name each.
    for (const NamedKey& k : kNamedKeys) {
        bool sameKey = k.key == action.key && k.modifiers == action.modifiers;
        if (k.kind == action.kind && (k.kind != kActionKey || sameKey)) return k.name;
    }
    return nullptr;
}
