#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "plat/WinPath.h"
#include "tests/support/TempDrive.h"

namespace fs = std::filesystem;

namespace {

TEST(WinPathTest, DriveLettersFollowTheWinePrefix) {
  TempDrive drive;
  EXPECT_EQ(plat::toNative("C:\\ZORVTMP\\ASIGT.DBF"), drive.driveC() + "/ZORVTMP/ASIGT.DBF");
  EXPECT_EQ(plat::toNative("c:/ZORVTMP"), drive.driveC() + "/ZORVTMP");
  EXPECT_EQ(plat::toNative("C:\\"), drive.driveC());
  EXPECT_EQ(fs::weakly_canonical(plat::toNative("Z:\\etc")), fs::path("/etc"));
  EXPECT_FALSE(fs::exists(plat::toNative("Q:\\GC")));
  auto drives = plat::drives();
  EXPECT_EQ(drives, (std::vector<char>{'C', 'Z'}));
}

TEST(WinPathTest, ExistingNamesAreFoundWhateverTheirCase) {
  TempDrive drive;
  writeFile(drive.native("GC/GRUPOS.DBF"), "x");
  fs::create_directories(drive.native("ZORVTMP/VALENCIA"));
  writeFile(drive.native("Àrea/fitxer.txt"), "y");
  EXPECT_EQ(plat::toNative("C:\\gc\\grupos.dbf"), drive.driveC() + "/GC/GRUPOS.DBF");
  EXPECT_EQ(plat::toNative("C:\\ZORVTMP\\Valencia\\PLANTILLA.DBF"),
            drive.driveC() + "/ZORVTMP/VALENCIA/PLANTILLA.DBF");
  EXPECT_EQ(plat::toNative("C:\\àREA\\FITXER.TXT"), drive.driveC() + "/Àrea/fitxer.txt");
  // A name that does not exist yet is kept as spelled.
  EXPECT_EQ(plat::toNative("C:\\gc\\Nuevo\\Otro.dbf"), drive.driveC() + "/GC/Nuevo/Otro.dbf");
  EXPECT_TRUE(plat::sameName("VALENCIÀ", "valencià"));
  EXPECT_FALSE(plat::sameName("VALENCIA", "VALENCIÀ"));
}

// ".." at a drive's root stays at the root, as on Windows: no Windows path leads out of
// its drive's folder.
TEST(WinPathTest, DotDotNeverLeavesTheDrive) {
  TempDrive drive;
  fs::create_directories(drive.native("GC"));
  struct Case {
    const char* path;
    std::string native;
  };
  const Case cases[] = {
      {"C:..", drive.driveC()},
      {"C:\\..\\..\\x", drive.driveC() + "/x"},
      {"C:\\..\\drive_c\\GC", drive.driveC() + "/drive_c/GC"},
      {"C:\\GC\\..\\..\\GC\\grupos.dbf", drive.driveC() + "/GC/grupos.dbf"},
      {"C:\\GC\\.\\sub\\..\\grupos.dbf", drive.driveC() + "/GC/grupos.dbf"},
      {"\\..\\ZORVTMP", drive.driveC() + "/ZORVTMP"},
  };
  for (const Case& c : cases) EXPECT_EQ(plat::toNative(c.path), c.native) << c.path;
}

// A relative native path climbs above the working folder as far as its ".." steps say,
// each existing name found whatever its case.
TEST(WinPathTest, RelativeNativePathsClimbFromTheWorkingFolder) {
  TempDrive drive;
  writeFile(drive.native("GC/GRUPOS.DBF"), "x");
  writeFile(drive.native("GC/sub/ALUMNOS.DBF"), "y");
  const fs::path saved = fs::current_path();
  fs::current_path(drive.native("GC/sub"));
  struct Case {
    const char* path;
    std::string native;
  };
  const Case cases[] = {
      {"../grupos.dbf", drive.native("GC/GRUPOS.DBF")},
      {"../../GC/sub/alumnos.dbf", drive.native("GC/sub/ALUMNOS.DBF")},
      {"nuevo/../../grupos.dbf", drive.native("GC/GRUPOS.DBF")},
      {"./../sub/./alumnos.dbf", drive.native("GC/sub/ALUMNOS.DBF")},
  };
  for (const Case& c : cases)
    EXPECT_EQ(fs::weakly_canonical(plat::toNative(c.path)), fs::weakly_canonical(c.native))
        << c.path;
  fs::current_path(saved);
}

TEST(WinPathTest, NativePathsAndWindowsSpelling) {
  TempDrive drive;
  fs::create_directories(drive.native("GC/Curs 2026"));
  EXPECT_EQ(plat::toNative("/tmp/x.dbf"), "/tmp/x.dbf");
  EXPECT_EQ(plat::toWindows(drive.native("GC/Curs 2026")), "C:\\GC\\Curs 2026");
  EXPECT_EQ(plat::toWindows(drive.driveC()), "C:\\");
  EXPECT_EQ(plat::toWindows("/usr/share"), "Z:\\usr\\share");
  EXPECT_EQ(plat::join("C:\\", "grupos.dbf"), "C:\\grupos.dbf");
  EXPECT_EQ(plat::join("C:\\GC", "grupos.dbf"), "C:\\GC\\grupos.dbf");
  EXPECT_EQ(plat::join("/srv/gc", "grupos.dbf"), "/srv/gc/grupos.dbf");
}

TEST(WinPathTest, WithoutAPrefixCIsTheUsersDataFolder) {
  TempDrive drive;  // restores WINEPREFIX afterwards
  const std::string data = drive.native("data-home");
  setenv("WINEPREFIX", drive.native("no-such-prefix").c_str(), 1);
  const char* oldXdg = std::getenv("XDG_DATA_HOME");
  std::string saved = oldXdg ? oldXdg : "";
  setenv("XDG_DATA_HOME", data.c_str(), 1);
  EXPECT_EQ(plat::toNative("C:\\ZORVTMP"), data + "/TransZorvexValencia/drive_c/ZORVTMP");
  EXPECT_EQ(plat::driveRoot('Z'), "/");
  EXPECT_EQ(plat::drives(), (std::vector<char>{'C', 'Z'}));
  if (oldXdg)
    setenv("XDG_DATA_HOME", saved.c_str(), 1);
  else
    unsetenv("XDG_DATA_HOME");
}

}  // namespace
