#include "qt/widgets/NegritaSimulada.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QWidget>

namespace qt {

QRectF EfectoNegrita::boundingRectFor(const QRectF& rect) const {
  return rect.adjusted(0, 0, 1, 0);
}

void EfectoNegrita::draw(QPainter* painter) {
  QPoint offset;
  const QPixmap pixmap = sourcePixmap(Qt::LogicalCoordinates, &offset, QGraphicsEffect::NoPad);
  if (pixmap.isNull()) return;
  painter->drawPixmap(offset, pixmap);
  painter->drawPixmap(offset + QPoint(1, 0), pixmap);
}

bool necesitaNegritaSimulada(const QFont& font) {
  if (!font.bold()) return false;
  const QString familia = QFontInfo(font).family();
  // Outline fonts without a bold face are emboldened by Qt itself.
  if (QFontDatabase::isSmoothlyScalable(familia)) return false;
  for (const QString& estilo : QFontDatabase::styles(familia))
    if (QFontDatabase::weight(familia, estilo) >= QFont::Bold) return false;
  return true;
}

void aplicarFuente(QWidget* widget, const QFont& font, QWidget* texto) {
  if (!necesitaNegritaSimulada(font)) {
    widget->setFont(font);
    return;
  }
  QFont ancha(font);
  ancha.setLetterSpacing(QFont::AbsoluteSpacing, 1);
  widget->setFont(ancha);
  QWidget* destino = texto != nullptr ? texto : widget;
  if (texto != nullptr) {
    // The child's own background would hide the first strike under the second: the
    // widget around it paints the field already.
    QPalette p = texto->palette();
    p.setColor(QPalette::Base, Qt::transparent);
    texto->setPalette(p);
  }
  destino->setGraphicsEffect(new EfectoNegrita(destino));
}

}  // namespace qt
