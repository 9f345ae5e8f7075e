#pragma once
// A table handle: one dBase table named by a folder and a file name (or by a full path
// with no folder), opened exclusively, shared or read-only, browsed in stored order or
// in the order of an index, filtered, read and written field by field by name.

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dbf/DbfLayout.h"
#include "dbf/EngineError.h"
#include "dbf/FieldValue.h"

namespace dbf {

class DbfFile;

enum class TableState { Inactive, Browse, Edit, Insert };

struct IndexDef {
  std::string name;
  std::string field;
};

class Table {
 public:
  // A handle with a name puts it, and ": ", in front of its error texts.
  explicit Table(std::string handleName = {});
  ~Table();
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  // Settings, made while the table is closed (the index also while open).
  void setDatabaseName(std::string folder);
  void setTableName(std::string name);
  void setExclusive(bool on) { exclusive_ = on; }
  void setReadOnly(bool on) { readOnly_ = on; }
  // For the runs: opening refuses a table whose file holds fewer records than its header
  // announces (a copy cut short, a last record half written) instead of reading the
  // records that are there.
  void setRefuseCutShort(bool on) { refuseCutShort_ = on; }
  void setFilter(std::string expression);
  void setFiltered(bool on);
  void setIndexName(std::string name);

  const std::string& handleName() const { return handleName_; }
  const std::string& databaseName() const { return folder_; }
  const std::string& tableName() const { return tableName_; }
  bool exclusive() const { return exclusive_; }
  bool readOnly() const { return readOnly_; }
  bool refuseCutShort() const { return refuseCutShort_; }
  const std::string& filter() const { return filterText_; }
  bool filtered() const { return filtered_; }
  const std::string& indexName() const { return indexName_; }
  // The table's file as the program names it, and where it lies on this system.
  std::string path() const;
  std::string nativePath() const;

  void open();
  // Closing discards a record being appended or edited.
  void close();
  bool active() const { return file_ != nullptr; }
  TableState state() const { return state_; }

  // Moving stores a record being appended or edited that has had a field written, and
  // drops one that has not.
  void first();
  void next();
  bool eof() const { return eof_; }
  // Goes through the visible records in the current order from the first, handing each
  // one's stored bytes to `visit` while the cursor stands on it, so that the handle's own
  // reads work as well; ends past the last record, as next() does. For long passes that
  // only read: nothing may be written to the table meanwhile.
  template <class Visit>
  void forEachRecord(Visit&& visit);
  // Runs `f`, which works out something from the current record: a value it cannot work
  // out is told with this table's file and the record, as the handle's own reads tell it.
  template <class F>
  auto atCurrentRecord(F&& f) const -> decltype(f()) {
    try {
      return f();
    } catch (const EngineError& e) {
      throw placed(e);
    }
  }
  // A value that cannot be read or stored, met in a record this handle holds (the
  // current one when the error does not say which), told with the file and the record's
  // number after its text; any other error as it is.
  EngineError placed(const EngineError& e) const;
  // Physical position (1-based) of the current record; 0 when there is none.
  std::uint32_t recNo() const;
  std::uint32_t recordCount() const;

  std::string asString(std::string_view field) const;
  std::int64_t asInteger(std::string_view field) const;
  double asFloat(std::string_view field) const;
  bool asBoolean(std::string_view field) const;
  Date asDate(std::string_view field) const;
  Value value(std::string_view field) const;

  // A field found once by name, for reads and writes in long loops; valid while the
  // table stays open.
  const Field& campo(std::string_view name) const;
  std::string asString(const Field& f) const;
  // The same text into `out`, whose storage is reused: for reads of millions of rows.
  void asString(const Field& f, std::string& out) const;
  // The bytes the current record stores for a field, as they lie in the file; empty when
  // there is no current record. Valid until the cursor moves or the record is written.
  std::string_view storedBytes(const Field& f) const;
  std::int64_t asInteger(const Field& f) const;
  double asFloat(const Field& f) const;
  Date asDate(const Field& f) const;

