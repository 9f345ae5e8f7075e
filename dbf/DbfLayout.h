#pragma once
// The structure of a dBase table as its header describes it, for every dialect the
// program meets: dBase III, IV/V and 7, FoxPro 2.x and Visual FoxPro.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dbf/CodePage.h"

namespace dbf {

enum class Dialect { DBase3, DBase4, DBase7, FoxPro, VisualFoxPro };

struct Field {
  std::string name;  // as stored
  char type = 'C';   // the dBase type letter
  int length = 0;    // bytes in the record
  int decimals = 0;
  int offset = 0;          // from the start of the record (byte 0 is the deletion flag)
  std::uint8_t flags = 0;  // Visual FoxPro field flags
  int nullBit = -1;        // bit in _NullFlags telling the value is null
  int lengthBit = -1;      // bit in _NullFlags telling a varchar is shorter than its width
  bool system = false;     // hidden system field (_NullFlags)
  bool tagged = false;     // a tag of the production index orders by it
};

struct Layout {
  std::uint8_t version = 0x03;
  Dialect dialect = Dialect::DBase4;
  std::uint32_t headerCount = 0;  // the record count the header states
  std::uint32_t headerLength = 0;
  std::uint32_t recordLength = 0;
  std::uint8_t tableFlags = 0;
  std::uint8_t languageDriver = 0;
  CodePage codePage = CodePage::Cp1252;
  std::vector<Field> fields;
  int nullFlagsField = -1;

  // Index of the field of that name, compared without regard to case; -1 when absent.
  int find(std::string_view name) const;
  bool isVfp() const { return dialect == Dialect::VisualFoxPro; }
};

// Minimum bytes to read before the header length is known.
inline constexpr std::size_t kHeaderPrefix = 32;

// Parses a header. `header` holds the first bytes of the file (at least the header
// length, when the file has that many); `fileSize` is the file's size. Throws
// EngineError naming `displayName` when the header is damaged.
Layout parseLayout(std::string_view header, std::uint64_t fileSize, const std::string& displayName);

// Header length announced by the first 32 bytes, for reading the rest.
std::uint32_t announcedHeaderLength(std::string_view prefix);

// Kinds of field the program creates tables with.
enum class FieldKind { String, Integer, Float, Boolean };
struct FieldDef {
  std::string name;
  FieldKind kind = FieldKind::String;
  int width = 0;  // strings only
};

// True when a record made for one layout is a record of the other: the same fields, at
// the same places, written the same way.
bool sameRecords(const Layout& a, const Layout& b);

// Layout and header bytes of a new dBase IV table (code page 1252) with these fields.
Layout newTableLayout(const std::vector<FieldDef>& defs, const std::string& displayName);
std::string headerBytes(const Layout& layout);
// The layout such a table has once created and opened again: its header read back.
Layout reopenedLayout(const std::vector<FieldDef>& defs, const std::string& displayName);

// Date stamp and record count of the header (bytes 1 to 7).
std::string headerStamp(std::uint32_t count);

}  // namespace dbf
