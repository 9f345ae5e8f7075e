#pragma once
// Single-byte code pages of dBase tables. Inside the program every text is UTF-8; a
// table's bytes are converted on reading and writing.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace dbf {

enum class CodePage { Cp437, Cp850, Cp1252 };

// The code page that a table header's language-driver byte names. Unknown drivers and
// 0 mean Windows ANSI (1252).
CodePage codePageOfDriver(std::uint8_t languageDriver);
const char* codePageName(CodePage cp);

// Appends the UTF-8 form of `bytes` to `out`.
void decodeAppend(CodePage cp, std::string_view bytes, std::string& out);
std::string decode(CodePage cp, std::string_view bytes);
// The code page's bytes for UTF-8 text; a character the code page lacks becomes '?'.
std::string encode(CodePage cp, std::string_view utf8);
// The same bytes written into `out`, at most `room` of them; returns how many.
std::size_t encodeInto(CodePage cp, std::string_view utf8, char* out, std::size_t room);

// Text moved from one code page to another byte by byte: each byte stands for one
// character, which the other code page stores as one byte ('?' when it lacks it).
using ByteMap = std::array<char, 256>;
const ByteMap& byteMap(CodePage from, CodePage to);

}  // namespace dbf
