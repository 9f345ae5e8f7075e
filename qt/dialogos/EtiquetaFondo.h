#pragma once
// A label on a background colour of its own. A bold text in a face without a bold of
// its own is struck twice, one pixel apart, over the one background.

#include <QColor>
#include <QLabel>

namespace qt {

class EtiquetaFondo : public QLabel {
  Q_OBJECT

 public:
  EtiquetaFondo(const QString& texto, const QColor& fondo, QWidget* parent = nullptr);
  QColor fondo() const { return fondo_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor fondo_;
};

}  // namespace qt
