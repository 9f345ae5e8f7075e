#include "qt/rejilla/EditorCelda.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>

#include "qt/rejilla/FuenteDatos.h"
#include "qt/rejilla/RejillaDatos.h"

namespace qt {

EditorCelda::EditorCelda(RejillaDatos* rejilla) : QStyledItemDelegate(rejilla), rejilla_(rejilla) {}

void EditorCelda::paint(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const {
  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  const QString texto = opt.text;
  opt.text.clear();
  const QWidget* w = opt.widget;
  QStyle* estilo = w != nullptr ? w->style() : QApplication::style();
  // Background, selection and focus as the style draws them; the text by hand.
  estilo->drawControl(QStyle::CE_ItemViewItem, &opt, painter, w);
  const FuenteDatos* fuente = rejilla_->fuente();
  const bool numero =
      fuente != nullptr && fuente->tipo(index.column()) != FuenteDatos::TipoCampo::Texto;
  const QPalette::ColorGroup grupo =
      (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
  painter->save();
  painter->setClipRect(opt.rect);
  painter->setFont(opt.font);
  painter->setPen(opt.palette.color(
      grupo, (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
  painter->drawText(
      opt.rect.adjusted(2, 0, -2, 0),
      (numero ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter | Qt::TextSingleLine, texto);
  painter->restore();
}

QWidget* EditorCelda::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                   const QModelIndex& index) const {
  auto* editor = new QLineEdit(parent);
  editor->setObjectName(QStringLiteral("EditorCelda"));
  editor->setFrame(false);
  editor->setFont(rejilla_->font());
  if (FuenteDatos* fuente = rejilla_->fuente()) {
    const int longitud = fuente->longitud(index.column());
    if (longitud > 0) editor->setMaxLength(longitud);
    switch (fuente->tipo(index.column())) {
      case FuenteDatos::TipoCampo::Entero:
        editor->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("\\s*[+-]?\\d*\\s*")), editor));
        break;
      case FuenteDatos::TipoCampo::Real:
        editor->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("\\s*[+-]?\\d*([.,]\\d*)?([eE][+-]?\\d*)?\\s*")),
            editor));
        break;
      case FuenteDatos::TipoCampo::Texto:
        break;
    }
  }
  rejilla_->editorCreado(editor, index);
  return editor;
}

void EditorCelda::setEditorData(QWidget* editor, const QModelIndex& index) const {
  if (auto* linea = qobject_cast<QLineEdit*>(editor))
    linea->setText(index.data(Qt::EditRole).toString());
}

void EditorCelda::setModelData(QWidget* editor, QAbstractItemModel* model,
                               const QModelIndex& index) const {
  if (auto* linea = qobject_cast<QLineEdit*>(editor)) model->setData(index, linea->text());
}

bool EditorCelda::eventFilter(QObject* objeto, QEvent* evento) {
  auto* editor = qobject_cast<QWidget*>(objeto);
  if (editor == nullptr) return false;
  switch (evento->type()) {
    case QEvent::KeyPress: {
      // The keys that end or cross editing are the grid's; the rest are the editor's.
      auto* tecla = static_cast<QKeyEvent*>(evento);
      return rejilla_->teclaEnEditor(tecla->key(), tecla->modifiers());
    }
    case QEvent::ShortcutOverride:
      // Escape belongs to the editor, not to the dialog around the grid.
      if (static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Escape) {
        evento->accept();
        return true;
      }
      return false;
    case QEvent::FocusOut:
      // The grid follows the focus itself: it hands the value over when the focus
      // leaves the grid, and keeps the editor when the value is refused.
      return false;
    default:
      return false;
  }
}

}  // namespace qt
