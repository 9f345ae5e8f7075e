#include "qt/dialogos/BotonGlifo.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "qt/widgets/NegritaSimulada.h"

namespace qt {

namespace {
constexpr int kEspacio = 4;
}

BotonGlifo::BotonGlifo(const QIcon& glifo, const QString& texto, QWidget* parent)
    : QPushButton(glifo, texto, parent) {
  setIconSize(QSize(16, 16));
}

QSize BotonGlifo::sizeHint() const { return QPushButton::sizeHint(); }

void BotonGlifo::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionButton opt;
  initStyleOption(&opt);
  p.drawControl(QStyle::CE_PushButtonBevel, opt);

  const bool doble = necesitaNegritaSimulada(font());
  const QFontMetrics fm(font());
  const QString texto = opt.text;
  const int anchoTexto =
      fm.horizontalAdvance(QString(texto).remove(QLatin1Char('&'))) + (doble ? 1 : 0);
  const QSize glifo = icon().isNull() ? QSize() : iconSize();
  const int total = glifo.width() + (glifo.isEmpty() ? 0 : kEspacio) + anchoTexto;
  QRect r = rect();
  if (isDown() || isChecked()) r.translate(1, 1);
  int x = r.left() + (r.width() - total) / 2;
  if (!glifo.isEmpty()) {
    const QIcon::Mode modo = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    const QPixmap pm = icon().pixmap(glifo, devicePixelRatio(), modo);
    p.drawPixmap(x, r.top() + (r.height() - glifo.height()) / 2, pm);
    x += glifo.width() + kEspacio;
  }
  const QRect caja(x, r.top(), anchoTexto, r.height());
  const int banderas = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;
  p.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  p.drawText(caja, banderas, texto);
  if (doble) p.drawText(caja.translated(1, 0), banderas, texto);
  if (hasFocus()) {
    QStyleOptionFocusRect foco;
    foco.initFrom(this);
    foco.rect = rect().adjusted(4, 4, -4, -4);
    p.drawPrimitive(QStyle::PE_FrameFocusRect, foco);
  }
}

}  // namespace qt
