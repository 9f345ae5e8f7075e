#include "qt/dialogos/EtiquetaFondo.h"

#include <QPainter>

#include "qt/widgets/NegritaSimulada.h"

namespace qt {

EtiquetaFondo::EtiquetaFondo(const QString& texto, const QColor& fondo, QWidget* parent)
    : QLabel(texto, parent), fondo_(fondo) {
  setTextFormat(Qt::PlainText);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, fondo);
  setPalette(p);
}

void EtiquetaFondo::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), fondo_);
  p.setFont(font());
  p.setPen(palette().color(QPalette::WindowText));
  int banderas = static_cast<int>(alignment());
  if (wordWrap()) banderas |= Qt::TextWordWrap;
  const QRect caja = contentsRect();
  p.drawText(caja, banderas, text());
  if (necesitaNegritaSimulada(font())) p.drawText(caja.translated(1, 0), banderas, text());
}

}  // namespace qt
