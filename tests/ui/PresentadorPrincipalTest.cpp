// The main dialog's behaviour, driven through a scripted view: start-up and host mode,
// the staging, the centre list, folder and drive changes, the runs, the keys, help and
// closing.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "procesos/exportar/Exportacion.h"
#include "procesos/importar/Importacion.h"
#include "tests/support/EscuelaMinima.h"
#include "tests/ui/Escenario.h"
#include "tests/ui/VistaGuion.h"
#include "ui/PresentadorPrincipal.h"

namespace {

using Textos = std::vector<std::string>;

const std::string kAjustes0 = "[Transformadores]\r\nTransformado=0\r\n";
const std::string kAjustes1 = "[Transformadores]\r\nTransformado=1\r\n";

struct CasoArranque {
  const char* nombre;
  Textos args;
  bool anfitrion;
  std::optional<std::uint32_t> ventana;  // the handle the dialog went into
  bool exportar, importar;               // the panes shown
  std::string error;
};

const CasoArranque kArranques[] = {
    {"no arguments", {}, false, {}, true, true, ""},
    {"one argument importar", {"importar"}, false, {}, true, true, ""},
    {"three arguments", {"exportar", "ff00", "x"}, false, {}, true, true, ""},
    {"IMPORTAR 1A2B", {"IMPORTAR", "1A2B"}, true, 0x1A2B, false, true, ""},
    {"Exportar ff00", {"Exportar", "ff00"}, true, 0xFF00, true, false, ""},
    {"another word", {"actualizar", "ff00"}, true, 0xFF00, true, true, ""},
    {"word with a trailing blank", {"exportar ", "ff00"}, true, 0xFF00, true, true, ""},
    {"null handle", {"exportar", "0"}, true, 0, true, false, ""},
    {"leading zero", {"importar", "012345678"}, true, 0x12345678, false, true, ""},
    {"largest handle", {"exportar", "FFFFFFFF"}, true, 0xFFFFFFFF, true, false, ""},
    {"not hexadecimal",
     {"exportar", "zz"},
     false,
     {},
     true,
     true,
     "'$zz' no es un valor entero válido"},
    {"0x prefix",
     {"importar", "0x1A"},
     false,
     {},
     true,
     true,
     "'$0x1A' no es un valor entero válido"},
    {"a dollar of its own",
     {"importar", "$1A"},
     false,
     {},
     true,
     true,
     "'$$1A' no es un valor entero válido"},
    {"leading blank",
     {"importar", " 1A"},
     false,
     {},
     true,
     true,
     "'$ 1A' no es un valor entero válido"},
    {"nine significant digits",
     {"exportar", "123456789"},
     false,
     {},
     true,
     true,
     "'$123456789' no es un valor entero válido"},
};

TEST(PresentadorPrincipal, StartUpAndHostMode) {
  for (const CasoArranque& c : kArranques) {
    SCOPED_TRACE(c.nombre);
    Escenario e;
    prueba::escribirEscuela("C:\\GC");
    e.entrar("OTRA");
    VistaGuion v;
    ui::PresentadorPrincipal p(v, c.args);
    p.FormCreate();

    EXPECT_EQ(v.errores, c.error.empty() ? Textos{} : Textos{c.error});
    EXPECT_EQ(p.estado().numeroArgumentos, c.anfitrion ? 2 : 0);
    EXPECT_EQ(p.estado().resultado, 0);
    EXPECT_EQ(v.incrustada, c.ventana);
    EXPECT_EQ(p.estado().avisosDelAnfitrion(), c.ventana.value_or(0) != 0);
    EXPECT_EQ(v.exportarVisible, c.exportar);
    EXPECT_EQ(v.importarVisible, c.importar);
    EXPECT_EQ(p.botonPorDefecto(), c.exportar ? "BExportar" : "BImportar");

    // A conversion error skips the initial steps: nothing staged, nothing shown.
    const bool pasos = c.error.empty();
    EXPECT_EQ(v.copiadas, pasos ? (Textos{"C:\\OTRA", "C:\\GC"}) : Textos{});
    EXPECT_EQ(v.textoCuadro, pasos ? "C:\\GC" : "");
    EXPECT_EQ(v.carpetaLista, pasos ? "C:\\GC" : "C:\\OTRA");
    EXPECT_EQ(v.unidad, 'C');
    EXPECT_EQ(v.listaCentros.size(), pasos ? 1u : 0u);

    // Closing writes the result flag in host mode only.
    EXPECT_TRUE(p.FormClose());
    EXPECT_EQ(e.ajustes(), c.anfitrion ? kAjustes0 : "");
  }
}

struct CasoStaging {
  const char* nombre;
  std::string cwd;   // below C:, or "fuera" for a folder outside every drive
  std::string gc;    // name of the GESCEN folder on disk, "" for none
  bool zorvtmpRoto;  // C:\ZORVTMP is a file: staging cannot create its folder
  Textos copias;
  std::string error;
  std::string cuadro, lista;  // the folder box and the folder list at the end
  std::size_t centros;
};

const std::string kSinStaging = "Nombre de archivo inválido (C:\\ZORVTMP\\VALENCIA\\grupos.dbf)";

const CasoStaging kStagings[] = {
    {"working directory is C:\\GC: staged once",
     "GC",
     "GC",
     false,
     {"C:\\GC"},
     "",
     "C:\\GC",
     "C:\\GC",
     1},
    {"another working directory: staged twice",
     "OTRA",
     "GC",
     false,
     {"C:\\OTRA", "C:\\GC"},
     "",
     "C:\\GC",
     "C:\\GC",
     1},
    {"GESCEN folder stored as gc: same folder",
     "gc",
     "gc",
     false,
     {"C:\\gc"},
     "",
     "C:\\gc",
     "C:\\gc",
     1},
    {"no C:\\GC",
     "OTRA",
     "",
     false,
     {"C:\\OTRA"},
     "Nombre de archivo inválido (C:\\GC)",
     "",
     "C:\\OTRA",
     0},
    {"staging fails at the first pass", "GC", "GC", true, {}, kSinStaging, "", "C:\\GC", 0},
    {"staging fails after pointing the list at C:\\GC",
     "OTRA",
     "GC",
     true,
     {"C:\\OTRA"},
     kSinStaging,
     "C:\\GC",
     "C:\\GC",
     0},
};

TEST(PresentadorPrincipal, StagingAtStartUp) {
  for (const CasoStaging& c : kStagings) {
    SCOPED_TRACE(c.nombre);
    Escenario e;
    if (!c.gc.empty()) prueba::escribirEscuela("C:\\" + c.gc);
    if (c.zorvtmpRoto) writeFile(e.nativa("ZORVTMP"), "");
    e.entrar(c.cwd);
    VistaGuion v;
    ui::PresentadorPrincipal p(v, {});
    p.FormCreate();
    EXPECT_EQ(v.copiadas, c.copias);
    EXPECT_EQ(v.errores, c.error.empty() ? Textos{} : Textos{c.error});
    EXPECT_EQ(v.textoCuadro, c.cuadro);
    EXPECT_EQ(v.carpetaLista, c.lista);
    EXPECT_EQ(v.listaCentros.size(), c.centros);
  }
}

#ifndef _WIN32
// (On Windows every folder lies on a drive.)
TEST(PresentadorPrincipal, AWorkingDirectoryOutsideEveryDriveIsStagedToo) {
  Escenario e;
  prueba::escribirEscuela("C:\\GC");
  const std::filesystem::path fuera = std::filesystem::path(e.drive.driveC()).parent_path() / "x";
  std::filesystem::create_directories(fuera);
  std::filesystem::current_path(fuera);
  VistaGuion v;
  ui::PresentadorPrincipal p(v, {});
  p.FormCreate();
  ASSERT_EQ(v.copiadas.size(), 2u);
  EXPECT_EQ(v.copiadas[1], "C:\\GC");
  EXPECT_EQ(v.errores, Textos{});
}
#endif

TEST(PresentadorPrincipal, CentreList) {
  const std::vector<Textos> casos = {{"46001234", "3001", "12"}, {"46001234", ""}, {}};
  for (const Textos& centros : casos) {
    SCOPED_TRACE(testing::PrintToString(centros));
    Escenario e;
    prueba::escribirEscuela("C:\\GC", centros);
    VistaGuion v;
    ui::PresentadorPrincipal p(v, {});
    p.FormCreate();
    EXPECT_EQ(v.errores, Textos{});
    EXPECT_EQ(v.listaCentros, centros);
    EXPECT_FALSE(p.tablas().wwTableCentro.active());
  }
}

TEST(PresentadorPrincipal, AMissingCentreTableLeavesTheListEmpty) {
  Escenario e;
  prueba::escribirEscuela("C:\\GC");
  std::filesystem::remove(e.nativa("GC/centro.dbf"));
  VistaGuion v;
  ui::PresentadorPrincipal p(v, {});
  p.FormCreate();
  ASSERT_EQ(v.errores.size(), 1u);
  EXPECT_EQ(v.errores[0].rfind("wwTableCentro: ", 0), 0u) << v.errores[0];
  EXPECT_EQ(v.textoCuadro, "C:\\GC");
  EXPECT_EQ(v.listaCentros, Textos{});
}

// A folder change: what to do, and what the dialog shows after it.
struct Paso {
  const char* nombre;
  std::function<void()> hacer;
  std::string carpeta;
  char unidad;
  Textos copias;
  std::string error;
};

void recorrer(VistaGuion& v, const ui::PresentadorPrincipal& p, const std::vector<Paso>& pasos) {
  for (const Paso& paso : pasos) {
    SCOPED_TRACE(paso.nombre);
    v.copiadas.clear();
    v.errores.clear();
    paso.hacer();
    EXPECT_EQ(v.carpetaLista, paso.carpeta);
    EXPECT_EQ(p.carpetas().directorio(), paso.carpeta);
    EXPECT_EQ(v.textoCuadro, paso.carpeta);
    EXPECT_EQ(v.unidad, paso.unidad);
    EXPECT_EQ(v.copiadas, paso.copias);
    EXPECT_EQ(v.errores, paso.error.empty() ? Textos{} : Textos{paso.error});
  }
}

// Opening folders: each change stages from the new folder; the centre list stays as
// start-up filled it.
TEST(PresentadorPrincipal, FolderChanges) {
  Escenario e;
  prueba::escribirEscuela("C:\\GC");
  prueba::escribirEscuela("C:\\GC\\A", {"7"});
  VistaGuion v;
  ui::PresentadorPrincipal p(v, {});
  p.FormCreate();
  recorrer(
      v, p,
      {
          {"a subfolder",
           [&] { p.abrirCarpeta("C:\\GC\\A"); },
           "C:\\GC\\A",
           'C',
           {"C:\\GC\\A"},
           ""},
          {"the same folder in another case",
           [&] { p.abrirCarpeta("c:\\gc\\a"); },
           "C:\\GC\\A",
           'C',
           {},
           ""},
          {"the parent through ..", [&] { p.abrirCarpeta(".."); }, "C:\\GC", 'C', {"C:\\GC"}, ""},
          {"a folder that is not there",
           [&] { p.abrirCarpeta("C:\\GC\\NO"); },
           "C:\\GC",
           'C',
           {},
           "Nombre de archivo inválido (C:\\GC\\NO)"},
      });
  EXPECT_EQ(v.listaCentros, Textos{"46001234"});
}

#ifndef _WIN32
// Each drive keeps the folder the list was last on there.
TEST(PresentadorPrincipal, DriveChanges) {
  Escenario e;
  prueba::escribirEscuela("C:\\GC");
  const std::string d = e.crearUnidad('D');
  std::filesystem::create_directories(d + "/DATOS");
  VistaGuion v;
  ui::PresentadorPrincipal p(v, {});
  p.FormCreate();
  recorrer(
      v, p,
      {
          {"another drive, at its root", [&] { p.elegirUnidad('D'); }, "D:\\", 'D', {"D:\\"}, ""},
          {"a folder of that drive",
           [&] { p.abrirCarpeta("D:\\DATOS"); },
           "D:\\DATOS",
           'D',
           {"D:\\DATOS"},
           ""},
          {"back to C:, at its last folder",
           [&] { p.elegirUnidad('C'); },
           "C:\\GC",
           'C',
           {"C:\\GC"},
           ""},
          {"D: again, at its last folder",
           [&] { p.elegirUnidad('D'); },
           "D:\\DATOS",
           'D',
           {"D:\\DATOS"},
           ""},
      });
}
#endif

TEST(PresentadorPrincipal, AStagingErrorAfterAFolderChangeLeavesTheNewFolderShown) {
  Escenario e;
  prueba::escribirEscuela("C:\\GC");
  prueba::escribirEscuela("C:\\GC\\A");
  VistaGuion v;
  ui::PresentadorPrincipal p(v, {});
  p.FormCreate();
  std::filesystem::remove_all(e.nativa("ZORVTMP"));
  writeFile(e.nativa("ZORVTMP"), "");
  p.abrirCarpeta("A");
  EXPECT_EQ(v.errores, Textos{kSinStaging});
  EXPECT_EQ(v.carpetaLista, "C:\\GC\\A");
  EXPECT_EQ(v.textoCuadro, "C:\\GC\\A");
}

// The language box's text as it stands: only the exact "CASTELLANO" takes Castilian
// names.
TEST(PresentadorPrincipal, ExportRunAndLanguage) {
  struct Caso {
    std::string idioma, nombre;
  };
  const Caso casos[] = {{"VALENCIÁ", prueba::kNombreValenciano},
                        {"CASTELLANO", prueba::kNombreCastellano},
                        {"castellano", prueba::kNombreValenciano},
                        {"", prueba::kNombreValenciano}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.idioma);
    Escenario e;
    prueba::escribirEscuela("C:\\GC");
    VistaGuion v;
    v.idiomaElegido = c.idioma;
    ui::PresentadorPrincipal p(v, {});
    p.FormCreate();
    p.BExportarClick();
    EXPECT_EQ(v.errores, Textos{});
    EXPECT_EQ(v.mensajes, (Textos{procesos::kAvisoExportacion, procesos::kProcesoFinalizado}));
    EXPECT_FALSE(v.reloj);
    EXPECT_EQ(p.estado().resultado, 1);
    EXPECT_EQ(v.cierres, 0);
    EXPECT_EQ(prueba::columna("C:\\ZORVTMP\\ASIGNOMT.DBF", "NOMBRE").at(0), c.nombre);
  }
}

