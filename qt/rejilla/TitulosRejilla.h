#pragma once
// The title row of a data grid: every title on one flat colour, bold, left-aligned and
// wrapped onto up to a set number of lines, between raised edges.

#include <QColor>
#include <QHeaderView>

namespace qt {

class TitulosRejilla : public QHeaderView {
  Q_OBJECT

 public:
  explicit TitulosRejilla(QWidget* parent = nullptr);

  void setColor(const QColor& color);
  QColor color() const { return color_; }
  void setLineas(int lineas);
  int lineas() const { return lineas_; }

  // The font the titles are drawn with: the grid's, bold (one pixel wider per
  // character when the face has no bold of its own and each glyph is struck twice).
  QFont fuenteTitulos() const;
  bool negritaSimulada() const;
  // Width of the widest word of a title in that font, plus the margins.
  int anchoPalabraMasLarga(const QString& titulo) const;

  QSize sizeHint() const override;

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

 private:
  QColor color_{Qt::lightGray};
  int lineas_ = 1;
};

}  // namespace qt
