#include "ExportarAlumnos.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "Alumnado.h"
#include "Catalogo.h"
#include "CodigoGrupo.h"
#include "Matriculas.h"
#include "Staging.h"
#include "TablasIntercambio.h"

namespace tzv {
namespace {

// The students written one at a time as they are read, subjects and all: the way taken
// when their rows could not all be made as bytes. It stops at the first failure, with the
// rows written before it stored.
void escribirUnoAUno(dbf::Table& alumnost, dbf::Table& alumnos, const Turnos& turnos,
                     Matriculas& matriculas, const MapaTextos<std::string>& abreviaturas) {
  std::vector<const dbf::Field*> asignaturas;  // ASIG1, ASIG2... as far as the table has them
  for (int n = 1; n <= kMaxAsignaturasAlumno; ++n)
    asignaturas.push_back(&alumnost.campo("ASIG" + std::to_string(n)));
  const dbf::Field& exped = alumnost.campo("EXPED");
  const dbf::Field& nombre = alumnost.campo("NOMBRE");
  const dbf::Field& turno = alumnost.campo("TURNO");
  const dbf::Field& nivel = alumnost.campo("NIVEL");
  const dbf::Field& curso = alumnost.campo("CURSO");
  const dbf::Field& grupo = alumnost.campo("GRUPO");
  const dbf::Field& opcion = alumnost.campo("OPCION");
  const dbf::Field& repite = alumnost.campo("REPITE");
  // Each subject's abbreviation (null for a subject without one) is encoded once.
  std::deque<std::string> abreviaturasAlmacenadas;
  std::vector<const std::string*> abreviaturaDe;
  const dbf::LazyField codgrup(alumnos, "CODGRUP");
  std::optional<CamposAlumno> campos;
  std::string texto;
  for (alumnos.first(); !alumnos.eof(); alumnos.next()) {
    const std::string codigoGrupo = alumnos.asString(*codgrup);
    const CodigoGrupo g = trocearGrupo(codigoGrupo);
    if (!g.utilizable()) continue;
    if (!campos) campos.emplace(alumnos);
    const std::size_t delCurso = turnos.primeroDelCurso(alumnos.asString(*campos->codcur));
    alumnost.append();
    alumnost.setString(exped, alumnos.asString(*campos->codigo));
    alumnost.setString(nombre, alumnos.asString(*campos->apenom));
    alumnost.setString(turno, turnos.de(turnos.primeroDelGrupo(codigoGrupo), delCurso));
    alumnost.setString(nivel, g.nivel);
    alumnost.setString(curso, g.curso);
    alumnost.setString(grupo, g.grupo);
    alumnost.setString(opcion, "");
    alumnost.setBoolean(repite, alumnos.asInteger(*campos->repite) == 1);

    // Subjects in ASIGn, found by what EXPED reads back as; the DIVn fields stay blank.
    alumnost.asString(exped, texto);
    const std::span<const std::uint32_t> codigos = matriculas.de(texto);
    for (std::size_t c = abreviaturaDe.size(); c < matriculas.codigos().size(); ++c) {
      auto it = abreviaturas.find(matriculas.codigos()[c]);
      abreviaturaDe.push_back(it == abreviaturas.end()
                                  ? nullptr
                                  : &abreviaturasAlmacenadas.emplace_back(
                                        alumnost.storedText(*asignaturas.front(), it->second)));
    }
    std::size_t n = 0;
    for (std::uint32_t codigo : codigos) {
      const std::string* abreviatura = abreviaturaDe[codigo];
      if (abreviatura == nullptr) continue;
      // A 51st subject asks for a field the table lacks, which stops the export.
      if (n == kMaxAsignaturasAlumno) alumnost.campo("ASIG" + std::to_string(n + 1));
      alumnost.setStored(*asignaturas[n++], *abreviatura);
    }
  }
}

}  // namespace

void ExportarAlumnos(gc::Catalogo& tablas) {
  dbf::Table alumnost;
  recrearIntercambio(alumnost, kALUMNOST, camposAlumnost());

  dbf::Table asigvalt;
  abrirPorCodvalen(asigvalt);
  const MapaTextos<std::string> abreviaturas = abreviaturasDe(asigvalt);

  tablas.wwTableGrupos.open();
  alumnost.open();
  tablas.wwTableAlumnos.open();
  Matriculas matriculas(tablas.wwTableAsigAlum);
  const Turnos turnos(tablas.wwTableGrupos);
  // Rows made whole, for the layout ALUMNOST is created with, are stored at once.
  const Alumnado alumnado(tablas.wwTableAlumnos, turnos, matriculas, abreviaturas);
  if (alumnado.filasCompletas() && dbf::sameRecords(alumnost.layout(), alumnado.formatoFilas()))
    alumnost.appendRecords(alumnado.filas());
  else
    escribirUnoAUno(alumnost, tablas.wwTableAlumnos, turnos, matriculas, abreviaturas);
  tablas.wwTableAlumnos.close();
  matriculas.cerrar();
  tablas.wwTableGrupos.close();
  if (alumnost.state() == dbf::TableState::Insert) alumnost.post();
  alumnost.close();
  asigvalt.close();
}

}  // namespace tzv