// The GESCEN folder C:\GC of a school that can go through the whole import: the
// timetable tables with every field the import writes, and the centre's class periods.
void escuelaParaImportar() {
  prueba::escribirEscuela("C:\\GC");
  prueba::escribirTabla(
      "C:\\GC", "horgrup.dbf",
      {{"CODCEN", 0},
       {"CODGRUP", 5},
       {"CODASIG", 8},
       {"DNI", 0},
       {"DIASEM", 0},
       {"NUMHORA", 0},
       {"HORDIADES", 5},
       {"HORDIAHAS", 5},
       {"CODAULA", 0},
       {"OBSERV", 10}},
      {{"46001234", "1ESOA", "1ESO001", "11111111", "1", "1", "08:00", "08:55", "101", ""}});
  prueba::escribirTabla("C:\\GC", "horprof.dbf",
                        {{"CODCEN", 0},
                         {"DNI", 0},
                         {"DIASEM", 0},
                         {"NUMHORA", 0},
                         {"HORAD", 5},
                         {"HORAH", 5},
                         {"OCUPA", 4}},
                        {});
  prueba::escribirTabla("C:\\GC", "lhortipo.dbf",
                        {{"CODCEN", 10}, {"NUMHORA", 0}, {"DESDE", 8}, {"HASTA", 8}},
                        {{"46001234", "1", "08:00", "08:55"}});
}

