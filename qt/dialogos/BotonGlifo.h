#pragma once
// A button with a glyph, as the check dialogs' "Salir": the glyph on the left of the
// caption, both centred together, four pixels apart. A bold caption in a face without
// a bold of its own is struck twice, one pixel apart, as Windows draws it.

#include <QPushButton>

namespace qt {

class BotonGlifo : public QPushButton {
  Q_OBJECT

 public:
  BotonGlifo(const QIcon& glifo, const QString& texto, QWidget* parent = nullptr);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace qt
