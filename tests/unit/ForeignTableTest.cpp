// Tables written by other programs: Visual FoxPro's binary types and null flags, code
// pages, deleted records, record counts that disagree with the file, damaged files,
// and records written into such tables keeping their own layout.

#include <gtest/gtest.h>

#include "dbf/Table.h"
#include "tests/support/TempDrive.h"
#include "tests/unit/RawDbf.h"

namespace {

class ForeignTableTest : public ::testing::Test {
 protected:
  TempDrive drive_;
  std::string file_ = drive_.native("GC/horgrup.dbf");

  void write(const RawDbf& raw) { writeFile(file_, raw.bytes()); }
};

RawDbf codes(std::vector<std::string> values) {
  RawDbf raw;
  raw.fields = {{"CODGRUP", 'C', 5}};
  for (auto& v : values) raw.records.push_back(" " + pad(v, 5));
  return raw;
}

std::vector<std::string> readAll(const std::string& path) {
  dbf::Table t;
  t.setTableName(path);
  t.open();
  std::vector<std::string> out;
  for (t.first(); !t.eof(); t.next()) out.push_back(t.asString("CODGRUP"));
  return out;
}

TEST_F(ForeignTableTest, VisualFoxProTypesAndNullFlags) {
  RawDbf raw;
  raw.version = 0x30;
  raw.backlink = true;
  raw.fields = {{"DNI", 'I', 4, 0, 0x02},
                {"HORAS", 'B', 8, 2, 0},
                {"PAGO", 'Y', 8, 4, 0},
                {"NOMBRE", 'V', 10, 0, 0x02},
                {"_NullFlags", '0', 1, 0, 0x05}};
  // Bits: DNI null = 0, NOMBRE length = 1, NOMBRE null = 2.
  // Varchar "Núria" (cp1252) shorter than its width: length in the last byte.
  std::string name = std::string("N\xFAria") + std::string(4, '\0') + '\x05';
  raw.records.push_back(" " + le32(12345678) + le64double(2.5) +
                        std::string("\x50\xC3\x00\x00\x00\x00\x00\x00", 8) + name + "\x02");
  raw.records.push_back(" " + le32(0) + le64double(-1.25) + std::string(8, '\0') +
                        std::string(10, '\0') + "\x05");
  write(raw);
  dbf::Table t;
  t.setTableName(file_);
  t.open();
  EXPECT_EQ(t.asInteger("DNI"), 12345678);
  EXPECT_DOUBLE_EQ(t.asFloat("HORAS"), 2.5);
  EXPECT_DOUBLE_EQ(t.asFloat("PAGO"), 5.0);
  EXPECT_EQ(t.asString("NOMBRE"), "Núria");
  EXPECT_EQ(t.asInteger("HORAS"), 2);
  t.next();
  EXPECT_EQ(t.asString("DNI"), "");  // null reads as empty
  EXPECT_EQ(t.asInteger("DNI"), 0);
  EXPECT_EQ(t.asString("NOMBRE"), "");
  EXPECT_THROW(t.asString("_NullFlags"), dbf::EngineError);  // system field stays hidden
}

TEST_F(ForeignTableTest, WritingKeepsTheTablesOwnLayoutAndCodePage) {
  RawDbf raw;
  raw.version = 0x30;
  raw.backlink = true;
  raw.languageDriver = 0x02;  // cp850
  raw.fields = {{"DNI", 'I', 4, 0, 0x02}, {"CODASIG", 'C', 8}, {"_NullFlags", '0', 1, 0, 0x05}};
  raw.records.push_back(" " + le32(7) + pad("OLD", 8) + "\x01");
  write(raw);
  const std::string before = readFile(file_);
  {
    dbf::Table t;
    t.setTableName(file_);
    t.setExclusive(true);
    t.open();
    t.append();
    t.setInteger("DNI", 23456789);
    t.setString("CODASIG", "Çàñ");
    t.post();
    t.close();
  }
  const std::string after = readFile(file_);
  const std::size_t header = 32 + 32 * 3 + 1 + 263;
  // Header unchanged but for the date and count; the old record untouched.
  EXPECT_EQ(after.substr(0, 1), before.substr(0, 1));
  EXPECT_EQ(after.substr(8, header - 8), before.substr(8, header - 8));
  EXPECT_EQ(static_cast<unsigned char>(after[4]), 2);
  EXPECT_EQ(after.substr(header, 14), before.substr(header, 14));
  std::string rec = after.substr(header + 14, 14);
  EXPECT_EQ(rec.substr(1, 4), le32(23456789));
  EXPECT_EQ(rec.substr(5, 8), std::string("\x80\x85\xA4     ", 8));  // cp850 bytes
  EXPECT_EQ(rec[13], '\0');                                          // the null bit of DNI cleared
  EXPECT_EQ(after.back(), '\x1A');
  EXPECT_EQ(after.size(), header + 2 * 14 + 1);
}

TEST_F(ForeignTableTest, CodePagesFromTheLanguageDriver) {
  struct Case {
    std::uint8_t driver;
    std::string bytes;
  };
  // "Àñó" in each code page; unknown and zero drivers mean 1252.
  const Case cases[] = {{0x01, "\x41\xA4\xA2"}, {0x02, "\xB7\xA4\xA2"}, {0x03, "\xC0\xF1\xF3"},
                        {0x57, "\xC0\xF1\xF3"}, {0x00, "\xC0\xF1\xF3"}, {0x7F, "\xC0\xF1\xF3"}};
  for (const Case& c : cases) {
    RawDbf raw = codes({c.bytes});
    raw.languageDriver = c.driver;
    write(raw);
    std::string expected = c.driver == 0x01 ? "Añó" : "Àñó";
    EXPECT_EQ(readAll(file_), std::vector<std::string>{expected}) << int(c.driver);
  }
}

TEST_F(ForeignTableTest, RecordCountFollowsTheRecordsReallyPresent) {
  const std::string a = " A    ", b = " B    ", c = " C    ";
  struct Case {
    const char* what;
    long headerCount;
    std::string body;  // everything after the header
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"header counts more than the file holds", 5, a + b + c + "\x1A", {"A", "B", "C"}},
      {"half-written last record", 4, a + b + c + " D", {"A", "B", "C"}},
      {"header forgot the last records", 1, a + b + c, {"A", "B", "C"}},
      {"end mark after the counted records", 2, a + b + "\x1A" + " ZZZZZ", {"A", "B"}},
  };
  for (const Case& k : cases) {
    RawDbf raw = codes({});
    raw.headerCount = k.headerCount;
    raw.endMark = false;
    writeFile(file_, raw.bytes() + k.body);
    EXPECT_EQ(readAll(file_), k.expected) << k.what;
    EXPECT_EQ(dbf::storedRecordCount(file_), k.expected.size()) << k.what;
  }
}

