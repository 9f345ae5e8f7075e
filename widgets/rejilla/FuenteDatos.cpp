#include "FuenteDatos.h"

#include <QRegularExpression>
#include <algorithm>
#include <limits>

#include "FieldValue.h"

namespace {

bool esEditando(dbf::TableState s) {
  return s == dbf::TableState::Edit || s == dbf::TableState::Insert;
}

FuenteDatos::TipoCampo tipoDe(const dbf::Field& f) {
  switch (f.type) {
    case 'N':
    case 'F':
      return f.decimals == 0 ? FuenteDatos::TipoCampo::Entero : FuenteDatos::TipoCampo::Real;
    case 'I':
    case '+':
      return FuenteDatos::TipoCampo::Entero;
    case 'B':
    case 'O':
    case 'Y':
      return FuenteDatos::TipoCampo::Real;
    default:
      return FuenteDatos::TipoCampo::Texto;
  }
}

// A whole number as an integer field takes it: blanks around it, an optional sign,
// digits, and within the range of a 32-bit integer.
bool enteroValido(const QString& texto, std::int64_t& valor) {
  static const QRegularExpression forma(QStringLiteral("^\\s*[+-]?\\d{1,10}\\s*$"));
  if (!forma.match(texto).hasMatch()) return false;
  bool ok = false;
  const qlonglong v = texto.trimmed().toLongLong(&ok);
  if (!ok || v < std::numeric_limits<std::int32_t>::min() ||
      v > std::numeric_limits<std::int32_t>::max())
    return false;
  valor = v;
  return true;
}

}  // namespace

FuenteDatos::FuenteDatos(QObject* parent) : QAbstractTableModel(parent) {}

void FuenteDatos::setColumnas(const QList<ColumnaRejilla>& columnas) {
  beginResetModel();
  columnas_ = columnas;
  tipos_.clear();
  longitudes_.clear();
  filas_.clear();
  filaActual_ = -1;
  endResetModel();
  reabrir();
}

void FuenteDatos::setTabla(dbf::Table* tabla) {
  tabla_ = tabla;
  reabrir();
}

bool FuenteDatos::activa() const { return tabla_ != nullptr && tabla_->active(); }

void FuenteDatos::reabrir() {
  beginResetModel();
  tipos_.clear();
  longitudes_.clear();
  filas_.clear();
  filaActual_ = -1;
  try {
    if (activa()) {
      const dbf::Layout& l = tabla_->layout();
      for (const ColumnaRejilla& c : columnas_) {
        const int i = l.find(c.campo.toStdString());
        if (i < 0) {
          tipos_.push_back(TipoCampo::Texto);
          longitudes_.push_back(0);
        } else {
          tipos_.push_back(tipoDe(l.fields[static_cast<std::size_t>(i)]));
          longitudes_.push_back(l.fields[static_cast<std::size_t>(i)].length);
        }
      }
      cargar(tabla_->recNo());
    }
  } catch (...) {
    filas_.clear();
    filaActual_ = -1;
    endResetModel();
    avisarEstado();
    throw;
  }
  endResetModel();
  avisarEstado();
  emit filaActualCambiada(filaActual_);
}

// Reads every record in the handle's order and leaves the handle on record `recno` (the
// first one when that is not there).
void FuenteDatos::cargar(std::uint32_t recno) {
  filas_.clear();
  filaActual_ = -1;
  for (tabla_->first(); !tabla_->eof(); tabla_->next())
    filas_.push_back({tabla_->recNo(), leerValores()});
  if (filas_.empty()) return;
  int fila = 0;
  for (std::size_t i = 0; i < filas_.size(); ++i)
    if (filas_[i].recno == recno) fila = static_cast<int>(i);
  situar(fila);
}

QStringList FuenteDatos::leerValores() const {
  QStringList valores;
  for (const ColumnaRejilla& c : columnas_)
    valores << QString::fromStdString(tabla_->asString(c.campo.toStdString()));
  return valores;
}

