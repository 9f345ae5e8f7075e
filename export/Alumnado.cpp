#include "Alumnado.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <unordered_map>

#include "FieldValue.h"
#include "Matriculas.h"
#include "SegundoPlano.h"
#include "TablasIntercambio.h"
#include "Texto.h"

namespace tzv {
namespace {

// The fields of the GESCEN student table, found by name at the first student with a
// usable group, in the order in which the writer reads them.
struct CamposAlumno {
  const dbf::Field* codcur;
  const dbf::Field* codigo;
  const dbf::Field* apenom;
  const dbf::Field* repite;
  explicit CamposAlumno(const dbf::Table& alumnos)
      : codcur(&alumnos.campo("CODCUR")),
        codigo(&alumnos.campo("CODIGO")),
        apenom(&alumnos.campo("APENOM")),
        repite(&alumnos.campo("REPITE")) {}
};

// Any error ends the list where it came: one before the first student, or from a
// missing field, leaves the list empty, and the writer raises it before any row.
void leerAlumnos(dbf::Table& tabla, const Turnos& turnos, std::deque<DatosGrupo>& grupos,
                 LecturaAlumnos& lectura) {
  try {
    const dbf::LazyField codgrup(tabla, "CODGRUP");
    std::optional<CamposAlumno> campos;
    MemoCampo<const DatosGrupo*> grupoDe(tabla, {"CODGRUP"});
    MemoCampo<std::size_t> cursoDe(tabla, {"CODCUR"});
    std::string texto;
    lectura.alumnos.reserve(tabla.recordCount());
    tabla.forEachRecord([&](const char* registro) {
      const DatosGrupo* g = grupoDe.de(registro, [&] {
        tabla.asString(*codgrup, texto);
        DatosGrupo& nuevo = grupos.emplace_back();
        nuevo.codigo = trocearGrupo(texto);
        nuevo.primeroDelGrupo = turnos.primeroDelGrupo(texto);
        return &nuevo;
      });
      if (!g->codigo.utilizable()) return;
      if (!campos) campos.emplace(tabla);
      const std::size_t delCurso =
          cursoDe.de(registro, [&] { return turnos.primeroDelCurso(tabla.asString(*campos->codcur)); });
      lectura.errorTrasAnadir = true;
      Alumno a{tabla.asString(*campos->codigo), tabla.asString(*campos->apenom),
               turnos.de(g->primeroDelGrupo, delCurso), g, tabla.asInteger(*campos->repite) == 1, {}};
      lectura.errorTrasAnadir = false;
      lectura.alumnos.push_back(std::move(a));
    });
  } catch (...) {
    lectura.error = std::current_exception();
  }
}

// The error `accion` raises, or none.
template <class Accion>
std::exception_ptr intentar(Accion accion) {
  try {
    accion();
    return nullptr;
  } catch (...) {
    return std::current_exception();
  }
}

}  // namespace

Turnos::Turnos(dbf::Table& grupos) {
  for (grupos.first(); !grupos.eof(); grupos.next()) {
    const std::string codgrup = grupos.asString("CODGRUP");
    const std::size_t i = turnos_.size();
    turnos_.push_back(grupos.asString("TURNO"));
    porGrupo_.try_emplace(codgrup, i);
    porCurso_.try_emplace(subcadena(codgrup, 1, 4), i);
  }
}

std::vector<dbf::FieldDef> camposAlumnost() {
  std::vector<dbf::FieldDef> campos = {texto("EXPED", 20), texto("NOMBRE", 50), texto("TURNO", 1), texto("NIVEL", 5),
                                       texto("CURSO", 3),  texto("GRUPO", 2),   texto("OPCION", 1), logico("REPITE")};
  for (int n = 1; n <= kMaxAsignaturasAlumno; ++n) {
    campos.push_back({"ASIG" + std::to_string(n), dbf::FieldKind::String, 4});
    campos.push_back({"DIV" + std::to_string(n), dbf::FieldKind::String, 1});
  }
  return campos;
}

void abrirPorCodvalen(dbf::Table& asigvalt) {
  asigvalt.setTableName(rutaIntercambio(kASIGVALT));
  asigvalt.setIndexName("CODVALEN");
  asigvalt.open();
}

MapaTextos<std::string> abreviaturasDe(dbf::Table& asigvalt) {
  MapaTextos<std::string> abreviaturas;
  for (asigvalt.first(); !asigvalt.eof(); asigvalt.next())
    abreviaturas.try_emplace(asigvalt.asString("CODVALEN"), asigvalt.asString("COD"));
  return abreviaturas;
}

Alumnado::Alumnado(dbf::Table& grupos, dbf::Table& alumnos, const Matriculas& matriculas)
    : grupos_(grupos),
      alumnos_(alumnos),
      matriculas_(matriculas),
      formato_(dbf::reopenedLayout(camposAlumnost(), kALUMNOST)) {
  hecho_ = enSegundoPlano([this] { leer(); });
}

void Alumnado::asignaturasEscritas() { asignaturas_.dar(); }

Alumnado::~Alumnado() {
  asignaturas_.retirar();
  if (hecho_.valid()) hecho_.wait();
  try {
    alumnos_.close();
    grupos_.close();
  } catch (...) {
  }
}

void Alumnado::leer() {
  // The same steps as the writer's plain pass, each one's error kept for its own point.
  errorGrupos_ = intentar([&] { grupos_.open(); });
  if (errorGrupos_) return;
  errorAlumnos_ = intentar([&] { alumnos_.open(); });
  if (errorAlumnos_) return;
  std::optional<Turnos> turnos;
  errorTurnos_ = intentar([&] { turnos.emplace(grupos_); });
  if (errorTurnos_) return;
  leerAlumnos(alumnos_, *turnos, datosGrupos_, lectura_);
  prepararFilas();
  // Rows made whole only when nothing failed: otherwise the writer fills the subjects
  // itself, and fails where a plain pass fails.
  try {
    completarFilas();
  } catch (...) {
    completas_ = false;
  }
}

// The row's fields up to REPITE, written by the table engine's own field writers; the
// subjects that follow stay blank.
void Alumnado::prepararFilas() {
  auto campo = [&](const char* nombre) -> const dbf::Field& {
    return formato_.fields[static_cast<std::size_t>(formato_.find(nombre))];
  };
  const dbf::Field &exped = campo("EXPED"), &nombre = campo("NOMBRE"), &turno = campo("TURNO"),
                   &nivel = campo("NIVEL"), &curso = campo("CURSO"), &grupo = campo("GRUPO"),
                   &repite = campo("REPITE");
  std::string blanca(formato_.recordLength, ' ');
  dbf::blankRecord(formato_, blanca.data());
  largoInicio_ = static_cast<std::size_t>(repite.offset + repite.length);
  // What a group gives each of its students' rows (level, course and letter), and what a
  // repeater flag gives, written once and then copied; OPCION stays blank.
  auto copiar = [](const std::string& desde, const dbf::Field& campo, char* fila) {
    std::memcpy(fila + campo.offset, desde.data() + campo.offset, static_cast<std::size_t>(campo.length));
  };
  std::unordered_map<const DatosGrupo*, std::string> deGrupo;
  std::string repiteSi = blanca, repiteNo = blanca;
  dbf::writeValue(formato_, repite, repiteSi.data(), dbf::Value::ofBoolean(true));
  dbf::writeValue(formato_, repite, repiteNo.data(), dbf::Value::ofBoolean(false));
  filas_.reset(new char[lectura_.alumnos.size() * formato_.recordLength]);
  char* fila = filas_.get();
  for (Alumno& a : lectura_.alumnos) {
    auto [g, nuevo] = deGrupo.try_emplace(a.grupo);
    if (nuevo) {
      g->second = blanca;
      dbf::writeText(formato_, nivel, g->second.data(), a.grupo->codigo.nivel);
      dbf::writeText(formato_, curso, g->second.data(), a.grupo->codigo.curso);
      dbf::writeText(formato_, grupo, g->second.data(), a.grupo->codigo.grupo);
    }
    std::memcpy(fila, blanca.data(), formato_.recordLength);
    dbf::writeText(formato_, exped, fila, a.codigo);
    dbf::writeText(formato_, nombre, fila, a.nombre);
    dbf::writeText(formato_, turno, fila, a.turno);
    for (const dbf::Field* campo : {&nivel, &curso, &grupo}) copiar(g->second, *campo, fila);
    copiar(a.repite ? repiteSi : repiteNo, repite, fila);
    // What EXPED reads back as: the code itself when writing it changed nothing (plain
    // ASCII that fits), else what the field gives back.
    if (a.codigo.size() <= static_cast<std::size_t>(exped.length) &&
        std::all_of(a.codigo.begin(), a.codigo.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
      a.exped = a.codigo;
    else
      dbf::readText(formato_, exped, fila, a.exped);
    fila += formato_.recordLength;
  }
}

// The subjects of each row, as the writer fills them: each enrolment's subject found in
// ASIGVALT (by its CODVALEN order, the first row of a code) gives the next ASIGn.
void Alumnado::completarFilas() {
  if (!asignaturas_.esperar() || lectura_.error) return;
  std::shared_future<void> matriculas = matriculas_.lectura();
  matriculas.get();
  if (!matriculas_.tieneCodasig()) return;
  dbf::Table asigvalt;
  abrirPorCodvalen(asigvalt);
  const MapaTextos<std::string> abreviaturas = abreviaturasDe(asigvalt);
  asigvalt.close();
  // Each subject code's abbreviation as the ASIGn fields store it, null without one.
  std::vector<const dbf::Field*> asignaturas;
  for (int n = 1; n <= kMaxAsignaturasAlumno; ++n)
    asignaturas.push_back(&formato_.fields[static_cast<std::size_t>(formato_.find("ASIG" + std::to_string(n)))]);
  std::deque<std::string> almacenadas;
  std::vector<const std::string*> abreviaturaDe;
  for (const std::string& codigo : matriculas_.codigos()) {
    auto it = abreviaturas.find(codigo);
    if (it == abreviaturas.end()) {
      abreviaturaDe.push_back(nullptr);
      continue;
    }
    std::string fila(formato_.recordLength, ' ');
    dbf::writeText(formato_, *asignaturas.front(), fila.data(), it->second);
    abreviaturaDe.push_back(&almacenadas.emplace_back(fila, asignaturas.front()->offset,
                                                      asignaturas.front()->length));
  }
  std::uint32_t siguiente = 0;
  for (std::size_t i = 0; i < lectura_.alumnos.size(); ++i) {
    char* fila = filas_.get() + i * formato_.recordLength;
    std::size_t n = 0;
    for (std::uint32_t codigo : matriculas_.buscar(lectura_.alumnos[i].exped, siguiente)) {
      const std::string* abreviatura = abreviaturaDe[codigo];
      if (abreviatura == nullptr) continue;
      if (n == asignaturas.size()) return;  // a 51st subject: the writer fails there
      const dbf::Field& f = *asignaturas[n++];
      if (static_cast<std::size_t>(f.length) != abreviatura->size()) return;
      std::memcpy(fila + f.offset, abreviatura->data(), abreviatura->size());
    }
  }
  completas_ = true;
}

void Alumnado::abrirGrupos() {
  hecho_.get();
  if (errorGrupos_) std::rethrow_exception(errorGrupos_);
}

void Alumnado::abrirAlumnos() {
  hecho_.get();
  if (errorAlumnos_) std::rethrow_exception(errorAlumnos_);
}

LecturaAlumnos& Alumnado::lectura() {
  hecho_.get();
  if (errorTurnos_) std::rethrow_exception(errorTurnos_);
  return lectura_;
}

}  // namespace tzv
