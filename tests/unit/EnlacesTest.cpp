// A link at the name of a file the program writes (an exchange table, its index, the
// class-period template, a new timetable beside GESCEN's) is replaced by a file of the
// program's own: what the link leads to keeps its bytes, a link that leads nowhere
// still leads nowhere, and the name ends holding a regular file of one name. Links of
// three kinds: a symbolic link to a file, one that leads nowhere, a hard link.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "gescen/Staging.h"
#include "gescen/TablasIntercambio.h"
#include "plat/Platform.h"
#include "procesos/exportar/Exportacion.h"
#include "procesos/importar/ComprobarPlantilla.h"
#include "procesos/importar/Importacion.h"
#include "tests/import/Centro.h"
#include "tests/support/Escuela.h"

namespace fs = std::filesystem;

namespace {

enum class Enlace { Simbolico, SinDestino, Duro };

const char* nombreDe(Enlace e) {
  switch (e) {
    case Enlace::Simbolico:
      return "symlink";
    case Enlace::SinDestino:
      return "dangling_symlink";
    case Enlace::Duro:
      return "hard_link";
  }
  return "";
}

void PrintTo(Enlace e, std::ostream* os) { *os << nombreDe(e); }

// What a link's target holds before the run: a GESCEN table nobody may touch.
const std::string kAjeno = "tabla de GESCEN que el programa no debe tocar";

// Makes `nombre` a link of kind `enlace` to `destino`. What `nombre` held, if anything,
// becomes the target (a table to be edited in place stays readable through the link);
// otherwise the target holds kAjeno, or does not exist for a link that leads nowhere.
void enlazar(const std::string& nombre, Enlace enlace, const std::string& destino) {
  fs::create_directories(fs::path(destino).parent_path());
  fs::create_directories(fs::path(nombre).parent_path());
  if (enlace == Enlace::SinDestino)
    fs::remove(nombre);
  else if (fs::exists(nombre))
    fs::rename(nombre, destino);
  else
    writeFile(destino, kAjeno);
  if (enlace == Enlace::Duro)
    fs::create_hard_link(destino, nombre);
  else
    fs::create_symlink(destino, nombre);
}

// The bytes of a file, or nothing when there is none.
std::optional<std::string> contenido(const std::string& ruta) {
  if (!fs::exists(fs::symlink_status(ruta))) return std::nullopt;
  return readFile(ruta);
}

// A regular file that no other name shares.
::testing::AssertionResult archivoPropio(const std::string& ruta) {
  struct stat st;
  if (::lstat(ruta.c_str(), &st) != 0) return ::testing::AssertionFailure() << ruta << " is gone";
  if (!S_ISREG(st.st_mode))
    return ::testing::AssertionFailure()
           << ruta << " is no regular file (mode " << std::oct << st.st_mode << ")";
  if (st.st_nlink != 1)
    return ::testing::AssertionFailure() << ruta << " has " << st.st_nlink << " names";
  return ::testing::AssertionSuccess();
}

// --- The platform layer's operations, one by one ---------------------------------------

struct Operacion {
  const char* nombre;
  // Writes "nuevo" at the start of the file the operation gives.
  std::function<void(const std::string&)> hacer;
  enum { Crea, EscribeEnSuSitio, Borra } efecto;
};

void PrintTo(const Operacion& o, std::ostream* os) { *os << o.nombre; }

void escribirNuevo(plat::File f) {
  f.writeAt(0, "nuevo", 5);
  f.close();
}

const Operacion kOperaciones[] = {
    {"create", [](const std::string& r) { escribirNuevo(plat::File::create(r)); }, Operacion::Crea},
    {"rewrite",
     [](const std::string& r) {
       plat::File f = plat::File::rewrite(r, plat::Share::Exclusive);
       f.truncate(0);
       escribirNuevo(std::move(f));
     },
     Operacion::Crea},
    {"open_shared_to_write",
     [](const std::string& r) {
       escribirNuevo(plat::File::open(r, plat::Access::ReadWrite, plat::Share::Shared));
     },
     Operacion::EscribeEnSuSitio},
    {"open_exclusive_to_write",
     [](const std::string& r) {
       escribirNuevo(plat::File::open(r, plat::Access::ReadWrite, plat::Share::Exclusive));
     },
     Operacion::EscribeEnSuSitio},
    {"remove", [](const std::string& r) { ASSERT_EQ(plat::removeFile(r), 0); }, Operacion::Borra},
};

class EnlacePlataformaTest : public ::testing::TestWithParam<std::tuple<Operacion, Enlace>> {
 protected:
  TempDrive drive_;
  const std::string nombre_ = drive_.native("ZORVTMP/PROFT.DBF");
  const std::string destino_ = drive_.native("GC/profesor.dbf");
};

TEST_P(EnlacePlataformaTest, TheLinkGoesAndItsTargetStaysAsItWas) {
  const auto& [op, enlace] = GetParam();
  enlazar(nombre_, enlace, destino_);
  if (op.efecto == Operacion::EscribeEnSuSitio && enlace == Enlace::SinDestino) {
    // A table that is not there cannot be opened, through a link or not.
    try {
      op.hacer(nombre_);
      FAIL() << "opened a link that leads nowhere";
    } catch (const plat::IoError& e) {
      EXPECT_EQ(e.code(), plat::kFileNotFound);
    }
    EXPECT_FALSE(fs::exists(destino_));
    return;
  }
  op.hacer(nombre_);
  EXPECT_EQ(contenido(destino_),
            enlace == Enlace::SinDestino ? std::nullopt : std::optional<std::string>(kAjeno));
  switch (op.efecto) {
    case Operacion::Crea:
      ASSERT_TRUE(archivoPropio(nombre_));
      EXPECT_EQ(readFile(nombre_), "nuevo");
      break;
    case Operacion::EscribeEnSuSitio:
      // A copy of what the link led to, written in its place.
      ASSERT_TRUE(archivoPropio(nombre_));
      EXPECT_EQ(readFile(nombre_), "nuevo" + kAjeno.substr(5));
      break;
    case Operacion::Borra:
      EXPECT_FALSE(fs::exists(fs::symlink_status(nombre_)));
      break;
  }
  // Nothing is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(nombre_).parent_path()),
                          fs::directory_iterator()),
            op.efecto == Operacion::Borra ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Operations, EnlacePlataformaTest,
                         ::testing::Combine(::testing::ValuesIn(kOperaciones),
                                            ::testing::Values(Enlace::Simbolico, Enlace::SinDestino,
                                                              Enlace::Duro)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).nombre) + "_" +
                                  nombreDe(std::get<1>(info.param));
                         });

