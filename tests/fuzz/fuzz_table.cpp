// libFuzzer target for the table reader. Each input is the bytes of a table file: it is
// written to one file in a private temporary folder and opened read-only through
// dbf::Table, as the program opens the tables of the school-management application.
// Every record is visited in stored order and in the order of an index on the first
// field, every field is read in every way the program reads fields, and a filter is set
// on the first character field.
//
// A damaged file may only make the engine raise dbf::EngineError. Anything else is a
// fault the fuzzer reports: another exception escaping, a crash or a sanitizer report,
// a walk that does not end, and the checks below, which hold the engine to what its
// headers promise, judged against the input bytes themselves:
//  - the layout fits the file (fields inside the record, records inside the file);
//  - a walk in stored order visits exactly the records not marked deleted, in order;
//  - a walk in index order visits the same records, character keys never decreasing;
//  - an index that cannot be built leaves no partial order behind;
//  - a findKey that fails leaves the position unchanged, one that succeeds lands on a
//    record that is not deleted;
//  - a filter Field= 'x' visits exactly the live records whose field holds x, and
//    turning it off shows every live record again;
//  - a field read twice gives the same answer, whatever was read in between;
//  - text read from a field is valid UTF-8.

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "dbf/Table.h"
#include "plat/Platform.h"

namespace {

std::string g_folder;
std::string g_path;

void removeTempFiles() {
  if (!g_path.empty()) ::unlink(g_path.c_str());
  if (!g_folder.empty()) ::rmdir(g_folder.c_str());
}

[[noreturn]] void fault(const char* what, int line) {
  std::fprintf(stderr, "fuzz_table: engine broke a promise at line %d: %s\n", line, what);
  std::abort();
}

#define EXPECT(cond)                     \
  do {                                   \
    if (!(cond)) fault(#cond, __LINE__); \
  } while (0)

void writeInput(const std::uint8_t* data, std::size_t size) {
  int fd = ::open(g_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) {
    std::perror("fuzz_table: cannot write the input file");
    std::abort();
  }
  std::size_t done = 0;
  while (done < size) {
    ssize_t w = ::write(fd, data + done, size - done);
    if (w <= 0) {
      std::perror("fuzz_table: cannot write the input file");
      std::abort();
    }
    done += static_cast<std::size_t>(w);
  }
  ::close(fd);
}

bool validUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    auto c = static_cast<unsigned char>(s[i]);
    std::size_t extra;
    char32_t v;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      extra = 1;
      v = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2;
      v = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3;
      v = c & 0x07;
    } else {
      return false;
    }
    if (i + extra >= s.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      auto d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      v = (v << 6) | (d & 0x3F);
    }
    if ((extra == 2 && v < 0x800) || (extra == 3 && (v < 0x10000 || v > 0x10FFFF))) return false;
    if (v >= 0xD800 && v <= 0xDFFF) return false;
    i += extra + 1;
  }
  return true;
}

char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

bool sameNameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (upperAscii(a[i]) != upperAscii(b[i])) return false;
  return true;
}

// What the input holds for record `recno` (1-based), for judging the engine.
struct Input {
  const std::uint8_t* data;
  std::size_t size;
  const dbf::Layout* layout;

  const char* record(std::uint32_t recno) const {
    std::uint64_t at =
        layout->headerLength + static_cast<std::uint64_t>(recno - 1) * layout->recordLength;
    return reinterpret_cast<const char*>(data + at);
  }
  bool deleted(std::uint32_t recno) const { return record(recno)[0] == '*'; }
  // Stored bytes of a field as keys and filters see them: without trailing blanks and
  // NULs, the NULs inside read as blanks.
  std::string trimmed(std::uint32_t recno, const dbf::Field& f) const {
    std::string_view s(record(recno) + f.offset, static_cast<std::size_t>(f.length));
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
    std::string text(s);
    std::replace(text.begin(), text.end(), '\0', ' ');
    return text;
  }
};

// The text of a field, or a mark that reading it failed.
std::string textOrFailure(dbf::Table& t, const std::string& name) {
  try {
    std::string s = t.asString(name);
    EXPECT(validUtf8(s));
    return "text:" + s;
  } catch (const dbf::EngineError&) {
    return "failed";
  }
}

