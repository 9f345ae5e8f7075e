#include "dbf/DbfLayout.h"

#include <algorithm>
#include <cstring>

#include "dbf/EngineError.h"
#include "plat/Platform.h"

namespace dbf {
namespace {

std::uint32_t u16(std::string_view s, std::size_t at) {
  return static_cast<std::uint8_t>(s[at]) | (static_cast<std::uint8_t>(s[at + 1]) << 8);
}

std::uint32_t u32(std::string_view s, std::size_t at) {
  return u16(s, at) | (u16(s, at + 2) << 16);
}

char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (upperAscii(a[i]) != upperAscii(b[i])) return false;
  return true;
}

[[noreturn]] void damaged(const std::string& name, const std::string& why) {
  throw EngineError("La tabla " + name + " está dañada o no es una tabla dBase: " + why,
                    EngineError::Kind::Damaged);
}

Dialect dialectOf(std::uint8_t version, const std::string& name) {
  switch (version) {
    case 0x02:
    case 0x03:
    case 0x83:
    case 0xFB:
      return Dialect::DBase3;
    case 0x43:
    case 0x63:
    case 0x7B:
    case 0x8B:
    case 0xCB:
    case 0x05:
      return Dialect::DBase4;
    case 0x04:
    case 0x8C:
      return Dialect::DBase7;
    case 0xF5:
    case 0xE5:
      return Dialect::FoxPro;
    case 0x30:
    case 0x31:
    case 0x32:
      return Dialect::VisualFoxPro;
    default:
      damaged(name, "versión de cabecera desconocida (" + std::to_string(version) + ")");
  }
}

// Bytes that a field of a fixed-size binary type must have.
int fixedLength(char type, Dialect d) {
  switch (type) {
    case 'I':
    case '+':
      return 4;
    case 'Y':
    case 'T':
    case 'O':
    case '@':
      return 8;
    case 'B':
      return d == Dialect::VisualFoxPro ? 8 : 0;
    case 'D':
      return 8;
    default:
      return 0;
  }
}

// Whether field descriptors of `step` bytes from `first` on end in the terminator, each
// of them inside the header.
bool endsInTerminator(std::string_view h, std::uint32_t headerLength, std::size_t first,
                      std::size_t step) {
  for (std::size_t at = first; at < headerLength; at += step) {
    if (h[at] == 0x0D) return true;
    if (at + step > headerLength) return false;
  }
  return false;
}

std::string fieldName(std::string_view raw) {
  std::size_t end = raw.find('\0');
  std::string_view n = raw.substr(0, end == std::string_view::npos ? raw.size() : end);
  while (!n.empty() && n.back() == ' ') n.remove_suffix(1);
  while (!n.empty() && n.front() == ' ') n.remove_prefix(1);
  return std::string(n);
}

}  // namespace

int Layout::find(std::string_view name) const {
  for (std::size_t i = 0; i < fields.size(); ++i)
    if (!fields[i].system && equalsNoCase(fields[i].name, name)) return static_cast<int>(i);
  return -1;
}

std::uint32_t announcedHeaderLength(std::string_view prefix) {
  return prefix.size() >= 12 ? u16(prefix, 8) : 0;
}

Layout parseLayout(std::string_view h, std::uint64_t fileSize, const std::string& name) {
  if (h.size() < kHeaderPrefix) damaged(name, "cabecera incompleta");
  Layout t;
  t.version = static_cast<std::uint8_t>(h[0]);
  t.dialect = dialectOf(t.version, name);
  t.headerCount = u32(h, 4);
  t.headerLength = u16(h, 8);
  t.recordLength = u16(h, 10);
  t.tableFlags = static_cast<std::uint8_t>(h[28]);
  t.languageDriver = static_cast<std::uint8_t>(h[29]);
  t.codePage = codePageOfDriver(t.languageDriver);

  if (t.headerLength > fileSize) damaged(name, "la cabecera es más larga que el archivo");
  if (h.size() < t.headerLength) damaged(name, "cabecera incompleta");
  // Some writers mark dBase IV tables with the version byte of level 7 while keeping the
  // classic 32-byte field descriptors. Where the terminator stands tells the two apart
  // (the two walks never meet on one byte), whatever the record length says: a wrong
  // one is then reported as such.
  if (t.dialect == Dialect::DBase7 && !endsInTerminator(h, t.headerLength, 68, 48) &&
      endsInTerminator(h, t.headerLength, 32, 32))
    t.dialect = Dialect::DBase4;
  const bool v7 = t.dialect == Dialect::DBase7;
  const std::size_t first = v7 ? 68 : 32;
  const std::size_t step = v7 ? 48 : 32;
  if (t.headerLength < first + 1) damaged(name, "longitud de cabecera demasiado corta");
  if (t.recordLength < 1) damaged(name, "longitud de registro nula");

  int offset = 1;
  for (std::size_t at = first; at < t.headerLength; at += step) {
    if (h[at] == 0x0D) break;
    if (at + step > t.headerLength) break;
    Field f;
    std::string_view d = h.substr(at, step);
    if (v7) {
      f.name = fieldName(d.substr(0, 32));
      f.type = d[32];
      f.length = static_cast<std::uint8_t>(d[33]);
      f.decimals = static_cast<std::uint8_t>(d[34]);
    } else {
      f.name = fieldName(d.substr(0, 11));
      f.type = d[11];
      f.length = static_cast<std::uint8_t>(d[16]);
      f.decimals = static_cast<std::uint8_t>(d[17]);
      if (t.isVfp()) f.flags = static_cast<std::uint8_t>(d[18]);
      f.tagged = (t.dialect == Dialect::DBase3 || t.dialect == Dialect::DBase4) && d[31] == 1;
    }
    f.offset = offset;
    if (f.length == 0) damaged(name, "el campo " + f.name + " tiene longitud 0");
    int need = fixedLength(f.type, t.dialect);
    if (need != 0 && f.length < need)
      damaged(name, "el campo " + f.name + " tiene una longitud no válida");
    if (f.type == '0') f.system = true;
    offset += f.length;
    t.fields.push_back(std::move(f));
  }
  if (t.fields.empty()) damaged(name, "la tabla no tiene campos");
  // A record of another length than its fields' would be read at the wrong places, or
  // not at all.
  if (static_cast<std::uint32_t>(offset) != t.recordLength)
    damaged(name, "la longitud de registro (" + std::to_string(t.recordLength) +
                      ") no es la suma de las de sus campos (" + std::to_string(offset) + ")");

  // Visual FoxPro: bits of _NullFlags go, in field order, to each varchar's length and
  // to each nullable field.
  if (t.isVfp()) {
    for (std::size_t i = 0; i < t.fields.size(); ++i)
      if (t.fields[i].type == '0') t.nullFlagsField = static_cast<int>(i);
    if (t.nullFlagsField >= 0) {
      int bit = 0;
      for (Field& f : t.fields) {
        if (f.system) continue;
        if (f.type == 'V' || f.type == 'Q') f.lengthBit = bit++;
        if (f.flags & 0x02) f.nullBit = bit++;
      }
      const Field& nf = t.fields[static_cast<std::size_t>(t.nullFlagsField)];
      if (bit > nf.length * 8) damaged(name, "el campo _NullFlags es demasiado corto");
    }
  }
  return t;
}

