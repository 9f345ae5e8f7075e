#include "qt/rejilla/RejillaDatos.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QTimer>

#include "qt/rejilla/AvisoError.h"
#include "qt/rejilla/EditorCelda.h"
#include "qt/rejilla/FuenteDatos.h"
#include "qt/rejilla/IndicadorFilas.h"
#include "qt/rejilla/TitulosRejilla.h"
#include "ui/AnchoColumna.h"
#include "ui/TeclasRejilla.h"

namespace qt {

namespace {

// The key of the grid's rule that a Qt key is.
ui::TeclaRejilla teclaDe(int tecla) {
  switch (tecla) {
    case Qt::Key_Enter:
    case Qt::Key_Return:
      return ui::TeclaRejilla::Enter;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return ui::TeclaRejilla::Tab;
    case Qt::Key_Escape:
      return ui::TeclaRejilla::Escape;
    default:
      return ui::TeclaRejilla::Otra;
  }
}

}  // namespace

RejillaDatos::RejillaDatos(QWidget* parent)
    : QTableView(parent), titulos_(new TitulosRejilla(this)), indicador_(new IndicadorFilas(this)) {
  setHorizontalHeader(titulos_);
  setVerticalHeader(indicador_);
  setItemDelegate(new EditorCelda(this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked);
  setAlternatingRowColors(true);
  setWordWrap(false);
  setTabKeyNavigation(true);
  setCornerButtonEnabled(false);
  // Rows are reached by moving the current record; only the columns scroll sideways.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  titulos_->setSectionsMovable(false);
  setColoresCeldas(QColor(Qt::white), QColor(Qt::white));
  // The top-left corner is painted like the titles.
  if (auto* esquina = findChild<QAbstractButton*>()) esquina->installEventFilter(this);
  connect(qApp, &QApplication::focusChanged, this, &RejillaDatos::focoCambiado);
  ajustarColumnas();
}

RejillaDatos::~RejillaDatos() {
  if (bloqueando_) qApp->removeEventFilter(this);
}

void RejillaDatos::setFuente(FuenteDatos* fuente) {
  if (fuente_ != nullptr) disconnect(fuente_, nullptr, this, nullptr);
  fuente_ = fuente;
  setModel(fuente);
  indicador_->setFuente(fuente);
  if (fuente == nullptr) return;
  connect(fuente, &FuenteDatos::modelReset, this, [this] {
    ajustarColumnas();
    seguirFilaActual(fuente_->filaActual());
  });
  connect(fuente, &FuenteDatos::modelAboutToBeReset, this, [this] { editor_ = nullptr; });
  connect(fuente, &FuenteDatos::filaActualCambiada, this, &RejillaDatos::seguirFilaActual);
  connect(fuente, &FuenteDatos::edicionCancelada, this, &RejillaDatos::descartarEditor);
  fuente->agregarVolcado(this, [this] {
    if (editor_ == nullptr) return true;
    if (!confirmarEditor()) {
      rechazar(fuente_->ultimoError());
      return false;
    }
    descartarEditor();
    return true;
  });
  ajustarColumnas();
  seguirFilaActual(fuente->filaActual());
}

// --- look -------------------------------------------------------------------------

void RejillaDatos::setColorTitulos(const QColor& color) {
  titulos_->setColor(color);
  indicador_->setColor(color);
  if (auto* esquina = findChild<QAbstractButton*>()) esquina->update();
}

QColor RejillaDatos::colorTitulos() const { return titulos_->color(); }

void RejillaDatos::setColoresCeldas(const QColor& celdas, const QColor& alternas) {
  QPalette p = palette();
  p.setColor(QPalette::Base, celdas);
  p.setColor(QPalette::AlternateBase, alternas);
  p.setColor(QPalette::Text, Qt::black);
  setPalette(p);
  // Beyond the last column and below the last row the grid shows its cell colour, also
  // along the titles and the indicator column.
  for (QHeaderView* cabecera :
       {static_cast<QHeaderView*>(titulos_), static_cast<QHeaderView*>(indicador_)}) {
    QPalette pc = cabecera->palette();
    for (QPalette::ColorRole rol : {QPalette::Window, QPalette::Base, QPalette::Button})
      pc.setColor(rol, celdas);
    pc.setColor(QPalette::ButtonText, Qt::black);
    pc.setColor(QPalette::WindowText, Qt::black);
    cabecera->setPalette(pc);
  }
}

QColor RejillaDatos::colorCeldas() const { return palette().color(QPalette::Base); }
QColor RejillaDatos::colorAlterno() const { return palette().color(QPalette::AlternateBase); }

void RejillaDatos::setLineasTitulo(int lineas) {
  titulos_->setLineas(lineas);
  titulos_->setFixedHeight(titulos_->sizeHint().height());
}

int RejillaDatos::lineasTitulo() const { return titulos_->lineas(); }

int RejillaDatos::anchoMedioCaracter() const {
  const QFontMetrics fm(font());
  const int media = fm.averageCharWidth();
  // Bitmap faces can report their average width unscaled, in font units.
  if (media <= 0 || media > fm.height()) return fm.horizontalAdvance(QLatin1Char('x'));
  return media;
}

int RejillaDatos::anchoCaracter() const {
  // Digits are the widest of the characters most fields hold (numbers, codes, times),
  // and all of a face's digits are equally wide.
  return std::max(fontMetrics().horizontalAdvance(QLatin1Char('0')), anchoMedioCaracter());
}

int RejillaDatos::margenTexto() const {
  // What the item delegate leaves on each side of a cell's text.
  return style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
}

int RejillaDatos::anchoColumna(int caracteres, const QString& titulo) const {
  return ui::anchoColumna(
      {caracteres, anchoCaracter(), margenTexto(), titulos_->anchoPalabraMasLarga(titulo)});
}

void RejillaDatos::ajustarColumnas() {
  const QFontMetrics fm(font());
  indicador_->setDefaultSectionSize(fm.height() + 4);
  indicador_->setFixedWidth(IndicadorFilas::kAncho);
  titulos_->setFixedHeight(titulos_->sizeHint().height());
  if (fuente_ == nullptr) return;
  const auto& columnas = fuente_->columnas();
  for (int i = 0; i < columnas.size(); ++i)
    setColumnWidth(i, anchoColumna(columnas[i].ancho, columnas[i].titulo));
}

void RejillaDatos::changeEvent(QEvent* event) {
  QTableView::changeEvent(event);
  if (event->type() == QEvent::FontChange) ajustarColumnas();
}

bool RejillaDatos::eventFilter(QObject* objeto, QEvent* evento) {
  if (bloqueando_ &&
      (evento->type() == QEvent::MouseButtonPress || evento->type() == QEvent::MouseButtonRelease ||
       evento->type() == QEvent::MouseButtonDblClick)) {
    auto* w = qobject_cast<QWidget*>(objeto);
    if (w != nullptr && w->window() == window() && !dentro(w)) return true;
  }
  if (evento->type() == QEvent::Paint && objeto == findChild<QAbstractButton*>()) {
    auto* esquina = static_cast<QWidget*>(objeto);
    QPainter p(esquina);
    const QRect r = esquina->rect();
    p.fillRect(r, titulos_->color());
    p.setPen(QColor(255, 255, 255));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(QColor(128, 128, 128));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    return true;
  }
  return QTableView::eventFilter(objeto, evento);
}

// --- focus ------------------------------------------------------------------------

bool RejillaDatos::dentro(const QWidget* w) const {
  return w != nullptr && (w == this || isAncestorOf(w));
}

void RejillaDatos::focoCambiado(QWidget*, QWidget* ahora) {
  if (dentro(ahora)) {
    if (!conFoco_) {
      conFoco_ = true;
      qt::protegido(this, [this] { emit entrada(); });
    }
    return;
  }
  // Another window taking the focus (a message, the dialog closing) leaves the grid
  // where it was, as the control its window will give the focus back to.
  if (!conFoco_ || ahora == nullptr || ahora->window() != window()) return;
  if (editor_ != nullptr && !confirmarEditor()) {
    // The typed value is refused: the focus goes back to the editor, and the click
    // that took it away is dropped until the refusal has been shown.
    if (!bloqueando_) {
      bloqueando_ = true;
      qApp->installEventFilter(this);
    }
    editor_->setFocus(Qt::OtherFocusReason);
    rechazar(fuente_->ultimoError());
    return;
  }
  descartarEditor();
  conFoco_ = false;
  qt::protegido(this, [this] { emit salida(); });
}

void RejillaDatos::rechazar(const QString& texto) {
  QTimer::singleShot(0, this, [this, texto] {
    if (bloqueando_) {
      qApp->removeEventFilter(this);
      bloqueando_ = false;
    }
    // A key that moved the cursor (Down, Page Down...) selects the cell it moved to
    // once the cursor is back: the highlight goes back to the cell being edited too.
    if (editor_ != nullptr && indiceEditor_.isValid()) {
      revirtiendo_ = true;
      selectionModel()->setCurrentIndex(indiceEditor_, QItemSelectionModel::ClearAndSelect);
      revirtiendo_ = false;
    }
    if (editor_ != nullptr) editor_->setFocus(Qt::OtherFocusReason);
    qt::mostrarErrorDeRejilla(this, texto);
    if (editor_ != nullptr) editor_->setFocus(Qt::OtherFocusReason);
  });
}

// --- editing ----------------------------------------------------------------------

void RejillaDatos::editorCreado(QWidget* editor, const QModelIndex& index) {
  editor_ = editor;
  indiceEditor_ = index;
}

bool RejillaDatos::confirmarEditor() {
  if (editor_ == nullptr || fuente_ == nullptr) return true;
  if (!indiceEditor_.isValid()) {
    editor_ = nullptr;
    return true;
  }
  auto* linea = qobject_cast<QLineEdit*>(editor_.data());
  if (linea == nullptr) return true;
  return fuente_->setData(indiceEditor_, linea->text(), Qt::EditRole);
}

void RejillaDatos::descartarEditor() {
  if (editor_ == nullptr) return;
  QWidget* e = editor_;
  closeEditor(e, QAbstractItemDelegate::NoHint);
}

void RejillaDatos::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  if (editor == editor_) {
    editor_ = nullptr;
    indiceEditor_ = QPersistentModelIndex();
  }
  QTableView::closeEditor(editor, hint);
}

bool RejillaDatos::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  const bool abierto = QTableView::edit(index, trigger, event);
  // Typing into a cell puts its record in editing, as the navigator then shows.
  if (abierto && fuente_ != nullptr && editor_ != nullptr && !fuente_->editando())
    qt::protegido(this, [this] { fuente_->editar(); });
  return abierto;
}

