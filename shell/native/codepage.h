// Code page 932 <-> UTF-8 at the native front-end's edge.
#pragma once

#include <stddef.h>

#include <string>

// The byte-order mark a UTF-8 text may begin with.
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// CP932 bytes as UTF-8; a byte that is no valid CP932 becomes U+FFFD.
std::string Cp932ToUtf8(const char* bytes, size_t size);
// UTF-8 as CP932; a character without a CP932 form (or invalid UTF-8)
// becomes replacement.
std::string Utf8ToCp932(const char* text, size_t size, const char* replacement = "?");
// UTF-8 as CP932 when every character has a CP932 form that converts back
// to itself; false otherwise (and for invalid UTF-8).
bool Utf8ToCp932Exactly(const char* text, size_t size, std::string* cp932);
// The length of the longest start of text that is valid UTF-8, a character
// cut at the end left out; text is valid UTF-8 when it is size.
size_t ValidUtf8Length(const char* text, size_t size);
// A typed code point as the CP932 character it types: ASCII as its byte, a
// character without a CP932 form as "?".
std::string CodepointToCp932(unsigned codepoint);
// The console's text as the transcript is printed: each CR LF as LF, UTF-8.
std::string TranscriptToUtf8(const char* bytes, size_t size);
// A file name of the core (CP932) as the file system's UTF-8; false when
// the name is no valid CP932.
bool Cp932NameToUtf8(const char* name, std::string* utf8);
// A UTF-8 file name as CP932; false when a character has no CP932 form or
// one that does not convert back to the same character.
bool Utf8NameToCp932(const char* name, std::string* cp932);
