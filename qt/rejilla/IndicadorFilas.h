#pragma once
// The narrow column on the left of a data grid that marks the current record: an arrow
// while it is browsed, a text cursor while it is being edited.

#include <QColor>
#include <QHeaderView>
#include <QPointer>

namespace qt {

class FuenteDatos;

class IndicadorFilas : public QHeaderView {
  Q_OBJECT

 public:
  static constexpr int kAncho = 11;

  explicit IndicadorFilas(QWidget* parent = nullptr);
  void setFuente(FuenteDatos* fuente);
  void setColor(const QColor& color);
  QColor color() const { return color_; }

  QSize sizeHint() const override;

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

 private:
  QPointer<FuenteDatos> fuente_;
  QColor color_{Qt::lightGray};
};

}  // namespace qt
