// The write-back of the solution into the GESCEN timetables, and the class-period
// template that gives their times.
#include <gtest/gtest.h>

#include <functional>

#include "gescen/Catalogo.h"
#include "gescen/Staging.h"
#include "procesos/importar/Importacion.h"
#include "tests/import/Centro.h"
#include "tests/unit/RawDbf.h"

namespace {

class VolcadoTest : public ::testing::Test {
 protected:
  TempDrive drive_;
  gescen::Catalogo tablas_;
  procesos::EstadoPrograma estado_;
  UsuarioImportacion ui_;

  void SetUp() override {
    horariosGescen();
    centroYPeriodos({{"46001234", "1", "08:00", "08:55"},
                     {"46001234", "2", "08:55", "09:50"},
                     {"46001234", "2", "", "09:45"},  // a later empty time leaves the earlier one
                     {"46001234", "3", "10:10:00", "11:05"},  // cut to five characters
                     {"46001234", "21", "23:00", "23:55"},    // no period 21
                     {" 46001234", "4", "12:00", "12:55"},    // other centres
                     {"3001", "1", "07:00", "07:55"}});
    profesoresExportados({{"GPA", "GARCIA PEREZ, ANA", "MATES", "11111111"},
                          {"GPA", "OTRA GPA", "X", "99999999"},
                          {"LRJ", "LOPEZ ROS, JOAN", "FIS", "22222222"}});
    asignaturasExportadas({{"MAT", "1ESO002", "ESO", "1"},
                           {"MAT", "1ESO001", "ESO", "1"},  // first in CODVALEN order
                           {"FIS", "2BAC001", "BAC", "2"}});
  }

  void importar() {
    gescen::CopiarDatosGC(tablas_, "C:\\GC");
    ASSERT_EQ(procesos::ejecutarImportacion(tablas_, "C:\\GC", "46001234", estado_, ui_),
              procesos::ResultadoImportacion::Completada);
  }

