// The parts of the platform layer that are the same on every system.

#include "plat/Platform.h"

#include <filesystem>

namespace plat {
namespace {
char g_separatorOverride = 0;
}  // namespace

IoError::IoError(int code, std::string path)
    : std::runtime_error("Error de E/S " + std::to_string(code) + ": " + path),
      code_(code),
      path_(std::move(path)) {}

std::string errorText(int code) {
  switch (code) {
    case 2:
      return "No se encuentra el archivo";
    case 3:
      return "Nombre de archivo inválido";
    case 4:
      return "Demasiados archivos abiertos";
    case 5:
      return "Acceso al archivo denegado";
    case 100:
      return "Se intenta leer después del fin del archivo";
    case 101:
      return "Disco lleno";
    case kNotAFile:
      return "No es un archivo normal";
    default:
      return "Error de E/S " + std::to_string(code);
  }
}

bool removeTree(const std::string& path) noexcept {
  std::error_code ec;
  std::filesystem::remove_all(std::filesystem::path(std::u8string(path.begin(), path.end())), ec);
  return !ec;
}

std::vector<std::string> folderEntries(const std::string& path) {
  std::vector<std::string> names;
  findEntry(path, [&](std::string_view name) {
    names.emplace_back(name);
    return false;
  });
  return names;
}

char decimalSeparator() {
  if (g_separatorOverride != 0) return g_separatorOverride;
  static const char fromLocale = userDecimalSeparator();
  return fromLocale;
}

void setDecimalSeparator(char separator) { g_separatorOverride = separator; }

}  // namespace plat
