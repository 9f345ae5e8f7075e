// A copy back of the timetables that a killed run left half done is finished or undone
// at the next start: both GESCEN tables old or both new, nothing extra in the GESCEN
// folder, no backup folder half written. Copy backs and recoveries hold the GESCEN
// folder's lock against other PCs and touch only their own run's files.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>
#include <thread>

#include "gescen/CerrojoHorarios.h"
#include "gescen/Staging.h"
#include "plat/Platform.h"
#include "plat/WinPath.h"
#include "procesos/importar/CopiaSegura.h"
#include "procesos/importar/RegistroDevolucion.h"
#include "tests/support/CerrojoAjeno.h"
#include "tests/support/OtraEjecucion.h"
#include "tests/support/TempDrive.h"

namespace fs = std::filesystem;

namespace {

const std::string kViejoG = "horgrup viejo", kViejoP = "horprof viejo";
const std::string kNuevoG = "horgrup nuevo, con más filas", kNuevoP = "horprof nuevo, más filas";
// Files of other runs beside the tables: another PC's swap under way, and one of an
// older build, whose temporary names carried no run of their own.
const std::string kDeOtroEquipo = "~tzv-horgrup-2222222222222222.tmp";
const std::string kDeVersionAnterior = "~tzv-horprof.tmp";

// How far the killed run got.
enum class Punto {
  EscribiendoNuevos,      // the second new file and the backup half written
  AntesDeRenombrar,       // the record says the swap is decided, no rename done
  EntreRenombres,         // horgrup replaced, horprof not yet
  AntesDeBorrarRegistro,  // both replaced, the record still there
  NuevoPerdido,           // horgrup replaced, horprof's new file gone
};

class DevolucionTest : public ::testing::Test {
 protected:
  TempDrive drive_;
  std::string gc_ = drive_.native("GC");
  std::string copias_ = drive_.native("ZORVTMP/VALENCIA/COPIAS/20261210-101500");

  std::string enGC(const std::string& nombre) const { return gc_ + "/" + nombre; }

  procesos::ArchivoDevuelto archivo(const std::string& tabla, const std::string& nuevo) const {
    procesos::ArchivoDevuelto a;
    a.nuevo = enGC("~tzv-" + tabla + "-1111111111111111.tmp");
    a.destino = enGC(tabla + ".dbf");
    a.copia = copias_ + "/" + tabla + ".dbf";
    a.tamano = nuevo.size();
    a.suma = procesos::sumaDeBytes(nuevo.data(), nuevo.size());
    return a;
  }

  // The GESCEN folder with the old tables, beside the files of other runs.
  void gescenConOtrasEjecuciones() {
    writeFile(enGC("horgrup.dbf"), kViejoG);
    writeFile(enGC("horprof.dbf"), kViejoP);
    writeFile(enGC("centro.dbf"), "centro");
    writeFile(enGC(kDeOtroEquipo), "de otro equipo");
    writeFile(enGC(kDeVersionAnterior), "de una versión anterior");
  }

  // The folders as a run of kind `clase` killed at `punto` leaves them.
  void interrumpida(Punto punto, procesos::RegistroDevolucion::Clase clase =
                                     procesos::RegistroDevolucion::Clase::Importacion) {
    gescenConOtrasEjecuciones();
    procesos::RegistroDevolucion r;
    r.clase = clase;
    r.carpetaGC = "C:\\GC";
    r.copias = copias_;
    r.provisional = copias_ + ".tmp";
    r.archivos = {archivo("horgrup", kNuevoG), archivo("horprof", kNuevoP)};
    if (punto == Punto::EscribiendoNuevos) {
      writeFile(r.archivos[0].nuevo, kNuevoG);
      writeFile(r.archivos[1].nuevo, kNuevoP.substr(0, 5));
      writeFile(r.provisional + "/horgrup.dbf", kViejoG);
      procesos::guardarRegistro(r);
      return;
    }
    writeFile(copias_ + "/horgrup.dbf", kViejoG);
    writeFile(copias_ + "/horprof.dbf", kViejoP);
    r.estado = procesos::RegistroDevolucion::Estado::Cambiando;
    procesos::guardarRegistro(r);
    const bool gRenombrado = punto != Punto::AntesDeRenombrar;
    const bool pRenombrado = punto == Punto::AntesDeBorrarRegistro;
    writeFile(gRenombrado ? enGC("horgrup.dbf") : r.archivos[0].nuevo, kNuevoG);
    if (punto != Punto::NuevoPerdido)
      writeFile(pRenombrado ? enGC("horprof.dbf") : r.archivos[1].nuevo, kNuevoP);
  }

