// POSIX side of the platform layer (Linux). Sharing locks are open-file-description
// record locks on one byte far beyond any table's data, so they never touch records;
// Wine maps Windows programs' byte-range locks onto the same kind of lock.
//
// A name the program writes is never written through: a symbolic link there, or a name
// that shares its file with another (a hard link), gives way to a file of the program's
// own. Creating opens with O_NOFOLLOW, so that O_CREAT never makes what a link that
// leads nowhere names.

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <malloc.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <utility>
#include <vector>

#include "plat/Platform.h"

namespace plat {
namespace {

constexpr off_t kLockOffset = 0x7FFFFFFE;
// Bytes asked of the system per step of a file copy.
constexpr std::size_t kCopyBlock = 256 * 1024;

int codeOfErrno(int e, const std::string& path) {
  switch (e) {
    case ENOENT: {
      // Windows tells a missing file from a missing folder on the way to it.
      std::error_code ec;
      auto parent = std::filesystem::path(path).parent_path();
      if (!parent.empty() && !std::filesystem::is_directory(parent, ec)) return kPathNotFound;
      return kFileNotFound;
    }
    case ENOTDIR:
    case ENAMETOOLONG:
      return kPathNotFound;
    case EMFILE:
    case ENFILE:
      return kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return kAccessDenied;
    case EAGAIN:
    case EBUSY:
    case ETXTBSY:
      return kSharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return kDiskFull;
    case EEXIST:
      return 80;
    case EINVAL:
      return 87;
    default:
      return 1117;  // ERROR_IO_DEVICE
  }
}

[[noreturn]] void fail(int e, const std::string& path) {
  throw IoError(codeOfErrno(e, path), path);
}

struct flock lockRegion(short type) {
  struct flock fl;
  std::memset(&fl, 0, sizeof fl);
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  fl.l_start = kLockOffset;
  fl.l_len = 1;
  return fl;
}

// True when another open file description holds a lock that conflicts with `type`.
bool lockedByOther(int fd, short type) {
  struct flock fl = lockRegion(type);
  if (fcntl(fd, F_OFD_GETLK, &fl) != 0) return false;
  return fl.l_type != F_UNLCK;
}

void takeLock(int fd, Share share, const std::string& path) {
  if (share == Share::Any) return;
  struct flock fl = lockRegion(share == Share::Exclusive ? F_WRLCK : F_RDLCK);
  if (fcntl(fd, F_OFD_SETLK, &fl) != 0) {
    int e = errno;
    ::close(fd);
    if (e == EAGAIN || e == EACCES) throw IoError(kSharingViolation, path);
    fail(e, path);
  }
}

int openFd(const std::string& path, int flags) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// Files are opened without waiting (O_NONBLOCK), and anything but a regular file is then
// refused: a FIFO or a device under a table's name would make the opening or the reads
// wait for ever, or never end.
// Returns the file's status (st_nlink 1 when unknown).
struct stat requireRegular(int fd, const std::string& path) {
  struct stat st;
  if (fstat(fd, &st) != 0) {
    std::memset(&st, 0, sizeof st);
    st.st_nlink = 1;
    return st;
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    throw IoError(S_ISDIR(st.st_mode) ? kAccessDenied : kNotAFile, path);
  }
  return st;
}

bool isSymbolicLink(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// Whether the name is a symbolic link to a file, or a name its file shares with others
// (a hard link). A link that leads nowhere leads to a missing file.
bool leadsElsewhere(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return false;
  if (S_ISLNK(st.st_mode)) return ::stat(path.c_str(), &st) == 0;
  return S_ISREG(st.st_mode) && st.st_nlink > 1;
}

// Removes a symbolic link, or a name that shares its file with others; what they lead
// to stays as it was.
void removeName(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) fail(errno, path);
}

// Puts a file of its own at `path`, holding what the name leads to now, in one rename:
// the file it led to stays as it was. A link that leads nowhere is a missing file.
void replaceByOwnCopy(const std::string& path) {
  const std::filesystem::path name(path);
  const std::string copy =
      (name.parent_path() / (".~tzv-" + name.filename().string() + "-" + std::to_string(getpid())))
          .string();
  try {
    File source = File::open(path, Access::Read);
    File target = File::create(copy);
    target.copyFrom(source);
    target.close();
  } catch (...) {
    ::unlink(copy.c_str());
    throw;
  }
  if (::rename(copy.c_str(), path.c_str()) != 0) {
    const int e = errno;
    ::unlink(copy.c_str());
    fail(e, path);
  }
}

}  // namespace

File::~File() {
  if (fd_ >= 0) ::close(fd_);
}

File::File(File&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
  }
  return *this;
}

