#include "ListaCarpetas.h"

#include <QDir>
#include <QPainter>
#include <QRegularExpression>
#include <QStyledItemDelegate>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "Staging.h"
#include "WinPath.h"
#include "platform/Platform.h"

namespace fs = std::filesystem;

namespace {

// A folder split into its root and the names below it.
struct Cadena {
  QString raiz;  // "C:\" or, for a path no drive holds, "/"
  QString sep;   // "\" or "/"
  QStringList partes;

  QString ruta(int n) const {  // the folder of the first n names
    QStringList p = partes.mid(0, n);
    return raiz + p.join(sep);
  }
  QString ruta() const { return ruta(static_cast<int>(partes.size())); }
};

bool esRutaWindows(const QString& s) { return winpath::isWindowsPath(s.toStdString()); }

// Applies "." and ".." to a list of names.
QStringList limpiar(const QStringList& nombres) {
  QStringList out;
  for (const QString& n : nombres) {
    if (n.isEmpty() || n == QLatin1String(".")) continue;
    if (n == QLatin1String("..")) {
      if (!out.isEmpty()) out.removeLast();
      continue;
    }
    out << n;
  }
  return out;
}

Cadena cadenaDe(const QString& ruta) {
  Cadena c;
  if (esRutaWindows(ruta) && ruta.size() >= 2 && ruta[1] == QLatin1Char(':')) {
    c.raiz = ruta.left(1).toUpper() + QStringLiteral(":\\");
    c.sep = QStringLiteral("\\");
    c.partes = limpiar(ruta.mid(2).split(QRegularExpression(QStringLiteral("[\\\\/]"))));
  } else {
    c.raiz = QStringLiteral("/");
    c.sep = QStringLiteral("/");
    c.partes = limpiar(ruta.split(QLatin1Char('/')));
  }
  return c;
}

std::string nativa(const QString& carpeta) {
  const std::string s = carpeta.toStdString();
  return esRutaWindows(carpeta) ? winpath::toNative(s) : s;
}

// Subfolders of a folder, sorted as Windows lists them; names beginning with a dot are
// hidden folders under Wine and are left out.
QStringList subcarpetas(const QString& carpeta) {
  QStringList out;
  std::error_code ec;
  for (fs::directory_iterator it(nativa(carpeta), ec), fin; !ec && it != fin; it.increment(ec)) {
    std::error_code ec2;
    if (!it->is_directory(ec2)) continue;
    const QString nombre = QString::fromStdString(it->path().filename().string());
    if (nombre.startsWith(QLatin1Char('.'))) continue;
    out << nombre;
  }
  std::sort(out.begin(), out.end(), [](const QString& a, const QString& b) {
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
  });
  return out;
}

// Rows indented by their depth, each 16 pixels high.
class DelegadoCarpeta : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem o(option);
    o.rect.setLeft(o.rect.left() + 2 +
                   index.data(ListaCarpetas::kRolNivel).toInt() * ListaCarpetas::kSangria);
    QStyledItemDelegate::paint(painter, o, index);
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setWidth(s.width() + 2 +
               index.data(ListaCarpetas::kRolNivel).toInt() * ListaCarpetas::kSangria);
    s.setHeight(ListaCarpetas::kAltoFila);
    return s;
  }
};

}  // namespace

ListaCarpetas::ListaCarpetas(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new DelegadoCarpeta(this));
  setUniformItemSizes(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setIconSize(QSize(14, 14));
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    emit aperturaPedida(item->data(kRolCarpeta).toString());
  });

  const QString actual = QDir::currentPath();
  const QString w = QString::fromStdString(winpath::toWindows(actual.toStdString()));
  directorio_ = cadenaDe(esRutaWindows(w) ? w : actual).ruta();
  releer();
}

QString ListaCarpetas::normalizar(const QString& carpeta) const {
  if (carpeta.isEmpty()) return directorio_;
  if (esRutaWindows(carpeta)) {
    if (carpeta.size() >= 2 && carpeta[1] == QLatin1Char(':')) return cadenaDe(carpeta).ruta();
    // "\GC": on the current folder's drive.
    const QString unidad = esRutaWindows(directorio_) ? directorio_.left(2) : QStringLiteral("C:");
    return cadenaDe(unidad + carpeta).ruta();
  }
  if (carpeta.startsWith(QLatin1Char('/'))) {
    const QString w = QString::fromStdString(winpath::toWindows(carpeta.toStdString()));
    return cadenaDe(esRutaWindows(w) ? w : carpeta).ruta();
  }
  // Relative to the current folder.
  const Cadena actual = cadenaDe(directorio_);
  return cadenaDe(actual.ruta() + actual.sep + carpeta).ruta();
}

void ListaCarpetas::setDirectorio(const QString& carpeta) {
  const QString nueva = normalizar(carpeta);
  if (winpath::sameName(nueva.toStdString(), directorio_.toStdString())) return;
  if (!plat::folderExists(nativa(nueva)))
    throw gc::EntradaSalidaError(plat::kPathNotFound, nueva.toStdString());
  directorio_ = nueva;
  releer();
  if (alCambiar_) alCambiar_();
}

void ListaCarpetas::releer() {
  clear();
  const Cadena c = cadenaDe(directorio_);
  const QIcon abierta = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon cerrada = style()->standardIcon(QStyle::SP_DirClosedIcon);
  auto fila = [this](const QString& texto, const QString& ruta, int nivel, const QIcon& icono) {
    auto* item = new QListWidgetItem(icono, texto, this);
    item->setData(kRolCarpeta, ruta);
    item->setData(kRolNivel, nivel);
    return item;
  };
  QListWidgetItem* actual = fila(c.raiz, c.raiz, 0, abierta);
  for (int i = 0; i < c.partes.size(); ++i)
    actual = fila(c.partes[i], c.ruta(i + 1), i + 1, abierta);
  const int nivel = static_cast<int>(c.partes.size()) + 1;
  for (const QString& sub : subcarpetas(directorio_))
    fila(sub, (c.partes.isEmpty() ? c.raiz : c.ruta() + c.sep) + sub, nivel, cerrada);
  setCurrentItem(actual);
  scrollToItem(actual);
}
