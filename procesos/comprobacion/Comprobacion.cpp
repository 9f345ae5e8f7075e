#include "procesos/comprobacion/Comprobacion.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <unordered_map>

#include "gescen/Aula.h"
#include "gescen/Catalogo.h"
#include "gescen/CodigoGrupo.h"
#include "gescen/Staging.h"
#include "gescen/TablasIntercambio.h"
#include "gescen/Texto.h"
#include "plat/Platform.h"
#include "plat/WinPath.h"
#include "procesos/comprobacion/PruebaEscritura.h"
#include "procesos/comprobacion/TablasLeidas.h"
#include "procesos/exportar/Alumnado.h"
#include "procesos/exportar/ExportarAsignaturas.h"
#include "procesos/exportar/ExportarProfesores.h"
#include "procesos/importar/ComprobarSolucion.h"
#include "procesos/importar/Importacion.h"

namespace procesos {
using gescen::kALUMNOST;
using gescen::kASIGVALT;
using gescen::kGRUPOST;
using gescen::kPROFT;
using gescen::recortar;
using gescen::rutaIntercambio;
using gescen::subcadena;
using gescen::trocearGrupo;

namespace {

constexpr const char* kExportacion = "la exportación";
constexpr const char* kImportacion = "la importación";

using namespace lecturas;

std::string consejoDe(Lectura como, const std::string& campo) {
  switch (como) {
    case Lectura::Entero:
      return "Escriba en GESCEN un número entero en " + campo + ".";
    case Lectura::Fecha:
      return "Escriba en GESCEN una fecha válida en " + campo + ", o déjelo vacío.";
    case Lectura::Horas:
      return "Escriba en GESCEN las horas semanales como número entero (4, 12), o déjelas "
             "vacías: solo cuentan los dos primeros caracteres.";
    case Lectura::Texto:
      break;
  }
  return {};
}

constexpr const char* kSolucionDanada =
    "Genere de nuevo el horario en Zorvex: SOLUC.DBF está dañado o no es el que Zorvex escribe.";
constexpr const char* kConsejoCentro =
    "El código del centro no cabe en este campo de la tabla de GESCEN: compruebe el código del "
    "centro elegido y la versión de GESCEN.";
constexpr const char* kTablaDanada = "La tabla está dañada: repárela o recupérela desde GESCEN.";

// What to do about a table that is missing, damaged or cut short, or cannot be opened:
// GESCEN's tables come from its folder, the exchange tables from an export, the
// solution from Zorvex.
std::string consejoSinTabla(const std::string& archivo, bool danada) {
  if (archivo == "SOLUC.DBF")
    return danada ? kSolucionDanada : "Genere el horario en Zorvex: deja SOLUC.DBF en C:\\ZORVTMP.";
  if (archivo == kPROFT || archivo == kASIGVALT || archivo == kGRUPOST)
    return "Exporte de nuevo: la exportación escribe " + archivo + " en C:\\ZORVTMP.";
  return danada ? kTablaDanada
                : "Compruebe que la tabla está en la carpeta de GESCEN y que GESCEN la abre.";
}

bool danada(const std::exception& e) {
  const auto* motor = dynamic_cast<const dbf::EngineError*>(&e);
  return motor != nullptr && motor->kind() == dbf::EngineError::Kind::Damaged;
}

// A key that names several fields' values at once, none mistaken for another.
std::string claveDe(std::initializer_list<std::string> partes) {
  std::string k;
  for (const std::string& p : partes) k += p + '\x1F';
  return k;
}

// The problems found, one table at a time; each table is opened, read once, and closed.
class Comprobador {
 public:
  Comprobador(gescen::Catalogo& tablas, const OpcionesComprobacion& opciones)
      : tablas_(tablas), opciones_(opciones) {}

  std::vector<Problema> todo() {
    asignaturas();
    tabla(tablas_.wwTableOCUPA, kOcupa, kExportacion);
    profesores();
    aulas();
    alumnos();
    tabla(tablas_.wwTableGrupos, kGrupos, kExportacion);
    tabla(tablas_.wwTableHorGrup, kHorgrup, kExportacion);
    tabla(tablas_.wwTableCentro, kCentro, kImportacion, [&](dbf::Table& t, const Campos& c) {
      blancosAlrededor(t, *c.at("CODCEN"), kCentro.archivo, "CODCEN");
    });
    if (opciones_.importacion) importacion();
    return std::move(problemas_);
  }

