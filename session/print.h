// The result formatter and the display-settings report.
#pragma once

enum { kRenderSize = 80 };

// Prints a value in the current notation; newline adds "\r\n", plain leaves
// out the hexadecimal and binary renderings.
void PrintValue(double value, int newline, int plain);
// Engineering rendering into 80 bytes; -1 and nothing written for 0.
int FormatEngineering(double value, char* out);
// Precision, notation and zero threshold, with ans when withAns is set.
void PrintSettingsReport(int withAns);
