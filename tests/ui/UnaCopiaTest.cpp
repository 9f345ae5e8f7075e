// One copy of the program per work folder: the lock that the copy holding C:\ZORVTMP
// keeps, what a second copy does at its start (the host's flag, the box and its owner),
// and the look that the command-line runs take before they start. Each case holds the
// lock through a gescen::ProgramaAbierto of this process, which another opening of the lock
// file meets as it would another process's: the front ends and the command line run as
// real processes in tests/app and tests/windows.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "gescen/CarpetaEnUso.h"
#include "gescen/ProgramaAbierto.h"
#include "tests/ui/Escenario.h"
#include "ui/UnaCopia.h"

namespace {

using Textos = std::vector<std::string>;

struct Aviso {
  std::string texto;
  bool error;
  procesos::EstadoPrograma estado;
};

// The boxes a start showed, kept instead of shown.
struct Avisos {
  std::vector<Aviso> dados;
  ui::AvisoArranque funcion() {
    return [this](const std::string& texto, bool error, const procesos::EstadoPrograma& estado) {
      dados.push_back({texto, error, estado});
    };
  }
};

const std::string kAjustes1 = "[Transformadores]\r\nTransformado=1\r\n";
const std::string kAjustes0 = "[Transformadores]\r\nTransformado=0\r\n";
const std::string kOtrosAjustes = "[Zorvex]\r\nRuta=C:\\ZORVEX\r\n\r\n";

struct CasoSegunda {
  const char* nombre;
  Textos args;
  std::optional<std::string> antes;  // Zorvex.ini before the start; nullopt: no file
  std::string despues;               // Zorvex.ini after it ("" : no file)
  bool anfitrion;                    // the box is said to belong to host mode
  std::uint32_t ventana;             // the host's window that owns the box
};

const CasoSegunda kSegundas[] = {
    {"stand-alone: nothing written", {}, kAjustes1, kAjustes1, false, 0},
    {"stand-alone without a settings file", {}, std::nullopt, "", false, 0},
    {"one argument", {"exportar"}, kAjustes1, kAjustes1, false, 0},
    {"three arguments", {"exportar", "ff00", "x"}, kAjustes1, kAjustes1, false, 0},
    {"a handle that does not convert", {"exportar", "zz"}, kAjustes1, kAjustes1, false, 0},
    {"host mode: a 1 left by an earlier run becomes 0",
     {"exportar", "1A2B"},
     kAjustes1,
     kAjustes0,
     true,
     0x1A2B},
    {"host mode, import, no settings file yet",
     {"IMPORTAR", "ff00"},
     std::nullopt,
     kAjustes0,
     true,
     0xFF00},
    {"host mode keeps the other settings",
     {"importar", "ff00"},
     kOtrosAjustes + kAjustes1,
     kOtrosAjustes + kAjustes0,
     true,
     0xFF00},
    {"host mode with handle 0: the box has no owner",
     {"exportar", "0"},
     kAjustes1,
     kAjustes0,
     true,
     0},
};

TEST(UnaCopia, ASecondCopyReportsNothingDoneAndSaysTheProgramIsOpen) {
  for (const CasoSegunda& c : kSegundas) {
    SCOPED_TRACE(c.nombre);
    Escenario e;
    const gescen::ProgramaAbierto primera;
    ASSERT_FALSE(primera.otraCopia());
    if (c.antes) writeFile(e.programa() + "/Zorvex.ini", *c.antes);

    const gescen::ProgramaAbierto segunda;
    EXPECT_TRUE(segunda.otraCopia());
    Avisos avisos;
    EXPECT_FALSE(ui::primeraCopia(segunda, c.args, avisos.funcion()));

    EXPECT_EQ(e.ajustes(), c.despues);
    ASSERT_EQ(avisos.dados.size(), 1u);
    const Aviso& a = avisos.dados[0];
    EXPECT_EQ(a.texto, gescen::kProgramaYaAbierto);
    EXPECT_FALSE(a.error);
    EXPECT_EQ(a.estado.modoAnfitrion(), c.anfitrion);
    EXPECT_EQ(a.estado.ventanaAnfitrion, c.ventana);
    EXPECT_EQ(a.estado.avisosDelAnfitrion(), c.ventana != 0);
  }
}

TEST(UnaCopia, TheFirstCopyGoesOnAndTouchesNoSettings) {
  for (const Textos& args : {Textos{}, Textos{"exportar", "1A2B"}}) {
    Escenario e;
    writeFile(e.programa() + "/Zorvex.ini", kAjustes1);
    const gescen::ProgramaAbierto programa;
    Avisos avisos;
    EXPECT_FALSE(programa.otraCopia());
    EXPECT_TRUE(ui::primeraCopia(programa, args, avisos.funcion()));
    EXPECT_TRUE(avisos.dados.empty());
    EXPECT_EQ(e.ajustes(), kAjustes1);
  }
}

// The flag cannot be written: the box says so after the program's own message.
TEST(UnaCopia, AnUnwritableSettingsFileIsSaidAfterTheMessage) {
  Escenario e;
  std::filesystem::create_directories(e.programa() + "/Zorvex.ini");
  const gescen::ProgramaAbierto primera;
  const gescen::ProgramaAbierto segunda;
  Avisos avisos;
  EXPECT_FALSE(ui::primeraCopia(segunda, {"exportar", "1A2B"}, avisos.funcion()));
  ASSERT_EQ(avisos.dados.size(), 2u);
  EXPECT_EQ(avisos.dados[0].texto, gescen::kProgramaYaAbierto);
  EXPECT_FALSE(avisos.dados[0].error);
  EXPECT_EQ(avisos.dados[1].texto, "Unable to write to " + ui::juntoAlPrograma("Zorvex.ini"));
  EXPECT_TRUE(avisos.dados[1].error);
}

// The lock lives as long as the copy that holds it: a copy started after it has gone
// has the work folder.
TEST(UnaCopia, TheWorkFolderIsFreeOnceTheCopyHasEnded) {
  Escenario e;
  std::optional<gescen::ProgramaAbierto> primera(std::in_place);
  EXPECT_TRUE(gescen::ProgramaAbierto().otraCopia());
  primera.reset();
  const gescen::ProgramaAbierto despues;
  EXPECT_FALSE(despues.otraCopia());
  EXPECT_TRUE(gescen::ProgramaAbierto().otraCopia());
}

// The first copy on a machine where nothing ran yet makes the staging folder for its
// lock file.
TEST(UnaCopia, TheFirstCopyMakesTheStagingFolder) {
  Escenario e;
  ASSERT_FALSE(std::filesystem::exists(e.nativa("ZORVTMP")));
  const gescen::ProgramaAbierto programa;
  EXPECT_FALSE(programa.otraCopia());
  EXPECT_TRUE(std::filesystem::is_regular_file(e.nativa("ZORVTMP/VALENCIA/ABIERTO.TZV")));
}

// A lock file that cannot be made (C:\ZORVTMP is a file) turns nobody away: the
// program's own steps say what is wrong.
TEST(UnaCopia, ALockFileThatCannotBeMadeStopsNothing) {
  Escenario e;
  writeFile(e.nativa("ZORVTMP"), "no es una carpeta");
  const gescen::ProgramaAbierto programa;
  EXPECT_FALSE(programa.otraCopia());
  EXPECT_FALSE(gescen::hayProgramaAbierto());
}

// What the command-line runs ask before they stage or write.
TEST(UnaCopia, TheCommandLineSeesAnOpenProgramWithoutHoldingIt) {
  Escenario e;
  // Nothing ran yet: the look makes no folder.
  EXPECT_FALSE(gescen::hayProgramaAbierto());
  EXPECT_FALSE(std::filesystem::exists(e.nativa("ZORVTMP")));

  // A run of the command line holds the work folder, not the program's lock.
  {
    const gescen::CarpetaEnUso run;
    EXPECT_FALSE(gescen::hayProgramaAbierto());
  }
  {
    const gescen::ProgramaAbierto programa;
    EXPECT_TRUE(gescen::hayProgramaAbierto());
    EXPECT_TRUE(gescen::hayProgramaAbierto());  // looking twice changes nothing
  }
  EXPECT_FALSE(gescen::hayProgramaAbierto());
  // The look keeps no lock: a program started right after it has the work folder.
  const gescen::ProgramaAbierto programa;
  EXPECT_FALSE(programa.otraCopia());
}

}  // namespace
