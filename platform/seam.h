// The interfaces the core talks through, set by each front-end.
#pragma once

#include "platform/clocks.h"
#include "platform/desktop.h"
#include "platform/edit_control.h"
#include "platform/files.h"
#include "platform/popup_menu.h"
#include "platform/settings_store.h"

struct Seam {
    EditControl* edit;
    PopupMenu* menu;
    Desktop* desktop;
    Files* files;            // nullptr: no files, call finds none and save fails
    SettingsStore* settings; // nullptr: every key has its default, writes go nowhere
    Clocks* clocks;          // nullptr: no time passes, scripts are bounded by lines alone
};

extern Seam g_seam;