 private:
  using Campos = std::map<std::string, const dbf::Field*>;
  using Recorrido = std::function<void(dbf::Table&, const Campos&)>;

  void anadir(const std::string& tabla, std::uint32_t registro, std::string clave,
              std::string campo, std::string valor, bool detiene, const std::string& efecto,
              std::string consejo) {
    problemas_.push_back({tabla, registro, std::move(clave), std::move(campo), std::move(valor),
                          detiene, efecto, std::move(consejo)});
  }

  // The record's key as "FIELD value".
  static std::string clave(dbf::Table& t, const dbf::Field* campo) {
    if (campo == nullptr) return {};
    return campo->name + " " + recortar(t.asString(*campo));
  }
  // Trailing blanks left out, and a number's leading ones, which only align it.
  static std::string almacenado(dbf::Table& t, const dbf::Field& campo) {
    std::string_view v = t.storedBytes(campo);
    while (!v.empty() && (v.back() == ' ' || v.back() == '\0')) v.remove_suffix(1);
    if (campo.type == 'N' || campo.type == 'F')
      while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
    return std::string(v);
  }

  // Opens the table and finds its fields; a table or field missing is a problem that
  // stops `proceso`. Each record then has its converted fields tried, and `recorrido`
  // sees it. The table is closed at the end.
  // True when the table was read whole with every field it needs.
  bool tabla(dbf::Table& t, const TablaLeida& d, const char* proceso,
             const Recorrido& recorrido = nullptr) {
    const std::string detiene = std::string("detiene ") + proceso + ": ";
    try {
      t.open();
    } catch (const std::exception& e) {
      anadir(d.archivo, 0, {}, {}, {}, true, detiene + e.what(),
             consejoSinTabla(d.archivo, danada(e)));
      return false;
    }
    Campos campos;
    for (const CampoLeido& c : d.campos) {
      try {
        campos[c.nombre] = &t.campo(c.nombre);
      } catch (const std::exception& e) {
        anadir(d.archivo, 0, {}, c.nombre, {}, true, detiene + e.what(),
               "La tabla no es la que GESCEN escribe: compruebe su versión de GESCEN.");
      }
    }
    const dbf::Field* campoClave = campos.count(d.clave) ? campos[d.clave] : nullptr;
    bool completa = campos.size() == d.campos.size();
    try {
      t.forEachRecord([&](const char*) {
        for (const CampoLeido& c : d.campos) {
          if (c.como == Lectura::Texto || !campos.count(c.nombre)) continue;
          const dbf::Field& f = *campos[c.nombre];
          try {
            convertir(t, f, c.como);
          } catch (const std::exception& e) {
            anadir(d.archivo, t.recNo(), clave(t, campoClave), c.nombre, almacenado(t, f), true,
                   detiene + e.what(), consejoDe(c.como, c.nombre));
          }
        }
        if (recorrido && completa) recorrido(t, campos);
      });
    } catch (const std::exception& e) {
      anadir(d.archivo, 0, {}, {}, {}, true, detiene + e.what(), kTablaDanada);
      completa = false;
    }
    t.close();
    return completa;
  }

  static void convertir(dbf::Table& t, const dbf::Field& f, Lectura como) {
    switch (como) {
      case Lectura::Entero:
        t.asInteger(f);
        break;
      case Lectura::Fecha:
        t.asDate(f);
        break;
      case Lectura::Horas:
        t.atCurrentRecord([&] { return horasSemanales(t.asString(f)); });
        break;
      case Lectura::Texto:
        break;
    }
  }

  void blancosAlrededor(dbf::Table& t, const dbf::Field& f, const char* tabla, const char* campo) {
    const std::string texto = t.asString(f);
    if (texto.empty() || (texto.front() != ' ' && texto.back() != ' ')) return;
    anadir(tabla, t.recNo(), clave(t, &f), campo, almacenado(t, f), false,
           "no coincide con el código del centro y sus periodos lectivos no se encuentran",
           "Quite en GESCEN los espacios de delante y de detrás del código del centro.");
  }

