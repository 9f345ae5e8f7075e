#include "dbf/Mdx.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "dbf/FieldValue.h"
#include "plat/Platform.h"
#include "plat/WinPath.h"

namespace dbf {
namespace {

constexpr std::size_t kPage = 512;
constexpr std::size_t kBlock = 1024;
constexpr std::size_t kBlockPages = kBlock / kPage;
constexpr std::size_t kTagTable = 544;
constexpr std::size_t kTagEntry = 32;
constexpr std::size_t kMaxTags = 47;
constexpr std::uint32_t kFirstTagPage = 4;  // after the header and tag table (2048 bytes)
constexpr std::size_t kExpressionAt = 24;

void put16(std::string& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<char>(v & 0xFF);
  b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& b, std::size_t at, std::uint32_t v) {
  put16(b, at, v & 0xFFFF);
  put16(b, at + 2, v >> 16);
}

std::uint32_t get32(const std::string& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i)
    v = (v << 8) | static_cast<std::uint8_t>(b[at + static_cast<std::size_t>(i)]);
  return v;
}

char keyTypeOf(char fieldType) {
  switch (fieldType) {
    case 'C':
    case 'V':
      return 'C';
    case 'D':
    case 'T':
    case '@':
      return 'D';
    default:
      return 'N';
  }
}

std::size_t keyLengthOf(const Field& f) {
  switch (keyTypeOf(f.type)) {
    case 'C':
      return static_cast<std::size_t>(f.length);
    case 'D':
      return 8;
    default:
      return 12;
  }
}

// dBase IV numbers in keys: a normalised decimal mantissa 0.d1d2d3... with its exponent
// in byte 0 (0x34 + exponent), the digit count and sign in byte 1, and the digits two
// per byte from byte 2.
std::string bcd(double v) {
  std::string k(12, '\0');
  if (v == 0 || !std::isfinite(v)) {
    k[0] = 0x34;
    k[1] = 0x01;
    return k;
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));  // 15 significant digits, d.dddde±XX
  std::string digits;
  for (char* p = buf; *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') digits += *p;
  int exponent = std::atoi(std::strchr(buf, 'e') + 1) + 1;
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  if (digits.size() > 20) digits.resize(20);
  k[0] = static_cast<char>(0x34 + exponent);
  k[1] = static_cast<char>((digits.size() << 2) | 1 | (v < 0 ? 0x80 : 0));
  for (std::size_t i = 0; i < digits.size(); ++i) {
    auto nibble = static_cast<unsigned char>(digits[i] - '0');
    k[2 + i / 2] = static_cast<char>(static_cast<unsigned char>(k[2 + i / 2]) |
                                     (i % 2 == 0 ? nibble << 4 : nibble));
  }
  return k;
}

double bcdValue(const std::string& k) {
  int count = (static_cast<std::uint8_t>(k[1]) & 0x7F) >> 2;
  double mantissa = 0;
  double scale = 0.1;
  for (int i = 0; i < count; ++i) {
    auto byte = static_cast<std::uint8_t>(k[2 + static_cast<std::size_t>(i / 2)]);
    mantissa += ((i % 2 == 0) ? byte >> 4 : byte & 0x0F) * scale;
    scale /= 10;
  }
  double v = mantissa * std::pow(10.0, static_cast<std::uint8_t>(k[0]) - 0x34);
  return (static_cast<std::uint8_t>(k[1]) & 0x80) ? -v : v;
}

double doubleOf(const std::string& k) {
  double d;
  std::memcpy(&d, k.data(), sizeof d);
  return d;
}

bool keyLess(char keyType, const std::string& a, const std::string& b) {
  switch (keyType) {
    case 'C':
      return std::lexicographical_compare(
          a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
          });
    case 'D':
      return doubleOf(a) < doubleOf(b);
    default:
      return bcdValue(a) < bcdValue(b);
  }
}

struct TreeEntry {
  std::uint32_t pointer;  // record number in a leaf, child page in a branch
  std::string key;        // the key, or the highest key below the child
};

