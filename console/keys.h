// Keyboard aids of the console and the accelerator commands. The
// front-ends route their key messages here; what is not consumed goes on to
// the edit control's own handling.
#pragma once

#include "platform/virtual_keys.h"

// WM_KEYDOWN in the console; true when consumed.
bool ConsoleKeyDown(int vk, bool shift, bool ctrl);
// WM_CHAR in the console (Tab, Enter, Backspace); lParam as the message has it.
bool ConsoleChar(int ch, bool shift, long lParam);
// Right button down on the console.
void ConsoleRightClick();

// The accelerator commands: actions of the command table
// (commands/commands.cpp), chosen by their ids. The argument, the length of
// a typed command's name, is not used.
void TypeAns(int);                 // Ctrl+A: the last result's number
void RetypeLastLine(int);          // F3, Ctrl+D: the last statement again
void ClearInputLine(int);          // Ctrl+U: only the prompt stays
void TypeSin(int);                 // Alt+S: "sin()"
void TypeCos(int);                 // Alt+C: "cos()"
void TypeTan(int);                 // Alt+T: "tan()"
void TypeSqrt(int);                // Alt+R: "sqrt()"
void TypeLn(int);                  // Alt+L: "ln()"
void NextOperatorCommand(int);     // Ctrl+L: behind the next operator
void PreviousOperatorCommand(int); // Ctrl+K: before the previous operator
void ParenthesesCommand(int);      // Ctrl+P: "()" at the caret
void TypeHexPrefix(int);           // Ctrl+0: "0x"
void TypeBinPrefix(int);           // Ctrl+9: "0b"
