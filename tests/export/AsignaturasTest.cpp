#include <gtest/gtest.h>

#include "plat/Platform.h"
#include "procesos/exportar/ExportarAsignaturas.h"
#include "tests/support/Escuela.h"

namespace {

class AsignaturasTest : public ::testing::Test {
 protected:
  TempDrive drive_;
  gescen::Catalogo tablas_;
  void SetUp() override {
    plat::setDecimalSeparator(',');
    escuelaVacia();
  }
  void TearDown() override { plat::setDecimalSeparator(0); }
};

TEST_F(AsignaturasTest, OneRowPerSubjectWithLevelCourseAndHours) {
  asignaturas({{"1ESO001", "MAT", "Matemàtiques", "Matemáticas", "4"},
               {"2BAC010", "FIS", "Física", "Física", "12,5"},
               {"3", "X", "Curt", "Corto", ""},
               {"", "", "Sense codi", "Sin código", "0"}});
  procesos::ExportarAsignaturas(tablas_, "VALENCIÁ");
  auto filas = leerTabla(intercambio("ASIGVALT.DBF"));
  ASSERT_EQ(filas.size(), 4u);
  EXPECT_EQ(filas[0], (Registro{{"COD", "MAT"},
                                {"CODLARGO", "MAT"},
                                {"NOMBRE", "Matemàtiques"},
                                {"CODVALEN", "1ESO001"},
                                {"NHORAS", "4"},
                                {"NIVEL", "ESO"},
                                {"CURSO", "1"}}));
  EXPECT_EQ(filas[1].at("NHORAS"), "12");
  EXPECT_EQ(filas[1].at("NIVEL"), "BAC");
  EXPECT_EQ(filas[2].at("NIVEL"), "");
  EXPECT_EQ(filas[2].at("CURSO"), "3");
  EXPECT_EQ(filas[2].at("NHORAS"), "1");
  EXPECT_EQ(filas[3].at("CODVALEN"), "");
  EXPECT_EQ(filas[3].at("CURSO"), "");
  EXPECT_EQ(filas[3].at("NHORAS"), "1");
}

TEST_F(AsignaturasTest, WeeklyHoursFromTheFirstTwoCharacters) {
  struct Case {
    const char* horsemte;
    double horas;
  };
  const Case cases[] = {{"", 1},  {"  ", 1}, {"4", 4},  {" 2", 2},  {"12,5", 12},
                        {"0", 1}, {"-3", 1}, {"2,", 2}, {"1,5", 1}, {"30", 30}};
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(procesos::horasSemanales(c.horsemte), c.horas) << c.horsemte;
  try {
    procesos::horasSemanales("ab3");
    FAIL();
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "'ab' no es un valor punto flotante válido");
  }
}

TEST_F(AsignaturasTest, NamesInTheChosenLanguage) {
  asignaturas({{"1ESO001", "MAT", "Matemàtiques", "Matemáticas", "4"}});
  ocupaciones({{"GUA", "Guàrdia", "Guardia"}});
  struct Case {
    const char* idioma;
    const char* asignatura;
    const char* ocupacion;
  };
  const Case cases[] = {{"CASTELLANO", "Matemáticas", "Guardia"},
                        {"VALENCIÁ", "Matemàtiques", "Guàrdia"},
                        {"castellano", "Matemàtiques", "Guàrdia"},
                        {"Castellano ", "Matemàtiques", "Guàrdia"}};
  for (const Case& c : cases) {
    procesos::ExportarAsignaturas(tablas_, c.idioma);
    EXPECT_EQ(columna(intercambio("ASIGVALT.DBF"), "NOMBRE"),
              std::vector<std::string>{c.asignatura})
        << c.idioma;
    EXPECT_EQ(columna(intercambio("ASIGNOMT.DBF"), "NOMBRE"),
              (std::vector<std::string>{c.asignatura, c.ocupacion}))
        << c.idioma;
  }
}

