#include "qt/rejilla/TitulosRejilla.h"

#include <QFontMetrics>
#include <QPainter>

#include "qt/widgets/NegritaSimulada.h"
#include "ui/AnchoColumna.h"

namespace qt {

namespace {
constexpr int kMargen = 2;
}

TitulosRejilla::TitulosRejilla(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
  setDefaultAlignment(Qt::AlignLeft | Qt::AlignTop);
  setHighlightSections(false);
  setSectionsClickable(false);
  setSortIndicatorShown(false);
}

void TitulosRejilla::setColor(const QColor& color) {
  color_ = color;
  viewport()->update();
}

void TitulosRejilla::setLineas(int lineas) {
  lineas_ = std::max(1, lineas);
  updateGeometry();
  viewport()->update();
}

bool TitulosRejilla::negritaSimulada() const {
  QFont f = font();
  f.setBold(true);
  return necesitaNegritaSimulada(f);
}

QFont TitulosRejilla::fuenteTitulos() const {
  QFont f = font();
  f.setBold(true);
  if (necesitaNegritaSimulada(f)) f.setLetterSpacing(QFont::AbsoluteSpacing, 1);
  return f;
}

int TitulosRejilla::anchoPalabraMasLarga(const QString& titulo) const {
  const QFontMetrics fm(fuenteTitulos());
  const QByteArray utf8 = titulo.toUtf8();
  const int ancho = ui::anchoPalabraMasLarga(
      std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
      [&fm](std::string_view p) {
        return fm.horizontalAdvance(QString::fromUtf8(p.data(), static_cast<qsizetype>(p.size())));
      });
  return ancho + 2 * kMargen + (negritaSimulada() ? 1 : 0);
}

QSize TitulosRejilla::sizeHint() const {
  QSize s = QHeaderView::sizeHint();
  const QFontMetrics fm(fuenteTitulos());
  s.setHeight(fm.height() * lineas_ + 2 * kMargen);
  return s;
}

void TitulosRejilla::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  if (!rect.isValid()) return;
  painter->save();
  painter->setClipRect(rect);
  painter->fillRect(rect, color_);
  // Raised edges, as the fixed cells of a grid have.
  painter->setPen(QColor(255, 255, 255));
  painter->drawLine(rect.topLeft(), rect.topRight());
  painter->drawLine(rect.topLeft(), rect.bottomLeft());
  painter->setPen(QColor(128, 128, 128));
  painter->drawLine(rect.bottomLeft(), rect.bottomRight());
  painter->drawLine(rect.topRight(), rect.bottomRight());

  const QString titulo =
      model() != nullptr ? model()->headerData(logicalIndex, orientation()).toString() : QString();
  const QFont f = fuenteTitulos();
  const QFontMetrics fm(f);
  QRect texto = rect.adjusted(kMargen, kMargen, -kMargen, -kMargen);
  texto.setHeight(std::min(texto.height(), fm.height() * lineas_));
  painter->setFont(f);
  painter->setPen(palette().color(QPalette::ButtonText));
  const int banderas = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
  painter->setClipRect(texto.adjusted(0, 0, 1, 0).intersected(rect));
  painter->drawText(texto, banderas, titulo);
  if (negritaSimulada()) painter->drawText(texto.translated(1, 0), banderas, titulo);
  painter->restore();
}

}  // namespace qt
