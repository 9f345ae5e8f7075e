#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <set>

#include "gescen/CarpetaEnUso.h"
#include "gescen/Catalogo.h"
#include "gescen/CerrojoHorarios.h"
#include "gescen/Staging.h"
#include "gescen/TablasIntercambio.h"
#include "procesos/importar/CopiaSegura.h"
#include "procesos/importar/Importacion.h"
#include "tests/import/Centro.h"
#include "tests/support/CerrojoAjeno.h"
#include "tests/support/OtraEjecucion.h"
#include "tests/unit/RawDbf.h"

namespace fs = std::filesystem;

namespace {

class ImportacionTest : public ::testing::Test {
 protected:
  TempDrive drive_;
  gescen::Catalogo tablas_;
  procesos::EstadoPrograma estado_;
  UsuarioImportacion ui_;
  std::string horgrupAntes_, horprofAntes_;

  void SetUp() override {
    horariosGescen();
    centroYPeriodos({{"46001234", "1", "08:00", "08:55"}, {"46001234", "2", "08:55", "09:50"}});
    gescen::CopiarDatosGC(tablas_, "C:\\GC");
    profesoresExportados({{"GPA", "GARCIA PEREZ, ANA", "MATES", "11111111"},
                          {"LRJ", "LOPEZ ROS, JOAN", "FIS", "22222222"}});
    asignaturasExportadas({{"MAT", "1ESO001", "ESO", "1"}});
    solucion({{"1", "1", "*12", "GPA", "ESO", "1", "MAT", "A", "101"},
              {"2", "2", "*GUA", "LRJ", "", "", "", "", ""}});
    horgrupAntes_ = readFile(archivoDeGescen("horgrup.dbf"));
    horprofAntes_ = readFile(archivoDeGescen("horprof.dbf"));
  }

  procesos::ResultadoImportacion importar() {
    return procesos::ejecutarImportacion(tablas_, "C:\\GC", "46001234", estado_, ui_);
  }

  // The tables as they were; beside them at most the lock file of the copy back, which
  // stays once made.
  void gescenSinCambios() {
    EXPECT_EQ(readFile(archivoDeGescen("horgrup.dbf")), horgrupAntes_);
    EXPECT_EQ(readFile(archivoDeGescen("horprof.dbf")), horprofAntes_);
    std::set<std::string> enGC = entradas(drive_.native("GC"));
    enGC.erase(gescen::kArchivoCerrojoHorarios);
    EXPECT_EQ(enGC,
              (std::set<std::string>{"centro.dbf", "horgrup.dbf", "horprof.dbf", "lhortipo.dbf"}));
  }

  static std::set<std::string> entradas(const std::string& carpeta) {
    std::set<std::string> nombres;
    if (fs::exists(carpeta))
      for (const auto& e : fs::directory_iterator(carpeta))
        nombres.insert(e.path().filename().string());
    return nombres;
  }