// The generator's solution: one class of the exported subject and teacher, on Monday's
// first period.
void solucion() {
  const auto primero = [](const char* tabla, const char* campo) {
    return prueba::columna(std::string("C:\\ZORVTMP\\") + tabla, campo).at(0);
  };
  prueba::escribirTabla(
      "C:\\ZORVTMP", "SOLUC.DBF",
      {{"DIA", 0},
       {"HORA", 0},
       {"TAREA", 5},
       {"PROF", 4},
       {"NIVEL", 5},
       {"CURSO", 3},
       {"ASIG", 4},
       {"GRUPO", 2},
       {"AULA", 4}},
      {{"1", "1", "*12", primero("PROFT.DBF", "ABREV"), primero("ASIGVALT.DBF", "NIVEL"),
        primero("ASIGVALT.DBF", "CURSO"), primero("ASIGVALT.DBF", "COD"), "A", "101"}});
}

// How the runs end, and what the dialog does after each: in host mode a finished run
// closes it once its last box is gone, and closing reports the flag; a teacher left
// without DNI closes it stand-alone too.
TEST(PresentadorPrincipal, WhatFollowsARun) {
  enum class Ejecucion { Exportar, ImportarSinSolucion, ImportarCompleta, ImportarSinDni };
  struct Caso {
    const char* nombre;
    Textos args;
    Ejecucion ejecucion;
    int resultadoAntes;  // the flag an earlier run left
    int cierres;
    int resultado;
    Textos mensajes;
  };
  const Textos exportacion{procesos::kAvisoExportacion, procesos::kProcesoFinalizado};
  const Textos sinSolucion{procesos::kAvisoImportacion, procesos::kSinSolucion};
  const Textos importacion{procesos::kAvisoImportacion, procesos::kProcesoFinalizado};
  const Textos sinDni{procesos::kAvisoImportacion, procesos::kProfesorSinDni};
  const Caso casos[] = {
      {"export", {"exportar", "0"}, Ejecucion::Exportar, 0, 1, 1, exportacion},
      {"export, stand-alone", {}, Ejecucion::Exportar, 0, 0, 1, exportacion},
      {"import without SOLUC.DBF",
       {"importar", "0"},
       Ejecucion::ImportarSinSolucion,
       1,
       1,
       0,
       sinSolucion},
      {"import without SOLUC.DBF, stand-alone",
       {},
       Ejecucion::ImportarSinSolucion,
       1,
       0,
       1,
       sinSolucion},
      {"complete import", {"importar", "0"}, Ejecucion::ImportarCompleta, 0, 1, 1, importacion},
      {"complete import, stand-alone", {}, Ejecucion::ImportarCompleta, 0, 0, 1, importacion},
      {"teacher without DNI", {"importar", "0"}, Ejecucion::ImportarSinDni, 1, 1, 1, sinDni},
      {"teacher without DNI, stand-alone", {}, Ejecucion::ImportarSinDni, 0, 1, 0, sinDni},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    Escenario e;
    escuelaParaImportar();
    VistaGuion v;
    v.centroElegido = "46001234";
    ui::PresentadorPrincipal p(v, c.args);
    p.FormCreate();
    p.estado().resultado = c.resultadoAntes;
    if (c.ejecucion == Ejecucion::Exportar) {
      p.BExportarClick();
    } else {
      procesos::escribirTablasIntercambio(p.tablas(), "VALENCIÁ");
      if (c.ejecucion == Ejecucion::ImportarSinDni)
        prueba::escribirTabla("C:\\ZORVTMP", "PROFT.DBF",
                              {{"ABREV", 4}, {"NOMBRE", 40}, {"DEPART", 40}, {"DNI", 0}},
                              {{"GPA", "GARCIA PEREZ, ANA", "MATES", "0"}});
      if (c.ejecucion != Ejecucion::ImportarSinSolucion) solucion();
      p.BImportarClick();
    }
    EXPECT_EQ(v.errores, Textos{});
    EXPECT_EQ(v.mensajes, c.mensajes);
    EXPECT_EQ(v.cierres, c.cierres);
    if (c.cierres) {
      EXPECT_EQ(v.mensajesAlCerrar, c.mensajes.size());
    }
    EXPECT_EQ(p.estado().resultado, c.resultado);
    EXPECT_TRUE(p.FormClose());
    EXPECT_EQ(e.ajustes(), c.args.empty() ? "" : (c.resultado ? kAjustes1 : kAjustes0));
  }
}

