// Virtual-key codes of the keys the console and the key scripts know, the
// values Windows uses.
#pragma once

enum VirtualKey {
    kVkBack = 0x08,
    kVkTab = 0x09,
    kVkReturn = 0x0D,
    kVkNonConvert = 0x1D,
    kVkEnd = 0x23,
    kVkHome = 0x24,
    kVkLeft = 0x25,
    kVkUp = 0x26,
    kVkRight = 0x27,
    kVkDown = 0x28,
    kVkDelete = 0x2E,
    kVkF3 = 0x72,
};

// Modifier keys held with a key.
enum KeyModifier { kModShift = 1, kModCtrl = 2, kModAlt = 4 };
