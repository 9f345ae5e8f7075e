#pragma once
// A data grid: the records of a data source's table, one per row, in the columns that
// the source names. Titles on their own colour, bold and up to two lines high; cells on
// one colour with every other row on a second; a narrow indicator column marks the
// current record. Rows are never added or removed. Enter, Tab and Escape do what
// ui/TeclasRejilla says.
//
// A cell's text goes into its field when the user ends its editor (Enter, Tab, another
// row, or the focus leaving the grid). A value that the field does not take is refused
// with the error display: the editor stays open with the text, and the focus stays in
// the grid.
//
// The grid tells when it takes the focus (entrada) and when the focus goes to another
// control of its window (salida), as the dialogs' handlers need; the focus moving into
// the grid's own editor, or to another window, is neither.

#include <QColor>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableView>

namespace qt {

class FuenteDatos;
class IndicadorFilas;
class TitulosRejilla;

class RejillaDatos : public QTableView {
  Q_OBJECT

 public:
  explicit RejillaDatos(QWidget* parent = nullptr);
  ~RejillaDatos() override;

  void setFuente(FuenteDatos* fuente);
  FuenteDatos* fuente() const { return fuente_; }

  void setColorTitulos(const QColor& color);
  QColor colorTitulos() const;
  void setColoresCeldas(const QColor& celdas, const QColor& alternas);
  QColor colorCeldas() const;
  QColor colorAlterno() const;
  void setLineasTitulo(int lineas);
  int lineasTitulo() const;

  TitulosRejilla* titulos() const { return titulos_; }
  IndicadorFilas* indicador() const { return indicador_; }

  // Width in pixels of a column of that many characters with that title: room for that
  // many characters as wide as a digit (or the font's average, when that is more)
  // between the cell's text margins, never narrower than the title's longest word.
  int anchoColumna(int caracteres, const QString& titulo) const;
  // The font's average character width.
  int anchoMedioCaracter() const;
  // The width a column gives each of its characters.
  int anchoCaracter() const;
  // Pixels the cells leave on each side of their text.
  int margenTexto() const;

  // The focus is in the grid as its window sees it (the grid or its editor has it, or
  // had it last when another window took it).
  bool tieneFoco() const { return conFoco_; }
  QWidget* editor() const { return editor_; }
  // Hands over what the open editor holds: true when none is open or its value was
  // taken; false when it was refused (the editor stays open).
  bool confirmarEditor();
  // Closes the open editor without handing its text over.
  void descartarEditor();

  // For the cell editor.
  void editorCreado(QWidget* editor, const QModelIndex& index);
  // A key pressed in the editor; false when it is not one of the grid's (the editor
  // takes it then).
  bool teclaEnEditor(int tecla, Qt::KeyboardModifiers modificadores);

 signals:
  void entrada();
  void salida();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  bool dentro(const QWidget* w) const;
  void focoCambiado(QWidget* antes, QWidget* ahora);
  void rechazar(const QString& texto);
  bool atenderTecla(int tecla, Qt::KeyboardModifiers modificadores);
  bool entregarEditor();
  void ajustarColumnas();
  void seguirFilaActual(int fila);

  QPointer<FuenteDatos> fuente_;
  TitulosRejilla* titulos_;
  IndicadorFilas* indicador_;
  QPointer<QWidget> editor_;
  QPersistentModelIndex indiceEditor_;
  bool conFoco_ = false;
  bool siguiendo_ = false;    // the current cell follows the source's current row
  bool revirtiendo_ = false;  // the current cell goes back to the refused editor's
  bool bloqueando_ = false;   // clicks outside the grid are dropped until the refusal shows
};

}  // namespace qt
