#pragma once
// What a Valencian secondary school teaches: departments, the studies (levels) with
// their courses and subjects, and the non-teaching occupations of the staff.

#include <string>
#include <vector>

namespace gen {

enum class Tamano { Pequeno, Grande, Enorme };

// Departments, in the order of departamentos().
enum Depto : int {
  DMat,
  DCas,
  DVal,
  DAng,
  DFra,
  DEfi,
  DGhi,
  DBig,
  DFqu,
  DTec,
  DMus,
  DDib,
  DFil,
  DCla,
  DEco,
  DOri,
  DRel,
  DInf,
  DAdm,
  DFol,
  DTutor = -1,  // taught by the group's tutor
};

struct Departamento {
  const char* nombre;        // as GESCEN stores it in DEPARTA
  const char* especialidad;  // teacher's speciality code
};
const std::vector<Departamento>& departamentos();

struct MateriaPlan {
  const char* val;                 // Valencian name
  const char* cas;                 // Castilian name
  const char* litresv;             // Valencian abbreviation (the one exported)
  const char* litres;              // Castilian abbreviation
  int sesiones;                    // weekly lessons in the timetable; 0: none scheduled
  int bloque;                      // 0: its own lessons; n > 0: taught in parallel with the other
                                   // subjects of block n of the course (split groups, options)
  int depto;                       // Depto
  const char* horsemte = nullptr;  // weekly hours as GESCEN keeps them when unusual
};

struct CursoPlan {
  int curso;
  int gruposPequeno, gruposGrande, gruposEnorme;
  std::vector<MateriaPlan> materias;
};

struct Plan {
  const char* nivel;      // three letters, as in group and subject codes
  const char* nombreVal;  // for group names
  const char* nombreCas;
  int alumnosGrupo;    // mean students per group
  char turno;          // M or V
  bool segundoCentro;  // taught at the second centre when there are two
  std::vector<CursoPlan> cursos;
};
const std::vector<Plan>& planes();

int gruposDe(const CursoPlan& c, Tamano t);

struct OcupacionDef {
  const char* codigo;
  const char* val;
  const char* cas;
  bool lectiva;
  bool borrada;
};
const std::vector<OcupacionDef>& ocupaciones();

}  // namespace gen
