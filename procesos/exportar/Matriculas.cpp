#include "procesos/exportar/Matriculas.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "dbf/FieldValue.h"

namespace procesos {
using gescen::MemoCampo;

Matriculas::Matriculas(dbf::Table& asigalum) : asigalum_(asigalum) {
  asigalum_.open();
  try {
    leer();
  } catch (...) {
    errorLectura_ = std::current_exception();
  }
}

Matriculas::~Matriculas() {
  try {
    cerrar();
  } catch (...) {
  }
}

void Matriculas::cerrar() { asigalum_.close(); }

// What the reading gathers before the students are numbered: each row's subject code,
// numbered in order of appearance, and the runs of rows of one student, each with the
// student's code as read.
struct Matriculas::Lectura {
  struct Tramo {
    std::uint32_t alumno, desde;
    std::uint32_t codigoDesde, codigoLargo;  // the student's code in codigosAlumno_
  };
  std::vector<Tramo> tramos;
  std::vector<std::uint32_t> codigoDeFila;
  std::uint32_t filas = 0;
  std::string texto;
};

void Matriculas::leer() {
  comprobarCodasig();
  const dbf::Field& codigo = asigalum_.campo("Codigo");
  const dbf::Field* codasig = tieneCodasig_ ? &asigalum_.campo("CODASIG") : nullptr;
  Lectura l;
  l.codigoDeFila.reserve(tieneCodasig_ ? asigalum_.recordCount() : 0);
  leerRegistros(codigo, codasig, l);
  numerarAlumnos(l);
  agruparPorAlumno(l);
}

// A table without the subject code field fails where its first student with enrolments
// asks for it: the engine's error for that field is kept.
void Matriculas::comprobarCodasig() {
  tieneCodasig_ = asigalum_.layout().find("CODASIG") >= 0;
  if (tieneCodasig_) return;
  try {
    asigalum_.campo("CODASIG");
  } catch (...) {
    errorCodasig_ = std::current_exception();
  }
}

// A student's first row, or the first of another run of the student's rows.
void Matriculas::nuevoTramo(Lectura& l, const std::string& alumno) {
  l.tramos.push_back({0, l.filas, static_cast<std::uint32_t>(codigosAlumno_.size()),
                      static_cast<std::uint32_t>(alumno.size())});
  codigosAlumno_ += alumno;
}

std::uint32_t Matriculas::nuevoCodigo(std::string codigo) {
  codigos_.push_back(std::move(codigo));
  return static_cast<std::uint32_t>(codigos_.size() - 1);
}

// Each record through the engine: the runs of rows of one student, and each subject code
// numbered once.
void Matriculas::leerRegistros(const dbf::Field& codigo, const dbf::Field* codasig, Lectura& l) {
  std::optional<MemoCampo<std::uint32_t>> codigoDe;
  if (codasig != nullptr)
    codigoDe.emplace(asigalum_, std::initializer_list<const char*>{"CODASIG"});
  std::string anterior;
  asigalum_.forEachRecord([&](const char* registro) {
    const std::string_view bytes = dbf::fieldBytes(registro, codigo);
    if (l.tramos.empty() || bytes != anterior) {
      anterior.assign(bytes);
      asigalum_.asString(codigo, l.texto);
      nuevoTramo(l, l.texto);
    }
    ++l.filas;
    if (codigoDe)
      l.codigoDeFila.push_back(
          codigoDe->de(registro, [&] { return nuevoCodigo(asigalum_.asString(*codasig)); }));
  });
}

// Each student numbered in order of first appearance.
void Matriculas::numerarAlumnos(Lectura& l) {
  enOrden_.reserve(l.tramos.size());
  porAlumno_.reserve(l.tramos.size());
  for (Lectura::Tramo& t : l.tramos) {
    const std::string_view alumno(codigosAlumno_.data() + t.codigoDesde, t.codigoLargo);
    const auto [it, nuevo] =
        porAlumno_.try_emplace(alumno, static_cast<std::uint32_t>(enOrden_.size()));
    if (nuevo) enOrden_.push_back(alumno);
    t.alumno = it->second;
  }
}

// The rows grouped by student, stored order kept within each.
void Matriculas::agruparPorAlumno(Lectura& l) {
  const auto alumnos = static_cast<std::uint32_t>(enOrden_.size());
  const auto& tramos = l.tramos;
  inicio_.assign(alumnos + 1, l.filas);
  if (tramos.size() == alumnos) {
    // One run per student, numbered in the order of the runs: the rows are grouped already.
    for (std::uint32_t a = 0; a < alumnos; ++a) inicio_[a] = tramos[a].desde;
    codigoDeFila_ = std::move(l.codigoDeFila);
    return;
  }
  // A counting sort of the runs.
  std::fill(inicio_.begin(), inicio_.end(), 0);
  auto hasta = [&](std::size_t t) { return t + 1 < tramos.size() ? tramos[t + 1].desde : l.filas; };
  for (std::size_t t = 0; t < tramos.size(); ++t)
    inicio_[tramos[t].alumno + 1] += hasta(t) - tramos[t].desde;
  for (std::size_t i = 1; i < inicio_.size(); ++i) inicio_[i] += inicio_[i - 1];
  if (!tieneCodasig_) return;
  std::vector<std::uint32_t> siguiente(inicio_.begin(), inicio_.end() - 1);
  codigoDeFila_.resize(l.codigoDeFila.size());
  for (std::size_t t = 0; t < tramos.size(); ++t) {
    std::uint32_t& destino = siguiente[tramos[t].alumno];
    for (std::uint32_t f = tramos[t].desde; f < hasta(t); ++f)
      codigoDeFila_[destino++] = l.codigoDeFila[f];
  }
}

std::span<const std::uint32_t> Matriculas::buscar(std::string_view exped,
                                                  std::uint32_t& siguiente) const {
  // The students usually come in the order of their enrolments: the next one in that
  // order is tried before the map.
  std::uint32_t a = siguiente;
  if (a >= enOrden_.size() || enOrden_[a] != exped) {
    const auto it = porAlumno_.find(exped);
    if (it == porAlumno_.end()) return {};
    a = it->second;
  }
  siguiente = a + 1;
  // A student found has a place in the rows, even with none of them: never a null span.
  static const std::uint32_t ninguno = 0;
  if (codigoDeFila_.empty()) return {&ninguno, std::size_t{0}};
  return {codigoDeFila_.data() + inicio_[a], codigoDeFila_.data() + inicio_[a + 1]};
}

}  // namespace procesos
