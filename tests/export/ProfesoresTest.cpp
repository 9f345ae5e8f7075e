#include <gtest/gtest.h>

#include "procesos/exportar/ExportarProfesores.h"
#include "tests/support/Escuela.h"

namespace {

TEST(InicialesTest, CharactersAfterEachSeparator) {
  struct Case {
    const char* texto;
    const char* separador;
    const char* esperado;
  };
  const Case cases[] = {{"ABC DEF, GHI", " ", "DG"},
                        {"ABC  DEF", " ", " D"},
                        {"ABC ", " ", ""},
                        {"UNA", " ", ""},
                        {"", " ", ""},
                        {"ÀNGEL ÑÚÑEZ ÒSCAR", " ", "ÑÒ"},
                        {"A-B-C", "-", "BC"},
                        {"A B", "  ", ""},
                        {" X", " ", "X"}};
  for (const Case& c : cases)
    EXPECT_EQ(procesos::Iniciales(c.texto, c.separador), c.esperado) << c.texto;
}

TEST(AbreviaturasUnicasTest, CountersInTableOrder) {
  using V = std::vector<std::string>;
  struct Case {
    const char* que;
    V entrada;
    V esperado;
  };
  V diez(10, "ADG"), once(11, "ADG"), doce(12, "ADG");
  V diezEsperado = {"ADG", "ADG2", "ADG3", "ADG4", "ADG5", "ADG6", "ADG7", "ADG8", "ADG9", "ADG1"};
  V onceEsperado = diezEsperado;
  onceEsperado.push_back("AD10");
  V doceEsperado = onceEsperado;
  doceEsperado.push_back("AD11");
  // Ten holders of AD already take AD10: the eleventh ADG moves on to AD11.
  V conAD10(10, "AD");
  conAD10.insert(conAD10.end(), once.begin(), once.end());
  V conAD10Esperado = {"AD", "AD2", "AD3", "AD4", "AD5", "AD6", "AD7", "AD8", "AD9", "AD10"};
  conAD10Esperado.insert(conAD10Esperado.end(), diezEsperado.begin(), diezEsperado.end());
  conAD10Esperado.push_back("AD11");
  const Case cases[] = {
      {"three holders", {"ADG", "XYZ", "ADG", "ADG"}, {"ADG", "XYZ", "ADG2", "ADG3"}},
      {"blank names", {"", "", "ABC"}, {"", "2", "ABC"}},
      {"ten holders", diez, diezEsperado},
      {"eleven holders", once, onceEsperado},
      {"twelve holders", doce, doceEsperado},
      {"a counter already held", {"AD", "AD", "AD2"}, {"AD", "AD2", "AD22"}},
      {"the first free counter", conAD10, conAD10Esperado},
  };
  for (const Case& c : cases)
    EXPECT_EQ(procesos::abreviaturasUnicas(c.entrada), c.esperado) << c.que;
}

class ProfesoresTest : public ::testing::Test {
 protected:
  TempDrive drive_;
  gescen::Catalogo tablas_;
  void SetUp() override { escuelaVacia(); }
};

TEST_F(ProfesoresTest, WhoIsLeftOut) {
  profesores({{"GARCIA PEREZ, ANA", "MATES", "11111111", ""},          // no leaving date: written
              {"LOPEZ RUIZ, JUAN", "FISICA", "22222222", "20240630"},  // left: out
              {"MARTI SOLER, PAU", "MATES", "0", "20240630"},          // left but no DNI: written
              {"   ", "LENGUA", "33333333", "20240630"},  // left but blank name: written
              {"", "", "", ""}});
  procesos::ExportarProfesores(tablas_);
  auto filas = leerTabla(intercambio("PROFT.DBF"));
  ASSERT_EQ(filas.size(), 4u);
  EXPECT_EQ(filas[0], (Registro{{"ABREV", "GPA"},
                                {"NOMBRE", "GARCIA PEREZ, ANA"},
                                {"DEPART", "MATES"},
                                {"DNI", "11111111"}}));
  EXPECT_EQ(filas[1].at("ABREV"), "MSP");
  EXPECT_EQ(filas[1].at("DNI"), "0");
  EXPECT_EQ(filas[2].at("ABREV"), "");  // "   " gives a blank abbreviation
  EXPECT_EQ(filas[3].at("ABREV"), "2");
}

TEST_F(ProfesoresTest, AbbreviationsMadeUniqueInTheFile) {
  std::vector<Fila> filas;
  for (int i = 0; i < 12; ++i)
    filas.push_back({"ALBA DURA, GIL " + std::to_string(i), "D", std::to_string(1000 + i), ""});
  filas.insert(filas.begin() + 3, Fila{"XAVI YUSTE, ZOE", "D", "999", ""});
  profesores(filas);
  procesos::ExportarProfesores(tablas_);
  EXPECT_EQ(columna(intercambio("PROFT.DBF"), "ABREV"),
            (std::vector<std::string>{"ADG", "ADG2", "ADG3", "XYZ", "ADG4", "ADG5", "ADG6", "ADG7",
                                      "ADG8", "ADG9", "ADG1", "AD10", "AD11"}));
}

TEST_F(ProfesoresTest, LongTextsAreCutAndNoTeacherLeavesAnEmptyTable) {
  profesores({{std::string(45, 'N'), std::string(50, 'D'), "1", ""}});
  procesos::ExportarProfesores(tablas_);
  auto filas = leerTabla(intercambio("PROFT.DBF"));
  EXPECT_EQ(filas[0].at("NOMBRE"), std::string(40, 'N'));
  EXPECT_EQ(filas[0].at("DEPART"), std::string(40, 'D'));

  profesores({{"FUERA, YA", "D", "5", "20200101"}});
  EXPECT_NO_THROW(procesos::ExportarProfesores(tablas_));
  EXPECT_TRUE(leerTabla(intercambio("PROFT.DBF")).empty());
}

}  // namespace
