#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

namespace dbf {

// A failure of the table engine. The text is what the user sees.
class EngineError : public std::runtime_error {
 public:
  // What the failure is about: a value of one record (read or stored), a table whose
  // file is damaged or cut short, or anything else (a missing file or field...).
  enum class Kind { General, Value, Damaged };

  explicit EngineError(const std::string& text, Kind kind = Kind::General)
      : std::runtime_error(text), kind_(kind) {}

  Kind kind() const { return kind_; }
  // For a value: the bytes of the record it was met in, when known (only compared with
  // the records a handle holds, never read), and whether the text names the file and the
  // record already.
  const char* record() const { return record_; }
  bool placed() const { return placed_; }

  // A value of the record whose bytes lie at `record` (null when unknown).
  static EngineError value(const std::string& text, const char* record = nullptr) {
    EngineError e(text, Kind::Value);
    e.record_ = record;
    return e;
  }
  // The same value met in the record at `record`, unless a record is known already.
  EngineError inRecord(const char* record) const {
    EngineError e = *this;
    if (e.record_ == nullptr) e.record_ = record;
    return e;
  }
  // The same failure told with another text; `placed` once it names file and record.
  EngineError retold(const std::string& text, bool placed) const {
    EngineError e(text, kind_);
    e.record_ = record_;
    e.placed_ = placed_ || placed;
    return e;
  }

 private:
  Kind kind_;
  const char* record_ = nullptr;
  bool placed_ = false;
};

// What follows the text of an error about one record: " (file, registro n)", the file
// as the program names it and the record by its physical number, from 1.
inline std::string recordPlace(const std::string& file, std::uint32_t record) {
  return " (" + file + ", registro " + std::to_string(record) + ")";
}

}  // namespace dbf
