#pragma once
// The rows of ASIGT.DBF, worked out by the teaching-assignment writer from the lessons
// of the group timetable, the subjects of ASIGVALT.DBF and the teachers of PROFT.DBF.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dbf/DbfLayout.h"
#include "dbf/Table.h"

namespace procesos {

class Lecciones;

// The fields of ASIGT.DBF, in order.
std::vector<dbf::FieldDef> camposAsigt();

// The values of one row. Those of its subject (CASIG, HORAS, SESIONES), of its teacher
// (CPROF) and of its group (CGRUP, NIVEL, CURSO, GRUPO) come with the numbers of the
// timetable's subject, teacher and group codes they belong to, the same for every row of
// that code.
struct FilaAsignacion {
  const std::string& casig;
  const std::string& cprof;
  const std::string& cgrup;
  const std::string& nivel;
  const std::string& curso;
  const std::string& grupo;
  double horas;
  const std::string& sesiones;
  std::uint32_t asignatura;
  std::uint32_t profesor;
  std::uint32_t grupoDe;
};

// Opens a table of the work folder C:\ZORVTMP by its name.
void abrirEnTrabajo(dbf::Table& tabla, const char* nombre);

class FuentesAsignaciones {
 public:
  FuentesAsignaciones();
  ~FuentesAsignaciones();
  FuentesAsignaciones(const FuentesAsignaciones&) = delete;
  FuentesAsignaciones& operator=(const FuentesAsignaciones&) = delete;

  // The subjects of ASIGVALT and the teachers of PROFT, from open handles: the first row
  // of a subject code, or of a DNI, wins.
  void leerAsignaturas(dbf::Table& asigvalt);
  void leerProfesores(dbf::Table& proft);
  // Each row of ASIGT for the lessons read, in order: a lesson gives no row when one
  // already given stores its three values.
  void recorrer(const Lecciones& lecciones, const std::function<void(const FilaAsignacion&)>& fila);

 private:
  struct Datos;
  std::unique_ptr<Datos> d_;
};

// The fields of ASIGT in its layout.
struct CamposAsigt {
  const dbf::Field *casig, *cprof, *cgrup, *caula, *turno, *nivel, *curso, *grupo, *horas,
      *sesiones, *ctarea;
  explicit CamposAsigt(const dbf::Layout& asigt);
};

// Rows written into records of ASIGT's layout, as the table engine's field writers store
// them. What a subject, a teacher or a group gives every row it is in is written once,
// then copied.
class FilasEnFormato {
 public:
  explicit FilasEnFormato(const dbf::Layout& asigt);
  ~FilasEnFormato();
  FilasEnFormato(const FilasEnFormato&) = delete;
  FilasEnFormato& operator=(const FilasEnFormato&) = delete;
  // Writes the row over the whole record at `registro`.
  void escribir(const FilaAsignacion& f, char* registro);

 private:
  struct Piezas;
  const dbf::Layout& asigt_;
  const CamposAsigt campos_;
  std::unique_ptr<Piezas> piezas_;
};

}  // namespace procesos
