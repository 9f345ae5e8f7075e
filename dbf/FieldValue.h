#pragma once
// Values of dBase fields: reading a field's bytes into a value and writing a value into
// a field, with one reader and one writer per type letter.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "dbf/DbfLayout.h"

namespace dbf {

struct Date {
  int year = 0, month = 0, day = 0;
  bool isZero() const { return year == 0 && month == 0 && day == 0; }
  bool operator==(const Date&) const = default;
};

struct Value {
  enum class Kind { Empty, Text, Number, Boolean, Date };
  Kind kind = Kind::Empty;
  std::string text;
  double number = 0.0;
  bool integral = false;     // number holds a whole value read exactly
  std::int64_t integer = 0;  // the whole value when integral
  bool flag = false;
  Date date;
  int millis = -1;  // time of day of a date-time, -1 for a plain date

  static Value ofText(std::string s);
  static Value ofInteger(std::int64_t v);
  static Value ofFloat(double v);
  static Value ofBoolean(bool v);
};

// The value stored in field `f` of a record. Garbage in a field raises an EngineError
// that names the field.
Value readValue(const Layout& t, const Field& f, const char* record);
// Stores `v` into field `f` of a record, converted to the field's type; text is cut to
// the field's width. Raises an EngineError when the value does not fit the type.
void writeValue(const Layout& t, const Field& f, char* record, const Value& v);
// Faster paths for the commonest calls: text read from and written to a field.
std::string readText(const Layout& t, const Field& f, const char* record);
void readText(const Layout& t, const Field& f, const char* record, std::string& out);  // appends
void writeText(const Layout& t, const Field& f, char* record, std::string_view text);
// Number fields stored as text (N, F), read without building a Value; false when the
// field is of another kind or holds something the general path must judge.
bool readIntegerFast(const Field& f, const char* record, std::int64_t& out);
bool readFloatFast(const Field& f, const char* record, double& out);
// A whole number into a number field stored as text with no decimals; false, with the
// record untouched, when the general path must write it (other kinds, null flags, a
// number wider than the field).
bool writeIntegerFast(const Field& f, char* record, std::int64_t v);
// ASCII text into a plain character field, as writeText stores it: the part that fits,
// then blanks (every code page keeps ASCII as it is). False, with nothing written, for
// other text or other fields.
inline bool writeAsciiText(const Field& f, char* record, std::string_view text) {
  if (f.type != 'C' || f.nullBit >= 0) return false;
  const auto width = static_cast<std::size_t>(f.length);
  const std::size_t n = text.size() < width ? text.size() : width;
  unsigned char bits = 0;
  for (std::size_t i = 0; i < n; ++i) bits |= static_cast<unsigned char>(text[i]);
  if (bits >= 0x80) return false;
  std::memcpy(record + f.offset, text.data(), n);
  std::memset(record + f.offset + n, ' ', width - n);
  return true;
}
// What writeText(to, tf, toRecord, readText(from, ff, fromRecord)) stores, without the
// text in between: for copying a text field from one table's record into another's.
// False, with nothing written, unless both are plain character fields.
bool copyText(const Layout& from, const Field& ff, const char* fromRecord, const Layout& to,
              const Field& tf, char* toRecord);
// The bytes a record stores for a field, as they lie in the file.
inline std::string_view fieldBytes(const char* record, const Field& f) {
  return {record + f.offset, static_cast<std::size_t>(f.length)};
}
// A new record: not deleted, every field empty.
void blankRecord(const Layout& t, char* record);

// Whether the field, in its table's dialect, holds what the readers give back as it is:
// text (character fields, Visual FoxPro's varchar), or a number (numbers stored as text,
// and the binary numbers of the dialects that have them, at their own width). A type
// letter that a damaged header gives a field of another kind fails both.
bool readsAsText(const Layout& t, const Field& f);
bool readsAsNumber(const Layout& t, const Field& f);

// Conversions with the rules of the program's field reads.
std::string textOf(const Value& v);
std::string textOf(Value&& v);
std::int64_t integerOf(const Value& v, const std::string& fieldName);
double floatOf(const Value& v, const std::string& fieldName);
bool booleanOf(const Value& v);
Date dateOf(const Value& v, const std::string& fieldName);

// A number in general format: no thousands separator, no decimal part for a whole
// number, the user's decimal separator otherwise.
std::string generalFormat(double v);
// Nearest whole number, halves to the even neighbour.
std::int64_t roundHalfEven(double v);
// Parses a decimal number written with '.' or the user's separator; false on garbage.
bool parseDecimal(std::string_view text, double& out);

// Date from a Julian day number (days since 1 January 4713 BC).
Date dateOfJulianDay(std::int64_t jd);
std::int64_t julianDayOf(const Date& d);

}  // namespace dbf