bool RejillaDatos::teclaEnEditor(int tecla, Qt::KeyboardModifiers modificadores) {
  return atenderTecla(tecla, modificadores);
}

void RejillaDatos::keyPressEvent(QKeyEvent* event) {
  if (atenderTecla(event->key(), event->modifiers())) {
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_Insert) {
    // A grid that adds no rows: the key does nothing.
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

// The grid's keys as ui::TeclaEnRejilla says; false for a key that is not one of them.
bool RejillaDatos::atenderTecla(int tecla, Qt::KeyboardModifiers modificadores) {
  ui::PulsacionRejilla p;
  p.tecla = teclaDe(tecla);
  if (p.tecla == ui::TeclaRejilla::Otra) return false;
  p.mayusculas = tecla == Qt::Key_Backtab || (modificadores & Qt::ShiftModifier);
  p.control = modificadores & Qt::ControlModifier;
  p.editorAbierto = editor_ != nullptr;
  p.editando = fuente_ != nullptr && fuente_->editando();
  if (model() != nullptr) {
    p.filas = model()->rowCount();
    p.columnas = model()->columnCount();
  }
  const QModelIndex actual = currentIndex();
  p.fila = actual.isValid() ? actual.row() : 0;
  p.columna = actual.isValid() ? actual.column() : 0;

  const ui::RespuestaTecla r = ui::teclaEnRejilla(p);
  switch (r.accion) {
    case ui::AccionRejilla::NoEsDeLaRejilla:
      return false;
    case ui::AccionRejilla::Ninguna:
      break;
    case ui::AccionRejilla::CerrarEditor:
      descartarEditor();
      break;
    case ui::AccionRejilla::CancelarRegistro:
      qt::protegido(this, [this] { fuente_->cancelar(); });
      break;
    case ui::AccionRejilla::IrACelda:
      if (entregarEditor()) setCurrentIndex(model()->index(r.fila, r.columna));
      break;
    case ui::AccionRejilla::ControlSiguiente:
    case ui::AccionRejilla::ControlAnterior:
      // QWidget's own step through the window's controls: the grid's would send the
      // key back here.
      if (entregarEditor())
        QWidget::focusNextPrevChild(r.accion == ui::AccionRejilla::ControlSiguiente);
      break;
  }
  return true;
}

// Hands the open editor's value over and closes it; a refused value is shown and keeps
// the editor open.
bool RejillaDatos::entregarEditor() {
  if (editor_ == nullptr) return true;
  if (!confirmarEditor()) {
    rechazar(fuente_->ultimoError());
    return false;
  }
  descartarEditor();
  return true;
}

void RejillaDatos::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  if (revirtiendo_ || siguiendo_) {
    QTableView::currentChanged(current, previous);
    return;
  }
  if (editor_ != nullptr) {
    if (!confirmarEditor()) {
      // The value is refused: the current cell stays the editor's.
      revirtiendo_ = true;
      selectionModel()->setCurrentIndex(indiceEditor_, QItemSelectionModel::ClearAndSelect);
      revirtiendo_ = false;
      rechazar(fuente_->ultimoError());
      return;
    }
    descartarEditor();
  }
  QTableView::currentChanged(current, previous);
  if (fuente_ != nullptr && current.isValid() && current.row() != fuente_->filaActual())
    qt::protegido(this, [this, current] {
      if (!fuente_->irAFila(current.row())) seguirFilaActual(fuente_->filaActual());
    });
}

void RejillaDatos::seguirFilaActual(int fila) {
  if (model() == nullptr || fila < 0 || fila >= model()->rowCount()) return;
  const QModelIndex actual = currentIndex();
  if (actual.isValid() && actual.row() == fila) return;
  const int columna = actual.isValid() ? actual.column() : 0;
  siguiendo_ = true;
  selectionModel()->setCurrentIndex(model()->index(fila, columna),
                                    QItemSelectionModel::ClearAndSelect);
  siguiendo_ = false;
}

}  // namespace qt
