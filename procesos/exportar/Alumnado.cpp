#include "procesos/exportar/Alumnado.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <stdexcept>

#include "dbf/FieldValue.h"
#include "gescen/CodigoGrupo.h"
#include "gescen/TablasIntercambio.h"
#include "gescen/Texto.h"
#include "procesos/exportar/Matriculas.h"

namespace procesos {
using gescen::trocearGrupo;

using gescen::CodigoGrupo;
using gescen::kASIGVALT;
using gescen::logico;
using gescen::MapaTextos;
using gescen::MemoCampo;
using gescen::rutaIntercambio;
using gescen::subcadena;
using gescen::texto;

namespace {}  // namespace

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
  std::vector<dbf::FieldDef> campos = {texto("EXPED", 20), texto("NOMBRE", 50), texto("TURNO", 1),
                                       texto("NIVEL", 5),  texto("CURSO", 3),   texto("GRUPO", 2),
                                       texto("OPCION", 1), logico("REPITE")};
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

// Rows made before they are stored together: a batch of this many (about 85 KB), which
// one buffer holds from batch to batch. Making every row first and storing them at once
// touched 4 MB of fresh memory on the ten-times school, and the whole command took
// 20 ms more for it.
constexpr std::size_t kFilasPorLote = 256;

// What every row starts from: the fields it writes, the blank record, what a repeater
// flag gives, and what each group gives its students' rows (level, course and letter,
// OPCION left blank), written once and then copied.
struct FilasAlumnos::Base {
  struct DeGrupo {
    bool utilizable;
    std::size_t primero;  // its first group record, for the shift
    std::string fila;
  };

  const dbf::Field &exped, &nombre, &turno, &nivel, &curso, &grupo, &repite;
  std::string blanca, repiteSi, repiteNo;
  std::optional<dbf::LazyField> codgrup;
  std::optional<MemoCampo<DeGrupo>> grupoDe;
  std::optional<MemoCampo<std::size_t>> cursoDe;
  std::optional<MemoCampo<bool>> repetidor;
  std::optional<CamposAlumno> campos;  // at the first student with a usable group
  std::string texto;

  explicit Base(const dbf::Layout& f)
      : exped(campo(f, "EXPED")),
        nombre(campo(f, "NOMBRE")),
        turno(campo(f, "TURNO")),
        nivel(campo(f, "NIVEL")),
        curso(campo(f, "CURSO")),
        grupo(campo(f, "GRUPO")),
        repite(campo(f, "REPITE")),
        blanca(f.recordLength, ' ') {
    dbf::blankRecord(f, blanca.data());
    repiteSi = repiteNo = blanca;
    dbf::writeValue(f, repite, repiteSi.data(), dbf::Value::ofBoolean(true));
    dbf::writeValue(f, repite, repiteNo.data(), dbf::Value::ofBoolean(false));
  }

