// The accelerator keys: which key, held with which modifier, sends which
// command id, and the name a key script presses it by. The resource script's
// accelerator table lists the same keys in the same order (a unit test
// compares them).
#pragma once

struct Accelerator {
    const char* name; // the key-script name, "Ctrl+K"
    int key;          // virtual-key code
    int modifiers;    // KeyModifier bits of platform/virtual_keys.h
    int id;           // the command id of platform/ids.h
};

enum { kAcceleratorCount = 14 };

// In the order of the resource script's table.
extern const Accelerator kAccelerators[kAcceleratorCount];
