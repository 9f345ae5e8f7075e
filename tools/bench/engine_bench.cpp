// engine-bench: times our table engine against shapelib on the same work.
//
// Both write a table of N records (default 1,000,000) with the fields C 10, C 40,
// N 11.0, N 20.4, L 1 and C 5, then read every field of every record back. Each of the
// four phases (engine write, shapelib write, engine read, shapelib read) runs in a
// forked child, so that its time and its peak resident memory are its own. Each read
// checks what it read against what was written, so that a fast wrong answer shows.
//
//   engine-bench [RECORDS] [--repeat K] [--dir FOLDER] [--keep] [--only PHASE]
//
// With --repeat the whole comparison runs K times and the fastest time of each phase
// is reported. --only engine-write|engine-read|shapelib-write|shapelib-read runs that
// phase alone in this process (a read first has its file written by a child), for a
// profiler: perf record --no-inherit -g engine-bench --only engine-read. The files go to a new
// folder under FOLDER ($TMPDIR or /tmp by default), removed at the end unless --keep is given.

#include <shapefil.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "dbf/Table.h"
#include "plat/Platform.h"

namespace {

constexpr double kWriteTarget = 4.0;
constexpr double kReadTarget = 2.0;

// --- the records -------------------------------------------------------------------

// Text in code page 1252, as the file stores it and shapelib takes and gives it back
// (the names hold only ASCII and Latin-1 letters).
std::string toCp1252(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    auto c = static_cast<unsigned char>(utf8[i]);
    if (c == 0xC3 && i + 1 < utf8.size()) {
      out += static_cast<char>(0x40 + static_cast<unsigned char>(utf8[++i]));
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

// Values of record i (0-based), made cheaply so that making them weighs little next to
// the work being timed; both sides make them the same way.
struct Pools {
  std::vector<std::string> names;      // up to 40 characters, UTF-8
  std::vector<std::string> names1252;  // the same in code page 1252, for shapelib
  std::vector<std::string> groups;     // up to 5 characters
  Pools() {
    static const char* first[] = {"Ana",    "Pablo",  "Lucía", "Jordi",  "María José",
                                  "Vicent", "Carmen", "Íñigo", "Noelia", "Francesc"};
    static const char* last[] = {"García Pérez", "Martínez", "Ferrer i Soler", "López de la Torre",
                                 "Navarro",      "Sánchez",  "Blasco Ibáñez",  "Llorens",
                                 "Mora",         "Gil"};
    for (int i = 0; i < 1000; ++i) {
      std::string n =
          std::string(last[i % 10]) + ", " + first[(i / 10) % 10] + " " + std::to_string(i);
      names.push_back(n);  // at most 36 bytes, fewer characters: fits C 40
    }
    for (const std::string& n : names) names1252.push_back(toCp1252(n));
    for (int g = 0; g < 97; ++g)
      groups.push_back(std::to_string(1 + g % 4) + "ESO" + static_cast<char>('A' + g % 26));
  }
};

struct Row {
  char code[16];
  const std::string* name;
  const std::string* name1252;
  std::int64_t qty;
  double price;
  bool active;
  const std::string* group;
};

void makeRow(const Pools& p, std::uint32_t i, Row& r) {
  // "K" and eight digits
  r.code[0] = 'K';
  std::uint32_t v = i;
  for (int d = 8; d >= 1; --d) {
    r.code[d] = static_cast<char>('0' + v % 10);
    v /= 10;
  }
  r.code[9] = '\0';
  r.name = &p.names[i % p.names.size()];
  r.name1252 = &p.names1252[i % p.names.size()];
  r.qty = static_cast<std::int64_t>(i % 2000000) - 1000000;
  r.price = static_cast<double>(i % 400000) * 0.25 + 0.5;  // exact in 4 decimals
  r.active = i % 3 == 0;
  r.group = &p.groups[i % p.groups.size()];
}

// A checksum of the values read back, the same for both readers. It looks at each
// text's length and its first, middle and last bytes only, so that checking weighs
// little next to the reading being timed.
struct Sum {
  std::uint64_t h = 1469598103934665603ull;
  void number(std::int64_t v) { h = (h ^ static_cast<std::uint64_t>(v)) * 1099511628211ull; }
  void text(std::string_view s) {
    std::uint64_t v = s.size();
    if (!s.empty())
      v |= (static_cast<std::uint64_t>(static_cast<unsigned char>(s.front())) << 16) |
           (static_cast<std::uint64_t>(static_cast<unsigned char>(s[s.size() / 2])) << 24) |
           (static_cast<std::uint64_t>(static_cast<unsigned char>(s.back())) << 32);
    number(static_cast<std::int64_t>(v));
  }
};

std::uint64_t expectedSum(const Pools& p, std::uint32_t count, bool cp1252) {
  Sum s;
  Row r;
  for (std::uint32_t i = 0; i < count; ++i) {
    makeRow(p, i, r);
    s.text(r.code);
    s.text(cp1252 ? *r.name1252 : *r.name);
    s.number(r.qty);
    s.number(std::llround(r.price * 4));
    s.number(r.active);
    s.text(*r.group);
  }
  return s.h;
}

// --- our engine ----------------------------------------------------------------------

void engineWrite(const Pools& p, const std::string& path, std::uint32_t count) {
  dbf::Table t;
  t.setTableName(path);
  t.fieldDefs() = {{"CODE", dbf::FieldKind::String, 10},   {"NAME", dbf::FieldKind::String, 40},
                   {"QTY", dbf::FieldKind::Integer, 0},    {"PRICE", dbf::FieldKind::Float, 0},
                   {"ACTIVE", dbf::FieldKind::Boolean, 0}, {"GRUPO", dbf::FieldKind::String, 5}};
  t.createTable();
  t.setExclusive(true);
  t.open();
  Row r;
  for (std::uint32_t i = 0; i < count; ++i) {
    makeRow(p, i, r);
    t.append();
    t.setString("CODE", r.code);
    t.setString("NAME", *r.name);
    t.setInteger("QTY", r.qty);
    t.setFloat("PRICE", r.price);
    t.setBoolean("ACTIVE", r.active);
    t.setString("GRUPO", *r.group);
    t.post();
  }
  t.close();
}

std::uint64_t engineRead(const std::string& path, std::uint32_t count) {
  dbf::Table t;
  t.setTableName(path);
  t.setReadOnly(true);
  t.open();
  if (t.recordCount() != count) throw std::runtime_error("engine read: wrong record count");
  Sum s;
  for (t.first(); !t.eof(); t.next()) {
    s.text(t.asString("CODE"));
    s.text(t.asString("NAME"));
    s.number(t.asInteger("QTY"));
    s.number(std::llround(t.asFloat("PRICE") * 4));
    s.number(t.asBoolean("ACTIVE"));
    s.text(t.asString("GRUPO"));
  }
  t.close();
  return s.h;
}

// --- shapelib ------------------------------------------------------------------------

void shapelibWrite(const Pools& p, const std::string& path, std::uint32_t count) {
  DBFHandle h = DBFCreate(path.c_str());
  if (h == nullptr) throw std::runtime_error("DBFCreate failed");
  int code = DBFAddField(h, "CODE", FTString, 10, 0);
  int name = DBFAddField(h, "NAME", FTString, 40, 0);
  int qty = DBFAddField(h, "QTY", FTInteger, 11, 0);
  int price = DBFAddField(h, "PRICE", FTDouble, 20, 4);
  int active = DBFAddField(h, "ACTIVE", FTLogical, 1, 0);
  int group = DBFAddField(h, "GRUPO", FTString, 5, 0);
  if (std::min({code, name, qty, price, active, group}) < 0)
    throw std::runtime_error("DBFAddField failed");
  Row r;
  for (std::uint32_t i = 0; i < count; ++i) {
    makeRow(p, i, r);
    int rec = static_cast<int>(i);
    bool ok = DBFWriteStringAttribute(h, rec, code, r.code) &&
              DBFWriteStringAttribute(h, rec, name, r.name1252->c_str()) &&
              DBFWriteIntegerAttribute(h, rec, qty, static_cast<int>(r.qty)) &&
              DBFWriteDoubleAttribute(h, rec, price, r.price) &&
              DBFWriteLogicalAttribute(h, rec, active, r.active ? 'T' : 'F') &&
              DBFWriteStringAttribute(h, rec, group, r.group->c_str());
    if (!ok) throw std::runtime_error("shapelib write failed");
  }
  DBFClose(h);
}

std::uint64_t shapelibRead(const std::string& path, std::uint32_t count) {
  DBFHandle h = DBFOpen(path.c_str(), "rb");
  if (h == nullptr) throw std::runtime_error("DBFOpen failed");
  if (DBFGetRecordCount(h) != static_cast<int>(count))
    throw std::runtime_error("shapelib read: wrong record count");
  int code = DBFGetFieldIndex(h, "CODE");
  int name = DBFGetFieldIndex(h, "NAME");
  int qty = DBFGetFieldIndex(h, "QTY");
  int price = DBFGetFieldIndex(h, "PRICE");
  int active = DBFGetFieldIndex(h, "ACTIVE");
  int group = DBFGetFieldIndex(h, "GRUPO");
  Sum s;
  int n = DBFGetRecordCount(h);
  for (int i = 0; i < n; ++i) {
    if (DBFIsRecordDeleted(h, i)) continue;
    s.text(DBFReadStringAttribute(h, i, code));
    s.text(DBFReadStringAttribute(h, i, name));
    s.number(DBFReadIntegerAttribute(h, i, qty));
    s.number(std::llround(DBFReadDoubleAttribute(h, i, price) * 4));
    const char* l = DBFReadLogicalAttribute(h, i, active);
    s.number(l != nullptr && (*l == 'T' || *l == 't' || *l == 'Y' || *l == 'y'));
    s.text(DBFReadStringAttribute(h, i, group));
  }
  DBFClose(h);
  return s.h;
}

// --- phases in children ------------------------------------------------------------

struct PhaseResult {
  double seconds = 0;     // wall-clock time
  double cpuSeconds = 0;  // user and system time, steadier on a busy machine
  long peakKb = 0;        // the child's peak resident memory
  std::uint64_t sum = 0;
  bool ok = false;
  char error[200] = {};
};

double cpuSeconds() {
  struct rusage ru;
  getrusage(RUSAGE_SELF, &ru);
  return static_cast<double>(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
         static_cast<double>(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
}

PhaseResult runPhase(const std::function<std::uint64_t()>& work) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
  std::fflush(stdout);
  pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    close(fds[0]);
    PhaseResult r;
    try {
      double cpuStart = cpuSeconds();
      auto start = std::chrono::steady_clock::now();
      r.sum = work();
      r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      r.cpuSeconds = cpuSeconds() - cpuStart;
      r.ok = true;
    } catch (const std::exception& e) {
      std::snprintf(r.error, sizeof r.error, "%s", e.what());
    }
    struct rusage ru;
    getrusage(RUSAGE_SELF, &ru);
    r.peakKb = ru.ru_maxrss;
    ssize_t w = write(fds[1], &r, sizeof r);
    _exit(w == static_cast<ssize_t>(sizeof r) ? 0 : 1);
  }
  close(fds[1]);
  PhaseResult r;
  ssize_t got = read(fds[0], &r, sizeof r);
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (got != static_cast<ssize_t>(sizeof r)) {
    r = PhaseResult{};
    std::snprintf(r.error, sizeof r.error, "the phase died (status %d)", status);
  }
  return r;
}

// The record area of both files, compared (the headers differ in their date).
bool sameRecords(const std::string& a, const std::string& b) {
  std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
  char ha[12], hb[12];
  if (!fa.read(ha, 12) || !fb.read(hb, 12)) return false;
  if (std::memcmp(ha + 4, hb + 4, 8) != 0) return false;  // count, header and record lengths
  unsigned headerLength =
      static_cast<unsigned char>(ha[8]) | (static_cast<unsigned char>(ha[9]) << 8);
  fa.seekg(headerLength);
  fb.seekg(headerLength);
  std::vector<char> ba(1 << 20), bb(1 << 20);
  while (true) {
    fa.read(ba.data(), static_cast<std::streamsize>(ba.size()));
    fb.read(bb.data(), static_cast<std::streamsize>(bb.size()));
    if (fa.gcount() != fb.gcount()) return false;
    if (std::memcmp(ba.data(), bb.data(), static_cast<std::size_t>(fa.gcount())) != 0) return false;
    if (!fa || !fb) return true;
  }
}

void usage() {
  std::fprintf(
      stderr,
      "usage: engine-bench [RECORDS] [--repeat K] [--dir FOLDER] [--keep]\n"
      "                    [--only engine-write|engine-read|shapelib-write|shapelib-read]\n");
  std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
  std::uint32_t count = 1000000;
  int repeat = 1;
  bool keep = false;
  std::string only;
  std::string base = plat::environment("TMPDIR");
  if (base.empty()) base = "/tmp";
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--repeat" && i + 1 < argc) {
      repeat = std::max(1, std::atoi(argv[++i]));
    } else if (a == "--dir" && i + 1 < argc) {
      base = argv[++i];
    } else if (a == "--only" && i + 1 < argc) {
      only = argv[++i];
      if (only != "engine-write" && only != "engine-read" && only != "shapelib-write" &&
          only != "shapelib-read")
        usage();
    } else if (a == "--keep") {
      keep = true;
    } else if (!a.empty() && a[0] != '-') {
      long long n = std::atoll(a.c_str());
      if (n < 1 || n > 20000000) usage();
      count = static_cast<std::uint32_t>(n);
    } else {
      usage();
    }
  }

  std::string pattern = base + "/engine-bench.XXXXXX";
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (mkdtemp(buf.data()) == nullptr) {
    std::perror("engine-bench: cannot make a temporary folder");
    return 2;
  }
  const std::string folder = buf.data();
  const std::string ours = folder + "/engine.dbf";
  const std::string theirs = folder + "/shapelib.dbf";

  Pools pools;
  const std::uint64_t wantUtf8 = expectedSum(pools, count, false);
  const std::uint64_t wantBytes = expectedSum(pools, count, true);

  if (!only.empty()) {
    int rc = 0;
    try {
      if (only == "engine-read")
        runPhase([&] {
          engineWrite(pools, ours, count);
          return std::uint64_t{0};
        });
      if (only == "shapelib-read")
        runPhase([&] {
          shapelibWrite(pools, theirs, count);
          return std::uint64_t{0};
        });
      auto start = std::chrono::steady_clock::now();
      std::uint64_t sum = 0, want = 0;
      if (only == "engine-write") engineWrite(pools, ours, count);
      if (only == "shapelib-write") shapelibWrite(pools, theirs, count);
      if (only == "engine-read") sum = engineRead(ours, count), want = wantUtf8;
      if (only == "shapelib-read") sum = shapelibRead(theirs, count), want = wantBytes;
      double seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      std::printf("%s: %u records in %.3f s\n", only.c_str(), count, seconds);
      if (sum != want) {
        std::printf("%s returned other values than were written\n", only.c_str());
        rc = 1;
      }
    } catch (const std::exception& e) {
      std::printf("%s failed: %s\n", only.c_str(), e.what());
      rc = 1;
    }
    std::error_code ec;
    if (!keep) std::filesystem::remove_all(folder, ec);
    return rc;
  }

  std::printf("engine-bench: %u records of C 10, C 40, N 11.0, N 20.4, L 1, C 5 in %s\n", count,
              folder.c_str());
  struct Best {
    double seconds = 1e300;
    double cpuSeconds = 1e300;
    long peakKb = 0;
  } best[4];
  const char* names[4] = {"engine write", "shapelib write", "engine read", "shapelib read"};
  bool failed = false;
  bool identical = false;

  for (int round = 0; round < repeat && !failed; ++round) {
    PhaseResult res[4];
    res[0] = runPhase([&] {
      engineWrite(pools, ours, count);
      return std::uint64_t{0};
    });
    res[1] = runPhase([&] {
      shapelibWrite(pools, theirs, count);
      return std::uint64_t{0};
    });
    res[2] = runPhase([&] { return engineRead(ours, count); });
    res[3] = runPhase([&] { return shapelibRead(theirs, count); });
    for (int k = 0; k < 4; ++k) {
      if (!res[k].ok) {
        std::printf("%s failed: %s\n", names[k], res[k].error);
        failed = true;
        continue;
      }
      best[k].seconds = std::min(best[k].seconds, res[k].seconds);
      best[k].cpuSeconds = std::min(best[k].cpuSeconds, res[k].cpuSeconds);
      best[k].peakKb = std::max(best[k].peakKb, res[k].peakKb);
    }
    if (res[2].ok && res[2].sum != wantUtf8) {
      std::printf("engine read returned other values than were written\n");
      failed = true;
    }
    if (res[3].ok && res[3].sum != wantBytes) {
      std::printf("shapelib read returned other values than were written\n");
      failed = true;
    }
    if (round == 0) identical = sameRecords(ours, theirs);
  }

  // The floor under every phase's peak: a child that does nothing.
  PhaseResult idle = runPhase([] { return std::uint64_t{0}; });

  if (!failed) {
    std::printf("\n%-16s %12s %12s %16s\n", "phase", "wall (s)", "CPU (s)", "peak RSS (MiB)");
    for (int k = 0; k < 4; ++k)
      std::printf("%-16s %12.3f %12.3f %16.1f\n", names[k], best[k].seconds, best[k].cpuSeconds,
                  static_cast<double>(best[k].peakKb) / 1024.0);
    std::printf("%-16s %12s %12s %16.1f\n", "(idle child)", "", "",
                static_cast<double>(idle.peakKb) / 1024.0);
    double w = best[1].seconds / best[0].seconds;
    double r = best[3].seconds / best[2].seconds;
    double wc = best[1].cpuSeconds / best[0].cpuSeconds;
    double rc = best[3].cpuSeconds / best[2].cpuSeconds;
    std::printf("\nshapelib time / engine time    wall    CPU\n");
    std::printf("write (target >= %.0f)          %6.2f %6.2f  %s\n", kWriteTarget, w, wc,
                w >= kWriteTarget ? "met" : "MISSED");
    std::printf("read  (target >= %.0f)          %6.2f %6.2f  %s\n", kReadTarget, r, rc,
                r >= kReadTarget ? "met" : "MISSED");
    std::printf("records of both files byte for byte the same: %s\n", identical ? "yes" : "no");
    std::printf("records per second: engine write %.0f, engine read %.0f\n",
                count / best[0].seconds, count / best[2].seconds);
  }
  if (!keep) {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  } else {
    std::printf("files kept in %s\n", folder.c_str());
  }
  return failed ? 1 : 0;
}
