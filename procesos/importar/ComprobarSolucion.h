#pragma once
// The generator's solution is checked before anything is written: a solution that would
// leave the school without its timetable, or that the import would read wrong, is
// refused, and GESCEN keeps the one it has.

#include <string>
#include <vector>

namespace dbf {
class Table;
}

namespace procesos {

// How the import reads a field of SOLUC.DBF.
enum class LecturaSolucion { Entero, Texto };

struct CampoSolucion {
  const char* nombre;
  LecturaSolucion como;
};

// The fields the import reads from SOLUC.DBF, in its order.
inline const std::vector<CampoSolucion>& camposSolucion() {
  static const std::vector<CampoSolucion> campos = {
      {"DIA", LecturaSolucion::Entero},  {"HORA", LecturaSolucion::Entero},
      {"TAREA", LecturaSolucion::Texto}, {"PROF", LecturaSolucion::Texto},
      {"NIVEL", LecturaSolucion::Texto}, {"CURSO", LecturaSolucion::Texto},
      {"ASIG", LecturaSolucion::Texto},  {"GRUPO", LecturaSolucion::Texto},
      {"AULA", LecturaSolucion::Texto}};
  return campos;
}

// Something in the open SOLUC.DBF that stops the import before it writes: the file cut
// short (no field), or a field the import reads that is missing or of a type the engine
// does not read right for that use.
struct DefectoSolucion {
  std::string campo;
  std::string encontrado;  // the field's type and width as stored: "L 1"
  std::string texto;       // what is wrong and what is needed, in the user's words
};

// Every such problem of `soluc` (open): the count first, then the fields in the import's
// order.
std::vector<DefectoSolucion> defectosSolucion(dbf::Table& soluc);

// The error the import stops with for those problems; empty when there are none.
std::string errorSolucion(const dbf::Table& soluc, const std::vector<DefectoSolucion>& defectos);

// Refuses (std::runtime_error) a SOLUC.DBF that holds fewer records than its header
// says, cut short by a copy or a full disk, one whose fields the import cannot read, and
// one without a single timetable row (a record with a day); then the exchange tables the
// import reads with it, PROFT.DBF and ASIGVALT.DBF, when they are cut short. `soluc` is
// the closed solution handle; it is closed again after.
void comprobarSolucion(dbf::Table& soluc);

}  // namespace procesos
