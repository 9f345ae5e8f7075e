#include "qt/ListaCarpetas.h"

#include <QPainter>
#include <QStyledItemDelegate>

#include "qt/widgets/DisposicionQt.h"
#include "ui/ModeloCarpetas.h"

namespace qt {

namespace {

// Rows indented by their depth, each 16 pixels high.
class DelegadoCarpeta : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem o(option);
    o.rect.setLeft(o.rect.left() + 2 +
                   index.data(ListaCarpetas::kRolNivel).toInt() * ListaCarpetas::kSangria);
    QStyledItemDelegate::paint(painter, o, index);
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setWidth(s.width() + 2 +
               index.data(ListaCarpetas::kRolNivel).toInt() * ListaCarpetas::kSangria);
    s.setHeight(ListaCarpetas::kAltoFila);
    return s;
  }
};

}  // namespace

ListaCarpetas::ListaCarpetas(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new DelegadoCarpeta(this));
  setUniformItemSizes(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setIconSize(QSize(14, 14));
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    emit aperturaPedida(item->data(kRolCarpeta).toString());
  });
}

void ListaCarpetas::mostrar(const ui::ModeloCarpetas& modelo) {
  clear();
  directorio_ = textoQt(modelo.directorio());
  const QIcon abierta = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon cerrada = style()->standardIcon(QStyle::SP_DirClosedIcon);
  for (const ui::FilaCarpeta& f : modelo.filas()) {
    auto* item = new QListWidgetItem(f.abierta ? abierta : cerrada, textoQt(f.texto), this);
    item->setData(kRolCarpeta, textoQt(f.ruta));
    item->setData(kRolNivel, f.nivel);
  }
  QListWidgetItem* actual = item(static_cast<int>(modelo.filaActual()));
  setCurrentItem(actual);
  scrollToItem(actual);
}

}  // namespace qt