File File::open(const std::string& path, Access access, Share share) {
  // A table opened to be written is the program's own file: a link at its name is first
  // replaced by a copy of what it leads to. A copy's source (Share::Any) is only read,
  // and stays as it is.
  if (access == Access::ReadWrite && share != Share::Any && leadsElsewhere(path))
    replaceByOwnCopy(path);
  // An exclusive lock needs write access to the file description; a table that may
  // only be read is then locked as far as read access allows.
  bool wantWrite = access == Access::ReadWrite || share == Share::Exclusive;
  int fd = openFd(path, (wantWrite ? O_RDWR : O_RDONLY) | O_NONBLOCK);
  if (fd < 0 && access == Access::Read && wantWrite && (errno == EACCES || errno == EROFS)) {
    fd = openFd(path, O_RDONLY | O_NONBLOCK);
    if (fd >= 0) share = Share::Shared;
  }
  if (fd < 0) fail(errno, path);
  requireRegular(fd, path);
  if (share == Share::Any && lockedByOther(fd, F_RDLCK)) {
    // Somebody holds the file exclusively: Windows refuses any other opening.
    ::close(fd);
    throw IoError(kSharingViolation, path);
  }
  takeLock(fd, share, path);
  File f;
  f.fd_ = fd;
  f.path_ = path;
  return f;
}

File File::rewrite(const std::string& path, Share share) {
  constexpr int kFlags = O_RDWR | O_CREAT | O_NONBLOCK | O_NOFOLLOW;
  int fd = openFd(path, kFlags);
  if (fd < 0 && errno == ELOOP && isSymbolicLink(path)) {
    removeName(path);
    fd = openFd(path, kFlags | O_EXCL);
  }
  if (fd < 0) fail(errno, path);
  const struct stat st = requireRegular(fd, path);
  if (lockedByOther(fd, F_WRLCK)) {
    ::close(fd);
    throw IoError(kSharingViolation, path);
  }
  if (st.st_nlink > 1) {
    // A hard link: the other names keep the file, this one gets a new one.
    ::close(fd);
    removeName(path);
    fd = openFd(path, kFlags | O_EXCL);
    if (fd < 0) fail(errno, path);
  }
  takeLock(fd, share, path);
  File f;
  f.fd_ = fd;
  f.path_ = path;
  return f;
}

File File::create(const std::string& path, Share share) {
  File f = rewrite(path, share);
  // Only a file that holds something is emptied: emptying a new one would make ext4 write
  // it out as soon as it is closed (as it does for files replaced by truncation), and
  // then wait for the disk when the file is deleted.
  if (f.size() > 0) f.truncate(0);
  return f;
}

std::size_t File::read(void* buffer, std::size_t n) {
  std::size_t done = 0;
  while (done < n) {
    ssize_t r = ::read(fd_, static_cast<char*>(buffer) + done, n - done);
    if (r < 0) {
      if (errno == EINTR) continue;
      fail(errno, path_);
    }
    if (r == 0) break;
    done += static_cast<std::size_t>(r);
  }
  return done;
}

std::size_t File::write(const void* buffer, std::size_t n) {
  std::size_t done = 0;
  while (done < n) {
    ssize_t w = ::write(fd_, static_cast<const char*>(buffer) + done, n - done);
    if (w < 0) {
      if (errno == EINTR) continue;
      if (done > 0 && (errno == ENOSPC || errno == EFBIG || errno == EDQUOT)) break;
      fail(errno, path_);
    }
    if (w == 0) break;
    done += static_cast<std::size_t>(w);
  }
  return done;
}

std::size_t File::readAt(std::uint64_t offset, void* buffer, std::size_t n) {
  std::size_t done = 0;
  while (done < n) {
    ssize_t r = ::pread(fd_, static_cast<char*>(buffer) + done, n - done,
                        static_cast<off_t>(offset + done));
    if (r < 0) {
      if (errno == EINTR) continue;
      fail(errno, path_);
    }
    if (r == 0) break;
    done += static_cast<std::size_t>(r);
  }
  return done;
}

