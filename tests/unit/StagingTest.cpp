#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "gescen/Catalogo.h"
#include "gescen/Staging.h"
#include "plat/WinPath.h"
#include "tests/support/TempDrive.h"
#include "tests/unit/Tables.h"

namespace fs = std::filesystem;

namespace {

std::string bytesOf(std::size_t n, unsigned seed = 7) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + seed) & 0xFF);
  return s;
}

const char* const kStaged[] = {"grupos.dbf",  "profesor.dbf", "horgrup.dbf", "asigalum.dbf",
                               "asignat.dbf", "aulas.dbf",    "alumnos.dbf", "alumnos.fpt",
                               "centro.dbf",  "lhortipo.dbf", "OCUPA.dbf"};

TEST(StagingTest, ErrorTextsByCode) {
  struct Case {
    int code;
    const char* text;
  };
  const Case cases[] = {{2, "No se encuentra el archivo"},
                        {3, "Nombre de archivo inválido"},
                        {4, "Demasiados archivos abiertos"},
                        {5, "Acceso al archivo denegado"},
                        {100, "Se intenta leer después del fin del archivo"},
                        {101, "Disco lleno"},
                        {32, "Error de E/S 32"}};
  for (const Case& c : cases) EXPECT_EQ(plat::errorText(c.code), c.text);
}

// Each copy goes over the last one: growing, then shrinking back, nothing of the
// longer file may stay at its end.
TEST(StagingTest, CopiesEveryByteWhateverTheSize) {
  TempDrive drive;
  const std::size_t sizes[] = {0, 1, 2047, 2048, 2049, 10000, 262143, 262144, 262145, 600000};
  std::vector<std::size_t> upAndDown(std::begin(sizes), std::end(sizes));
  upAndDown.insert(upAndDown.end(), std::rbegin(sizes), std::rend(sizes));
  for (std::size_t size : upAndDown) {
    const std::string content = bytesOf(size, static_cast<unsigned>(size));
    writeFile(drive.native("GC/origen.bin"), content);
    gescen::CopiarArchivo("C:\\GC\\copia.bin", "C:\\GC\\origen.bin");
    EXPECT_EQ(readFile(drive.native("GC/copia.bin")), content) << size;
  }
}

// A link where the staged copy goes is replaced by the copy; what it pointed to, here the
// GESCEN table itself, is left as it was.
TEST(StagingTest, ALinkInPlaceOfTheCopyIsReplacedNotWrittenThrough) {
  TempDrive drive;
  writeFile(drive.native("GC/grupos.dbf"), "tabla de GESCEN");
  writeFile(drive.native("OTRA/grupos.dbf"), "otra tabla, más larga que la de GESCEN");
  fs::create_directories(drive.native("DEST"));
  for (const char* destino : {"GC/grupos.dbf", "OTRA/grupos.dbf"}) {
    SCOPED_TRACE(destino);
    fs::remove(drive.native("DEST/grupos.dbf"));
    fs::create_symlink(drive.native(destino), drive.native("DEST/grupos.dbf"));
    gescen::ReemplazarArchivo("C:\\DEST\\grupos.dbf", "C:\\GC\\grupos.dbf");
    EXPECT_FALSE(fs::is_symlink(drive.native("DEST/grupos.dbf")));
    EXPECT_EQ(readFile(drive.native("DEST/grupos.dbf")), "tabla de GESCEN");
  }
  EXPECT_EQ(readFile(drive.native("GC/grupos.dbf")), "tabla de GESCEN");
  EXPECT_EQ(readFile(drive.native("OTRA/grupos.dbf")), "otra tabla, más larga que la de GESCEN");
}

TEST(StagingTest, DestinationFolderReceivesTheSourcesName) {
  TempDrive drive;
  writeFile(drive.native("GC/grupos.dbf"), "abc");
  fs::create_directories(drive.native("DEST"));
  gescen::CopiarArchivo("C:\\DEST\\", "C:\\GC\\grupos.dbf");
  EXPECT_EQ(readFile(drive.native("DEST/grupos.dbf")), "abc");
}