  void append();
  // Stores whole records, one after the other, written at once: records made by the
  // field writers for a layout whose records are this table's (sameRecords). The cursor
  // ends on the last one, as after posting it.
  void appendRecords(std::string_view records);
  void edit();
  void post();
  void cancel();
  void setString(std::string_view field, std::string_view v);
  void setInteger(std::string_view field, std::int64_t v);
  void setFloat(std::string_view field, double v);
  void setBoolean(std::string_view field, bool v);
  void setString(const Field& f, std::string_view v);
  // The bytes that setString would store for `text` in the plain character field `f`:
  // a text written into many records is encoded once, then copied with setStored into
  // that field or any other plain character field of its width.
  std::string storedText(const Field& f, std::string_view text) const;
  void setStored(const Field& f, std::string_view bytes) {
    if ((state_ == TableState::Edit || state_ == TableState::Insert) && plainCharacter(f) &&
        bytes.size() == static_cast<std::size_t>(f.length)) {
      std::memcpy(buffer_.data() + f.offset, bytes.data(), bytes.size());
      modified_ = true;
      return;
    }
    refuseStored(f);
  }
  void setInteger(const Field& f, std::int64_t v);
  void setFloat(const Field& f, double v);
  void setBoolean(const Field& f, bool v);

  // Moves to the first record, in index order, whose index field equals `key`; when
  // there is none, stays where it was and returns false.
  bool findKey(std::string_view key);

  // Creating a table (replacing one of that name) from field and index definitions.
  std::vector<FieldDef>& fieldDefs() { return fieldDefs_; }
  std::vector<IndexDef>& indexDefs() { return indexDefs_; }
  void createTable();
  // The same for a table about to be opened, written whole and closed: a file already
  // there keeps its storage, which the new records are written over; whatever of it lies
  // beyond them is cut off when the table is closed (or when this handle goes, should
  // it never be opened).
  void rewriteTable();
  // Removes all records of the closed table, keeping its file, fields and indexes.
  void emptyTable();

  // Structure of the open table.
  const Layout& layout() const;

 private:
  struct IndexEntry {
    std::string text;   // character keys: stored bytes without trailing blanks
    double number = 0;  // other keys
    std::uint32_t recno = 0;
  };

  // Records that lie one after the other in memory, from `first` on.
  struct RecordRun {
    const char* bytes = nullptr;
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    std::size_t length = 0;
    // The file's counters of fillings of its memory and of writes by any handle, and
    // their values when the run was handed out: while both stay, the run is there.
    const std::uint64_t* fills = nullptr;
    const std::uint64_t* writes = nullptr;
    std::uint64_t fill = 0, write = 0;
  };

  template <class F>
  auto guarded(F&& f) const -> decltype(f());
  static bool plainCharacter(const Field& f) { return f.type == 'C' && f.nullBit < 0; }
  [[noreturn]] void refuseStored(const Field& f) const;
  // Moves to the first record; false when an index orders the table. `last` is the
  // number of the table's last record.
  bool startStoredScan(std::uint32_t& last);
  // The run of records from `recno` on, up to `last`; false past it.
  bool recordRun(std::uint32_t recno, std::uint32_t last, RecordRun& run) const;
  static bool runStillThere(const RecordRun& run) {
    return *run.fills == run.fill && *run.writes == run.write;
  }
  bool passesFilter(const char* rec) const;
  void createFile(bool keepStorage);
  // Cuts a file left by rewriteTable and never opened where its new content ends.
  void cutRewritten();
  [[noreturn]] void fail(const std::string& text) const;
  // The number of the record whose bytes lie at `where`, among those this handle holds;
  // the current record for null; 0 for bytes it does not hold.
  std::uint32_t recordAt(const char* where) const;
  void requireActive() const;
  void requireEditing() const;
  const Field& field(std::string_view name) const;
  const char* currentRecord() const;
  bool visible(std::uint32_t recno) const;
  bool visibleRecord(const char* rec) const {
    return rec[0] != '*' && (filterField_ < 0 || passesFilter(rec));
  }
  void settle();
  void storeRecord();
  void setValue(std::string_view field, const Value& v);
  void setValue(const Field& f, const Value& v);

