// Windows side of the platform layer. Paths are the core's UTF-8 text, turned into
// UTF-16 for the wide Windows API and used as given: drive letters, backslashes, names
// that the system itself compares without regard to case. Failures keep the system's
// own error codes (GetLastError), folded onto the codes of the program's messages where
// two codes mean the same to a user.
//
// Sharing has two halves. CreateFileW share modes keep other Windows programs out, as
// the table engines of the school's programs expect. A byte-range lock on the byte the
// POSIX side locks (0x7FFFFFFE, far beyond any table's data) carries the same rule to
// Linux programs when this build runs under Wine: Wine turns a Windows program's locks
// into POSIX record locks (a shared lock into a read lock, an exclusive one into a
// write lock, both held by the wineserver process), which the Linux build's
// open-file-description locks see; and a lock the Linux build holds makes Wine refuse
// the conflicting Windows lock. Wine can only give a read lock for an exclusive lock
// on a read-only handle, so exclusive openings ask for write access, as on the POSIX
// side.
//
// A name the program writes is never written through. Windows follows a symbolic link
// when it opens a file; Wine also hides a Unix symbolic link in a drive's folder (no
// FILE_ATTRIBUTE_REPARSE_POINT, even with FILE_FLAG_OPEN_REPARSE_POINT) and deletes the
// file it leads to when asked to delete the link. What gives a link away on both is the
// path the system reports for the opened file (its target's), a link count above one
// for a hard link, and, for a link that leads nowhere, a name that CREATE_NEW finds
// taken although nothing opens. The name then gets a file of the program's own through
// a rename over it, which replaces the link itself, on Windows and under Wine alike.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "plat/Platform.h"

