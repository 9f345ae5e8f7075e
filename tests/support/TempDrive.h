#pragma once
// A fresh Wine-style prefix for one test: C: maps to a temporary folder, so the
// program's Windows paths (C:\ZORVTMP, C:\GC) land in it. Removed at the end. On
// Windows, C: itself, in a throw-away Wine prefix only.

#include <set>
#include <string>

class TempDrive {
 public:
  TempDrive();
  ~TempDrive();
  TempDrive(const TempDrive&) = delete;
  TempDrive& operator=(const TempDrive&) = delete;

  // Native folder of C:.
  const std::string& driveC() const { return driveC_; }
  // Native path of a Windows path below C:, as "ZORVTMP/VALENCIA/x.dbf".
  std::string native(const std::string& relative) const { return driveC_ + "/" + relative; }

 private:
  std::set<std::string> antes_;  // Windows: what C:\ held before the test
  std::string root_;
  std::string driveC_;
  std::string oldPrefix_;
  bool hadPrefix_ = false;
};

// Writes bytes into a file (native path), creating its folder.
void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);