TEST_F(ForeignTableTest, DeletedRecordsAreSkippedButCounted) {
  RawDbf raw = codes({"A", "B", "C"});
  raw.records[1][0] = '*';
  write(raw);
  dbf::Table t;
  t.setTableName(file_);
  t.open();
  EXPECT_EQ(t.asString("CODGRUP"), "A");
  t.next();
  EXPECT_EQ(t.asString("CODGRUP"), "C");
  EXPECT_EQ(t.recNo(), 3u);
  EXPECT_EQ(dbf::countRecords(file_), 2u);
  EXPECT_EQ(dbf::storedRecordCount(file_), 3u);
}

TEST_F(ForeignTableTest, HeaderAnnouncingAnAbsentIndexStillOpens) {
  RawDbf raw = codes({"A"});
  raw.version = 0x8B;
  raw.tableFlags = 0x01;
  write(raw);
  EXPECT_EQ(readAll(file_), std::vector<std::string>{"A"});
}

TEST_F(ForeignTableTest, DamagedFilesGiveAClearErrorNamingTheFile) {
  RawDbf good = codes({"A"});
  std::string bytes = good.bytes();
  struct Case {
    const char* what;
    std::string content;
  };
  std::string recordTooShort = bytes;
  recordTooShort[10] = 3;  // record length 3 cannot hold a 5-character field
  std::string headerTooLong = bytes;
  headerTooLong[9] = 0x40;
  std::string recordTooLong = bytes;
  recordTooLong[10] = '\xFF';  // 65535: no record would ever be read
  recordTooLong[11] = '\xFF';
  std::string oneByteMore = bytes;
  oneByteMore[10] = 7;  // the field takes 5 bytes, the record 6
  std::string badVersion = bytes;
  badVersion[0] = 0x47;
  const Case cases[] = {{"truncated header", bytes.substr(0, 20)},
                        {"record length", recordTooShort},
                        {"record length far beyond the fields", recordTooLong},
                        {"record length one byte beyond the fields", oneByteMore},
                        {"header longer than the file", headerTooLong},
                        {"unknown version", badVersion},
                        {"empty file", ""}};
  for (const Case& c : cases) {
    writeFile(file_, c.content);
    dbf::Table t;
    t.setTableName(file_);
    try {
      t.open();
      ADD_FAILURE() << c.what << ": opened";
    } catch (const dbf::EngineError& e) {
      EXPECT_NE(std::string(e.what()).find("horgrup.dbf"), std::string::npos)
          << c.what << ": " << e.what();
    }
  }
}