// Reads one field in every way; a damaged value may raise EngineError and nothing else.
// Returns what asString gave.
std::string readField(dbf::Table& t, const std::string& name) {
  try {
    (void)t.value(name);
  } catch (const dbf::EngineError&) {
  }
  std::string text = textOrFailure(t, name);
  try {
    (void)t.asInteger(name);
  } catch (const dbf::EngineError&) {
  }
  try {
    (void)t.asFloat(name);
  } catch (const dbf::EngineError&) {
  }
  try {
    (void)t.asBoolean(name);
  } catch (const dbf::EngineError&) {
  }
  try {
    (void)t.asDate(name);
  } catch (const dbf::EngineError&) {
  }
  return text;
}

// Visits the records from first() on; returns the record numbers seen. A walk longer
// than the table is a walk that does not end.
std::vector<std::uint32_t> walk(dbf::Table& t, std::uint32_t count, bool readFields) {
  std::vector<std::uint32_t> seen;
  const dbf::Layout& layout = t.layout();
  for (t.first(); !t.eof(); t.next()) {
    EXPECT(seen.size() <= count);
    std::uint32_t r = t.recNo();
    EXPECT(r >= 1 && r <= count);
    seen.push_back(r);
    if (readFields) {
      std::vector<std::string> texts;
      for (const dbf::Field& f : layout.fields)
        if (!f.system) texts.push_back(readField(t, f.name));
      // Reading a field again, after other fields and in the other order, gives the
      // same answer: a name always means the same field.
      std::size_t k = texts.size();
      for (auto f = layout.fields.rbegin(); f != layout.fields.rend(); ++f)
        if (!f->system) EXPECT(textOrFailure(t, f->name) == texts[--k]);
    }
  }
  return seen;
}

void checkLayout(const dbf::Layout& t, std::size_t size, std::uint32_t count) {
  EXPECT(t.headerLength <= size);
  EXPECT(t.recordLength >= 1);
  EXPECT(!t.fields.empty());
  int next = 1;
  for (const dbf::Field& f : t.fields) {
    EXPECT(f.length >= 1);
    EXPECT(f.offset == next);
    next += f.length;
  }
  // The fields fill the record exactly: any other record length is a damaged header.
  EXPECT(static_cast<std::uint32_t>(next) == t.recordLength);
  if (t.nullFlagsField >= 0) EXPECT(static_cast<std::size_t>(t.nullFlagsField) < t.fields.size());
  EXPECT(t.headerLength + static_cast<std::uint64_t>(count) * t.recordLength <= size);
}

