#pragma once
// Builds dBase files byte by byte, as other programs write them, so that tests can
// show how the engine reads foreign dialects and damaged files.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct RawField {
  std::string name;
  char type;
  int length;
  int decimals = 0;
  std::uint8_t flags = 0;
};

struct RawDbf {
  std::uint8_t version = 0x03;
  std::uint8_t languageDriver = 0x03;
  std::uint8_t tableFlags = 0;
  bool backlink = false;  // Visual FoxPro's 263 bytes after the fields
  std::vector<RawField> fields;
  std::vector<std::string> records;  // each with its deletion flag, exactly recordLength bytes
  long headerCount = -1;             // -1: the number of records
  bool endMark = true;

  int recordLength() const {
    int n = 1;
    for (const auto& f : fields) n += f.length;
    return n;
  }

  std::string bytes() const {
    std::size_t headerLength = 32 + 32 * fields.size() + 1 + (backlink ? 263 : 0);
    std::string h(headerLength, '\0');
    h[0] = static_cast<char>(version);
    h[1] = 124;
    h[2] = 1;
    h[3] = 1;
    std::uint32_t count = headerCount < 0 ? static_cast<std::uint32_t>(records.size())
                                          : static_cast<std::uint32_t>(headerCount);
    for (int i = 0; i < 4; ++i) h[4 + i] = static_cast<char>((count >> (8 * i)) & 0xFF);
    h[8] = static_cast<char>(headerLength & 0xFF);
    h[9] = static_cast<char>(headerLength >> 8);
    int rl = recordLength();
    h[10] = static_cast<char>(rl & 0xFF);
    h[11] = static_cast<char>(rl >> 8);
    h[28] = static_cast<char>(tableFlags);
    h[29] = static_cast<char>(languageDriver);
    std::size_t at = 32;
    int offset = 1;
    for (const auto& f : fields) {
      h.replace(at, f.name.size(), f.name);
      h[at + 11] = f.type;
      for (int i = 0; i < 4; ++i) h[at + 12 + i] = static_cast<char>((offset >> (8 * i)) & 0xFF);
      h[at + 16] = static_cast<char>(f.length);
      h[at + 17] = static_cast<char>(f.decimals);
      h[at + 18] = static_cast<char>(f.flags);
      offset += f.length;
      at += 32;
    }
    h[at] = 0x0D;
    std::string out = h;
    for (const auto& r : records) out += r;
    if (endMark) out += '\x1A';
    return out;
  }
};

// Changes, in the table file at `path` (native), the 32-byte descriptor of the field
// named `field`, as a damaged header or another program could have left it.
template <class Change>
void patchFieldDescriptor(const std::string& path, const std::string& field, Change&& change) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  for (std::size_t at = 32; at + 32 <= bytes.size() && bytes[at] != 0x0D; at += 32) {
    if (bytes.compare(at, field.size() + 1, field + '\0') != 0) continue;
    std::string descriptor = bytes.substr(at, 32);
    change(descriptor);
    bytes.replace(at, 32, descriptor);
  }
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string le32(std::uint32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return s;
}

inline std::string le64double(double d) {
  std::uint64_t bits;
  static_assert(sizeof bits == sizeof d);
  __builtin_memcpy(&bits, &d, sizeof d);
  std::string s(8, '\0');
  for (int i = 0; i < 8; ++i) s[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
  return s;
}

// Pads or cuts text to a width, blank-filled on the right.
inline std::string pad(std::string s, std::size_t width) {
  s.resize(width, ' ');
  return s;
}

// Right-aligns text in a width, as numbers are stored.
inline std::string right(const std::string& s, std::size_t width) {
  return std::string(width - s.size(), ' ') + s;
}
