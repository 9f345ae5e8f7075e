#pragma once
// The editor of a data grid's cell: a line edit that takes no more characters than the
// field stores and, in number fields, only what a number is written with. The keys
// that end editing (Enter, Tab, Escape) and the loss of focus are left to the grid,
// which decides whether the typed value is taken. Cells are drawn as a grid of records
// draws them: two pixels from the edges, cut off rather than shortened with an ellipsis,
// numbers on the right.

#include <QStyledItemDelegate>

namespace qt {

class RejillaDatos;

class EditorCelda : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit EditorCelda(RejillaDatos* rejilla);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  RejillaDatos* rejilla_;
};

}  // namespace qt