void exercise(const std::uint8_t* data, std::size_t size) {
  dbf::Table t;
  t.setTableName(g_path);
  t.setReadOnly(true);
  try {
    t.open();
  } catch (const dbf::EngineError&) {
    return;  // a damaged header
  }

  const dbf::Layout& layout = t.layout();
  const std::uint32_t count = t.recordCount();
  checkLayout(layout, size, count);
  Input in{data, size, &layout};

  std::vector<std::uint32_t> live;
  for (std::uint32_t r = 1; r <= count; ++r)
    if (!in.deleted(r)) live.push_back(r);

  // Stored order: every live record once, in order, each field read every way.
  std::vector<std::uint32_t> stored = walk(t, count, true);
  EXPECT(stored == live);

  const dbf::Field* firstField = nullptr;
  const dbf::Field* firstText = nullptr;
  for (const dbf::Field& f : layout.fields) {
    if (f.system) continue;
    if (firstField == nullptr) firstField = &f;
    if (firstText == nullptr && f.type == 'C') firstText = &f;
  }
  if (firstField == nullptr) return;

  // Index order on the first field. An empty index name means no index at all, so a
  // field whose stored name is empty cannot be indexed.
  bool indexed = false;
  if (!firstField->name.empty()) {
    try {
      t.setIndexName(firstField->name);
      indexed = true;
    } catch (const dbf::EngineError&) {
      // A key that cannot be read as a number. No half-built order may stay behind:
      // browsing goes on over every live record, or fails aloud.
      try {
        std::vector<std::uint32_t> after = walk(t, count, false);
        std::sort(after.begin(), after.end());
        EXPECT(after == live);
      } catch (const dbf::EngineError&) {
      }
    }
  }
  if (indexed) {
    std::vector<std::uint32_t> ordered;
    try {
      ordered = walk(t, count, false);
    } catch (const dbf::EngineError&) {
      indexed = false;
    }
    if (indexed) {
      std::vector<std::uint32_t> sorted = ordered;
      std::sort(sorted.begin(), sorted.end());
      EXPECT(sorted == live);
      // The index field is the first one of that name (names compare without case).
      const dbf::Field* keyField = nullptr;
      for (const dbf::Field& f : layout.fields)
        if (!f.system && sameNameNoCase(f.name, firstField->name)) {
          keyField = &f;
          break;
        }
      EXPECT(keyField != nullptr);
      if (keyField->type == 'C' || keyField->type == 'V' || keyField->type == 'D') {
        for (std::size_t i = 1; i < ordered.size(); ++i) {
          const std::string a = in.trimmed(ordered[i - 1], *keyField);
          const std::string b = in.trimmed(ordered[i], *keyField);
          EXPECT(!std::lexicographical_compare(
              b.begin(), b.end(), a.begin(), a.end(), [](char x, char y) {
                return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
              }));
        }
      }

      std::vector<std::string> keys{"x", "", "0", "1,5"};
      try {
        t.first();
        if (!t.eof()) keys.push_back(t.asString(firstField->name));
      } catch (const dbf::EngineError&) {
      }
      for (const std::string& key : keys) {
        try {
          t.first();
          std::uint32_t before = t.recNo();
          bool wasEof = t.eof();
          if (t.findKey(key)) {
            EXPECT(!t.eof());
            std::uint32_t r = t.recNo();
            EXPECT(r >= 1 && r <= count && !in.deleted(r));
          } else {
            EXPECT(t.recNo() == before && t.eof() == wasEof);
          }
        } catch (const dbf::EngineError&) {
        }
      }
    }
  }
  try {
    t.setIndexName("");
  } catch (const dbf::EngineError&) {
  }

  // Filter on the first character field.
  if (firstText != nullptr) {
    bool filtered = false;
    try {
      t.setFilter(firstText->name + "= 'x'");
      t.setFiltered(true);
      filtered = true;
    } catch (const dbf::EngineError&) {
      // a name the filter form cannot carry
    }
    if (filtered) {
      const dbf::Field* target = nullptr;
      for (const dbf::Field& f : layout.fields)
        if (!f.system && sameNameNoCase(f.name, firstText->name)) {
          target = &f;
          break;
        }
      std::vector<std::uint32_t> expected;
      for (std::uint32_t r : live)
        if (in.trimmed(r, *target) == "x") expected.push_back(r);
      std::vector<std::uint32_t> got = walk(t, count, true);
      if (firstText->name.find('=') == std::string::npos) EXPECT(got == expected);
      // Turning the filter off shows every live record again.
      t.setFiltered(false);
      EXPECT(walk(t, count, false) == live);
    }
  }
  t.close();
}

// A run that crashes leaves its folder behind (the fuzzer stops without running exit
// handlers); folders of processes that no longer exist are removed at the next start.
void removeStaleFolders(const std::string& base) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(base, ec)) {
    std::string name = entry.path().filename().string();
    const std::string prefix = "fuzz_table.";
    if (name.rfind(prefix, 0) != 0) continue;
    long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
    if (pid <= 0 || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH))
      std::filesystem::remove_all(entry.path(), ec);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The user's separator changes how numbers read and print; the program's users have ','.
  plat::setDecimalSeparator(',');
  std::string base = plat::folderExists("/dev/shm") ? "/dev/shm" : plat::environment("TMPDIR");
  if (base.empty()) base = "/tmp";
  removeStaleFolders(base);
  std::string pattern = base + "/fuzz_table." + std::to_string(::getpid()) + ".XXXXXX";
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (::mkdtemp(buf.data()) == nullptr) {
    std::perror("fuzz_table: cannot make a temporary folder");
    std::abort();
  }
  g_folder = buf.data();
  g_path = g_folder + "/FUZZ.DBF";
  std::atexit(removeTempFiles);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  writeInput(data, size);
  try {
    exercise(data, size);
  } catch (const dbf::EngineError&) {
    // a damaged table refused aloud
  }
  return 0;
}
