// What the engine's errors tell the user: a value that cannot be read or stored names the
// file and the record, however it was met; a table cut short is refused by the handles
// of the runs only; a full disk says so.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "dbf/EngineError.h"
#include "dbf/FieldValue.h"
#include "dbf/Table.h"
#include "plat/WinPath.h"
#include "tests/support/TempDrive.h"
#include "tests/unit/RawDbf.h"
#include "tests/unit/Tables.h"

namespace {

const std::string kRuta = "C:\\ZORVTMP\\PRUEBA.DBF";

// Three records whose codes sort in reverse; the third one's DNI is garbage.
RawDbf conDniMalo() {
  RawDbf raw;
  raw.fields = {{"CODIGO", 'C', 4}, {"DNI", 'N', 5}};
  raw.records = {" C   " + right("11", 5), " B   " + right("22", 5), " A   " + right("3x3", 5)};
  return raw;
}

std::string errorDe(const std::function<void()>& paso) {
  try {
    paso();
  } catch (const std::exception& e) {
    return e.what();
  }
  return {};
}

class TableErrorsTest : public ::testing::Test {
 protected:
  TempDrive drive_;
  void escribir(const RawDbf& raw) { writeFile(plat::toNative(kRuta), raw.bytes()); }
};

// Every way of meeting the bad value gives the record it lies in: the handle's reads,
// the visitors that read the bytes they are handed, the ordering index, and conversions
// made outside the engine.
TEST_F(TableErrorsTest, ABadValueNamesTheFileAndTheRecordHoweverItIsMet) {
  const std::string malo = "Valor no válido en el campo 'DNI': '  3x3'";
  const std::string lugar = " (C:\\ZORVTMP\\PRUEBA.DBF, registro 3)";
  struct Caso {
    const char* como;
    std::function<void(dbf::Table&)> leer;
    std::string error;
  };
  auto leerDni = [](dbf::Table& t, const char* registro) {
    dbf::readValue(t.layout(), t.campo("DNI"), registro);
  };
  const std::vector<Caso> casos = {
      {"the handle's read of the current record",
       [](dbf::Table& t) {
         for (t.first(); !t.eof(); t.next()) t.asInteger("DNI");
       },
       "wwTablePrueba: " + malo + lugar},
      {"a record visitor reading the bytes",
       [&](dbf::Table& t) { t.forEachRecord([&](const char* r) { leerDni(t, r); }); },
       malo + lugar},
      {"a record visitor in index order, where the bad record comes first",
       [&](dbf::Table& t) {
         t.setIndexName("CODIGO");
         t.forEachRecord([&](const char* r) { leerDni(t, r); });
       },
       malo + lugar},
      {"the ordering index built on the field", [](dbf::Table& t) { t.setIndexName("DNI"); },
       "wwTablePrueba: " + malo + lugar},
      {"a conversion made outside the engine",
       [](dbf::Table& t) {
         t.first();
         t.next();
         t.atCurrentRecord(
             [] { throw dbf::EngineError::value("'x' no es un valor punto flotante válido"); });
       },
       "'x' no es un valor punto flotante válido (C:\\ZORVTMP\\PRUEBA.DBF, registro 2)"},
      {"a number too wide for the record being appended",
       [](dbf::Table& t) {
         t.append();
         t.setInteger("DNI", 123456);
       },
       "wwTablePrueba: El valor '123456' no cabe en el campo 'DNI' (C:\\ZORVTMP\\PRUEBA.DBF, "
       "registro 4)"},
      {"a text that is no number for the record being edited",
       [](dbf::Table& t) {
         t.first();
         t.edit();
         t.setString("DNI", "doce");
       },
       "wwTablePrueba: 'doce' no es un valor entero válido (C:\\ZORVTMP\\PRUEBA.DBF, registro 1)"},
      {"a visitor's write into a row of another table is that table's to tell",
       [](dbf::Table& t) {
         const dbf::Layout otra = dbf::reopenedLayout({{"N", dbf::FieldKind::Integer}}, "OTRA");
         std::string fila(otra.recordLength, ' ');
         t.forEachRecord([&](const char*) {
           dbf::writeValue(otra, otra.fields[0], fila.data(), dbf::Value::ofText("x"));
         });
       },
       "'x' no es un valor entero válido"},
      {"a missing field names the file only", [](dbf::Table& t) { t.asString("NADA"); },
       "wwTablePrueba: No se encuentra el campo 'NADA' (C:\\ZORVTMP\\PRUEBA.DBF)"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.como);
    escribir(conDniMalo());
    dbf::Table t("wwTablePrueba");
    t.setTableName(kRuta);
    t.open();
    EXPECT_EQ(errorDe([&] { c.leer(t); }), c.error);
  }
}

// A run takes a table whose header announces records its file lacks for a damaged one;
// any other reader (mostrar, the tools) still reads the records that are there.
TEST_F(TableErrorsTest, OnlyTheRunsRefuseATableCutShort) {
  struct Caso {
    const char* como;
    std::function<void(std::string&)> danar;
    std::uint32_t presentes;
    std::string error;  // of a run's handle; empty: it opens
  };
  const std::size_t largo = 10;  // a record: the deletion flag, CODIGO and DNI
  const std::vector<Caso> casos = {
      {"whole", [](std::string&) {}, 3, ""},
      {"cut to its header", [&](std::string& b) { b.resize(b.size() - 1 - 3 * largo); }, 0,
       "wwTablePrueba: El archivo C:\\ZORVTMP\\PRUEBA.DBF está incompleto: su cabecera anuncia "
       "3 registros y solo contiene 0"},
      {"its last record half written", [&](std::string& b) { b.resize(b.size() - 1 - largo / 2); },
       2,
       "wwTablePrueba: El archivo C:\\ZORVTMP\\PRUEBA.DBF está incompleto: su cabecera anuncia "
       "3 registros y solo contiene 2"},
      {"a header that undercounts, the end mark after its records",
       [&](std::string& b) {
         b[4] = 2;
         b[b.size() - 1 - largo] = 0x1A;
       },
       2, ""},
      {"a header that undercounts, more records after them", [](std::string& b) { b[4] = 2; }, 3,
       ""},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.como);
    std::string bytes = conDniMalo().bytes();
    c.danar(bytes);
    writeFile(plat::toNative(kRuta), bytes);
    dbf::Table lector;
    lector.setTableName(kRuta);
    lector.open();
    EXPECT_EQ(lector.recordCount(), c.presentes);
    lector.close();
    dbf::Table run("wwTablePrueba");
    run.setTableName(kRuta);
    run.setRefuseCutShort(true);
    EXPECT_EQ(errorDe([&] { run.open(); }), c.error);
    EXPECT_EQ(run.active(), c.error.empty());
  }
}

