#include "procesos/exportar/Lecciones.h"

#include "dbf/FieldValue.h"
#include "gescen/Busquedas.h"
#include "gescen/Texto.h"

namespace procesos {
using gescen::MemoCampo;
using gescen::sinBlancos;
using gescen::trocearGrupo;

namespace {

// A number for each value worked out, in order of first appearance.
template <class T>
std::uint32_t anadir(std::vector<T>& valores, T valor) {
  valores.push_back(std::move(valor));
  return static_cast<std::uint32_t>(valores.size() - 1);
}

}  // namespace

Lecciones::Lecciones(dbf::Table& horgrup) {
  horgrup.open();
  // Each lesson reads its group, then its subject, then its teacher, as the writer does.
  try {
    const dbf::LazyField codgrup(horgrup, "CODGRUP"), codasig(horgrup, "CODASIG"),
        dni(horgrup, "DNI");
    MemoCampo<std::uint32_t> grupoDe(horgrup, {"CODGRUP"});
    MemoCampo<std::uint32_t> asignaturaDe(horgrup, {"CODASIG"});
    MemoCampo<std::uint32_t> profesorDe(horgrup, {"DNI"});
    lecciones_.reserve(horgrup.recordCount());
    horgrup.forEachRecord([&](const char* registro) {
      Leccion l;
      l.grupo = grupoDe.de(
          registro, [&] { return anadir(grupos_, trocearGrupo(horgrup.asString(*codgrup))); });
      l.asignatura = asignaturaDe.de(
          registro, [&] { return anadir(asignaturas_, sinBlancos(horgrup.asString(*codasig))); });
      l.profesor = profesorDe.de(registro, [&] { return anadir(dnis_, horgrup.asInteger(*dni)); });
      lecciones_.push_back(l);
    });
  } catch (...) {
    error_ = std::current_exception();
  }
}

}  // namespace procesos
