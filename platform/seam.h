// The three interfaces the core talks through, set by each front-end.
#pragma once

#include "platform/desktop.h"
#include "platform/edit_control.h"
#include "platform/popup_menu.h"

struct Seam {
    EditControl* edit;
    PopupMenu* menu;
    Desktop* desktop;
};

extern Seam g_seam;
