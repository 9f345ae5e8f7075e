#include "Anfitrion.h"

#include <QWidget>
#include <QWindow>

QWindow* VentanaAnfitrion(QWidget* w) {
  if (w == nullptr) return nullptr;
  QWindow* ventana = w->window()->windowHandle();
  if (ventana == nullptr || ventana->parent() == nullptr) return nullptr;
  while (ventana->parent() != nullptr) ventana = ventana->parent();
  return ventana;
}

void DarAlAnfitrion(QWidget* caja, QWindow* anfitrion) {
  if (anfitrion == nullptr) return;
  caja->setWindowModality(Qt::ApplicationModal);
  caja->winId();
  caja->windowHandle()->setTransientParent(anfitrion);
}