  // Subjects: the hours, and codes too short for a course and a level.
  void asignaturas() {
    tabla(tablas_.wwTableAsignat, kAsignat, kExportacion, [&](dbf::Table& t, const Campos& c) {
      const std::string codigo = t.asString(*c.at("CODASIG"));
      conAbreviatura_.insert(codigo);
      if (recortar(codigo).size() >= 4) return;
      anadir(kAsignat.archivo, t.recNo(), clave(t, c.at("CODASIG")), "CODASIG",
             almacenado(t, *c.at("CODASIG")), false,
             "ASIGVALT recibe un curso o un nivel vacío o incompleto para la asignatura",
             "El código de asignatura de GESCEN debe tener al menos cuatro caracteres: el "
             "curso y el nivel.");
    });
  }

  // Teachers: the abbreviations the export gives, which it changes when two share one.
  void profesores() {
    struct Exportado {
      std::uint32_t registro;
      std::string clave, nombre;
    };
    std::vector<Exportado> exportados;
    const bool leida = tabla(
        tablas_.wwTableProfesor, kProfesor, kExportacion, [&](dbf::Table& t, const Campos& c) {
          try {
            if (!t.asDate(*c.at("FBAJA")).isZero() &&
                !recortar(t.asString(*c.at("APENOMPROF"))).empty() &&
                t.asInteger(*c.at("DNI")) != 0)
              return;
          } catch (const std::exception&) {
            // Reported already; the run stops there, so the teacher counts as written.
          }
          exportados.push_back(
              {t.recNo(), clave(t, c.at("APENOMPROF")), t.asString(*c.at("APENOMPROF"))});
        });
    if (leida && exportados.empty()) {
      anadir(kProfesor.archivo, 0, {}, {}, {}, false,
             "PROFT.DBF queda vacío: Zorvex no recibe ningún profesor",
             "Dé de alta en GESCEN a los profesores del centro.");
      return;
    }
    std::vector<std::string> abreviaturas;
    for (const Exportado& e : exportados) abreviaturas.push_back(abreviaturaProfesor(e.nombre));
    const std::vector<std::string> unicas = abreviaturasUnicas(abreviaturas);
    for (std::size_t i = 0; i < exportados.size(); ++i) {
      if (unicas[i] == abreviaturas[i]) continue;
      anadir(kProfesor.archivo, exportados[i].registro, exportados[i].clave, "APENOMPROF",
             exportados[i].nombre, false,
             "su abreviatura " + abreviaturas[i] + " ya es de otro profesor: PROFT recibe " +
                 unicas[i],
             "Si la abreviatura no le sirve, cámbiela en Zorvex después de importar.");
    }
  }
  // Rooms: the import takes a room's number from its code, a whole number of at most
  // three digits; AULAT keeps four characters of the code.
  void aulas() {
    tabla(tablas_.wwTableAulas, kAulas, kExportacion, [&](dbf::Table& t, const Campos& c) {
      const std::string codigo = t.asString(*c.at("CODAULA"));
      std::int64_t numero = 0;
      if (gescen::numeroAula(codigo, numero)) return;
      anadir(kAulas.archivo, t.recNo(), clave(t, c.at("CODAULA")), "CODAULA",
             almacenado(t, *c.at("CODAULA")), false,
             recortar(codigo).size() > 4
                 ? "AULAT recibe solo sus cuatro primeros caracteres, y las clases en esta aula "
                   "vuelven a GESCEN sin aula"
                 : "las clases en esta aula vuelven a GESCEN sin código de aula",
             "Use en GESCEN como código del aula un número de hasta tres cifras.");
    });
  }

