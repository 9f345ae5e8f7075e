// Every other holder of a GESCEN timetable is seen before the import replaces it: a
// process that locks it in any of the ways Linux offers, or that merely has it open (as
// Wine's server has every file a Windows program keeps open, whatever its share mode).
// The holders are real processes; the import's copy back is the real one.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "plat/Platform.h"
#include "procesos/importar/CopiaSegura.h"
#include "tests/support/CerrojoAjeno.h"
#include "tests/support/TempDrive.h"

namespace fs = std::filesystem;

namespace {

struct CasoTitular {
  const char* nombre;
  Tenencia tenencia;
};

void PrintTo(const CasoTitular& c, std::ostream* os) { *os << c.nombre; }

const CasoTitular kTitulares[] = {
    {"open_without_a_lock", Tenencia::Abierta},
    {"flock_shared", Tenencia::FlockCompartido},
    {"flock_exclusive", Tenencia::FlockExclusivo},
    {"ofd_lock_on_one_byte", Tenencia::OfdByte},
    {"ofd_lock_on_the_whole_file", Tenencia::OfdEntero},
    {"classic_fcntl_lock", Tenencia::FcntlByte},
};

class TitularesTest : public ::testing::TestWithParam<CasoTitular> {
 protected:
  TempDrive drive_;
  const std::string horgrup_ = drive_.native("GC/horgrup.dbf");
  const std::string horprof_ = drive_.native("GC/horprof.dbf");

  void SetUp() override {
    writeFile(horgrup_, "horgrup de GESCEN");
    writeFile(horprof_, "horprof de GESCEN");
    writeFile(drive_.native("ZORVTMP/VALENCIA/horgrup.dbf"), "horgrup nuevo");
    writeFile(drive_.native("ZORVTMP/VALENCIA/horprof.dbf"), "horprof nuevo");
  }

  // The text the copy back stops with; empty when it replaces both tables.
  static std::string errorAlDevolver() {
    try {
      procesos::devolverHorarios("C:\\GC");
    } catch (const std::exception& e) {
      return e.what();
    }
    return {};
  }
};

TEST_P(TitularesTest, AnotherProcessHoldingTheFileIsSeenUntilItLetsGo) {
  const std::string enlace = drive_.native("horgrup-enlace.dbf");
  fs::create_symlink(horgrup_, enlace);
  {
    TitularAjeno titular(horgrup_, GetParam().tenencia);
    ASSERT_TRUE(titular.tomado());
    EXPECT_TRUE(plat::inUseByOther(horgrup_));
    // The same file under another name.
    EXPECT_TRUE(plat::inUseByOther(enlace));
    EXPECT_FALSE(plat::inUseByOther(horprof_));
  }
  EXPECT_FALSE(plat::inUseByOther(horgrup_));
}

TEST_P(TitularesTest, TheImportLeavesAHeldTimetableAsItWas) {
  {
    TitularAjeno titular(horprof_, GetParam().tenencia);
    ASSERT_TRUE(titular.tomado());
    EXPECT_EQ(errorAlDevolver(),
              "GESCEN tiene abierta la tabla C:\\GC\\horprof.dbf. Ciérrela y "
              "vuelva a intentarlo.");
    EXPECT_EQ(readFile(horgrup_), "horgrup de GESCEN");
    EXPECT_EQ(readFile(horprof_), "horprof de GESCEN");
    EXPECT_FALSE(fs::exists(drive_.native("ZORVTMP/VALENCIA/COPIAS")));
  }
  EXPECT_EQ(errorAlDevolver(), "");
  EXPECT_EQ(readFile(horprof_), "horprof nuevo");
}

INSTANTIATE_TEST_SUITE_P(Holders, TitularesTest, ::testing::ValuesIn(kTitulares),
                         [](const auto& info) { return std::string(info.param.nombre); });

// What is not another holder: this process's own descriptors, a process that has other
// files open, one that has let the file go, a missing file.
TEST(TitularesNoAjenosTest, NothingButAnotherProcessCounts) {
  TempDrive drive;
  const std::string tabla = drive.native("GC/horgrup.dbf");
  const std::string otra = drive.native("GC/horprof.dbf");
  writeFile(tabla, "horgrup");
  writeFile(otra, "horprof");
  struct Caso {
    const char* que;
    std::function<bool()> mientras;  // holds something and asks about `tabla`
  };
  const Caso casos[] = {
      {"nobody", [&] { return plat::inUseByOther(tabla); }},
      {"this process, open through the platform layer",
       [&] {
         plat::File f = plat::File::open(tabla, plat::Access::ReadWrite);
         return plat::inUseByOther(tabla);
       }},
      {"another process holding another file",
       [&] {
         TitularAjeno titular(otra, Tenencia::FlockExclusivo);
         return titular.tomado() && plat::inUseByOther(tabla);
       }},
      {"another process that has let it go",
       [&] {
         std::optional<TitularAjeno> titular(std::in_place, tabla, Tenencia::Abierta);
         if (!titular->tomado()) return true;
         titular.reset();
         return plat::inUseByOther(tabla);
       }},
      {"a missing file",
       [&] {
         TitularAjeno titular(otra, Tenencia::Abierta);
         return plat::inUseByOther(drive.native("GC/falta.dbf"));
       }},
  };
  for (const Caso& c : casos) EXPECT_FALSE(c.mientras()) << c.que;
}

}  // namespace
