#include "Matriculas.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "FieldValue.h"
#include "SegundoPlano.h"

namespace tzv {

Matriculas::Matriculas(dbf::Table& asigalum)
    : asigalum_(asigalum), apertura_(abierta_.get_future()) {
  auto tarea = [this] {
    try {
      asigalum_.open();
      abierta_.set_value();
    } catch (...) {
      abierta_.set_exception(std::current_exception());
      return;
    }
    leer();
  };
  lectura_ = enSegundoPlano(tarea);
}

Matriculas::~Matriculas() {
  try {
    cerrar();
  } catch (...) {
  }
}

void Matriculas::abrir() { apertura_.get(); }

void Matriculas::cerrar() {
  if (lectura_.valid()) lectura_.wait();
  asigalum_.close();
}

void Matriculas::leer() {
  tieneCodasig_ = asigalum_.layout().find("CODASIG") >= 0;
  const dbf::Field& codigo = asigalum_.campo("Codigo");
  const dbf::Field* codasig = tieneCodasig_ ? &asigalum_.campo("CODASIG") : nullptr;
  // Each row's subject code, numbered in order of appearance, and the runs of rows of
  // one student.
  struct Tramo {
    std::uint32_t alumno, desde;
  };
  std::vector<Tramo> tramos;
  std::vector<std::uint32_t> codigoDeFila;
  codigoDeFila.reserve(tieneCodasig_ ? asigalum_.recordCount() : 0);
  std::string texto;
  std::uint32_t filas = 0;
  // A student's first row, or the first of another run of the student's rows.
  auto nuevoTramo = [&] {
    asigalum_.asString(codigo, texto);
    const auto [it, nuevo] = porAlumno_.try_emplace(texto, static_cast<std::uint32_t>(porAlumno_.size()));
    if (nuevo) enOrden_.push_back(it->first);
    tramos.push_back({it->second, filas});
  };
  auto nuevoCodigo = [&] {
    codigos_.push_back(asigalum_.asString(*codasig));
    return static_cast<std::uint32_t>(codigos_.size() - 1);
  };
  // The rows of one student usually follow each other: the student's code is read and
  // looked up only when its stored bytes change; each subject code is worked out once.
  if (codasig != nullptr && enDosPalabras(codigo) && enDosPalabras(*codasig)) {
    // GESCEN's codes: both keys read straight from the record, in a pass of their own
    // over the table's longest column.
    ClaveCorta alumno;
    MapaCorto<std::uint32_t> porCodigo;
    asigalum_.forEachRecord([&](const char* registro) {
      const ClaveCorta a = dosPalabras(registro, codigo);
      if (tramos.empty() || !(a == alumno)) {
        alumno = a;
        nuevoTramo();
      }
      ++filas;
      const ClaveCorta c = dosPalabras(registro, *codasig);
      const std::uint32_t* hallado = porCodigo.find(c);
      codigoDeFila.push_back(hallado != nullptr ? *hallado : porCodigo.try_emplace(c, nuevoCodigo()));
    });
  } else {
    std::optional<MemoCampo<std::uint32_t>> codigoDe;
    if (codasig != nullptr) codigoDe.emplace(asigalum_, std::initializer_list<const char*>{"CODASIG"});
    std::string anterior;
    asigalum_.forEachRecord([&](const char* registro) {
      const std::string_view bytes = dbf::fieldBytes(registro, codigo);
      if (tramos.empty() || !MismosBytes()(bytes, anterior)) {
        anterior.assign(bytes);
        nuevoTramo();
      }
      ++filas;
      if (codigoDe) codigoDeFila.push_back(codigoDe->de(registro, nuevoCodigo));
    });
  }
  const auto alumnos = static_cast<std::uint32_t>(porAlumno_.size());
  inicio_.assign(alumnos + 1, filas);
  if (tramos.size() == alumnos) {
    // One run per student, numbered in the order of the runs: the rows are grouped already.
    for (std::uint32_t a = 0; a < alumnos; ++a) inicio_[a] = tramos[a].desde;
    codigoDeFila_ = std::move(codigoDeFila);
    return;
  }
  // Grouped by student, stored order kept within each: a counting sort of the runs.
  std::fill(inicio_.begin(), inicio_.end(), 0);
  auto hasta = [&](std::size_t t) { return t + 1 < tramos.size() ? tramos[t + 1].desde : filas; };
  for (std::size_t t = 0; t < tramos.size(); ++t) inicio_[tramos[t].alumno + 1] += hasta(t) - tramos[t].desde;
  for (std::size_t i = 1; i < inicio_.size(); ++i) inicio_[i] += inicio_[i - 1];
  if (codasig == nullptr) return;
  std::vector<std::uint32_t> siguiente(inicio_.begin(), inicio_.end() - 1);
  codigoDeFila_.resize(codigoDeFila.size());
  for (std::size_t t = 0; t < tramos.size(); ++t) {
    std::uint32_t& destino = siguiente[tramos[t].alumno];
    for (std::uint32_t f = tramos[t].desde; f < hasta(t); ++f) codigoDeFila_[destino++] = codigoDeFila[f];
  }
}

std::span<const std::uint32_t> Matriculas::de(const std::string& exped) {
  lectura_.get();
  const std::span<const std::uint32_t> codigos = buscar(exped, siguiente_);
  if (codigos.data() != nullptr && !tieneCodasig_) asigalum_.asString("CODASIG");  // raises the missing-field error
  return codigos;
}

std::span<const std::uint32_t> Matriculas::buscar(const std::string& exped, std::uint32_t& siguiente) const {
  // The students usually come in the order of their enrolments: the next one in that
  // order is tried before the map.
  std::uint32_t a = siguiente;
  if (a >= enOrden_.size() || enOrden_[a] != exped) {
    auto it = porAlumno_.find(exped);
    if (it == porAlumno_.end()) return {};
    a = it->second;
  }
  siguiente = a + 1;
  // A student found has a place in the rows, even with none of them: never a null span.
  static const std::uint32_t ninguno = 0;
  if (codigoDeFila_.empty()) return {&ninguno, std::size_t{0}};
  return {codigoDeFila_.data() + inicio_[a], codigoDeFila_.data() + inicio_[a + 1]};
}

}  // namespace tzv