  // The text of the error the import stops with; empty when it does not stop.
  std::string errorAlImportar() {
    try {
      importar();
    } catch (const std::exception& e) {
      return e.what();
    }
    return {};
  }
};

TEST_F(ImportacionTest, CompleteRunReplacesBothTimetablesAndKeepsTheOldOnes) {
  EXPECT_EQ(importar(), procesos::ResultadoImportacion::Completada);
  EXPECT_EQ(ui_.sucesos,
            (std::vector<std::string>{std::string("mensaje: ") + procesos::kAvisoImportacion,
                                      "reloj", "rejilla de plantilla", "reloj", "normal",
                                      "mensaje: Proceso finalizado"}));
  EXPECT_EQ(estado_.resultado, 1);
  EXPECT_EQ(readFile(archivoDeGescen("horgrup.dbf")),
            readFile(drive_.native("ZORVTMP/VALENCIA/horgrup.dbf")));
  EXPECT_EQ(readFile(archivoDeGescen("horprof.dbf")),
            readFile(drive_.native("ZORVTMP/VALENCIA/horprof.dbf")));
  EXPECT_EQ(columna("C:\\GC\\horprof.dbf", "DNI"),
            (std::vector<std::string>{"11111111", "22222222"}));
  EXPECT_EQ(columna("C:\\GC\\horgrup.dbf", "CODGRUP"), std::vector<std::string>{"1ESOA"});
  // The old files wait in a dated folder; nothing but the lock file of the copy back
  // appears in the GESCEN folder.
  auto copias = fs::directory_iterator(drive_.native("ZORVTMP/VALENCIA/COPIAS"));
  fs::path copia = copias->path();
  EXPECT_EQ(readFile((copia / "horgrup.dbf").string()), horgrupAntes_);
  EXPECT_EQ(readFile((copia / "horprof.dbf").string()), horprofAntes_);
  std::set<std::string> enGC;
  for (const auto& e : fs::directory_iterator(drive_.native("GC")))
    enGC.insert(e.path().filename().string());
  EXPECT_EQ(enGC, (std::set<std::string>{"centro.dbf", "horgrup.dbf", "horprof.dbf", "lhortipo.dbf",
                                         gescen::kArchivoCerrojoHorarios}));
}

TEST_F(ImportacionTest, ASecondRunStartsFromWhatTheFirstWroteBack) {
  importar();
  const std::string primera = readFile(archivoDeGescen("horgrup.dbf"));
  solucion({{"3", "2", "*12", "GPA", "ESO", "1", "MAT", "B", ""}});
  importar();
  EXPECT_EQ(columna("C:\\GC\\horgrup.dbf", "CODGRUP"), std::vector<std::string>{"1ESOB"});
  EXPECT_EQ(std::distance(fs::directory_iterator(drive_.native("ZORVTMP/VALENCIA/COPIAS")),
                          fs::directory_iterator()),
            2);
}

// Without a solution the run tells so and changes nothing, the result flag included, in
// host mode too: the flag 0 and the closing for the host are the dialog's to do.
TEST_F(ImportacionTest, NoSolutionStandAloneAndInHostMode) {
  fs::remove(drive_.native("ZORVTMP/SOLUC.DBF"));
  for (int argumentos : {0, 2}) {
    SCOPED_TRACE(argumentos);
    estado_.numeroArgumentos = argumentos;
    estado_.resultado = 1;
    ui_.sucesos.clear();
    EXPECT_EQ(importar(), procesos::ResultadoImportacion::SinSolucion);
    EXPECT_EQ(ui_.sucesos, (std::vector<std::string>{
                               std::string("mensaje: ") + procesos::kAvisoImportacion, "reloj",
                               std::string("mensaje: ") + procesos::kSinSolucion, "normal"}));
    EXPECT_EQ(estado_.resultado, 1);
    gescenSinCambios();
  }
}

// A complete run in host mode tells what it tells stand-alone, ending on its last box.
TEST_F(ImportacionTest, ACompleteRunTellsTheSameInHostMode) {
  EXPECT_EQ(importar(), procesos::ResultadoImportacion::Completada);
  const std::vector<std::string> solo = ui_.sucesos;
  ui_.sucesos.clear();
  estado_ = procesos::EstadoPrograma{};
  estado_.numeroArgumentos = 2;
  EXPECT_EQ(importar(), procesos::ResultadoImportacion::Completada);
  EXPECT_EQ(ui_.sucesos, solo);
  EXPECT_EQ(ui_.sucesos.back(), std::string("mensaje: ") + procesos::kProcesoFinalizado);
  EXPECT_EQ(estado_.resultado, 1);
}

TEST_F(ImportacionTest, TeacherCheck) {
  struct Case {
    const char* que;
    std::map<std::string, long long> tecleados;
    bool cierraConSalir;
    procesos::ResultadoImportacion resultado;
    bool rejilla;
  };
  const Case cases[] = {
      {"every number typed",
       {{"LRJ", 22222222}},
       true,
       procesos::ResultadoImportacion::Completada,
       true},
      {"closed with the window button, numbers typed",
       {{"LRJ", 22222222}},
       false,
       procesos::ResultadoImportacion::Completada,
       true},
      {"a number still missing", {}, true, procesos::ResultadoImportacion::ProfesorSinDni, true},
      {"a negative number counts",
       {{"LRJ", -5}},
       true,
       procesos::ResultadoImportacion::Completada,
       true},
  };
  for (const Case& c : cases) {
    profesoresExportados({{"GPA", "GARCIA PEREZ, ANA", "MATES", "11111111"},
                          {"LRJ", "LOPEZ ROS, JOAN", "FIS", "0"}});
    ui_ = UsuarioImportacion();
    estado_ = procesos::EstadoPrograma{};
    ui_.dnis = c.tecleados;
    ui_.dniCorrectoAlSalir = c.cierraConSalir;
    const std::string antes = readFile(archivoDeGescen("horgrup.dbf"));
    EXPECT_EQ(importar(), c.resultado) << c.que;
    EXPECT_EQ(std::count(ui_.sucesos.begin(), ui_.sucesos.end(), "rejilla de profesores"), 1)
        << c.que;
    if (c.resultado == procesos::ResultadoImportacion::ProfesorSinDni) {
      // The run ends on its message with the hourglass still up; the dialog closes it.
      EXPECT_EQ(ui_.sucesos.back(), std::string("mensaje: ") + procesos::kProfesorSinDni) << c.que;
      EXPECT_EQ(ui_.sucesos[ui_.sucesos.size() - 2], "reloj") << c.que;
      EXPECT_EQ(estado_.resultado, 0) << c.que;
      EXPECT_EQ(readFile(archivoDeGescen("horgrup.dbf")), antes) << c.que;
    }
  }
}

TEST_F(ImportacionTest, NoTeacherWithoutNumberMeansNoDialog) {
  importar();
  EXPECT_EQ(std::count(ui_.sucesos.begin(), ui_.sucesos.end(), "rejilla de profesores"), 0);
}

TEST_F(ImportacionTest, AMissingTimetableInTheGescenFolderStopsTheRunAndChangesNothing) {
  fs::remove(archivoDeGescen("horprof.dbf"));
  try {
    importar();
    FAIL();
  } catch (const std::exception& e) {
    EXPECT_EQ(std::string(e.what()).rfind("wwTableHorProf: No se encuentra la tabla", 0), 0u)
        << e.what();
  }
  EXPECT_EQ(ui_.sucesos.back(), "normal");
  EXPECT_EQ(estado_.resultado, 0);
  EXPECT_EQ(readFile(archivoDeGescen("horgrup.dbf")), horgrupAntes_);
  EXPECT_FALSE(fs::exists(archivoDeGescen("horprof.dbf")));
}

TEST_F(ImportacionTest, AFailureDuringTheCopyBackLeavesTheOtherOldFile) {
  // While the run works, something takes the teacher timetable's place in the GESCEN
  // folder, so that it cannot be replaced at the end.
  ui_.mientrasPlantilla = [this] {
    fs::remove(archivoDeGescen("horprof.dbf"));
    fs::create_directory(archivoDeGescen("horprof.dbf"));
  };
  EXPECT_THROW(importar(), gescen::EntradaSalidaError);
  EXPECT_EQ(readFile(archivoDeGescen("horgrup.dbf")), horgrupAntes_);
  EXPECT_TRUE(fs::is_directory(archivoDeGescen("horprof.dbf")));
  EXPECT_EQ(estado_.resultado, 0);
  EXPECT_EQ(entradas(drive_.native("GC")),
            (std::set<std::string>{"centro.dbf", "horgrup.dbf", "horprof.dbf", "lhortipo.dbf",
                                   gescen::kArchivoCerrojoHorarios}));
  EXPECT_FALSE(fs::exists(drive_.native("ZORVTMP/VALENCIA/DEVOLUCION.TZV")));
}

}  // namespace

