#include "gescen/CarpetaEnUso.h"

#include <mutex>

#include "gescen/Staging.h"
#include "plat/Platform.h"
#include "plat/WinPath.h"

namespace gescen {
namespace {

std::mutex g_mutex;
int g_titulares = 0;
plat::File g_cerrojo;

}  // namespace

CarpetaEnUso::CarpetaEnUso() {
  std::lock_guard<std::mutex> guard(g_mutex);
  if (g_titulares == 0) {
    asegurarCarpetaStaging();
    try {
      g_cerrojo = plat::File::rewrite(plat::toNative(kArchivoEnUso), plat::Share::Exclusive);
    } catch (const plat::IoError& e) {
      if (e.code() == plat::kSharingViolation) throw OtraEjecucionError();
    }
  }
  ++g_titulares;
}

CarpetaEnUso::~CarpetaEnUso() {
  std::lock_guard<std::mutex> guard(g_mutex);
  if (--g_titulares > 0) return;
  try {
    g_cerrojo.close();
  } catch (const plat::IoError&) {
    // The lock goes with the handle whatever close reports.
  }
}

}  // namespace gescen
