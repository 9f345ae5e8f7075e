#pragma once
// The records of one open dBase file, for one table handle. Reads go through a block
// cache; records appended through an exclusive handle are written in batches (nobody
// else can see the file meanwhile), while a shared handle writes every stored record
// at once. After every write the header's count and date match the records written
// and the file ends with the end-of-file mark. Handles of this process that share a
// file see each other's stored records the next time they read them.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dbf/DbfLayout.h"
#include "dbf/Mdx.h"
#include "plat/Platform.h"

namespace dbf {

// What every handle of this process on one file shares: the number of records and a
// counter of writes, so that a handle knows when its cache is stale.
struct SharedFileState {
  std::uint32_t count = 0;
  std::uint64_t generation = 0;
};

class DbfFile {
 public:
  // Opens an existing table. `displayName` names it in messages.
  DbfFile(const std::string& nativePath, const std::string& displayName, bool writable,
          plat::Share share);
  ~DbfFile();
  DbfFile(const DbfFile&) = delete;
  DbfFile& operator=(const DbfFile&) = delete;

  const Layout& layout() const { return layout_; }
  // Tags of the table's production index, when its header announces one that can be
  // read; empty otherwise.
  const std::vector<MdxTag>& tags() const { return tags_; }
  const std::string& displayName() const { return displayName_; }
  bool writable() const { return writable_; }

  // Changes whenever a handle of this process stores a record in the file.
  std::uint64_t generation();
  // Records in the file, deleted ones included.
  std::uint32_t recordCount();
  // The bytes of record `recno` (1-based); valid until the next call on this object.
  const char* record(std::uint32_t recno) {
    if (recno >= cacheFirst_ && recno < cacheFirst_ + cacheCount_ && pendingCount_ == 0 &&
        upToDate())
      return cache_.data() + static_cast<std::size_t>(recno - cacheFirst_) * layout_.recordLength;
    return fetch(recno);
  }
  // The same, with how many records lie one after the other in memory from there
  // (at least one): valid while fills() stays the same.
  const char* recordRun(std::uint32_t recno, std::uint32_t& count);
  // The number of the record whose bytes lie at `where` in this object's memory; 0 when
  // they lie elsewhere.
  std::uint32_t recordAt(const char* where) const;
  // Changes whenever the memory that records are handed out from may have moved.
  const std::uint64_t& fills() const { return fills_; }
  // Changes whenever any handle of this process writes the file: what this one holds in
  // memory may then be stale.
  const std::uint64_t& writes() const { return shared_->generation; }
  void rewrite(std::uint32_t recno, const char* data);
  // Stores a new record at the end; returns its number.
  std::uint32_t append(const char* data);
  // Stores `count` records lying one after the other at the end, written at once;
  // returns the number of the last one.
  std::uint32_t appendMany(const char* data, std::uint32_t count);
  // Writes what is pending and closes the file.
  void close();
  // The file was written over from its start: at close, whatever lies beyond the
  // end-of-file mark is cut off.
  void cutExtraOnClose() { cutExtra_ = true; }

  // Removes every record of a closed table, keeping its header and fields.
  static void empty(const std::string& nativePath, const std::string& displayName);

 private:
  bool upToDate() const { return shared_->generation == seenGeneration_; }
  const char* fetch(std::uint32_t recno);
  void refreshIfChanged();
  void flushPending();
  void writeStamp();
  void changed();
  std::uint64_t offsetOf(std::uint32_t recno) const;
  void rebuildIndex();

  plat::File file_;
  std::string nativePath_;
  std::string displayName_;
  std::vector<MdxTag> tags_;
  bool dirty_ = false;
  Layout layout_;
  bool writable_;
  bool writeThrough_;
  std::shared_ptr<SharedFileState> shared_;
  std::uint64_t seenGeneration_ = 0;
  std::uint32_t count_ = 0;  // records stored (written or pending)

  std::uint64_t fills_ = 0;
  std::vector<char> cache_;  // records [cacheFirst_, cacheFirst_ + cacheCount_)
  std::uint32_t cacheFirst_ = 0;
  std::uint32_t cacheCount_ = 0;

  std::vector<char> pending_;  // appended records not yet written, then the EOF mark
  std::uint32_t pendingFirst_ = 0;
  std::uint32_t pendingCount_ = 0;
  bool stampWritten_ = false;
  bool cutExtra_ = false;
};

// The records the table's file holds, deleted ones included, as an open would count
// them: read from its header alone.
std::uint32_t storedRecordCount(const std::string& nativePath, const std::string& displayName);

}  // namespace dbf
