#include "ExportarAlumnos.h"

#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "Alumnado.h"
#include "Catalogo.h"
#include "Matriculas.h"
#include "Staging.h"
#include "TablasIntercambio.h"

namespace tzv {

void ExportarAlumnos(gc::Catalogo& tablas) {
  Matriculas matriculas(tablas.wwTableAsigAlum);
  Alumnado alumnado(tablas.wwTableGrupos, tablas.wwTableAlumnos, matriculas);
  ExportarAlumnos(tablas, matriculas, alumnado);
}

void ExportarAlumnos(gc::Catalogo& tablas, Matriculas& matriculas, Alumnado& alumnado) {
  alumnado.asignaturasEscritas();  // the subject writer ran before this one
  dbf::Table alumnost;
  recrearIntercambio(alumnost, kALUMNOST, camposAlumnost());

  dbf::Table asigvalt;
  abrirPorCodvalen(asigvalt);
  const MapaTextos<std::string> abreviaturas = abreviaturasDe(asigvalt);

  // The group and student tables were opened and read ahead: their errors come here, at
  // the points where the tables are opened and read.
  alumnado.abrirGrupos();
  alumnost.open();
  alumnado.abrirAlumnos();
  matriculas.abrir();
  const LecturaAlumnos& lectura = alumnado.lectura();

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
  // The start of each row was made ahead for the layout ALUMNOST is created with; should
  // the table have come out otherwise, the rows are written field by field. Each
  // subject's abbreviation (null for a subject without one) is encoded once.
  const bool filasPreparadas = dbf::sameRecords(alumnost.layout(), alumnado.formatoFilas());
  std::deque<std::string> abreviaturasAlmacenadas;
  std::vector<const std::string*> abreviaturaDe;
  std::string texto;
  // Rows made whole are stored at once.
  const bool filasCompletas = filasPreparadas && alumnado.filasCompletas();
  if (filasCompletas) alumnost.appendRecords(alumnado.filas());
  for (std::size_t i = 0; i < lectura.alumnos.size() && !filasCompletas; ++i) {
    const Alumno& a = lectura.alumnos[i];
    if (filasPreparadas) {
      alumnost.appendRecord(alumnado.inicioFila(i));
    } else {
      alumnost.append();
      alumnost.setString(exped, a.codigo);
      alumnost.setString(nombre, a.nombre);
      alumnost.setString(turno, a.turno);
      alumnost.setString(nivel, a.grupo->codigo.nivel);
      alumnost.setString(curso, a.grupo->codigo.curso);
      alumnost.setString(grupo, a.grupo->codigo.grupo);
      alumnost.setString(opcion, "");
      alumnost.setBoolean(repite, a.repite);
      alumnost.asString(exped, texto);
    }

    // Subjects in ASIGn; the DIVn fields stay blank.
    std::size_t n = 0;
    const std::span<const std::uint32_t> codigos = matriculas.de(filasPreparadas ? a.exped : texto);
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
      if (n == kMaxAsignaturasAlumno) alumnost.campo("ASIG" + std::to_string(n + 1));
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
