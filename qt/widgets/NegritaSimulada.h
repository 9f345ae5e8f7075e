#pragma once
// Bold text in fonts that have no bold face and that Qt does not embolden: bitmap-only
// faces such as the "MS Sans Serif" of fonts-wine. Windows draws such fonts bold by
// striking each glyph twice, one pixel apart, and advancing each character one pixel
// more; this does the same for a widget.

#include <QGraphicsEffect>

class QFont;

namespace qt {

// Draws what a widget paints twice, the second time one pixel to the right. Meant for
// widgets whose background is transparent (labels, the text of a combo box).
class EfectoNegrita : public QGraphicsEffect {
  Q_OBJECT

 public:
  using QGraphicsEffect::QGraphicsEffect;
  QRectF boundingRectFor(const QRectF& rect) const override;

 protected:
  void draw(QPainter* painter) override;
};

// True when the font asks for bold and the face it resolves to cannot show it.
bool necesitaNegritaSimulada(const QFont& font);

// Gives `widget` its font and, when that font needs it, the one-pixel wider spacing;
// the double strike goes on `texto`: the widget itself by default (a label), or the
// child that draws the text of a field the widget paints (the line edit of an editable
// combo box), whose own background is then left transparent.
void aplicarFuente(QWidget* widget, const QFont& font, QWidget* texto = nullptr);

}  // namespace qt
