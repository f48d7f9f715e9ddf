// Code page 932 <-> UTF-8 at the native front-end's edge.
#pragma once

#include <stddef.h>

#include <string>

// CP932 bytes as UTF-8; a byte that is no valid CP932 becomes U+FFFD.
std::string Cp932ToUtf8(const char* bytes, size_t size);
// UTF-8 as CP932; a character without a CP932 form (or invalid UTF-8)
// becomes "?".
std::string Utf8ToCp932(const char* text, size_t size);
// The console's text as the transcript is printed: each CR LF as LF, UTF-8.
std::string TranscriptToUtf8(const char* bytes, size_t size);
