#include "NavegadorDatos.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QPolygonF>
#include <QToolButton>

#include "AvisoError.h"
#include "FuenteDatos.h"

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
  static const char* const nombres[kBotones] = {"First", "PriorPage", "Prior", "Next",   "NextPage",
                                                "Last",  "Edit",      "Post",  "Cancel", "Refresh"};
  return QString::fromLatin1(nombres[b]);
}

QString NavegadorDatos::pista(Boton b) {
  static const char* const pistas[kBotones] = {"Move to first record",
                                               "Move backward 10 records",
                                               "Move to prior record",
                                               "Move to next record",
                                               "Move forward 10 records",
                                               "Move to last record",
                                               "Edit current record",
                                               "Post changes of current record",
                                               "Cancel changes made to current record",
                                               "Refresh the contents of the dataset"};
  return QString::fromLatin1(pistas[b]);
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
  rejilla::Protegido(this, [this, b] {
    switch (b) {
      case First:
        fuente_->primero();
        break;
      case PriorPage:
        fuente_->moverPor(-kSaltoPagina);
        break;
      case Prior:
        fuente_->anterior();
        break;
      case Next:
        fuente_->siguiente();
        break;
      case NextPage:
        fuente_->moverPor(kSaltoPagina);
        break;
      case Last:
        fuente_->ultimo();
        break;
      case Edit:
        fuente_->editar();
        break;
      case Post:
        fuente_->grabar();
        break;
      case Cancel:
        fuente_->cancelar();
        break;
      case Refresh:
        fuente_->refrescar();
        break;
    }
  });
  actualizar();
}

// Moving is offered where there is a record to move to; edit while browsing a record;
// post and cancel while one is being edited.
void NavegadorDatos::actualizar() {
  const bool activa = fuente_ != nullptr && fuente_->activa();
  const bool hayFilas = activa && fuente_->rowCount() > 0;
  const bool editando = activa && fuente_->editando();
  const bool arriba = hayFilas && !fuente_->alPrincipio();
  const bool abajo = hayFilas && !fuente_->alFinal();
  const bool modificable = hayFilas && !fuente_->tabla()->readOnly();
  boton(First)->setEnabled(arriba);
  boton(PriorPage)->setEnabled(arriba);
  boton(Prior)->setEnabled(arriba);
  boton(Next)->setEnabled(abajo);
  boton(NextPage)->setEnabled(abajo);
  boton(Last)->setEnabled(abajo);
  boton(Edit)->setEnabled(modificable && !editando);
  boton(Post)->setEnabled(modificable && editando);
  boton(Cancel)->setEnabled(modificable && editando);
  boton(Refresh)->setEnabled(activa);
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