void File::writeAt(std::uint64_t offset, const void* buffer, std::size_t n) {
  std::size_t done = 0;
  while (done < n) {
    ssize_t w = ::pwrite(fd_, static_cast<const char*>(buffer) + done, n - done,
                         static_cast<off_t>(offset + done));
    if (w < 0) {
      if (errno == EINTR) continue;
      fail(errno, path_);
    }
    if (w == 0) throw IoError(kDiskFull, path_);
    done += static_cast<std::size_t>(w);
  }
}

std::uint64_t File::size() const {
  struct stat st;
  if (fstat(fd_, &st) != 0) fail(errno, path_);
  return static_cast<std::uint64_t>(st.st_size);
}

void File::truncate(std::uint64_t size) {
  if (ftruncate(fd_, static_cast<off_t>(size)) != 0) fail(errno, path_);
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
  if (fsync(fd_) != 0) fail(errno, path_);
}

void File::close() {
  if (fd_ < 0) return;
  int fd = std::exchange(fd_, -1);
  if (::close(fd) != 0 && errno != EINTR) fail(errno, path_);
}

std::string File::identity() const {
  struct stat st;
  if (fstat(fd_, &st) != 0) return path_;
  return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
}

bool fileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool folderExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool linkText(const std::string& path, std::string& text) {
  char buffer[4096];
  const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer);
  if (n < 0 || static_cast<std::size_t>(n) == sizeof buffer) return false;
  text.assign(buffer, static_cast<std::size_t>(n));
  return true;
}

std::string findEntry(const std::string& folder,
                      const std::function<bool(std::string_view name)>& matches) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return {};
  std::string found;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (matches(name)) {
      found = name;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

int removeFile(const std::string& path) noexcept {
  // A symbolic link goes at once (the opening fails with ELOOP): nobody holds a link
  // open, and deleting it leaves what it leads to alone.
  int fd = openFd(path, O_RDONLY | O_NONBLOCK | O_NOFOLLOW);
  if (fd >= 0) {
    bool held = lockedByOther(fd, F_WRLCK);
    ::close(fd);
    if (held) return kSharingViolation;
  }
  if (::unlink(path.c_str()) != 0) return codeOfErrno(errno, path);
  return 0;
}

namespace {

// Whether a lock conflicts with a write lock over the whole file, from its first byte on:
// every byte a table engine locks, whether to say that it has the table open or to hold
// a record, lies in it. Classic and open-file-description locks of any process.
bool recordLockedByOther(int fd) {
  struct flock fl;
  std::memset(&fl, 0, sizeof fl);
  fl.l_type = F_WRLCK;
  fl.l_whence = SEEK_SET;
  fl.l_start = 0;
  fl.l_len = 0;
  return fcntl(fd, F_OFD_GETLK, &fl) == 0 && fl.l_type != F_UNLCK;
}

// Whether anybody holds a flock() lock on the file, shared or exclusive: this opening's
// exclusive flock is then refused (and is given back at once when it is not).
bool flockedByOther(int fd) {
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    ::flock(fd, LOCK_UN);
    return false;
  }
  return errno == EWOULDBLOCK;
}

bool isNumber(const char* name) {
  if (*name == 0) return false;
  for (; *name != 0; ++name)
    if (*name < '0' || *name > '9') return false;
  return true;
}

// Whether a descriptor of the folder /proc/<pid>/fd leads to the file (device, inode).
bool anyDescriptorLeadsTo(int fdFolder, dev_t device, ino_t inode) {
  DIR* fds = ::fdopendir(fdFolder);
  if (fds == nullptr) {
    ::close(fdFolder);
    return false;
  }
  bool found = false;
  while (const dirent* entry = ::readdir(fds)) {
    if (entry->d_name[0] == '.') continue;
    struct stat st;
    if (::fstatat(::dirfd(fds), entry->d_name, &st, 0) == 0 && st.st_ino == inode &&
        st.st_dev == device) {
      found = true;
      break;
    }
  }
  ::closedir(fds);
  return found;
}

// Whether a process other than this one has the file open, as fuser finds it: one pass
// over /proc, a descriptor whose file has the same device and inode. Wine's server keeps
// a descriptor of every file a Windows program has open. Processes whose descriptors
// this user may not read are passed over (their locks are still found).
bool openInOtherProcess(dev_t device, ino_t inode) {
  DIR* proc = ::opendir("/proc");
  if (proc == nullptr) return false;
  const std::string self = std::to_string(::getpid());
  bool found = false;
  while (const dirent* entry = ::readdir(proc)) {
    if (!isNumber(entry->d_name) || self == entry->d_name) continue;
    const std::string folder = std::string("/proc/") + entry->d_name + "/fd";
    const int fdFolder = openFd(folder, O_RDONLY | O_DIRECTORY);
    if (fdFolder < 0) continue;
    if (anyDescriptorLeadsTo(fdFolder, device, inode)) {
      found = true;
      break;
    }
  }
  ::closedir(proc);
  return found;
}

}  // namespace

