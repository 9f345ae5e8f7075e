#include "qt/widgets/PanelDegradado.h"

#include <QLinearGradient>
#include <QPainter>

namespace qt {

PanelDegradado::PanelDegradado(QWidget* parent) : QWidget(parent) {
  // The gradient covers every pixel: nothing below needs painting.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PanelDegradado::setColores(const QColor& inicio, const QColor& medio, const QColor& fin) {
  inicio_ = inicio;
  medio_ = medio;
  fin_ = fin;
  update();
}

void PanelDegradado::setOrientacion(Qt::Orientation o) {
  orientacion_ = o;
  update();
}

void PanelDegradado::setBorde(bool on) {
  borde_ = on;
  update();
}

void PanelDegradado::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRectF r = rect();
  QLinearGradient g = orientacion_ == Qt::Vertical ? QLinearGradient(r.topLeft(), r.bottomLeft())
                                                   : QLinearGradient(r.topLeft(), r.topRight());
  g.setColorAt(0.0, inicio_);
  g.setColorAt(0.5, medio_);
  g.setColorAt(1.0, fin_);
  painter.fillRect(r, g);
  if (borde_ && width() > 1 && height() > 1) {
    const int x1 = width() - 1, y1 = height() - 1;
    painter.setPen(QColor(255, 255, 255));
    painter.drawLine(0, 0, x1, 0);
    painter.drawLine(0, 0, 0, y1);
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(0, y1, x1, y1);
    painter.drawLine(x1, 0, x1, y1);
  }
}

}  // namespace qt
