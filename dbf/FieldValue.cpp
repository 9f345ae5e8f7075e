#include "dbf/FieldValue.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "dbf/EngineError.h"
#include "plat/Platform.h"

namespace dbf {
namespace {

std::uint32_t le32(const char* p) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(p[i]);
  return v;
}

std::uint32_t be32(const char* p) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v = (v << 8) | static_cast<std::uint8_t>(p[i]);
  return v;
}

std::uint64_t le64(const char* p) {
  return le32(p) | (static_cast<std::uint64_t>(le32(p + 4)) << 32);
}

void putLe(char* p, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void putBe(char* p, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) p[bytes - 1 - i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\0')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
  return s;
}

[[noreturn]] void badValue(const Field& f, std::string_view raw) {
  throw EngineError::value("Valor no válido en el campo '" + f.name + "': '" + std::string(raw) +
                           "'");
}

bool bitSet(const Layout& t, const char* rec, int bit) {
  if (bit < 0 || t.nullFlagsField < 0) return false;
  const Field& nf = t.fields[static_cast<std::size_t>(t.nullFlagsField)];
  return (static_cast<std::uint8_t>(rec[nf.offset + bit / 8]) >> (bit % 8)) & 1;
}

void setBit(const Layout& t, char* rec, int bit, bool on) {
  if (bit < 0 || t.nullFlagsField < 0) return;
  const Field& nf = t.fields[static_cast<std::size_t>(t.nullFlagsField)];
  char& b = rec[nf.offset + bit / 8];
  auto mask = static_cast<std::uint8_t>(1u << (bit % 8));
  b = static_cast<char>(on ? (static_cast<std::uint8_t>(b) | mask)
                           : (static_cast<std::uint8_t>(b) & ~mask));
}

// Numeric text as stored in N and F fields: blanks, or a decimal number. Asterisks are
// what dBase stores when a value overflowed the field: no value.
Value numberFromText(const Field& f, std::string_view raw) {
  std::string_view s = trimBlanks(raw);
  if (s.empty() || s.find_first_not_of('*') == std::string_view::npos) return {};
  std::string_view body = s;
  if (!body.empty() && body.front() == '+') body.remove_prefix(1);
  Value v;
  v.kind = Value::Kind::Number;
  std::int64_t whole = 0;
  auto r = std::from_chars(body.data(), body.data() + body.size(), whole);
  if (r.ec == std::errc() && r.ptr == body.data() + body.size()) {
    v.integral = true;
    v.integer = whole;
    v.number = static_cast<double>(whole);
    return v;
  }
  double d = 0;
  auto rd = std::from_chars(body.data(), body.data() + body.size(), d);
  if (rd.ec != std::errc() || rd.ptr != body.data() + body.size() || !std::isfinite(d)) {
    // A decimal comma appears in tables written under some locales.
    std::string copy(body);
    auto comma = copy.find(',');
    if (comma == std::string::npos) badValue(f, raw);
    copy[comma] = '.';
    rd = std::from_chars(copy.data(), copy.data() + copy.size(), d);
    if (rd.ec != std::errc() || rd.ptr != copy.data() + copy.size()) badValue(f, raw);
  }
  v.number = d;
  return v;
}

Value numberOf(double d) {
  Value v;
  v.kind = Value::Kind::Number;
  v.number = d;
  return v;
}

Value integerValue(std::int64_t i) {
  Value v;
  v.kind = Value::Kind::Number;
  v.integral = true;
  v.integer = i;
  v.number = static_cast<double>(i);
  return v;
}

Value dateValue(const Date& d, int millis = -1) {
  Value v;
  if (d.isZero()) return v;
  v.kind = Value::Kind::Date;
  v.date = d;
  v.millis = millis;
  return v;
}

bool validDate(const Date& d) {
  static const int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return d.year >= 1 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
         d.day <= days[d.month - 1];
}

// --- readers, one per type letter -------------------------------------------------

// A text field's bytes without the blanks and zero bytes that pad it at the end; wide
// fields mostly end in blanks, looked at eight at a time.
std::string_view withoutPadding(std::string_view raw) {
  for (std::uint64_t word; raw.size() >= 8; raw.remove_suffix(8)) {
    std::memcpy(&word, raw.data() + raw.size() - 8, 8);
    if (word != 0x2020202020202020ull) break;
  }
  while (!raw.empty() && (raw.back() == ' ' || raw.back() == '\0')) raw.remove_suffix(1);
  return raw;
}

// A zero byte inside a text field reads as a blank, as other dBase readers take it:
// a text never carries one on to another table.
void blanksForZeros(char* text, std::size_t n) {
  for (char* z; (z = static_cast<char*>(std::memchr(text, '\0', n))) != nullptr;) {
    *z = ' ';
    n -= static_cast<std::size_t>(z + 1 - text);
    text = z + 1;
  }
}

// The decoded text of a field's bytes, padding left out and zero bytes as blanks.
void appendFieldText(CodePage cp, std::string_view raw, std::string& out) {
  raw = withoutPadding(raw);
  if (std::memchr(raw.data(), '\0', raw.size()) == nullptr) {
    decodeAppend(cp, raw, out);
    return;
  }
  std::string bytes(raw);
  blanksForZeros(bytes.data(), bytes.size());
  decodeAppend(cp, bytes, out);
}

Value readCharacter(const Layout& t, const Field& f, const char* rec) {
  Value v;
  v.kind = Value::Kind::Text;
  appendFieldText(t.codePage, std::string_view(rec + f.offset, static_cast<std::size_t>(f.length)),
                  v.text);
  return v;
}

Value readVarchar(const Layout& t, const Field& f, const char* rec) {
  std::size_t len = static_cast<std::size_t>(f.length);
  if (bitSet(t, rec, f.lengthBit))
    len = std::min<std::size_t>(static_cast<std::uint8_t>(rec[f.offset + f.length - 1]), len - 1);
  Value v;
  v.kind = Value::Kind::Text;
  appendFieldText(t.codePage, std::string_view(rec + f.offset, len), v.text);
  return v;
}

Value readNumeric(const Layout&, const Field& f, const char* rec) {
  return numberFromText(f, std::string_view(rec + f.offset, static_cast<std::size_t>(f.length)));
}

Value readLogical(const Layout&, const Field& f, const char* rec) {
  char c = rec[f.offset];
  Value v;
  switch (c) {
    case 'T':
    case 't':
    case 'Y':
    case 'y':
    case 'S':
    case 's':
      v.kind = Value::Kind::Boolean;
      v.flag = true;
      return v;
    case 'F':
    case 'f':
    case 'N':
    case 'n':
      v.kind = Value::Kind::Boolean;
      return v;
    case ' ':
    case '?':
    case '\0':
      return v;
    default:
      badValue(f, std::string_view(&c, 1));
  }
}

Value readDate(const Layout&, const Field& f, const char* rec) {
  std::string_view raw(rec + f.offset, 8);
  if (raw.find_first_not_of(" 0\0", 0, 3) == std::string_view::npos) return {};
  Date d;
  auto num = [&](std::size_t at, std::size_t n, int& out) {
    auto r = std::from_chars(raw.data() + at, raw.data() + at + n, out);
    return r.ec == std::errc() && r.ptr == raw.data() + at + n;
  };
  if (!num(0, 4, d.year) || !num(4, 2, d.month) || !num(6, 2, d.day) || !validDate(d))
    badValue(f, raw);
  return dateValue(d);
}

Value readMemo(const Layout&, const Field&, const char*) { return {}; }

Value readVfpInteger(const Layout&, const Field& f, const char* rec) {
  return integerValue(static_cast<std::int32_t>(le32(rec + f.offset)));
}

Value readDb7Integer(const Layout&, const Field& f, const char* rec) {
  return integerValue(static_cast<std::int32_t>(be32(rec + f.offset) ^ 0x80000000u));
}

Value readVfpDouble(const Layout&, const Field& f, const char* rec) {
  std::uint64_t bits = le64(rec + f.offset);
  double d;
  std::memcpy(&d, &bits, sizeof d);
  if (!std::isfinite(d)) badValue(f, "no es un número");
  return numberOf(d);
}

Value readDb7Double(const Layout&, const Field& f, const char* rec) {
  std::uint64_t bits =
      (static_cast<std::uint64_t>(be32(rec + f.offset)) << 32) | be32(rec + f.offset + 4);
  if (bits == 0) return {};
  bits = (bits & 0x8000000000000000ull) ? (bits ^ 0x8000000000000000ull) : ~bits;
  double d;
  std::memcpy(&d, &bits, sizeof d);
  if (!std::isfinite(d)) badValue(f, "no es un número");
  return numberOf(d);
}

Value readCurrency(const Layout&, const Field& f, const char* rec) {
  auto units = static_cast<std::int64_t>(le64(rec + f.offset));
  if (units % 10000 == 0) return integerValue(units / 10000);
  return numberOf(static_cast<double>(units) / 10000.0);
}

Value readVfpDateTime(const Layout&, const Field& f, const char* rec) {
  std::uint32_t jd = le32(rec + f.offset);
  if (jd == 0) return {};
  return dateValue(dateOfJulianDay(jd), static_cast<int>(le32(rec + f.offset + 4)));
}

Value readDb7Timestamp(const Layout&, const Field& f, const char* rec) {
  std::uint32_t jd = be32(rec + f.offset);
  if (jd == 0) return {};
  return dateValue(dateOfJulianDay(jd), static_cast<int>(be32(rec + f.offset + 4)));
}

using Reader = Value (*)(const Layout&, const Field&, const char*);

Reader readerFor(char type, Dialect d) {
  switch (type) {
    case 'C':
      return readCharacter;
    case 'V':
      return d == Dialect::VisualFoxPro ? readVarchar : readCharacter;
    case 'N':
    case 'F':
      return readNumeric;
    case 'L':
      return readLogical;
    case 'D':
      return readDate;
    case 'I':
    case '+':
      return d == Dialect::DBase7 ? readDb7Integer : readVfpInteger;
    case 'B':
      return d == Dialect::VisualFoxPro ? readVfpDouble : readMemo;
    case 'O':
      return readDb7Double;
    case 'Y':
      return readCurrency;
    case 'T':
      return readVfpDateTime;
    case '@':
      return readDb7Timestamp;
    default:  // memos, general, picture, varbinary, blobs, _NullFlags: contents not read
      return readMemo;
  }
}

// --- writers ---------------------------------------------------------------------

[[noreturn]] void cannotWrite(const Field& f) {
  throw EngineError::value(std::string("No se puede escribir en el campo '") + f.name +
                           "' de tipo " + f.type);
}

[[noreturn]] void doesNotFit(const Field& f, const std::string& text) {
  throw EngineError::value("El valor '" + text + "' no cabe en el campo '" + f.name + "'");
}

double numberToWrite(const Field& f, const Value& v, bool& empty) {
  empty = false;
  switch (v.kind) {
    case Value::Kind::Empty:
      empty = true;
      return 0;
    case Value::Kind::Number:
      return v.number;
    case Value::Kind::Boolean:
      return v.flag ? 1 : 0;
    case Value::Kind::Date:
      cannotWrite(f);
    case Value::Kind::Text: {
      std::string_view s = trimBlanks(v.text);
      if (s.empty()) {
        empty = true;
        return 0;
      }
      double d;
      if (!parseDecimal(s, d)) {
        bool whole = f.decimals == 0 && f.type != 'B' && f.type != 'O' && f.type != 'Y';
        throw EngineError::value(
            "'" + v.text +
            (whole ? "' no es un valor entero válido" : "' no es un valor punto flotante válido"));
      }
      return d;
    }
  }
  return 0;
}

void storeText(const Layout& t, const Field& f, char* rec, std::string_view text) {
  auto width = static_cast<std::size_t>(f.length);
  if (f.type != 'V') {
    // Straight into the field, cut to its width, then blanks.
    const std::size_t n = encodeInto(t.codePage, text, rec + f.offset, width);
    std::memset(rec + f.offset + n, ' ', width - n);
    return;
  }
  bool ascii = std::all_of(text.begin(), text.end(),
                           [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  std::string encoded;
  std::string_view bytes = text;
  if (!ascii) {
    encoded = encode(t.codePage, text);
    bytes = encoded;
  }
  if (f.type == 'V' && t.isVfp() && f.lengthBit >= 0) {
    std::memset(rec + f.offset, 0, width);
    if (bytes.size() >= width) {
      std::memcpy(rec + f.offset, bytes.data(), width);
      setBit(t, rec, f.lengthBit, false);
    } else {
      std::memcpy(rec + f.offset, bytes.data(), bytes.size());
      rec[f.offset + f.length - 1] = static_cast<char>(bytes.size());
      setBit(t, rec, f.lengthBit, true);
    }
    return;
  }
  std::size_t n = std::min(bytes.size(), width);
  std::memcpy(rec + f.offset, bytes.data(), n);
  std::memset(rec + f.offset + n, ' ', width - n);
}

void writeCharacter(const Layout& t, const Field& f, char* rec, const Value& v) {
  if (v.kind == Value::Kind::Text)
    storeText(t, f, rec, v.text);
  else
    storeText(t, f, rec, textOf(v));
}

void writeNumeric(const Layout&, const Field& f, char* rec, const Value& v) {
  bool empty;
  double d = numberToWrite(f, v, empty);
  auto width = static_cast<std::size_t>(f.length);
  if (empty) {
    std::memset(rec + f.offset, ' ', width);
    return;
  }
  if (!std::isfinite(d)) doesNotFit(f, textOf(v));
  char buf[400];
  std::to_chars_result r;
  if (f.decimals == 0) {
    if (v.kind == Value::Kind::Number && v.integral)
      r = std::to_chars(buf, buf + sizeof buf, v.integer);
    else
      r = std::to_chars(buf, buf + sizeof buf, std::nearbyint(d), std::chars_format::fixed, 0);
  } else {
    r = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed, f.decimals);
  }
  int n = r.ec == std::errc() ? static_cast<int>(r.ptr - buf) : -1;
  if (n < 0 || static_cast<std::size_t>(n) > width) doesNotFit(f, textOf(v));
  std::memset(rec + f.offset, ' ', width - static_cast<std::size_t>(n));
  std::memcpy(rec + f.offset + width - static_cast<std::size_t>(n), buf,
              static_cast<std::size_t>(n));
}

void writeLogical(const Layout&, const Field& f, char* rec, const Value& v) {
  char c = ' ';
  switch (v.kind) {
    case Value::Kind::Empty:
      break;
    case Value::Kind::Boolean:
      c = v.flag ? 'T' : 'F';
      break;
    case Value::Kind::Number:
      c = v.number != 0 ? 'T' : 'F';
      break;
    case Value::Kind::Text: {
      std::string_view s = trimBlanks(v.text);
      if (s.empty()) break;
      char first = s.front();
      if (std::strchr("TtYySs1", first) != nullptr)
        c = 'T';
      else if (std::strchr("FfNn0", first) != nullptr)
        c = 'F';
      else
        throw EngineError::value("'" + v.text + "' no es un valor lógico válido");
      break;
    }
    case Value::Kind::Date:
      cannotWrite(f);
  }
  rec[f.offset] = c;
}

void writeDate(const Layout&, const Field& f, char* rec, const Value& v) {
  Date d;
  if (v.kind == Value::Kind::Date) {
    d = v.date;
  } else if (v.kind == Value::Kind::Text) {
    d = dateOf(v, f.name);
  } else if (v.kind != Value::Kind::Empty) {
    cannotWrite(f);
  }
  if (d.isZero()) {
    std::memset(rec + f.offset, ' ', 8);
    return;
  }
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d", d.year, d.month, d.day);
  std::memcpy(rec + f.offset, buf, 8);
}

std::int64_t wholeToWrite(const Field& f, const Value& v) {
  if (v.kind == Value::Kind::Number && v.integral) return v.integer;
  bool empty;
  double d = numberToWrite(f, v, empty);
  return empty ? 0 : roundHalfEven(d);
}

void writeVfpInteger(const Layout&, const Field& f, char* rec, const Value& v) {
  std::int64_t i = wholeToWrite(f, v);
  if (i < INT32_MIN || i > INT32_MAX) doesNotFit(f, textOf(v));
  putLe(rec + f.offset, static_cast<std::uint32_t>(static_cast<std::int32_t>(i)), 4);
}

void writeDb7Integer(const Layout&, const Field& f, char* rec, const Value& v) {
  std::int64_t i = wholeToWrite(f, v);
  if (i < INT32_MIN || i > INT32_MAX) doesNotFit(f, textOf(v));
  putBe(rec + f.offset, static_cast<std::uint32_t>(static_cast<std::int32_t>(i)) ^ 0x80000000u, 4);
}

void writeVfpDouble(const Layout&, const Field& f, char* rec, const Value& v) {
  bool empty;
  double d = numberToWrite(f, v, empty);
  std::uint64_t bits;
  std::memcpy(&bits, &d, sizeof d);
  putLe(rec + f.offset, empty ? 0 : bits, 8);
}

void writeDb7Double(const Layout&, const Field& f, char* rec, const Value& v) {
  bool empty;
  double d = numberToWrite(f, v, empty);
  std::uint64_t bits;
  std::memcpy(&bits, &d, sizeof d);
  bits = (bits & 0x8000000000000000ull) ? ~bits : (bits ^ 0x8000000000000000ull);
  putBe(rec + f.offset, empty ? 0 : bits, 8);
}

void writeCurrency(const Layout&, const Field& f, char* rec, const Value& v) {
  bool empty;
  double d = numberToWrite(f, v, empty);
  putLe(rec + f.offset, static_cast<std::uint64_t>(empty ? 0 : std::llround(d * 10000.0)), 8);
}

void refuseWrite(const Layout&, const Field& f, char*, const Value&) { cannotWrite(f); }

using Writer = void (*)(const Layout&, const Field&, char*, const Value&);

Writer writerFor(char type, Dialect d) {
  switch (type) {
    case 'C':
    case 'V':
      return writeCharacter;
    case 'N':
    case 'F':
      return writeNumeric;
    case 'L':
      return writeLogical;
    case 'D':
      return writeDate;
    case 'I':
    case '+':
      return d == Dialect::DBase7 ? writeDb7Integer : writeVfpInteger;
    case 'B':
      return d == Dialect::VisualFoxPro ? writeVfpDouble : refuseWrite;
    case 'O':
      return writeDb7Double;
    case 'Y':
      return writeCurrency;
    default:
      return refuseWrite;
  }
}

// Bytes of an empty field: blanks for the text-coded types, zeros for binary ones.
char blankByte(char type, Dialect d) {
  switch (type) {
    case 'C':
    case 'N':
    case 'F':
    case 'L':
    case 'D':
      return ' ';
    case 'M':
    case 'G':
    case 'P':
      return d == Dialect::VisualFoxPro ? '\0' : ' ';
    case 'B':
      return d == Dialect::VisualFoxPro ? '\0' : ' ';
    default:
      return '\0';
  }
}

}  // namespace

Value Value::ofText(std::string s) {
  Value v;
  v.kind = Kind::Text;
  v.text = std::move(s);
  return v;
}
Value Value::ofInteger(std::int64_t i) { return integerValue(i); }
Value Value::ofFloat(double d) { return numberOf(d); }
Value Value::ofBoolean(bool b) {
  Value v;
  v.kind = Kind::Boolean;
  v.flag = b;
  return v;
}

// A value that cannot be read or stored is told with the record it was met in, so that
// the handle holding that record can name it.
Value readValue(const Layout& t, const Field& f, const char* record) {
  if (bitSet(t, record, f.nullBit)) return {};
  try {
    return readerFor(f.type, t.dialect)(t, f, record);
  } catch (const EngineError& e) {
    throw e.inRecord(record);
  }
}

void writeValue(const Layout& t, const Field& f, char* record, const Value& v) {
  try {
    writerFor(f.type, t.dialect)(t, f, record, v);
  } catch (const EngineError& e) {
    throw e.inRecord(record);
  }
  setBit(t, record, f.nullBit, false);
}

void blankRecord(const Layout& t, char* record) {
  std::memset(record, ' ', t.recordLength);
  for (const Field& f : t.fields)
    std::memset(record + f.offset, blankByte(f.type, t.dialect),
                static_cast<std::size_t>(f.length));
}

bool readsAsText(const Layout& t, const Field& f) {
  return !f.system && (f.type == 'C' || (f.type == 'V' && t.isVfp()));
}

bool readsAsNumber(const Layout& t, const Field& f) {
  if (f.system) return false;
  const bool vfp = t.isVfp(), db7 = t.dialect == Dialect::DBase7;
  switch (f.type) {
    case 'N':
    case 'F':
      return true;
    case 'I':
      return (vfp || db7) && f.length == 4;
    case '+':
      return db7 && f.length == 4;
    case 'B':
    case 'Y':
      return vfp && f.length == 8;
    case 'O':
      return db7 && f.length == 8;
    default:
      return false;
  }
}

std::int64_t roundHalfEven(double v) { return static_cast<std::int64_t>(std::nearbyint(v)); }

std::string generalFormat(double v) {
  if (v == 0) return "0";
  if (std::fabs(v) < 1e15 && v == std::trunc(v)) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.0f", v);
    return buf;
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15G", v);
  std::string s = buf;
  auto e = s.find('E');
  std::string mantissa = s.substr(0, e);
  if (mantissa.find('.') != std::string::npos) {
    while (mantissa.back() == '0') mantissa.pop_back();
    if (mantissa.back() == '.') mantissa.pop_back();
  }
  for (char& c : mantissa)
    if (c == '.') c = plat::decimalSeparator();
  if (e == std::string::npos) return mantissa;
  std::string exponent = s.substr(e + 1);
  bool negative = !exponent.empty() && exponent[0] == '-';
  std::size_t digits = exponent.find_first_not_of("+-0");
  return mantissa + "E" + (negative ? "-" : "") +
         (digits == std::string::npos ? "0" : exponent.substr(digits));
}

bool parseDecimal(std::string_view text, double& out) {
  std::string s(trimBlanks(text));
  if (s.empty()) return false;
  char sep = plat::decimalSeparator();
  for (char& c : s)
    if (c == sep) c = '.';
  std::size_t start = (s[0] == '+') ? 1 : 0;
  if (start < s.size() && (s[start] == '+' || s[start] == '-') && start == 1) return false;
  auto r = std::from_chars(s.data() + start, s.data() + s.size(), out);
  return r.ec == std::errc() && r.ptr == s.data() + s.size() && std::isfinite(out);
}

namespace {

// The trimmed text of an N or F field, or false when the field is not one of them.
bool numericText(const Field& f, const char* record, std::string_view& text) {
  if ((f.type != 'N' && f.type != 'F') || f.nullBit >= 0) return false;
  const char* p = record + f.offset;
  const char* e = p + f.length;
  while (p < e && *p == ' ') ++p;
  while (e > p && (e[-1] == ' ' || e[-1] == '\0')) --e;
  text = std::string_view(p, static_cast<std::size_t>(e - p));
  return true;
}

}  // namespace

bool readIntegerFast(const Field& f, const char* record, std::int64_t& out) {
  std::string_view s;
  if (!numericText(f, record, s)) return false;
  if (s.empty()) {
    out = 0;
    return true;
  }
  auto r = std::from_chars(s.data(), s.data() + s.size(), out);
  if (r.ec == std::errc() && r.ptr == s.data() + s.size()) return true;
  double d;
  auto rd = std::from_chars(s.data(), s.data() + s.size(), d);
  if (rd.ec != std::errc() || rd.ptr != s.data() + s.size() || !(std::fabs(d) < 9.2e18))
    return false;
  out = roundHalfEven(d);
  return true;
}

bool writeIntegerFast(const Field& f, char* record, std::int64_t v) {
  if ((f.type != 'N' && f.type != 'F') || f.decimals != 0 || f.nullBit >= 0) return false;
  // Digits from the right, then blanks: fields are short, and this needs no call.
  char digits[24];
  char* const end = digits + sizeof digits;
  char* at = end;
  auto rest = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  do {
    *--at = static_cast<char>('0' + rest % 10);
    rest /= 10;
  } while (rest != 0);
  if (v < 0) *--at = '-';
  const auto n = static_cast<std::size_t>(end - at);
  const auto width = static_cast<std::size_t>(f.length);
  if (n > width) return false;
  char* out = record + f.offset;
  for (std::size_t i = 0; i < width - n; ++i) out[i] = ' ';
  for (std::size_t i = 0; i < n; ++i) out[width - n + i] = at[i];
  return true;
}

bool readFloatFast(const Field& f, const char* record, double& out) {
  std::string_view s;
  if (!numericText(f, record, s)) return false;
  if (s.empty()) {
    out = 0;
    return true;
  }
  auto r = std::from_chars(s.data(), s.data() + s.size(), out);
  return r.ec == std::errc() && r.ptr == s.data() + s.size() && std::isfinite(out);
}

std::string textOf(Value&& v) {
  if (v.kind == Value::Kind::Text) return std::move(v.text);
  return textOf(static_cast<const Value&>(v));
}

std::string readText(const Layout& t, const Field& f, const char* record) {
  std::string out;
  readText(t, f, record, out);
  return out;
}

void readText(const Layout& t, const Field& f, const char* record, std::string& out) {
  if (f.type == 'C' && f.nullBit < 0) {
    appendFieldText(t.codePage,
                    std::string_view(record + f.offset, static_cast<std::size_t>(f.length)), out);
    return;
  }
  out += textOf(readValue(t, f, record));
}

namespace {

// Text of digits alone (blanks around them aside) into a number field without decimals:
// the number as written, without the round trip through a double. Anything else, or a
// number too long to be exact in a double, takes the general path.
bool storeDigits(const Field& f, char* record, std::string_view text) {
  const std::string_view digits = trimBlanks(text);
  if (digits.empty() || digits.size() > 15) return false;
  std::int64_t v = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  return writeIntegerFast(f, record, v);
}

}  // namespace

bool copyText(const Layout& from, const Field& ff, const char* fromRecord, const Layout& to,
              const Field& tf, char* toRecord) {
  if (ff.type != 'C' || ff.nullBit >= 0 || tf.type != 'C' || tf.nullBit >= 0) return false;
  // Both sides keep one byte per character: the part that fits, then blanks.
  const std::string_view text = withoutPadding(fieldBytes(fromRecord, ff));
  const auto width = static_cast<std::size_t>(tf.length);
  const std::size_t n = std::min(text.size(), width);
  char* out = toRecord + tf.offset;
  // Within one code page every byte reads and writes back as itself.
  if (from.codePage == to.codePage) {
    std::memcpy(out, text.data(), n);
  } else {
    const ByteMap& map = byteMap(from.codePage, to.codePage);
    for (std::size_t i = 0; i < n; ++i) out[i] = map[static_cast<unsigned char>(text[i])];
  }
  blanksForZeros(out, n);
  std::memset(out + n, ' ', width - n);
  return true;
}

void writeText(const Layout& t, const Field& f, char* record, std::string_view text) {
  if (writeAsciiText(f, record, text)) return;
  if (f.type == 'C' || f.type == 'V') {
    storeText(t, f, record, text);
    setBit(t, record, f.nullBit, false);
  } else if (!storeDigits(f, record, text)) {
    writeValue(t, f, record, Value::ofText(std::string(text)));
  }
}

std::string textOf(const Value& v) {
  switch (v.kind) {
    case Value::Kind::Empty:
      return {};
    case Value::Kind::Text:
      return v.text;
    case Value::Kind::Number:
      return v.integral ? std::to_string(v.integer) : generalFormat(v.number);
    case Value::Kind::Boolean:
      return v.flag ? "True" : "False";
    case Value::Kind::Date: {
      char buf[40];
      if (v.millis >= 0) {
        int s = v.millis / 1000;
        std::snprintf(buf, sizeof buf, "%02d/%02d/%04d %d:%02d:%02d", v.date.day, v.date.month,
                      v.date.year, s / 3600, (s / 60) % 60, s % 60);
      } else {
        std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", v.date.day, v.date.month, v.date.year);
      }
      return buf;
    }
  }
  return {};
}

std::int64_t integerOf(const Value& v, const std::string& fieldName) {
  switch (v.kind) {
    case Value::Kind::Empty:
      return 0;
    case Value::Kind::Number:
      if (v.integral) return v.integer;
      if (!(std::fabs(v.number) < 9.2e18)) break;
      return roundHalfEven(v.number);
    case Value::Kind::Boolean:
      return v.flag ? 1 : 0;
    case Value::Kind::Text: {
      std::string_view s = trimBlanks(v.text);
      if (s.empty()) return 0;
      if (s.front() == '+') s.remove_prefix(1);
      std::int64_t i;
      auto r = std::from_chars(s.data(), s.data() + s.size(), i);
      if (r.ec == std::errc() && r.ptr == s.data() + s.size()) return i;
      throw EngineError::value("'" + v.text + "' no es un valor entero válido");
    }
    case Value::Kind::Date:
      return julianDayOf(v.date);
  }
  throw EngineError::value("El campo '" + fieldName + "' no se puede leer como entero");
}

double floatOf(const Value& v, const std::string&) {
  switch (v.kind) {
    case Value::Kind::Empty:
      return 0.0;
    case Value::Kind::Number:
      return v.number;
    case Value::Kind::Boolean:
      return v.flag ? 1.0 : 0.0;
    case Value::Kind::Text: {
      if (trimBlanks(v.text).empty()) return 0.0;
      double d;
      if (parseDecimal(v.text, d)) return d;
      throw EngineError::value("'" + v.text + "' no es un valor punto flotante válido");
    }
    case Value::Kind::Date:
      return static_cast<double>(julianDayOf(v.date));
  }
  return 0.0;
}

bool booleanOf(const Value& v) {
  switch (v.kind) {
    case Value::Kind::Boolean:
      return v.flag;
    case Value::Kind::Number:
      return v.number != 0;
    case Value::Kind::Text: {
      std::string_view s = trimBlanks(v.text);
      return !s.empty() && std::strchr("TtYySs", s.front()) != nullptr;
    }
    default:
      return false;
  }
}

Date dateOf(const Value& v, const std::string& fieldName) {
  if (v.kind == Value::Kind::Date) return v.date;
  if (v.kind == Value::Kind::Empty) return {};
  if (v.kind == Value::Kind::Text) {
    std::string_view s = trimBlanks(v.text);
    if (s.empty()) return {};
    Date d;
    bool ok = false;
    if (s.size() == 8 && s.find_first_not_of("0123456789") == std::string_view::npos) {
      d = {std::atoi(std::string(s.substr(0, 4)).c_str()),
           std::atoi(std::string(s.substr(4, 2)).c_str()),
           std::atoi(std::string(s.substr(6, 2)).c_str())};
      ok = true;
    } else if (s.size() == 10 && s[2] == '/' && s[5] == '/') {
      d = {std::atoi(std::string(s.substr(6, 4)).c_str()),
           std::atoi(std::string(s.substr(3, 2)).c_str()),
           std::atoi(std::string(s.substr(0, 2)).c_str())};
      ok = true;
    }
    if (ok && validDate(d)) return d;
    throw EngineError::value("'" + v.text + "' no es una fecha válida");
  }
  throw EngineError::value("El campo '" + fieldName + "' no se puede leer como fecha");
}

Date dateOfJulianDay(std::int64_t jd) {
  // Fliegel and Van Flandern's conversion to the Gregorian calendar.
  std::int64_t l = jd + 68569;
  std::int64_t n = 4 * l / 146097;
  l -= (146097 * n + 3) / 4;
  std::int64_t i = 4000 * (l + 1) / 1461001;
  l = l - 1461 * i / 4 + 31;
  std::int64_t j = 80 * l / 2447;
  Date d;
  d.day = static_cast<int>(l - 2447 * j / 80);
  l = j / 11;
  d.month = static_cast<int>(j + 2 - 12 * l);
  d.year = static_cast<int>(100 * (n - 49) + i + l);
  return d;
}

std::int64_t julianDayOf(const Date& d) {
  std::int64_t a = (14 - d.month) / 12;
  std::int64_t y = d.year + 4800 - a;
  std::int64_t m = d.month + 12 * a - 3;
  return d.day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

}  // namespace dbf