  void parseFilter();
  void buildOrder();
  void refreshOrder();
  IndexEntry keyOf(int fieldIndex, std::uint32_t recno, const char* record) const;
  bool keyLess(const IndexEntry& a, const IndexEntry& b) const;
  void placeInOrder(std::uint32_t recno, const char* record);
  void removeFromOrder(std::uint32_t recno);
  std::size_t orderPosition(std::uint32_t recno) const;

  std::string handleName_;
  std::string folder_;
  std::string tableName_;
  bool exclusive_ = false;
  bool readOnly_ = false;
  bool refuseCutShort_ = false;
  std::string filterText_;
  bool filtered_ = false;
  std::string indexName_;
  std::vector<FieldDef> fieldDefs_;
  std::vector<IndexDef> indexDefs_;

  std::unique_ptr<DbfFile> file_;
  std::vector<std::string> upperNames_;                      // per field, empty for hidden ones
  std::unordered_map<std::string, std::size_t> fieldIndex_;  // by upper-case name
  mutable std::size_t nameHint_ = 0;  // the field expected next: reads tend to follow field order
  std::vector<char> blank_;           // a new, empty record
  TableState state_ = TableState::Inactive;
  std::vector<char> buffer_;
  bool modified_ = false;
  std::uint32_t cur_ = 0;
  bool eof_ = true;

  int filterField_ = -1;
  std::string filterValue_;

  int indexField_ = -1;
  std::vector<IndexEntry> order_;
  std::size_t pos_ = 0;
  std::uint64_t orderGeneration_ = 0;
  // After rewriteTable, until the table is opened: the file and where its new content
  // ends.
  std::string rewritten_;
  std::uint64_t rewrittenEnd_ = 0;
};

template <class Visit>
void Table::forEachRecord(Visit&& visit) {
  std::uint32_t last = 0;
  if (!startStoredScan(last)) {
    for (; !eof_; next()) atCurrentRecord([&] { visit(currentRecord()); });
    return;
  }
  // Stored order: straight through the file's memory, a run of records at a time. The
  // visitor's own errors pass as they are; only the engine's get this handle's name,
  // and a value that cannot be read names the record it lies in.
  RecordRun run;
  try {
    for (std::uint32_t r = cur_; !eof_ && recordRun(r, last, run);) {
      const char* rec = run.bytes;
      const std::uint32_t end = run.first + run.count;
      for (r = run.first; r < end; ++r, rec += run.length) {
        if (!visibleRecord(rec)) continue;
        cur_ = r;
        visit(rec);
        // A visitor that made the handle read elsewhere in the file moved its memory.
        if (!runStillThere(run)) {
          ++r;
          break;
        }
      }
    }
  } catch (const EngineError& e) {
    throw placed(e);
  }
  eof_ = true;  // stays on the last record, as next() leaves it
}

// A field found by name the first time it is used, then kept: long loops look fields up
// once, and a missing field still raises its error only when the loop reaches it.
class LazyField {
 public:
  LazyField(const Table& table, std::string name) : table_(table), name_(std::move(name)) {}
  const Field& operator*() const {
    if (field_ == nullptr) field_ = &table_.campo(name_);
    return *field_;
  }

 private:
  const Table& table_;
  std::string name_;
  mutable const Field* field_ = nullptr;
};

// The records of the table at `path` (a table name as setTableName takes it), deleted
// ones left out; the table is opened read-only for it.
std::uint32_t countRecords(const std::string& path);
// The records of the table at `path`, deleted ones included, from its header alone: the
// count for a table that is written whole and never has a record deleted.
std::uint32_t storedRecordCount(const std::string& path);

}  // namespace dbf
