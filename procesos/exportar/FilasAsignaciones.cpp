#include "procesos/exportar/FilasAsignaciones.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include "dbf/FieldValue.h"
#include "gescen/Busquedas.h"
#include "gescen/CodigoGrupo.h"
#include "gescen/Staging.h"
#include "gescen/TablasIntercambio.h"
#include "gescen/Texto.h"
#include "procesos/exportar/Lecciones.h"

namespace procesos {
using gescen::CodigoGrupo;
using gescen::MapaTextos;
using gescen::real;
using gescen::texto;
using gescen::valorAlmacenado;

namespace {

constexpr std::size_t kAncho = 4;  // of CASIG, CPROF and CGRUP

// The texts met in one of the three columns that tell rows apart (CASIG, CPROF, CGRUP),
// each numbered once.
class Columna {
 public:
  std::uint32_t numero(const std::string& texto) {
    return numeros_.try_emplace(texto, static_cast<std::uint32_t>(numeros_.size())).first->second;
  }

 private:
  MapaTextos<std::uint32_t> numeros_;
};

// A value of one of those columns: its text, the number of that text and the number of
// what the table stores for it.
struct Valor {
  std::string texto;
  std::uint32_t numero;
  std::uint32_t numeroAlmacenado;
  Valor(std::string t, Columna& columna)
      : texto(std::move(t)),
        numero(columna.numero(texto)),
        numeroAlmacenado(columna.numero(valorAlmacenado(texto, kAncho))) {}
};

// The rows written, told apart by the numbers of their three texts. They are kept by
// group: the timetable lists each group's lessons together, so the rows a lesson is
// compared with lie close together in memory.
class Escritas {
 public:
  bool contiene(std::uint64_t casig, std::uint64_t cprof, std::uint32_t cgrup) const {
    return cgrup < porGrupo_.size() && porGrupo_[cgrup].contains(casig << 32 | cprof);
  }
  void anotar(std::uint64_t casig, std::uint64_t cprof, std::uint32_t cgrup) {
    if (cgrup >= porGrupo_.size()) porGrupo_.resize(cgrup + 1);
    porGrupo_[cgrup].insert(casig << 32 | cprof);
  }

