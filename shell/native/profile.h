// A small private-profile (INI) file layer: section and key names compare
// without regard to ASCII letter case, integers are the signed decimal number
// at the start of the value, what is missing gives the caller's default, a
// write creates the file, the section and the key as needed, and keys are
// never deleted. The file is code page 932 text with CR LF lines.
#pragma once

#include <stddef.h>

#include <string>

// A settings file holds a few hundred bytes; one larger than this is taken
// for no settings file at all.
const size_t kMaxProfileSize = 64 * 1024;

enum ProfileRead { kProfileRead, kProfileMissing, kProfileUnreadable, kProfileTooLarge };

// The whole file into text (at most kMaxProfileSize bytes); a ProfileRead.
int ReadProfileFile(const char* file, std::string* text);

// The integer at the start of a key's value; def when the file, the section
// or the key is missing or the value is empty; 0 when it holds no number.
int GetProfileInt(const char* file, const char* section, const char* key, int def);
// A key's value (surrounding quotes removed) into size bytes, or def when it
// is missing; returns the length copied.
int GetProfileText(const char* file, const char* section, const char* key, const char* def,
                   char* buffer, int size);
// Sets a key's value, creating what is missing; false when the file cannot
// be written.
bool WriteProfileText(const char* file, const char* section, const char* key, const char* value);
