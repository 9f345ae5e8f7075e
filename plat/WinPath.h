#pragma once
// Windows paths on every system. The program's folders are Windows paths (C:\ZORVTMP,
// C:\GC). On Windows they are used as they are. Elsewhere drive letters map to folders
// as in a Wine prefix ($WINEPREFIX, or ~/.wine): each dosdevices/<letter>: link names
// the folder of that drive, so the program works beside Windows programs run under
// Wine. Without a prefix, C: is TransZorvexValencia/drive_c in the user's data folder
// and Z: is the root folder. Names are matched without regard to case, as on Windows.

#include <filesystem>
#include <string>
#include <vector>

namespace plat {

// True for a path with a drive letter or a leading backslash.
bool isWindowsPath(const std::string& path);

// The native path of a Windows path or of a native path. Each existing entry is found
// whatever the case of its name (as Windows programs expect); the rest is kept as
// spelled.
std::string toNative(const std::string& path);

// The Windows spelling of a native path (drive letter and backslashes), or the path
// itself when no drive holds it.
std::string toWindows(const std::string& nativePath);

// Drive letters that exist (upper case, in order).
std::vector<char> drives();

// Native folder of a drive's root.
std::string driveRoot(char letter);

// Joins a folder and a name with the system's separator rules of Windows paths.
std::string join(const std::string& folder, const std::string& name);

// Equality of names as Windows compares them (ASCII and Latin-1 letters fold).
bool sameName(const std::string& a, const std::string& b);

// Conversions between the program's UTF-8 text and the library's path type, which on
// Windows would otherwise read narrow text in the ANSI code page.
std::filesystem::path fsPath(const std::string& utf8);
std::string fsText(const std::filesystem::path& p);

}  // namespace plat
