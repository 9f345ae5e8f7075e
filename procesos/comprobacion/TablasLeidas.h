#pragma once
// What the runs read: each table they open, the fields they ask for and how they read
// each one. The check of a school's data goes through the same list.

#include <vector>

#include "gescen/TablasIntercambio.h"

namespace procesos::lecturas {

// How a run reads a field: as text, which never fails, or converted.
enum class Lectura { Texto, Entero, Fecha, Horas };

struct CampoLeido {
  const char* nombre;
  Lectura como;
};

// A table a run opens, the fields it asks for, and the field that names a record.
struct TablaLeida {
  const char* archivo;
  const char* clave;
  std::vector<CampoLeido> campos;
};

const TablaLeida kAsignat{"asignat.dbf",
                          "CODASIG",
                          {{"CODASIG", Lectura::Texto},
                           {"LITRESV", Lectura::Texto},
                           {"VLITEASIG", Lectura::Texto},
                           {"CLITEASIG", Lectura::Texto},
                           {"HORSEMTE", Lectura::Horas}}};
const TablaLeida kOcupa{
    "OCUPA.dbf",
    "OCUPA",
    {{"OCUPA", Lectura::Texto}, {"VLITERAL", Lectura::Texto}, {"CLITERAL", Lectura::Texto}}};
const TablaLeida kProfesor{"profesor.dbf",
                           "APENOMPROF",
                           {{"APENOMPROF", Lectura::Texto},
                            {"DEPARTA", Lectura::Texto},
                            {"DNI", Lectura::Entero},
                            {"FBAJA", Lectura::Fecha}}};
const TablaLeida kAulas{
    "aulas.dbf", "CODAULA", {{"CODAULA", Lectura::Texto}, {"LITAULA", Lectura::Texto}}};
const TablaLeida kAlumnos{"alumnos.dbf",
                          "CODIGO",
                          {{"CODIGO", Lectura::Texto},
                           {"APENOM", Lectura::Texto},
                           {"CODCUR", Lectura::Texto},
                           {"CODGRUP", Lectura::Texto},
                           {"REPITE", Lectura::Entero}}};
const TablaLeida kAsigalum{
    "asigalum.dbf", "CODIGO", {{"CODIGO", Lectura::Texto}, {"CODASIG", Lectura::Texto}}};
const TablaLeida kGrupos{
    "grupos.dbf",
    "CODGRUP",
    {{"CODGRUP", Lectura::Texto}, {"TURNO", Lectura::Texto}, {"LITEGRUP", Lectura::Texto}}};
const TablaLeida kHorgrup{
    "horgrup.dbf",
    "CODGRUP",
    {{"CODGRUP", Lectura::Texto}, {"CODASIG", Lectura::Texto}, {"DNI", Lectura::Entero}}};
// The fields the import writes into the group timetable.
const TablaLeida kHorgrupEscritos{"horgrup.dbf",
                                  "CODGRUP",
                                  {{"CODCEN", Lectura::Texto},
                                   {"DIASEM", Lectura::Texto},
                                   {"NUMHORA", Lectura::Texto},
                                   {"HORDIADES", Lectura::Texto},
                                   {"HORDIAHAS", Lectura::Texto},
                                   {"CODAULA", Lectura::Texto}}};
const TablaLeida kHorprof{"horprof.dbf",
                          "DNI",
                          {{"CODCEN", Lectura::Texto},
                           {"DNI", Lectura::Texto},
                           {"DIASEM", Lectura::Texto},
                           {"NUMHORA", Lectura::Texto},
                           {"HORAD", Lectura::Texto},
                           {"HORAH", Lectura::Texto},
                           {"OCUPA", Lectura::Texto}}};
const TablaLeida kCentro{"centro.dbf", "CODCEN", {{"CODCEN", Lectura::Texto}}};
const TablaLeida kLhortipo{"lhortipo.dbf",
                           "CODCEN",
                           {{"CODCEN", Lectura::Texto},
                            {"NUMHORA", Lectura::Entero},
                            {"DESDE", Lectura::Texto},
                            {"HASTA", Lectura::Texto}}};
const TablaLeida kProft{
    gescen::kPROFT, "ABREV", {{"ABREV", Lectura::Texto}, {"DNI", Lectura::Entero}}};
const TablaLeida kAsigvalt{gescen::kASIGVALT,
                           "CODVALEN",
                           {{"CODVALEN", Lectura::Texto},
                            {"COD", Lectura::Texto},
                            {"NIVEL", Lectura::Texto},
                            {"CURSO", Lectura::Texto}}};
const TablaLeida kGrupost{
    gescen::kGRUPOST,
    "ABREV",
    {{"NIVEL", Lectura::Texto}, {"CURSO", Lectura::Texto}, {"GRUPO", Lectura::Texto}}};
const TablaLeida kSoluc{"SOLUC.DBF",
                        "PROF",
                        {{"DIA", Lectura::Entero},
                         {"HORA", Lectura::Entero},
                         {"TAREA", Lectura::Texto},
                         {"PROF", Lectura::Texto},
                         {"NIVEL", Lectura::Texto},
                         {"CURSO", Lectura::Texto},
                         {"ASIG", Lectura::Texto},
                         {"GRUPO", Lectura::Texto},
                         {"AULA", Lectura::Texto}}};

}  // namespace procesos::lecturas