  // Students: a group code the writers cannot split, and more subjects than ALUMNOST
  // has fields for.
  void alumnos() {
    std::unordered_map<std::string, std::size_t> asignaturasDe = asignaturasPorAlumno();
    tabla(tablas_.wwTableAlumnos, kAlumnos, kExportacion, [&](dbf::Table& t, const Campos& c) {
      const std::string grupo = t.asString(*c.at("CODGRUP"));
      if (!trocearGrupo(grupo).utilizable()) {
        anadir(kAlumnos.archivo, t.recNo(), clave(t, c.at("CODIGO")), "CODGRUP",
               almacenado(t, *c.at("CODGRUP")), false, "el alumno no pasa a ALUMNOST",
               "Asigne en GESCEN al alumno un grupo con curso, nivel y letra.");
        return;
      }
      auto n = asignaturasDe.find(t.asString(*c.at("CODIGO")));
      if (n == asignaturasDe.end() || n->second <= kMaxAsignaturasAlumno) return;
      anadir(kAlumnos.archivo, t.recNo(), clave(t, c.at("CODIGO")), "CODIGO",
             almacenado(t, *c.at("CODIGO")), true,
             "detiene la exportación: No se encuentra el campo 'ASIG" +
                 std::to_string(kMaxAsignaturasAlumno + 1) + "' (" + rutaIntercambio(kALUMNOST) +
                 "): el alumno tiene " + std::to_string(n->second) +
                 " asignaturas y ALUMNOST admite " + std::to_string(kMaxAsignaturasAlumno),
             "Quite en GESCEN las matrículas sobrantes del alumno (asigalum).");
    });
  }

  // How many of each student's enrolments are subjects the export knows.
  std::unordered_map<std::string, std::size_t> asignaturasPorAlumno() {
    std::unordered_map<std::string, std::size_t> cuantas;
    tabla(tablas_.wwTableAsigAlum, kAsigalum, kExportacion, [&](dbf::Table& t, const Campos& c) {
      if (conAbreviatura_.count(t.asString(*c.at("CODASIG"))))
        ++cuantas[t.asString(*c.at("CODIGO"))];
    });
    return cuantas;
  }

  // What the import needs: the class periods of the centre, teachers with a DNI, the
  // timetable fields it writes, a solution it can read whose codes the exchange tables
  // know, and values the timetable fields can hold.
  void importacion() {
    periodos();
    tablaIntercambio(kProft, [&](dbf::Table& t, const Campos& c) {
      const std::string abrev = t.asString(*c.at("ABREV"));
      const std::int64_t dni = t.asInteger(*c.at("DNI"));
      dniDe_.try_emplace(abrev, dni);
      if (dni != 0) return;
      anadir(kPROFT, t.recNo(), clave(t, c.at("ABREV")), "DNI", almacenado(t, *c.at("DNI")), true,
             "detiene la importación: el control de profesores pide su DNI",
             "Escriba en GESCEN el DNI del profesor, o escríbalo en el control de profesores.");
    });
    // In CODVALEN order, as the import looks subjects up: the first of a code counts.
    tablaIntercambio(kAsigvalt, [&](dbf::Table& t, const Campos& c) {
      codvalenDe_.try_emplace(claveDe({t.asString(*c.at("NIVEL")), t.asString(*c.at("CURSO")),
                                       t.asString(*c.at("COD"))}),
                              t.asString(*c.at("CODVALEN")));
    });
    // The import does not read GRUPOST: without it, groups are not looked at.
    conGrupos_ = plat::fileExists(plat::toNative(rutaIntercambio(kGRUPOST)));
    if (conGrupos_)
      tablaIntercambio(kGrupost, [&](dbf::Table& t, const Campos& c) {
        grupos_.insert(claveDe(
            {t.asString(*c.at("NIVEL")), t.asString(*c.at("CURSO")), t.asString(*c.at("GRUPO"))}));
      });
    // GESCEN's timetables, which the import empties and fills: the teacher timetable is
    // read where it is, since only the import stages it.
    escrituraGrupos_ =
        escrituras(tablas_.wwTableHorGrup.path(), tablas_.wwTableHorGrup, kHorgrupEscritos);
    escrituraProfesores_ = escrituras(gescen::archivoGC(opciones_.carpetaGC, "horprof.dbf"),
                                      tablas_.wwTableHorProf, kHorprof);
    solucion();
  }

  // The exchange tables as the import opens them: whole, and ASIGVALT in CODVALEN order.
  void tablaIntercambio(const TablaLeida& d, const Recorrido& recorrido) {
    dbf::Table t;
    t.setTableName(rutaIntercambio(d.archivo));
    t.setReadOnly(true);
    t.setRefuseCutShort(true);
    if (std::string(d.archivo) == kASIGVALT) t.setIndexName("CODVALEN");
    tabla(t, d, kImportacion, recorrido);
  }