  std::vector<std::string> filas(const char* archivo, std::vector<std::string> campos) {
    std::vector<std::string> out;
    for (const Registro& r : leerTabla(std::string("C:\\GC\\") + archivo)) {
      std::string linea;
      for (std::size_t i = 0; i < campos.size(); ++i)
        linea += (i == 0 ? "" : "|") + r.at(campos[i]);
      out.push_back(linea);
    }
    return out;
  }
};

TEST_F(VolcadoTest, SolutionRecordsBecomeTimetableRows) {
  solucion(
      {{"1", "1", "*12", "GPA", "ESO", "1", "MAT", "A", "7"},
       {"0", "2", "*12", "GPA", "ESO", "1", "MAT", "A", "7"},       // not placed: no rows
       {"2", "2", "*GUA", "LRJ", "", "1", "", "", ""},              // no level: teacher row only
       {"3", "3", "*", "XXX", "BAC", "2", "FIS", "B", "A12"},       // unknown teacher, bad room
       {"4", "25", "*REU", "LRJ", "BAC", "2", "QUI", "C", "1234"},  // unknown subject, no times
       {"5", "4", "*12", "LRJ", "ESO", " ", "MAT", "A", " 12 "}});  // blank course
  importar();
  EXPECT_EQ(filas("horprof.dbf", {"CODCEN", "DNI", "DIASEM", "NUMHORA", "HORAD", "HORAH", "OCUPA"}),
            (std::vector<std::string>{"46001234|11111111|1|1|08:00|08:55|12",
                                      "46001234|22222222|2|2|08:55|09:45|GUA",
                                      "46001234|0|3|3|10:10|11:05|", "46001234|22222222|4|25|||REU",
                                      "46001234|22222222|5|4|||12"}));
  EXPECT_EQ(filas("horgrup.dbf", {"CODCEN", "CODGRUP", "CODASIG", "DNI", "DIASEM", "NUMHORA",
                                  "HORDIADES", "HORDIAHAS", "CODAULA", "OBSERV"}),
            (std::vector<std::string>{"46001234|1ESOA|1ESO001|11111111|1|1|08:00|08:55|7|",
                                      "46001234|2BACB|2BAC001|0|3|3|10:10|11:05||",
                                      "46001234|||22222222|4|25||||"}));
}

TEST_F(VolcadoTest, TheTemplateTheUserConfirmedGivesTheTimes) {
  ui_.horasInicio = {{1, "08:05"}, {5, "13:00"}};
  solucion({{"1", "1", "*12", "GPA", "ESO", "1", "MAT", "A", ""},
            {"1", "5", "*12", "GPA", "", "", "", "", ""}});
  importar();
  EXPECT_EQ(filas("horprof.dbf", {"NUMHORA", "HORAD", "HORAH"}),
            (std::vector<std::string>{"1|08:05|08:55", "5|13:00|"}));
  std::vector<Registro> plantilla = leerTabla("C:\\ZORVTMP\\VALENCIA\\PLANTILLA.DBF");
  ASSERT_EQ(plantilla.size(), 20u);
  for (int i = 0; i < 20; ++i)
    EXPECT_EQ(plantilla[static_cast<std::size_t>(i)].at("HORA"), std::to_string(i + 1));
  EXPECT_EQ(plantilla[2].at("HORAINI"), "10:10");
  EXPECT_EQ(plantilla[3].at("HORAINI"), "");
}

// The group rows are written while the solution is still being read; a failure anywhere
// must still stop the write-back at the record, with the error and the rows written, of a
// plain pass over the solution.
TEST_F(VolcadoTest, AFailureStopsTheWriteBackWhereAPlainPassWould) {
  const std::vector<Fila> tresRegistros = {{"1", "1", "*12", "GPA", "ESO", "1", "MAT", "A", "7"},
                                           {"2", "2", "*GUA", "LRJ", "", "", "", "", ""},
                                           {"3", "3", "*12", "GPA", "ESO", "1", "MAT", "A", "7"}};
  struct Caso {
    const char* nombre;
    std::function<void()> preparar;
    std::string error;
    std::size_t filasProfesor, filasGrupo;  // left in the staged timetables
  };
  const std::vector<Caso> casos = {
      {"a day that is not a number in the third record",
       [&] {
         std::vector<Fila> filas = tresRegistros;
         filas[2][0] = "x";
         std::vector<Columna> campos = camposSolucion();
         campos[0].ancho = 1;  // DIA as text, to hold a letter
         crearTabla("C:\\ZORVTMP\\SOLUC.DBF", campos, filas);
       },
       "wwTableSoluc: 'x' no es un valor entero válido (C:\\ZORVTMP\\SOLUC.DBF, registro 3)", 2, 1},
      {"a teacher's number too wide for the group timetable alone",
       [&] {
         RawDbf raw;
         raw.fields = {{"CODCEN", 'N', 11},   {"CODGRUP", 'C', 5},   {"CODASIG", 'C', 8},
                       {"DNI", 'N', 4},       {"DIASEM", 'N', 11},   {"NUMHORA", 'N', 11},
                       {"HORDIADES", 'C', 5}, {"HORDIAHAS", 'C', 5}, {"CODAULA", 'N', 11}};
         writeFile(archivoDeGescen("horgrup.dbf"), raw.bytes());
         solucion(tresRegistros);
       },
       "wwTableHorGrup: El valor '11111111' no cabe en el campo 'DNI' "
       "(C:\\ZORVTMP\\VALENCIA\\horgrup.DBF, registro 1)",
       1, 0},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    horariosGescen();
    c.preparar();
    gescen::CopiarDatosGC(tablas_, "C:\\GC");
    std::string error;
    try {
      procesos::ejecutarImportacion(tablas_, "C:\\GC", "46001234", estado_, ui_);
    } catch (const std::exception& e) {
      error = e.what();
    }
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(leerTabla("C:\\ZORVTMP\\VALENCIA\\horprof.dbf").size(), c.filasProfesor);
    EXPECT_EQ(leerTabla("C:\\ZORVTMP\\VALENCIA\\horgrup.dbf").size(), c.filasGrupo);
  }
}

TEST_F(VolcadoTest, NoPeriodsForTheCentreLeaveTwentyEmptyOnes) {
  centroYPeriodos({{"3001", "1", "07:00", "07:55"}});
  solucion({{"1", "1", "*12", "GPA", "", "", "", "", ""}});
  importar();
  EXPECT_EQ(filas("horprof.dbf", {"HORAD", "HORAH"}), std::vector<std::string>{"|"});
  EXPECT_EQ(leerTabla("C:\\ZORVTMP\\VALENCIA\\PLANTILLA.DBF").size(), 20u);
}

}  // namespace
