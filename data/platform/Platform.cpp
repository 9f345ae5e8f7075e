// The parts of the platform layer that are the same on every system.

#include "Platform.h"

namespace plat {
namespace {
char g_separatorOverride = 0;
}  // namespace

IoError::IoError(int code, std::string path)
    : std::runtime_error("Error de E/S " + std::to_string(code) + ": " + path),
      code_(code),
      path_(std::move(path)) {}

char decimalSeparator() {
  if (g_separatorOverride != 0) return g_separatorOverride;
  static const char fromLocale = userDecimalSeparator();
  return fromLocale;
}

void setDecimalSeparator(char separator) { g_separatorOverride = separator; }

}  // namespace plat
