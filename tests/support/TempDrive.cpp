#include "TempDrive.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

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

void writeFile(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
