// The program's ids: the commands of the accelerator keys and of the popup
// menu, the history's menu range, the setup dialog's controls, the console's
// child id and the tray icon's. Plain defines, so that the resource script
// (shell/win32/tolvane.rc) and the C++ code include this one file.
#pragma once

// Accelerator commands, sent as WM_COMMAND; 111 has no key and no action.
#define ID_TYPE_ANS 103
#define ID_RETYPE_F3 104
#define ID_CLEAR_INPUT 105
#define ID_TEMPLATE_SIN 106
#define ID_TEMPLATE_COS 107
#define ID_TEMPLATE_TAN 108
#define ID_TEMPLATE_SQRT 109
#define ID_TEMPLATE_LN 110
#define ID_RETYPE_CTRL_D 112
#define ID_NEXT_OPERATOR 113
#define ID_PREVIOUS_OPERATOR 114
#define ID_PARENTHESES 115
#define ID_HEX_PREFIX 116
#define ID_BIN_PREFIX 117

// The popup menu's fixed items.
#define IDM_QUIT 2111
#define IDM_CLEAR 2112
#define IDM_HELP 2113
#define IDM_SETUP 2114
// History items: this plus the line's sequence number modulo the history's
// capacity.
#define IDM_HISTORY_FIRST 3000

// The setup dialog's check boxes, each named by its settings key, and its
// font button.
#define IDC_SETUP_CRFLAG 1002
#define IDC_SETUP_ONTOPFLAG 1003
#define IDC_SETUP_HSCROLL 1004
#define IDC_SETUP_ICON 1006
#define IDC_SETUP_ENDFLAG 1007
#define IDC_SETUP_DUP 1008
#define IDC_SETUP_FONT 1009
#define IDC_SETUP_BYTE2 1010

// The console: the main window's only child.
#define IDC_CONSOLE 100

// The tray icon's id, and the message it sends to the main window.
#define TRAY_ICON_ID 1
#define TRAY_CALLBACK 100
