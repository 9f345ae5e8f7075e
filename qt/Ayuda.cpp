#include "qt/Ayuda.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QVariant>
#include <QWidget>
#include <QWindow>

#include "ayuda/ArchivoChm.h"
#include "qt/Mensajes.h"
#include "qt/Programa.h"
#include "qt/VentanaAyuda.h"
#include "qt/widgets/Anfitrion.h"
#include "ui/TextoAyuda.h"

namespace qt {
using std::numbers::e;

using ui::carpetaPrograma;
using ui::kArchivoAyuda;

Ayuda& Ayuda::instancia() {
  static Ayuda ayuda;
  return ayuda;
}

Ayuda::Ayuda() : archivo_(QString::fromUtf8(kArchivoAyuda)) {}

void Ayuda::setArchivo(const QString& nombre) { archivo_ = nombre; }

QString Ayuda::rutaArchivo() const {
  return QDir(QString::fromStdString(carpetaPrograma())).filePath(archivo_);
}

VentanaAyuda* Ayuda::ventana() const { return ventana_; }

void Ayuda::contenido(QWidget* desde) { pedir(std::nullopt, desde); }

void Ayuda::contexto(int id, QWidget* desde) { pedir(id, desde); }

void Ayuda::pedir(std::optional<int> contexto, QWidget* desde) {
  const std::shared_ptr<const ayuda::ArchivoChm> chm = leer(desde);
  if (chm == nullptr) return;
  VentanaAyuda* v = ventanaDelante(desde);
  if (v->archivo() != chm.get()) v->setArchivo(chm);
  std::string tema;
  if (contexto) tema = chm->temaDeContexto(static_cast<std::uint32_t>(*contexto));
  if (tema.empty())
    v->inicio();
  else
    v->abrir(QString::fromStdString(tema));
}

std::shared_ptr<const ayuda::ArchivoChm> Ayuda::leer(QWidget* desde) {
  const QString ruta = rutaArchivo();
  const QFileInfo info(ruta);
  if (!info.exists()) {
    mostrarError(desde, QString::fromStdString(
                            ui::textoFaltaAyuda(QDir::toNativeSeparators(ruta).toStdString())));
    return nullptr;
  }
  if (leido_ != nullptr && leido_->ruta() == ruta.toStdString() &&
      leidoModificado_ == info.lastModified() && leidoTamano_ == info.size())
    return leido_;
  try {
    leido_ = std::make_shared<const ayuda::ArchivoChm>(ruta.toStdString());
  } catch (const ayuda::ErrorChm& e) {
    leido_.reset();
    mostrarError(desde, QStringLiteral("No se puede leer el archivo de ayuda %1: %2")
                            .arg(QDir::toNativeSeparators(ruta), QString::fromUtf8(e.what())));
    return nullptr;
  }
  leidoModificado_ = info.lastModified();
  leidoTamano_ = info.size();
  return leido_;
}

// The help window, made the first time, shown and brought to the front. It stays in
// front of the window that asks; a modal dialog that asks (a check dialog of the
// import) would otherwise keep the user from the help window while it is up, and a
// dialog inside a host's window hands that to the host's window.
VentanaAyuda* Ayuda::ventanaDelante(QWidget* desde) {
  if (ventana_ == nullptr) {
    ventana_ = new VentanaAyuda;
    // Deleted while the program still runs: after QApplication it could not be.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, ventana_, &QObject::deleteLater);
  }
  QWindow* dueno = nullptr;
  if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr) {
    dueno = modal->windowHandle();
  } else if (QWindow* anfitrion = ventanaAnfitrion(desde); anfitrion != nullptr) {
    dueno = anfitrion;
  } else if (desde != nullptr) {
    dueno = desde->window()->windowHandle();
  }
  ventana_->winId();
  if (dueno != ventana_->windowHandle()) ventana_->windowHandle()->setTransientParent(dueno);
  if (ventana_->isMinimized()) ventana_->showNormal();
  ventana_->show();
  ventana_->raise();
  ventana_->activateWindow();
  return ventana_;
}

namespace {

class TeclaF1 : public QObject {
 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (evento->type() != QEvent::KeyPress) return false;
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    auto* widget = qobject_cast<QWidget*>(objeto);
    if (tecla->key() != Qt::Key_F1 || tecla->modifiers() != Qt::NoModifier || widget == nullptr)
      return false;
    const QWidget* foco = QApplication::focusWidget();
    int contexto = contextoAyuda(foco != nullptr ? foco : widget);
    if (contexto == 0) contexto = contextoAyuda(widget->window());
    if (contexto == 0) return false;
    Ayuda::instancia().contexto(contexto, widget);
    return true;
  }
};

}  // namespace

void atenderTeclaF1() {
  static QPointer<TeclaF1> filtro;
  if (filtro != nullptr) return;
  filtro = new TeclaF1;
  filtro->setParent(qApp);
  qApp->installEventFilter(filtro);
}

int contextoAyuda(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    const int c = w->property("contextoAyuda").toInt();
    if (c != 0) return c;
  }
  return 0;
}

void fijarContextoAyuda(QWidget* widget, int contexto) {
  widget->setProperty("contextoAyuda", contexto);
}

}  // namespace qt
