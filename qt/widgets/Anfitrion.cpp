#include "qt/widgets/Anfitrion.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QByteArray>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdint>

namespace qt {

namespace {

// An X11 DestroyNotify event as xcb hands it over (the protocol's wire layout).
struct DestruccionX11 {
  std::uint8_t tipo;  // 17; the top bit marks an event sent by another client
  std::uint8_t relleno;
  std::uint16_t secuencia;
  std::uint32_t ventanaAvisada;
  std::uint32_t ventana;  // the window destroyed
};
constexpr std::uint8_t kDestroyNotify = 17;

// Watches the events of the X connection for the destruction of one window.
class FinConLaVentana : public QObject, public QAbstractNativeEventFilter {
 public:
  FinConLaVentana(QWidget* dialogo, WId ventana) : QObject(dialogo), ventana_(ventana) {
    QCoreApplication::instance()->installNativeEventFilter(this);
  }
  ~FinConLaVentana() override {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeNativeEventFilter(this);
  }

  bool nativeEventFilter(const QByteArray& tipo, void* mensaje, qintptr*) override {
    if (tipo != "xcb_generic_event_t") return false;
    const auto* e = static_cast<const DestruccionX11*>(mensaje);
    if ((e->tipo & 0x7F) != kDestroyNotify || e->ventana != ventana_) return false;
    terminar();
    return true;  // the window is gone: nothing of the dialog's may react to it
  }

 private:
  // A run that waits in a box goes on once the user has answered it; the program ends
  // when the main loop is reached again.
  void terminar() {
    if (QApplication::activeModalWidget() != nullptr) {
      QTimer::singleShot(100, this, &FinConLaVentana::terminar);
      return;
    }
    QCoreApplication::exit(0);
  }

  WId ventana_;
};

}  // namespace

QWindow* ventanaAnfitrion(QWidget* w) {
  if (w == nullptr) return nullptr;
  QWindow* ventana = w->window()->windowHandle();
  if (ventana == nullptr || ventana->parent() == nullptr) return nullptr;
  while (ventana->parent() != nullptr) ventana = ventana->parent();
  return ventana;
}

void darAlAnfitrion(QWidget* caja, QWindow* anfitrion) {
  if (anfitrion == nullptr) return;
  caja->setWindowModality(Qt::ApplicationModal);
  caja->winId();
  caja->windowHandle()->setTransientParent(anfitrion);
}

void terminarConLaVentana(QWidget* dialogo) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  new FinConLaVentana(dialogo, dialogo->winId());
}

}  // namespace qt
