#include "Lecciones.h"

#include "Busquedas.h"
#include "SegundoPlano.h"
#include "Texto.h"

namespace tzv {
namespace {

// A number for each value worked out, in order of first appearance.
template <class T>
std::uint32_t anadir(std::vector<T>& valores, T valor) {
  valores.push_back(std::move(valor));
  return static_cast<std::uint32_t>(valores.size() - 1);
}

}  // namespace

Lecciones::Lecciones(dbf::Table& horgrup) : horgrup_(horgrup) {
  hecho_ = enSegundoPlano([this] { leer(); });
}

Lecciones::~Lecciones() {
  if (hecho_.valid()) hecho_.wait();
  try {
    horgrup_.close();
  } catch (...) {
  }
}

void Lecciones::leer() {
  try {
    horgrup_.open();
  } catch (...) {
    errorApertura_ = std::current_exception();
    return;
  }
  // Each lesson reads its group, then its subject, then its teacher, as the writer does.
  try {
    const dbf::LazyField codgrup(horgrup_, "CODGRUP"), codasig(horgrup_, "CODASIG"), dni(horgrup_, "DNI");
    MemoCampo<std::uint32_t> grupoDe(horgrup_, {"CODGRUP"});
    MemoCampo<std::uint32_t> asignaturaDe(horgrup_, {"CODASIG"});
    MemoCampo<std::uint32_t> profesorDe(horgrup_, {"DNI"});
    lecciones_.reserve(horgrup_.recordCount());
    horgrup_.forEachRecord([&](const char* registro) {
      Leccion l;
      l.grupo = grupoDe.de(registro, [&] { return anadir(grupos_, trocearGrupo(horgrup_.asString(*codgrup))); });
      l.asignatura = asignaturaDe.de(
          registro, [&] { return anadir(asignaturas_, sinBlancos(horgrup_.asString(*codasig))); });
      l.profesor = profesorDe.de(registro, [&] { return anadir(profesores_, horgrup_.asInteger(*dni)); });
      lecciones_.push_back(l);
    });
  } catch (...) {
    error_ = std::current_exception();
  }
}

void Lecciones::abrir() {
  if (hecho_.valid()) hecho_.get();
  if (errorApertura_) std::rethrow_exception(errorApertura_);
}

}  // namespace tzv
