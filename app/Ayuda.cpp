#include "Ayuda.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QVariant>
#include <QWidget>

#include "Programa.h"

namespace tzv {

Ayuda& Ayuda::instancia() {
  static Ayuda ayuda;
  return ayuda;
}

namespace {

bool lanzarSuelto(const QString& programa, const QStringList& argumentos) {
  return QProcess::startDetached(programa, argumentos);
}

}  // namespace

Ayuda::Ayuda() : archivo_(QString::fromUtf8(kArchivoAyuda)), lanzador_(lanzarSuelto) {}

void Ayuda::setArchivo(const QString& nombre) { archivo_ = nombre; }

void Ayuda::setLanzador(Lanzador lanzador) {
  lanzador_ = lanzador ? std::move(lanzador) : Lanzador(lanzarSuelto);
}

QString Ayuda::rutaArchivo() const {
  return QDir(QString::fromStdString(CarpetaPrograma())).filePath(archivo_);
}

void Ayuda::contenido() { pedir(0); }

void Ayuda::contexto(int id) { pedir(id); }

void Ayuda::pedir(int contexto) {
  // Only compiled HTML help files are served.
  if (!archivo_.endsWith(QLatin1String(".chm"), Qt::CaseInsensitive)) return;
  const QString ruta = rutaArchivo();
  if (!QFileInfo(ruta).isFile()) return;
  const QString xchm = QStandardPaths::findExecutable(QStringLiteral("xchm"));
  if (!xchm.isEmpty()) {
    QStringList args;
    if (contexto != 0) args << QStringLiteral("-c") << QString::number(contexto);
    args << ruta;
    lanzador_(xchm, args);
    return;
  }
  const QString kchm = QStandardPaths::findExecutable(QStringLiteral("kchmviewer"));
  if (!kchm.isEmpty()) lanzador_(kchm, {ruta});
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
    int contexto = ContextoAyuda(foco != nullptr ? foco : widget);
    if (contexto == 0) contexto = ContextoAyuda(widget->window());
    if (contexto == 0) return false;
    Ayuda::instancia().contexto(contexto);
    return true;
  }
};

}  // namespace

void AtenderTeclaF1() {
  static QPointer<TeclaF1> filtro;
  if (filtro != nullptr) return;
  filtro = new TeclaF1;
  filtro->setParent(qApp);
  qApp->installEventFilter(filtro);
}

int ContextoAyuda(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    const int c = w->property("contextoAyuda").toInt();
    if (c != 0) return c;
  }
  return 0;
}

void FijarContextoAyuda(QWidget* widget, int contexto) {
  widget->setProperty("contextoAyuda", contexto);
}

}  // namespace tzv
