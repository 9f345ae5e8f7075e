// The parts of the platform layer that are the same on every system.

#include "Platform.h"

#include <filesystem>

namespace plat {
namespace {
char g_separatorOverride = 0;
}  // namespace

IoError::IoError(int code, std::string path)
    : std::runtime_error("Error de E/S " + std::to_string(code) + ": " + path),
      code_(code),
      path_(std::move(path)) {}

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