bool sameRecords(const Layout& a, const Layout& b) {
  auto sameField = [](const Field& x, const Field& y) {
    return x.name == y.name && x.type == y.type && x.length == y.length &&
           x.decimals == y.decimals && x.offset == y.offset && x.flags == y.flags &&
           x.nullBit == y.nullBit && x.lengthBit == y.lengthBit && x.system == y.system;
  };
  return a.dialect == b.dialect && a.codePage == b.codePage && a.recordLength == b.recordLength &&
         a.nullFlagsField == b.nullFlagsField &&
         std::equal(a.fields.begin(), a.fields.end(), b.fields.begin(), b.fields.end(), sameField);
}

Layout newTableLayout(const std::vector<FieldDef>& defs, const std::string& name) {
  Layout t;
  t.version = 0x03;
  t.dialect = Dialect::DBase4;
  t.languageDriver = 0x57;
  t.codePage = CodePage::Cp1252;
  int offset = 1;
  for (const FieldDef& d : defs) {
    Field f;
    f.name = d.name;
    for (char& c : f.name) c = upperAscii(c);
    if (f.name.empty() || f.name.size() > 10)
      throw EngineError("Nombre de campo no válido '" + d.name + "' en la tabla " + name);
    if (t.find(f.name) >= 0)
      throw EngineError("Campo duplicado '" + d.name + "' en la tabla " + name);
    switch (d.kind) {
      case FieldKind::String:
        if (d.width < 1 || d.width > 254)
          throw EngineError("Longitud no válida del campo '" + d.name + "' en la tabla " + name);
        f.type = 'C';
        f.length = d.width;
        break;
      case FieldKind::Integer:
        f.type = 'N';
        f.length = 11;
        break;
      case FieldKind::Float:
        f.type = 'N';
        f.length = 20;
        f.decimals = 4;
        break;
      case FieldKind::Boolean:
        f.type = 'L';
        f.length = 1;
        break;
    }
    f.offset = offset;
    offset += f.length;
    t.fields.push_back(std::move(f));
  }
  if (t.fields.empty()) throw EngineError("La tabla " + name + " no tiene campos");
  if (offset > 0xFFFF) throw EngineError("Registro demasiado largo en la tabla " + name);
  t.recordLength = static_cast<std::uint32_t>(offset);
  t.headerLength = static_cast<std::uint32_t>(32 * (t.fields.size() + 1) + 1);
  return t;
}

std::string headerStamp(std::uint32_t count) {
  plat::LocalDate d = plat::today();
  std::string s(7, '\0');
  s[0] = static_cast<char>(d.year - 1900);
  s[1] = static_cast<char>(d.month);
  s[2] = static_cast<char>(d.day);
  for (int i = 0; i < 4; ++i) s[3 + i] = static_cast<char>((count >> (8 * i)) & 0xFF);
  return s;
}

std::string headerBytes(const Layout& t) {
  std::string h(t.headerLength, '\0');
  h[0] = static_cast<char>(t.version);
  std::string stamp = headerStamp(t.headerCount);
  std::memcpy(&h[1], stamp.data(), stamp.size());
  h[8] = static_cast<char>(t.headerLength & 0xFF);
  h[9] = static_cast<char>(t.headerLength >> 8);
  h[10] = static_cast<char>(t.recordLength & 0xFF);
  h[11] = static_cast<char>(t.recordLength >> 8);
  h[28] = static_cast<char>(t.tableFlags);
  h[29] = static_cast<char>(t.languageDriver);
  std::size_t at = 32;
  for (const Field& f : t.fields) {
    std::memcpy(&h[at], f.name.data(), f.name.size());
    h[at + 11] = f.type;
    h[at + 16] = static_cast<char>(f.length);
    h[at + 17] = static_cast<char>(f.decimals);
    h[at + 31] = f.tagged ? 1 : 0;
    at += 32;
  }
  h[at] = 0x0D;
  return h;
}

Layout reopenedLayout(const std::vector<FieldDef>& defs, const std::string& displayName) {
  const std::string header = headerBytes(newTableLayout(defs, displayName));
  return parseLayout(header, header.size() + 1, displayName);
}

}  // namespace dbf