  // A timetable the import fills, read at `ruta`, and the tries of what the import would
  // store in it through its handle `manejador`; none when the table cannot be read. Its
  // records are not read by the import, which empties it: one cut short is no problem.
  std::optional<PruebaEscritura> escrituras(const std::string& ruta, const dbf::Table& manejador,
                                            const TablaLeida& d) {
    dbf::Table t(manejador.handleName());
    t.setTableName(ruta);
    t.setReadOnly(true);
    if (!tabla(t, d, kImportacion)) return std::nullopt;
    t.open();
    std::optional<PruebaEscritura> prueba(std::in_place, t, manejador.handleName(),
                                          manejador.path());
    t.close();
    return prueba;
  }

  void periodos() {
    const std::string centro = opciones_.centro;
    tabla(tablas_.wwTableLhortipo, kLhortipo, kImportacion, [&](dbf::Table& t, const Campos& c) {
      blancosAlrededor(t, *c.at("CODCEN"), kLhortipo.archivo, "CODCEN");
      if (t.asString(*c.at("CODCEN")) != centro) return;
      for (const char* campo : {"DESDE", "HASTA"}) {
        if (!recortar(t.asString(*c.at(campo))).empty()) continue;
        anadir(kLhortipo.archivo, t.recNo(), "NUMHORA " + recortar(t.asString(*c.at("NUMHORA"))),
               campo, {}, false,
               std::string("las clases de este periodo vuelven a GESCEN sin hora de ") +
                   (campo[0] == 'D' ? "inicio" : "fin"),
               "Complete en GESCEN las horas del periodo lectivo del centro.");
      }
      horaPeriodo(t, c, "DESDE", desde_);
      horaPeriodo(t, c, "HASTA", hasta_);
    });
  }

  // The time of a period as the class-period template gives it to the import: the
  // centre's last one that is not empty, in PLANTILLA.DBF's five characters.
  static void horaPeriodo(dbf::Table& t, const Campos& c, const char* campo, HorasPeriodo& horas) {
    std::int64_t periodo = 0;
    try {
      periodo = t.asInteger(*c.at("NUMHORA"));
    } catch (const std::exception&) {
      return;  // already reported
    }
    const std::string hora = t.asString(*c.at(campo));
    if (periodo < 1 || periodo > 20 || hora.empty()) return;
    std::string cinco = subcadena(hora, 1, 5);
    while (!cinco.empty() && cinco.back() == ' ') cinco.pop_back();
    horas[static_cast<std::size_t>(periodo)] = cinco;
  }

  // The solution: a file the import can read whole, then its lessons.
  void solucion() {
    dbf::Table& t = tablas_.wwTableSoluc;
    std::vector<DefectoSolucion> defectos;
    try {
      t.open();
      defectos = defectosSolucion(t);
      t.close();
    } catch (const std::exception& e) {
      t.close();
      anadir(kSoluc.archivo, 0, {}, {}, {}, true,
             std::string("detiene la importación: ") + e.what(),
             consejoSinTabla(kSoluc.archivo, danada(e)));
      return;
    }
    for (const DefectoSolucion& d : defectos)
      anadir(kSoluc.archivo, 0, {}, d.campo, d.encontrado, true,
             "detiene la importación: " + d.texto, kSolucionDanada);
    if (!defectos.empty()) return;
    bool conHorario = false;
    const bool leida = tabla(t, kSoluc, kImportacion, [&](dbf::Table& s, const Campos& c) {
      conHorario = leccion(s, c) || conHorario;
    });
    if (leida && !conHorario)
      anadir(kSoluc.archivo, 0, {}, {}, {}, true,
             "detiene la importación: El archivo " + t.path() + " no contiene ningún horario.",
             "Genere el horario en Zorvex: SOLUC.DBF no tiene ninguna clase con día.");
  }

