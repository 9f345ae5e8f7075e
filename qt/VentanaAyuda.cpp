#include "qt/VentanaAyuda.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include "ayuda/ArchivoChm.h"
#include "qt/NavegadorChm.h"
#include "ui/Aplicacion.h"

namespace {

// The page of an entry, as EntradaContenido::tema has it.
constexpr int kTema = Qt::UserRole;

QPushButton* boton(const QString& texto, const char* nombre, QWidget* padre) {
  auto* b = new QPushButton(texto, padre);
  b->setObjectName(QLatin1String(nombre));
  b->setAutoDefault(false);
  return b;
}

}  // namespace

VentanaAyuda::VentanaAyuda(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("VentanaAyuda"));
  setWindowTitle(tr("Ayuda de %1").arg(QString::fromUtf8(ui::kTituloAplicacion)));
  // An open help window does not keep the program running.
  setAttribute(Qt::WA_QuitOnClose, false);

  Atras = boton(tr("< Atrás"), "Atras", this);
  Adelante = boton(tr("Adelante >"), "Adelante", this);
  Inicio = boton(tr("Inicio"), "Inicio", this);
  Atras->setEnabled(false);
  Adelante->setEnabled(false);

  auto* division = new QSplitter(Qt::Horizontal, this);
  Contenido = new QTreeWidget(division);
  Contenido->setObjectName(QStringLiteral("Contenido"));
  Contenido->setHeaderHidden(true);
  Contenido->setColumnCount(1);
  Pagina = new NavegadorChm(division);
  Pagina->setObjectName(QStringLiteral("Pagina"));
  division->addWidget(Contenido);
  division->addWidget(Pagina);
  division->setStretchFactor(1, 1);
  division->setSizes({230, 590});

  auto* botones = new QHBoxLayout;
  botones->addWidget(Atras);
  botones->addWidget(Adelante);
  botones->addWidget(Inicio);
  botones->addStretch(1);
  auto* columna = new QVBoxLayout(this);
  columna->addLayout(botones);
  columna->addWidget(division, 1);
  resize(820, 560);

  connect(Atras, &QPushButton::clicked, Pagina, &QTextBrowser::backward);
  connect(Adelante, &QPushButton::clicked, Pagina, &QTextBrowser::forward);
  connect(Inicio, &QPushButton::clicked, this, &VentanaAyuda::inicio);
  connect(Pagina, &QTextBrowser::backwardAvailable, Atras, &QWidget::setEnabled);
  connect(Pagina, &QTextBrowser::forwardAvailable, Adelante, &QWidget::setEnabled);
  // The signal comes before source() gives the new page.
  connect(Pagina, &QTextBrowser::sourceChanged, this,
          [this](const QUrl& url) { marcarEnContenido(NavegadorChm::TemaDe(url)); });
  connect(Contenido, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* item) { entradaElegida(item); });
}

VentanaAyuda::~VentanaAyuda() = default;

void VentanaAyuda::setArchivo(std::shared_ptr<const ayuda::ArchivoChm> archivo) {
  archivo_ = std::move(archivo);
  Pagina->setArchivo(archivo_);
  const QSignalBlocker sinAbrir(Contenido);
  Contenido->clear();
  if (archivo_ == nullptr) return;
  for (const ayuda::EntradaContenido& e : archivo_->contenido()) anadir(nullptr, e);
  Contenido->expandAll();
}

void VentanaAyuda::anadir(QTreeWidgetItem* padre, const ayuda::EntradaContenido& entrada) {
  auto* item = padre != nullptr ? new QTreeWidgetItem(padre) : new QTreeWidgetItem(Contenido);
  item->setText(0, QString::fromStdString(entrada.nombre));
  item->setData(0, kTema, QString::fromStdString(entrada.tema));
  for (const ayuda::EntradaContenido& hijo : entrada.hijos) anadir(item, hijo);
}

void VentanaAyuda::abrir(const QString& tema) { Pagina->abrir(tema); }

void VentanaAyuda::inicio() {
  if (archivo_ != nullptr) abrir(QString::fromStdString(archivo_->temaInicial()));
}

QString VentanaAyuda::tema() const { return Pagina->tema(); }

void VentanaAyuda::entradaElegida(QTreeWidgetItem* item) {
  if (item == nullptr) return;
  const QString tema = item->data(0, kTema).toString();
  if (tema.startsWith(QLatin1Char('/')))
    abrir(tema);
  else if (!tema.isEmpty())
    QDesktopServices::openUrl(QUrl(tema));
}

// The first entry of the page shown becomes the tree's current one; none when the page
// has no entry, so that choosing any entry opens it.
void VentanaAyuda::marcarEnContenido(const QString& tema) {
  QTreeWidgetItem* marcada = nullptr;
  for (QTreeWidgetItemIterator it(Contenido); *it != nullptr && marcada == nullptr; ++it) {
    const QString suyo = (*it)->data(0, kTema).toString();
    if (suyo.section(QLatin1Char('#'), 0, 0).compare(tema, Qt::CaseInsensitive) == 0) marcada = *it;
  }
  const QSignalBlocker sinAbrir(Contenido);
  Contenido->setCurrentItem(marcada);
}
