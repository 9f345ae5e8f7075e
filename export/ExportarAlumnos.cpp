#include "ExportarAlumnos.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <exception>
#include <limits>
#include <optional>
#include <span>
#include <vector>

#include "Alumnado.h"
#include "Busquedas.h"
#include "Catalogo.h"
#include "CodigoGrupo.h"
#include "Matriculas.h"
#include "Staging.h"
#include "TablasIntercambio.h"
#include "Texto.h"

namespace tzv {
namespace {

constexpr int kMaxAsignaturas = 50;
constexpr std::size_t kNinguno = std::numeric_limits<std::size_t>::max();

std::vector<dbf::FieldDef> camposAlumnos() {
  std::vector<dbf::FieldDef> campos = {texto("EXPED", 20), texto("NOMBRE", 50), texto("TURNO", 1), texto("NIVEL", 5),
                                       texto("CURSO", 3),  texto("GRUPO", 2),   texto("OPCION", 1), logico("REPITE")};
  for (int n = 1; n <= kMaxAsignaturas; ++n) {
    campos.push_back({"ASIG" + std::to_string(n), dbf::FieldKind::String, 4});
    campos.push_back({"DIV" + std::to_string(n), dbf::FieldKind::String, 1});
  }
  return campos;
}

// Subject code to abbreviation through the CODVALEN order of ASIGVALT: the first row of
// a code.
using Abreviaturas = MapaTextos<std::string>;

}  // namespace

void ExportarAlumnos(gc::Catalogo& tablas) {
  Matriculas matriculas(tablas.wwTableAsigAlum);
  Alumnado alumnado(tablas.wwTableGrupos, tablas.wwTableAlumnos);
  ExportarAlumnos(tablas, matriculas, alumnado);
}

void ExportarAlumnos(gc::Catalogo& tablas, Matriculas& matriculas, Alumnado& alumnado) {
  dbf::Table alumnost;
  recrearIntercambio(alumnost, kALUMNOST, camposAlumnos());

  dbf::Table asigvalt;
  asigvalt.setTableName(rutaIntercambio(kASIGVALT));
  asigvalt.setIndexName("CODVALEN");
  asigvalt.open();
  Abreviaturas abreviaturas;
  for (asigvalt.first(); !asigvalt.eof(); asigvalt.next())
    abreviaturas.try_emplace(asigvalt.asString("CODVALEN"), asigvalt.asString("COD"));

  // The group and student tables were opened and read ahead: their errors come here, at
  // the points where the tables are opened and read.
  alumnado.abrirGrupos();
  alumnost.open();
  alumnado.abrirAlumnos();
  matriculas.abrir();
  const LecturaAlumnos& lectura = alumnado.lectura();

  std::vector<const dbf::Field*> asignaturas;  // ASIG1, ASIG2... as far as the table has them
  for (int n = 1; n <= kMaxAsignaturas; ++n)
    asignaturas.push_back(&alumnost.campo("ASIG" + std::to_string(n)));
  const dbf::Field& exped = alumnost.campo("EXPED");
  const dbf::Field& nombre = alumnost.campo("NOMBRE");
  const dbf::Field& turno = alumnost.campo("TURNO");
  const dbf::Field& nivel = alumnost.campo("NIVEL");
  const dbf::Field& curso = alumnost.campo("CURSO");
  const dbf::Field& grupo = alumnost.campo("GRUPO");
  const dbf::Field& opcion = alumnost.campo("OPCION");
  const dbf::Field& repite = alumnost.campo("REPITE");
  // Texts that many rows share are encoded once: each group's parts, each subject's
  // abbreviation (null for a subject without one) and the blank option.
  std::deque<std::string> abreviaturasAlmacenadas;
  std::vector<const std::string*> abreviaturaDe;
  const std::string sinOpcion = alumnost.storedText(opcion, "");
  std::string texto;
  for (const Alumno& a : lectura.alumnos) {
    DatosGrupo& g = *a.grupo;
    if (g.nivel.empty()) {
      g.nivel = alumnost.storedText(nivel, g.codigo.nivel);
      g.curso = alumnost.storedText(curso, g.codigo.curso);
      g.grupo = alumnost.storedText(grupo, g.codigo.grupo);
    }
    alumnost.append();
    alumnost.setString(exped, a.codigo);
    alumnost.setString(nombre, a.nombre);
    alumnost.setString(turno, a.turno);
    alumnost.setStored(nivel, g.nivel);
    alumnost.setStored(curso, g.curso);
    alumnost.setStored(grupo, g.grupo);
    alumnost.setStored(opcion, sinOpcion);
    alumnost.setBoolean(repite, a.repite);

    // Subjects in ASIGn; the DIVn fields stay blank.
    std::size_t n = 0;
    alumnost.asString(exped, texto);
    const std::span<const std::uint32_t> codigos = matriculas.de(texto);
    for (std::size_t c = abreviaturaDe.size(); c < matriculas.codigos().size(); ++c) {
      auto it = abreviaturas.find(matriculas.codigos()[c]);
      abreviaturaDe.push_back(it == abreviaturas.end()
                                  ? nullptr
                                  : &abreviaturasAlmacenadas.emplace_back(
                                        alumnost.storedText(*asignaturas.front(), it->second)));
    }
    for (std::uint32_t codigo : codigos) {
      const std::string* abreviatura = abreviaturaDe[codigo];
      if (abreviatura == nullptr) continue;
      // A 51st subject asks for a field the table lacks, which stops the export.
      if (n == kMaxAsignaturas) alumnost.campo("ASIG" + std::to_string(n + 1));
      alumnost.setStored(*asignaturas[n++], *abreviatura);
    }
  }
  if (lectura.error) {
    if (lectura.errorTrasAnadir) alumnost.append();
    std::rethrow_exception(lectura.error);
  }
  tablas.wwTableAlumnos.close();
  matriculas.cerrar();
  tablas.wwTableGrupos.close();
  if (alumnost.state() == dbf::TableState::Insert) alumnost.post();
  alumnost.close();
  asigvalt.close();
}

}  // namespace tzv