bool inUseByOther(const std::string& path) noexcept {
  try {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    const int fd = openFd(path, O_RDONLY | O_NONBLOCK);
    if (fd >= 0) {
      const bool locked = recordLockedByOther(fd) || flockedByOther(fd);
      ::close(fd);
      if (locked) return true;
    }
    return openInOtherProcess(st.st_dev, st.st_ino);
  } catch (...) {
    return false;
  }
}

int makeFolders(const std::string& path) noexcept {
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  if (ec) return codeOfErrno(ec.value(), path);
  return 0;
}

void replaceByRename(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) fail(errno, to);
}

void renameFolder(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) fail(errno, to);
}

void syncFolder(const std::string& path) noexcept {
  int fd = openFd(path, O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  fsync(fd);
  ::close(fd);
}

LocalDate today() {
  time_t now = time(nullptr);
  struct tm tm;
  localtime_r(&now, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

// The decimal separator of the locale the environment names (LC_ALL, LC_NUMERIC, LANG).
char userDecimalSeparator() {
  const char* names[] = {"LC_ALL", "LC_NUMERIC", "LANG"};
  for (const char* name : names) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == 0) continue;
    locale_t loc = newlocale(LC_NUMERIC_MASK, value, static_cast<locale_t>(0));
    if (loc == static_cast<locale_t>(0)) return '.';
    const char* radix = nl_langinfo_l(RADIXCHAR, loc);
    char c = (radix != nullptr && radix[0] != 0) ? radix[0] : '.';
    freelocale(loc);
    return c;
  }
  return '.';
}

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

namespace {

// The heap grows by 16 MB at once and is served from 2 MB pages from the first 2 MB
// boundary past what was touched so far: a run then takes one page fault for each 2 MB it
// touches instead of one for each 4 KB. A 2 MB stretch with a page touched before stays
// in 4 KB pages, hence the boundary past the growth's own first block.
void growHeapInLargePages() {
  constexpr std::uintptr_t kGrowth = 16 << 20, kLargePage = 2 << 20, kProbe = 256 << 10;
  mallopt(M_TOP_PAD, kGrowth);
  const auto before = reinterpret_cast<std::uintptr_t>(sbrk(0));
  void* probe = std::malloc(kProbe);  // more than the heap has left: it grows past the probe
  const auto after = reinterpret_cast<std::uintptr_t>(sbrk(0));
  std::free(probe);
  // Only when the probe made the heap grow (it may also have come from free memory).
  if (probe == nullptr || after < before + kGrowth) return;
  const auto start = reinterpret_cast<std::uintptr_t>(probe);
  const auto from = (start + kProbe + 64 + kLargePage - 1) & ~(kLargePage - 1);
  const auto to = after & ~(kLargePage - 1);
  if (to <= from || madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE) != 0) return;
  // Never freed: it fills the heap up to the boundary, so the blocks that follow come
  // from large pages. Only its first bytes are ever touched. Volatile, or the compiler
  // drops an allocation whose address is never read.
  static void* volatile filler = nullptr;
  filler = std::malloc(from - start - 64);
}

}  // namespace

void prepareHeap() {
  // Blocks below 64 MB come from the heap, which is trimmed only past 128 MB free.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 128 << 20);
  growHeapInLargePages();
}

std::string programFile() {
  std::string ruta;
  return linkText("/proc/self/exe", ruta) ? ruta : std::string();
}

}  // namespace plat