 private:
  std::vector<std::unordered_set<std::uint64_t>> porGrupo_;
};

// What a subject code of the timetable gives: its abbreviation and hours, or the
// defaults when ASIGVALT lacks it.
struct Asignatura {
  Valor cod;
  double horas = 1.0;
  std::string sesiones = "1";
};

struct Grupo {
  CodigoGrupo codigo;
  Valor abreviatura;
};

}  // namespace

std::vector<dbf::FieldDef> camposAsigt() {
  return {texto("CASIG", 4), texto("CPROF", 4),     texto("CGRUP", 4), texto("CAULA", 4),
          texto("TURNO", 1), texto("NIVEL", 5),     texto("CURSO", 3), texto("GRUPO", 2),
          real("HORAS"),     texto("SESIONES", 20), texto("CTAREA", 4)};
}

void abrirEnTrabajo(dbf::Table& tabla, const char* nombre) {
  tabla.setDatabaseName(gescen::kCarpetaTrabajo);
  tabla.setTableName(nombre);
  tabla.open();
}

struct FuentesAsignaciones::Datos {
  Columna columnaCasig, columnaCprof, columnaCgrup;
  MapaTextos<Asignatura> asignaturas;
  std::unordered_map<std::int64_t, Valor> profesores;
};

FuentesAsignaciones::FuentesAsignaciones() : d_(std::make_unique<Datos>()) {}
FuentesAsignaciones::~FuentesAsignaciones() = default;

void FuentesAsignaciones::leerAsignaturas(dbf::Table& asigvalt) {
  const dbf::LazyField nhoras(asigvalt, "NHORAS"), codvalen(asigvalt, "CODVALEN"),
      cod(asigvalt, "COD");
  for (asigvalt.first(); !asigvalt.eof(); asigvalt.next()) {
    const double horas = asigvalt.asFloat(*nhoras);
    const auto sesiones =
        static_cast<std::size_t>(std::clamp<std::int64_t>(dbf::roundHalfEven(horas), 0, 20));
    d_->asignaturas.try_emplace(asigvalt.asString(*codvalen),
                                Asignatura{Valor(asigvalt.asString(*cod), d_->columnaCasig), horas,
                                           std::string(sesiones, '1')});
  }
}

void FuentesAsignaciones::leerProfesores(dbf::Table& proft) {
  const dbf::LazyField dni(proft, "DNI"), abrev(proft, "ABREV");
  for (proft.first(); !proft.eof(); proft.next())
    d_->profesores.try_emplace(proft.asInteger(*dni),
                               Valor(proft.asString(*abrev), d_->columnaCprof));
}

void FuentesAsignaciones::recorrer(const Lecciones& lecciones,
                                   const std::function<void(const FilaAsignacion&)>& fila) {
  // What each group, subject and teacher code gives, worked out once per code.
  std::vector<Grupo> grupos;
  for (const CodigoGrupo& codigo : lecciones.grupos())
    grupos.push_back(Grupo{codigo, Valor(codigo.abreviatura(), d_->columnaCgrup)});
  const Asignatura sinAsignatura{Valor("", d_->columnaCasig), 1.0, "1"};
  std::vector<const Asignatura*> asignaturaDe;
  for (const std::string& codigo : lecciones.asignaturas()) {
    auto it = d_->asignaturas.find(codigo);
    asignaturaDe.push_back(it == d_->asignaturas.end() ? &sinAsignatura : &it->second);
  }
  const Valor sinProfesor("", d_->columnaCprof);
  std::vector<const Valor*> profesorDe;
  for (std::int64_t dni : lecciones.profesores()) {
    auto it = d_->profesores.find(dni);
    profesorDe.push_back(it == d_->profesores.end() ? &sinProfesor : &it->second);
  }

  Escritas escritas;
  for (const Lecciones::Leccion& l : lecciones.lecciones()) {
    const Grupo& g = grupos[l.grupo];
    const Asignatura& a = *asignaturaDe[l.asignatura];
    const Valor& cprof = *profesorDe[l.profesor];
    if (escritas.contiene(a.cod.numero, cprof.numero, g.abreviatura.numero)) continue;
    fila({a.cod.texto, cprof.texto, g.abreviatura.texto, g.codigo.nivel, g.codigo.curso,
          g.codigo.grupo, a.horas, a.sesiones, l.asignatura, l.profesor, l.grupo});
    escritas.anotar(a.cod.numeroAlmacenado, cprof.numeroAlmacenado, g.abreviatura.numeroAlmacenado);
  }
}

namespace {}  // namespace

CamposAsigt::CamposAsigt(const dbf::Layout& asigt) {
  auto campo = [&](const char* n) {
    return &asigt.fields[static_cast<std::size_t>(asigt.find(n))];
  };
  casig = campo("CASIG");
  cprof = campo("CPROF");
  cgrup = campo("CGRUP");
  caula = campo("CAULA");
  turno = campo("TURNO");
  nivel = campo("NIVEL");
  curso = campo("CURSO");
  grupo = campo("GRUPO");
  horas = campo("HORAS");
  sesiones = campo("SESIONES");
  ctarea = campo("CTAREA");
}

// Each subject, teacher and group met, and the record holding what it gives the rows:
// the subject's record also holds the values every row has.
struct FilasEnFormato::Piezas {
  std::string blanca;                                        // a new record
  std::vector<std::string> asignaturas, profesores, grupos;  // by code number; empty until met
};

FilasEnFormato::FilasEnFormato(const dbf::Layout& asigt)
    : asigt_(asigt), campos_(asigt), piezas_(std::make_unique<Piezas>()) {
  piezas_->blanca.assign(asigt_.recordLength, ' ');
  dbf::blankRecord(asigt_, piezas_->blanca.data());
}
FilasEnFormato::~FilasEnFormato() = default;

void FilasEnFormato::escribir(const FilaAsignacion& f, char* registro) {
  const CamposAsigt& c = campos_;
  auto pieza = [&](std::vector<std::string>& piezas, std::uint32_t quien,
                   auto escribirPieza) -> const std::string& {
    if (quien >= piezas.size()) piezas.resize(quien + 1);
    std::string& p = piezas[quien];
    if (p.empty()) {
      p = piezas_->blanca;
      escribirPieza(p.data());
    }
    return p;
  };
  auto copiar = [&](const std::string& desde, const dbf::Field* campo) {
    std::memcpy(registro + campo->offset, desde.data() + campo->offset,
                static_cast<std::size_t>(campo->length));
  };
  const std::string& asignatura = pieza(piezas_->asignaturas, f.asignatura, [&](char* r) {
    dbf::writeText(asigt_, *c.casig, r, f.casig);
    dbf::writeText(asigt_, *c.caula, r, "");
    dbf::writeText(asigt_, *c.turno, r, "");
    dbf::writeValue(asigt_, *c.horas, r, dbf::Value::ofFloat(f.horas));
    dbf::writeText(asigt_, *c.sesiones, r, f.sesiones);
    dbf::writeText(asigt_, *c.ctarea, r, "*12");
  });
  const std::string& profesor = pieza(piezas_->profesores, f.profesor, [&](char* r) {
    dbf::writeText(asigt_, *c.cprof, r, f.cprof);
  });
  const std::string& grupo = pieza(piezas_->grupos, f.grupoDe, [&](char* r) {
    dbf::writeText(asigt_, *c.cgrup, r, f.cgrup);
    dbf::writeText(asigt_, *c.nivel, r, f.nivel);
    dbf::writeText(asigt_, *c.curso, r, f.curso);
    dbf::writeText(asigt_, *c.grupo, r, f.grupo);
  });
  std::memcpy(registro, asignatura.data(), asigt_.recordLength);
  copiar(profesor, c.cprof);
  for (const dbf::Field* campo : {c.cgrup, c.nivel, c.curso, c.grupo}) copiar(grupo, campo);
}

}  // namespace procesos