namespace {

// A solution that would leave the school without its timetable is refused before the
// user is asked anything, and GESCEN keeps the one it has.
TEST_F(ImportacionTest, SolutionsThatWouldEmptyTheTimetablesAreRefused) {
  struct Case {
    const char* que;
    std::vector<Fila> filas;
    std::size_t bytesQuitados;  // cut from the end of the file
    const char* error;
  };
  const Fila dia1 = {"1", "1", "*12", "GPA", "ESO", "1", "MAT", "A", "101"};
  const Fila dia0 = {"0", "1", "*12", "GPA", "ESO", "1", "MAT", "A", "101"};
  const Case cases[] = {
      {"no records", {}, 0, "El archivo C:\\ZORVTMP\\SOLUC.DBF no contiene ningún horario."},
      {"no record placed on a day",
       {dia0, dia0},
       0,
       "El archivo C:\\ZORVTMP\\SOLUC.DBF no contiene ningún horario."},
      {"cut short inside its second record",
       {dia1, dia1, dia1},
       1 + 50 + 25,  // the end mark and a record and a half (records of 50 bytes)
       "El archivo C:\\ZORVTMP\\SOLUC.DBF está incompleto: su cabecera anuncia 3 registros y solo "
       "contiene 1."},
  };
  for (const Case& c : cases) {
    solucion(c.filas);
    const std::string soluc = drive_.native("ZORVTMP/SOLUC.DBF");
    if (c.bytesQuitados > 0) fs::resize_file(soluc, fs::file_size(soluc) - c.bytesQuitados);
    ui_ = UsuarioImportacion();
    EXPECT_EQ(errorAlImportar(), std::string(c.error) + " No se ha cambiado nada en GESCEN.")
        << c.que;
    EXPECT_EQ(ui_.sucesos,
              (std::vector<std::string>{std::string("mensaje: ") + procesos::kAvisoImportacion,
                                        "reloj", "normal"}))
        << c.que;
    gescenSinCambios();
  }
}

// Another program (GESCEN under Wine, or a Linux program) that holds a lock anywhere in
// a GESCEN timetable: the import refuses, whether the lock is there from the start or
// comes while the user works in the check dialogs.
TEST_F(ImportacionTest, ATimetableThatAnotherProgramHoldsIsNeverReplaced) {
  struct Case {
    const char* que;
    const char* tabla;
    short tipo;
    off_t byte;
    off_t largo;  // 0: the whole file
    bool duranteLaImportacion;
  };
  const Case cases[] = {
      {"shared, on the byte table engines lock for an open table", "horgrup.dbf", F_RDLCK,
       0x7FFFFFFE, 1, false},
      {"a record lock", "horprof.dbf", F_WRLCK, 1000, 1, false},
      {"a lock far beyond the data", "horgrup.dbf", F_RDLCK, 0xEFFFFFFFll, 1, false},
      {"a write lock on the whole file", "horgrup.dbf", F_WRLCK, 0, 0, false},
      {"taken while the template is checked", "horprof.dbf", F_RDLCK, 0x7FFFFFFE, 1, true},
      {"the whole file, taken while the template is checked", "horprof.dbf", F_WRLCK, 0, 0, true},
  };
  for (const Case& c : cases) {
    std::optional<CerrojoAjeno> cerrojo;
    ui_ = UsuarioImportacion();
    auto tomar = [&] {
      ASSERT_TRUE(cerrojo.emplace(archivoDeGescen(c.tabla), c.tipo, c.byte, c.largo).tomado());
    };
    if (c.duranteLaImportacion)
      ui_.mientrasPlantilla = tomar;
    else
      tomar();
    EXPECT_EQ(errorAlImportar(), std::string("GESCEN tiene abierta la tabla C:\\GC\\") + c.tabla +
                                     ". Ciérrela y vuelva a intentarlo.")
        << c.que;
    EXPECT_EQ(std::count(ui_.sucesos.begin(), ui_.sucesos.end(), "rejilla de plantilla"),
              c.duranteLaImportacion ? 1 : 0)
        << c.que;
    EXPECT_EQ(estado_.resultado, 0) << c.que;
    gescenSinCambios();
    EXPECT_EQ(entradas(drive_.native("ZORVTMP/VALENCIA/COPIAS")), std::set<std::string>{}) << c.que;
    EXPECT_FALSE(fs::exists(drive_.native("ZORVTMP/VALENCIA/DEVOLUCION.TZV"))) << c.que;
  }
}

}  // namespace