// The disk fills up (a file size limit, as a full disk, in a process of its own) while a
// table is created, while a record is written through a shared handle, and while an
// exclusive handle writes its last records at close.
TEST_F(TableErrorsTest, AFullDiskSaysSo) {
  struct Caso {
    const char* como;
    rlim_t limite;
    std::function<void()> paso;
    std::string error;
  };
  auto abrir = [](dbf::Table& t, bool exclusiva) {
    t.setTableName(kRuta);
    t.setExclusive(exclusiva);
    t.open();
  };
  const std::vector<Caso> casos = {
      {"creating", 40,
       [] {
         crear(kRuta, {{"CODIGO", dbf::FieldKind::String, 10}});
       },
       "No se puede crear la tabla C:\\ZORVTMP\\PRUEBA.DBF (Disco lleno)"},
      {"posting through a shared handle", 100,
       [&] {
         dbf::Table t("wwTablePrueba");
         abrir(t, false);
         for (int i = 0; i < 10; ++i) {
           t.append();
           t.setString("CODIGO", "ABCDEFGHIJ");
           t.post();
         }
       },
       "wwTablePrueba: Disco lleno al escribir la tabla C:\\ZORVTMP\\PRUEBA.DBF"},
      {"closing an exclusive handle", 100,
       [&] {
         dbf::Table t("wwTablePrueba");
         abrir(t, true);
         for (int i = 0; i < 10; ++i) {
           t.append();
           t.setString("CODIGO", "ABCDEFGHIJ");
         }
         t.post();
         t.close();
       },
       "wwTablePrueba: Disco lleno al escribir la tabla C:\\ZORVTMP\\PRUEBA.DBF"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.como);
    std::filesystem::remove(plat::toNative(kRuta));
    if (std::string(c.como) != "creating") crear(kRuta, {{"CODIGO", dbf::FieldKind::String, 10}});
    const pid_t hijo = fork();
    ASSERT_GE(hijo, 0);
    if (hijo == 0) {
      signal(SIGXFSZ, SIG_IGN);
      const struct rlimit limite = {c.limite, c.limite};
      setrlimit(RLIMIT_FSIZE, &limite);
      const std::string error = errorDe(c.paso);
      if (error != c.error) std::fprintf(stderr, "error: %s\n", error.c_str());
      _exit(error == c.error ? 0 : 1);
    }
    int estado = 0;
    waitpid(hijo, &estado, 0);
    ASSERT_TRUE(WIFEXITED(estado));
    EXPECT_EQ(WEXITSTATUS(estado), 0) << "the child printed the error it got";
  }
}

// A file written over that cannot be cut where its new content ends at close says why
// in the program's words.
TEST_F(TableErrorsTest, AClosingThatCannotCutTheFileSaysWhy) {
  crearCodigos(kRuta, {"A", "B", "C"});
  dbf::Table t;
  t.setTableName(kRuta);
  t.fieldDefs() = {{"CODIGO", dbf::FieldKind::String, 10}};
  t.rewriteTable();
  const std::string nativa = plat::toNative(kRuta);
  std::filesystem::remove(nativa);
  std::filesystem::create_directory(nativa);
  EXPECT_EQ(errorDe([&] { t.close(); }),
            "No se puede cerrar la tabla C:\\ZORVTMP\\PRUEBA.DBF (Acceso al archivo denegado)");
}

}  // namespace