// Builds one tag's B-tree into `file`, allocating blocks from `nextPage`; returns the
// root page.
std::uint32_t buildTree(std::string& file, std::uint32_t& nextPage, std::vector<TreeEntry> level,
                        std::size_t itemLength, std::size_t maxKeys) {
  auto writeNode = [&](const std::vector<TreeEntry>& items, std::uint32_t last) {
    std::uint32_t page = nextPage;
    nextPage += kBlockPages;
    file.resize(static_cast<std::size_t>(nextPage) * kPage, '\0');
    std::size_t at = static_cast<std::size_t>(page) * kPage;
    put32(file, at, static_cast<std::uint32_t>(items.size()));
    std::size_t item = at + 8;
    for (const TreeEntry& e : items) {
      put32(file, item, e.pointer);
      std::memcpy(&file[item + 4], e.key.data(), e.key.size());
      item += itemLength;
    }
    put32(file, item, last);
    return page;
  };

  // Leaves: up to maxKeys records each.
  std::vector<TreeEntry> parents;
  if (level.empty()) return writeNode({}, 0);
  for (std::size_t i = 0; i < level.size(); i += maxKeys) {
    std::vector<TreeEntry> chunk(
        level.begin() + static_cast<std::ptrdiff_t>(i),
        level.begin() + static_cast<std::ptrdiff_t>(std::min(level.size(), i + maxKeys)));
    parents.push_back({writeNode(chunk, 0), chunk.back().key});
  }
  // Branches: up to maxKeys items and a last pointer, so maxKeys + 1 children each.
  while (parents.size() > 1) {
    std::vector<TreeEntry> children = std::move(parents);
    parents.clear();
    const std::size_t fanout = maxKeys + 1;
    for (std::size_t i = 0; i < children.size();) {
      std::size_t n = std::min(fanout, children.size() - i);
      // Never leave a lone child for the last branch.
      if (children.size() - i - n == 1) --n;
      std::vector<TreeEntry> items(children.begin() + static_cast<std::ptrdiff_t>(i),
                                   children.begin() + static_cast<std::ptrdiff_t>(i + n - 1));
      const TreeEntry& last = children[i + n - 1];
      parents.push_back({writeNode(items, last.pointer), last.key});
      i += n;
    }
  }
  return parents.front().pointer;
}

std::string todayBytes() {
  plat::LocalDate d = plat::today();
  return {static_cast<char>(d.year - 1900), static_cast<char>(d.month), static_cast<char>(d.day)};
}

}  // namespace

std::string mdxPathFor(const std::string& dbfNativePath) {
  namespace fs = std::filesystem;
  fs::path p = plat::fsPath(dbfNativePath);
  std::string stem = plat::fsText(p.stem());
  std::string ext = plat::fsText(p.extension());
  bool lower = !ext.empty() && ext[1] >= 'a' && ext[1] <= 'z';
  std::string wanted = stem + (lower ? ".mdx" : ".MDX");
  std::error_code ec;
  fs::path folder = p.has_parent_path() ? p.parent_path() : fs::path(".");
  if (fs::exists(folder / plat::fsPath(wanted), ec))
    return plat::fsText(folder / plat::fsPath(wanted));
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    std::string name = plat::fsText(entry.path().filename());
    if (plat::sameName(name, wanted)) return plat::fsText(folder / entry.path().filename());
  }
  return plat::fsText(folder / plat::fsPath(wanted));
}

std::optional<std::vector<MdxTag>> readMdxTags(const std::string& path) {
  try {
    if (!plat::fileExists(path)) return std::nullopt;
    plat::File f = plat::File::open(path, plat::Access::Read);
    std::string head(kTagTable + kMaxTags * kTagEntry, '\0');
    if (f.readAt(0, head.data(), head.size()) != head.size()) return std::nullopt;
    if (head[0] != 2 || static_cast<std::uint8_t>(head[26]) != kTagEntry) return std::nullopt;
    std::size_t used =
        static_cast<std::uint8_t>(head[28]) | (static_cast<std::uint8_t>(head[29]) << 8);
    if (used > kMaxTags) return std::nullopt;
    const std::uint64_t size = f.size();
    std::vector<MdxTag> tags;
    for (std::size_t i = 0; i < used; ++i) {
      std::size_t at = kTagTable + i * kTagEntry;
      std::uint32_t headerPage = get32(head, at);
      std::string name(head.data() + at + 4, 11);
      name = name.substr(0, name.find('\0'));
      std::string tagHeader(kBlock, '\0');
      if (static_cast<std::uint64_t>(headerPage) * kPage + kBlock > size ||
          f.readAt(static_cast<std::uint64_t>(headerPage) * kPage, tagHeader.data(), kBlock) !=
              kBlock)
        return std::nullopt;
      std::string expression(tagHeader.data() + kExpressionAt, kBlock - kExpressionAt);
      expression = expression.substr(0, expression.find('\0'));
      while (!expression.empty() && expression.back() == ' ') expression.pop_back();
      while (!name.empty() && name.back() == ' ') name.pop_back();
      if (name.empty() || expression.empty()) return std::nullopt;
      tags.push_back({name, expression});
    }
    return tags;
  } catch (const plat::IoError&) {
    return std::nullopt;
  }
}

