// Ordering indexes: browsing in key order, finding keys, and the order kept up to date
// as records are stored.

#include <gtest/gtest.h>

#include "dbf/Table.h"
#include "tests/support/TempDrive.h"
#include "tests/unit/Tables.h"

namespace {

using dbf::FieldKind;

class TableOrderTest : public ::testing::Test {
 protected:
  TempDrive drive_;
  const std::string path_ = "C:\\ZORVTMP\\ASIGVALT.DBF";

  void SetUp() override {
    crear(path_,
          {{"COD", FieldKind::String, 4},
           {"CODVALEN", FieldKind::String, 10},
           {"NHORAS", FieldKind::Float}},
          {{"COD", "COD"}, {"CODVALEN", "CODVALEN"}});
    dbf::Table t;
    t.setTableName(path_);
    t.open();
    const char* rows[][2] = {{"MAT", "1ESO003"},
                             {"CAS", "1ESO001"},
                             {"MAT", "1ESO002"},
                             {"", "2BAC001"},
                             {"FIS", "1ESO002"}};
    for (auto& r : rows) {
      t.append();
      t.setString("COD", r[0]);
      t.setString("CODVALEN", r[1]);
    }
    t.post();
    t.close();
  }

  std::vector<std::uint32_t> order(dbf::Table& t) {
    std::vector<std::uint32_t> out;
    for (t.first(); !t.eof(); t.next()) out.push_back(t.recNo());
    return out;
  }
};

TEST_F(TableOrderTest, BrowsesInKeyOrderWithEqualKeysInStoredOrder) {
  dbf::Table t;
  t.setTableName(path_);
  t.setIndexName("COD");
  t.open();
  EXPECT_EQ(order(t), (std::vector<std::uint32_t>{4, 2, 5, 1, 3}));  // "", CAS, FIS, MAT, MAT
  t.setIndexName("CODVALEN");
  EXPECT_EQ(order(t), (std::vector<std::uint32_t>{2, 3, 5, 1, 4}));
}

TEST_F(TableOrderTest, FindKeyTakesTheFirstMatchOrStaysWhenThereIsNone) {
  dbf::Table t;
  t.setTableName(path_);
  t.setIndexName("CODVALEN");
  t.open();
  EXPECT_TRUE(t.findKey("1ESO002"));
  EXPECT_EQ(t.recNo(), 3u);
  EXPECT_EQ(t.asString("COD"), "MAT");
  EXPECT_FALSE(t.findKey("9XXX999"));
  EXPECT_EQ(t.recNo(), 3u);
  EXPECT_FALSE(t.findKey("1ESO00"));  // a prefix is not a match
  EXPECT_EQ(t.recNo(), 3u);
  EXPECT_TRUE(t.findKey("2BAC001   "));  // trailing blanks do not count
  EXPECT_EQ(t.recNo(), 4u);
  t.next();
  EXPECT_TRUE(t.eof());
}

TEST_F(TableOrderTest, FindKeyWithoutAnIndexIsAnError) {
  dbf::Table t;
  t.setTableName(path_);
  t.open();
  EXPECT_THROW(t.findKey("1ESO001"), dbf::EngineError);
}

TEST_F(TableOrderTest, UnknownIndexIsAnError) {
  dbf::Table t("wwTable");
  t.setTableName(path_);
  t.setIndexName("NIVEL");
  try {
    t.open();
    FAIL();
  } catch (const dbf::EngineError& e) {
    EXPECT_STREQ(e.what(), "wwTable: No se encuentra el índice 'NIVEL'");
  }
}

TEST_F(TableOrderTest, OrderFollowsAppendsAndEdits) {
  dbf::Table t;
  t.setTableName(path_);
  t.setIndexName("COD");
  t.open();
  t.append();
  t.setString("COD", "BIO");
  t.post();
  EXPECT_EQ(t.recNo(), 6u);
  t.next();
  EXPECT_EQ(t.asString("COD"), "CAS");  // the new record sits in key order
  ASSERT_TRUE(t.findKey("FIS"));
  t.edit();
  t.setString("COD", "ZZZ");
  t.post();
  EXPECT_EQ(order(t), (std::vector<std::uint32_t>{4, 6, 2, 1, 3, 5}));
}

TEST_F(TableOrderTest, SeesRecordsStoredThroughAnotherHandle) {
  dbf::Table ordered;
  ordered.setTableName(path_);
  ordered.setIndexName("COD");
  ordered.open();
  dbf::Table other;
  other.setTableName(path_);
  other.open();
  other.append();
  other.setString("COD", "AAA");
  other.post();
  ASSERT_TRUE(ordered.findKey("AAA"));
  EXPECT_EQ(ordered.recNo(), 6u);
}

TEST_F(TableOrderTest, NumericIndexOrdersByValue) {
  const std::string nums = "C:\\ZORVTMP\\HORAS.DBF";
  crear(nums, {{"HORA", FieldKind::Integer}}, {{"HORA", "HORA"}});
  dbf::Table t;
  t.setTableName(nums);
  t.open();
  for (int h : {10, 2, 30, -4, 1}) {
    t.append();
    t.setInteger("HORA", h);
  }
  t.post();
  t.setIndexName("HORA");
  EXPECT_EQ(order(t), (std::vector<std::uint32_t>{4, 5, 2, 1, 3}));
}

}  // namespace