  std::set<std::string> entradas(const std::string& carpeta) const {
    std::set<std::string> nombres;
    if (fs::exists(carpeta))
      for (const auto& e : fs::directory_iterator(carpeta))
        nombres.insert(e.path().filename().string());
    return nombres;
  }

  // The GESCEN folder holds its tables, the other runs' files as they were, and the
  // lock file once a swap or a recovery has held the folder.
  void tablasYCarpetas(const std::string& g, const std::string& p) {
    EXPECT_EQ(readFile(enGC("horgrup.dbf")), g);
    EXPECT_EQ(readFile(enGC("horprof.dbf")), p);
    EXPECT_EQ(readFile(enGC(kDeOtroEquipo)), "de otro equipo");
    EXPECT_EQ(readFile(enGC(kDeVersionAnterior)), "de una versión anterior");
    EXPECT_EQ(entradas(gc_),
              (std::set<std::string>{"centro.dbf", "horgrup.dbf", "horprof.dbf", kDeOtroEquipo,
                                     kDeVersionAnterior, gescen::kArchivoCerrojoHorarios}));
    for (const std::string& copia : entradas(drive_.native("ZORVTMP/VALENCIA/COPIAS"))) {
      const std::string carpeta = drive_.native("ZORVTMP/VALENCIA/COPIAS/" + copia);
      EXPECT_EQ(readFile(carpeta + "/horgrup.dbf"), kViejoG) << copia;
      EXPECT_EQ(readFile(carpeta + "/horprof.dbf"), kViejoP) << copia;
    }
    EXPECT_FALSE(procesos::devolucionPendiente());
  }

