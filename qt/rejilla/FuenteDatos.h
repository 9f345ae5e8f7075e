#pragma once
// A data source: the dataset behind a grid (ui::ConjuntoDatos) as a Qt table model, for
// the grids and navigators that show it. Its rows are the table's records in the
// handle's order and its columns the fields chosen for the grid; every rule (moving,
// editing, posting, typed text) is the dataset's.

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "ui/ConjuntoDatos.h"

namespace qt {

// One column of a grid: the field it shows, its width in characters, its title and
// whether the user may change it.
struct ColumnaRejilla {
  QString campo;
  int ancho = 10;
  QString titulo;
  bool editable = true;
};

class FuenteDatos : public QAbstractTableModel, private ui::ConjuntoDatos::Observador {
  Q_OBJECT

 public:
  using TipoCampo = ui::TipoCampo;

  // On a dataset of its own, or on one that another part (a presenter) owns.
  explicit FuenteDatos(QObject* parent = nullptr, ui::ConjuntoDatos* datos = nullptr);
  ~FuenteDatos() override;

  ui::ConjuntoDatos& datos() { return *datos_; }

  void setColumnas(const QList<ColumnaRejilla>& columnas);
  QList<ColumnaRejilla> columnas() const;

  void setTabla(dbf::Table* tabla) { datos_->setTabla(tabla); }
  dbf::Table* tabla() const { return datos_->tabla(); }
  bool activa() const { return datos_->activa(); }
  void reabrir() { datos_->reabrir(); }

  TipoCampo tipo(int columna) const { return datos_->tipo(columna); }
  int longitud(int columna) const { return datos_->longitud(columna); }
  dbf::TableState estado() const { return datos_->estado(); }
  bool editando() const { return datos_->editando(); }
  int filaActual() const { return datos_->filaActual(); }
  bool alPrincipio() const { return datos_->alPrincipio(); }
  bool alFinal() const { return datos_->alFinal(); }

  bool irAFila(int fila) { return datos_->irAFila(fila); }
  bool primero() { return datos_->primero(); }
  bool anterior() { return datos_->anterior(); }
  bool siguiente() { return datos_->siguiente(); }
  bool ultimo() { return datos_->ultimo(); }
  bool moverPor(int filas) { return datos_->moverPor(filas); }
  bool editar() { return datos_->editar(); }
  bool grabar() { return datos_->grabar(); }
  void cancelar() { datos_->cancelar(); }
  bool refrescar() { return datos_->refrescar(); }

  // A grid joins with a function that hands over what its editor holds: true when
  // there was nothing to hand over or the value was taken.
  using Volcado = std::function<bool()>;
  void agregarVolcado(QObject* dueno, Volcado volcado);
  bool volcarEdicion() { return datos_->volcarEdicion(); }

  // The text of the last value that setData refused, as the error display shows it.
  QString ultimoError() const { return QString::fromStdString(datos_->ultimoError()); }

  // QAbstractTableModel
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Writes a typed text into the field of that row's record (ui::ConjuntoDatos::escribir).
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 signals:
  // The current row, the record state or the joined handle changed.
  void estadoCambiado();
  void filaActualCambiada(int fila);
  // The changes of the record being edited were dropped: editors close unread.
  void edicionCancelada();

 private:
  // What the dataset says, as the model's notifications and signals.
  void antesDeReleer() override { beginResetModel(); }
  void despuesDeReleer() override { endResetModel(); }
  void alCambiarFilas(int desde, int hasta) override;
  void alCambiarEstado() override { emit estadoCambiado(); }
  void alCambiarFilaActual(int fila) override { emit filaActualCambiada(fila); }
  void alCancelarEdicion() override { emit edicionCancelada(); }

  std::unique_ptr<ui::ConjuntoDatos> propio_;
  ui::ConjuntoDatos* datos_;
  QList<QPair<QPointer<QObject>, Volcado>> volcados_;
};

}  // namespace qt