TEST_F(AsignaturasTest, NamesTableHasOneRowPerAbbreviationThenTheOccupations) {
  asignaturas({{"1ESO002", "MAT", "Matemàtiques II", "", "4"},
               {"1ESO001", "CAS", "Castellà", "", "3"},
               {"1ESO003", "MAT", "Matemàtiques I", "", "4"},
               {"1ESO004", "", "Sense abreviatura", "", "1"},
               {"1ESO005", "", "Altra", "", "1"}});
  ocupaciones({{"12", "Reunió", ""}, {"ABCDE", "Tutoria", ""}});
  procesos::ExportarAsignaturas(tablas_, "VALENCIÁ");
  auto filas = leerTabla(intercambio("ASIGNOMT.DBF"));
  std::vector<std::vector<std::string>> esperadas = {{"", "", "Sense abreviatura", "False"},
                                                     {"CAS", "CAS", "Castellà", "False"},
                                                     {"MAT", "MAT", "Matemàtiques II", "False"},
                                                     {"*12", "*12", "Reunió", "True"},
                                                     {"*ABC", "*ABCDE", "Tutoria", "True"}};
  ASSERT_EQ(filas.size(), esperadas.size());
  for (std::size_t i = 0; i < filas.size(); ++i) {
    EXPECT_EQ((std::vector<std::string>{filas[i]["COD"], filas[i]["CODLARGO"], filas[i]["NOMBRE"],
                                        filas[i]["ESTAREA"]}),
              esperadas[i]);
  }
}

TEST_F(AsignaturasTest, AnAbbreviationEqualToTheStartMarkFirstGetsNoNameRow) {
  asignaturas({{"1ESO001", "@#$", "Marca", "", "1"}, {"1ESO002", "ZZZ", "Última", "", "1"}});
  procesos::ExportarAsignaturas(tablas_, "VALENCIÁ");
  EXPECT_EQ(columna(intercambio("ASIGNOMT.DBF"), "COD"), std::vector<std::string>{"ZZZ"});
}

TEST_F(AsignaturasTest, EmptyTables) {
  ocupaciones({{"12", "Reunió", "Reunión"}});
  procesos::ExportarAsignaturas(tablas_, "VALENCIÁ");
  EXPECT_TRUE(leerTabla(intercambio("ASIGVALT.DBF")).empty());
  EXPECT_EQ(columna(intercambio("ASIGNOMT.DBF"), "COD"), std::vector<std::string>{"*12"});
}

TEST_F(AsignaturasTest, BadHoursStopAfterTheSubjectsBefore) {
  asignaturas({{"1ESO001", "MAT", "M", "", "4"},
               {"1ESO002", "CAS", "C", "", "x1"},
               {"1ESO003", "ING", "I", "", "3"}});
  try {
    procesos::ExportarAsignaturas(tablas_, "VALENCIÁ");
    FAIL();
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(),
                 "'x1' no es un valor punto flotante válido "
                 "(C:\\ZORVTMP\\VALENCIA\\asignat.dbf, registro 2)");
  }
  EXPECT_EQ(columna(intercambio("ASIGVALT.DBF"), "COD"), std::vector<std::string>{"MAT"});
  EXPECT_TRUE(leerTabla(intercambio("ASIGNOMT.DBF")).empty());
}

TEST_F(AsignaturasTest, MissingOccupationsTableStopsAfterTheSubjectRows) {
  asignaturas({{"1ESO001", "MAT", "M", "", "4"}});
  std::filesystem::remove(drive_.native("ZORVTMP/VALENCIA/OCUPA.dbf"));
  try {
    procesos::ExportarAsignaturas(tablas_, "VALENCIÁ");
    FAIL();
  } catch (const std::exception& e) {
    EXPECT_EQ(std::string(e.what()).rfind("wwTableOCUPA: No se encuentra la tabla", 0), 0u)
        << e.what();
  }
  EXPECT_EQ(columna(intercambio("ASIGVALT.DBF"), "COD"), std::vector<std::string>{"MAT"});
  EXPECT_EQ(columna(intercambio("ASIGNOMT.DBF"), "COD"), std::vector<std::string>{"MAT"});
}

TEST_F(AsignaturasTest, MissingFieldNamesIt) {
  staged("asignat.dbf", {{"CODASIG", 8}, {"LITRESV", 3}}, {{"1ESO001", "MAT"}});
  try {
    procesos::ExportarAsignaturas(tablas_, "VALENCIÁ");
    FAIL();
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(),
                 "wwTableAsignat: No se encuentra el campo 'VLITEASIG' "
                 "(C:\\ZORVTMP\\VALENCIA\\asignat.dbf)");
  }
}

}  // namespace
