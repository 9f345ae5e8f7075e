#include "qt/rejilla/NavegadorDatos.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QPolygonF>
#include <QToolButton>

#include "qt/rejilla/AvisoError.h"
#include "qt/rejilla/FuenteDatos.h"
#include "qt/widgets/DisposicionQt.h"
#include "ui/Navegador.h"

namespace qt {

namespace {

constexpr int kLado = 16;

QPolygon triangulo(int x, bool derecha) {
  // A solid triangle 5 pixels wide and 9 high, pointing left or right.
  return derecha ? QPolygon({QPoint(x, 3), QPoint(x + 4, 7), QPoint(x, 11)})
                 : QPolygon({QPoint(x + 4, 3), QPoint(x, 7), QPoint(x + 4, 11)});
}

QIcon glifo(NavegadorDatos::Boton b) {
  QPixmap pm(kLado, kLado);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::black);
  p.setBrush(Qt::black);
  switch (b) {
    case NavegadorDatos::First:
      p.drawRect(4, 3, 1, 8);
      p.drawPolygon(triangulo(7, false));
      break;
    case NavegadorDatos::PriorPage:
      p.drawPolygon(triangulo(2, false));
      p.drawPolygon(triangulo(8, false));
      break;
    case NavegadorDatos::Prior:
      p.drawPolygon(triangulo(5, false));
      break;
    case NavegadorDatos::Next:
      p.drawPolygon(triangulo(6, true));
      break;
    case NavegadorDatos::NextPage:
      p.drawPolygon(triangulo(3, true));
      p.drawPolygon(triangulo(9, true));
      break;
    case NavegadorDatos::Last:
      p.drawPolygon(triangulo(5, true));
      p.drawRect(11, 3, 1, 8);
      break;
    case NavegadorDatos::Edit:
      p.drawPolygon(QPolygon({QPoint(3, 10), QPoint(7, 6), QPoint(11, 10)}));
      break;
    case NavegadorDatos::Post: {
      QPen pen(Qt::black, 2);
      p.setPen(pen);
      p.setBrush(Qt::NoBrush);
      p.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(6, 11), QPointF(12, 4)}));
      break;
    }
    case NavegadorDatos::Cancel: {
      QPen pen(Qt::black, 2);
      p.setPen(pen);
      p.drawLine(4, 4, 11, 11);
      p.drawLine(11, 4, 4, 11);
      break;
    }
    case NavegadorDatos::Refresh: {
      p.setRenderHint(QPainter::Antialiasing, true);
      QPen pen(Qt::black, 1.6);
      p.setPen(pen);
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(3.5, 3.5, 9, 9), 100 * 16, 290 * 16);
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::black);
      p.drawPolygon(QPolygonF({QPointF(6.5, 1.5), QPointF(10, 4), QPointF(6.5, 6.5)}));
      break;
    }
  }
  return QIcon(pm);
}

}  // namespace

QString NavegadorDatos::nombre(Boton b) {
  return textoQt(ui::nombreBoton(static_cast<ui::BotonNavegador>(b)));
}

QString NavegadorDatos::pista(Boton b) {
  return textoQt(ui::pistaBoton(static_cast<ui::BotonNavegador>(b)));
}

NavegadorDatos::NavegadorDatos(QWidget* parent) : QWidget(parent) {
  for (int i = 0; i < kBotones; ++i) {
    const auto b = static_cast<Boton>(i);
    auto* boton = new QToolButton(this);
    boton->setObjectName(nombre(b));
    boton->setToolTip(pista(b));
    boton->setAccessibleName(pista(b));
    boton->setIcon(glifo(b));
    boton->setIconSize(QSize(kLado, kLado));
    boton->setFocusPolicy(Qt::NoFocus);
    boton->setAutoRaise(false);
    connect(boton, &QToolButton::clicked, this, [this, b] { pulsar(b); });
    botones_[static_cast<std::size_t>(i)] = boton;
  }
  actualizar();
}

void NavegadorDatos::setFuente(FuenteDatos* fuente) {
  if (fuente_ != nullptr) disconnect(fuente_, nullptr, this, nullptr);
  fuente_ = fuente;
  if (fuente_ != nullptr) {
    connect(fuente_, &FuenteDatos::estadoCambiado, this, &NavegadorDatos::actualizar);
    connect(fuente_, &FuenteDatos::modelReset, this, &NavegadorDatos::actualizar);
  }
  actualizar();
}

void NavegadorDatos::pulsar(Boton b) {
  if (fuente_ == nullptr) return;
  qt::protegido(
      this, [this, b] { ui::pulsarBoton(fuente_->datos(), static_cast<ui::BotonNavegador>(b)); });
  actualizar();
}

void NavegadorDatos::actualizar() {
  std::array<bool, kBotones> habilitados{};
  if (fuente_ != nullptr) habilitados = ui::botonesHabilitados(fuente_->datos());
  for (int i = 0; i < kBotones; ++i)
    botones_[static_cast<std::size_t>(i)]->setEnabled(habilitados[static_cast<std::size_t>(i)]);
}

void NavegadorDatos::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  colocar();
}

// Equal buttons across the whole width; the pixels left over go one each to the first
// buttons.
void NavegadorDatos::colocar() {
  const int ancho = width() / kBotones;
  int sobra = width() - ancho * kBotones;
  int x = 0;
  for (QToolButton* b : botones_) {
    const int w = ancho + (sobra > 0 ? 1 : 0);
    if (sobra > 0) --sobra;
    b->setGeometry(x, 0, w, height());
    x += w;
  }
}

}  // namespace qt
