#include "Matriculas.h"

#include <optional>
#include <string_view>
#include <system_error>

#include "FieldValue.h"

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
  try {
    lectura_ = std::async(std::launch::async, tarea);
  } catch (const std::system_error&) {
    // No thread to be had: the table is read here and now instead.
    lectura_ = std::async(std::launch::deferred, tarea);
    lectura_.wait();
  }
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
  // Each row's student and subject code, numbered in order of appearance.
  std::vector<std::uint32_t> alumnoDeFila, codigoDeFila;
  std::optional<MemoCampo<std::uint32_t>> codigoDe;
  if (codasig != nullptr) codigoDe.emplace(asigalum_, std::initializer_list<const char*>{"CODASIG"});
  std::string texto, anterior;
  std::uint32_t alumno = 0;
  bool primera = true;
  asigalum_.forEachRecord([&](const char* registro) {
    // The rows of one student usually follow each other: the code is read and looked up
    // only when its stored bytes change.
    const std::string_view bytes = dbf::fieldBytes(registro, codigo);
    if (primera || !MismosBytes()(bytes, anterior)) {
      anterior.assign(bytes);
      asigalum_.asString(codigo, texto);
      alumno = porAlumno_.try_emplace(texto, static_cast<std::uint32_t>(porAlumno_.size()))
                   .first->second;
      primera = false;
    }
    alumnoDeFila.push_back(alumno);
    if (!codigoDe) return;
    codigoDeFila.push_back(codigoDe->de(registro, [&] {
      codigos_.push_back(asigalum_.asString(*codasig));
      return static_cast<std::uint32_t>(codigos_.size() - 1);
    }));
  });
  // Grouped by student, stored order kept within each: a counting sort.
  inicio_.assign(porAlumno_.size() + 1, 0);
  for (std::uint32_t a : alumnoDeFila) ++inicio_[a + 1];
  for (std::size_t i = 1; i < inicio_.size(); ++i) inicio_[i] += inicio_[i - 1];
  if (codigoDe) {
    std::vector<std::uint32_t> siguiente(inicio_.begin(), inicio_.end() - 1);
    codigoDeFila_.resize(codigoDeFila.size());
    for (std::size_t i = 0; i < codigoDeFila.size(); ++i)
      codigoDeFila_[siguiente[alumnoDeFila[i]]++] = codigoDeFila[i];
  }
}

std::span<const std::uint32_t> Matriculas::de(const std::string& exped) {
  if (!leida_) {
    leida_ = true;
    lectura_.get();
  }
  auto it = porAlumno_.find(exped);
  if (it == porAlumno_.end()) return {};
  if (!tieneCodasig_) asigalum_.asString("CODASIG");  // raises the missing-field error
  const std::uint32_t a = it->second;
  return {codigoDeFila_.data() + inicio_[a], codigoDeFila_.data() + inicio_[a + 1]};
}

}  // namespace tzv