namespace plat {
namespace {

constexpr DWORD kLockOffset = 0x7FFFFFFE;

// The most one ReadFile or WriteFile call is given.
constexpr std::size_t kChunk = std::size_t{1} << 30;
// A file copy's buffer: a pair of system calls per block.
constexpr std::size_t kCopyBlock = 256 * 1024;

std::wstring wide(const std::string& text) {
  if (text.empty()) return std::wstring();
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string utf8(const wchar_t* text, std::size_t length) {
  if (length == 0) return std::string();
  int n =
      WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out.data(), n, nullptr, nullptr);
  return out;
}

// A file handle lives in the int that the POSIX side uses for its descriptor. Windows
// keeps handle values within 32 bits (so that 32-bit programs can share them), so the
// value survives the round trip.
HANDLE handleOf(int fd) { return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(fd)); }

// The code of a failed system call, as the program's messages know it.
int codeOf(DWORD e) {
  switch (e) {
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
      return kPathNotFound;
    case ERROR_WRITE_PROTECT:
      return kAccessDenied;
    case ERROR_LOCK_VIOLATION:
      return kSharingViolation;
    case ERROR_HANDLE_EOF:
      return kReadPastEnd;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return kDiskFull;
    case ERROR_ALREADY_EXISTS:
      return ERROR_FILE_EXISTS;
    default:
      return static_cast<int>(e);
  }
}

[[noreturn]] void fail(DWORD e, const std::string& path) { throw IoError(codeOf(e), path); }

bool diskFull(DWORD e) { return e == ERROR_DISK_FULL || e == ERROR_HANDLE_DISK_FULL; }

DWORD shareModeOf(Share share) {
  switch (share) {
    case Share::Any:
      return FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    case Share::Shared:
      return FILE_SHARE_READ | FILE_SHARE_WRITE;
    case Share::Exclusive:
      return 0;
  }
  return 0;
}

HANDLE openHandle(const std::string& path, DWORD access, DWORD shareMode, DWORD disposition) {
  return CreateFileW(wide(path).c_str(), access, shareMode, nullptr, disposition,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

OVERLAPPED at(std::uint64_t offset) {
  OVERLAPPED ov{};
  ov.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
  ov.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return ov;
}

// Locks the sharing byte without waiting; returns 0 or the system's error code.
DWORD lockByte(HANDLE h, bool exclusive) {
  OVERLAPPED ov = at(kLockOffset);
  DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
  return LockFileEx(h, flags, 0, 1, 0, &ov) ? 0 : GetLastError();
}

void unlockByte(HANDLE h) {
  OVERLAPPED ov = at(kLockOffset);
  UnlockFileEx(h, 0, 1, 0, &ov);
}

// True when another handle or program holds a lock on the sharing byte that conflicts
// with a lock of the given kind: a shared probe meets exclusive holders only, an
// exclusive probe meets any holder. The probe's own lock is released at once. An
// exclusive probe needs a handle with write access: on a read-only handle Wine takes
// it as a read lock, which a Linux program's read lock lets through.
bool lockedByOther(HANDLE h, bool exclusive) {
  DWORD e = lockByte(h, exclusive);
  if (e == 0) {
    unlockByte(h);
    return false;
  }
  return e == ERROR_LOCK_VIOLATION || e == ERROR_SHARING_VIOLATION;
}

// Takes the opening's lock; on failure closes the handle and throws.
void takeLock(HANDLE h, Share share, const std::string& path) {
  if (share == Share::Any) return;
  DWORD e = lockByte(h, share == Share::Exclusive);
  if (e != 0) {
    CloseHandle(h);
    fail(e, path);
  }
}

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// The folder of a path (with its separator at a drive's root) and the name in it.
std::pair<std::wstring, std::wstring> splitPath(const std::wstring& path) {
  const std::size_t cut = path.find_last_of(L"\\/");
  if (cut == std::wstring::npos) return {L".", path};
  const bool root = cut == 0 || (cut == 2 && path[1] == L':');
  return {path.substr(0, root ? cut + 1 : cut), path.substr(cut + 1)};
}

// The path the system gives for an open file or folder: the file a link leads to.
std::wstring finalPath(HANDLE h) {
  std::wstring out(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetFinalPathNameByHandleW(h, out.data(), static_cast<DWORD>(out.size()), 0);
    if (n == 0) return std::wstring();
    if (n < out.size()) {
      out.resize(n);
      return out;
    }
    out.resize(n);
  }
}

// Whether the file opened at `path` is not the name's own: a symbolic link (the system
// opened its target) or a name the file shares with another (a hard link).
bool leadsElsewhere(HANDLE h, const std::string& path) {
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(h, &info) && info.nNumberOfLinks > 1) return true;
  const std::wstring w = wide(path);
  // The name as its folder holds it: its long name, in its own case.
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW(w.c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindClose(find);
  HANDLE folder = CreateFileW(splitPath(w).first.c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return false;
  std::wstring own = finalPath(folder);
  CloseHandle(folder);
  const std::wstring opened = finalPath(h);
  if (own.empty() || opened.empty()) return false;
  if (!isSeparator(own.back())) own += L'\\';
  own += entry.cFileName;
  return CompareStringOrdinal(own.c_str(), -1, opened.c_str(), -1, TRUE) != CSTR_EQUAL;
}

// The same for a name not yet open; false for a name that leads nowhere.
bool nameLeadsElsewhere(const std::string& path) {
  HANDLE h = openHandle(path, FILE_READ_ATTRIBUTES,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
  if (h == INVALID_HANDLE_VALUE) return false;
  const bool elsewhere = leadsElsewhere(h, path);
  CloseHandle(h);
  return elsewhere;
}

// Puts a file of the program's own at `path` by renaming it over the name, which
// replaces a link there and leaves what it led to alone: an empty file, or a copy of
// what the name leads to (a link that leads nowhere is then a missing file).
void putOwnFile(const std::string& path, bool copyOfTarget) {
  const std::wstring w = wide(path);
  const auto [folder, name] = splitPath(w);
  std::wstring own = folder;
  if (!isSeparator(own.back())) own += L'\\';
  own += L".~tzv-" + name + L"-" + std::to_wstring(GetCurrentProcessId());
  if (copyOfTarget) {
    if (!CopyFileW(w.c_str(), own.c_str(), FALSE)) fail(GetLastError(), path);
  } else {
    HANDLE h = CreateFileW(own.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) fail(GetLastError(), path);
    CloseHandle(h);
  }
  if (!MoveFileExW(own.c_str(), w.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    const DWORD e = GetLastError();
    DeleteFileW(own.c_str());
    fail(e, path);
  }
}

// Anything but a file on a disk (a console, a pipe, a device) is refused: the program
// reads and writes files only.
void requireDiskFile(HANDLE h, const std::string& path) {
  if (GetFileType(h) != FILE_TYPE_DISK) {
    CloseHandle(h);
    throw IoError(kNotAFile, path);
  }
}

// A handle whose value does not fit the int that holds it is refused (Windows never
// hands one out, but the conversion must not be silent if it did).
int fdOf(HANDLE h, const std::string& path) {
  auto value = reinterpret_cast<std::intptr_t>(h);
  if (value < 0 || value > INT_MAX) {
    CloseHandle(h);
    throw IoError(kTooManyOpenFiles, path);
  }
  return static_cast<int>(value);
}

std::uint64_t positionOf(HANDLE h) {
  LARGE_INTEGER zero{}, now{};
  if (!SetFilePointerEx(h, zero, &now, FILE_CURRENT)) return 0;
  return static_cast<std::uint64_t>(now.QuadPart);
}

// Reads and writes at an offset move a synchronous handle's position on Windows; this
// puts it back when they end, so that read() and write() go on where they were, as
// they do after pread and pwrite.
class KeepPosition {
 public:
  explicit KeepPosition(HANDLE h) : h_(h), position_(positionOf(h)) {}
  ~KeepPosition() {
    LARGE_INTEGER to{};
    to.QuadPart = static_cast<LONGLONG>(position_);
    SetFilePointerEx(h_, to, nullptr, FILE_BEGIN);
  }
  KeepPosition(const KeepPosition&) = delete;
  KeepPosition& operator=(const KeepPosition&) = delete;

 private:
  HANDLE h_;
  std::uint64_t position_;
};

}  // namespace

File::~File() {
  if (fd_ >= 0) CloseHandle(handleOf(fd_));
}

File::File(File&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) CloseHandle(handleOf(fd_));
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
  }
  return *this;
}

File File::open(const std::string& path, Access access, Share share) {
  // A table opened to be written is the program's own file: a link at its name is first
  // replaced by a copy of what it leads to. A copy's source (Share::Any) is only read,
  // and stays as it is.
  if (access == Access::ReadWrite && share != Share::Any && nameLeadsElsewhere(path))
    putOwnFile(path, true);
  // An exclusive lock needs write access to become a write lock under Wine; a table
  // that may only be read is then opened for reading, still exclusively.
  bool wantWrite = access == Access::ReadWrite || share == Share::Exclusive;
  DWORD rights = GENERIC_READ | (wantWrite ? GENERIC_WRITE : 0);
  HANDLE h = openHandle(path, rights, shareModeOf(share), OPEN_EXISTING);
  if (h == INVALID_HANDLE_VALUE && access == Access::Read && wantWrite) {
    DWORD e = GetLastError();
    if (e == ERROR_ACCESS_DENIED || e == ERROR_WRITE_PROTECT) {
      h = openHandle(path, GENERIC_READ, shareModeOf(share), OPEN_EXISTING);
    } else {
      fail(e, path);
    }
  }
  if (h == INVALID_HANDLE_VALUE) fail(GetLastError(), path);
  requireDiskFile(h, path);
  if (share == Share::Any && lockedByOther(h, false)) {
    // A Linux program holds the file exclusively: Windows would refuse any opening.
    CloseHandle(h);
    throw IoError(kSharingViolation, path);
  }
  takeLock(h, share, path);
  File f;
  f.fd_ = fdOf(h, path);
  f.path_ = path;
  return f;
}

File File::rewrite(const std::string& path, Share share) {
  const DWORD rights = GENERIC_READ | GENERIC_WRITE;
  HANDLE h = openHandle(path, rights, shareModeOf(share), OPEN_EXISTING);
  if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND) {
    // CREATE_NEW, never OPEN_ALWAYS, which would create what a link that leads nowhere
    // names. Such a link is a name that CREATE_NEW finds taken while nothing is there.
    h = openHandle(path, rights, shareModeOf(share), CREATE_NEW);
    if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS &&
        GetFileAttributesW(wide(path).c_str()) == INVALID_FILE_ATTRIBUTES) {
      putOwnFile(path, false);
      h = openHandle(path, rights, shareModeOf(share), OPEN_EXISTING);
    }
  }
  if (h == INVALID_HANDLE_VALUE) fail(GetLastError(), path);
  requireDiskFile(h, path);
  if (lockedByOther(h, true)) {
    CloseHandle(h);
    throw IoError(kSharingViolation, path);
  }
  if (leadsElsewhere(h, path)) {
    CloseHandle(h);
    putOwnFile(path, false);
    h = openHandle(path, rights, shareModeOf(share), OPEN_EXISTING);
    if (h == INVALID_HANDLE_VALUE) fail(GetLastError(), path);
    requireDiskFile(h, path);
  }
  takeLock(h, share, path);
  File f;
  f.fd_ = fdOf(h, path);
  f.path_ = path;
  return f;
}

File File::create(const std::string& path, Share share) {
  // The file is emptied only once nobody else holds it through a table engine, so it
  // is opened as it is and cut to nothing afterwards.
  File f = rewrite(path, share);
  f.truncate(0);
  return f;
}

std::size_t File::read(void* buffer, std::size_t n) {
  std::size_t done = 0;
  while (done < n) {
    DWORD got = 0;
    DWORD want = static_cast<DWORD>(std::min(n - done, kChunk));
    if (!ReadFile(handleOf(fd_), static_cast<char*>(buffer) + done, want, &got, nullptr)) {
      DWORD e = GetLastError();
      if (e == ERROR_HANDLE_EOF) break;
      fail(e, path_);
    }
    if (got == 0) break;
    done += got;
  }
  return done;
}

std::size_t File::write(const void* buffer, std::size_t n) {
  std::size_t done = 0;
  while (done < n) {
    DWORD put = 0;
    DWORD want = static_cast<DWORD>(std::min(n - done, kChunk));
    if (!WriteFile(handleOf(fd_), static_cast<const char*>(buffer) + done, want, &put, nullptr)) {
      DWORD e = GetLastError();
      if (done > 0 && diskFull(e)) break;
      fail(e, path_);
    }
    if (put == 0) break;
    done += put;
  }
  return done;
}

std::size_t File::readAt(std::uint64_t offset, void* buffer, std::size_t n) {
  HANDLE h = handleOf(fd_);
  KeepPosition keep(h);
  std::size_t done = 0;
  while (done < n) {
    OVERLAPPED ov = at(offset + done);
    DWORD got = 0;
    DWORD want = static_cast<DWORD>(std::min(n - done, kChunk));
    if (!ReadFile(h, static_cast<char*>(buffer) + done, want, &got, &ov)) {
      DWORD e = GetLastError();
      if (e == ERROR_HANDLE_EOF) break;
      fail(e, path_);
    }
    if (got == 0) break;
    done += got;
  }
  return done;
}

void File::writeAt(std::uint64_t offset, const void* buffer, std::size_t n) {
  HANDLE h = handleOf(fd_);
  KeepPosition keep(h);
  std::size_t done = 0;
  while (done < n) {
    OVERLAPPED ov = at(offset + done);
    DWORD put = 0;
    DWORD want = static_cast<DWORD>(std::min(n - done, kChunk));
    if (!WriteFile(h, static_cast<const char*>(buffer) + done, want, &put, &ov))
      fail(GetLastError(), path_);
    if (put == 0) throw IoError(kDiskFull, path_);
    done += put;
  }
}

std::uint64_t File::size() const {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(handleOf(fd_), &size)) fail(GetLastError(), path_);
  return static_cast<std::uint64_t>(size.QuadPart);
}