  // One lesson of the solution: its teacher, subject, group and room as the exchange
  // tables know them, its period, and the rows the import makes of it. False for a
  // record without a day, which the import leaves out.
  bool leccion(dbf::Table& t, const Campos& c) {
    std::int64_t dia = 0, hora = 0;
    try {
      dia = t.asInteger(*c.at("DIA"));
      hora = t.asInteger(*c.at("HORA"));
    } catch (const std::exception&) {
      return false;  // already reported
    }
    if (dia == 0) return false;
    const std::uint32_t r = t.recNo();
    auto quieto = [&](const char* campo, const std::string& efecto, const std::string& consejo) {
      anadir(kSoluc.archivo, r, clave(t, c.at("PROF")), campo, almacenado(t, *c.at(campo)), false,
             efecto, consejo);
    };
    if (hora < 1 || hora > 20)
      quieto("HORA", "la clase vuelve a GESCEN sin horas de inicio y fin (periodos 1 a 20)",
             "Revise en Zorvex los periodos del horario.");
    const std::string prof = t.asString(*c.at("PROF"));
    const auto profesor = dniDe_.find(prof);
    if (profesor == dniDe_.end())
      quieto("PROF", "sus filas de horprof y horgrup vuelven a GESCEN con DNI 0",
             "El profesor no está en PROFT.DBF: exporte de nuevo y vuelva a generar el horario.");
    const Fila fila{r, dia, hora, profesor == dniDe_.end() ? 0 : profesor->second, prof};
    filaProfesor(fila, subcadena(t.asString(*c.at("TAREA")), 2, std::string::npos));
    const std::string nivel = t.asString(*c.at("NIVEL")), curso = t.asString(*c.at("CURSO"));
    if (recortar(nivel).empty() || recortar(curso).empty()) return true;
    const auto asignatura = codvalenDe_.find(claveDe({nivel, curso, t.asString(*c.at("ASIG"))}));
    const std::string grupo = t.asString(*c.at("GRUPO"));
    if (asignatura == codvalenDe_.end())
      quieto("ASIG", "su fila de horgrup vuelve a GESCEN sin grupo ni asignatura",
             "La asignatura no está en ASIGVALT.DBF: exporte de nuevo y vuelva a generar el "
             "horario.");
    else if (conGrupos_ && !grupos_.count(claveDe({nivel, curso, grupo})))
      quieto("GRUPO", "su fila de horgrup vuelve a GESCEN con un grupo que GRUPOST no tiene",
             "El grupo no está en GRUPOST.DBF: exporte de nuevo y vuelva a generar el horario.");
    std::int64_t aula = 0;
    const std::string a = t.asString(*c.at("AULA"));
    const bool conAula = gescen::numeroAula(a, aula);
    if (!recortar(a).empty() && !conAula)
      quieto("AULA", "su fila de horgrup vuelve a GESCEN sin código de aula",
             "Use en GESCEN y en Zorvex como código del aula un número de hasta tres cifras.");
    filaGrupo(fila, asignatura == codvalenDe_.end() ? nullptr : &asignatura->second, grupo,
              conAula ? &aula : nullptr);
    return true;
  }

  // What one lesson gives both timetables, and where it comes from.
  struct Fila {
    std::uint32_t registro;  // of SOLUC.DBF
    std::int64_t dia, hora, dni;
    std::string profesor;
  };

  // The values of one row the import makes, each tried in its field as the import
  // stores it: one that the field cannot hold stops the import at that row. The hint is
  // worked out only for a value that fails.
  struct FilaEscrita {
    Comprobador& c;
    PruebaEscritura& prueba;
    const char* archivo;
    std::uint32_t numero;  // the row's record in the timetable
    const Fila& fila;