  // The GESCEN folder's lock as another PC holds it: an opening of its own, locked as
  // every build locks it.
  plat::File otroEquipo() const {
    return plat::File::rewrite(enGC(gescen::kArchivoCerrojoHorarios), plat::Share::Exclusive);
  }
};

TEST_F(DevolucionTest, AKilledCopyBackIsFinishedOrUndoneAtTheNextStart) {
  struct Case {
    const char* que;
    Punto punto;
    bool nuevos;
    const char* linea;
  };
  const Case cases[] = {
      {"killed while the new files and the backup were written", Punto::EscribiendoNuevos, false,
       "Se ha deshecho una importación interrumpida: horgrup.dbf y horprof.dbf de C:\\GC siguen "
       "como estaban."},
      {"killed before the first rename", Punto::AntesDeRenombrar, true,
       "Se ha terminado una importación interrumpida: horgrup.dbf y horprof.dbf de C:\\GC tienen "
       "ya "
       "el horario nuevo (los anteriores se guardan en C:\\ZORVTMP\\VALENCIA\\COPIAS\\"
       "20261210-101500)."},
      {"killed between the renames", Punto::EntreRenombres, true, "Se ha terminado"},
      {"killed before the record went", Punto::AntesDeBorrarRegistro, true, "Se ha terminado"},
      {"a new file lost after the first rename", Punto::NuevoPerdido, false,
       "Se ha deshecho una importación interrumpida: horgrup.dbf y horprof.dbf de C:\\GC vuelven a "
       "tener el horario anterior (copiado de C:\\ZORVTMP\\VALENCIA\\COPIAS\\20261210-101500)."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.que);
    fs::remove_all(drive_.driveC());
    interrumpida(c.punto);
    EXPECT_EQ(procesos::recuperarDevolucion().rfind(c.linea, 0), 0u);
    tablasYCarpetas(c.nuevos ? kNuevoG : kViejoG, c.nuevos ? kNuevoP : kViejoP);
    EXPECT_EQ(procesos::recuperarDevolucion(), "");  // nothing left to do
  }
}

TEST_F(DevolucionTest, WhileGescenHoldsATableTheSwapWaitsForTheNextStart) {
  interrumpida(Punto::EntreRenombres);
  {
    CerrojoAjeno enGescen(enGC("horprof.dbf"), F_RDLCK, 0x7FFFFFFE);
    ASSERT_TRUE(enGescen.tomado());
    EXPECT_EQ(procesos::recuperarDevolucion(),
              "No se ha podido terminar una importación interrumpida en C:\\GC: GESCEN tiene "
              "abierta la tabla C:\\GC\\horprof.dbf. Ciérrela y vuelva a intentarlo. Se volverá a "
              "intentar al abrir de nuevo el programa.");
    EXPECT_EQ(readFile(enGC("horprof.dbf")), kViejoP);
    EXPECT_TRUE(procesos::devolucionPendiente());
  }
  EXPECT_EQ(procesos::recuperarDevolucion().rfind("Se ha terminado", 0), 0u);
  tablasYCarpetas(kNuevoG, kNuevoP);
}

TEST_F(DevolucionTest, ARecordOfAnotherLiveRunIsLeftAlone) {
  interrumpida(Punto::EntreRenombres);
  {
    OtraEjecucion otra;
    EXPECT_EQ(procesos::recuperarDevolucion(), "");
    EXPECT_TRUE(procesos::devolucionPendiente());
    EXPECT_TRUE(fs::exists(enGC("~tzv-horprof-1111111111111111.tmp")));
  }
  EXPECT_EQ(procesos::recuperarDevolucion().rfind("Se ha terminado", 0), 0u);
  tablasYCarpetas(kNuevoG, kNuevoP);
}

TEST_F(DevolucionTest, ADamagedRecordIsSaidAndDropped) {
  writeFile(plat::toNative(procesos::kRegistroDevolucion), "no es un registro\n");
  EXPECT_EQ(procesos::recuperarDevolucion(),
            "El registro C:\\ZORVTMP\\VALENCIA\\DEVOLUCION.TZV de una importación anterior está "
            "dañado y se ha descartado.");
  EXPECT_FALSE(procesos::devolucionPendiente());
}

}  // namespace

namespace {

TEST_F(DevolucionTest, AStartWithNothingLeftBehindTouchesNothing) {
  EXPECT_EQ(procesos::recuperarDevolucion(), "");
  EXPECT_FALSE(fs::exists(drive_.native("ZORVTMP")));
}

}  // namespace

