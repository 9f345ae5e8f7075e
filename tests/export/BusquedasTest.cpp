// The writers' lookups: a result per distinct stored value of a field, worked out once,
// and worked out every time for fields whose value also lies in the null flags.

#include <gtest/gtest.h>

#include "dbf/Table.h"
#include "gescen/Busquedas.h"
#include "tests/support/TempDrive.h"
#include "tests/unit/RawDbf.h"

namespace {

struct Recorrido {
  std::vector<std::string> resultados;  // per row
  std::vector<std::string> calculados;  // each time the memo worked one out
};

Recorrido recorrer(const std::string& ruta, const std::string& campo) {
  dbf::Table t;
  t.setTableName(ruta);
  t.open();
  gescen::MemoCampo<std::string> memo(t, {campo.c_str()});
  Recorrido r;
  for (t.first(); !t.eof(); t.next()) {
    r.resultados.push_back(memo.de([&] {
      r.calculados.push_back(t.asString(campo));
      return "<" + t.asString(campo) + ">";
    }));
  }
  return r;
}

TEST(MemoCampoTest, WorksOutEachStoredValueOnceAndGivesEveryRowItsOwn) {
  struct Caso {
    std::vector<std::string> filas;
    std::vector<std::string> calculados;
  };
  const std::vector<Caso> casos = {
      {{"1A", "1A", "1A", "2B", "2B"}, {"1A", "2B"}},
      {{"1A", "2B", "1A", "2B", "3C", "1A"}, {"1A", "2B", "3C"}},
      {{"", "X", ""}, {"", "X"}},
      {{"ÀÉ", "AE", "ÀÉ"}, {"ÀÉ", "AE"}},
  };
  for (const Caso& c : casos) {
    TempDrive drive;
    RawDbf raw;
    raw.fields = {{"CODGRUP", 'C', 5}};
    for (const std::string& v : c.filas)
      raw.records.push_back(" " + pad(dbf::encode(dbf::CodePage::Cp1252, v), 5));
    const std::string ruta = drive.native("GC/grupos.dbf");
    writeFile(ruta, raw.bytes());
    const Recorrido r = recorrer(ruta, "CODGRUP");
    std::vector<std::string> esperados;
    for (const std::string& v : c.filas) esperados.push_back("<" + v + ">");
    EXPECT_EQ(r.resultados, esperados);
    EXPECT_EQ(r.calculados, c.calculados);
  }
}

TEST(MemoCampoTest, AFieldWithANullFlagIsWorkedOutForEveryRow) {
  TempDrive drive;
  RawDbf raw;
  raw.version = 0x30;
  raw.backlink = true;
  raw.fields = {{"CODASIG", 'C', 4, 0, 0x02}, {"_NullFlags", '0', 1, 0, 0x05}};
  // The same bytes twice, the second time marked null.
  raw.records = {std::string(" MAT \x00", 6), std::string(" MAT \x01", 6),
                 std::string(" MAT \x00", 6)};
  const std::string ruta = drive.native("GC/asigalum.dbf");
  writeFile(ruta, raw.bytes());
  const Recorrido r = recorrer(ruta, "CODASIG");
  EXPECT_EQ(r.resultados, (std::vector<std::string>{"<MAT>", "<>", "<MAT>"}));
  EXPECT_EQ(r.calculados.size(), 3u);
}

TEST(MapaTextosTest, KeepsTheFirstValueAndFindsKeysOfAnyKind) {
  gescen::MapaTextos<int> m;
  for (int i = 0; i < 5000; ++i) m.try_emplace(std::to_string(i), i);  // grows many times
  EXPECT_FALSE(m.try_emplace("7", 99).second);
  EXPECT_EQ(m.find(std::string_view("7"))->second, 7);
  EXPECT_EQ(m.find(std::string("4999"))->second, 4999);
  EXPECT_FALSE(m.contains("5000"));
  EXPECT_EQ(m.size(), 5000u);
}

}  // namespace
