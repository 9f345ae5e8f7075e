#include <gtest/gtest.h>

#include "dbf/CodePage.h"
#include "dbf/EngineError.h"
#include "dbf/FieldValue.h"
#include "plat/Platform.h"

namespace {

TEST(FieldValueTest, GeneralFormat) {
  struct Case {
    double value;
    char separator;
    const char* expected;
  };
  const Case cases[] = {
      {46001234, ',', "46001234"}, {0, ',', "0"},           {-7, '.', "-7"},
      {2.5, ',', "2,5"},           {2.5, '.', "2.5"},       {0.1, '.', "0.1"},
      {1e20, '.', "1E20"},         {1.5e-7, '.', "1.5E-7"}, {123456.789, ',', "123456,789"}};
  for (const Case& c : cases) {
    plat::setDecimalSeparator(c.separator);
    EXPECT_EQ(dbf::generalFormat(c.value), c.expected) << c.value;
  }
  plat::setDecimalSeparator(0);
}

TEST(FieldValueTest, ParseDecimalUsesPointOrTheUsersSeparator) {
  plat::setDecimalSeparator(',');
  struct Case {
    const char* text;
    bool ok;
    double value;
  };
  const Case cases[] = {{"12", true, 12},  {"2,5", true, 2.5}, {" 4 ", true, 4}, {"-3", true, -3},
                        {"+3", true, 3},   {"1.5", true, 1.5}, {"", false, 0},   {"ab", false, 0},
                        {"1 2", false, 0}, {"+-1", false, 0},  {"inf", false, 0}};
  for (const Case& c : cases) {
    double d = 0;
    EXPECT_EQ(dbf::parseDecimal(c.text, d), c.ok) << c.text;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(d, c.value) << c.text;
    }
  }
  plat::setDecimalSeparator(0);
}

TEST(FieldValueTest, JulianDays) {
  EXPECT_EQ(dbf::julianDayOf({2000, 1, 1}), 2451545);
  EXPECT_EQ(dbf::dateOfJulianDay(2451545), (dbf::Date{2000, 1, 1}));
  for (std::int64_t jd = 2415021; jd < 2488070; jd += 97)
    EXPECT_EQ(dbf::julianDayOf(dbf::dateOfJulianDay(jd)), jd);
}

TEST(FieldValueTest, TextConversionsBetweenCodePagesAndUtf8) {
  using dbf::CodePage;
  EXPECT_EQ(dbf::encode(CodePage::Cp1252, "Educació Física €"), "Educaci\xF3 F\xEDsica \x80");
  EXPECT_EQ(dbf::encode(CodePage::Cp850, "Año Ç"), "A\xA4o \x80");
  EXPECT_EQ(dbf::encode(CodePage::Cp437, "€ ж"), "? ?");  // missing characters become '?'
  for (CodePage cp : {CodePage::Cp437, CodePage::Cp850, CodePage::Cp1252}) {
    std::string all;
    for (int b = 0x20; b < 0x100; ++b) all += static_cast<char>(b);
    EXPECT_EQ(dbf::encode(cp, dbf::decode(cp, all)), all) << dbf::codePageName(cp);
  }
}

TEST(FieldValueTest, TextCopiedBetweenRecordsAsReadingAndWritingItWould) {
  using dbf::CodePage;
  // Stored texts with what reading trims (blanks and zero bytes at the end), blanks in
  // front, a zero byte inside, and every byte there is.
  using namespace std::string_literals;
  std::vector<std::string> stored = {"ABC   "s, "  Ab\0\0"s, "A\0B   "s, "      "s, "ABCDEF"s};
  for (int b = 0; b < 0x100; b += 4) {
    std::string bytes = "x";
    for (int k = 0; k < 4; ++k) bytes += static_cast<char>(b + k);
    stored.push_back(bytes + " ");
  }
  const CodePage pages[] = {CodePage::Cp437, CodePage::Cp850, CodePage::Cp1252};
  dbf::Layout from = dbf::newTableLayout({{"T", dbf::FieldKind::String, 6}}, "DESDE");
  for (int width : {3, 6, 10}) {
    dbf::Layout to = dbf::newTableLayout(
        {{"N", dbf::FieldKind::Integer, 0}, {"T", dbf::FieldKind::String, width}}, "HACIA");
    const dbf::Field& ff = from.fields[0];
    const dbf::Field& tf = to.fields[1];
    for (CodePage a : pages) {
      for (CodePage b : pages) {
        from.codePage = a;
        to.codePage = b;
        for (const std::string& text : stored) {
          std::string source(from.recordLength, ' ');
          text.copy(source.data() + ff.offset, 6);
          std::string expected(to.recordLength, '#'), copied = expected;
          dbf::writeText(to, tf, expected.data(), dbf::readText(from, ff, source.data()));
          ASSERT_TRUE(dbf::copyText(from, ff, source.data(), to, tf, copied.data()));
          EXPECT_EQ(copied, expected)
              << dbf::codePageName(a) << " -> " << dbf::codePageName(b) << " width " << width;
        }
      }
    }
    // Other kinds of field are left to reading and writing.
    std::string record(to.recordLength, ' ');
    EXPECT_FALSE(dbf::copyText(to, to.fields[0], record.data(), to, tf, record.data()));
    EXPECT_FALSE(dbf::copyText(to, tf, record.data(), to, to.fields[0], record.data()));
  }
}

