// The column-width rule both grids follow: the cells' characters with their margins
// and the grid line, never narrower than the title's widest word.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/AnchoColumna.h"

namespace {

struct CasoAncho {
  const char* nombre;
  ui::MedidasColumna medidas;
  int esperado;
};

class AnchoColumnaTest : public ::testing::TestWithParam<CasoAncho> {};

TEST_P(AnchoColumnaTest, CeldasOPalabraMasLarga) {
  EXPECT_EQ(ui::anchoColumna(GetParam().medidas), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(Casos, AnchoColumnaTest,
                         ::testing::Values(
                             // 5 × 7 + 2 × 2 + 1 = 40, wider than the word.
                             CasoAncho{"LasCeldasMandan", {5, 7, 2, 30}, 40},
                             // A one-character field under a long title takes the word's width.
                             CasoAncho{"LaPalabraMarcaElMinimo", {1, 7, 2, 55}, 55},
                             CasoAncho{"EmpateExacto", {5, 7, 2, 40}, 40},
                             // One pixel more than the cells: the word wins by that pixel.
                             CasoAncho{"PalabraUnPixelMasAncha", {5, 7, 2, 41}, 41},
                             // A field of no characters still has its margins and the grid line.
                             CasoAncho{"SinCaracteresNiTitulo", {0, 7, 3, 0}, 7}),
                         [](const auto& info) { return std::string(info.param.nombre); });

struct CasoPalabras {
  const char* nombre;
  std::string_view titulo;
  std::vector<std::string_view> palabras;
};

class PalabrasTituloTest : public ::testing::TestWithParam<CasoPalabras> {};

TEST_P(PalabrasTituloTest, PartePorBlancos) {
  EXPECT_EQ(ui::palabrasTitulo(GetParam().titulo), GetParam().palabras);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, PalabrasTituloTest,
    ::testing::Values(CasoPalabras{"UnaPalabra", "Curso", {"Curso"}},
                      CasoPalabras{"Varias", "Nombre del grupo", {"Nombre", "del", "grupo"}},
                      // Blanks at the ends or repeated make no empty word.
                      CasoPalabras{
                          "BlancosSobrantes", "  Hora   de\tentrada ", {"Hora", "de", "entrada"}},
                      CasoPalabras{"SaltoDeLinea", "Horas\nlectivas", {"Horas", "lectivas"}},
                      CasoPalabras{"Vacio", "", {}}, CasoPalabras{"SoloBlancos", " \t \r\n", {}},
                      // Accented letters are kept whole (UTF-8 bytes are never blanks).
                      CasoPalabras{"Acentos", "Código módulo", {"Código", "módulo"}}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST(AnchoPalabraMasLarga, MideCadaPalabraYTomaLaMayor) {
  // Measured by bytes: the widest is "Asignatura" (10), not the whole title.
  std::vector<std::string> medidas;
  const int ancho = ui::anchoPalabraMasLarga("Nombre de la Asignatura", [&](std::string_view p) {
    medidas.emplace_back(p);
    return static_cast<int>(p.size());
  });
  EXPECT_EQ(ancho, 10);
  EXPECT_EQ(medidas, (std::vector<std::string>{"Nombre", "de", "la", "Asignatura"}));
}

TEST(AnchoPalabraMasLarga, TituloSinPalabrasMideCero) {
  EXPECT_EQ(ui::anchoPalabraMasLarga("   ", [](std::string_view) { return 99; }), 0);
}

}  // namespace
