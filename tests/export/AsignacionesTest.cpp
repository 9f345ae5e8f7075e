#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "plat/Platform.h"
#include "procesos/exportar/ExportarAsignaciones.h"
#include "procesos/exportar/ExportarAsignaturas.h"
#include "procesos/exportar/ExportarProfesores.h"
#include "tests/support/Escuela.h"

namespace {

class AsignacionesTest : public ::testing::Test {
 protected:
  TempDrive drive_;
  gescen::Catalogo tablas_;
  void TearDown() override { plat::setDecimalSeparator(0); }
  void SetUp() override {
    plat::setDecimalSeparator('.');
    escuelaVacia();
    asignaturas({{"1ESO001", "MAT", "Matemàtiques", "", "4"},
                 {"1ESO001", "XXX", "Segona", "", "9"},
                 {"2BAC001", "FIS", "Física", "", "25"},
                 {"1ESO002", "TUT", "Tutoria", "", "0"}});
    profesores({{"GARCIA PEREZ, ANA", "MATES", "11111111", ""},
                {"SENSE DNI, UN", "X", "0", ""},
                {"LOPEZ ROS, JOAN", "FIS", "22222222", ""}});
    procesos::ExportarAsignaturas(tablas_, "VALENCIÁ");
    procesos::ExportarProfesores(tablas_);
  }
  std::vector<std::string> resumen() {
    std::vector<std::string> out;
    for (auto& r : leerTabla(intercambio("ASIGT.DBF")))
      out.push_back(r.at("CASIG") + "|" + r.at("CPROF") + "|" + r.at("CGRUP") + "|" +
                    r.at("NIVEL") + "|" + r.at("CURSO") + "|" + r.at("GRUPO") + "|" +
                    r.at("HORAS") + "|" + r.at("SESIONES"));
    return out;
  }
};

TEST_F(AsignacionesTest, OneRowPerSubjectTeacherAndGroup) {
  std::vector<Fila> lecciones;
  for (int i = 0; i < 5; ++i) lecciones.push_back({"1ESOA", "1ESO001", "11111111"});
  lecciones.push_back({"1ESOA", " 1ESO001 ", "22222222"});  // another teacher, code with blanks
  lecciones.push_back({"2BACB", "2BAC001", "22222222"});
  lecciones.push_back({"1ESOA", "9ZZZ999", "11111111"});  // unknown subject
  lecciones.push_back({"1ESOA", "8YYY888", "11111111"});  // unknown too: same row
  lecciones.push_back({"1ESOA", "1ESO002", "33333333"});  // unknown teacher, 0 hours
  lecciones.push_back({"1ESOA", "1ESO002", ""});          // empty DNI: the teacher with DNI 0
  lecciones.push_back({"", "1ESO001", "11111111"});
  horarioGrupos(lecciones);
  procesos::ExportarAsignaciones(tablas_);
  EXPECT_EQ(resumen(),
            (std::vector<std::string>{"MAT|GPA|EO1A|ESO|1|A|4|1111", "MAT|LRJ|EO1A|ESO|1|A|4|1111",
                                      "FIS|LRJ|BC2B|BAC|2|B|25|11111111111111111111",
                                      "|GPA|EO1A|ESO|1|A|1|1", "TUT||EO1A|ESO|1|A|1|1",
                                      "TUT|SDU|EO1A|ESO|1|A|1|1", "MAT|GPA|||||4|1111"}));
  for (auto& r : leerTabla(intercambio("ASIGT.DBF"))) {
    EXPECT_EQ(r.at("CAULA"), "");
    EXPECT_EQ(r.at("TURNO"), "");
    EXPECT_EQ(r.at("CTAREA"), "*12");
  }
}

TEST_F(AsignacionesTest, HalfHoursRoundToTheEvenLessonCount) {
  crearTabla(intercambio("ASIGVALT.DBF"), {{"COD", 4}, {"CODVALEN", 10}, {"NHORAS", -1}},
             {{"A25", "A", "2.5"}, {"A35", "B", "3.5"}, {"A05", "C", "0.5"}});
  horarioGrupos({{"1ESOA", "A", "1"}, {"1ESOA", "B", "1"}, {"1ESOA", "C", "1"}});
  procesos::ExportarAsignaciones(tablas_);
  EXPECT_EQ(columna(intercambio("ASIGT.DBF"), "SESIONES"),
            (std::vector<std::string>{"11", "1111", ""}));
  EXPECT_EQ(columna(intercambio("ASIGT.DBF"), "HORAS"),
            (std::vector<std::string>{"2.5", "3.5", "0.5"}));
}

TEST_F(AsignacionesTest, EmptyTimetableAndMissingTeacherTable) {
  procesos::ExportarAsignaciones(tablas_);
  EXPECT_TRUE(leerTabla(intercambio("ASIGT.DBF")).empty());
  std::filesystem::remove(drive_.native("ZORVTMP/PROFT.DBF"));
  EXPECT_THROW(procesos::ExportarAsignaciones(tablas_), dbf::EngineError);
}

// Whatever fails, the writer stops where a plain pass over the lessons would have
// stopped, with that pass's rows and error.
TEST_F(AsignacionesTest, AFailureStopsTheWriterWhereAPlainPassWould) {
  const std::vector<Columna> dniEnTexto = {{"CODGRUP", 5}, {"CODASIG", 8}, {"DNI", 10}};
  const std::vector<Columna> sinDni = {{"CODGRUP", 5}, {"CODASIG", 8}};
  const std::vector<CasoFallo> casos = {
      {"a DNI that is not a number stops at the third lesson",
       [&] {
         staged("horgrup.dbf", dniEnTexto,
                {{"1ESOA", "1ESO001", "11111111"},
                 {"2BACB", "2BAC001", "22222222"},
                 {"1ESOA", "1ESO002", "x"},
                 {"1ESOA", "1ESO002", "22222222"}});
       },
       "wwTableHorGrup: 'x' no es un valor entero válido "
       "(C:\\ZORVTMP\\VALENCIA\\horgrup.DBF, registro 3)",
       {"MAT", "FIS"}},
      {"no timetable",
       [&] { std::filesystem::remove(drive_.native("ZORVTMP/VALENCIA/horgrup.dbf")); },
       "wwTableHorGrup: No se encuentra la tabla C:\\ZORVTMP\\VALENCIA\\horgrup.DBF",
       {}},
      {"no teacher table either: the teacher table fails first",
       [&] {
         std::filesystem::remove(drive_.native("ZORVTMP/VALENCIA/horgrup.dbf"));
         std::filesystem::remove(drive_.native("ZORVTMP/PROFT.DBF"));
       },
       "No se encuentra la tabla C:\\ZORVTMP\\PROFT.DBF",
       {}},
      {"lessons without a DNI fail at the first lesson",
       [&] {
         staged("horgrup.dbf", sinDni, {{"1ESOA", "1ESO001"}});
       },
       "wwTableHorGrup: No se encuentra el campo 'DNI' (C:\\ZORVTMP\\VALENCIA\\horgrup.DBF)",
       {}},
      {"which is no error when there are no lessons",
       [&] { staged("horgrup.dbf", sinDni, {}); },
       "",
       {}},
  };
  for (const CasoFallo& c : casos) {
    SCOPED_TRACE(c.nombre);
    procesos::ExportarProfesores(tablas_);
    c.preparar();
    const std::string error = errorDe([&] { procesos::ExportarAsignaciones(tablas_); });
    tablas_.cerrarTodas();
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(columna(intercambio("ASIGT.DBF"), "CASIG"), c.filas);
    EXPECT_FALSE(tablas_.wwTableHorGrup.active());
  }
}

}  // namespace
