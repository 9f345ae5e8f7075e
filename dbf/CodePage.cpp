#include "dbf/CodePage.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>

namespace dbf {
namespace {

#include "dbf/CodePageTables.inc"

// From Unicode back to a code page's upper half: a direct table for Latin-1, where the
// letters of Spanish and Valencian lie, and a map for the rest (box drawing, Greek...).
struct Reverse {
  std::array<char, 256> latin{};  // 0: not in the code page
  std::unordered_map<char16_t, char> others;
};

const Reverse& reverse(CodePage cp) {
  static const auto build = [](const std::array<char16_t, 128>& t) {
    Reverse r;
    for (int i = 0; i < 128; ++i) {
      const char16_t u = t[static_cast<std::size_t>(i)];
      const char byte = static_cast<char>(0x80 + i);
      if (u < 0x100) {
        if (r.latin[u] == 0) r.latin[u] = byte;
      } else {
        r.others.emplace(u, byte);
      }
    }
    return r;
  };
  static const auto r437 = build(k437);
  static const auto r850 = build(k850);
  static const auto r1252 = build(k1252);
  switch (cp) {
    case CodePage::Cp437:
      return r437;
    case CodePage::Cp850:
      return r850;
    case CodePage::Cp1252:
      break;
  }
  return r1252;
}

void appendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Reads one UTF-8 character at s[i]; advances i. Invalid bytes read as U+FFFD.
char32_t nextUtf8(std::string_view s, std::size_t& i) {
  unsigned char c = static_cast<unsigned char>(s[i++]);
  if (c < 0x80) return c;
  int extra = (c >= 0xF0 && c < 0xF8) ? 3 : (c >= 0xE0) ? 2 : (c >= 0xC2 && c < 0xE0) ? 1 : -1;
  if (extra < 0 || (c >= 0xF8)) return 0xFFFD;
  char32_t value = c & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= s.size()) return 0xFFFD;
    unsigned char d = static_cast<unsigned char>(s[i]);
    if ((d & 0xC0) != 0x80) return 0xFFFD;
    value = (value << 6) | (d & 0x3F);
    ++i;
  }
  return value;
}

}  // namespace

CodePage codePageOfDriver(std::uint8_t driver) {
  switch (driver) {
    case 0x01:
    case 0x09:
    case 0x0B:
    case 0x0D:
    case 0x0F:
    case 0x11:
    case 0x15:
    case 0x18:
    case 0x19:
    case 0x1B:
      return CodePage::Cp437;
    case 0x02:
    case 0x0A:
    case 0x0E:
    case 0x10:
    case 0x12:
    case 0x14:
    case 0x16:
    case 0x1A:
    case 0x1D:
    case 0x25:
    case 0x37:
      return CodePage::Cp850;
    default:
      return CodePage::Cp1252;
  }
}

const char* codePageName(CodePage cp) {
  switch (cp) {
    case CodePage::Cp437:
      return "cp437";
    case CodePage::Cp850:
      return "cp850";
    case CodePage::Cp1252:
      break;
  }
  return "cp1252";
}

namespace {

// UTF-8 bytes of each of the 128 upper characters of a code page.
struct Utf8Of {
  unsigned char length;
  char bytes[3];
};

std::array<Utf8Of, 128> utf8Table(const std::array<char16_t, 128>& high) {
  std::array<Utf8Of, 128> table{};
  for (std::size_t i = 0; i < 128; ++i) {
    std::string s;
    appendUtf8(high[i], s);
    table[i].length = static_cast<unsigned char>(s.size());
    for (std::size_t k = 0; k < s.size(); ++k) table[i].bytes[k] = s[k];
  }
  return table;
}

const std::array<Utf8Of, 128>& utf8Of(CodePage cp) {
  static const auto t437 = utf8Table(k437);
  static const auto t850 = utf8Table(k850);
  static const auto t1252 = utf8Table(k1252);
  switch (cp) {
    case CodePage::Cp437:
      return t437;
    case CodePage::Cp850:
      return t850;
    case CodePage::Cp1252:
      break;
  }
  return t1252;
}

}  // namespace

