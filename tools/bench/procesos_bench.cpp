// procesos-bench: wall time of the export on the large and the ten-times-larger
// generated schools, and of the import of a 50,000-record solution on the larger one,
// each against its physical floor: the time to read and write the same bytes, measured
// in the same run.
//
//   procesos-bench [--generador RUTA] [--registros N]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "Catalogo.h"
#include "Exportacion.h"
#include "Importacion.h"
#include "Staging.h"
#include "TablasIntercambio.h"
#include "WinPath.h"
#include "platform/Platform.h"

namespace fs = std::filesystem;

namespace {

using Reloj = std::chrono::steady_clock;
constexpr int kRepeticiones = 5;

double segundos(Reloj::time_point desde) {
  return std::chrono::duration<double>(Reloj::now() - desde).count();
}

class Silenciosa : public tzv::Interaccion {
 public:
  void mensaje(const std::string&) override {}
  void cursorEspera(bool) override {}
  void cerrarDialogo() override {}
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

std::vector<fs::path> archivosDe(const fs::path& carpeta, const std::vector<std::string>& nombres) {
  std::vector<fs::path> out;
  for (const std::string& n : nombres) out.push_back(winpath::toNative((carpeta / n).string()));
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
  gc::Catalogo tablas;
  gc::CopiarDatosGC(tablas, "C:\\GC");
  tzv::EscribirTablasIntercambio(tablas,
                                 "VALENCIÁ");  // warms the cache as a user's earlier run would
  // Best of several runs, for the export and for its floor alike: other work on the
  // machine only ever adds time.
  Medida m;
  m.exportacion = 1e9;
  for (int i = 0; i < kRepeticiones; ++i) {
    auto t0 = Reloj::now();
    tzv::EscribirTablasIntercambio(tablas, "VALENCIÁ");
    m.exportacion = std::min(m.exportacion, segundos(t0));
  }
  const fs::path staging = u.c / "ZORVTMP" / "VALENCIA";
  const fs::path trabajo = u.c / "ZORVTMP";
  std::vector<fs::path> entradas =
      archivosDe(staging, {"asignat.dbf", "OCUPA.dbf", "profesor.dbf", "aulas.dbf", "alumnos.dbf",
                           "grupos.dbf", "asigalum.dbf", "horgrup.dbf"});
  std::vector<fs::path> salidas;
  for (const std::string& t : tzv::tablasIntercambio()) salidas.push_back(trabajo / t);
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

void medirImportacion(const std::string& generador, int registros) {
  Unidad u("importacion");
  ejecutar(generador + " gescen '" + (u.c / "GC").string() +
           "' --tamano enorme --semilla 1 > /dev/null");
  gc::Catalogo tablas;
  gc::CopiarDatosGC(tablas, "C:\\GC");
  tzv::EscribirTablasIntercambio(tablas, "VALENCIÁ");
  ejecutar(generador + " solucion '" + (u.c / "ZORVTMP").string() + "' --semilla 1 --registros " +
           std::to_string(registros) + " > /dev/null");
  // Teachers without a DNI would stop the run at the teacher check: give them one.
  {
    dbf::Table proft;
    proft.setTableName(tzv::rutaIntercambio(tzv::kPROFT));
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
  const std::vector<fs::path> horarios = {winpath::toNative((gcDir / "horgrup.dbf").string()),
                                          winpath::toNative((gcDir / "horprof.dbf").string())};
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
    tzv::EstadoPrograma estado;
    auto t0 = Reloj::now();
    tzv::EjecutarImportacion(tablas, "C:\\GC", centro, estado, ui);
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
                                    winpath::toNative((staging / "lhortipo.dbf").string())};
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
  std::string generador = (fs::path(argv[0]).parent_path() / "tzv-generador").string();
  int registros = 50000;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string o = argv[i];
    if (o == "--generador")
      generador = argv[i + 1];
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
  medirImportacion(generador, registros);
  return 0;
}
