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

namespace qt {

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

  botonAtras = boton(tr("< Atrás"), "Atras", this);
  botonAdelante = boton(tr("Adelante >"), "Adelante", this);
  botonInicio = boton(tr("Inicio"), "Inicio", this);
  botonAtras->setEnabled(false);
  botonAdelante->setEnabled(false);

  auto* division = new QSplitter(Qt::Horizontal, this);
  arbolContenido = new QTreeWidget(division);
  arbolContenido->setObjectName(QStringLiteral("Contenido"));
  arbolContenido->setHeaderHidden(true);
  arbolContenido->setColumnCount(1);
  pagina = new NavegadorChm(division);
  pagina->setObjectName(QStringLiteral("Pagina"));
  division->addWidget(arbolContenido);
  division->addWidget(pagina);
  division->setStretchFactor(1, 1);
  division->setSizes({230, 590});

  auto* botones = new QHBoxLayout;
  botones->addWidget(botonAtras);
  botones->addWidget(botonAdelante);
  botones->addWidget(botonInicio);
  botones->addStretch(1);
  auto* columna = new QVBoxLayout(this);
  columna->addLayout(botones);
  columna->addWidget(division, 1);
  resize(820, 560);

  connect(botonAtras, &QPushButton::clicked, pagina, &QTextBrowser::backward);
  connect(botonAdelante, &QPushButton::clicked, pagina, &QTextBrowser::forward);
  connect(botonInicio, &QPushButton::clicked, this, &VentanaAyuda::inicio);
  connect(pagina, &QTextBrowser::backwardAvailable, botonAtras, &QWidget::setEnabled);
  connect(pagina, &QTextBrowser::forwardAvailable, botonAdelante, &QWidget::setEnabled);
  // The signal comes before source() gives the new page.
  connect(pagina, &QTextBrowser::sourceChanged, this,
          [this](const QUrl& url) { marcarEnContenido(NavegadorChm::temaDe(url)); });
  connect(arbolContenido, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* item) { entradaElegida(item); });
}

VentanaAyuda::~VentanaAyuda() = default;

void VentanaAyuda::setArchivo(std::shared_ptr<const ayuda::ArchivoChm> archivo) {
  archivo_ = std::move(archivo);
  pagina->setArchivo(archivo_);
  const QSignalBlocker sinAbrir(arbolContenido);
  arbolContenido->clear();
  if (archivo_ == nullptr) return;
  for (const ayuda::EntradaContenido& e : archivo_->contenido()) anadir(nullptr, e);
  arbolContenido->expandAll();
}

void VentanaAyuda::anadir(QTreeWidgetItem* padre, const ayuda::EntradaContenido& entrada) {
  auto* item = padre != nullptr ? new QTreeWidgetItem(padre) : new QTreeWidgetItem(arbolContenido);
  item->setText(0, QString::fromStdString(entrada.nombre));
  item->setData(0, kTema, QString::fromStdString(entrada.tema));
  for (const ayuda::EntradaContenido& hijo : entrada.hijos) anadir(item, hijo);
}

void VentanaAyuda::abrir(const QString& tema) { pagina->abrir(tema); }

void VentanaAyuda::inicio() {
  if (archivo_ != nullptr) abrir(QString::fromStdString(archivo_->temaInicial()));
}

QString VentanaAyuda::tema() const { return pagina->tema(); }

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
  for (QTreeWidgetItemIterator it(arbolContenido); *it != nullptr && marcada == nullptr; ++it) {
    const QString suyo = (*it)->data(0, kTema).toString();
    if (suyo.section(QLatin1Char('#'), 0, 0).compare(tema, Qt::CaseInsensitive) == 0) marcada = *it;
  }
  const QSignalBlocker sinAbrir(arbolContenido);
  arbolContenido->setCurrentItem(marcada);
}

}  // namespace qt
