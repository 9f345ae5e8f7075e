#include "gescen/CerrojoHorarios.h"

#include <thread>

#include "gescen/Staging.h"
#include "plat/WinPath.h"

namespace gescen {
namespace {

constexpr std::chrono::milliseconds kPausa{100};

// The lock file opened and locked; an empty File while another holder has it.
plat::File intentar(const std::string& archivo) {
  try {
    return plat::File::rewrite(archivo, plat::Share::Exclusive);
  } catch (const plat::IoError& e) {
    if (e.code() == plat::kSharingViolation) return {};
    throw gescen::EntradaSalidaError(e);
  }
}

}  // namespace

HorariosOcupadosError::HorariosOcupadosError(const std::string& carpetaGC)
    : std::runtime_error("Otro equipo está importando en la carpeta de GESCEN " + carpetaGC +
                         ". Espere a que termine y vuelva a intentarlo. No se ha cambiado nada en "
                         "GESCEN.") {}

CerrojoHorarios::CerrojoHorarios(const std::string& carpetaNativa, const std::string& carpetaGC,
                                 std::chrono::milliseconds espera) {
  const std::string archivo = plat::join(carpetaNativa, kArchivoCerrojoHorarios);
  const auto limite = std::chrono::steady_clock::now() + espera;
  for (archivo_ = intentar(archivo); !archivo_.isOpen(); archivo_ = intentar(archivo)) {
    if (std::chrono::steady_clock::now() >= limite) throw HorariosOcupadosError(carpetaGC);
    std::this_thread::sleep_for(kPausa);
  }
}

CerrojoHorarios::~CerrojoHorarios() {
  try {
    archivo_.close();
  } catch (const plat::IoError&) {
    // The lock goes with the handle whatever close reports.
  }
}

}  // namespace gescen
