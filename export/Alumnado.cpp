#include "Alumnado.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <optional>

#include "CodigoGrupo.h"
#include "FieldValue.h"
#include "Matriculas.h"
#include "TablasIntercambio.h"
#include "Texto.h"

namespace tzv {
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

Alumnado::Alumnado(dbf::Table& alumnos, const dbf::Layout& formato, const Turnos& turnos,
                   const Matriculas& matriculas, const MapaTextos<std::string>& abreviaturas)
    : alumnos_(alumnos), formato_(formato), turnos_(turnos), matriculas_(matriculas) {
  // A failure while making a row stops at that student; the subjects of the rows before
  // it come first, as a plain pass fills each row's subjects before the next student.
  std::exception_ptr errorFilas;
  try {
    hacerFilas();
  } catch (...) {
    errorFilas = std::current_exception();
  }
  completarFilas(abreviaturas);
  if (!fallo_) {
    filasBuenas_ = numFilas_;
    error_ = errorFilas;
  }
}

void Alumnado::fallarEn(std::size_t fila, std::exception_ptr error) {
  fallo_ = true;
  filasBuenas_ = fila;
  error_ = std::move(error);
}

// Each row up to REPITE, written with the table engine's own field writers straight
// from the student's record; the subjects that follow stay blank.
void Alumnado::hacerFilas() {
  dbf::Table& tabla = alumnos_;
  const dbf::Layout& origen = tabla.layout();
  auto campo = [&](const char* nombre) -> const dbf::Field& {
    return formato_.fields[static_cast<std::size_t>(formato_.find(nombre))];
  };
  const dbf::Field &exped = campo("EXPED"), &nombre = campo("NOMBRE"), &turno = campo("TURNO"),
                   &nivel = campo("NIVEL"), &curso = campo("CURSO"), &grupo = campo("GRUPO"),
                   &repite = campo("REPITE");
  const std::size_t largo = formato_.recordLength;
  std::string blanca(largo, ' ');
  dbf::blankRecord(formato_, blanca.data());
  // What a repeater flag gives, and what a group gives each of its students' rows
  // (level, course and letter, OPCION left blank), written once and then copied.
  std::string repiteSi = blanca, repiteNo = blanca;
  dbf::writeValue(formato_, repite, repiteSi.data(), dbf::Value::ofBoolean(true));
  dbf::writeValue(formato_, repite, repiteNo.data(), dbf::Value::ofBoolean(false));
  struct DeGrupo {
    bool utilizable;
    std::size_t primero;  // its first group record, for the shift
    std::string fila;
  };
  const dbf::LazyField codgrup(tabla, "CODGRUP");
  MemoCampo<DeGrupo> grupoDe(tabla, {"CODGRUP"});
  MemoCampo<std::size_t> cursoDe(tabla, {"CODCUR"});
  MemoCampo<bool> repetidor(tabla, {"REPITE"});
  std::optional<CamposAlumno> campos;
  std::string texto;
  filas_.reset(new char[std::size_t{tabla.recordCount()} * largo]);
  char* fila = filas_.get();
  // A text field as reading it and writing it would store it.
  auto copiar = [&](const char* registro, const dbf::Field& desde, const dbf::Field& hacia) {
    if (dbf::copyText(origen, desde, registro, formato_, hacia, fila)) return;
    tabla.asString(desde, texto);
    dbf::writeText(formato_, hacia, fila, texto);
  };
  tabla.forEachRecord([&](const char* registro) {
    const DeGrupo& g = grupoDe.de(registro, [&] {
      tabla.asString(*codgrup, texto);
      const CodigoGrupo c = trocearGrupo(texto);
      DeGrupo nuevo{c.utilizable(), turnos_.primeroDelGrupo(texto), blanca};
      dbf::writeText(formato_, nivel, nuevo.fila.data(), c.nivel);
      dbf::writeText(formato_, curso, nuevo.fila.data(), c.curso);
      dbf::writeText(formato_, grupo, nuevo.fila.data(), c.grupo);
      return nuevo;
    });
    if (!g.utilizable) return;
    if (!campos) campos.emplace(tabla);
    const std::size_t delCurso = cursoDe.de(registro, [&] {
      tabla.asString(*campos->codcur, texto);
      return turnos_.primeroDelCurso(texto);
    });
    std::memcpy(fila, g.fila.data(), largo);
    copiar(registro, *campos->codigo, exped);
    copiar(registro, *campos->apenom, nombre);
    dbf::writeText(formato_, turno, fila, turnos_.de(g.primero, delCurso));
    const std::string& r =
        repetidor.de(registro, [&] { return tabla.asInteger(*campos->repite) == 1; }) ? repiteSi
                                                                                      : repiteNo;
    std::memcpy(fila + repite.offset, r.data() + repite.offset,
                static_cast<std::size_t>(repite.length));
    fila += largo;
    ++numFilas_;
  });
}

// The subjects of each row, as the writer fills them: each enrolment's subject found in
// ASIGVALT (by its CODVALEN order, the first row of a code) gives the next ASIGn.
void Alumnado::completarFilas(const MapaTextos<std::string>& abreviaturas) {
  if (numFilas_ == 0) return;
  // The enrolments are looked at from the first student on.
  if (matriculas_.errorLectura()) return fallarEn(0, matriculas_.errorLectura());
  // Each student's enrolments are found by what the row's EXPED reads back as: the row's
  // own bytes when they read back as they are.
  const dbf::Field& exped = formato_.fields[static_cast<std::size_t>(formato_.find("EXPED"))];
  std::vector<std::string_view> codigosAlumno;
  std::deque<std::string> leidos;
  codigosAlumno.reserve(numFilas_);
  std::string texto;
  for (std::size_t i = 0; i < numFilas_; ++i) {
    const char* fila = filas_.get() + i * formato_.recordLength;
    texto.clear();
    dbf::readText(formato_, exped, fila, texto);
    const std::string_view bytes(fila + exped.offset,
                                 std::min(texto.size(), static_cast<std::size_t>(exped.length)));
    codigosAlumno.push_back(
        MismosBytes()(bytes, texto) ? bytes : std::string_view(leidos.emplace_back(texto)));
  }
  // Where each ASIGn field lies; they all have the first one's width (camposAlumnost).
  std::vector<std::size_t> asignaturas;
  const dbf::Field& primera = formato_.fields[static_cast<std::size_t>(formato_.find("ASIG1"))];
  const auto ancho = static_cast<std::size_t>(primera.length);
  for (int n = 1; n <= kMaxAsignaturasAlumno; ++n)
    asignaturas.push_back(static_cast<std::size_t>(
        formato_.fields[static_cast<std::size_t>(formato_.find("ASIG" + std::to_string(n)))]
            .offset));
  // Each subject code's abbreviation as those fields store it, when it has one.
  const std::vector<std::string>& codigos = matriculas_.codigos();
  std::string almacenadas(codigos.size() * ancho, ' ');
  std::vector<bool> tiene(codigos.size());
  std::string muestra(formato_.recordLength, ' ');
  for (std::size_t c = 0; c < codigos.size(); ++c) {
    auto it = abreviaturas.find(codigos[c]);
    if (it == abreviaturas.end()) continue;
    dbf::writeText(formato_, primera, muestra.data(), it->second);
    almacenadas.replace(c * ancho, ancho, muestra, static_cast<std::size_t>(primera.offset), ancho);
    tiene[c] = true;
  }
  std::uint32_t siguiente = 0;
  for (std::size_t i = 0; i < numFilas_; ++i) {
    char* fila = filas_.get() + i * formato_.recordLength;
    const std::span<const std::uint32_t> suyas = matriculas_.buscar(codigosAlumno[i], siguiente);
    // A student with enrolments in a table without subject codes fails there.
    if (suyas.data() != nullptr && matriculas_.errorCodasig())
      return fallarEn(i, matriculas_.errorCodasig());
    std::size_t n = 0;
    for (std::uint32_t codigo : suyas) {
      if (!tiene[codigo]) continue;
      if (n == asignaturas.size()) {
        // A 51st subject asks for a field ALUMNOST lacks.
        fallo_ = true;
        filasBuenas_ = i;
        demasiadas_ = true;
        return;
      }
      std::memcpy(fila + asignaturas[n++], almacenadas.data() + codigo * ancho, ancho);
    }
  }
}

}  // namespace tzv
