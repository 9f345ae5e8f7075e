#include "dbf/Table.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <utility>

#include "dbf/DbfFile.h"
#include "plat/Platform.h"
#include "plat/WinPath.h"

namespace dbf {
namespace {

constexpr const char* kNotEditing = "La fuente de datos no está en modo de edición o inserción";

std::string upperName(std::string_view s) {
  std::string u(s);
  for (char& c : u)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return u;
}

// A table file opened to be written over. A file that cannot be written in place (one
// marked read-only) is replaced, as creating the table would replace it.
plat::File rewriteFile(const std::string& native) {
  try {
    return plat::File::rewrite(native, plat::Share::Exclusive);
  } catch (const plat::IoError& e) {
    if (e.code() != plat::kAccessDenied || plat::removeFile(native) != 0) throw;
  }
  return plat::File::create(native, plat::Share::Exclusive);
}

bool hasExtension(const std::string& name) {
  auto slash = name.find_last_of("\\/:");
  auto dot = name.find_last_of('.');
  return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

std::string_view rtrim(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
  return s;
}

// Zero bytes in a text field read as blanks: filters and index keys compare the stored
// bytes as the field reader takes them.
char asRead(char stored) { return stored == '\0' ? ' ' : stored; }

std::string keyText(std::string_view stored) {
  std::string text(rtrim(stored));
  std::transform(text.begin(), text.end(), text.begin(), asRead);
  return text;
}

// Whether a field's stored bytes read as `text` (encoded, without blanks at the end).
bool readsAs(std::string_view stored, std::string_view text) {
  stored = rtrim(stored);
  return stored.size() == text.size() && std::equal(stored.begin(), stored.end(), text.begin(),
                                                    [](char s, char t) { return asRead(s) == t; });
}

bool isCharacterKey(char type) { return type == 'C' || type == 'V' || type == 'D'; }

}  // namespace

Table::Table(std::string handleName) : handleName_(std::move(handleName)) {}

Table::~Table() {
  try {
    close();
  } catch (...) {
  }
}

template <class F>
auto Table::guarded(F&& f) const -> decltype(f()) {
  try {
    return f();
  } catch (const EngineError& e) {
    const EngineError told = placed(e);
    if (handleName_.empty()) throw told;
    throw told.retold(handleName_ + ": " + told.what(), false);
  }
}

EngineError Table::placed(const EngineError& e) const {
  if (e.kind() != EngineError::Kind::Value || e.placed() || !active()) return e;
  const std::uint32_t recno = recordAt(e.record());
  if (recno == 0) return e;
  return e.retold(e.what() + recordPlace(path(), recno), true);
}

std::uint32_t Table::recordAt(const char* where) const {
  const std::less<const char*> before;
  const bool inBuffer = where != nullptr && !buffer_.empty() && !before(where, buffer_.data()) &&
                        before(where, buffer_.data() + buffer_.size());
  // The record being appended takes the number after the last one.
  if (where == nullptr || inBuffer)
    return state_ == TableState::Insert ? file_->recordCount() + 1 : cur_;
  return file_->recordAt(where);
}

void Table::fail(const std::string& text) const { throw EngineError(text); }

void Table::setDatabaseName(std::string folder) { folder_ = std::move(folder); }
void Table::setTableName(std::string name) { tableName_ = std::move(name); }

void Table::setFilter(std::string expression) {
  guarded([&] {
    filterText_ = std::move(expression);
    if (active()) {
      parseFilter();
      first();
    }
  });
}

void Table::setFiltered(bool on) {
  guarded([&] {
    filtered_ = on;
    if (active()) {
      parseFilter();
      first();
    }
  });
}

void Table::setIndexName(std::string name) {
  guarded([&] {
    indexName_ = std::move(name);
    if (active()) {
      settle();
      std::uint32_t keep = cur_;
      try {
        buildOrder();
      } catch (const EngineError&) {
        indexName_.clear();  // the table stays in stored order
        throw;
      }
      if (indexField_ >= 0 && keep != 0) pos_ = orderPosition(keep);
    }
  });
}

std::string Table::path() const {
  std::string name = tableName_;
  if (!hasExtension(name)) name += ".DBF";
  return plat::join(folder_, name);
}

std::string Table::nativePath() const { return plat::toNative(path()); }

void Table::open() {
  guarded([&] {
    if (active()) return;
    plat::Share share = exclusive_ ? plat::Share::Exclusive : plat::Share::Shared;
    const std::string native = nativePath();
    if (!rewritten_.empty() && (rewritten_ != native || readOnly_)) cutRewritten();
    file_ = std::make_unique<DbfFile>(native, path(), !readOnly_, share);
    if (!rewritten_.empty()) {
      // Written whole now: what the old file held beyond the new records goes at close.
      file_->cutExtraOnClose();
      rewritten_.clear();
    }
    try {
      const Layout& t = file_->layout();
      if (refuseCutShort_ && t.headerCount > file_->recordCount())
        throw EngineError("El archivo " + path() + " está incompleto: su cabecera anuncia " +
                              std::to_string(t.headerCount) + " registros y solo contiene " +
                              std::to_string(file_->recordCount()),
                          EngineError::Kind::Damaged);
      upperNames_.clear();
      fieldIndex_.clear();
      for (std::size_t i = 0; i < t.fields.size(); ++i) {
        // A name held by two fields always means the first of them.
        std::string upper = t.fields[i].system ? std::string() : upperName(t.fields[i].name);
        if (!upper.empty() && !fieldIndex_.emplace(upper, i).second) upper.clear();
        upperNames_.push_back(std::move(upper));
      }
      nameHint_ = 0;
      blank_.assign(t.recordLength, ' ');
      blankRecord(t, blank_.data());
      state_ = TableState::Browse;
      parseFilter();
      buildOrder();
      first();
    } catch (...) {
      file_.reset();
      state_ = TableState::Inactive;
      throw;
    }
  });
}

void Table::cutRewritten() {
  if (rewritten_.empty()) return;
  const std::string native = std::exchange(rewritten_, {});
  try {
    plat::File f = plat::File::open(native, plat::Access::ReadWrite, plat::Share::Exclusive);
    if (f.size() > rewrittenEnd_) f.truncate(rewrittenEnd_);
    f.close();
  } catch (const plat::IoError& e) {
    fail("No se puede cerrar la tabla " + path() + " (" + plat::errorText(e.code()) + ")");
  }
}

void Table::close() {
  guarded([&] {
    cutRewritten();
    if (!active()) return;
    state_ = TableState::Inactive;
    buffer_.clear();
    order_.clear();
    cur_ = 0;
    eof_ = true;
    std::unique_ptr<DbfFile> f = std::move(file_);
    f->close();
  });
}

const Layout& Table::layout() const {
  guarded([&] { requireActive(); });
  return file_->layout();
}

void Table::requireActive() const {
  if (!active()) fail("No se puede realizar esta operación con la tabla cerrada " + path());
}

void Table::requireEditing() const {
  if (state_ != TableState::Edit && state_ != TableState::Insert) fail(kNotEditing);
}

namespace {

bool sameUpper(const std::string& upper, std::string_view name) {
  if (upper.size() != name.size()) return false;
  if (std::memcmp(upper.data(), name.data(), name.size()) == 0) return true;
  for (std::size_t j = 0; j < name.size(); ++j) {
    char c = name[j];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    if (c != upper[j]) return false;
  }
  return true;
}

}  // namespace

const Field& Table::field(std::string_view name) const {
  if (nameHint_ < upperNames_.size() && !name.empty() && sameUpper(upperNames_[nameHint_], name))
    return file_->layout().fields[nameHint_++];
  auto it = fieldIndex_.find(upperName(name));
  if (it == fieldIndex_.end())
    fail("No se encuentra el campo '" + std::string(name) + "' (" + path() + ")");
  nameHint_ = it->second + 1;
  return file_->layout().fields[it->second];
}

std::uint32_t Table::recordCount() const {
  return guarded([&] {
    requireActive();
    return file_->recordCount();
  });
}

// --- filter -----------------------------------------------------------------------

// The filter form the program uses: Field= 'value', quotes inside the value doubled.
void Table::parseFilter() {
  filterField_ = -1;
  filterValue_.clear();
  if (!filtered_ || filterText_.empty()) return;
  std::string_view s = filterText_;
  auto bad = [&] { fail("Expresión de filtro no válida: " + filterText_); };
  std::size_t eq = s.find('=');
  if (eq == std::string_view::npos) bad();
  std::string_view name = s.substr(0, eq);
  while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  std::string_view rest = s.substr(eq + 1);
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
  if (name.empty() || rest.size() < 2 || rest.front() != '\'' || rest.back() != '\'') bad();
  std::string value;
  std::string_view body = rest.substr(1, rest.size() - 2);
  for (std::size_t i = 0; i < body.size(); ++i) {
    if (body[i] == '\'') {
      if (i + 1 >= body.size() || body[i + 1] != '\'') bad();
      ++i;
    }
    value += body[i];
  }
  const Field& f = field(name);
  filterField_ = static_cast<int>(&f - file_->layout().fields.data());
  filterValue_ = std::string(rtrim(encode(file_->layout().codePage, value)));
}

bool Table::visible(std::uint32_t recno) const { return visibleRecord(file_->record(recno)); }

bool Table::passesFilter(const char* rec) const {
  const Field& f = file_->layout().fields[static_cast<std::size_t>(filterField_)];
  return readsAs(fieldBytes(rec, f), filterValue_);
}

// --- ordering index ---------------------------------------------------------------

Table::IndexEntry Table::keyOf(int fieldIndex, std::uint32_t recno, const char* record) const {
  const Layout& t = file_->layout();
  const Field& f = t.fields[static_cast<std::size_t>(fieldIndex)];
  IndexEntry e;
  e.recno = recno;
  if (isCharacterKey(f.type)) {
    e.text = keyText(fieldBytes(record, f));
  } else {
    e.number = floatOf(readValue(t, f, record), f.name);
  }
  return e;
}

bool Table::keyLess(const IndexEntry& a, const IndexEntry& b) const {
  if (a.text != b.text) {
    return std::lexicographical_compare(
        a.text.begin(), a.text.end(), b.text.begin(), b.text.end(), [](char x, char y) {
          return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
  }
  if (a.number != b.number) return a.number < b.number;
  return a.recno < b.recno;
}

void Table::buildOrder() {
  order_.clear();
  indexField_ = -1;
  pos_ = 0;
  if (indexName_.empty()) return;
  // A table with a production index orders by its tags; without one, an index is taken
  // to order by the field that bears its name, as every index the program defines does.
  std::string field = indexName_;
  if (!file_->tags().empty()) {
    field.clear();
    for (const MdxTag& tag : file_->tags())
      if (upperName(tag.name) == upperName(indexName_)) field = tag.field;
  }
  int idx = field.empty() ? -1 : file_->layout().find(field);
  if (idx < 0) fail("No se encuentra el índice '" + indexName_ + "'");
  // Built aside, so that a key that cannot be read leaves the table in stored order.
  std::uint32_t n = file_->recordCount();
  std::vector<IndexEntry> order;
  order.reserve(n);
  for (std::uint32_t r = 1; r <= n; ++r) order.push_back(keyOf(idx, r, file_->record(r)));
  std::sort(order.begin(), order.end(),
            [this](const IndexEntry& a, const IndexEntry& b) { return keyLess(a, b); });
  order_ = std::move(order);
  indexField_ = idx;
  orderGeneration_ = file_->generation();
}

// Another handle of this process stored records: the order is built again.
void Table::refreshOrder() {
  if (indexField_ < 0 || orderGeneration_ == file_->generation()) return;
  std::uint32_t keep = state_ == TableState::Browse ? cur_ : 0;
  buildOrder();
  if (keep != 0) pos_ = orderPosition(keep);
}

std::size_t Table::orderPosition(std::uint32_t recno) const {
  for (std::size_t i = 0; i < order_.size(); ++i)
    if (order_[i].recno == recno) return i;
  return 0;
}

void Table::placeInOrder(std::uint32_t recno, const char* record) {
  IndexEntry e = keyOf(indexField_, recno, record);
  auto at =
      std::lower_bound(order_.begin(), order_.end(), e,
                       [this](const IndexEntry& a, const IndexEntry& b) { return keyLess(a, b); });
  pos_ = static_cast<std::size_t>(at - order_.begin());
  order_.insert(at, std::move(e));
}

void Table::removeFromOrder(std::uint32_t recno) {
  order_.erase(order_.begin() + static_cast<std::ptrdiff_t>(orderPosition(recno)));
}

// --- navigation -------------------------------------------------------------------

void Table::settle() {
  if (state_ != TableState::Edit && state_ != TableState::Insert) return;
  if (modified_) {
    storeRecord();
  } else {
    state_ = TableState::Browse;
    buffer_.clear();
  }
}

void Table::first() {
  guarded([&] {
    requireActive();
    settle();
    refreshOrder();
    eof_ = true;
    if (indexField_ >= 0) {
      for (std::size_t i = 0; i < order_.size(); ++i) {
        if (visible(order_[i].recno)) {
          pos_ = i;
          cur_ = order_[i].recno;
          eof_ = false;
          return;
        }
      }
    } else {
      std::uint32_t n = file_->recordCount();
      for (std::uint32_t r = 1; r <= n; ++r) {
        if (visible(r)) {
          cur_ = r;
          eof_ = false;
          return;
        }
      }
    }
    cur_ = 0;
  });
}

void Table::next() {
  guarded([&] {
    requireActive();
    settle();
    refreshOrder();
    if (eof_ || cur_ == 0) {
      eof_ = true;
      return;
    }
    if (indexField_ >= 0) {
      for (std::size_t i = pos_ + 1; i < order_.size(); ++i) {
        if (visible(order_[i].recno)) {
          pos_ = i;
          cur_ = order_[i].recno;
          return;
        }
      }
    } else {
      std::uint32_t n = file_->recordCount();
      for (std::uint32_t r = cur_ + 1; r <= n; ++r) {
        if (visible(r)) {
          cur_ = r;
          return;
        }
      }
    }
    eof_ = true;  // stays on the last record
  });
}

bool Table::startStoredScan(std::uint32_t& last) {
  first();
  last = active() ? recordCount() : 0;
  return indexField_ < 0;
}

bool Table::recordRun(std::uint32_t recno, std::uint32_t last, RecordRun& run) const {
  return guarded([&] {
    if (recno == 0 || recno > last) return false;
    run.bytes = file_->recordRun(recno, run.count);
    run.count = std::min(run.count, last - recno + 1);
    run.first = recno;
    run.length = file_->layout().recordLength;
    run.fills = &file_->fills();
    run.fill = *run.fills;
    run.writes = &file_->writes();
    run.write = *run.writes;
    return true;
  });
}

std::uint32_t Table::recNo() const {
  if (!active() || state_ == TableState::Insert) return 0;
  return cur_;
}

bool Table::findKey(std::string_view key) {
  return guarded([&] {
    requireActive();
    settle();
    if (indexField_ < 0) fail("No hay ningún índice seleccionado en la tabla " + path());
    refreshOrder();
    const Layout& t = file_->layout();
    const Field& f = t.fields[static_cast<std::size_t>(indexField_)];
    IndexEntry probe;
    if (isCharacterKey(f.type)) {
      probe.text = std::string(rtrim(encode(t.codePage, key)));
    } else {
      double d;
      if (!parseDecimal(key, d)) return false;
      probe.number = d;
    }
    auto at = std::lower_bound(
        order_.begin(), order_.end(), probe,
        [this](const IndexEntry& a, const IndexEntry& b) { return keyLess(a, b); });
    for (; at != order_.end() && at->text == probe.text && at->number == probe.number; ++at) {
      if (visible(at->recno)) {
        pos_ = static_cast<std::size_t>(at - order_.begin());
        cur_ = at->recno;
        eof_ = false;
        return true;
      }
    }
    return false;
  });
}

// --- reading ----------------------------------------------------------------------

const char* Table::currentRecord() const {
  if (state_ == TableState::Edit || state_ == TableState::Insert) return buffer_.data();
  if (cur_ == 0) return nullptr;
  return file_->record(cur_);
}

Value Table::value(std::string_view name) const {
  return guarded([&] {
    requireActive();
    const Field& f = field(name);
    const char* rec = currentRecord();
    return rec != nullptr ? readValue(file_->layout(), f, rec) : Value{};
  });
}

const Field& Table::campo(std::string_view name) const {
  return guarded([&]() -> const Field& {
    requireActive();
    return field(name);
  });
}

std::string Table::asString(std::string_view name) const { return asString(campo(name)); }

std::string Table::asString(const Field& f) const {
  return guarded([&] {
    requireActive();
    const char* rec = currentRecord();
    if (rec == nullptr) return std::string();
    return readText(file_->layout(), f, rec);
  });
}

void Table::asString(const Field& f, std::string& out) const {
  guarded([&] {
    requireActive();
    const char* rec = currentRecord();
    out.clear();
    if (rec != nullptr) readText(file_->layout(), f, rec, out);
  });
}

std::string_view Table::storedBytes(const Field& f) const {
  return guarded([&] {
    requireActive();
    const char* rec = currentRecord();
    if (rec == nullptr) return std::string_view();
    return std::string_view(rec + f.offset, static_cast<std::size_t>(f.length));
  });
}

std::int64_t Table::asInteger(std::string_view name) const { return asInteger(campo(name)); }

std::int64_t Table::asInteger(const Field& f) const {
  return guarded([&] {
    requireActive();
    const char* rec = currentRecord();
    if (rec == nullptr) return std::int64_t{0};
    std::int64_t fast;
    if (readIntegerFast(f, rec, fast)) return fast;
    return integerOf(readValue(file_->layout(), f, rec), f.name);
  });
}

double Table::asFloat(std::string_view name) const { return asFloat(campo(name)); }

double Table::asFloat(const Field& f) const {
  return guarded([&] {
    requireActive();
    const char* rec = currentRecord();
    if (rec == nullptr) return 0.0;
    double fast;
    if (readFloatFast(f, rec, fast)) return fast;
    return floatOf(readValue(file_->layout(), f, rec), f.name);
  });
}

bool Table::asBoolean(std::string_view name) const {
  return guarded([&] {
    requireActive();
    const Field& f = field(name);
    const char* rec = currentRecord();
    if (rec == nullptr) return false;
    if (f.type == 'L' && f.nullBit < 0) {
      const char c = rec[f.offset];
      if (c == 'T' || c == 't' || c == 'Y' || c == 'y' || c == 'S' || c == 's') return true;
      if (c == 'F' || c == 'f' || c == 'N' || c == 'n' || c == ' ' || c == '?') return false;
    }
    return booleanOf(readValue(file_->layout(), f, rec));
  });
}

Date Table::asDate(std::string_view name) const { return asDate(campo(name)); }

Date Table::asDate(const Field& f) const {
  return guarded([&] {
    requireActive();
    const char* rec = currentRecord();
    return rec != nullptr ? dateOf(readValue(file_->layout(), f, rec), f.name) : Date{};
  });
}

// --- writing ----------------------------------------------------------------------

void Table::append() {
  guarded([&] {
    requireActive();
    if (readOnly_) fail("La tabla " + path() + " es de solo lectura");
    settle();
    buffer_.assign(blank_.begin(), blank_.end());
    modified_ = false;
    state_ = TableState::Insert;
  });
}

void Table::appendRecords(std::string_view records) {
  guarded([&] {
    requireActive();
    if (readOnly_) fail("La tabla " + path() + " es de solo lectura");
    settle();
    const std::size_t len = file_->layout().recordLength;
    if (records.size() % len != 0) fail("Los registros preparados no son de la tabla " + path());
    const auto count = static_cast<std::uint32_t>(records.size() / len);
    if (count == 0) return;
    const std::uint32_t last = file_->appendMany(records.data(), count);
    if (indexField_ >= 0) {
      for (std::uint32_t k = 0; k < count; ++k)
        placeInOrder(last - count + 1 + k, records.data() + k * len);
      orderGeneration_ = file_->generation();
    }
    cur_ = last;
    eof_ = false;
  });
}

void Table::edit() {
  guarded([&] {
    requireActive();
    if (readOnly_) fail("La tabla " + path() + " es de solo lectura");
    if (state_ == TableState::Edit || state_ == TableState::Insert) return;
    if (cur_ == 0) {
      append();
      return;
    }
    const char* rec = file_->record(cur_);
    buffer_.assign(rec, rec + file_->layout().recordLength);
    modified_ = false;
    state_ = TableState::Edit;
  });
}

void Table::post() {
  guarded([&] {
    requireActive();
    requireEditing();
    storeRecord();
  });
}

void Table::storeRecord() {
  bool inserting = state_ == TableState::Insert;
  // Whatever happens to the write, the record leaves the editing state. The buffer keeps
  // its storage for the next record: long runs of appends then allocate nothing.
  state_ = TableState::Browse;
  const char* record = buffer_.data();
  if (inserting) {
    cur_ = file_->append(record);
    if (indexField_ >= 0) placeInOrder(cur_, record);
  } else {
    file_->rewrite(cur_, record);
    if (indexField_ >= 0) {
      removeFromOrder(cur_);
      placeInOrder(cur_, record);
    }
  }
  if (indexField_ >= 0) orderGeneration_ = file_->generation();
  eof_ = false;
}

void Table::cancel() {
  guarded([&] {
    if (state_ == TableState::Edit || state_ == TableState::Insert) {
      state_ = TableState::Browse;
      buffer_.clear();
    }
  });
}

void Table::setValue(std::string_view name, const Value& v) { setValue(campo(name), v); }

void Table::setValue(const Field& f, const Value& v) {
  guarded([&] {
    requireActive();
    requireEditing();
    writeValue(file_->layout(), f, buffer_.data(), v);
    modified_ = true;
  });
}

void Table::setString(std::string_view name, std::string_view v) { setString(campo(name), v); }

void Table::setString(const Field& f, std::string_view v) {
  // The common case in long loops, handled here: ASCII text into a plain character field
  // of the record being edited.
  if ((state_ == TableState::Edit || state_ == TableState::Insert) &&
      writeAsciiText(f, buffer_.data(), v)) {
    modified_ = true;
    return;
  }
  guarded([&] {
    requireActive();
    requireEditing();
    writeText(file_->layout(), f, buffer_.data(), v);
    modified_ = true;
  });
}

std::string Table::storedText(const Field& f, std::string_view text) const {
  return guarded([&] {
    requireActive();
    if (!plainCharacter(f)) fail("El campo '" + f.name + "' no es de texto fijo");
    std::string bytes(static_cast<std::size_t>(f.length), ' ');
    encodeInto(file_->layout().codePage, text, bytes.data(), bytes.size());
    return bytes;
  });
}

void Table::refuseStored(const Field& f) const {
  guarded([&] {
    requireActive();
    requireEditing();
    if (!plainCharacter(f)) fail("El campo '" + f.name + "' no es de texto fijo");
    fail("El texto preparado no tiene el ancho del campo '" + f.name + "'");
  });
  std::abort();  // not reached: the checks above always fail
}

void Table::setInteger(std::string_view field, std::int64_t v) { setInteger(campo(field), v); }
void Table::setInteger(const Field& f, std::int64_t v) {
  if ((state_ == TableState::Edit || state_ == TableState::Insert) &&
      writeIntegerFast(f, buffer_.data(), v)) {
    modified_ = true;
    return;
  }
  guarded([&] {
    requireActive();
    requireEditing();
    writeValue(file_->layout(), f, buffer_.data(), Value::ofInteger(v));
    modified_ = true;
  });
}
void Table::setFloat(std::string_view field, double v) { setValue(field, Value::ofFloat(v)); }
void Table::setBoolean(std::string_view field, bool v) { setValue(field, Value::ofBoolean(v)); }
void Table::setFloat(const Field& f, double v) { setValue(f, Value::ofFloat(v)); }
void Table::setBoolean(const Field& f, bool v) {
  if ((state_ == TableState::Edit || state_ == TableState::Insert) && f.type == 'L' &&
      f.nullBit < 0) {
    buffer_[static_cast<std::size_t>(f.offset)] = v ? 'T' : 'F';
    modified_ = true;
    return;
  }
  setValue(f, Value::ofBoolean(v));
}

// --- creating and emptying --------------------------------------------------------

void Table::createTable() { createFile(false); }

void Table::rewriteTable() { createFile(true); }

void Table::createFile(bool keepStorage) {
  guarded([&] {
    if (active()) fail("No se puede crear la tabla " + path() + " mientras está abierta");
    Layout t = newTableLayout(fieldDefs_, path());
    std::vector<MdxTag> tags;
    for (const IndexDef& ix : indexDefs_) {
      int f = t.find(ix.field);
      if (f < 0) fail("No se encuentra el campo '" + ix.field + "' (" + path() + ")");
      t.fields[static_cast<std::size_t>(f)].tagged = true;
      tags.push_back({ix.name, t.fields[static_cast<std::size_t>(f)].name});
    }
    if (!tags.empty()) t.tableFlags = 0x01;
    std::string bytes = headerBytes(t);
    bytes += '\x1A';
    const std::string native = nativePath();
    try {
      cutRewritten();
      plat::File f =
          keepStorage ? rewriteFile(native) : plat::File::create(native, plat::Share::Exclusive);
      f.writeAt(0, bytes.data(), bytes.size());
      if (keepStorage) {
        rewritten_ = native;
        rewrittenEnd_ = bytes.size();
      }
      if (!tags.empty())
        writeMdxKeys(mdxPathFor(native), plat::fsText(plat::fsPath(native).stem()), t, tags,
                     std::vector<std::vector<std::string>>(tags.size()));
      f.close();
    } catch (const plat::IoError& e) {
      if (e.code() == plat::kSharingViolation)
        fail("La tabla " + path() + " está en uso por otro programa");
      fail("No se puede crear la tabla " + path() + " (" + plat::errorText(e.code()) + ")");
    }
  });
}

void Table::emptyTable() {
  guarded([&] {
    if (active()) fail("No se puede vaciar la tabla " + path() + " mientras está abierta");
    DbfFile::empty(nativePath(), path());
  });
}

std::uint32_t countRecords(const std::string& path) {
  Table t;
  t.setTableName(path);
  t.setReadOnly(true);
  t.open();
  std::uint32_t n = 0;
  t.forEachRecord([&](const char*) { ++n; });
  return n;
}

std::uint32_t storedRecordCount(const std::string& path) {
  Table t;
  t.setTableName(path);
  return storedRecordCount(t.nativePath(), t.path());
}

}  // namespace dbf
