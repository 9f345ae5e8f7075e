// procesos-bench: wall time of the export on the large and the ten-times-larger
// generated schools, of the whole `transzorvex-cli exportar` on the larger one, and of
// the import of a 50,000-record solution on it, each against its physical floor: the
// time to read and write the same bytes, measured in the same run.
//
//   procesos-bench [--generador RUTA] [--cli RUTA] [--registros N]

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "gescen/Catalogo.h"
#include "gescen/Staging.h"
#include "gescen/TablasIntercambio.h"
#include "plat/Platform.h"
#include "plat/WinPath.h"
#include "procesos/exportar/Exportacion.h"
#include "procesos/importar/Importacion.h"

namespace fs = std::filesystem;

namespace {

using Reloj = std::chrono::steady_clock;
constexpr int kRepeticiones = 5;

double segundos(Reloj::time_point desde) {
  return std::chrono::duration<double>(Reloj::now() - desde).count();
}

class Silenciosa : public procesos::Interaccion {
 public:
  void mensaje(const std::string&) override {}
  void cursorEspera(bool) override {}
};

// A Wine-style prefix of its own, so that C: is a scratch folder.
struct Unidad {
  fs::path raiz;
  fs::path c;
  explicit Unidad(const std::string& nombre) {
    raiz = fs::temp_directory_path() / ("procesos-bench-" + nombre);
    fs::remove_all(raiz);
    fs::create_directories(raiz / "dosdevices");
    c = raiz / "drive_c";
    fs::create_directories(c);
    fs::create_symlink("../drive_c", raiz / "dosdevices" / "c:");
    setenv("WINEPREFIX", raiz.c_str(), 1);
  }
  ~Unidad() {
    std::error_code ec;
    fs::remove_all(raiz, ec);
  }
};

void ejecutar(const std::string& orden) {
  if (std::system(orden.c_str()) != 0) {
    std::cerr << "falló: " << orden << '\n';
    std::exit(1);
  }
}

std::uintmax_t tamano(const fs::path& p) {
  std::error_code ec;
  auto n = fs::file_size(p, ec);
  return ec ? 0 : n;
}

// Reads every byte of `leer` and writes as many bytes into fresh files as `escribir`
// hold, flushing them when asked: the least any program doing this work must spend.
double suelo(const std::vector<fs::path>& leer, const std::vector<fs::path>& escribir, bool firme,
             const fs::path& carpeta) {
  fs::create_directories(carpeta);
  auto t0 = Reloj::now();
  std::vector<char> buffer(1 << 20);
  for (const fs::path& p : leer) {
    plat::File f = plat::File::open(p.string(), plat::Access::Read);
    while (f.read(buffer.data(), buffer.size()) > 0) {
    }
  }
  int i = 0;
  for (const fs::path& p : escribir) {
    std::uintmax_t quedan = tamano(p);
    plat::File f = plat::File::create((carpeta / ("suelo" + std::to_string(i++))).string());
    while (quedan > 0) {
      std::size_t n = static_cast<std::size_t>(std::min<std::uintmax_t>(quedan, buffer.size()));
      f.write(buffer.data(), n);
      quedan -= n;
    }
    if (firme) f.sync();
    f.close();
  }
  double t = segundos(t0);
  fs::remove_all(carpeta);
  return t;
}

// Copies each of `copiar` into a fresh file, then writes what suelo writes: the least a
// command that stages those files and writes those outputs must spend.
double sueloCopia(const std::vector<fs::path>& copiar, const std::vector<fs::path>& escribir,
                  const fs::path& carpeta) {
  fs::create_directories(carpeta);
  auto t0 = Reloj::now();
  int i = 0;
  for (const fs::path& p : copiar) {
    plat::File origen = plat::File::open(p.string(), plat::Access::Read);
    plat::File::create((carpeta / ("copia" + std::to_string(i++))).string()).copyFrom(origen);
  }
  const double copia = segundos(t0);
  const double t = copia + suelo({}, escribir, false, carpeta / "salidas");
  fs::remove_all(carpeta);
  return t;
}

std::vector<fs::path> archivosDe(const fs::path& carpeta, const std::vector<std::string>& nombres) {
  std::vector<fs::path> out;
  for (const std::string& n : nombres) out.push_back(plat::toNative((carpeta / n).string()));
  return out;
}

struct Medida {
  double exportacion = 0;
  double suelo = 0;
};

Medida medirExportacion(const std::string& generador, const std::string& tamanoEscuela) {
  Unidad u(tamanoEscuela);
  ejecutar(generador + " gescen '" + (u.c / "GC").string() + "' --tamano " + tamanoEscuela +
           " --semilla 1 > /dev/null");
  gescen::Catalogo tablas;
  gescen::CopiarDatosGC(tablas, "C:\\GC");
  procesos::escribirTablasIntercambio(tablas,
                                      "VALENCIÁ");  // warms the cache as a user's earlier run would
  // Best of several runs, for the export and for its floor alike: other work on the
  // machine only ever adds time.
  Medida m;
  m.exportacion = 1e9;
  for (int i = 0; i < kRepeticiones; ++i) {
    auto t0 = Reloj::now();
    procesos::escribirTablasIntercambio(tablas, "VALENCIÁ");
    m.exportacion = std::min(m.exportacion, segundos(t0));
  }
  const fs::path staging = u.c / "ZORVTMP" / "VALENCIA";
  const fs::path trabajo = u.c / "ZORVTMP";
  std::vector<fs::path> entradas =
      archivosDe(staging, {"asignat.dbf", "OCUPA.dbf", "profesor.dbf", "aulas.dbf", "alumnos.dbf",
                           "grupos.dbf", "asigalum.dbf", "horgrup.dbf"});
  std::vector<fs::path> salidas;
  for (const std::string& t : gescen::tablasIntercambio()) salidas.push_back(trabajo / t);
  salidas.push_back(trabajo / "ASIGVALT.MDX");
  // The writers read ASIGVALT and PROFT back: those bytes count as input too.
  entradas.push_back(trabajo / "ASIGVALT.DBF");
  entradas.push_back(trabajo / "PROFT.DBF");
  m.suelo = 1e9;
  for (int i = 0; i < kRepeticiones; ++i)
    m.suelo = std::min(m.suelo, suelo(entradas, salidas, false, u.c / "suelo"));
  std::uintmax_t bytes = 0;
  for (auto& p : entradas) bytes += tamano(p);
  for (auto& p : salidas) bytes += tamano(p);
  std::printf(
      "exportación %-8s %8.3f s   suelo %8.3f s   relación %5.2f   (%.1f MB leídos y escritos)\n",
      tamanoEscuela.c_str(), m.exportacion, m.suelo, m.exportacion / m.suelo, bytes / 1e6);
  return m;
}

// What a program run cost: its wall time and its page faults.
struct Proceso {
  double segundos = 0;
  long fallosDePagina = 0;  // minor faults: each first touch of a page of memory
};

// Runs `orden` with its output thrown away and times it from spawn to exit.
Proceso cronometrar(const std::vector<std::string>& orden) {
  std::vector<char*> argv;
  for (const std::string& a : orden) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t acciones;
  posix_spawn_file_actions_init(&acciones);
  posix_spawn_file_actions_addopen(&acciones, 1, "/dev/null", O_WRONLY, 0);
  auto t0 = Reloj::now();
  pid_t pid = 0;
  int status = -1;
  rusage uso{};
  if (posix_spawn(&pid, argv[0], &acciones, nullptr, argv.data(), environ) == 0)
    wait4(pid, &status, 0, &uso);
  const Proceso p{segundos(t0), uso.ru_minflt};
  posix_spawn_file_actions_destroy(&acciones);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::cerr << "falló: " << orden[0] << '\n';
    std::exit(1);
  }
  return p;
}