// Reading, and a copy's source (the GESCEN files that staging copies), go through links
// and leave them as they are: the GESCEN folder is not the program's to change.
TEST(EnlaceLecturaTest, ReadsFollowTheLinkAndKeepIt) {
  TempDrive drive;
  const std::string nombre = drive.native("GC/horgrup.dbf");
  const std::string destino = drive.native("OTRA/horgrup.dbf");
  enlazar(nombre, Enlace::Simbolico, destino);
  const std::pair<plat::Access, plat::Share> aperturas[] = {
      {plat::Access::Read, plat::Share::Shared},
      {plat::Access::Read, plat::Share::Exclusive},
      {plat::Access::ReadWrite, plat::Share::Any},
  };
  for (const auto& [acceso, compartir] : aperturas) {
    plat::File f = plat::File::open(nombre, acceso, compartir);
    std::string leido(kAjeno.size(), '\0');
    EXPECT_EQ(f.read(leido.data(), leido.size()), kAjeno.size());
    EXPECT_EQ(leido, kAjeno);
    f.close();
    EXPECT_TRUE(fs::is_symlink(nombre));
  }
  fs::create_directories(drive.native("ZORVTMP/VALENCIA"));
  gescen::CopiarArchivo("C:\\ZORVTMP\\VALENCIA\\horgrup.dbf", "C:\\GC\\horgrup.dbf");
  EXPECT_TRUE(fs::is_symlink(nombre));
  EXPECT_EQ(readFile(drive.native("ZORVTMP/VALENCIA/horgrup.dbf")), kAjeno);
}

// --- Whole runs -----------------------------------------------------------------------

class UsuarioGuionado : public procesos::Interaccion {
 public:
  void mensaje(const std::string&) override {}
  void cursorEspera(bool) override {}
};

struct CasoExportacion {
  const char* nombre;
  const char* archivo;  // below C:
};

void PrintTo(const CasoExportacion& c, std::ostream* os) { *os << c.nombre; }

const CasoExportacion kExportacion[] = {
    {"PROFT", "ZORVTMP/PROFT.DBF"},
    {"ASIGT", "ZORVTMP/ASIGT.DBF"},
    {"ASIGVALT_index", "ZORVTMP/ASIGVALT.MDX"},
};

class EnlaceExportacionTest : public ::testing::TestWithParam<std::tuple<CasoExportacion, Enlace>> {
 protected:
  TempDrive drive_;
  gescen::Catalogo tablas_;
  procesos::EstadoPrograma estado_;
  UsuarioGuionado ui_;
  void SetUp() override { escuelaDeUnAlumno(); }
};

TEST_P(EnlaceExportacionTest, TheExportReplacesTheLinkAndLeavesItsTarget) {
  const auto& [caso, enlace] = GetParam();
  const std::string nombre = drive_.native(caso.archivo);
  const std::string destino = drive_.native("GC/horgrup.dbf");
  enlazar(nombre, enlace, destino);
  const std::optional<std::string> antes = contenido(destino);

  procesos::ejecutarExportacion(tablas_, "VALENCIÁ", estado_, ui_);

  EXPECT_EQ(estado_.resultado, 1);
  EXPECT_EQ(contenido(destino), antes);
  EXPECT_TRUE(archivoPropio(nombre));
  for (const std::string& t : gescen::tablasIntercambio())
    EXPECT_EQ(leerTabla(intercambio(t)).size(), 1u) << t;
}