// A run that fails shows its error without the hourglass, reports failure, and the
// dialog stays open, in host mode too.
TEST(PresentadorPrincipal, AFailedRunTakesDownTheHourglass) {
  Escenario e;
  prueba::escribirEscuela("C:\\GC");
  VistaGuion v;
  ui::PresentadorPrincipal p(v, {"exportar", "0"});
  p.FormCreate();
  std::filesystem::remove(e.nativa("ZORVTMP/VALENCIA/asignat.dbf"));
  p.BExportarClick();
  ASSERT_EQ(v.errores.size(), 1u);
  EXPECT_EQ(v.errores[0].rfind("wwTableAsignat: ", 0), 0u) << v.errores[0];
  EXPECT_FALSE(v.reloj);
  EXPECT_FALSE(v.relojEnError);
  EXPECT_EQ(v.cierres, 0);
  EXPECT_EQ(p.estado().resultado, 0);
}

// After a failed run's error box, the check's list of the school's other problems; none
// when the error shown is the only one.
TEST(PresentadorPrincipal, AFailedRunOffersTheOtherProblemsOfTheData) {
  struct Caso {
    const char* nombre;
    std::vector<const char*> quitadas;  // staged tables taken away before the export
    std::size_t cajas;                  // boxes after the error box
  };
  const Caso casos[] = {{"the stopping table alone", {"asignat.dbf"}, 0},
                        {"two tables missing", {"asignat.dbf", "aulas.dbf"}, 1}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    Escenario e;
    prueba::escribirEscuela("C:\\GC");
    VistaGuion v;
    ui::PresentadorPrincipal p(v, {"exportar", "0"});
    p.FormCreate();
    for (const char* t : c.quitadas)
      std::filesystem::remove(e.nativa(std::string("ZORVTMP/VALENCIA/") + t));
    const std::size_t antes = v.mensajes.size();
    p.BExportarClick();
    ASSERT_EQ(v.errores.size(), 1u);
    // The run's own opening message, then the list.
    ASSERT_EQ(v.mensajes.size() - antes, 1 + c.cajas);
    if (c.cajas == 0) continue;
    const std::string& lista = v.mensajes.back();
    EXPECT_EQ(lista.rfind("Los datos de GESCEN tienen 2 problemas:\n\nasignat.dbf | tabla", 0), 0u)
        << lista;
    EXPECT_NE(lista.find("\naulas.dbf | tabla"), std::string::npos) << lista;
  }
}