namespace {

// One export, import or staging pass at a time on the work folder: while another run of
// the program works there, each is refused at once, before its opening message.
TEST_F(ImportacionTest, AnotherRunOnTheWorkFolderRefusesEveryRunAtOnce) {
  {
    OtraEjecucion otra;
    const std::string refusal = gescen::kOtraEjecucion;
    EXPECT_EQ(errorDe([&] { gescen::CopiarDatosGC(tablas_, "C:\\GC"); }), refusal);
    EXPECT_EQ(errorDe([&] { procesos::ejecutarExportacion(tablas_, "VALENCIÁ", estado_, ui_); }),
              refusal);
    EXPECT_EQ(errorAlImportar(), refusal);
    EXPECT_TRUE(ui_.sucesos.empty());
    EXPECT_EQ(estado_.resultado, 0);
    gescenSinCambios();
  }
  EXPECT_EQ(importar(), procesos::ResultadoImportacion::Completada);
}

}  // namespace

namespace {

// A copy out of the GESCEN folder that meets GESCEN's hold on a timetable (a lock over
// the whole file, as a program that locks it whole takes) says that GESCEN has that
// table open, as the staging of the import and of transzorvex-cli importar do; any
// other file's sharing violation keeps its own text.
TEST_F(ImportacionTest, ASharingViolationOnAGescenTimetableSaysThatGescenHasItOpen) {
  struct Case {
    const char* que;
    const char* retenida;
    std::function<void()> copia;
    const char* error;
  };
  const std::string staging = gescen::kCarpetaStaging;
  const Case cases[] = {
      {"the import's staging of horprof.dbf", "horprof.dbf",
       [&] { gescen::ReemplazarArchivo(staging + "\\horprof.dbf", "C:\\GC\\horprof.dbf"); },
       "GESCEN tiene abierta la tabla C:\\GC\\horprof.dbf. Ciérrela y vuelva a intentarlo."},
      {"the staging pass (transzorvex-cli importar), horgrup.dbf held", "horgrup.dbf",
       [&] { gescen::CopiarDatosGC(tablas_, "C:\\GC"); },
       "GESCEN tiene abierta la tabla C:\\GC\\horgrup.dbf. Ciérrela y vuelva a intentarlo."},
      {"the staging pass, another table held", "centro.dbf",
       [&] { gescen::CopiarDatosGC(tablas_, "C:\\GC"); }, "Error de E/S 32 (C:\\GC\\centro.dbf)"},
  };
  for (const Case& c : cases) {
    CerrojoAjeno enGescen(archivoDeGescen(c.retenida), F_WRLCK, 0, 0);
    ASSERT_TRUE(enGescen.tomado()) << c.que;
    EXPECT_EQ(errorDe([&] { procesos::copiarDeGescen("C:\\GC", c.copia); }), c.error) << c.que;
  }
  EXPECT_EQ(errorDe([&] {
              procesos::copiarDeGescen(
                  "C:\\GC", [] { throw gescen::EntradaSalidaError(5, "C:\\GC\\horgrup.dbf"); });
            }),
            "Acceso al archivo denegado (C:\\GC\\horgrup.dbf)");
}

// Another PC swapping its timetables into the same GESCEN folder for longer than the
// wait: the import stops at its end with a message that names the folder, the hourglass
// comes down and GESCEN keeps its tables.
TEST_F(ImportacionTest, AnotherPcHoldingTheGescenFolderStopsTheCopyBack) {
  writeFile(archivoDeGescen(gescen::kArchivoCerrojoHorarios), "");
  CerrojoAjeno otroEquipo(archivoDeGescen(gescen::kArchivoCerrojoHorarios), F_WRLCK, 0x7FFFFFFE);
  ASSERT_TRUE(otroEquipo.tomado());
  EXPECT_EQ(errorAlImportar(),
            "Otro equipo está importando en la carpeta de GESCEN C:\\GC. Espere a que termine y "
            "vuelva a intentarlo. No se ha cambiado nada en GESCEN.");
  EXPECT_EQ(ui_.sucesos.back(), "normal");
  EXPECT_EQ(estado_.resultado, 0);
  gescenSinCambios();
  EXPECT_EQ(entradas(drive_.native("ZORVTMP/VALENCIA/COPIAS")), std::set<std::string>{});
  EXPECT_FALSE(fs::exists(drive_.native("ZORVTMP/VALENCIA/DEVOLUCION.TZV")));
}

// A solution whose fields the import would read wrong (a type byte that a copy or
// another program changed, a width of 0, a field gone) is refused before anything is
// written, naming the file and the field: the import never empties a timetable, nor
// fills it with zeros, from it.
TEST_F(ImportacionTest, ASolutionWhoseFieldsWouldBeReadWrongIsRefusedBeforeAnythingIsWritten) {
  struct Dano {
    std::string nombre;
    std::function<void(std::string&)> danar;
  };
  std::vector<Dano> danos;
  for (const char tipo : {'M', 'B', 'I', 'Y', 'L', 'D', ' ', '\0', '\xFF'})
    danos.push_back({"type " + std::to_string(static_cast<unsigned char>(tipo)),
                     [tipo](std::string& d) { d[11] = tipo; }});
  danos.push_back({"width 0", [](std::string& d) { d[16] = 0; }});
  danos.push_back({"missing", [](std::string& d) { d.replace(0, 5, std::string("OTRO\0", 5)); }});
  for (const char* campo :
       {"DIA", "HORA", "TAREA", "PROF", "NIVEL", "CURSO", "ASIG", "GRUPO", "AULA"}) {
    for (const Dano& d : danos) {
      SCOPED_TRACE(std::string(campo) + ", " + d.nombre);
      solucion({{"1", "1", "*12", "GPA", "ESO", "1", "MAT", "A", "101"}});
      patchFieldDescriptor(drive_.native("ZORVTMP/SOLUC.DBF"), campo, d.danar);
      ui_ = UsuarioImportacion();
      const std::string error = errorAlImportar();
      EXPECT_NE(error.find("C:\\ZORVTMP\\SOLUC.DBF"), std::string::npos) << error;
      EXPECT_NE(error.find(campo), std::string::npos) << error;
      EXPECT_EQ(ui_.sucesos,
                (std::vector<std::string>{std::string("mensaje: ") + procesos::kAvisoImportacion,
                                          "reloj", "normal"}));
      gescenSinCambios();
    }
  }
}

// What the user reads for a solution the import cannot read, and the layouts it reads
// right: numbers stored as text or as floats, and whole numbers in character fields.
TEST_F(ImportacionTest, TheSolutionsLayoutSaysWhatIsWrongAndWhatIsNeeded) {
  struct Caso {
    const char* que;
    std::function<void(const std::string&)> danar;
    std::string error;  // empty: the import completes
  };
  const std::string soluc = "El archivo C:\\ZORVTMP\\SOLUC.DBF no se puede importar: ";
  const std::string sinCambios = ". No se ha cambiado nada en GESCEN.";
  auto tipo = [](const char* campo, char t) {
    return [=](const std::string& archivo) {
      patchFieldDescriptor(archivo, campo, [t](std::string& d) { d[11] = t; });
    };
  };
  const std::vector<Caso> casos = {
      {"a period read as a logical field", tipo("HORA", 'L'),
       soluc +
           "el campo HORA es de tipo L y ancho 11, y la importación lo lee como número entero: "
           "necesita un campo numérico (tipo N o F) o de caracteres (C)" +
           sinCambios},
      {"two fields wrong, one missing",
       [&](const std::string& archivo) {
         tipo("PROF", 'B')(archivo);
         tipo("TAREA", '\0')(archivo);
         patchFieldDescriptor(archivo, "NIVEL",
                              [](std::string& d) { d.replace(0, 6, std::string("NIVEX\0", 6)); });
       },
       soluc +
           "el campo TAREA es de tipo no válido (código 0) y ancho 5, y la importación lo lee "
           "como texto: necesita un campo de caracteres (tipo C); el campo PROF es de tipo B y "
           "ancho 4, y la importación lo lee como texto: necesita un campo de caracteres (tipo "
           "C); falta el campo NIVEL, que la importación lee como texto" +
           sinCambios},
      {"a day and a period stored as floats",
       [&](const std::string& archivo) {
         tipo("DIA", 'F')(archivo);
         tipo("HORA", 'F')(archivo);
       },
       ""},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.que);
    solucion({{"1", "1", "*12", "GPA", "ESO", "1", "MAT", "A", "101"}});
    c.danar(drive_.native("ZORVTMP/SOLUC.DBF"));
    ui_ = UsuarioImportacion();
    EXPECT_EQ(errorAlImportar(), c.error);
  }
  // Whole numbers in character fields are read as they come.
  std::vector<Columna> deTexto = camposSolucion();
  deTexto[0].ancho = deTexto[1].ancho = 2;  // DIA, HORA
  crearTabla("C:\\ZORVTMP\\SOLUC.DBF", deTexto,
             {{"2", "1", "*12", "GPA", "ESO", "1", "MAT", "A", "101"}});
  ui_ = UsuarioImportacion();
  EXPECT_EQ(errorAlImportar(), "");
  EXPECT_EQ(columna("C:\\GC\\horprof.dbf", "DIASEM"), std::vector<std::string>{"2"});
}