namespace {

// The line after a killed run names what was interrupted; a record that an older build
// wrote, without the kind, is an import's.
TEST_F(DevolucionTest, TheRecoverySaysWhichKindOfRunWasInterrupted) {
  using Clase = procesos::RegistroDevolucion::Clase;
  struct Case {
    const char* que;
    Punto punto;
    Clase clase;
    bool sinClase;  // the record's kind line taken out, as an older build wrote it
    const char* linea;
  };
  const Case cases[] = {
      {"a restoration killed while it wrote", Punto::EscribiendoNuevos, Clase::Restauracion, false,
       "Se ha deshecho una restauración interrumpida: horgrup.dbf y horprof.dbf de C:\\GC siguen "
       "como estaban."},
      {"a restoration killed between the renames", Punto::EntreRenombres, Clase::Restauracion,
       false, "Se ha terminado una restauración interrumpida: "},
      {"a restoration that lost a new file", Punto::NuevoPerdido, Clase::Restauracion, false,
       "Se ha deshecho una restauración interrumpida: "},
      {"an import", Punto::EntreRenombres, Clase::Importacion, false,
       "Se ha terminado una importación interrumpida: "},
      {"an older build's record", Punto::EntreRenombres, Clase::Restauracion, true,
       "Se ha terminado una importación interrumpida: "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.que);
    fs::remove_all(drive_.driveC());
    interrumpida(c.punto, c.clase);
    const std::string registro = plat::toNative(procesos::kRegistroDevolucion);
    if (c.sinClase) {
      std::string texto = readFile(registro);
      const std::string linea = "clase restauracion\n";
      ASSERT_NE(texto.find(linea), std::string::npos);
      writeFile(registro, texto.erase(texto.find(linea), linea.size()));
    }
    EXPECT_EQ(procesos::recuperarDevolucion().rfind(c.linea, 0), 0u);
    EXPECT_FALSE(procesos::devolucionPendiente());
  }
}

// Another PC swapping in the same GESCEN folder: the recovery waits for it, then leaves
// the record for the next start and says why; nothing in the folder changes meanwhile.
TEST_F(DevolucionTest, WhileAnotherPcHoldsTheGescenFolderTheRecoveryWaitsForTheNextStart) {
  interrumpida(Punto::EntreRenombres);
  {
    plat::File otro = otroEquipo();
    EXPECT_EQ(procesos::recuperarDevolucion(),
              "No se ha podido terminar una importación interrumpida en C:\\GC: otro equipo está "
              "importando en esa carpeta. Se volverá a intentar al abrir de nuevo el programa.");
    EXPECT_EQ(readFile(enGC("horgrup.dbf")), kNuevoG);
    EXPECT_EQ(readFile(enGC("horprof.dbf")), kViejoP);
    EXPECT_TRUE(fs::exists(enGC("~tzv-horprof-1111111111111111.tmp")));
    EXPECT_TRUE(procesos::devolucionPendiente());
  }
  EXPECT_EQ(procesos::recuperarDevolucion().rfind("Se ha terminado", 0), 0u);
  tablasYCarpetas(kNuevoG, kNuevoP);
}

// A copy back waits while another PC holds the GESCEN folder and goes on once it is let
// go; it leaves the other runs' files alone, and the lock file stays for the next one.
TEST_F(DevolucionTest, ACopyBackWaitsForAnotherPcAndTouchesNoOtherRunsFiles) {
  gescenConOtrasEjecuciones();
  writeFile(drive_.native("ZORVTMP/VALENCIA/horgrup.dbf"), kNuevoG);
  writeFile(drive_.native("ZORVTMP/VALENCIA/horprof.dbf"), kNuevoP);
  std::optional<plat::File> otro = otroEquipo();
  std::thread termina([&] {
    std::this_thread::sleep_for(std::chrono::seconds(1));
    otro.reset();
  });
  std::string copia;
  EXPECT_NO_THROW(copia = procesos::devolverHorarios("C:\\GC"));
  termina.join();
  EXPECT_EQ(copia.rfind("C:\\ZORVTMP\\VALENCIA\\COPIAS\\", 0), 0u) << copia;
  tablasYCarpetas(kNuevoG, kNuevoP);
}

}  // namespace

namespace {

// Another PC's run looks at a timetable for an instant, with a lock (the Windows build
// does): a hold that ends within a moment is waited for, not taken for GESCEN's.
TEST_F(DevolucionTest, AHoldOfAMomentOnATimetableIsWaitedFor) {
  gescenConOtrasEjecuciones();
  writeFile(drive_.native("ZORVTMP/VALENCIA/horgrup.dbf"), kNuevoG);
  writeFile(drive_.native("ZORVTMP/VALENCIA/horprof.dbf"), kNuevoP);
  std::optional<CerrojoAjeno> mirada;
  ASSERT_TRUE(mirada.emplace(enGC("horprof.dbf"), F_WRLCK, 0, 0).tomado());
  std::thread termina([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    mirada.reset();
  });
  EXPECT_NO_THROW(procesos::devolverHorarios("C:\\GC"));
  termina.join();
  tablasYCarpetas(kNuevoG, kNuevoP);
}

}  // namespace