TEST_F(ForeignTableTest, GarbageInANumericFieldNamesTheField) {
  RawDbf raw;
  raw.fields = {{"DNI", 'N', 9}};
  raw.records.push_back(" " + right("12a45", 9));
  write(raw);
  dbf::Table t("wwTableHorGrup");
  t.setTableName(file_);
  t.open();
  try {
    t.asInteger("DNI");
    FAIL();
  } catch (const dbf::EngineError& e) {
    EXPECT_NE(std::string(e.what()).find("'DNI'"), std::string::npos) << e.what();
    EXPECT_EQ(std::string(e.what()).rfind("wwTableHorGrup: ", 0), 0u) << e.what();
  }
}

}  // namespace

namespace {

// Zero bytes in a text read as blanks, wherever they stand, so that no text carries one
// on into another table.
TEST_F(ForeignTableTest, ZeroBytesInATextReadAsBlanks) {
  using namespace std::string_literals;
  struct Case {
    std::string stored;
    std::string read;
  };
  const Case cases[] = {{"A\0B  "s, "A B"},
                        {"\0\0AB "s, "  AB"},
                        {"AB\0\0\0"s, "AB"},
                        {"\0\0\0\0\0"s, ""},
                        {"\xE9\0x  "s, "é x"}};
  RawDbf raw;
  raw.fields = {{"CODGRUP", 'C', 5}};
  for (const Case& c : cases) raw.records.push_back(" " + c.stored);
  write(raw);
  std::vector<std::string> expected;
  for (const Case& c : cases) expected.push_back(c.read);
  EXPECT_EQ(readAll(file_), expected);
}

// A filter and an index search compare a text as the field reads it.
TEST_F(ForeignTableTest, FiltersAndIndexSearchesTakeZeroBytesAsBlanks) {
  using namespace std::string_literals;
  RawDbf raw;
  raw.fields = {{"CODGRUP", 'C', 5}};
  for (const std::string& stored : {"A\0B\0\0"s, "AB   "s, "A B  "s, "\0A   "s})
    raw.records.push_back(" " + stored);
  write(raw);
  dbf::Table t;
  t.setTableName(file_);
  t.setFilter("CODGRUP= 'A B  '");
  t.setFiltered(true);
  t.open();
  std::vector<std::uint32_t> visited;
  for (t.first(); !t.eof(); t.next()) visited.push_back(t.recNo());
  EXPECT_EQ(visited, (std::vector<std::uint32_t>{1, 3}));

  t.setFiltered(false);
  t.setIndexName("CODGRUP");
  struct Case {
    const char* key;
    std::uint32_t recno;  // the first record, in index order, that reads as the key
  };
  const Case cases[] = {{"A B", 1}, {" A", 4}, {"AB", 2}};
  for (const Case& c : cases) {
    ASSERT_TRUE(t.findKey(c.key)) << c.key;
    EXPECT_EQ(t.recNo(), c.recno) << c.key;
  }
}

}  // namespace