template <class T>
T mediana(std::vector<T> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// The whole `transzorvex-cli exportar` on the ten-times school as a user runs it
// (start-up, staging, the export, the summary it prints) against copying the same
// GESCEN files and writing the same output bytes. A run of each in turn after a pause,
// medians of both: a program's start and its first touch of memory count here.
void medirOrdenExportar(const std::string& generador, const std::string& cli) {
  Unidad u("orden");
  ejecutar(generador + " gescen '" + (u.c / "GC").string() +
           "' --tamano enorme --semilla 1 > /dev/null");
  const std::vector<std::string> orden = {cli, "exportar", "--gc", "C:\\GC"};
  cronometrar(orden);  // the work folders made and the files read, as by a user's last run
  std::vector<fs::path> entradas, salidas;
  for (const auto& e : fs::directory_iterator(u.c / "GC")) entradas.push_back(e.path());
  for (const std::string& t : gescen::tablasIntercambio()) salidas.push_back(u.c / "ZORVTMP" / t);
  salidas.push_back(u.c / "ZORVTMP" / "ASIGVALT.MDX");
  std::this_thread::sleep_for(std::chrono::seconds(1));
  // A command is a process: the least one costs to start and end on this machine is
  // part of its floor, and is shown on its own.
  std::vector<double> ordenes, suelos, arranques;
  std::vector<long> fallos;
  for (int i = 0; i < 3 * kRepeticiones; ++i) {
    const Proceso p = cronometrar(orden);
    ordenes.push_back(p.segundos);
    fallos.push_back(p.fallosDePagina);
    suelos.push_back(sueloCopia(entradas, salidas, u.c / "suelo"));
    arranques.push_back(cronometrar({"/bin/true"}).segundos);
  }
  const double o = mediana(ordenes), s = mediana(suelos), a = mediana(arranques);
  std::printf(
      "orden exportar enorme %8.3f s   suelo %8.3f s + arranque %5.3f s   relación %5.2f   "
      "(medianas; objetivo: como mucho 3)\n"
      "   sin el arranque en el suelo: relación %5.2f; fallos de página de la orden: %ld\n",
      o, s, a, o / (s + a), o / s, mediana(fallos));
  // The check of the same school, every table read once: well under a second.
  std::vector<double> comprobaciones;
  for (int i = 0; i < kRepeticiones; ++i)
    comprobaciones.push_back(cronometrar({cli, "comprobar", "--gc", "C:\\GC"}).segundos);
  std::printf("orden comprobar enorme %7.3f s   (mediana; objetivo: muy por debajo de 1 s)\n\n",
              mediana(comprobaciones));
}

void medirImportacion(const std::string& generador, int registros) {
  Unidad u("importacion");
  ejecutar(generador + " gescen '" + (u.c / "GC").string() +
           "' --tamano enorme --semilla 1 > /dev/null");
  gescen::Catalogo tablas;
  gescen::CopiarDatosGC(tablas, "C:\\GC");
  procesos::escribirTablasIntercambio(tablas, "VALENCIÁ");
  ejecutar(generador + " solucion '" + (u.c / "ZORVTMP").string() + "' --semilla 1 --registros " +
           std::to_string(registros) + " > /dev/null");
  // Teachers without a DNI would stop the run at the teacher check: give them one.
  {
    dbf::Table proft;
    proft.setTableName(gescen::rutaIntercambio(gescen::kPROFT));
    proft.open();
    int n = 0;
    for (proft.first(); !proft.eof(); proft.next()) {
      if (proft.asInteger("DNI") != 0) continue;
      proft.edit();
      proft.setInteger("DNI", 90000000 + ++n);
      proft.post();
    }
  }
  tablas.wwTableCentro.open();
  const std::string centro = tablas.wwTableCentro.asString("CODCEN");
  tablas.wwTableCentro.close();
  Silenciosa ui;
  const fs::path gcDir = u.c / "GC";
  const std::vector<fs::path> horarios = {plat::toNative((gcDir / "horgrup.dbf").string()),
                                          plat::toNative((gcDir / "horprof.dbf").string())};
  const std::uintmax_t antes = tamano(horarios[0]) + tamano(horarios[1]);
  // Each run starts from the school's own timetables, put back untimed, and leaves its
  // kept copies in a folder of its own.
  const fs::path originales = u.raiz / "originales";
  fs::create_directories(originales);
  for (const fs::path& h : horarios) fs::copy_file(h, originales / h.filename());
  double importacion = 1e9;
  for (int i = 0; i < kRepeticiones; ++i) {
    for (const fs::path& h : horarios)
      fs::copy_file(originales / h.filename(), h, fs::copy_options::overwrite_existing);
    procesos::EstadoPrograma estado;
    auto t0 = Reloj::now();
    procesos::ejecutarImportacion(tablas, "C:\\GC", centro, estado, ui);
    importacion = std::min(importacion, segundos(t0));
  }
  const fs::path staging = u.c / "ZORVTMP" / "VALENCIA";
  const fs::path trabajo = u.c / "ZORVTMP";
  // Read: the solution, the two GESCEN timetables, the teacher and subject tables and
  // the class periods. Written: the two staged copies, the rebuilt tables, the new
  // files beside the GESCEN ones and the kept copies (those two flushed, as the import
  // flushes them), and the class-period template.
  std::vector<fs::path> entradas = {trabajo / "SOLUC.DBF", trabajo / "PROFT.DBF",
                                    trabajo / "ASIGVALT.DBF",
                                    plat::toNative((staging / "lhortipo.dbf").string())};
  std::vector<fs::path> nuevos = archivosDe(staging, {"horgrup.dbf", "horprof.dbf"});
  std::vector<fs::path> escritos = nuevos;
  escritos.insert(escritos.end(), nuevos.begin(), nuevos.end());
  double total = 1e9;
  for (int i = 0; i < kRepeticiones; ++i) {
    const double sueloSinFirmar = suelo(entradas, escritos, false, u.c / "suelo1");
    const double sueloFirme = suelo({}, nuevos, true, u.c / "suelo2");
    const double sueloCopias = suelo({}, nuevos, true, u.c / "suelo3");
    total = std::min(total, sueloSinFirmar + sueloFirme + sueloCopias);
  }
  std::printf(
      "importación de %d registros de SOLUC.DBF: %8.3f s   suelo %8.3f s   relación %5.2f   "
      "(GESCEN antes %.1f MB)\n",
      registros, importacion, total, importacion / total, antes / 1e6);
}

}  // namespace

int main(int argc, char** argv) {
  plat::prepareHeap();  // as the programs do
  std::string generador = (fs::path(argv[0]).parent_path() / "tzv-generador").string();
  std::string cli = (fs::path(argv[0]).parent_path() / "transzorvex-cli").string();
  int registros = 50000;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string o = argv[i];
    if (o == "--generador")
      generador = argv[i + 1];
    else if (o == "--cli")
      cli = argv[i + 1];
    else if (o == "--registros")
      registros = std::atoi(argv[i + 1]);
  }
  std::printf(
      "procesos-bench: tiempos de pared; el suelo lee y escribe los mismos bytes en la misma "
      "ejecución\n\n");
  Medida grande = medirExportacion(generador, "grande");
  Medida enorme = medirExportacion(generador, "enorme");
  std::printf("\nenorme / grande (diez veces los datos): %.2f (objetivo: como mucho 11)\n",
              enorme.exportacion / grande.exportacion);
  std::printf("exportación enorme / suelo: %.2f (objetivo: como mucho 3)\n\n",
              enorme.exportacion / enorme.suelo);
  medirOrdenExportar(generador, cli);
  medirImportacion(generador, registros);
  return 0;
}
