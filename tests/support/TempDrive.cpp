#include "tests/support/TempDrive.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

#ifdef _WIN32

// On Windows the program's paths are the machine's own C: drive: the tests run only in
// a throw-away Wine prefix, which the test run says through TZV_UNIDAD_C_DE_PRUEBA, and
// they remove from C:\ whatever they added to it.
TempDrive::TempDrive() : driveC_("C:") {
  const char* permiso = std::getenv("TZV_UNIDAD_C_DE_PRUEBA");
  if (permiso == nullptr || std::string(permiso) != "1") {
    std::fprintf(stderr,
                 "Estas pruebas escriben en C:\\ y solo corren en un prefijo de Wine de usar y "
                 "tirar, con TZV_UNIDAD_C_DE_PRUEBA=1.\n");
    std::exit(2);
  }
  // The program's own folders start empty, as on a fresh drive.
  for (const char* carpeta : {"C:/GC", "C:/ZORVTMP"}) fs::remove_all(carpeta);
  for (const auto& e : fs::directory_iterator("C:/")) antes_.insert(e.path().filename().string());
}

TempDrive::~TempDrive() {
  std::error_code ec;
  fs::current_path("C:/", ec);
  for (const auto& e : fs::directory_iterator("C:/", ec))
    if (!antes_.count(e.path().filename().string())) fs::remove_all(e.path(), ec);
}

#else

TempDrive::TempDrive() {
  std::random_device rd;
  root_ =
      (fs::temp_directory_path() / ("tzv-" + std::to_string(rd()) + std::to_string(rd()))).string();
  driveC_ = root_ + "/drive_c";
  fs::create_directories(root_ + "/dosdevices");
  fs::create_directories(driveC_);
  fs::create_symlink("../drive_c", root_ + "/dosdevices/c:");
  fs::create_directory_symlink("/", root_ + "/dosdevices/z:");
  const char* old = std::getenv("WINEPREFIX");
  hadPrefix_ = old != nullptr;
  if (hadPrefix_) oldPrefix_ = old;
  setenv("WINEPREFIX", root_.c_str(), 1);
}

TempDrive::~TempDrive() {
  if (hadPrefix_)
    setenv("WINEPREFIX", oldPrefix_.c_str(), 1);
  else
    unsetenv("WINEPREFIX");
  std::error_code ec;
  fs::remove_all(root_, ec);
}

#endif

void writeFile(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
