#pragma once
// The few operating-system services the core needs: files with sharing locks, folders,
// the local date and the user's decimal separator. Everything else in the core is
// standard C++. Failures carry Windows system error codes, which the program's
// input/output messages are keyed on, on every system.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

// Windows system error codes used by the program's messages.
inline constexpr int kFileNotFound = 2;
inline constexpr int kPathNotFound = 3;
inline constexpr int kTooManyOpenFiles = 4;
inline constexpr int kAccessDenied = 5;
inline constexpr int kSharingViolation = 32;
inline constexpr int kReadPastEnd = 100;
inline constexpr int kDiskFull = 101;
// Not a regular file (a FIFO, a device...): the program reads and writes files only.
inline constexpr int kNotAFile = 222;

// A failed file operation: the Windows-style code and the file concerned.
class IoError : public std::runtime_error {
 public:
  IoError(int code, std::string path);
  int code() const { return code_; }
  const std::string& path() const { return path_; }

 private:
  int code_;
  std::string path_;
};

// The program's text for an input/output error code: "No se encuentra el archivo",
// "Disco lleno"...
std::string errorText(int code);

// How a file is shared with other handles and programs while it is open.
enum class Share {
  Any,        // no lock: plain file access (copies)
  Shared,     // others may open it too, but not exclusively
  Exclusive,  // nobody else may open it through a table engine
};

enum class Access { Read, ReadWrite };

// An open file. Move-only; closes itself when destroyed.
class File {
 public:
  File() = default;
  ~File();
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Opens an existing file. An exclusive or shared opening that conflicts with another
  // holder fails with kSharingViolation; anything but a regular file with kNotAFile.
  // A table opened to be written (ReadWrite, Shared or Exclusive) is the program's own
  // file: a link at its name (a symbolic link, or a name that shares its file with
  // another) is first replaced by a copy of what it leads to, which stays as it was; a
  // link that leads nowhere is a missing file. Reads, and a copy's source (Share::Any),
  // follow links.
  static File open(const std::string& path, Access access, Share share = Share::Any);
  // Creates a file, or empties an existing one. Refused with kSharingViolation when
  // another handle or program holds the file open through a table engine. A link at the
  // name is removed and a new file made in its place: what it leads to is never written,
  // nor created when it leads nowhere.
  static File create(const std::string& path, Share share = Share::Any);
  // The same for a file about to be written whole again: an existing one keeps its
  // bytes, to be written over and then cut where the new content ends (truncate). That
  // spares the system freeing the file's storage and taking it back at once. A link is
  // replaced as by create.
  static File rewrite(const std::string& path, Share share = Share::Any);

  bool isOpen() const { return fd_ >= 0; }
  // Reads up to n bytes at the current position; returns how many were read.
  std::size_t read(void* buffer, std::size_t n);
  // Writes up to n bytes at the current position; returns how many were written
  // (fewer only when the disk or a quota is full).
  std::size_t write(const void* buffer, std::size_t n);
  std::size_t readAt(std::uint64_t offset, void* buffer, std::size_t n);
  // Writes all n bytes at offset or throws (kDiskFull for a short write).
  void writeAt(std::uint64_t offset, const void* buffer, std::size_t n);
  std::uint64_t size() const;
  void truncate(std::uint64_t size);
  // Writes what is left of `source` here, from both files' current positions, and
  // returns the number of bytes; kDiskFull when the copy would be cut short.
  std::uint64_t copyFrom(File& source);
  void sync();
  void close();
  // Identifies the underlying file, the same for every handle on it.
  std::string identity() const;
  const std::string& path() const { return path_; }

 private:
  int fd_ = -1;
  std::string path_;
};

bool fileExists(const std::string& path);
bool folderExists(const std::string& path);
// The text a symbolic link holds, into `text`; false when `path` is no link (or the
// system has none).
bool linkText(const std::string& path, std::string& text);
// The name of the first entry of a folder that `matches` accepts; empty text when none
// does or the folder cannot be read.
std::string findEntry(const std::string& folder,
                      const std::function<bool(std::string_view name)>& matches);
// Deletes a file; returns 0 or the error code. A file that another handle or program
// holds open through a table engine is not deleted (kSharingViolation). A symbolic link
// is deleted itself, never what it leads to.
int removeFile(const std::string& path) noexcept;
// True when another program has the file in use, which makes it unsafe to replace:
// - another process has it open at all, whether or not it locks it: on Linux, a
//   descriptor of the file in any other process that this user may read (/proc, as
//   fuser finds it; Wine's server holds one for each file a Windows program keeps open,
//   whatever its share mode); on Windows, any other handle, since the file cannot then
//   be opened without sharing (under Wine, a Linux program that has the file open
//   without a lock is out of sight);
// - or anybody holds a lock on any of its bytes: classic and open-file-description
//   record locks and flock() locks on Linux, whoever holds them; byte-range locks on
//   Windows, which under Wine meet those of Linux programs.
// On Linux, this process's own descriptors do not count (its locks do), and the check
// costs one pass over /proc.
bool inUseByOther(const std::string& path) noexcept;
// Creates a folder with every missing folder above it; returns 0 or the error code.
int makeFolders(const std::string& path) noexcept;
// Puts `from` in place of `to` in one step; throws IoError.
void replaceByRename(const std::string& from, const std::string& to);
// Renames a folder that no other folder of the new name stands in the way of; throws
// IoError.
void renameFolder(const std::string& from, const std::string& to);
// Deletes a folder and everything in it; returns false when something stayed.
bool removeTree(const std::string& path) noexcept;
// The names of a folder's entries (none when it cannot be read).
std::vector<std::string> folderEntries(const std::string& path);
// Flushes a folder's entries (after renames) to disk where the system needs it.
void syncFolder(const std::string& path) noexcept;

struct LocalDate {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0;
};
// The local date and time now.
LocalDate today();

// Decimal separator of the user's number format ("," in Spain). Can be overridden for
// tests and tools with setDecimalSeparator.
char decimalSeparator();
void setDecimalSeparator(char separator);
// The separator the system's regional settings give, read once by decimalSeparator.
char userDecimalSeparator();

// Sets the heap up for a run that reads table after table: the memory the program frees
// is kept for its next allocations instead of going back to the system, and on Linux the
// heap is served from large pages where the system offers them, since every page the
// system hands out costs a fault on first touch. Called once at start-up.
void prepareHeap();

// Full path of the running program's file (native path); empty when unknown.
std::string programFile();

// Environment variable, or empty text when unset.
std::string environment(const char* name);

}  // namespace plat
