#include <gtest/gtest.h>

#include "gescen/TablasIntercambio.h"
#include "plat/WinPath.h"
#include "procesos/exportar/Exportacion.h"
#include "tests/support/Escuela.h"

namespace {

class UsuarioGuionado : public procesos::Interaccion {
 public:
  std::vector<std::string> sucesos;
  void mensaje(const std::string& texto) override { sucesos.push_back("mensaje: " + texto); }
  void cursorEspera(bool activo) override { sucesos.push_back(activo ? "reloj" : "normal"); }
};

class ExportacionTest : public ::testing::Test {
 protected:
  TempDrive drive_;
  gescen::Catalogo tablas_;
  procesos::EstadoPrograma estado_;
  UsuarioGuionado ui_;
  void SetUp() override { escuelaDeUnAlumno(); }
};

// The run tells the same in host mode as stand-alone: what follows it (closing the
// dialog for the host) is not its business.
TEST_F(ExportacionTest, SuccessfulRunStandAloneAndInHostMode) {
  for (int argumentos : {0, 2}) {
    SCOPED_TRACE(argumentos);
    estado_ = procesos::EstadoPrograma{};
    estado_.numeroArgumentos = argumentos;
    ui_.sucesos.clear();
    procesos::ejecutarExportacion(tablas_, "VALENCIÁ", estado_, ui_);
    EXPECT_EQ(ui_.sucesos,
              (std::vector<std::string>{std::string("mensaje: ") + procesos::kAvisoExportacion,
                                        "reloj", "normal", "mensaje: Proceso finalizado"}));
    EXPECT_EQ(estado_.resultado, 1);
    for (const std::string& t : gescen::tablasIntercambio())
      EXPECT_FALSE(leerTabla(intercambio(t)).empty()) << t;
  }
}

TEST_F(ExportacionTest, ASecondRunReplacesEveryTable) {
  procesos::ejecutarExportacion(tablas_, "VALENCIÁ", estado_, ui_);
  procesos::ejecutarExportacion(tablas_, "VALENCIÁ", estado_, ui_);
  for (const std::string& t : gescen::tablasIntercambio())
    EXPECT_EQ(leerTabla(intercambio(t)).size(), t == "ASIGNOMT.DBF" ? 1u : 1u) << t;
}

TEST_F(ExportacionTest, AFailingWriterStopsTheRunAndLeavesTheFlagAtZero) {
  procesos::ejecutarExportacion(tablas_, "VALENCIÁ", estado_, ui_);  // an earlier run's tables
  const std::string gruposAntes = readFile(plat::toNative(intercambio("GRUPOST.DBF")));
  aulas({{"101", "Aula"}, {"102", "Aula"}});
  staged("aulas.dbf", {{"CODAULA", 6}}, {{"101"}, {"102"}});  // LITAULA missing
  profesores({{"NOU PROFE, X", "D", "5", ""}});
  ui_.sucesos.clear();
  try {
    procesos::ejecutarExportacion(tablas_, "VALENCIÁ", estado_, ui_);
    FAIL();
  } catch (const std::exception& e) {
    EXPECT_EQ(e.what(), std::string("wwTableAulas: No se encuentra el campo 'LITAULA' "
                                    "(C:\\ZORVTMP\\VALENCIA\\aulas.DBF). ") +
                            procesos::kTablasIncompletas);
  }
  EXPECT_EQ(estado_.resultado, 0);
  EXPECT_EQ(ui_.sucesos,
            (std::vector<std::string>{std::string("mensaje: ") + procesos::kAvisoExportacion,
                                      "reloj", "normal"}));
  EXPECT_EQ(columna(intercambio("PROFT.DBF"), "ABREV"),
            std::vector<std::string>{"NPX"});                                    // this run's
  EXPECT_TRUE(leerTabla(intercambio("AULAT.DBF")).empty());                      // partial
  EXPECT_EQ(readFile(plat::toNative(intercambio("GRUPOST.DBF"))), gruposAntes);  // untouched
  EXPECT_FALSE(tablas_.wwTableAulas.active());
}

}  // namespace