TEST(PresentadorPrincipal, Help) {
  Escenario e;
  VistaGuion v;
  ui::PresentadorPrincipal p(v, {});
  p.Button1Click();
  p.teclaF1();
  EXPECT_EQ(v.ayudas, (Textos{"contenido", "contexto 1"}));
}

TEST(PresentadorPrincipal, ClosingWithAnUnwritableSettingsFileKeepsTheDialogOpen) {
  Escenario e;
  prueba::escribirEscuela("C:\\GC");
  std::filesystem::create_directories(e.programa() + "/Zorvex.ini");
  VistaGuion v;
  ui::PresentadorPrincipal p(v, {"exportar", "0"});
  p.FormCreate();
  EXPECT_FALSE(p.FormClose());
  EXPECT_EQ(v.errores, Textos{"Unable to write to " + ui::juntoAlPrograma("Zorvex.ini")});

  // Once the file can be written, the dialog closes.
  std::filesystem::remove(e.programa() + "/Zorvex.ini");
  EXPECT_TRUE(p.FormClose());
  EXPECT_EQ(e.ajustes(), kAjustes0);
}

TEST(PresentadorPrincipal, ClosingKeepsTheOtherSettings) {
  Escenario e;
  prueba::escribirEscuela("C:\\GC");
  writeFile(e.programa() + "/Zorvex.ini",
            "[Zorvex]\r\nRuta=C:\\ZORVEX\r\n\r\n[TRANSFORMADORES]\r\nTRANSFORMADO=1\r\nOtro=x\r\n");
  VistaGuion v;
  ui::PresentadorPrincipal p(v, {"importar", "0"});
  p.FormCreate();
  EXPECT_TRUE(p.FormClose());
  EXPECT_EQ(e.ajustes(),
            "[Zorvex]\r\nRuta=C:\\ZORVEX\r\n\r\n[TRANSFORMADORES]\r\nTransformado=0\r\nOtro=x\r\n");
}

}  // namespace
