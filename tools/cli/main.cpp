// transzorvex-cli: the program's runs and table inspection from the command line.

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "gescen/ProgramaAbierto.h"
#include "plat/Platform.h"
#include "procesos/importar/CopiaSegura.h"
#include "tools/cli/Comandos.h"

// From project(VERSION) through the build's tzv_version target.
#ifndef TZV_VERSION
#error "TZV_VERSION is not defined: link the target to tzv_version"
#endif

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// After windows.h, whose types it uses.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#endif

namespace {

struct Comando {
  const char* nombre;
  int (*ejecutar)(const std::vector<std::string>&);
  const char* ayuda;
  // It stages or writes in the work folder: refused while the program has it.
  bool usaCarpetaDeTrabajo;
};

const Comando kComandos[] = {
    {"mostrar", comandoMostrar,
     "mostrar TABLA [--formato csv|json]        campos y registros de una tabla", false},
    {"exportar", comandoExportar,
     "exportar [--gc CARPETA] [--idioma TEXTO]  tablas de intercambio para Zorvex", true},
    {"importar", comandoImportar,
     "importar [--gc CARPETA] [--centro CODIGO] [--dni ABREV=NUMERO]...  horario de Zorvex hacia "
     "GESCEN",
     true},
    {"comprobar", comandoComprobar,
     "comprobar [--gc CARPETA] [--centro CODIGO] [--formato texto|json] [--importacion]  "
     "problemas de los datos antes de exportar o importar",
     true},
    {"copias", comandoCopias,
     "copias [--gc CARPETA]  copias de horgrup y horprof guardadas por las importaciones", false},
    {"restaurar", comandoRestaurar,
     "restaurar [FECHA] [--gc CARPETA]  devuelve a GESCEN los horarios de una copia", true},
};

void escribirUso(std::ostream& salida) {
  salida << "uso: transzorvex-cli ORDEN [argumentos]\n"
            "     transzorvex-cli ORDEN --help\n"
            "     transzorvex-cli --help | --version\n"
            "órdenes:\n";
  for (const Comando& c : kComandos) salida << "  " << c.ayuda << '\n';
}

int uso() {
  escribirUso(std::cerr);
  return 2;
}

// An order's help line holds its usage, then two or more spaces, then what it does.
void escribirUsoOrden(const Comando& c) {
  const std::string ayuda = c.ayuda;
  const std::size_t hueco = ayuda.find("  ");
  std::cout << "uso: transzorvex-cli " << ayuda.substr(0, hueco) << '\n';
  if (hueco == std::string::npos) return;
  const std::size_t texto = ayuda.find_first_not_of(' ', hueco);
  if (texto != std::string::npos) std::cout << ayuda.substr(texto) << '\n';
}

#ifdef _WIN32

// The arguments as UTF-8, the core's text, from the UTF-16 command line: the narrow
// argv of the C runtime holds them in the ANSI code page, which loses any character
// outside it.
std::vector<std::string> argumentos(int, char**) {
  std::vector<std::string> out;
  int n = 0;
  wchar_t** w = CommandLineToArgvW(GetCommandLineW(), &n);
  if (w == nullptr) return out;
  for (int i = 0; i < n; ++i) {
    int len = WideCharToMultiByte(CP_UTF8, 0, w[i], -1, nullptr, 0, nullptr, nullptr);
    std::string s(len > 0 ? static_cast<std::size_t>(len - 1) : 0, '\0');
    if (len > 1) WideCharToMultiByte(CP_UTF8, 0, w[i], -1, s.data(), len, nullptr, nullptr);
    out.push_back(std::move(s));
  }
  LocalFree(w);
  return out;
}

// The output is UTF-8 with bare line feeds, the same bytes as on Linux, for programs
// that read it; a console is told to show it as UTF-8 while the command runs.
class SalidaUtf8 {
 public:
  SalidaUtf8() : codigoAnterior_(GetConsoleOutputCP()) {
    if (codigoAnterior_ != 0) SetConsoleOutputCP(CP_UTF8);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
  }
  ~SalidaUtf8() {
    std::cout.flush();
    std::cerr.flush();
    if (codigoAnterior_ != 0) SetConsoleOutputCP(codigoAnterior_);
  }
  SalidaUtf8(const SalidaUtf8&) = delete;
  SalidaUtf8& operator=(const SalidaUtf8&) = delete;

 private:
  UINT codigoAnterior_;
};

#else

std::vector<std::string> argumentos(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

struct SalidaUtf8 {};

#endif

}  // namespace

int main(int argc, char** argv) {
  [[maybe_unused]] SalidaUtf8 salida;
  plat::prepareHeap();
  const std::vector<std::string> todos = argumentos(argc, argv);
  if (todos.size() < 2) return uso();
  // Help and version touch no data, so they come before any order's work.
  if (todos.size() == 2 && todos[1] == "--version") {
    std::cout << "transzorvex-cli " TZV_VERSION "\n";
    return 0;
  }
  if (todos.size() == 2 && todos[1] == "--help") {
    escribirUso(std::cout);
    return 0;
  }
  std::vector<std::string> args(todos.begin() + 2, todos.end());
  for (const Comando& c : kComandos) {
    if (todos[1] != c.nombre) continue;
    if (args.size() == 1 && args[0] == "--help") {
      escribirUsoOrden(c);
      return 0;
    }
    // The program's dialog stages again whenever its folder changes, and its runs
    // expect the staged tables as it left them.
    if (c.usaCarpetaDeTrabajo && gescen::hayProgramaAbierto()) {
      std::cerr << gescen::kProgramaYaAbierto << '\n';
      return 1;
    }
    try {
      // An import killed while it put the timetables back is ended first.
      const std::string recuperado = procesos::recuperarDevolucion();
      if (!recuperado.empty()) std::cerr << recuperado << '\n';
      return c.ejecutar(args);
    } catch (const std::exception& e) {
      std::cout.flush();
      std::cerr << e.what() << '\n';
      return 1;
    }
  }
  return uso();
}
