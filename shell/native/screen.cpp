#include "shell/native/screen.h"

#include "shell/native/terminal.h"

bool ScreenCanStart(char*, size_t) {
    return true;
}
int RunScreen() {
    return RunTerminal(false);
}
void PrintScreen(int, int) {}
