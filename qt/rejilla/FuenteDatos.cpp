#include "qt/rejilla/FuenteDatos.h"

namespace qt {

FuenteDatos::FuenteDatos(QObject* parent, ui::ConjuntoDatos* datos)
    : QAbstractTableModel(parent),
      propio_(datos == nullptr ? std::make_unique<ui::ConjuntoDatos>() : nullptr),
      datos_(datos != nullptr ? datos : propio_.get()) {
  datos_->setObservador(this);
  // The grids joined hand over what their editors hold, in the order they joined.
  datos_->volcado = [this] {
    for (const auto& v : volcados_)
      if (!v.first.isNull() && !v.second()) return false;
    return true;
  };
}

FuenteDatos::~FuenteDatos() {
  datos_->setObservador(nullptr);
  datos_->volcado = nullptr;
}

void FuenteDatos::setColumnas(const QList<ColumnaRejilla>& columnas) {
  std::vector<ui::ColumnaDatos> c;
  for (const ColumnaRejilla& r : columnas)
    c.push_back({r.campo.toStdString(), r.ancho, r.titulo.toStdString(), r.editable});
  datos_->setColumnas(std::move(c));
}

QList<ColumnaRejilla> FuenteDatos::columnas() const {
  QList<ColumnaRejilla> out;
  for (const ui::ColumnaDatos& c : datos_->columnas())
    out.append({QString::fromStdString(c.campo), c.caracteres, QString::fromStdString(c.titulo),
                c.editable});
  return out;
}

void FuenteDatos::agregarVolcado(QObject* dueno, Volcado volcado) {
  volcados_.append({QPointer<QObject>(dueno), std::move(volcado)});
}

void FuenteDatos::alCambiarFilas(int desde, int hasta) {
  if (columnCount() > 0) emit dataChanged(index(desde, 0), index(hasta, columnCount() - 1));
}

int FuenteDatos::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : datos_->filas();
}

int FuenteDatos::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : datos_->numeroColumnas();
}

QVariant FuenteDatos::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= datos_->filas() ||
      index.column() >= datos_->numeroColumnas())
    return {};
  if (role == Qt::DisplayRole || role == Qt::EditRole)
    return QString::fromStdString(datos_->valor(index.row(), index.column()));
  return {};
}

QVariant FuenteDatos::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && section >= 0 && section < datos_->numeroColumnas()) {
    if (role == Qt::DisplayRole)
      return QString::fromStdString(datos_->columnas()[static_cast<std::size_t>(section)].titulo);
    return {};
  }
  if (orientation == Qt::Vertical && role == Qt::DisplayRole) return QString();
  return {};
}

Qt::ItemFlags FuenteDatos::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (datos_->editable(index.column())) f |= Qt::ItemIsEditable;
  return f;
}

bool FuenteDatos::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid()) return false;
  return datos_->escribir(index.row(), index.column(), value.toString().toStdString());
}

}  // namespace qt