INSTANTIATE_TEST_SUITE_P(ExchangeTables, EnlaceExportacionTest,
                         ::testing::Combine(::testing::ValuesIn(kExportacion),
                                            ::testing::Values(Enlace::Simbolico, Enlace::SinDestino,
                                                              Enlace::Duro)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).nombre) + "_" +
                                  nombreDe(std::get<1>(info.param));
                         });

struct CasoImportacion {
  const char* nombre;
  const char* archivo;  // below C:
  Enlace enlace;
  bool conLaRejillaAbierta;  // made while the class-period grid is open
};

void PrintTo(const CasoImportacion& c, std::ostream* os) { *os << c.nombre; }

const CasoImportacion kImportacion[] = {
    // Recreated by the import.
    {"PLANTILLA_symlink", "ZORVTMP/VALENCIA/PLANTILLA.DBF", Enlace::Simbolico, false},
    {"PLANTILLA_dangling_symlink", "ZORVTMP/VALENCIA/PLANTILLA.DBF", Enlace::SinDestino, false},
    {"PLANTILLA_hard_link", "ZORVTMP/VALENCIA/PLANTILLA.DBF", Enlace::Duro, false},
    // The name older builds gave the new timetable beside GESCEN's (each run now names
    // its own): the run neither writes through it nor touches its target.
    {"new_horgrup_symlink", "GC/~tzv-horgrup.tmp", Enlace::Simbolico, false},
    {"new_horprof_dangling_symlink", "GC/~tzv-horprof.tmp", Enlace::SinDestino, false},
    {"new_horgrup_hard_link", "GC/~tzv-horgrup.tmp", Enlace::Duro, false},
    // Edited in place: the teacher check writes DNIs into PROFT.DBF, the class-period
    // grid writes times into PLANTILLA.DBF.
    {"PROFT_symlink", "ZORVTMP/PROFT.DBF", Enlace::Simbolico, false},
    {"PROFT_hard_link", "ZORVTMP/PROFT.DBF", Enlace::Duro, false},
    {"PLANTILLA_symlink_in_the_grid", "ZORVTMP/VALENCIA/PLANTILLA.DBF", Enlace::Simbolico, true},
    {"PLANTILLA_hard_link_in_the_grid", "ZORVTMP/VALENCIA/PLANTILLA.DBF", Enlace::Duro, true},
};

class EnlaceImportacionTest : public ::testing::TestWithParam<CasoImportacion> {
 protected:
  TempDrive drive_;
  gescen::Catalogo tablas_;
  procesos::EstadoPrograma estado_;
  UsuarioImportacion ui_;

  void SetUp() override {
    horariosGescen();
    centroYPeriodos({{"46001234", "1", "08:00", "08:55"}, {"46001234", "2", "08:55", "09:50"}});
    gescen::CopiarDatosGC(tablas_, "C:\\GC");
    // LRJ has no DNI: the teacher check gives him one.
    profesoresExportados(
        {{"GPA", "GARCIA PEREZ, ANA", "MATES", "11111111"}, {"LRJ", "LOPEZ ROS, JOAN", "FIS", ""}});
    ui_.dnis = {{"LRJ", 22222222}};
    ui_.horasInicio = {{1, "07:30"}};
    asignaturasExportadas({{"MAT", "1ESO001", "ESO", "1"}});
    solucion({{"1", "1", "*12", "GPA", "ESO", "1", "MAT", "A", "101"},
              {"2", "2", "*GUA", "LRJ", "", "", "", "", ""}});
  }
};

TEST_P(EnlaceImportacionTest, TheImportReplacesTheLinkAndLeavesItsTarget) {
  const CasoImportacion& caso = GetParam();
  const std::string nombre = drive_.native(caso.archivo);
  const std::string destino = drive_.native("OTRA/" + fs::path(nombre).filename().string());
  std::optional<std::string> antes;
  auto preparar = [&] {
    enlazar(nombre, caso.enlace, destino);
    antes = contenido(destino);
  };
  if (caso.conLaRejillaAbierta)
    ui_.mientrasPlantilla = preparar;
  else
    preparar();

  EXPECT_EQ(procesos::ejecutarImportacion(tablas_, "C:\\GC", "46001234", estado_, ui_),
            procesos::ResultadoImportacion::Completada);

  EXPECT_EQ(contenido(destino), antes);
  // A new timetable's name is gone: renamed over GESCEN's.
  if (fs::path(nombre).extension() != ".tmp") {
    EXPECT_TRUE(archivoPropio(nombre));
  }
  for (const char* tabla : {"horgrup.dbf", "horprof.dbf"})
    EXPECT_TRUE(archivoPropio(archivoDeGescen(tabla)));
  // What the checks wrote reached GESCEN's timetables.
  EXPECT_EQ(columna("C:\\GC\\horprof.dbf", "DNI"),
            (std::vector<std::string>{"11111111", "22222222"}));
  EXPECT_EQ(columna("C:\\GC\\horgrup.dbf", "HORDIADES"), std::vector<std::string>{"07:30"});
}

INSTANTIATE_TEST_SUITE_P(ImportFiles, EnlaceImportacionTest, ::testing::ValuesIn(kImportacion),
                         [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
