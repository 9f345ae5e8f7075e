#include <gtest/gtest.h>

#include <filesystem>

#include "Catalogo.h"
#include "Centro.h"
#include "Importacion.h"
#include "Staging.h"

namespace fs = std::filesystem;

namespace {

class ImportacionTest : public ::testing::Test {
 protected:
  TempDrive drive;
  gc::Catalogo tablas;
  tzv::EstadoPrograma estado;
  UsuarioImportacion ui;
  std::string horgrupAntes, horprofAntes;

  void SetUp() override {
    horariosGescen();
    centroYPeriodos({{"46001234", "1", "08:00", "08:55"}, {"46001234", "2", "08:55", "09:50"}});
    gc::CopiarDatosGC(tablas, "C:\\GC");
    profesoresExportados({{"GPA", "GARCIA PEREZ, ANA", "MATES", "11111111"},
                          {"LRJ", "LOPEZ ROS, JOAN", "FIS", "22222222"}});
    asignaturasExportadas({{"MAT", "1ESO001", "ESO", "1"}});
    solucion({{"1", "1", "*12", "GPA", "ESO", "1", "MAT", "A", "101"},
              {"2", "2", "*GUA", "LRJ", "", "", "", "", ""}});
    horgrupAntes = readFile(gescen("horgrup.dbf"));
    horprofAntes = readFile(gescen("horprof.dbf"));
  }

  tzv::ResultadoImportacion importar() {
    return tzv::EjecutarImportacion(tablas, "C:\\GC", "46001234", estado, ui);
  }

