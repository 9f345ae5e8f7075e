#include "plat/WinPath.h"

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <utility>

#include "plat/Platform.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace plat {
namespace {

bool hasDrive(const std::string& p) {
  return p.size() >= 2 && p[1] == ':' &&
         ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'));
}

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Folds UTF-8 text for comparison: ASCII letters, and the Latin-1 letters of the
// two-byte range (à..þ to À..Þ), to upper case.
void foldInto(std::string_view s, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < s.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c == 0xC3 && i + 1 < s.size()) {
      unsigned char d = static_cast<unsigned char>(s[i + 1]);
      if (d >= 0xA0 && d <= 0xBE && d != 0xB7) d = static_cast<unsigned char>(d - 0x20);
      out += static_cast<char>(c);
      out += static_cast<char>(d);
      ++i;
    } else {
      out += upper(static_cast<char>(c));
    }
  }
}

std::string fold(const std::string& s) {
  std::string out;
  foldInto(s, out);
  return out;
}

#ifndef _WIN32
std::string userDataFolder() {
  std::string xdg = plat::environment("XDG_DATA_HOME");
  if (!xdg.empty()) return xdg;
  return plat::environment("HOME") + "/.local/share";
}

// Where the Wine prefix's dosdevices folder is, when there is one.
std::string dosdevicesPath() {
  std::string prefix = plat::environment("WINEPREFIX");
  if (prefix.empty()) prefix = plat::environment("HOME") + "/.wine";
  return prefix + "/dosdevices";
}

// The Wine prefix's dosdevices folder, or empty text when there is no prefix.
std::string dosdevices() {
  std::string dev = dosdevicesPath();
  return plat::folderExists(dev) ? dev : std::string();
}

// The entry of an existing folder whose name is `part` in any case: `part` itself when
// none is.
std::string entryInAnyCase(const std::string& folder, const std::string& part) {
  const std::string want = fold(part);
  std::string folded;
  const std::string found = plat::findEntry(folder, [&](std::string_view name) {
    foldInto(name, folded);
    return folded == want;
  });
  return found.empty() ? part : found;
}

std::vector<std::string> components(const std::string& rest) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : rest) {
    if (c == '\\' || c == '/') {
      if (!cur.empty()) parts.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) parts.push_back(cur);
  return parts;
}

std::string joined(std::string base, const std::vector<std::string>& parts, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (base.empty() || base.back() != '/') base += '/';
    base += parts[i];
  }
  return base;
}

// The folder above `base`. A relative path with no name left to drop climbs above the
// working folder instead of ending at the root.
std::string parentOf(const std::string& base) {
  const fs::path p(base);
  if (p.is_relative() && (p.filename() == "." || p.filename() == "..")) return base + "/..";
  return p.parent_path().string();
}

// Appends components to an existing folder, taking each existing entry in whatever
// case it is stored.
std::string resolveEachUnder(std::string base, const std::vector<std::string>& parts) {
  bool exists = plat::folderExists(base);
  for (const std::string& part : parts) {
    if (part == ".") continue;
    if (part == "..") {
      base = parentOf(base);
      exists = plat::folderExists(base);
      continue;
    }
    std::string candidate = base;
    if (candidate.empty() || candidate.back() != '/') candidate += '/';
    std::string exact = candidate + part;
    std::error_code ec;
    if (exists && !fs::exists(fs::symlink_status(exact, ec)))
      exact = candidate + entryInAnyCase(base, part);
    base = exact;
    exists = exists && plat::folderExists(base);
  }
  return base;
}

std::string resolveUnder(const std::string& base, const std::vector<std::string>& parts) {
  const bool plain = std::none_of(parts.begin(), parts.end(),
                                  [](const std::string& p) { return p == "." || p == ".."; });
  if (plain && !parts.empty()) {
    // Most paths are written as they are stored: one look at the whole path settles
    // them, or one at its folder when only the last name is missing or in another case.
    std::error_code ec;
    std::string exact = joined(base, parts, parts.size());
    if (fs::exists(fs::symlink_status(exact, ec))) return exact;
    const std::string folder = joined(base, parts, parts.size() - 1);
    if (parts.size() > 1 && plat::folderExists(folder))
      return folder + "/" + entryInAnyCase(folder, parts.back());
  }
  return resolveEachUnder(base, parts);
}

#endif

}  // namespace

bool isWindowsPath(const std::string& path) {
  return hasDrive(path) || (!path.empty() && path[0] == '\\');
}

bool sameName(const std::string& a, const std::string& b) { return fold(a) == fold(b); }

#ifdef _WIN32

std::string toNative(const std::string& path) { return path; }
std::string toWindows(const std::string& nativePath) { return nativePath; }
std::string driveRoot(char letter) { return std::string(1, upper(letter)) + ":\\"; }

