#pragma once
// The dataset behind a data grid: one table handle of the engine, its records as rows
// in the handle's order, the fields chosen for the grid as columns, the current record
// and the record state (browsing or editing). The grids and navigators of both front
// ends show it and act on it; rows are never inserted or removed through it.
//
// The engine's handle has one cursor; moving it stores a record being edited. The
// dataset therefore reads every record once into its rows and serves the views from
// them, and moves the handle only when the user changes record, which stores the
// record being edited just as a change of record in a grid should.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "dbf/Table.h"

namespace ui {

// One column of a grid: the field it shows, its width in characters, its title and
// whether the user may change it.
struct ColumnaDatos {
  std::string campo;
  int caracteres = 10;
  std::string titulo;
  bool editable = true;
};

// How a field takes typed text: any text, whole numbers only, numbers.
enum class TipoCampo { Texto, Entero, Real };

class ConjuntoDatos {
 public:
  // What the views hear of the dataset.
  class Observador {
   public:
    virtual ~Observador() = default;
    // Every row may change (another table, the records read anew).
    virtual void antesDeReleer() {}
    virtual void despuesDeReleer() {}
    // The values shown in these rows changed.
    virtual void alCambiarFilas(int desde, int hasta) { (void)desde, (void)hasta; }
    // The current row, the record state or the joined handle changed.
    virtual void alCambiarEstado() {}
    virtual void alCambiarFilaActual(int fila) { (void)fila; }
    // The changes of the record being edited were dropped: editors close unread.
    virtual void alCancelarEdicion() {}
  };

  ConjuntoDatos() = default;
  ConjuntoDatos(const ConjuntoDatos&) = delete;
  ConjuntoDatos& operator=(const ConjuntoDatos&) = delete;

  // One view hears it; nullptr: none.
  void setObservador(Observador* observador) {
    observador_ = observador != nullptr ? observador : &ninguno_;
  }

  void setColumnas(std::vector<ColumnaDatos> columnas);
  const std::vector<ColumnaDatos>& columnas() const { return columnas_; }

  // Joins the dataset to a handle, open or closed, and reads its records when it is
  // open; nullptr lets go of the handle (before it is released). Not owned.
  void setTabla(dbf::Table* tabla);
  dbf::Table* tabla() const { return tabla_; }
  // A handle is joined and open.
  bool activa() const;
  // Reads the records again after the handle was opened or closed by its owner.
  void reabrir();

  int filas() const { return static_cast<int>(filas_.size()); }
  int numeroColumnas() const { return static_cast<int>(columnas_.size()); }
  // The value a cell shows: the field's text as the engine reads it.
  const std::string& valor(int fila, int columna) const;
  // The user may type into the column: it is editable and the handle is not read-only.
  bool editable(int columna) const;

  // Kind and width (characters the field stores) of a column's field.
  TipoCampo tipo(int columna) const;
  int longitud(int columna) const;

  // Record state of the handle; Inactive when there is none or it is closed.
  dbf::TableState estado() const;
  bool editando() const;
  // Row of the current record; -1 when there is none.
  int filaActual() const { return filaActual_; }
  bool alPrincipio() const { return filaActual_ <= 0; }
  bool alFinal() const { return filaActual_ < 0 || filaActual_ >= filas() - 1; }

  // The operations of the navigator and of the dialogs' handlers. Each first asks the
  // views to hand over a value being typed; when one is refused (a value that does not
  // convert), the operation does nothing and returns false. Errors of the engine are
  // thrown as the engine throws them (dbf::EngineError).
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

  // How the views hand over what their editors hold: true when there was nothing to
  // hand over or the value was taken.
  std::function<bool()> volcado;
  bool volcarEdicion();

  // Writes a typed text into a cell: moves to the row when it is another (storing the
  // record being edited), starts editing, converts the text as the field's kind asks.
  // Text that does not convert is refused: false, the field keeps its value, the
  // record stays in editing, ultimoError() says why in the program's Spanish.
  bool escribir(int fila, int columna, const std::string& texto);
  const std::string& ultimoError() const { return ultimoError_; }

 private:
  struct Fila {
    std::uint32_t recno = 0;
    std::vector<std::string> valores;
  };

  void cargar(std::uint32_t recno);
  void situar(int fila);
  bool localizar(std::uint32_t recno);
  std::vector<std::string> leerValores() const;
  void releerFilaActual();
  void avisarEstado();
  void vaciar();
  void olvidarFilas();
  void escribirCampo(int columna, const std::string& texto);

  Observador ninguno_;
  Observador* observador_ = &ninguno_;
  dbf::Table* tabla_ = nullptr;
  std::vector<ColumnaDatos> columnas_;
  std::vector<TipoCampo> tipos_;
  std::vector<int> longitudes_;
  std::vector<Fila> filas_;
  int filaActual_ = -1;
  dbf::TableState estadoAvisado_ = dbf::TableState::Inactive;
  bool volcando_ = false;
  std::string ultimoError_;
};

}  // namespace ui
