#include "dbf/DbfFile.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>

#include "dbf/EngineError.h"
#include "plat/Platform.h"
#include "plat/WinPath.h"

namespace dbf {

namespace {

constexpr std::size_t kCacheBytes = 256 * 1024;
// Appended records are written once this many bytes wait: a buffer that stays in the
// processor's cache.
constexpr std::size_t kPendingBytes = 256 * 1024;
constexpr char kEndOfFile = 0x1A;

std::mutex g_registryMutex;
std::map<std::string, std::weak_ptr<SharedFileState>> g_registry;

std::shared_ptr<SharedFileState> sharedStateFor(const std::string& identity, bool& isNew) {
  std::lock_guard<std::mutex> lock(g_registryMutex);
  auto& slot = g_registry[identity];
  auto state = slot.lock();
  isNew = !state;
  if (!state) {
    state = std::make_shared<SharedFileState>();
    slot = state;
  }
  return state;
}

[[noreturn]] void ioFailure(const plat::IoError& e, const std::string& name) {
  switch (e.code()) {
    case plat::kFileNotFound:
    case plat::kPathNotFound:
      throw EngineError("No se encuentra la tabla " + name);
    case plat::kSharingViolation:
      throw EngineError("La tabla " + name + " está en uso por otro programa");
    case plat::kAccessDenied:
      throw EngineError("Acceso denegado a la tabla " + name);
    case plat::kDiskFull:
      throw EngineError("Disco lleno al escribir la tabla " + name);
    case plat::kNotAFile:
      throw EngineError("La tabla " + name + " no es un archivo normal");
    default:
      throw EngineError(plat::errorText(e.code()) + " en la tabla " + name);
  }
}

Layout readLayout(plat::File& f, std::uint64_t size, const std::string& name) {
  std::string head(std::min<std::uint64_t>(size, kHeaderPrefix), '\0');
  f.readAt(0, head.data(), head.size());
  std::uint32_t headerLength = announcedHeaderLength(head);
  if (headerLength > head.size() && headerLength <= size) {
    head.resize(headerLength);
    f.readAt(0, head.data(), head.size());
  }
  return parseLayout(head, size, name);
}

// The tags of the table's production index, when the header announces one and it can
// be read and matches the table; a missing or damaged index never stops reading.
std::vector<MdxTag> productionTags(const std::string& nativePath, const Layout& t) {
  if (!(t.tableFlags & 0x01) || (t.dialect != Dialect::DBase4 && t.dialect != Dialect::DBase3))
    return {};
  auto tags = readMdxTags(mdxPathFor(nativePath));
  if (!tags) return {};
  for (const MdxTag& tag : *tags)
    if (t.find(tag.field) < 0) return {};
  return *tags;
}

std::string baseName(const std::string& nativePath) {
  return plat::fsText(plat::fsPath(nativePath).stem());
}

// Records really present: never past the end of the file, a half-written last record
// left out. A header that undercounts is believed only when the end-of-file mark
// follows its last record.
std::uint32_t physicalCount(plat::File& f, const Layout& t, std::uint64_t size) {
  std::uint64_t room = (size - t.headerLength) / t.recordLength;
  std::uint32_t fits = static_cast<std::uint32_t>(std::min<std::uint64_t>(room, 0xFFFFFFFFu));
  if (t.headerCount >= fits) return fits;
  std::uint32_t count = t.headerCount;
  char mark = 0;
  f.readAt(t.headerLength + static_cast<std::uint64_t>(count) * t.recordLength, &mark, 1);
  if (mark == kEndOfFile) return count;
  while (count < fits) {
    f.readAt(t.headerLength + static_cast<std::uint64_t>(count) * t.recordLength, &mark, 1);
    if (mark == kEndOfFile) break;
    ++count;
  }
  return count;
}

}  // namespace

DbfFile::DbfFile(const std::string& nativePath, const std::string& displayName, bool writable,
                 plat::Share share)
    : nativePath_(nativePath),
      displayName_(displayName),
      writable_(writable),
      writeThrough_(share != plat::Share::Exclusive) {
  try {
    file_ = plat::File::open(nativePath, writable ? plat::Access::ReadWrite : plat::Access::Read,
                             share);
    std::uint64_t size = file_.size();
    layout_ = readLayout(file_, size, displayName_);
    tags_ = productionTags(nativePath, layout_);
    bool isNew;
    shared_ = sharedStateFor(file_.identity(), isNew);
    if (isNew) shared_->count = physicalCount(file_, layout_, size);
    count_ = shared_->count;
    seenGeneration_ = shared_->generation;
  } catch (const plat::IoError& e) {
    ioFailure(e, displayName_);
  }
}

DbfFile::~DbfFile() {
  try {
    close();
  } catch (...) {
  }
}

std::uint64_t DbfFile::offsetOf(std::uint32_t recno) const {
  return layout_.headerLength + static_cast<std::uint64_t>(recno - 1) * layout_.recordLength;
}

void DbfFile::refreshIfChanged() {
  if (shared_->generation == seenGeneration_) return;
  seenGeneration_ = shared_->generation;
  count_ = shared_->count;
  cacheCount_ = 0;
  ++fills_;
}

std::uint64_t DbfFile::generation() {
  refreshIfChanged();
  return seenGeneration_;
}

std::uint32_t DbfFile::recordCount() {
  refreshIfChanged();
  return count_;
}

const char* DbfFile::fetch(std::uint32_t recno) {
  refreshIfChanged();
  const std::size_t len = layout_.recordLength;
  if (pendingCount_ > 0 && recno >= pendingFirst_)
    return pending_.data() + static_cast<std::size_t>(recno - pendingFirst_) * len;
  if (recno >= cacheFirst_ && recno < cacheFirst_ + cacheCount_)
    return cache_.data() + static_cast<std::size_t>(recno - cacheFirst_) * len;
  ++fills_;
  std::uint32_t onDisk = pendingCount_ > 0 ? pendingFirst_ - 1 : count_;
  std::uint32_t want = static_cast<std::uint32_t>(std::max<std::size_t>(1, kCacheBytes / len));
  want = std::min(want, onDisk - recno + 1);
  cache_.resize(static_cast<std::size_t>(want) * len);
  try {
    std::size_t got = file_.readAt(offsetOf(recno), cache_.data(), cache_.size());
    if (got < len) throw EngineError("Se intenta leer después del fin de la tabla " + displayName_);
    cacheFirst_ = recno;
    cacheCount_ = static_cast<std::uint32_t>(got / len);
  } catch (const plat::IoError& e) {
    ioFailure(e, displayName_);
  }
  return cache_.data();
}

const char* DbfFile::recordRun(std::uint32_t recno, std::uint32_t& count) {
  const char* rec = record(recno);
  if (pendingCount_ > 0 && recno >= pendingFirst_)
    count = pendingFirst_ + pendingCount_ - recno;
  else
    count = cacheFirst_ + cacheCount_ - recno;
  return rec;
}

std::uint32_t DbfFile::recordAt(const char* where) const {
  const std::less<const char*> before;
  const std::size_t len = layout_.recordLength;
  auto in = [&](const std::vector<char>& memory, std::uint32_t first,
                std::uint32_t count) -> std::uint32_t {
    const char* start = memory.data();
    if (count == 0 || before(where, start) || !before(where, start + count * len)) return 0;
    return first + static_cast<std::uint32_t>(static_cast<std::size_t>(where - start) / len);
  };
  if (const std::uint32_t n = in(pending_, pendingFirst_, pendingCount_)) return n;
  return in(cache_, cacheFirst_, cacheCount_);
}

void DbfFile::changed() {
  dirty_ = true;
  shared_->count = count_;
  seenGeneration_ = ++shared_->generation;
}

void DbfFile::writeStamp() {
  std::string stamp = headerStamp(count_ - pendingCount_);
  file_.writeAt(1, stamp.data(), stamp.size());
}

void DbfFile::rewrite(std::uint32_t recno, const char* data) {
  refreshIfChanged();
  const std::size_t len = layout_.recordLength;
  if (pendingCount_ > 0 && recno >= pendingFirst_) {
    std::memcpy(pending_.data() + static_cast<std::size_t>(recno - pendingFirst_) * len, data, len);
    return;
  }
  try {
    file_.writeAt(offsetOf(recno), data, len);
    if (!stampWritten_) {
      writeStamp();
      stampWritten_ = true;
    }
  } catch (const plat::IoError& e) {
    ioFailure(e, displayName_);
  }
  if (recno >= cacheFirst_ && recno < cacheFirst_ + cacheCount_)
    std::memcpy(cache_.data() + static_cast<std::size_t>(recno - cacheFirst_) * len, data, len);
  changed();
}

std::uint32_t DbfFile::append(const char* data) {
  refreshIfChanged();
  const std::size_t len = layout_.recordLength;
  if (pendingCount_ == 0) {
    pendingFirst_ = count_ + 1;
    pending_.clear();
  } else {
    pending_.pop_back();  // the end-of-file mark moves behind the new record
  }
  ++fills_;
  pending_.insert(pending_.end(), data, data + len);
  pending_.push_back(kEndOfFile);
  ++pendingCount_;
  ++count_;
  if (writeThrough_ || pending_.size() >= kPendingBytes) flushPending();
  changed();
  return count_;
}

std::uint32_t DbfFile::appendMany(const char* data, std::uint32_t count) {
  refreshIfChanged();
  flushPending();
  if (count == 0) return count_;
  const std::size_t len = layout_.recordLength;
  ++fills_;
  try {
    file_.writeAt(offsetOf(count_ + 1), data, static_cast<std::size_t>(count) * len);
    file_.writeAt(offsetOf(count_ + 1 + count), &kEndOfFile, 1);
    count_ += count;
    writeStamp();
    stampWritten_ = true;
  } catch (const plat::IoError& e) {
    ioFailure(e, displayName_);
  }
  changed();
  return count_;
}

void DbfFile::flushPending() {
  if (pendingCount_ == 0) return;
  try {
    ++fills_;
    file_.writeAt(offsetOf(pendingFirst_), pending_.data(), pending_.size());
    pendingCount_ = 0;
    writeStamp();
    stampWritten_ = true;
  } catch (const plat::IoError& e) {
    pendingCount_ = 0;
    ioFailure(e, displayName_);
  }
  pending_.clear();
}

void DbfFile::rebuildIndex() {
  if (!dirty_ || tags_.empty()) return;
  dirty_ = false;
  writeMdx(mdxPathFor(nativePath_), baseName(nativePath_), layout_, tags_, count_,
           [this](std::uint32_t r) { return record(r); });
}

void DbfFile::close() {
  if (!file_.isOpen()) return;
  try {
    flushPending();
    rebuildIndex();
    if (cutExtra_ && writable_) {
      const std::uint64_t end = offsetOf(count_ + 1) + 1;
      try {
        if (file_.size() > end) file_.truncate(end);
      } catch (const plat::IoError& e) {
        ioFailure(e, displayName_);
      }
    }
  } catch (...) {
    file_ = plat::File();
    throw;
  }
  try {
    file_.close();
  } catch (const plat::IoError& e) {
    ioFailure(e, displayName_);
  }
}

void DbfFile::empty(const std::string& nativePath, const std::string& displayName) {
  try {
    plat::File f = plat::File::open(nativePath, plat::Access::ReadWrite, plat::Share::Exclusive);
    Layout t = readLayout(f, f.size(), displayName);
    std::vector<MdxTag> tags = productionTags(nativePath, t);
    f.truncate(t.headerLength);
    f.writeAt(t.headerLength, &kEndOfFile, 1);
    std::string stamp = headerStamp(0);
    f.writeAt(1, stamp.data(), stamp.size());
    if (!tags.empty())
      writeMdxKeys(mdxPathFor(nativePath), baseName(nativePath), t, tags,
                   std::vector<std::vector<std::string>>(tags.size()));
    f.close();
  } catch (const plat::IoError& e) {
    ioFailure(e, displayName);
  }
}

std::uint32_t storedRecordCount(const std::string& nativePath, const std::string& displayName) {
  try {
    plat::File f = plat::File::open(nativePath, plat::Access::Read, plat::Share::Shared);
    const std::uint64_t size = f.size();
    return physicalCount(f, readLayout(f, size, displayName), size);
  } catch (const plat::IoError& e) {
    ioFailure(e, displayName);
  }
}

}  // namespace dbf