TEST(FieldValueTest, IntegerTextConversions) {
  EXPECT_EQ(dbf::integerOf(dbf::Value::ofText(" 42 "), "F"), 42);
  EXPECT_EQ(dbf::integerOf(dbf::Value::ofText(""), "F"), 0);
  try {
    dbf::integerOf(dbf::Value::ofText("4x"), "F");
    FAIL();
  } catch (const dbf::EngineError& e) {
    EXPECT_STREQ(e.what(), "'4x' no es un valor entero válido");
  }
  try {
    dbf::floatOf(dbf::Value::ofText("x1"), "F");
    FAIL();
  } catch (const dbf::EngineError& e) {
    EXPECT_STREQ(e.what(), "'x1' no es un valor punto flotante válido");
  }
}

}  // namespace

namespace {

// Which fields hold what the readers give back as text or as a number: the text and
// number types of every dialect, and the binary numbers only in the dialects that have
// them, at their own width. Anything else is a field of another kind, or a type letter
// that a damaged header gave a field of another kind.
TEST(FieldValueTest, FieldsThatReadAsTextOrAsNumbers) {
  using D = dbf::Dialect;
  struct Case {
    D dialect;
    char type;
    int length;
    bool text, number;
  };
  const Case cases[] = {
      {D::DBase4, 'C', 5, true, false},        {D::DBase4, 'N', 11, false, true},
      {D::DBase4, 'F', 20, false, true},       {D::DBase3, 'N', 3, false, true},
      {D::VisualFoxPro, 'V', 10, true, false}, {D::DBase4, 'V', 10, false, false},
      {D::VisualFoxPro, 'I', 4, false, true},  {D::DBase7, 'I', 4, false, true},
      {D::DBase4, 'I', 4, false, false},       {D::VisualFoxPro, 'I', 11, false, false},
      {D::DBase7, '+', 4, false, true},        {D::VisualFoxPro, '+', 4, false, false},
      {D::VisualFoxPro, 'B', 8, false, true},  {D::DBase4, 'B', 10, false, false},
      {D::VisualFoxPro, 'Y', 8, false, true},  {D::DBase4, 'Y', 8, false, false},
      {D::DBase7, 'O', 8, false, true},        {D::VisualFoxPro, 'O', 8, false, false},
      {D::DBase4, 'L', 1, false, false},       {D::DBase4, 'D', 8, false, false},
      {D::DBase4, 'M', 10, false, false},      {D::VisualFoxPro, 'T', 8, false, false},
      {D::DBase4, ' ', 5, false, false},       {D::DBase4, '\0', 5, false, false},
      {D::DBase4, '\xFF', 5, false, false},    {D::VisualFoxPro, '0', 1, false, false},
  };
  for (const Case& c : cases) {
    dbf::Layout t;
    t.dialect = c.dialect;
    dbf::Field f;
    f.type = c.type;
    f.length = c.length;
    f.system = c.type == '0';
    SCOPED_TRACE(std::string("type ") + std::to_string(static_cast<unsigned char>(c.type)) +
                 " width " + std::to_string(c.length));
    EXPECT_EQ(dbf::readsAsText(t, f), c.text);
    EXPECT_EQ(dbf::readsAsNumber(t, f), c.number);
  }
}

}  // namespace
