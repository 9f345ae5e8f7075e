#pragma once
// A panel filled with a three-colour gradient (start, middle, end) and a thin raised
// edge. The dialogs' panes are made of it; child widgets are placed on it freely and
// labels without a background of their own show the gradient through.

#include <QColor>
#include <QWidget>

namespace qt {

class PanelDegradado : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QColor colorInicio READ colorInicio)
  Q_PROPERTY(QColor colorMedio READ colorMedio)
  Q_PROPERTY(QColor colorFin READ colorFin)

 public:
  explicit PanelDegradado(QWidget* parent = nullptr);

  void setColores(const QColor& inicio, const QColor& medio, const QColor& fin);
  QColor colorInicio() const { return inicio_; }
  QColor colorMedio() const { return medio_; }
  QColor colorFin() const { return fin_; }

  // Vertical runs the gradient from the top edge to the bottom edge (the default);
  // horizontal from the left edge to the right edge.
  void setOrientacion(Qt::Orientation o);
  Qt::Orientation orientacion() const { return orientacion_; }

  // The one-pixel raised edge around the panel.
  void setBorde(bool on);
  bool borde() const { return borde_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor inicio_{Qt::white};
  QColor medio_{Qt::white};
  QColor fin_{Qt::white};
  Qt::Orientation orientacion_ = Qt::Vertical;
  bool borde_ = true;
};

}  // namespace qt