std::string mdxKey(const Layout& t, const Field& f, const char* record) {
  switch (keyTypeOf(f.type)) {
    case 'C':
      return std::string(record + f.offset, static_cast<std::size_t>(f.length));
    case 'D': {
      Value v = readValue(t, f, record);
      double jd = v.kind == Value::Kind::Date ? static_cast<double>(julianDayOf(v.date)) : 0.0;
      std::string k(8, '\0');
      std::memcpy(k.data(), &jd, sizeof jd);
      return k;
    }
    default:
      return bcd(floatOf(readValue(t, f, record), f.name));
  }
}

void writeMdxKeys(const std::string& path, const std::string& tableBaseName, const Layout& t,
                  const std::vector<MdxTag>& tags,
                  const std::vector<std::vector<std::string>>& keysByTag) {
  std::string file(static_cast<std::size_t>(kFirstTagPage) * kPage, '\0');
  std::uint32_t nextPage = kFirstTagPage + static_cast<std::uint32_t>(tags.size() * kBlockPages);
  file.resize(static_cast<std::size_t>(nextPage) * kPage, '\0');

  std::vector<std::uint32_t> left(tags.size(), 0), right(tags.size(), 0), parent(tags.size(), 0);
  for (std::size_t i = 0; i < tags.size(); ++i) {
    const Field& f = t.fields[static_cast<std::size_t>(t.find(tags[i].field))];
    const char keyType = keyTypeOf(f.type);
    const std::size_t keyLength = keyLengthOf(f);
    const std::size_t itemLength = 4 + (keyLength + 3) / 4 * 4;
    const std::size_t maxKeys = (kBlock - 12) / itemLength;

    std::vector<TreeEntry> entries;
    const auto& keys = keysByTag[i];
    entries.reserve(keys.size());
    for (std::size_t r = 0; r < keys.size(); ++r)
      entries.push_back({static_cast<std::uint32_t>(r + 1), keys[r]});
    std::stable_sort(entries.begin(), entries.end(),
                     [keyType](const TreeEntry& a, const TreeEntry& b) {
                       return keyLess(keyType, a.key, b.key);
                     });
    std::uint32_t root = buildTree(file, nextPage, std::move(entries), itemLength, maxKeys);

    const std::uint32_t headerPage = kFirstTagPage + static_cast<std::uint32_t>(i * kBlockPages);
    std::size_t h = static_cast<std::size_t>(headerPage) * kPage;
    put32(file, h, root);
    file[h + 8] = 0x10;
    file[h + 9] = keyType;
    put16(file, h + 12, static_cast<std::uint32_t>(keyLength));
    put16(file, h + 14, static_cast<std::uint32_t>(maxKeys));
    put16(file, h + 18, static_cast<std::uint32_t>(itemLength));
    std::string expression = f.name;
    std::memcpy(&file[h + kExpressionAt], expression.data(), expression.size());

    // The tag table entry, linked into the binary tree of tag names.
    std::size_t e = kTagTable + i * kTagEntry;
    put32(file, e, headerPage);
    std::string name = tags[i].name.substr(0, 10);
    for (char& c : name)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    std::memcpy(&file[e + 4], name.data(), name.size());
    file[e + 15] = 0x10;
    file[e + 20] = keyType;
    if (i > 0) {
      std::size_t node = 0;
      for (;;) {
        bool less = tags[i].name < tags[node].name;
        std::uint32_t& next = less ? left[node] : right[node];
        if (next == 0) {
          next = static_cast<std::uint32_t>(i + 1);
          parent[i] = static_cast<std::uint32_t>(node + 1);
          break;
        }
        node = next - 1;
      }
    }
  }
  for (std::size_t i = 0; i < tags.size(); ++i) {
    std::size_t e = kTagTable + i * kTagEntry;
    file[e + 16] = static_cast<char>(left[i]);
    file[e + 17] = static_cast<char>(right[i]);
    file[e + 18] = static_cast<char>(parent[i]);
    std::size_t h = static_cast<std::size_t>(get32(file, e)) * kPage;
    put32(file, h + 4, nextPage);
  }

  file[0] = 2;
  std::string date = todayBytes();
  std::memcpy(&file[1], date.data(), 3);
  std::string base = tableBaseName.substr(0, 16);
  std::memcpy(&file[4], base.data(), base.size());
  put16(file, 20, kBlockPages);
  put16(file, 22, kBlock);
  file[24] = 1;
  file[25] = 0x30;
  file[26] = static_cast<char>(kTagEntry);
  put16(file, 28, static_cast<std::uint32_t>(tags.size()));
  put32(file, 32, nextPage);
  put32(file, 36, nextPage);
  std::memcpy(&file[44], date.data(), 3);

  plat::File out = plat::File::create(path);
  out.writeAt(0, file.data(), file.size());
  out.close();
}

}  // namespace dbf
