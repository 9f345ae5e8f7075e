#include "qt/rejilla/IndicadorFilas.h"

#include <QPainter>
#include <QPolygon>

#include "qt/rejilla/FuenteDatos.h"

namespace qt {

IndicadorFilas::IndicadorFilas(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {
  setSectionsClickable(false);
  setHighlightSections(false);
  setSectionResizeMode(QHeaderView::Fixed);
  setMinimumSectionSize(1);
}

void IndicadorFilas::setFuente(FuenteDatos* fuente) {
  if (fuente_ != nullptr) disconnect(fuente_, nullptr, this, nullptr);
  fuente_ = fuente;
  if (fuente_ != nullptr)
    connect(fuente_, &FuenteDatos::estadoCambiado, this, [this] { viewport()->update(); });
  viewport()->update();
}

void IndicadorFilas::setColor(const QColor& color) {
  color_ = color;
  viewport()->update();
}

QSize IndicadorFilas::sizeHint() const {
  QSize s = QHeaderView::sizeHint();
  s.setWidth(kAncho);
  return s;
}

void IndicadorFilas::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  if (!rect.isValid()) return;
  painter->save();
  painter->fillRect(rect, color_);
  painter->setPen(QColor(255, 255, 255));
  painter->drawLine(rect.topLeft(), rect.topRight());
  painter->drawLine(rect.topLeft(), rect.bottomLeft());
  painter->setPen(QColor(128, 128, 128));
  painter->drawLine(rect.bottomLeft(), rect.bottomRight());
  painter->drawLine(rect.topRight(), rect.bottomRight());
  if (fuente_ != nullptr && logicalIndex == fuente_->filaActual()) {
    const QPoint c = rect.center();
    painter->setPen(Qt::black);
    painter->setBrush(Qt::black);
    if (fuente_->editando()) {
      // A text cursor: a stem with short bars at both ends.
      painter->drawLine(c.x(), c.y() - 4, c.x(), c.y() + 4);
      painter->drawLine(c.x() - 2, c.y() - 4, c.x() + 2, c.y() - 4);
      painter->drawLine(c.x() - 2, c.y() + 4, c.x() + 2, c.y() + 4);
    } else {
      painter->drawPolygon(QPolygon(
          {QPoint(c.x() - 2, c.y() - 4), QPoint(c.x() + 2, c.y()), QPoint(c.x() - 2, c.y() + 4)}));
    }
  }
  painter->restore();
}

}  // namespace qt
