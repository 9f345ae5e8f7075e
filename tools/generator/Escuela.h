#pragma once
// A whole school, built from a size and a seed: its centres and class periods, subjects,
// groups, teachers, rooms, students, enrolments, and the group and teacher timetables.
// The GESCEN tables are written from it (TablasGescen.h).

#include <cstdint>
#include <string>
#include <vector>

#include "tools/generator/EscritorDbf.h"
#include "tools/generator/Nombres.h"
#include "tools/generator/PlanEstudios.h"

namespace gen {

struct Periodo {
  int numero = 0;
  std::string desde, hasta;
};

struct Centro {
  std::int64_t codcen = 0;
  std::string nombre;
  Poblacion localidad{};
  std::string domicilio, telefono, fax, cif;
  char turno = 'M';
  std::vector<Periodo> periodos;
};

struct Asignatura {
  std::string codasig, val, cas, litresv, litres, horsemte;
  int sesiones = 0;
  int bloque = 0;
  int depto = 0;
  int plan = 0, curso = 0;
  bool borrada = false;
};

struct Grupo {
  std::string codgrup, codcur, litegrup;
  char turno = 'M';
  char linea = 'V';
  int centro = 0;
  int plan = 0, curso = 0;
  int aula = -1;         // home room
  int tutor = -1;        // teacher
  int lider = -1;        // first group of the groups of its course that share option classes
  int repeticiones = 1;  // records of this group in the group table (duplicates > 1)
};

struct Profesor {
  std::string nombre;
  int depto = 0;
  std::int64_t dni = 0;
  bool dniEnBlanco = false;
  Fecha baja, alta;
  int centro = 0;
  bool mujer = false;
  bool borrado = false;
  int carga = 0;  // weekly lessons
  bool tutor = false;
};

struct Aula {
  std::string codigo, nombre;
  int centro = 0;
  int capacidad = 30;
  int planta = 0;
  char tipo = 'G';  // G general, D split groups, L lab, I computers, T workshop, M music,
                    // A art, E gym, B library, S staff room
};

struct Alumno {
  std::string codigo, apenom, codcur, codgrup;
  int repite = 0;
  bool repiteEnBlanco = false;
  bool mujer = false;
  Fecha nacimiento;
  int centro = 0;
  char turno = 'M';
  int grupo = -1;
  int plan = 0, curso = 0;
  bool borrado = false;
  Fecha baja;
  std::string obs, comentario;
};

struct Matricula {
  int alumno = 0;
  std::string codasig, codcur;
  bool pendiente = false;
};

// One weekly lesson of a group: a row of the group timetable and of the teacher's.
struct Clase {
  int grupo = 0, asignatura = 0, profesor = -1;
  int dia = 0, hora = 0;
  int aula = -1;
};

// A non-teaching period of a teacher.
struct Tarea {
  int profesor = 0;
  int dia = 0, hora = 0;
  std::string ocupa;
};

struct Escuela {
  Tamano tamano = Tamano::Pequeno;
  std::uint64_t semilla = 0;
  int anyoAcademico = 2024;
  std::vector<Centro> centros;
  std::vector<Asignatura> asignaturas;
  std::vector<Grupo> grupos;
  std::vector<Profesor> profesores;
  std::vector<Aula> aulas;
  std::vector<Alumno> alumnos;  // in the order of the student table
  std::vector<Matricula> matriculas;
  std::vector<Clase> clases;
  std::vector<Tarea> tareas;
};

Escuela construirEscuela(Tamano tamano, std::uint64_t semilla);

inline constexpr int kDias = 5;
inline constexpr int kHoras = 7;

}  // namespace gen