TEST(StagingTest, MissingSourceCopiesNothingButReplacingDeletesTheOldCopy) {
  TempDrive drive;
  fs::create_directories(drive.native("GC"));
  writeFile(drive.native("DEST/horgrup.dbf"), "old");
  gescen::CopiarArchivo("C:\\DEST\\nuevo.dbf", "C:\\GC\\horgrup.dbf");
  EXPECT_FALSE(fs::exists(drive.native("DEST/nuevo.dbf")));
  gescen::ReemplazarArchivo("C:\\DEST\\horgrup.dbf", "C:\\GC\\horgrup.dbf");
  EXPECT_FALSE(fs::exists(drive.native("DEST/horgrup.dbf")));
}

TEST(StagingTest, StagingCopiesTheElevenFilesAndCreatesTheFolders) {
  TempDrive drive;
  unsigned seed = 1;
  for (const char* name : kStaged) {
    std::string upper = name;
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    writeFile(drive.native("GC/" + upper),
              bytesOf(3000, seed++));  // GESCEN may store names in capitals
  }
  writeFile(drive.native("GC/horprof.dbf"), "not staged");
  gescen::Catalogo tablas;
  gescen::CopiarDatosGC(tablas, "C:\\GC");
  seed = 1;
  for (const char* name : kStaged)
    EXPECT_EQ(readFile(plat::toNative(std::string("C:\\ZORVTMP\\VALENCIA\\") + name)),
              bytesOf(3000, seed++))
        << name;
  EXPECT_FALSE(fs::exists(drive.native("ZORVTMP/VALENCIA/horprof.dbf")));
}

TEST(StagingTest, AFolderWithoutSomeFilesLeavesNoCopyOfThemAndOtherFilesAlone) {
  TempDrive drive;
  for (const char* name : kStaged)
    writeFile(drive.native(std::string("ZORVTMP/VALENCIA/") + name), "old");
  writeFile(drive.native("ZORVTMP/VALENCIA/PLANTILLA.DBF"), "template");
  writeFile(drive.native("OTRO/alumnos.dbf"), "students");
  gescen::Catalogo tablas;
  gescen::CopiarDatosGC(tablas, "C:\\OTRO");
  EXPECT_EQ(readFile(drive.native("ZORVTMP/VALENCIA/alumnos.dbf")), "students");
  EXPECT_FALSE(fs::exists(drive.native("ZORVTMP/VALENCIA/alumnos.fpt")));
  EXPECT_FALSE(fs::exists(drive.native("ZORVTMP/VALENCIA/grupos.dbf")));
  EXPECT_EQ(readFile(drive.native("ZORVTMP/VALENCIA/PLANTILLA.DBF")), "template");
}

TEST(StagingTest, HandlesAreClosedBeforeTheirFilesAreReplaced) {
  TempDrive drive;
  crearCodigos("C:\\GC\\grupos.dbf", {"1ESOA"});
  gescen::Catalogo tablas;
  gescen::CopiarDatosGC(tablas, "C:\\GC");
  tablas.wwTableGrupos.open();  // exclusive
  crearCodigos("C:\\GC\\grupos.dbf", {"2BACB"});
  gescen::CopiarDatosGC(tablas, "C:\\GC");
  EXPECT_FALSE(tablas.wwTableGrupos.active());
  tablas.wwTableGrupos.open();
  EXPECT_EQ(tablas.wwTableGrupos.asString("CODIGO"), "2BACB");
}

TEST(StagingTest, AStagedCopyHeldByAnotherProgramStopsStaging) {
  TempDrive drive;
  crearCodigos("C:\\GC\\grupos.dbf", {"1ESOA"});
  crearCodigos("C:\\GC\\profesor.dbf", {"P"});
  gescen::Catalogo tablas;
  gescen::CopiarDatosGC(tablas, "C:\\GC");
  dbf::Table ajena;  // not one of the catalogue's handles: staging cannot close it
  ajena.setTableName("C:\\ZORVTMP\\VALENCIA\\profesor.dbf");
  ajena.setExclusive(true);
  ajena.open();
  try {
    gescen::CopiarDatosGC(tablas, "C:\\GC");
    FAIL();
  } catch (const gescen::EntradaSalidaError& e) {
    EXPECT_STREQ(e.what(), "Error de E/S 32 (C:\\ZORVTMP\\VALENCIA\\profesor.dbf)");
  }
  ajena.close();
  EXPECT_NO_THROW(gescen::CopiarDatosGC(tablas, "C:\\GC"));
}

