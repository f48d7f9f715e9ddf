// The session settings: one record for the run.
#pragma once

#include "eval/eval.h" // AngleMode
enum DisplayMode { kFixed = 0, kExponent = 1, kEngineering = 2 };

struct SessionSettings {
    int angleMode;                // AngleMode
    int displayMode;              // DisplayMode
    int precision = 3;            // decimals printed
    double zeroThreshold = 1e-12; // magnitudes below it print as 0
    int hexFlag;                  // add the hexadecimal rendering
    int binFlag;                  // add the binary rendering
    int crflag;                   // no empty line before a prompt
    int ontopflag;                // main window always on top
    int endflag;                  // the close button hides the window
    int byte2;                    // binary rendering of 2 bytes instead of 4
};

extern SessionSettings g_settings;

// Puts the settings back to their start values, the file's flags cleared.
void ResetSettings();
