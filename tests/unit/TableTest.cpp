#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "dbf/DbfLayout.h"
#include "dbf/FieldValue.h"
#include "dbf/Recreate.h"
#include "dbf/Table.h"
#include "plat/WinPath.h"
#include "tests/support/TempDrive.h"
#include "tests/unit/Tables.h"

using dbf::FieldKind;
using dbf::Table;

namespace {

class TableTest : public ::testing::Test {
 protected:
  TempDrive drive_;
  const std::string path_ = "C:\\ZORVTMP\\PRUEBA.DBF";

  void SetUp() override {
    crear(path_, {{"CODIGO", FieldKind::String, 10},
                  {"NOMBRE", FieldKind::String, 40},
                  {"HORAS", FieldKind::Float},
                  {"DNI", FieldKind::Integer},
                  {"REPITE", FieldKind::Boolean}});
  }
};

TEST_F(TableTest, ClosingDropsTheRecordBeingAppendedAndPostStoresIt) {
  {
    Table t;
    t.setTableName(path_);
    t.open();
    for (const char* c : {"A", "B", "C"}) {
      t.append();
      t.setString("CODIGO", c);
    }
    t.close();
    t.open();
    EXPECT_EQ(leerCodigos(t), (std::vector<std::string>{"A", "B"}));
    t.append();
    t.setString("CODIGO", "D");
    t.post();
    t.close();
    t.open();
    EXPECT_EQ(leerCodigos(t), (std::vector<std::string>{"A", "B", "D"}));
  }
}

TEST_F(TableTest, MovingStoresAWrittenRecordAndDropsAnUntouchedOne) {
  Table t;
  t.setTableName(path_);
  t.open();
  t.append();
  t.setString("CODIGO", "X");
  t.first();   // stores X
  t.append();  // nothing written: dropped by the next move
  t.next();
  t.append();
  t.setString("CODIGO", "Y");
  t.append();  // stores Y, starts another that is never written
  t.close();
  t.open();
  EXPECT_EQ(leerCodigos(t), (std::vector<std::string>{"X", "Y"}));
}

TEST_F(TableTest, ReadsFieldsByNameInAnyCaseAndRefusesUnknownNames) {
  Table t("wwTableAsignat");
  t.setTableName(path_);
  t.open();
  t.append();
  t.setString("codigo", "1ESO");
  t.post();
  EXPECT_EQ(t.asString("Codigo"), "1ESO");
  EXPECT_EQ(t.asString("CODIGO"), "1ESO");
  try {
    t.asString("Codcen");
    FAIL() << "a missing field must raise an error";
  } catch (const dbf::EngineError& e) {
    EXPECT_STREQ(e.what(),
                 "wwTableAsignat: No se encuentra el campo 'Codcen' (C:\\ZORVTMP\\PRUEBA.DBF)");
  }
}

TEST_F(TableTest, PostWithoutARecordBeingEditedIsAnError) {
  Table named("wwTableProfesor");
  named.setTableName(path_);
  named.open();
  try {
    named.post();
    FAIL();
  } catch (const dbf::EngineError& e) {
    EXPECT_STREQ(e.what(),
                 "wwTableProfesor: La fuente de datos no está en modo de edición o inserción");
  }
  Table unnamed;
  unnamed.setTableName(path_);
  unnamed.setExclusive(false);
  unnamed.open();
  EXPECT_THROW(unnamed.post(), dbf::EngineError);
  try {
    unnamed.post();
  } catch (const dbf::EngineError& e) {
    EXPECT_STREQ(e.what(), "La fuente de datos no está en modo de edición o inserción");
  }
}

TEST_F(TableTest, TextLongerThanTheFieldIsCutToItsWidth) {
  Table t;
  t.setTableName(path_);
  t.open();
  t.append();
  t.setString("NOMBRE", std::string(45, 'n').replace(0, 5, "Àngel"));
  t.post();
  t.close();
  t.open();
  std::string nombre = t.asString("NOMBRE");
  EXPECT_EQ(nombre, "Àngel" + std::string(35, 'n'));  // 40 characters, 41 bytes of UTF-8
}

TEST_F(TableTest, TextIsCutToTheFieldWhateverFollowsTheCut) {
  const struct {
    std::string valor;
    std::string leido;
  } casos[] = {
      {"ABCDEFGHIJé", "ABCDEFGHIJ"},  // ASCII up to the width, an accent after it
      {"ABCDEFGHIé", "ABCDEFGHIé"},   // the accent is the tenth character
      {"ABCDEFGHIJK", "ABCDEFGHIJ"},
      {"Àngel", "Àngel"},
      {"Ω", "?"},  // not in the table's code page
      {"", ""},
  };
  Table t;
  t.setTableName(path_);
  t.open();
  const dbf::Field& codigo = t.campo("CODIGO");
  for (const auto& c : casos) {
    t.append();
    t.setString(codigo, c.valor);
    t.post();
    EXPECT_EQ(t.asString("CODIGO"), c.leido) << c.valor;
    // A text encoded once for many records is stored as setString stores it.
    const std::string preparado = t.storedText(codigo, c.valor);
    EXPECT_EQ(preparado, t.storedBytes(codigo)) << c.valor;
    t.append();
    t.setStored(codigo, preparado);
    t.post();
    EXPECT_EQ(t.asString("CODIGO"), c.leido) << c.valor;
  }
  // Only bytes of the field's width, only for text fields, only while editing.
  t.append();
  EXPECT_THROW(t.setStored(codigo, "CORTO"), dbf::EngineError);
  EXPECT_THROW(t.storedText(t.campo("DNI"), "1"), dbf::EngineError);
  EXPECT_THROW(t.setStored(t.campo("DNI"), "          "), dbf::EngineError);
  t.cancel();
  EXPECT_THROW(t.setStored(codigo, t.storedText(codigo, "A")), dbf::EngineError);
}

TEST_F(TableTest, WholeNumbersThatDoNotFitTheFieldAreRefused) {
  Table t;
  t.setTableName(path_);
  t.open();
  t.append();
  t.setInteger(t.campo("DNI"), -1234567890);  // eleven characters: fits
  EXPECT_THROW(t.setInteger(t.campo("DNI"), 123456789012), dbf::EngineError);
  t.setInteger("HORAS", 7);  // a field with decimals
  t.post();
  EXPECT_EQ(t.asInteger("DNI"), -1234567890);
  EXPECT_EQ(t.asString("HORAS"), "7");
}

TEST_F(TableTest, ForEachRecordVisitsWhatNextWouldInTheSameOrder) {
  crearCodigos(path_, {"C", "A", "B", "A", "D"});
  // The fourth record marked deleted.
  std::string bytes = readFile(plat::toNative(path_));
  const std::size_t cabecera = 32 + 32 + 1, largo = 11;
  bytes[cabecera + 3 * largo] = '*';
  writeFile(plat::toNative(path_), bytes);

  auto visitar = [&](Table& t) {
    std::vector<std::string> vistos;
    t.forEachRecord([&](const char* registro) {
      // The record handed over is the one the cursor stands on.
      EXPECT_EQ(std::string(registro + 1, 10), std::string(t.storedBytes(t.campo("CODIGO"))));
      vistos.push_back(t.asString("CODIGO") + std::to_string(t.recNo()));
    });
    EXPECT_TRUE(t.eof());
    return vistos;
  };
  Table t;
  t.setTableName(path_);
  t.open();
  EXPECT_EQ(visitar(t), (std::vector<std::string>{"C1", "A2", "B3", "D5"}));
  EXPECT_EQ(t.recNo(), 5u);  // stays on the last record, as next() leaves it
  t.close();
  t.setFilter("Codigo= 'A'");
  t.setFiltered(true);
  t.open();
  EXPECT_EQ(visitar(t), (std::vector<std::string>{"A2"}));
  t.close();
  t.setFiltered(false);
  t.setIndexName("CODIGO");
  t.open();
  EXPECT_EQ(visitar(t), (std::vector<std::string>{"A2", "B3", "C1", "D5"}));
  t.close();
  crearCodigos(path_, {});
  t.setIndexName("");
  t.open();
  EXPECT_TRUE(visitar(t).empty());
}

// Long tables are handed over a block of the file at a time; a record written through
// another handle during the pass is seen changed when the pass reaches it, as next()
// would see it.
TEST_F(TableTest, ForEachRecordCrossesBlocksAndSeesWritesMadeMeanwhile) {
  std::vector<std::string> codigos;
  for (int i = 1; i <= 60000; ++i) codigos.push_back(std::to_string(i));  // several blocks
  crearCodigos(path_, codigos);
  Table t, otra;
  t.setTableName(path_);
  otra.setTableName(path_);
  t.open();
  otra.open();
  std::vector<std::string> vistos;
  std::uint32_t siguiente = 1;
  t.forEachRecord([&](const char* registro) {
    EXPECT_EQ(t.recNo(), siguiente++);
    vistos.emplace_back(registro + 1, 10);
    if (t.recNo() == 100) {
      otra.first();
      for (int i = 1; i < 200; ++i) otra.next();  // in the block being visited
      otra.edit();
      otra.setString("CODIGO", "CAMBIADO");
      otra.post();
    }
  });
  ASSERT_EQ(vistos.size(), 60000u);
  EXPECT_EQ(vistos[99], "100       ");
  EXPECT_EQ(vistos[199], "CAMBIADO  ");
  EXPECT_EQ(vistos[59999], "60000     ");
}

// Deleted records next to the end of a block of the file and at the table's end are
// left out, as next() leaves them out.
TEST_F(TableTest, ForEachRecordVisitsWhatNextVisitsAcrossBlocks) {
  std::vector<std::string> codigos;
  for (int i = 1; i <= 60000; ++i) codigos.push_back(std::to_string(i));
  crearCodigos(path_, codigos);
  std::string bytes = readFile(plat::toNative(path_));
  const std::size_t cabecera = 32 + 32 + 1, largo = 11;
  for (std::size_t borrado : {0, 23830, 23831, 23832, 40000, 59999})
    bytes[cabecera + borrado * largo] = '*';
  writeFile(plat::toNative(path_), bytes);
  Table t;
  t.setTableName(path_);
  t.open();
  std::vector<std::string> uno, siguientes;
  t.forEachRecord([&](const char* registro) { uno.emplace_back(registro + 1, 10); });
  EXPECT_EQ(t.recNo(), 59999u);
  for (t.first(); !t.eof(); t.next())
    siguientes.push_back(std::string(t.storedBytes(t.campo("CODIGO"))));
  EXPECT_EQ(uno.size(), 59994u);
  EXPECT_EQ(uno, siguientes);
}

// Records made ahead with the engine's field writers, for a layout whose records are the
// table's, are stored all at once as the setters store them, after a record still being
// appended.
TEST_F(TableTest, RecordsMadeAheadAreStoredAsTheSettersStoreThem) {
  const std::vector<dbf::FieldDef> campos = {{"CODIGO", FieldKind::String, 10},
                                             {"REPITE", FieldKind::Boolean}};
  const std::string conSetters = "C:\\ZORVTMP\\SETTERS.DBF", hechos = "C:\\ZORVTMP\\HECHOS.DBF";
  crear(conSetters, campos);
  crear(hechos, campos, {{"CODIGO", "CODIGO"}});
  const dbf::Layout formato = dbf::reopenedLayout(campos, "HECHOS");
  auto hacer = [&](const char* codigo, bool repite) {
    std::string r(formato.recordLength, ' ');
    dbf::blankRecord(formato, r.data());
    dbf::writeText(formato, formato.fields[0], r.data(), codigo);
    dbf::writeValue(formato, formato.fields[1], r.data(), dbf::Value::ofBoolean(repite));
    return r;
  };
  const std::vector<std::pair<const char*, bool>> filas = {
      {"D", true}, {"Àngel", false}, {"B", true}, {"A", false}};
  Table a;
  a.setTableName(conSetters);
  a.open();
  for (const auto& [codigo, repite] : filas) {
    a.append();
    a.setString("CODIGO", codigo);
    a.setBoolean("REPITE", repite);
  }
  a.post();
  a.close();

  Table b;
  b.setTableName(hechos);
  b.setIndexName("CODIGO");
  b.open();
  ASSERT_TRUE(dbf::sameRecords(b.layout(), formato));
  b.append();
  b.setString("CODIGO", "D");
  b.setBoolean("REPITE", true);
  EXPECT_THROW(b.appendRecords("corto"), dbf::EngineError);
  b.appendRecords(hacer("Àngel", false) + hacer("B", true) +
                  hacer("A", false));    // stores the "D" first
  EXPECT_EQ(b.asString("CODIGO"), "A");  // on the last record stored
  EXPECT_EQ(leerCodigos(b),
            (std::vector<std::string>{"A", "B", "D", "Àngel"}));  // the index kept up
  b.close();
  // Byte for byte the same records, count and end mark.
  const std::string setters = readFile(plat::toNative(conSetters));
  const std::string prehechos = readFile(plat::toNative(hechos));
  ASSERT_EQ(setters.size(), prehechos.size());
  EXPECT_EQ(setters.substr(4, 4), prehechos.substr(4, 4));
  const std::size_t cabecera = 32 + 2 * 32 + 1;
  EXPECT_EQ(setters.substr(cabecera), prehechos.substr(cabecera));
}

TEST_F(TableTest, TrailingBlanksGoLeadingBlanksStay) {
  Table t;
  t.setTableName(path_);
  t.open();
  t.append();
  t.setString("CODIGO", "  AB  ");
  t.post();
  EXPECT_EQ(t.asString("CODIGO"), "  AB");
}

TEST_F(TableTest, EmptyFieldsReadAsEmptyValues) {
  Table t;
  t.setTableName(path_);
  t.open();
  t.append();
  t.setString("CODIGO", "A");
  t.post();
  EXPECT_EQ(t.asString("NOMBRE"), "");
  EXPECT_EQ(t.asInteger("DNI"), 0);
  EXPECT_EQ(t.asFloat("HORAS"), 0.0);
  EXPECT_FALSE(t.asBoolean("REPITE"));
  EXPECT_TRUE(t.asDate("NOMBRE").isZero());
  EXPECT_EQ(t.asString("DNI"), "");
}

TEST_F(TableTest, FloatsReadAsIntegersRoundHalfToEven) {
  struct Case {
    double stored;
    std::int64_t expected;
  };
  const Case cases[] = {{2.5, 2},    {3.5, 4}, {0.5, 0},   {-2.5, -2},
                        {2.4999, 2}, {7.0, 7}, {12.75, 13}};
  Table t;
  t.setTableName(path_);
  t.open();
  for (const Case& c : cases) {
    t.append();
    t.setFloat("HORAS", c.stored);
    t.post();
    EXPECT_EQ(t.asInteger("HORAS"), c.expected) << c.stored;
  }
}

TEST_F(TableTest, NumbersReadAsTextInGeneralFormat) {
  Table t;
  t.setTableName(path_);
  t.open();
  t.append();
  t.setFloat("HORAS", 46001234.0);
  t.setInteger("DNI", 12345678);
  t.post();
  EXPECT_EQ(t.asString("HORAS"), "46001234");
  EXPECT_EQ(t.asString("DNI"), "12345678");
  t.edit();
  t.setFloat("HORAS", 2.5);
  t.post();
  std::string text = t.asString("HORAS");
  EXPECT_TRUE(text == "2,5" || text == "2.5") << text;
}

TEST_F(TableTest, RecordNumbersArePhysicalPositions) {
  crearCodigos(path_, {"A", "B", "C"});
  Table t;
  t.setTableName(path_);
  t.open();
  t.next();
  EXPECT_EQ(t.recNo(), 2u);
  t.next();
  t.next();
  EXPECT_TRUE(t.eof());
  EXPECT_EQ(t.asString("CODIGO"), "C");  // the end leaves the last record current
}

TEST_F(TableTest, EditChangesTheCurrentRecordInPlace) {
  crearCodigos(path_, {"A", "B", "C"});
  Table t;
  t.setTableName(path_);
  t.open();
  t.next();
  t.edit();
  t.setString("CODIGO", "b2");
  t.next();  // stores the change
  t.close();
  t.open();
  EXPECT_EQ(leerCodigos(t), (std::vector<std::string>{"A", "b2", "C"}));
}

TEST_F(TableTest, TwoSharedHandlesSeeEachOthersStoredRecords) {
  crearCodigos(path_, {"ADG", "ADG", "XYZ"});
  Table a;
  a.setTableName(path_);
  Table b;
  b.setTableName(path_);
  a.open();
  b.open();
  a.next();  // on record 2
  b.next();
  b.edit();
  b.setString("CODIGO", "ADG2");
  b.next();  // stores the change through b
  a.first();
  a.next();
  EXPECT_EQ(a.asString("CODIGO"), "ADG2");
  b.append();
  b.setString("CODIGO", "NEW");
  b.post();
  EXPECT_EQ(a.recordCount(), 4u);
  a.next();
  a.next();
  EXPECT_EQ(a.asString("CODIGO"), "NEW");
}

TEST_F(TableTest, ExclusiveOpeningExcludesEveryOtherHandle) {
  Table excl("wwTableGrupos");
  excl.setTableName(path_);
  excl.setExclusive(true);
  excl.open();
  Table other;
  other.setTableName(path_);
  try {
    other.open();
    FAIL() << "a second handle must be refused";
  } catch (const dbf::EngineError& e) {
    EXPECT_NE(std::string(e.what()).find("está en uso"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("PRUEBA.DBF"), std::string::npos) << e.what();
  }
  excl.close();
  EXPECT_NO_THROW(other.open());
  Table third;
  third.setTableName(path_);
  third.setExclusive(true);
  EXPECT_THROW(third.open(), dbf::EngineError);  // shared holders keep exclusive ones out
}

TEST_F(TableTest, HeaderKeepsCountDateAndEndMarkAfterEveryPost) {
  Table t;
  t.setTableName(path_);
  t.open();
  for (int i = 1; i <= 3; ++i) {
    t.append();
    t.setInteger("DNI", i);
    t.post();
    std::string bytes = readFile(plat::toNative(path_));
    EXPECT_EQ(static_cast<unsigned char>(bytes[4]), i);
    EXPECT_EQ(bytes.back(), '\x1A');
    const std::size_t headerLength = 32 * 6 + 1;
    const std::size_t recordLength = 1 + 10 + 40 + 20 + 11 + 1;
    EXPECT_EQ(bytes.size(), headerLength + i * recordLength + 1);
    EXPECT_GE(static_cast<unsigned char>(bytes[1]), 124);  // year - 1900
  }
}

TEST_F(TableTest, FilterKeepsTheRecordsOfOneValue) {
  crearCodigos(path_, {"1234", "O'Brien", "1234", "12345"});
  Table t;
  t.setTableName(path_);
  t.setFiltered(false);
  t.setFilter("Codigo= '1234      '");
  t.setFiltered(true);
  t.open();
  std::vector<std::uint32_t> recnos;
  for (t.first(); !t.eof(); t.next()) recnos.push_back(t.recNo());
  EXPECT_EQ(recnos, (std::vector<std::uint32_t>{1, 3}));
  t.close();
  t.setFilter("Codigo= 'O''Brien   '");
  t.open();
  EXPECT_EQ(leerCodigos(t), (std::vector<std::string>{"O'Brien"}));
  t.close();
  t.setFiltered(false);
  t.open();
  EXPECT_EQ(leerCodigos(t).size(), 4u);
}

TEST_F(TableTest, CreatingReplacesAnExistingTable) {
  crearCodigos(path_, {"A", "B"});
  crearCodigos(path_, {"C"});
  Table t;
  t.setTableName(path_);
  t.open();
  EXPECT_EQ(leerCodigos(t), (std::vector<std::string>{"C"}));
}

TEST_F(TableTest, EmptyingKeepsFieldsAndAllowsNewRecords) {
  crearCodigos(path_, {"A", "B"});
  Table t;
  t.setTableName(path_);
  t.emptyTable();
  t.open();
  EXPECT_TRUE(t.eof());
  EXPECT_EQ(t.recordCount(), 0u);
  t.append();
  t.setString("CODIGO", "N");
  t.post();
  t.close();
  t.open();
  EXPECT_EQ(leerCodigos(t), (std::vector<std::string>{"N"}));
  EXPECT_THROW(t.emptyTable(), dbf::EngineError);  // an open table cannot be emptied
}

TEST_F(TableTest, RecreatingDeletesTheOldDataAndIndexFiles) {
  crearCodigos(path_, {"A"});
  const std::string mdx = drive_.native("ZORVTMP/PRUEBA.MDX");
  writeFile(mdx, "stale index");
  Table t;
  dbf::recrearTabla(t, "C:\\ZORVTMP", "PRUEBA.DBF", {{"COD", FieldKind::String, 4}});
  EXPECT_FALSE(std::filesystem::exists(mdx));
  t.open();
  EXPECT_TRUE(t.eof());
  EXPECT_EQ(t.layout().fields.size(), 1u);
}

// Recreating writes over the old data file; once the table is closed (or its handle
// goes without opening it), the file is the one a fresh creation and the same writes give.
TEST_F(TableTest, RecreatingOverALongerFileLeavesWhatCreatingWould) {
  const std::vector<dbf::FieldDef> campos = {{"COD", FieldKind::String, 4},
                                             {"N", FieldKind::Integer}};
  struct Caso {
    const char* nombre;
    std::vector<std::string> codigos;  // written after recreating; none: opened and closed
    bool abrir;
  };
  const Caso casos[] = {{"three records", {"A", "B", "C"}, true},
                        {"opened, nothing written", {}, true},
                        {"never opened", {}, false}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    std::vector<std::string> muchos;
    for (int i = 0; i < 500; ++i) muchos.push_back("VIEJO" + std::to_string(i));
    crearCodigos(path_, muchos, 40);
    const std::string referencia = "C:\\ZORVTMP\\REFERENCIA.DBF";
    crear(referencia, campos);
    auto escribir = [&](Table& t) {
      t.open();
      for (const std::string& codigo : c.codigos) {
        t.append();
        t.setString("COD", codigo);
        t.setInteger("N", 7);
        t.post();
      }
      t.close();
    };
    {
      Table t;
      dbf::recrearTabla(t, "C:\\ZORVTMP", "PRUEBA.DBF", campos);
      if (c.abrir) escribir(t);
    }
    Table r;
    r.setTableName(referencia);
    if (c.abrir) escribir(r);
    EXPECT_EQ(readFile(drive_.native("ZORVTMP/PRUEBA.DBF")),
              readFile(drive_.native("ZORVTMP/REFERENCIA.DBF")));
  }
}

TEST_F(TableTest, MissingTableNamesTheFile) {
  Table t("wwTableCentro");
  t.setDatabaseName("C:\\ZORVTMP\\VALENCIA");
  t.setTableName("centro");
  try {
    t.open();
    FAIL();
  } catch (const dbf::EngineError& e) {
    EXPECT_STREQ(e.what(),
                 "wwTableCentro: No se encuentra la tabla C:\\ZORVTMP\\VALENCIA\\centro.DBF");
  }
  EXPECT_FALSE(t.active());
  try {
    dbf::storedRecordCount("C:\\ZORVTMP\\VALENCIA\\centro.DBF");
    FAIL();
  } catch (const dbf::EngineError& e) {
    EXPECT_STREQ(e.what(), "No se encuentra la tabla C:\\ZORVTMP\\VALENCIA\\centro.DBF");
  }
}

TEST_F(TableTest, ReadOnlyHandlesRefuseWrites) {
  crearCodigos(path_, {"A"});
  Table t;
  t.setTableName(path_);
  t.setReadOnly(true);
  t.open();
  EXPECT_THROW(t.append(), dbf::EngineError);
  EXPECT_THROW(t.edit(), dbf::EngineError);
}

TEST_F(TableTest, NameWithoutExtensionIsADbfFileFoundWhateverItsCase) {
  crearCodigos("C:\\ZORVTMP\\VALENCIA\\GRUPOS.DBF", {"G"});
  Table t;
  t.setDatabaseName("C:\\ZORVTMP\\Valencia");
  t.setTableName("grupos");
  t.open();
  EXPECT_EQ(leerCodigos(t), (std::vector<std::string>{"G"}));
}

}  // namespace