void File::truncate(std::uint64_t size) {
  // Sets the end of the file without moving the handle's position, as ftruncate.
  FILE_END_OF_FILE_INFO end{};
  end.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
  if (!SetFileInformationByHandle(handleOf(fd_), FileEndOfFileInfo, &end, sizeof end))
    fail(GetLastError(), path_);
}

std::uint64_t File::copyFrom(File& source) {
  std::vector<char> buffer(kCopyBlock);
  std::uint64_t total = 0;
  for (;;) {
    const std::size_t n = source.read(buffer.data(), buffer.size());
    if (n == 0) return total;
    if (write(buffer.data(), n) != n) throw IoError(kDiskFull, path_);
    total += n;
  }
}

void File::sync() {
  if (!FlushFileBuffers(handleOf(fd_))) fail(GetLastError(), path_);
}

void File::close() {
  if (fd_ < 0) return;
  HANDLE h = handleOf(std::exchange(fd_, -1));
  if (!CloseHandle(h)) fail(GetLastError(), path_);
}

std::string File::identity() const {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handleOf(fd_), &info)) return path_;
  std::uint64_t index =
      (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  return std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(index);
}

namespace {

DWORD attributesOf(const std::string& path) { return GetFileAttributesW(wide(path).c_str()); }

}  // namespace