void decodeAppend(CodePage cp, std::string_view bytes, std::string& out) {
  // Most texts are plain ASCII: find the first byte above 127, eight bytes at a time.
  std::size_t ascii = 0;
  for (std::uint64_t word; ascii + 8 <= bytes.size(); ascii += 8) {
    std::memcpy(&word, bytes.data() + ascii, 8);
    if (word & 0x8080808080808080ull) break;
  }
  while (ascii < bytes.size() && static_cast<unsigned char>(bytes[ascii]) < 0x80) ++ascii;
  if (ascii == bytes.size()) {
    out.append(bytes.data(), bytes.size());
    return;
  }
  const auto& table = utf8Of(cp);
  char converted[3 * 256];
  out.append(bytes.data(), ascii);
  for (std::size_t i = ascii; i < bytes.size();) {
    char* p = converted;
    for (std::size_t end = std::min(bytes.size(), i + 256); i < end; ++i) {
      auto b = static_cast<unsigned char>(bytes[i]);
      if (b < 0x80) {
        *p++ = static_cast<char>(b);
      } else {
        const Utf8Of& u = table[b - 0x80];
        for (unsigned char k = 0; k < u.length; ++k) *p++ = u.bytes[k];
      }
    }
    out.append(converted, static_cast<std::size_t>(p - converted));
  }
}

std::string decode(CodePage cp, std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  decodeAppend(cp, bytes, out);
  return out;
}

std::size_t encodeInto(CodePage cp, std::string_view utf8, char* out, std::size_t room) {
  std::size_t n = 0;
  const Reverse* table = nullptr;
  for (std::size_t i = 0; i < utf8.size() && n < room;) {
    // ASCII stays as it is: eight bytes at a time while they are.
    if (i + 8 <= utf8.size() && n + 8 <= room) {
      std::uint64_t word;
      std::memcpy(&word, utf8.data() + i, 8);
      if ((word & 0x8080808080808080ull) == 0) {
        std::memcpy(out + n, &word, 8);
        i += 8;
        n += 8;
        continue;
      }
    }
    unsigned char b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out[n++] = static_cast<char>(b);
      ++i;
      continue;
    }
    if (table == nullptr) table = &reverse(cp);
    const char32_t c = nextUtf8(utf8, i);
    char byte = '?';
    if (c < 0x100) {
      if (table->latin[c] != 0) byte = table->latin[c];
    } else if (c <= 0xFFFF) {
      auto it = table->others.find(static_cast<char16_t>(c));
      if (it != table->others.end()) byte = it->second;
    }
    out[n++] = byte;
  }
  return n;
}

std::string encode(CodePage cp, std::string_view utf8) {
  std::string out(utf8.size(), '\0');  // never more bytes than the UTF-8 text has
  out.resize(encodeInto(cp, utf8, out.data(), out.size()));
  return out;
}

const ByteMap& byteMap(CodePage from, CodePage to) {
  // Worked out with decode and encode themselves, so that moving the bytes gives what
  // decoding and encoding the text would.
  static const auto build = [](CodePage a, CodePage b) {
    ByteMap m{};
    for (int i = 0; i < 256; ++i) {
      const char byte = static_cast<char>(i);
      encodeInto(b, decode(a, std::string_view(&byte, 1)), &m[static_cast<std::size_t>(i)], 1);
    }
    return m;
  };
  static const std::array<ByteMap, 9> maps = [] {
    std::array<ByteMap, 9> all{};
    const CodePage pages[] = {CodePage::Cp437, CodePage::Cp850, CodePage::Cp1252};
    for (int a = 0; a < 3; ++a)
      for (int b = 0; b < 3; ++b)
        all[static_cast<std::size_t>(3 * a + b)] = build(pages[a], pages[b]);
    return all;
  }();
  return maps[static_cast<std::size_t>(3 * static_cast<int>(from) + static_cast<int>(to))];
}

}  // namespace dbf