// The system's own list of drive letters: looking into each drive's root would wait
// for, or ask the user for, a disk in an empty removable drive.
std::vector<char> drives() {
  std::vector<char> out;
  const DWORD mask = GetLogicalDrives();
  for (char c = 'A'; c <= 'Z'; ++c)
    if (mask & (DWORD{1} << (c - 'A'))) out.push_back(c);
  return out;
}

#else

// The folder a drive link leads to, worked out once per link and the text it holds
// (`written`, null for a folder that is no link): every path of every table goes
// through it.
std::string linkTarget(const std::string& link, const std::string* written) {
  static std::mutex mutex;
  static std::unordered_map<std::string, std::pair<std::string, std::string>> known;
  if (written != nullptr) {
    std::lock_guard<std::mutex> lock(mutex);
    auto it = known.find(link);
    if (it != known.end() && it->second.first == *written) return it->second.second;
  }
  std::error_code ec;
  fs::path target = fs::canonical(link, ec);
  if (ec) return link;
  if (written != nullptr && !written->empty()) {
    std::lock_guard<std::mutex> lock(mutex);
    known[link] = {*written, target.string()};
  }
  return target.string();
}

std::string driveRoot(char letter) {
  letter = upper(letter);
  // The link's target, so that paths read the same as the folders they name. A link
  // that reads settles it at once; otherwise the prefix's folder of drive links has to
  // be there.
  const std::string dev = dosdevicesPath();
  const std::string link = dev + "/" + static_cast<char>(letter - 'A' + 'a') + ":";
  std::string written;
  if (plat::linkText(link, written)) return linkTarget(link, &written);
  if (plat::folderExists(dev)) return linkTarget(link, nullptr);
  std::string own = userDataFolder() + "/TransZorvexValencia";
  if (letter == 'C') return own + "/drive_c";
  if (letter == 'Z') return "/";
  return own + "/dosdevices/" + static_cast<char>(letter - 'A' + 'a') + ":";
}

std::vector<char> drives() {
  std::vector<char> out;
  std::string dev = dosdevices();
  for (char c = 'A'; c <= 'Z'; ++c) {
    if (!dev.empty()) {
      if (plat::folderExists(driveRoot(c))) out.push_back(c);
    } else if (c == 'C' || c == 'Z') {
      out.push_back(c);
    }
  }
  return out;
}

// The names of a path within its drive, "." and ".." worked out as Windows does: ".."
// at the drive's root stays there, so that no path leaves its drive's folder.
std::vector<std::string> withinDrive(const std::vector<std::string>& parts) {
  std::vector<std::string> kept;
  for (const std::string& part : parts) {
    if (part == ".") continue;
    if (part != "..")
      kept.push_back(part);
    else if (!kept.empty())
      kept.pop_back();
  }
  return kept;
}

std::string toNative(const std::string& path) {
  if (hasDrive(path))
    return resolveUnder(driveRoot(path[0]), withinDrive(components(path.substr(2))));
  if (!path.empty() && path[0] == '\\') {
    if (path.size() > 1 && path[1] == '\\') return path;  // network paths have no mapping
    return resolveUnder(driveRoot('C'), withinDrive(components(path)));
  }
  // Native paths too: GESCEN files written by Windows programs may be in any case.
  if (!path.empty() && path[0] == '/') return resolveUnder("/", components(path));
  return resolveUnder(".", components(path));
}

std::string toWindows(const std::string& nativePath) {
  std::error_code ec;
  fs::path target = fs::weakly_canonical(fs::absolute(nativePath, ec), ec);
  std::string t = target.generic_string();
  std::string best;
  char bestLetter = 0;
  for (char c : drives()) {
    std::string root = fs::weakly_canonical(driveRoot(c), ec).generic_string();
    if (root.size() > 1 && root.back() == '/') root.pop_back();
    bool inside = root == "/" || t == root || t.rfind(root + "/", 0) == 0;
    if (inside && (bestLetter == 0 || root.size() > best.size())) {
      best = root;
      bestLetter = c;
    }
  }
  if (bestLetter == 0) return nativePath;
  std::string rest =
      best == "/" ? t.substr(1) : (t.size() > best.size() ? t.substr(best.size() + 1) : "");
  std::replace(rest.begin(), rest.end(), '/', '\\');
  return std::string(1, bestLetter) + ":\\" + rest;
}

#endif

std::filesystem::path fsPath(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string fsText(const std::filesystem::path& p) {
  std::u8string u = p.u8string();
  return std::string(u.begin(), u.end());
}

std::string join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  char last = folder.back();
  if (last == '\\' || last == '/' || last == ':') return folder + name;
  return folder + (isWindowsPath(folder) ? "\\" : "/") + name;
}

}  // namespace plat
