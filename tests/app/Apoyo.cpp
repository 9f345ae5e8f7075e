#include "tests/app/Apoyo.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <filesystem>

#include "qt/Ayuda.h"
#include "qt/Programa.h"
#include "qt/VentanaAyuda.h"

using namespace qt;

namespace prueba {

Guion::Guion() {
  qt::fijarContestador([this](qt::TipoAviso tipo, const QString& texto) {
    Aviso a{tipo, texto, QApplication::overrideCursor() != nullptr};
    avisos << a;
    if (alAviso) alAviso(a);
  });
}

Guion::~Guion() { qt::fijarContestador({}); }

QStringList Guion::textos() const {
  QStringList out;
  for (const Aviso& a : avisos) out << a.texto;
  return out;
}

QStringList Guion::errores() const {
  QStringList out;
  for (const Aviso& a : avisos)
    if (a.tipo == qt::TipoAviso::Error) out << a.texto;
  return out;
}

Escenario::Escenario() : cwdAntes_(QDir::currentPath()) {
  ui::fijarCarpetaPrograma(programa_.path().toStdString());
  QDir::setCurrent(QString::fromStdString(drive.driveC()));
}

Escenario::~Escenario() {
  QDir::setCurrent(cwdAntes_);
  ui::fijarCarpetaPrograma({});
  while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
}

QString Escenario::nativa(const QString& relativa) const {
  QString r = relativa;
  r.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return QString::fromStdString(drive.driveC()) + (r.isEmpty() ? QString() : QLatin1Char('/') + r);
}

void Escenario::crearCarpeta(const QString& relativa) const { QDir().mkpath(nativa(relativa)); }

void Escenario::entrar(const QString& relativa) const {
  crearCarpeta(relativa);
  QDir::setCurrent(nativa(relativa));
}

QString Escenario::ajustes() const {
  QFile f(QDir(programa_.path()).filePath(QStringLiteral("Zorvex.ini")));
  if (!f.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(f.readAll());
}

QString Escenario::crearUnidad(char letra) const {
  const std::filesystem::path raiz = std::filesystem::path(drive.driveC()).parent_path();
  const std::string nombre = std::string("drive_") + static_cast<char>(letra - 'A' + 'a');
  std::filesystem::create_directories(raiz / nombre);
  std::filesystem::create_symlink(
      "../" + nombre,
      raiz / "dosdevices" / (std::string(1, static_cast<char>(letra - 'A' + 'a')) + ":"));
  return QString::fromStdString((raiz / nombre).string());
}

QString ponerAyuda(const Escenario& e) {
  const QString destino = QDir(e.carpetaPrograma()).filePath(QStringLiteral("GESCEN.chm"));
  QFile::remove(destino);
  QFile::copy(QStringLiteral(TZV_CHM_PRUEBA), destino);
  return destino;
}

void ocultarAyuda(QWidget* activar) {
  if (QWidget* v = qt::Ayuda::instancia().ventana()) v->hide();
  if (activar == nullptr) return;
  QWidget* w = activar->window();
  w->activateWindow();
  QApplication::setActiveWindow(w);
  if (!QTest::qWaitForWindowActive(w))
    qWarning("La ventana %s no se activa", qPrintable(w->objectName()));
}

}  // namespace prueba
