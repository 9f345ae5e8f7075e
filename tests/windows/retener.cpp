// tzv-retener TABLA exclusiva|compartida: holds a table open through the table engine,
// as a school program would, until its standard input ends. Prints "abierta" once the
// table is open; when the engine refuses it, prints the engine's message and ends with
// code 1. Built for Linux and for Windows, it lets the tests hold a table on one side
// of Wine while the other build tries to open it.

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "Table.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>
#endif

namespace {

// The arguments as UTF-8, the core's text; on Windows from the UTF-16 command line, as
// transzorvex-cli takes them.
std::vector<std::string> argumentos(int argc, char** argv) {
#ifdef _WIN32
  (void)argc;
  (void)argv;
  std::vector<std::string> out;
  int n = 0;
  wchar_t** w = CommandLineToArgvW(GetCommandLineW(), &n);
  for (int i = 0; w != nullptr && i < n; ++i) {
    int len = WideCharToMultiByte(CP_UTF8, 0, w[i], -1, nullptr, 0, nullptr, nullptr);
    std::string s(len > 0 ? static_cast<std::size_t>(len - 1) : 0, '\0');
    if (len > 1) WideCharToMultiByte(CP_UTF8, 0, w[i], -1, s.data(), len, nullptr, nullptr);
    out.push_back(std::move(s));
  }
  if (w != nullptr) LocalFree(w);
  return out;
#else
  return std::vector<std::string>(argv, argv + argc);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args = argumentos(argc, argv);
  const std::string modo = args.size() == 3 ? args[2] : "";
  if (modo != "exclusiva" && modo != "compartida") {
    std::cerr << "uso: tzv-retener TABLA exclusiva|compartida\n";
    return 2;
  }
  try {
    dbf::Table tabla;
    tabla.setTableName(args[1]);
    tabla.setExclusive(modo == "exclusiva");
    tabla.open();
    std::cout << "abierta" << std::endl;
    std::string linea;
    while (std::getline(std::cin, linea)) {
    }
    tabla.close();
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