bool fileExists(const std::string& path) {
  DWORD a = attributesOf(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool folderExists(const std::string& path) {
  DWORD a = attributesOf(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool linkText(const std::string&, std::string&) { return false; }

std::string findEntry(const std::string& folder,
                      const std::function<bool(std::string_view name)>& matches) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(wide(folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return {};
  std::string found;
  do {
    const std::string name = utf8(data.cFileName, std::wcslen(data.cFileName));
    if (name == "." || name == "..") continue;
    if (matches(name)) {
      found = name;
      break;
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return found;
}

int removeFile(const std::string& path) noexcept {
  try {
    // Windows table engines share no deletion, so DeleteFileW refuses their files by
    // itself; the probe finds the locks of Linux programs beside Wine. A read-only file
    // can only be probed through a read-only handle.
    HANDLE h =
        openHandle(path, GENERIC_READ | GENERIC_WRITE, shareModeOf(Share::Any), OPEN_EXISTING);
    if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED)
      h = openHandle(path, GENERIC_READ, shareModeOf(Share::Any), OPEN_EXISTING);
    if (h != INVALID_HANDLE_VALUE) {
      bool held = lockedByOther(h, true);
      // Wine would delete what a symbolic link leads to: the link first becomes a file
      // of the program's own, which is then deleted.
      bool link = !held && leadsElsewhere(h, path);
      CloseHandle(h);
      if (held) return kSharingViolation;
      if (link) putOwnFile(path, false);
    } else if (GetLastError() == ERROR_SHARING_VIOLATION) {
      return kSharingViolation;
    }
    if (!DeleteFileW(wide(path).c_str())) return codeOf(GetLastError());
    return 0;
  } catch (const IoError& e) {
    return e.code();
  } catch (...) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
}

bool inUseByOther(const std::string& path) noexcept {
  try {
    // Opened without sharing: refused while any other program has the file open. The
    // exclusive lock over every byte then meets the locks of Linux programs beside Wine;
    // it needs write access to be a write lock there.
    HANDLE h = openHandle(path, GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING);
    if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED)
      h = openHandle(path, GENERIC_READ, 0, OPEN_EXISTING);
    if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
    OVERLAPPED ov = at(0);
    bool held = !LockFileEx(h, LOCKFILE_FAIL_IMMEDIATELY | LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD,
                            MAXDWORD, &ov);
    if (!held) UnlockFileEx(h, 0, MAXDWORD, MAXDWORD, &ov);
    CloseHandle(h);
    return held;
  } catch (...) {
    return false;
  }
}

int makeFolders(const std::string& path) noexcept {
  try {
    std::wstring w = wide(path);
    while (w.size() > 1 && isSeparator(w.back()) && w[w.size() - 2] != L':') w.pop_back();
    // The root is never created: a drive ("C:\"), a network share ("\\server\share\"),
    // or the current drive's root ("\").
    std::size_t start = 0;
    if (w.size() >= 2 && w[1] == L':') {
      start = 2;
    } else if (w.size() >= 2 && isSeparator(w[0]) && isSeparator(w[1])) {
      int parts = 0;
      for (start = 2; start < w.size() && parts < 2; ++start)
        if (isSeparator(w[start])) ++parts;
    }
    while (start < w.size() && isSeparator(w[start])) ++start;
    for (std::size_t i = start; i <= w.size(); ++i) {
      if (i < w.size() && !isSeparator(w[i])) continue;
      std::wstring folder = w.substr(0, i);
      if (CreateDirectoryW(folder.c_str(), nullptr)) continue;
      DWORD e = GetLastError();
      if (e != ERROR_ALREADY_EXISTS) return codeOf(e);
      DWORD a = GetFileAttributesW(folder.c_str());
      if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY))
        return i == w.size() ? ERROR_FILE_EXISTS : kPathNotFound;
    }
    return 0;
  } catch (...) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
}

void replaceByRename(const std::string& from, const std::string& to) {
  if (!MoveFileExW(wide(from).c_str(), wide(to).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    fail(GetLastError(), to);
}

void renameFolder(const std::string& from, const std::string& to) {
  if (!MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_WRITE_THROUGH))
    fail(GetLastError(), to);
}

// NTFS journals its folder entries, and MOVEFILE_WRITE_THROUGH has already waited for
// the rename: nothing is left to flush.
void syncFolder(const std::string&) noexcept {}

LocalDate today() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

// The user's decimal separator from the regional settings; a separator that is not
// one ASCII character cannot stand in the tables' text and gives way to '.'.
char userDecimalSeparator() {
  wchar_t buf[8] = {};
  int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, buf, 8);
  if (n == 2 && buf[0] > 0 && buf[0] < 0x80) return static_cast<char>(buf[0]);
  return '.';
}

std::string environment(const char* name) {
  std::wstring key = wide(name);
  DWORD n = GetEnvironmentVariableW(key.c_str(), nullptr, 0);
  if (n == 0) return std::string();
  std::wstring value(n, L'\0');
  n = GetEnvironmentVariableW(key.c_str(), value.data(), n);
  return utf8(value.data(), n);
}

// The Windows heap keeps what is freed without being asked.
void prepareHeap() {}

std::string programFile() {
  // Long paths do not fit MAX_PATH: the buffer grows until the whole path fits.
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return std::string();
    if (n < buf.size()) return utf8(buf.data(), n);
    buf.resize(buf.size() * 2);
  }
}

}  // namespace plat