TEST(StagingTest, AStagingFolderThatCannotBeCreatedFailsAtTheFirstCopy) {
  TempDrive drive;
  writeFile(drive.native("ZORVTMP"), "a file where the folder should be");
  writeFile(drive.native("GC/grupos.dbf"), "x");
  gescen::Catalogo tablas;
  try {
    gescen::CopiarDatosGC(tablas, "C:\\GC");
    FAIL();
  } catch (const gescen::EntradaSalidaError& e) {
    EXPECT_STREQ(e.what(), "Nombre de archivo inválido (C:\\ZORVTMP\\VALENCIA\\grupos.dbf)");
  }
}

TEST(StagingTest, DriveRootGivesTwoSeparators) {
  TempDrive drive;
  writeFile(drive.native("centro.dbf"), "c");
  gescen::Catalogo tablas;
  EXPECT_EQ(gescen::archivoGC("C:\\", "centro.dbf"), "C:\\\\centro.dbf");
  gescen::CopiarDatosGC(tablas, "C:\\");
  EXPECT_EQ(readFile(drive.native("ZORVTMP/VALENCIA/centro.dbf")), "c");
}

// A full disk writes fewer bytes than asked; the copy must fail rather than leave a
// truncated file behind silently.
TEST(StagingTest, ShortWriteEndsTheCopyWithDiskFull) {
  TempDrive drive;
  writeFile(drive.native("GC/grande.bin"), bytesOf(10000));
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = {5000, 5000};
    setrlimit(RLIMIT_FSIZE, &limit);
    try {
      gescen::CopiarArchivo("C:\\GC\\copia.bin", "C:\\GC\\grande.bin");
    } catch (const gescen::EntradaSalidaError& e) {
      _exit(std::string(e.what()) == "Disco lleno (C:\\GC\\copia.bin)" ? 0 : 2);
    }
    _exit(1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no error, 2: another error";
}

}  // namespace

namespace {

// Runs `paso` in a child process and gives back the text of the error it raises; a step
// that hangs (a FIFO waiting for a writer, a device that never ends) is killed.
std::string errorEnOtroProceso(const std::function<void()>& paso) {
  int tubo[2];
  if (pipe(tubo) != 0) return "pipe";
  pid_t hijo = fork();
  if (hijo == 0) {
    alarm(10);
    std::string texto = "sin error";
    try {
      paso();
    } catch (const std::exception& e) {
      texto = e.what();
    }
    (void)!write(tubo[1], texto.data(), texto.size());
    _exit(0);
  }
  ::close(tubo[1]);
  std::string texto;
  char buffer[512];
  for (ssize_t n; (n = read(tubo[0], buffer, sizeof buffer)) > 0;) texto.append(buffer, n);
  ::close(tubo[0]);
  int status = 0;
  waitpid(hijo, &status, 0);
  if (WIFSIGNALED(status)) return "colgado";
  return texto;
}

// A FIFO or a device where a GESCEN table is expected is refused at once, naming it, by
// staging and by the table engine alike: neither waits for ever nor copies without end.
TEST(StagingTest, OnlyRegularFilesAreCopiedOrOpened) {
  struct Case {
    const char* que;
    std::function<void(const std::string& ruta)> crear;
  };
  const Case cases[] = {
      {"a FIFO", [](const std::string& ruta) { ASSERT_EQ(mkfifo(ruta.c_str(), 0644), 0); }},
      {"a link to a device",
       [](const std::string& ruta) { fs::create_symlink("/dev/zero", ruta); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.que);
    TempDrive drive;
    fs::create_directories(drive.native("GC"));
    c.crear(drive.native("GC/asignat.dbf"));
    gescen::Catalogo tablas;
    EXPECT_EQ(errorEnOtroProceso([&] { gescen::CopiarDatosGC(tablas, "C:\\GC"); }),
              "No es un archivo normal (C:\\GC\\asignat.dbf)");
    EXPECT_EQ(errorEnOtroProceso([] {
                dbf::Table t;
                t.setTableName("C:\\GC\\asignat.dbf");
                t.open();
              }),
              "La tabla C:\\GC\\asignat.dbf no es un archivo normal");
  }
}

}  // namespace