    template <class Consejo>
    void texto(const char* campo, const std::string& valor, Consejo&& consejo) {
      anotar(campo, valor, prueba.texto(campo, valor, numero), consejo);
    }
    template <class Consejo>
    void entero(const char* campo, std::int64_t valor, Consejo&& consejo) {
      const std::string error = prueba.entero(campo, valor, numero);
      if (!error.empty()) anotar(campo, std::to_string(valor), error, consejo);
    }
    template <class Consejo>
    void anotar(const char* campo, const std::string& valor, const std::string& error,
                Consejo& consejo) {
      if (error.empty()) return;
      c.anadir(archivo, 0, {}, campo, valor, true, "detiene la importación: " + error, consejo());
    }
    auto deSolucion(const char* de) const {
      return [this, de] {
        return "El valor sale de " + std::string(de) + " en el registro " +
               std::to_string(fila.registro) + " de SOLUC.DBF: revise el horario en Zorvex.";
      };
    }
    auto delProfesor() const {
      return [this] {
        return "Es el DNI del profesor " + fila.profesor +
               " en PROFT.DBF: revíselo en GESCEN o en el control de profesores.";
      };
    }
    // The day and the period, and the period's times for periods 1 to 20.
    void diaYHoras(const char* diasem, const char* numhora, const char* desde, const char* hasta) {
      entero(diasem, fila.dia, deSolucion("DIA"));
      entero(numhora, fila.hora, deSolucion("HORA"));
      if (fila.hora < 1 || fila.hora > 20) return;
      const auto periodo = static_cast<std::size_t>(fila.hora);
      auto delPeriodo = [this] {
        return "Es una hora del periodo lectivo " + std::to_string(fila.hora) +
               " del centro: revísela en GESCEN (lhortipo) o en el control de la plantilla.";
      };
      texto(desde, c.desde_[periodo], delPeriodo);
      texto(hasta, c.hasta_[periodo], delPeriodo);
    }
  };

  // The teacher row, field by field in the order the import writes it.
  void filaProfesor(const Fila& f, const std::string& ocupa) {
    ++filasProfesor_;
    if (!escrituraProfesores_) return;
    FilaEscrita e{*this, *escrituraProfesores_, "horprof.dbf", filasProfesor_, f};
    e.diaYHoras("DIASEM", "NUMHORA", "HORAD", "HORAH");
    e.texto("OCUPA", ocupa, e.deSolucion("TAREA"));
    e.texto("CODCEN", opciones_.centro, [] { return std::string(kConsejoCentro); });
    e.entero("DNI", f.dni, e.delProfesor());
  }

  // The group row likewise.
  void filaGrupo(const Fila& f, const std::string* codvalen, const std::string& grupo,
                 const std::int64_t* aula) {
    ++filasGrupo_;
    if (!escrituraGrupos_) return;
    FilaEscrita e{*this, *escrituraGrupos_, "horgrup.dbf", filasGrupo_, f};
    e.diaYHoras("DIASEM", "NUMHORA", "HORDIADES", "HORDIAHAS");
    e.texto("CODCEN", opciones_.centro, [] { return std::string(kConsejoCentro); });
    e.entero("DNI", f.dni, e.delProfesor());
    if (codvalen != nullptr) {
      e.texto("CODGRUP", subcadena(*codvalen, 1, 4) + grupo, e.deSolucion("ASIG y GRUPO"));
      e.texto("CODASIG", *codvalen, e.deSolucion("ASIG"));
    }
    if (aula != nullptr) e.entero("CODAULA", *aula, e.deSolucion("AULA"));
  }

  gescen::Catalogo& tablas_;
  const OpcionesComprobacion& opciones_;
  std::vector<Problema> problemas_;
  std::set<std::string> conAbreviatura_;  // the subject codes of asignat
  // What the import reads and writes, gathered on the way.
  HorasPeriodo desde_, hasta_;
  std::map<std::string, std::int64_t> dniDe_;
  std::map<std::string, std::string> codvalenDe_;
  std::set<std::string> grupos_;
  bool conGrupos_ = false;
  std::optional<PruebaEscritura> escrituraProfesores_, escrituraGrupos_;
  std::uint32_t filasProfesor_ = 0, filasGrupo_ = 0;
};

}  // namespace

bool haySolucion() {
  return plat::fileExists(plat::toNative(std::string(gescen::kCarpetaTrabajo) + "\\SOLUC.DBF"));
}

std::vector<Problema> comprobarDatos(gescen::Catalogo& tablas,
                                     const OpcionesComprobacion& opciones) {
  std::vector<Problema> problemas = Comprobador(tablas, opciones).todo();
  // By table, in the order they were looked at, then by record.
  std::unordered_map<std::string, std::size_t> orden;
  for (const Problema& p : problemas) orden.try_emplace(p.tabla, orden.size());
  std::stable_sort(problemas.begin(), problemas.end(), [&](const Problema& a, const Problema& b) {
    const std::size_t x = orden[a.tabla], y = orden[b.tabla];
    return x != y ? x < y : a.registro < b.registro;
  });
  return problemas;
}

}  // namespace procesos