  static const dbf::Field& campo(const dbf::Layout& f, const char* nombre) {
    return f.fields[static_cast<std::size_t>(f.find(nombre))];
  }
};

// Each subject code's abbreviation as the ASIGn fields store it, when it has one, and
// where those fields lie; they all have the first one's width (camposAlumnost).
struct FilasAlumnos::Asignaturas {
  std::vector<std::size_t> campos;
  std::size_t ancho = 0;
  std::string almacenadas;
  std::vector<bool> tiene;
};

FilasAlumnos::FilasAlumnos(const dbf::Layout& formato, const Turnos& turnos,
                           const Matriculas& matriculas,
                           const MapaTextos<std::string>& abreviaturas)
    : formato_(formato),
      turnos_(turnos),
      matriculas_(matriculas),
      base_(std::make_unique<Base>(formato)),
      asignaturas_(std::make_unique<Asignaturas>()) {
  Asignaturas& a = *asignaturas_;
  const dbf::Field& primera = Base::campo(formato_, "ASIG1");
  a.ancho = static_cast<std::size_t>(primera.length);
  for (int n = 1; n <= kMaxAsignaturasAlumno; ++n)
    a.campos.push_back(static_cast<std::size_t>(
        Base::campo(formato_, ("ASIG" + std::to_string(n)).c_str()).offset));
  const std::vector<std::string>& codigos = matriculas_.codigos();
  a.almacenadas.assign(codigos.size() * a.ancho, ' ');
  a.tiene.resize(codigos.size());
  std::string muestra(formato_.recordLength, ' ');
  for (std::size_t c = 0; c < codigos.size(); ++c) {
    auto it = abreviaturas.find(codigos[c]);
    if (it == abreviaturas.end()) continue;
    dbf::writeText(formato_, primera, muestra.data(), it->second);
    a.almacenadas.replace(c * a.ancho, a.ancho, muestra, static_cast<std::size_t>(primera.offset),
                          a.ancho);
    a.tiene[c] = true;
  }
  lote_.reserve(kFilasPorLote * formato_.recordLength);
}

FilasAlumnos::~FilasAlumnos() = default;

void FilasAlumnos::escribir(dbf::Table& alumnos, dbf::Table& alumnost) {
  Base& b = *base_;
  b.codgrup.emplace(alumnos, "CODGRUP");
  b.grupoDe.emplace(alumnos, std::initializer_list<const char*>{"CODGRUP"});
  b.cursoDe.emplace(alumnos, std::initializer_list<const char*>{"CODCUR"});
  b.repetidor.emplace(alumnos, std::initializer_list<const char*>{"REPITE"});
  const std::size_t largo = formato_.recordLength;
  alumnos.forEachRecord([&](const char* registro) {
    lote_.resize(lote_.size() + largo);
    char* fila = lote_.data() + lote_.size() - largo;
    bool hecha = false;
    try {
      hecha = hacerFila(alumnos, registro, fila);
    } catch (...) {
      lote_.resize(lote_.size() - largo);
      volcar(alumnost);
      throw;
    }
    if (!hecha) {
      lote_.resize(lote_.size() - largo);
      return;
    }
    ponerAsignaturas(fila, alumnost);
    if (lote_.size() == kFilasPorLote * largo) volcar(alumnost);
  });
  volcar(alumnost);
}

void FilasAlumnos::volcar(dbf::Table& alumnost) {
  if (!lote_.empty()) alumnost.appendRecords(lote_);
  lote_.clear();
}

// The student's fields written with the table engine's own field writers straight from
// the record; the subjects that follow stay blank.
bool FilasAlumnos::hacerFila(dbf::Table& alumnos, const char* registro, char* fila) {
  Base& b = *base_;
  const Base::DeGrupo& g = b.grupoDe->de(registro, [&] {
    alumnos.asString(**b.codgrup, b.texto);
    const CodigoGrupo c = trocearGrupo(b.texto);
    Base::DeGrupo nuevo{c.utilizable(), turnos_.primeroDelGrupo(b.texto), b.blanca};
    dbf::writeText(formato_, b.nivel, nuevo.fila.data(), c.nivel);
    dbf::writeText(formato_, b.curso, nuevo.fila.data(), c.curso);
    dbf::writeText(formato_, b.grupo, nuevo.fila.data(), c.grupo);
    return nuevo;
  });
  if (!g.utilizable) return false;
  if (!b.campos) b.campos.emplace(alumnos);
  const CamposAlumno& campos = *b.campos;
  const std::size_t delCurso = b.cursoDe->de(registro, [&] {
    alumnos.asString(*campos.codcur, b.texto);
    return turnos_.primeroDelCurso(b.texto);
  });
  std::memcpy(fila, g.fila.data(), formato_.recordLength);
  // A text field as reading it and writing it would store it.
  auto copiar = [&](const dbf::Field& desde, const dbf::Field& hacia) {
    if (dbf::copyText(alumnos.layout(), desde, registro, formato_, hacia, fila)) return;
    alumnos.asString(desde, b.texto);
    dbf::writeText(formato_, hacia, fila, b.texto);
  };
  copiar(*campos.codigo, b.exped);
  copiar(*campos.apenom, b.nombre);
  dbf::writeText(formato_, b.turno, fila, turnos_.de(g.primero, delCurso));
  const bool repetidor =
      b.repetidor->de(registro, [&] { return alumnos.asInteger(*campos.repite) == 1; });
  const std::string& r = repetidor ? b.repiteSi : b.repiteNo;
  std::memcpy(fila + b.repite.offset, r.data() + b.repite.offset,
              static_cast<std::size_t>(b.repite.length));
  return true;
}

// Each enrolment's subject found in ASIGVALT (by its CODVALEN order, the first row of a
// code) gives the next ASIGn.
void FilasAlumnos::ponerAsignaturas(char* fila, dbf::Table& alumnost) {
  const Asignaturas& a = *asignaturas_;
  // Where the row's own student stops the writer, the rows before it are stored first.
  auto fallar = [&](auto&& lanzar) {
    lote_.resize(lote_.size() - formato_.recordLength);
    volcar(alumnost);
    lanzar();
    throw std::logic_error("ALUMNOST tiene un campo de asignatura que no debería tener");
  };
  if (matriculas_.errorLectura())
    fallar([&] { std::rethrow_exception(matriculas_.errorLectura()); });
  std::string& texto = base_->texto;
  texto.clear();
  dbf::readText(formato_, base_->exped, fila, texto);
  const std::span<const std::uint32_t> suyas = matriculas_.buscar(texto, siguiente_);
  // A student with enrolments in a table without subject codes fails there.
  if (suyas.data() != nullptr && matriculas_.errorCodasig())
    fallar([&] { std::rethrow_exception(matriculas_.errorCodasig()); });
  std::size_t n = 0;
  for (std::uint32_t codigo : suyas) {
    if (!a.tiene[codigo]) continue;
    // A 51st subject asks for a field ALUMNOST lacks.
    if (n == a.campos.size())
      fallar([&] { alumnost.campo("ASIG" + std::to_string(kMaxAsignaturasAlumno + 1)); });
    std::memcpy(fila + a.campos[n++], a.almacenadas.data() + codigo * a.ancho, a.ancho);
  }
}

}  // namespace procesos