// Puts the handle on the record of a row. Moving stores a record being edited; what the
// row shows already is what was stored.
void FuenteDatos::situar(int fila) {
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

bool FuenteDatos::localizar(std::uint32_t recno) {
  for (tabla_->first(); !tabla_->eof(); tabla_->next())
    if (tabla_->recNo() == recno) return true;
  return false;
}

void FuenteDatos::releerFilaActual() {
  if (!activa() || filaActual_ < 0) return;
  filas_[static_cast<std::size_t>(filaActual_)].valores = leerValores();
  if (!columnas_.isEmpty())
    emit dataChanged(index(filaActual_, 0), index(filaActual_, columnCount() - 1));
}

void FuenteDatos::avisarEstado() {
  estadoAvisado_ = estado();
  emit estadoCambiado();
}

FuenteDatos::TipoCampo FuenteDatos::tipo(int columna) const {
  return columna >= 0 && columna < static_cast<int>(tipos_.size())
             ? tipos_[static_cast<std::size_t>(columna)]
             : TipoCampo::Texto;
}

int FuenteDatos::longitud(int columna) const {
  return columna >= 0 && columna < static_cast<int>(longitudes_.size())
             ? longitudes_[static_cast<std::size_t>(columna)]
             : 0;
}

dbf::TableState FuenteDatos::estado() const {
  return activa() ? tabla_->state() : dbf::TableState::Inactive;
}

bool FuenteDatos::editando() const { return esEditando(estado()); }

// --- operations -------------------------------------------------------------------

void FuenteDatos::agregarVolcado(QObject* dueno, Volcado volcado) {
  volcados_.append({QPointer<QObject>(dueno), std::move(volcado)});
}

bool FuenteDatos::volcarEdicion() {
  if (volcando_) return true;
  volcando_ = true;
  bool ok = true;
  try {
    for (const auto& v : volcados_)
      if (!v.first.isNull() && !v.second()) {
        ok = false;
        break;
      }
  } catch (...) {
    volcando_ = false;
    throw;
  }
  volcando_ = false;
  return ok;
}

bool FuenteDatos::irAFila(int fila) {
  if (!activa() || filas_.empty()) return false;
  if (!volcarEdicion()) return false;
  fila = std::clamp(fila, 0, static_cast<int>(filas_.size()) - 1);
  if (fila == filaActual_) return true;
  const int antes = filaActual_;
  try {
    situar(fila);
  } catch (...) {
    // The record being edited could not be stored: show what the file holds.
    beginResetModel();
    try {
      cargar(tabla_->recNo());
    } catch (...) {
      filas_.clear();
      filaActual_ = -1;
    }
    endResetModel();
    avisarEstado();
    throw;
  }
  if (antes >= 0 && antes < static_cast<int>(filas_.size()) && !columnas_.isEmpty())
    emit dataChanged(index(antes, 0), index(antes, columnCount() - 1));
  avisarEstado();
  emit filaActualCambiada(filaActual_);
  return true;
}

bool FuenteDatos::primero() { return irAFila(0); }
bool FuenteDatos::anterior() { return irAFila(filaActual_ - 1); }
bool FuenteDatos::siguiente() { return irAFila(filaActual_ + 1); }
bool FuenteDatos::ultimo() { return irAFila(static_cast<int>(filas_.size()) - 1); }
bool FuenteDatos::moverPor(int filas) { return irAFila(filaActual_ + filas); }

bool FuenteDatos::editar() {
  // An empty table has no record to edit; the engine would append one instead, and
  // rows are never added from here.
  if (!activa() || filaActual_ < 0) return false;
  if (!esEditando(tabla_->state())) {
    tabla_->edit();
    avisarEstado();
  }
  return true;
}

bool FuenteDatos::grabar() {
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

void FuenteDatos::cancelar() {
  if (!activa()) return;
  emit edicionCancelada();
  if (esEditando(tabla_->state())) {
    tabla_->cancel();
    releerFilaActual();
  }
  avisarEstado();
}

bool FuenteDatos::refrescar() {
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

// --- model ------------------------------------------------------------------------

int FuenteDatos::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(filas_.size());
}

int FuenteDatos::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columnas_.size());
}

QVariant FuenteDatos::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(filas_.size()) ||
      index.column() >= columnas_.size())
    return {};
  if (role == Qt::DisplayRole || role == Qt::EditRole)
    return filas_[static_cast<std::size_t>(index.row())].valores.value(index.column());
  return {};
}

QVariant FuenteDatos::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && section >= 0 && section < columnas_.size()) {
    if (role == Qt::DisplayRole) return columnas_[section].titulo;
    return {};
  }
  if (orientation == Qt::Vertical && role == Qt::DisplayRole) return QString();
  return {};
}

Qt::ItemFlags FuenteDatos::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() < columnas_.size() && columnas_[index.column()].editable && activa() &&
      !tabla_->readOnly())
    f |= Qt::ItemIsEditable;
  return f;
}

bool FuenteDatos::setData(const QModelIndex& index, const QVariant& value, int role) {
  ultimoError_.clear();
  if (role != Qt::EditRole || !activa() || !index.isValid() ||
      index.row() >= static_cast<int>(filas_.size()) || !(flags(index) & Qt::ItemIsEditable))
    return false;
  const QString texto = value.toString();
  const std::string campo = columnas_[index.column()].campo.toStdString();
  try {
    if (index.row() != filaActual_) {
      // The grid hands its value over while it moves: no second hand-over.
      const bool antes = volcando_;
      volcando_ = true;
      const bool movido = irAFila(index.row());
      volcando_ = antes;
      if (!movido) return false;
    }
    editar();
    switch (tipo(index.column())) {
      case TipoCampo::Entero: {
        std::int64_t v = 0;
        if (texto.trimmed().isEmpty()) {
          tabla_->setString(campo, "");
        } else if (enteroValido(texto, v)) {
          tabla_->setInteger(campo, v);
        } else {
          ultimoError_ = QStringLiteral("'%1' no es un valor entero válido").arg(texto);
          return false;
        }
        break;
      }
      case TipoCampo::Real: {
        double v = 0;
        if (texto.trimmed().isEmpty()) {
          tabla_->setString(campo, "");
        } else if (dbf::parseDecimal(texto.toStdString(), v)) {
          tabla_->setFloat(campo, v);
        } else {
          ultimoError_ = QStringLiteral("'%1' no es un valor punto flotante válido").arg(texto);
          return false;
        }
        break;
      }
      case TipoCampo::Texto:
        tabla_->setString(campo, texto.toStdString());
        break;
    }
    // What the field holds now, cut to its width as the engine stores it.
    filas_[static_cast<std::size_t>(index.row())].valores[index.column()] =
        QString::fromStdString(tabla_->asString(campo));
  } catch (const std::exception& e) {
    ultimoError_ = QString::fromUtf8(e.what());
    avisarEstado();
    return false;
  }
  emit dataChanged(index, index);
  if (estadoAvisado_ != estado()) avisarEstado();
  return true;
}
