// Script files (call) and transcript saving (save).
#pragma once

void RunScript(const char* name);
void SaveTranscript(const char* name);
