#include <gtest/gtest.h>

#include "procesos/exportar/ExportarAulas.h"
#include "procesos/exportar/ExportarGrupos.h"
#include "tests/support/Escuela.h"

namespace {

class GruposAulasTest : public ::testing::Test {
 protected:
  TempDrive drive_;
  gescen::Catalogo tablas_;
  void SetUp() override { escuelaVacia(); }
};

TEST_F(GruposAulasTest, RoomsCopiedWithFixedBuildingAndCapacity) {
  aulas({{"101", "Aula 1.01"}, {"LAB12", "Laboratori de Ciències"}, {"LAB1", "Altre"}});
  procesos::ExportarAulas(tablas_);
  auto filas = leerTabla(intercambio("AULAT.DBF"));
  ASSERT_EQ(filas.size(), 3u);
  EXPECT_EQ(
      filas[0],
      (Registro{{"ABREV", "101"}, {"NOMBRE", "Aula 1.01"}, {"EDIFICIO", "1"}, {"MAXALUM", "0"}}));
  EXPECT_EQ(filas[1].at("ABREV"), "LAB1");
  EXPECT_EQ(filas[2].at("ABREV"), "LAB1");
  aulas({});
  procesos::ExportarAulas(tablas_);
  EXPECT_TRUE(leerTabla(intercambio("AULAT.DBF")).empty());
}

TEST_F(GruposAulasTest, GroupsAndCoursesInOrderOfFirstAppearance) {
  grupos({{"1ESOA", "M", "Primer A"},
          {"1ESOA", "M", "Repetit"},
          {"1ESOB", "M", "Primer B"},
          {"1ESOA", "V", "Tarda"},
          {"", "M", "Buit"},
          {"X", "M", "Curt"},
          {"1XY", "M", "Tres"},
          {"2BACA", "M", std::string(40, 'L')}});
  procesos::ExportarGrupos(tablas_);
  auto g = leerTabla(intercambio("GRUPOST.DBF"));
  ASSERT_EQ(g.size(), 5u);
  EXPECT_EQ(g[0], (Registro{{"ABREV", "EO1A"},
                            {"TURNO", "M"},
                            {"NIVEL", "ESO"},
                            {"CURSO", "1"},
                            {"GRUPO", "A"},
                            {"DESCRIP", "M ESO 1 A (Primer A)"}}));
  EXPECT_EQ(g[1].at("ABREV"), "EO1B");
  EXPECT_EQ(g[2].at("ABREV"), "EO1A");
  EXPECT_EQ(g[2].at("TURNO"), "V");
  EXPECT_EQ(g[3], (Registro{{"ABREV", "X1Y"},
                            {"TURNO", "M"},
                            {"NIVEL", "XY"},
                            {"CURSO", "1"},
                            {"GRUPO", "Y"},
                            {"DESCRIP", "M XY 1 Y (Tres)"}}));
  EXPECT_EQ(g[4].at("DESCRIP"), "M BAC 2 A (" + std::string(29, 'L'));
  auto c = leerTabla(intercambio("CURSOST.DBF"));
  std::vector<std::string> abrev;
  for (auto& r : c)
    abrev.push_back(r.at("ABREV") + "/" + r.at("TURNO") + "/" + r.at("NIVEL") + "/" +
                    r.at("CURSO"));
  EXPECT_EQ(abrev,
            (std::vector<std::string>{"ME1/M/ESO/1", "VE1/V/ESO/1", "MX1/M/XY/1", "MB2/M/BAC/2"}));
}

TEST_F(GruposAulasTest, AShiftLongerThanItsFieldNeverMatchesItsStoredRow) {
  // The stored shift is cut to one character, so the duplicate test never finds it.
  grupos({{"1ESOA", "MT", "A"}, {"1ESOA", "MT", "B"}});
  procesos::ExportarGrupos(tablas_);
  EXPECT_EQ(columna(intercambio("GRUPOST.DBF"), "TURNO"), (std::vector<std::string>{"M", "M"}));
  EXPECT_EQ(columna(intercambio("CURSOST.DBF"), "ABREV"), (std::vector<std::string>{"MTE", "MTE"}));
}

TEST_F(GruposAulasTest, EmptyGroupTableGivesTwoEmptyTables) {
  procesos::ExportarGrupos(tablas_);
  EXPECT_TRUE(leerTabla(intercambio("GRUPOST.DBF")).empty());
  EXPECT_TRUE(leerTabla(intercambio("CURSOST.DBF")).empty());
}

}  // namespace
