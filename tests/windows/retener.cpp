// tzv-retener TABLA MODO: holds a file until its standard input ends, as another
// program would. Prints "abierta" once it holds the file; when it cannot, prints why
// and ends with code 1. Built for Linux and for Windows, it lets the tests hold a table
// on one side of Wine while the other build tries it. The modes:
//   exclusiva, compartida   the table open through the table engine, as a school
//                           program would
//   abierta                 the file open, shared with everybody, without any lock
//   cerrojo-total           the file open with a write lock on all of it (an
//                           open-file-description lock on Linux, LockFileEx on Windows)
//   denegar-escritura       (Windows) the file open for reading, others may only read
//   denegar-todo            (Windows) the file open for reading and writing, shared
//                           with nobody

#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "dbf/Table.h"
#include "plat/WinPath.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
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

// Holds the file as the mode says, without the table engine; false when the mode is
// unknown here. Throws with the system's reason when the file cannot be held.
bool tenerArchivo(const std::string& ruta, const std::string& modo) {
#ifdef _WIN32
  struct Modo {
    const char* nombre;
    DWORD acceso, compartir;
  };
  const Modo modos[] = {
      {"abierta", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE},
      {"cerrojo-total", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE},
      {"denegar-escritura", GENERIC_READ, FILE_SHARE_READ},
      {"denegar-todo", GENERIC_READ | GENERIC_WRITE, 0},
  };
  for (const Modo& m : modos) {
    if (modo != m.nombre) continue;
    const int n = MultiByteToWideChar(CP_UTF8, 0, ruta.c_str(), -1, nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, ruta.c_str(), -1, w.data(), n);
    HANDLE h = CreateFileW(w.c_str(), m.acceso, m.compartir, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
      throw std::runtime_error("CreateFileW: error " + std::to_string(GetLastError()));
    OVERLAPPED ov{};
    if (modo == "cerrojo-total" &&
        !LockFileEx(h, LOCKFILE_FAIL_IMMEDIATELY | LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD,
                    &ov))
      throw std::runtime_error("LockFileEx: error " + std::to_string(GetLastError()));
    return true;  // the handle stays open until the program ends
  }
  return false;
#else
  if (modo != "abierta" && modo != "cerrojo-total") return false;
  const int fd = ::open(plat::toNative(ruta).c_str(), modo == "abierta" ? O_RDONLY : O_RDWR);
  if (fd < 0) throw std::runtime_error(std::string("open: ") + std::strerror(errno));
  struct flock fl;
  std::memset(&fl, 0, sizeof fl);
  fl.l_type = F_WRLCK;
  fl.l_whence = SEEK_SET;
  if (modo == "cerrojo-total" && fcntl(fd, F_OFD_SETLK, &fl) != 0)
    throw std::runtime_error(std::string("fcntl: ") + std::strerror(errno));
  return true;  // the descriptor stays open until the program ends
#endif
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args = argumentos(argc, argv);
  if (args.size() != 3) {
    std::cerr << "uso: tzv-retener TABLA exclusiva|compartida|abierta|cerrojo-total|"
                 "denegar-escritura|denegar-todo\n";
    return 2;
  }
  const std::string& modo = args[2];
  try {
    dbf::Table tabla;
    if (modo == "exclusiva" || modo == "compartida") {
      tabla.setTableName(args[1]);
      tabla.setExclusive(modo == "exclusiva");
      tabla.open();
    } else if (!tenerArchivo(args[1], modo)) {
      std::cerr << "tzv-retener: modo desconocido en este sistema: " << modo << '\n';
      return 2;
    }
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
