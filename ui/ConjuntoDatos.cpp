#include "ui/ConjuntoDatos.h"

#include <algorithm>
#include <limits>
#include <regex>

#include "dbf/FieldValue.h"

namespace ui {
namespace {

bool esEditando(dbf::TableState s) {
  return s == dbf::TableState::Edit || s == dbf::TableState::Insert;
}

TipoCampo tipoDe(const dbf::Field& f) {
  switch (f.type) {
    case 'N':
    case 'F':
      return f.decimals == 0 ? TipoCampo::Entero : TipoCampo::Real;
    case 'I':
    case '+':
      return TipoCampo::Entero;
    case 'B':
    case 'O':
    case 'Y':
      return TipoCampo::Real;
    default:
      return TipoCampo::Texto;
  }
}

bool enBlanco(const std::string& texto) {
  return texto.find_first_not_of(" \t\r\n\f\v") == std::string::npos;
}

// A whole number as an integer field takes it: blanks around it, an optional sign,
// digits, and within the range of a 32-bit integer.
bool enteroValido(const std::string& texto, std::int64_t& valor) {
  static const std::regex forma(R"(^\s*[+-]?\d{1,10}\s*$)");
  if (!std::regex_match(texto, forma)) return false;
  const long long v = std::stoll(texto);
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
    return false;
  valor = v;
  return true;
}

const std::string kVacio;

}  // namespace

void ConjuntoDatos::setColumnas(std::vector<ColumnaDatos> columnas) {
  observador_->antesDeReleer();
  columnas_ = std::move(columnas);
  vaciar();
  observador_->despuesDeReleer();
  reabrir();
}

void ConjuntoDatos::setTabla(dbf::Table* tabla) {
  tabla_ = tabla;
  reabrir();
}

bool ConjuntoDatos::activa() const { return tabla_ != nullptr && tabla_->active(); }

void ConjuntoDatos::olvidarFilas() {
  filas_.clear();
  filaActual_ = -1;
}

void ConjuntoDatos::vaciar() {
  tipos_.clear();
  longitudes_.clear();
  olvidarFilas();
}

void ConjuntoDatos::reabrir() {
  observador_->antesDeReleer();
  vaciar();
  try {
    if (activa()) {
      const dbf::Layout& l = tabla_->layout();
      for (const ColumnaDatos& c : columnas_) {
        const int i = l.find(c.campo);
        const bool existe = i >= 0;
        tipos_.push_back(existe ? tipoDe(l.fields[static_cast<std::size_t>(i)]) : TipoCampo::Texto);
        longitudes_.push_back(existe ? l.fields[static_cast<std::size_t>(i)].length : 0);
      }
      cargar(tabla_->recNo());
    }
  } catch (...) {
    olvidarFilas();
    observador_->despuesDeReleer();
    avisarEstado();
    throw;
  }
  observador_->despuesDeReleer();
  avisarEstado();
  observador_->alCambiarFilaActual(filaActual_);
}

// Reads every record in the handle's order and leaves the handle on record `recno` (the
// first one when that is not there).
void ConjuntoDatos::cargar(std::uint32_t recno) {
  olvidarFilas();
  for (tabla_->first(); !tabla_->eof(); tabla_->next())
    filas_.push_back({tabla_->recNo(), leerValores()});
  if (filas_.empty()) return;
  int fila = 0;
  for (std::size_t i = 0; i < filas_.size(); ++i)
    if (filas_[i].recno == recno) fila = static_cast<int>(i);
  situar(fila);
}

std::vector<std::string> ConjuntoDatos::leerValores() const {
  std::vector<std::string> valores;
  for (const ColumnaDatos& c : columnas_) valores.push_back(tabla_->asString(c.campo));
  return valores;
}

// Puts the handle on the record of a row. Moving stores a record being edited; what the
// row shows already is what was stored.
void ConjuntoDatos::situar(int fila) {
  const std::uint32_t destino = filas_[static_cast<std::size_t>(fila)].recno;
  const bool enRegistro = filaActual_ >= 0 && !tabla_->eof() && tabla_->recNo() != 0;
  if (enRegistro && fila > filaActual_) {
    // Forward: step from where the handle is.
    for (int i = filaActual_; i < fila && !tabla_->eof(); ++i) tabla_->next();
  } else {
    tabla_->first();
    for (int i = 0; i < fila && !tabla_->eof(); ++i) tabla_->next();
  }
  if (tabla_->eof() || tabla_->recNo() != destino) {
    // Records came or went behind the rows' back: find it by number, or read again.
    if (!localizar(destino)) {
      cargar(0);
      return;
    }
  }
  filaActual_ = fila;
}

bool ConjuntoDatos::localizar(std::uint32_t recno) {
  for (tabla_->first(); !tabla_->eof(); tabla_->next())
    if (tabla_->recNo() == recno) return true;
  return false;
}

void ConjuntoDatos::releerFilaActual() {
  if (!activa() || filaActual_ < 0) return;
  filas_[static_cast<std::size_t>(filaActual_)].valores = leerValores();
  if (!columnas_.empty()) observador_->alCambiarFilas(filaActual_, filaActual_);
}

void ConjuntoDatos::avisarEstado() {
  estadoAvisado_ = estado();
  observador_->alCambiarEstado();
}

const std::string& ConjuntoDatos::valor(int fila, int columna) const {
  if (fila < 0 || fila >= filas() || columna < 0 || columna >= numeroColumnas()) return kVacio;
  const auto& valores = filas_[static_cast<std::size_t>(fila)].valores;
  return static_cast<std::size_t>(columna) < valores.size()
             ? valores[static_cast<std::size_t>(columna)]
             : kVacio;
}

bool ConjuntoDatos::editable(int columna) const {
  return columna >= 0 && columna < numeroColumnas() &&
         columnas_[static_cast<std::size_t>(columna)].editable && activa() && !tabla_->readOnly();
}

TipoCampo ConjuntoDatos::tipo(int columna) const {
  return columna >= 0 && columna < static_cast<int>(tipos_.size())
             ? tipos_[static_cast<std::size_t>(columna)]
             : TipoCampo::Texto;
}

int ConjuntoDatos::longitud(int columna) const {
  return columna >= 0 && columna < static_cast<int>(longitudes_.size())
             ? longitudes_[static_cast<std::size_t>(columna)]
             : 0;
}

dbf::TableState ConjuntoDatos::estado() const {
  return activa() ? tabla_->state() : dbf::TableState::Inactive;
}

bool ConjuntoDatos::editando() const { return esEditando(estado()); }

// --- operations -------------------------------------------------------------------

bool ConjuntoDatos::volcarEdicion() {
  if (volcando_ || !volcado) return true;
  volcando_ = true;
  bool ok = false;
  try {
    ok = volcado();
  } catch (...) {
    volcando_ = false;
    throw;
  }
  volcando_ = false;
  return ok;
}

bool ConjuntoDatos::irAFila(int fila) {
  if (!activa() || filas_.empty()) return false;
  if (!volcarEdicion()) return false;
  fila = std::clamp(fila, 0, filas() - 1);
  if (fila == filaActual_) return true;
  const int antes = filaActual_;
  try {
    situar(fila);
  } catch (...) {
    // The record being edited could not be stored: show what the file holds.
    observador_->antesDeReleer();
    try {
      cargar(tabla_->recNo());
    } catch (...) {
      olvidarFilas();
    }
    observador_->despuesDeReleer();
    avisarEstado();
    throw;
  }
  if (antes >= 0 && antes < filas() && !columnas_.empty())
    observador_->alCambiarFilas(antes, antes);
  avisarEstado();
  observador_->alCambiarFilaActual(filaActual_);
  return true;
}

bool ConjuntoDatos::primero() { return irAFila(0); }
bool ConjuntoDatos::anterior() { return irAFila(filaActual_ - 1); }
bool ConjuntoDatos::siguiente() { return irAFila(filaActual_ + 1); }
bool ConjuntoDatos::ultimo() { return irAFila(filas() - 1); }
bool ConjuntoDatos::moverPor(int n) { return irAFila(filaActual_ + n); }

bool ConjuntoDatos::editar() {
  // An empty table has no record to edit; the engine would append one instead, and
  // rows are never added from here.
  if (!activa() || filaActual_ < 0) return false;
  if (!esEditando(tabla_->state())) {
    tabla_->edit();
    avisarEstado();
  }
  return true;
}

bool ConjuntoDatos::grabar() {
  if (!activa()) return false;
  if (!volcarEdicion()) return false;
  try {
    tabla_->post();
  } catch (...) {
    // The record was not stored and is no longer being edited: show what the file holds.
    try {
      releerFilaActual();
    } catch (...) {
    }
    avisarEstado();
    throw;
  }
  releerFilaActual();
  avisarEstado();
  return true;
}

void ConjuntoDatos::cancelar() {
  if (!activa()) return;
  observador_->alCancelarEdicion();
  if (esEditando(tabla_->state())) {
    tabla_->cancel();
    releerFilaActual();
  }
  avisarEstado();
}

bool ConjuntoDatos::refrescar() {
  if (!activa()) return false;
  if (!volcarEdicion()) return false;
  if (esEditando(tabla_->state())) tabla_->post();
  // Reopening sees what other programs stored too; the current record stays current.
  const std::uint32_t recno = tabla_->recNo();
  tabla_->close();
  tabla_->open();
  if (recno != 0) localizar(recno);
  reabrir();
  return true;
}

void ConjuntoDatos::escribirCampo(int columna, const std::string& texto) {
  const std::string& campo = columnas_[static_cast<std::size_t>(columna)].campo;
  switch (tipo(columna)) {
    case TipoCampo::Entero: {
      std::int64_t v = 0;
      if (enBlanco(texto))
        tabla_->setString(campo, "");
      else if (enteroValido(texto, v))
        tabla_->setInteger(campo, v);
      else
        ultimoError_ = "'" + texto + "' no es un valor entero válido";
      break;
    }
    case TipoCampo::Real: {
      double v = 0;
      if (enBlanco(texto))
        tabla_->setString(campo, "");
      else if (dbf::parseDecimal(texto, v))
        tabla_->setFloat(campo, v);
      else
        ultimoError_ = "'" + texto + "' no es un valor punto flotante válido";
      break;
    }
    case TipoCampo::Texto:
      tabla_->setString(campo, texto);
      break;
  }
}

bool ConjuntoDatos::escribir(int fila, int columna, const std::string& texto) {
  ultimoError_.clear();
  if (!activa() || fila < 0 || fila >= filas() || !editable(columna)) return false;
  try {
    if (fila != filaActual_) {
      // The view hands its value over while it moves: no second hand-over, and the
      // hand-overs come back whatever the move does.
      const bool antes = volcando_;
      volcando_ = true;
      bool movido = false;
      try {
        movido = irAFila(fila);
      } catch (...) {
        volcando_ = antes;
        throw;
      }
      volcando_ = antes;
      if (!movido) return false;
    }
    editar();
    escribirCampo(columna, texto);
    if (!ultimoError_.empty()) return false;
    // What the field holds now, cut to its width as the engine stores it.
    filas_[static_cast<std::size_t>(fila)].valores[static_cast<std::size_t>(columna)] =
        tabla_->asString(columnas_[static_cast<std::size_t>(columna)].campo);
  } catch (const std::exception& e) {
    ultimoError_ = e.what();
    avisarEstado();
    return false;
  }
  observador_->alCambiarFilas(fila, fila);
  if (estadoAvisado_ != estado()) avisarEstado();
  return true;
}

}  // namespace ui
