// tzv-generador: writes realistic GESCEN data folders, and timetable solutions built
// from the exchange tables of an export, for tests, trials and benchmarks.
//
//   tzv-generador gescen CARPETA [--tamano pequeno|grande|enorme] [--semilla N]
//   tzv-generador solucion CARPETA_TRABAJO [--semilla N] [--registros N]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/generator/Escuela.h"
#include "tools/generator/Solucion.h"
#include "tools/generator/TablasGescen.h"

namespace {

constexpr const char* kUso =
    "uso: tzv-generador gescen CARPETA [--tamano pequeno|grande|enorme] [--semilla N]\n"
    "     tzv-generador solucion CARPETA_TRABAJO [--semilla N] [--registros N]\n"
    "\n"
    "gescen    escribe en CARPETA (se crea si falta) una carpeta de datos de GESCEN:\n"
    "          grupos, profesor, horgrup, asigalum, asignat, aulas, alumnos (con\n"
    "          alumnos.fpt), centro, lhortipo, OCUPA y horprof.\n"
    "solucion  escribe CARPETA_TRABAJO/SOLUC.DBF, un horario colocado a partir de las\n"
    "          tablas de intercambio (ASIGT.DBF, PROFT.DBF, ASIGNOMT.DBF, AULAT.DBF)\n"
    "          que dejó una exportación; --registros fija el número de registros,\n"
    "          recortando o repitiendo lecciones en otros días y horas.\n"
    "\n"
    "La misma semilla da siempre los mismos archivos, byte a byte.\n";

[[noreturn]] void errorUso(const std::string& texto) {
  std::fprintf(stderr, "tzv-generador: %s\n\n%s", texto.c_str(), kUso);
  std::exit(2);
}

bool aNumero(const std::string& s, unsigned long long& out) {
  if (s.empty() || s.find_first_not_of("0123456789") != std::string::npos || s.size() > 19)
    return false;
  out = std::stoull(s);
  return true;
}

double segundosDesde(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

int gescen(const std::string& carpeta, gen::Tamano tamano, const char* nombreTamano,
           std::uint64_t semilla) {
  auto t0 = std::chrono::steady_clock::now();
  std::error_code ec;
  std::filesystem::create_directories(carpeta, ec);
  if (!std::filesystem::is_directory(carpeta)) {
    std::fprintf(stderr, "tzv-generador: no se puede crear la carpeta %s\n", carpeta.c_str());
    return 1;
  }
  gen::Escuela escuela = gen::construirEscuela(tamano, semilla);
  double tModelo = segundosDesde(t0);
  std::vector<gen::ResumenTabla> resumen = gen::escribirGescen(escuela, carpeta);
  double total = segundosDesde(t0);
  std::printf("Carpeta GESCEN en %s (tamaño %s, semilla %llu)\n", carpeta.c_str(), nombreTamano,
              static_cast<unsigned long long>(semilla));
  std::uint64_t bytes = 0;
  for (const gen::ResumenTabla& r : resumen) {
    bytes += r.bytes;
    if (r.archivo == "alumnos.fpt") {
      std::printf("  %-13s %9u memos %14llu bytes\n", r.archivo.c_str(), r.registros,
                  static_cast<unsigned long long>(r.bytes));
    } else {
      std::printf("  %-13s %9u registros (%u borrados) %llu bytes\n", r.archivo.c_str(),
                  r.registros, r.borrados, static_cast<unsigned long long>(r.bytes));
    }
  }
  std::printf(
      "%zu centros, %zu grupos, %zu profesores, %zu asignaturas, %zu alumnos, %zu matrículas\n",
      escuela.centros.size(), escuela.grupos.size(), escuela.profesores.size(),
      escuela.asignaturas.size(), escuela.alumnos.size(), escuela.matriculas.size());
  std::printf("%.1f MB en %.2f s (datos %.2f s, escritura %.2f s)\n",
              static_cast<double>(bytes) / 1e6, total, tModelo, total - tModelo);
  return 0;
}

int solucion(const std::string& carpeta, std::uint64_t semilla, long registros) {
  auto t0 = std::chrono::steady_clock::now();
  gen::OpcionesSolucion op;
  op.carpeta = carpeta;
  op.semilla = semilla;
  op.registros = registros;
  gen::ResumenSolucion r = gen::escribirSolucion(op);
  std::printf(
      "%s: %u registros a partir de %u asignaciones (%u lecciones en horario, %u sin colocar, "
      "%u tareas no lectivas) en %.2f s\n",
      r.ruta.c_str(), r.registros, r.filasAsignaciones, r.lecciones, r.sinColocar, r.tareas,
      segundosDesde(t0));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "ayuda") {
    std::fputs(kUso, args.empty() ? stderr : stdout);
    return args.empty() ? 2 : 0;
  }
  const std::string orden = args[0];
  if (orden != "gescen" && orden != "solucion") errorUso("orden desconocida '" + orden + "'");
  std::string carpeta;
  std::string tamano = "pequeno";
  unsigned long long semilla = 1;
  long registros = -1;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto valor = [&]() -> const std::string& {
      if (i + 1 >= args.size()) errorUso("falta el valor de " + a);
      return args[++i];
    };
    if (a == "--semilla") {
      if (!aNumero(valor(), semilla)) errorUso("semilla no válida '" + args[i] + "'");
    } else if (a == "--tamano" && orden == "gescen") {
      tamano = valor();
    } else if (a == "--registros" && orden == "solucion") {
      unsigned long long n;
      if (!aNumero(valor(), n) || n > 100000000ull)
        errorUso("número de registros no válido '" + args[i] + "'");
      registros = static_cast<long>(n);
    } else if (!a.empty() && a[0] == '-') {
      errorUso("opción desconocida '" + a + "'");
    } else if (carpeta.empty()) {
      carpeta = a;
    } else {
      errorUso("sobra el argumento '" + a + "'");
    }
  }
  if (carpeta.empty()) errorUso("falta la carpeta");
  try {
    if (orden == "gescen") {
      gen::Tamano t;
      if (tamano == "pequeno" || tamano == "pequeño")
        t = gen::Tamano::Pequeno;
      else if (tamano == "grande")
        t = gen::Tamano::Grande;
      else if (tamano == "enorme")
        t = gen::Tamano::Enorme;
      else
        errorUso("tamaño desconocido '" + tamano + "'");
      return gescen(carpeta, t, tamano.c_str(), semilla);
    }
    return solucion(carpeta, semilla, registros);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tzv-generador: %s\n", e.what());
    return 1;
  }
}