// The tables the import reads besides the solution, cut short: the exchange tables it
// reads back are refused before anything is written, GESCEN's class periods when the
// import reads them; GESCEN's timetables stay as they were.
TEST_F(ImportacionTest, TablesCutShortStopTheImport) {
  struct Caso {
    const char* archivo;  // below C:
    std::string error;
  };
  const Caso casos[] = {
      {"ZORVTMP/PROFT.DBF",
       "El archivo C:\\ZORVTMP\\PROFT.DBF está incompleto: su cabecera anuncia 2 registros y "
       "solo contiene 1. No se ha cambiado nada en GESCEN."},
      {"ZORVTMP/ASIGVALT.DBF",
       "El archivo C:\\ZORVTMP\\ASIGVALT.DBF está incompleto: su cabecera anuncia 1 registros y "
       "solo contiene 0. No se ha cambiado nada en GESCEN."},
      {"GC/lhortipo.dbf",
       "wwTableLhortipo: El archivo C:\\ZORVTMP\\VALENCIA\\lhortipo.DBF está incompleto: su "
       "cabecera anuncia 2 registros y solo contiene 1"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.archivo);
    SetUp();
    const std::string archivo = drive_.native(c.archivo);
    const std::string bytes = readFile(archivo);
    const std::size_t largo = static_cast<unsigned char>(bytes[10]) |
                              static_cast<std::size_t>(static_cast<unsigned char>(bytes[11])) << 8;
    writeFile(archivo, bytes.substr(0, bytes.size() - 1 - largo));  // the end mark, a record
    gescen::CopiarDatosGC(tablas_, "C:\\GC");
    ui_ = UsuarioImportacion();
    EXPECT_EQ(errorAlImportar(), c.error);
    gescenSinCambios();
  }
}

// A value of an exchange table the import reads back that is no number names the table
// and the record.
TEST_F(ImportacionTest, ABadValueInAnExchangeTableNamesTheFileAndTheRecord) {
  crearTabla(gescen::rutaIntercambio(gescen::kPROFT),
             {{"ABREV", 4}, {"NOMBRE", 40}, {"DEPART", 40}, {"DNI", 10}},
             {{"GPA", "GARCIA PEREZ, ANA", "MATES", "11111111"}, {"LRJ", "LOPEZ", "FIS", "x"}});
  EXPECT_EQ(errorAlImportar(),
            "'x' no es un valor entero válido (C:\\ZORVTMP\\PROFT.DBF, registro 2)");
  gescenSinCambios();
}

}  // namespace
