#pragma once
// A data source: the link between one table handle of the engine and the grids and
// navigators that show it. It is a table model whose rows are the table's records in
// the handle's order and whose columns are the fields chosen for the grid; it keeps
// the handle's current record and record state (browsing or editing) in step with
// what the widgets show. Rows are never inserted or removed through it.
//
// The engine's handle has one cursor; moving it stores a record being edited. The
// source therefore reads every record once into its rows and serves the widgets from
// them, and moves the handle only when the user changes record, which stores the
// record being edited just as a change of record in the grid should.

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

#include "Table.h"

// One column of a grid: the field it shows, its width in characters, its title and
// whether the user may change it.
struct ColumnaRejilla {
  QString campo;
  int ancho = 10;
  QString titulo;
  bool editable = true;
};

class FuenteDatos : public QAbstractTableModel {
  Q_OBJECT

 public:
  // How a field takes typed text: any text, whole numbers only, numbers.
  enum class TipoCampo { Texto, Entero, Real };

  explicit FuenteDatos(QObject* parent = nullptr);

  void setColumnas(const QList<ColumnaRejilla>& columnas);
  const QList<ColumnaRejilla>& columnas() const { return columnas_; }

  // Joins the source to a handle, open or closed, and reads its records when it is
  // open; nullptr lets go of the handle (before it is released). The handle is not
  // owned.
  void setTabla(dbf::Table* tabla);
  dbf::Table* tabla() const { return tabla_; }
  // A handle is joined and open.
  bool activa() const;
  // Reads the records again after the handle was opened or closed by its owner.
  void reabrir();

  // Kind and width (characters the field stores) of a column's field.
  TipoCampo tipo(int columna) const;
  int longitud(int columna) const;

  // Record state of the handle; Inactive when there is none or it is closed.
  dbf::TableState estado() const;
  bool editando() const;
  // Row of the current record; -1 when there is none.
  int filaActual() const { return filaActual_; }
  bool alPrincipio() const { return filaActual_ <= 0; }
  bool alFinal() const {
    return filaActual_ < 0 || filaActual_ >= static_cast<int>(filas_.size()) - 1;
  }

  // The operations of the navigator and of the dialogs' handlers. Each first asks the
  // joined grids to hand over a value being typed; when a grid refuses it (a value
  // that does not convert), the operation does nothing and returns false. Errors of the
  // engine are thrown as the engine throws them (dbf::EngineError).
  bool irAFila(int fila);  // stores a record being edited when the row changes
  bool primero();
  bool anterior();
  bool siguiente();
  bool ultimo();
  bool moverPor(int filas);  // by up to that many rows, backwards when negative
  bool editar();             // starts editing the current record; never appends
  bool grabar();             // stores the record being edited (an error when none is)
  void cancelar();           // drops the changes of the record being edited
  bool refrescar();          // stores an edited record and reads the table anew

  // A grid joins with a function that hands over what its editor holds: true when
  // there was nothing to hand over or the value was taken.
  using Volcado = std::function<bool()>;
  void agregarVolcado(QObject* dueno, Volcado volcado);
  bool volcarEdicion();

  // The text of the last value that setData refused, as the error display shows it.
  QString ultimoError() const { return ultimoError_; }

  // QAbstractTableModel
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Writes a typed text into the field of that row's record: moves to the row when it
  // is another (storing the record being edited), starts editing, converts the text as
  // the field's kind asks. Text that does not convert is refused: false, the field
  // keeps its value, the record stays in editing, ultimoError() says why.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 signals:
  // The current row, the record state or the joined handle changed.
  void estadoCambiado();
  void filaActualCambiada(int fila);
  // The changes of the record being edited were dropped: editors close unread.
  void edicionCancelada();

 private:
  struct Fila {
    std::uint32_t recno = 0;
    QStringList valores;
  };

  void cargar(std::uint32_t recno);
  void situar(int fila);
  bool localizar(std::uint32_t recno);
  QStringList leerValores() const;
  void releerFilaActual();
  void avisarEstado();

  dbf::Table* tabla_ = nullptr;
  QList<ColumnaRejilla> columnas_;
  std::vector<TipoCampo> tipos_;
  std::vector<int> longitudes_;
  std::vector<Fila> filas_;
  int filaActual_ = -1;
  dbf::TableState estadoAvisado_ = dbf::TableState::Inactive;
  QList<QPair<QPointer<QObject>, Volcado>> volcados_;
  bool volcando_ = false;
  QString ultimoError_;
};
