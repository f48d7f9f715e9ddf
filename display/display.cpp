#include "display/display.h"

#include "console/console.h"

// Prints a value (placeholder until the formatter lands).
void PrintValue(double value, int newline, int) {
    AppendFormat("%.17g", value);
    if (newline) Append("\r\n");
}

int FormatEngineering(double, char*) { return -1; }
void PrintSettingsReport(int) {}