  void gescenSinCambios() {
    EXPECT_EQ(readFile(gescen("horgrup.dbf")), horgrupAntes);
    EXPECT_EQ(readFile(gescen("horprof.dbf")), horprofAntes);
  }
};

TEST_F(ImportacionTest, CompleteRunReplacesBothTimetablesAndKeepsTheOldOnes) {
  EXPECT_EQ(importar(), tzv::ResultadoImportacion::Completada);
  EXPECT_EQ(ui.sucesos, (std::vector<std::string>{std::string("mensaje: ") + tzv::kAvisoImportacion,
                                                  "reloj", "rejilla de plantilla", "reloj",
                                                  "normal", "mensaje: Proceso finalizado"}));
  EXPECT_EQ(estado.resultado, 1);
  EXPECT_EQ(readFile(gescen("horgrup.dbf")),
            readFile(drive.native("ZORVTMP/VALENCIA/horgrup.dbf")));
  EXPECT_EQ(readFile(gescen("horprof.dbf")),
            readFile(drive.native("ZORVTMP/VALENCIA/horprof.dbf")));
  EXPECT_EQ(columna("C:\\GC\\horprof.dbf", "DNI"),
            (std::vector<std::string>{"11111111", "22222222"}));
  EXPECT_EQ(columna("C:\\GC\\horgrup.dbf", "CODGRUP"), std::vector<std::string>{"1ESOA"});
  // The old files wait in a dated folder; nothing else appears in the GESCEN folder.
  auto copias = fs::directory_iterator(drive.native("ZORVTMP/VALENCIA/COPIAS"));
  fs::path copia = copias->path();
  EXPECT_EQ(readFile((copia / "horgrup.dbf").string()), horgrupAntes);
  EXPECT_EQ(readFile((copia / "horprof.dbf").string()), horprofAntes);
  std::set<std::string> enGC;
  for (const auto& e : fs::directory_iterator(drive.native("GC")))
    enGC.insert(e.path().filename().string());
  EXPECT_EQ(enGC,
            (std::set<std::string>{"centro.dbf", "horgrup.dbf", "horprof.dbf", "lhortipo.dbf"}));
}

TEST_F(ImportacionTest, ASecondRunStartsFromWhatTheFirstWroteBack) {
  importar();
  const std::string primera = readFile(gescen("horgrup.dbf"));
  solucion({{"3", "2", "*12", "GPA", "ESO", "1", "MAT", "B", ""}});
  importar();
  EXPECT_EQ(columna("C:\\GC\\horgrup.dbf", "CODGRUP"), std::vector<std::string>{"1ESOB"});
  EXPECT_EQ(std::distance(fs::directory_iterator(drive.native("ZORVTMP/VALENCIA/COPIAS")),
                          fs::directory_iterator()),
            2);
}

TEST_F(ImportacionTest, NoSolutionStandAloneAndInHostMode) {
  fs::remove(drive.native("ZORVTMP/SOLUC.DBF"));
  estado.resultado = 1;
  EXPECT_EQ(importar(), tzv::ResultadoImportacion::SinSolucion);
  EXPECT_EQ(ui.sucesos,
            (std::vector<std::string>{std::string("mensaje: ") + tzv::kAvisoImportacion, "reloj",
                                      std::string("mensaje: ") + tzv::kSinSolucion, "normal"}));
  EXPECT_EQ(estado.resultado, 1);
  gescenSinCambios();
  estado.numeroArgumentos = 2;
  ui.sucesos.clear();
  importar();
  EXPECT_EQ(estado.resultado, 0);
  EXPECT_EQ(ui.sucesos.back(), "cerrar");
}

TEST_F(ImportacionTest, TeacherCheck) {
  struct Case {
    const char* que;
    std::map<std::string, long long> tecleados;
    bool cierraConSalir;
    tzv::ResultadoImportacion resultado;
    bool rejilla;
  };
  const Case cases[] = {
      {"every number typed",
       {{"LRJ", 22222222}},
       true,
       tzv::ResultadoImportacion::Completada,
       true},
      {"closed with the window button, numbers typed",
       {{"LRJ", 22222222}},
       false,
       tzv::ResultadoImportacion::Completada,
       true},
      {"a number still missing", {}, true, tzv::ResultadoImportacion::ProfesorSinDni, true},
      {"a negative number counts",
       {{"LRJ", -5}},
       true,
       tzv::ResultadoImportacion::Completada,
       true},
  };
  for (const Case& c : cases) {
    profesoresExportados({{"GPA", "GARCIA PEREZ, ANA", "MATES", "11111111"},
                          {"LRJ", "LOPEZ ROS, JOAN", "FIS", "0"}});
    ui = UsuarioImportacion();
    ui.dnis = c.tecleados;
    ui.dniCorrectoAlSalir = c.cierraConSalir;
    const std::string antes = readFile(gescen("horgrup.dbf"));
    EXPECT_EQ(importar(), c.resultado) << c.que;
    EXPECT_EQ(std::count(ui.sucesos.begin(), ui.sucesos.end(), "rejilla de profesores"), 1)
        << c.que;
    if (c.resultado == tzv::ResultadoImportacion::ProfesorSinDni) {
      EXPECT_EQ(ui.sucesos.back(), "cerrar") << c.que;
      EXPECT_EQ(ui.sucesos[ui.sucesos.size() - 2], std::string("mensaje: ") + tzv::kProfesorSinDni)
          << c.que;
      EXPECT_EQ(readFile(gescen("horgrup.dbf")), antes) << c.que;
    }
  }
}

TEST_F(ImportacionTest, NoTeacherWithoutNumberMeansNoDialog) {
  importar();
  EXPECT_EQ(std::count(ui.sucesos.begin(), ui.sucesos.end(), "rejilla de profesores"), 0);
}

TEST_F(ImportacionTest, AMissingTimetableInTheGescenFolderStopsTheRunAndChangesNothing) {
  fs::remove(gescen("horprof.dbf"));
  try {
    importar();
    FAIL();
  } catch (const std::exception& e) {
    EXPECT_EQ(std::string(e.what()).rfind("wwTableHorProf: No se encuentra la tabla", 0), 0u)
        << e.what();
  }
  EXPECT_EQ(ui.sucesos.back(), "normal");
  EXPECT_EQ(estado.resultado, 0);
  EXPECT_EQ(readFile(gescen("horgrup.dbf")), horgrupAntes);
  EXPECT_FALSE(fs::exists(gescen("horprof.dbf")));
}

TEST_F(ImportacionTest, AFailureDuringTheCopyBackLeavesTheOtherOldFile) {
  // While the run works, something takes the teacher timetable's place in the GESCEN
  // folder, so that it cannot be replaced at the end.
  ui.mientrasPlantilla = [this] {
    fs::remove(gescen("horprof.dbf"));
    fs::create_directory(gescen("horprof.dbf"));
  };
  EXPECT_THROW(importar(), gc::EntradaSalidaError);
  EXPECT_EQ(readFile(gescen("horgrup.dbf")), horgrupAntes);
  EXPECT_TRUE(fs::is_directory(gescen("horprof.dbf")));
  EXPECT_EQ(estado.resultado, 0);
  for (const auto& e : fs::directory_iterator(drive.native("GC")))
    EXPECT_EQ(e.path().filename().string().find(".tzv-"), std::string::npos) << e.path();
}

}  // namespace
