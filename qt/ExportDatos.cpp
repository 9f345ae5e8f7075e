#include "qt/ExportDatos.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QWindow>
#include <exception>
#include <stdexcept>

#include "gescen/Staging.h"
#include "procesos/exportar/Exportacion.h"
#include "procesos/importar/Importacion.h"
#include "qt/Ayuda.h"
#include "qt/CajaUnidades.h"
#include "qt/ListaCarpetas.h"
#include "qt/Mensajes.h"
#include "qt/Programa.h"
#include "qt/dialogos/MostrarControles.h"
#include "qt/widgets/Anfitrion.h"
#include "qt/widgets/DisposicionQt.h"
#include "qt/widgets/NegritaSimulada.h"
#include "qt/widgets/PanelDegradado.h"
#include "ui/ArchivoIni.h"
#include "ui/LineaOrdenes.h"

namespace qt {

namespace {

const ui::Dialogo& g_kDisposicion = ui::dialogoPrincipal();

void colorTexto(QWidget* w, const QColor& color) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, color);
  p.setColor(QPalette::Text, color);
  p.setColor(QPalette::ButtonText, color);
  w->setPalette(p);
}

// A label drawn over its pane's gradient. Labels that wrap have a fixed box; the others
// take the size of their text.
QLabel* etiqueta(QWidget* pane, const ui::Control& c) {
  auto* l = new QLabel(pane);
  l->setTextFormat(Qt::PlainText);
  l->setText(textoQt(c.texto));
  aplicarFuente(l, fuenteQt(c.fuente));
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  l->setAutoFillBackground(false);
  if (c.caja.ancho > 0) {
    l->setWordWrap(c.ajusteLinea);
    l->setGeometry(cajaQt(c.caja));
  } else {
    l->move(c.caja.x, c.caja.y);
    l->adjustSize();
  }
  return l;
}

// The language box: typed text is read as it stands; it never becomes an item of its
// own, nor is it completed or matched to an item in another case: "castellano" typed
// stays "castellano". A case-sensitive completer with nothing to offer keeps Enter from
// taking the item that matches without regard to case.
QComboBox* desplegableTexto(QWidget* pane, const ui::Control& c) {
  auto* caja = new QComboBox(pane);
  caja->setEditable(true);
  caja->setInsertPolicy(QComboBox::NoInsert);
  for (std::string_view e : c.elementos) caja->addItem(textoQt(e));
  auto* sinCompletar = new QCompleter(QStringList{}, caja);
  sinCompletar->setCaseSensitivity(Qt::CaseSensitive);
  caja->setCompleter(sinCompletar);
  caja->setEditText(textoQt(c.texto));
  if (c.conFondo) {
    QPalette p = caja->palette();
    p.setColor(QPalette::Base, colorQt(c.fondo));
    caja->setPalette(p);
  }
  return caja;
}

QWidget* crear(QWidget* pane, const ui::Control& c) {
  using ui::Clase;
  switch (c.clase) {
    case Clase::Etiqueta:
      return etiqueta(pane, c);
    case Clase::Edicion:
      return new QLineEdit(pane);
    case Clase::ListaCarpetas:
      return new ListaCarpetas(pane);
    case Clase::CajaUnidades:
      return new CajaUnidades(pane);
    case Clase::Desplegable: {
      auto* caja = new QComboBox(pane);
      caja->setEditable(false);
      return caja;
    }
    case Clase::DesplegableTexto:
      return desplegableTexto(pane, c);
    case Clase::Boton:
      return new QPushButton(textoQt(c.texto), pane);
    case Clase::BotonAceptar:
    case Clase::BotonCerrar: {
      const auto glifo =
          c.clase == Clase::BotonAceptar ? QStyle::SP_DialogOkButton : QStyle::SP_DialogCloseButton;
      return new QPushButton(pane->style()->standardIcon(glifo), textoQt(c.texto), pane);
    }
    case Clase::Rejilla:
    case Clase::Navegador:
      break;
  }
  throw std::logic_error("El diálogo principal no tiene rejillas");
}

}  // namespace

TExportarDatos::TExportarDatos(const QStringList& argumentos, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
  std::vector<std::string> args;
  for (const QString& a : argumentos) args.push_back(a.toStdString());
  presentador_ = std::make_unique<ui::PresentadorPrincipal>(*this, std::move(args));
  // The owners of the program's boxes follow this dialog's host mode.
  qt::fijarDialogoPrincipal(this, &presentador_->estado());

  setObjectName(textoQt(g_kDisposicion.nombre));
  setWindowTitle(textoQt(g_kDisposicion.titulo));
  setFont(fuenteQt(g_kDisposicion.fuente));
  setFixedSize(g_kDisposicion.ancho, g_kDisposicion.alto);
  setSizeGripEnabled(false);
  qt::fijarContextoAyuda(this, g_kDisposicion.contextoAyuda);
  crearControles();
  colocarPaneles();
  ordenTabulacion();

  // F1 asks for the help context of the focused control, in this dialog and in the
  // import's check dialogs alike.
  qt::atenderTeclaF1();
}

TExportarDatos::~TExportarDatos() {
  qt::olvidarDialogoPrincipal(this);
  presentador_.reset();
  if (anfitrion_ != nullptr) {
    // Deleting the host's stand-in would destroy the windows inside it: take ours out.
    if (QWindow* w = windowHandle()) w->setParent(nullptr);
    delete anfitrion_;
  }
}

// Every pane and control as the layout gives it; then what each one does.
void TExportarDatos::crearControles() {
  QHash<QString, QWidget*> porNombre;
  for (const ui::Panel& p : g_kDisposicion.paneles) {
    auto* panel = new PanelDegradado(this);
    panel->setObjectName(textoQt(p.nombre));
    panel->setColores(colorQt(p.inicio), colorQt(p.medio), colorQt(p.fin));
    if (p.contextoAyuda != 0) qt::fijarContextoAyuda(panel, p.contextoAyuda);
    porNombre.insert(panel->objectName(), panel);
  }
  for (const ui::Control& c : g_kDisposicion.controles) {
    QWidget* w = crear(porNombre.value(textoQt(c.panel)), c);
    w->setObjectName(textoQt(c.nombre));
    if (c.clase != ui::Clase::Etiqueta) {
      w->setGeometry(cajaQt(c.caja));
      if (c.clase != ui::Clase::DesplegableTexto) w->setFont(fuenteQt(c.fuente));
    }
    colorTexto(w, colorQt(c.color));
    if (c.contextoAyuda != 0) qt::fijarContextoAyuda(w, c.contextoAyuda);
    porNombre.insert(w->objectName(), w);
  }
  auto de = [&porNombre]<class T>(T*& miembro, const char* nombre) {
    miembro = qobject_cast<T*>(porNombre.value(QString::fromLatin1(nombre)));
    Q_ASSERT(miembro != nullptr);
  };
  de(Draw3D1, "Draw3D1");
  de(Draw3D2, "Draw3D2");
  de(Draw3D3, "Draw3D3");
  de(Label1, "Label1");
  de(EdNuevoDir, "EdNuevoDir");
  de(ListaDirectorios, "ListaDirectorios");
  de(ListaUnidades, "ListaUnidades");
  de(CBCentro, "CBCentro");
  de(Label2, "Label2");
  de(BExportar, "BExportar");
  de(BClose, "BClose");
  de(Label3, "Label3");
  de(Label4, "Label4");
  de(BImportar, "BImportar");
  de(Label5, "Label5");
  de(Label6, "Label6");
  de(Label8, "Label8");
  de(Label9, "Label9");
  de(ComboBoxValCast, "ComboBoxValCast");
  de(Label7, "Label7");
  de(Button1, "Button1");
  // The bold face of the language box is struck twice on the text it draws.
  aplicarFuente(ComboBoxValCast, fuenteQt(g_kDisposicion.control("ComboBoxValCast").fuente),
                ComboBoxValCast->lineEdit());

  connect(ListaDirectorios, &ListaCarpetas::aperturaPedida, this,
          [this](const QString& carpeta) { presentador_->abrirCarpeta(carpeta.toStdString()); });
  connect(ListaUnidades, &CajaUnidades::unidadElegida, this,
          [this](char unidad) { presentador_->elegirUnidad(unidad); });
  connect(BExportar, &QPushButton::clicked, this, &TExportarDatos::BExportarClick);
  connect(BClose, &QPushButton::clicked, this, &TExportarDatos::BCloseClick);
  connect(BImportar, &QPushButton::clicked, this, &TExportarDatos::BImportarClick);
  connect(Button1, &QPushButton::clicked, this, &TExportarDatos::Button1Click);

  // Both OK buttons are default buttons: Enter is handled in keyPressEvent.
  for (QPushButton* b : {BExportar, BImportar, BClose, Button1}) b->setAutoDefault(true);
  BExportar->setDefault(true);
}

void TExportarDatos::ordenTabulacion() {
  QList<QWidget*> orden;
  for (std::string_view nombre : g_kDisposicion.ordenTabulacion)
    orden << findChild<QWidget*>(textoQt(nombre));
  for (int i = 0; i + 1 < orden.size(); ++i) setTabOrder(orden[i], orden[i + 1]);
  orden.front()->setFocus();
}

// The folder pane runs along the bottom; above it the export pane fills what the import
// pane, on the right, leaves. A hidden upper pane leaves the whole width to the other.
void TExportarDatos::colocarPaneles() {
  const bool exportar = !Draw3D2->isHidden();
  const bool importar = !Draw3D3->isHidden();
  for (PanelDegradado* p : {Draw3D1, Draw3D2, Draw3D3})
    p->setGeometry(
        cajaQt(ui::cajaPanelPrincipal(p->objectName().toStdString(), exportar, importar)));
}

// Draws the dialog inside the host's window, without frame, at 2, 2. Under X11 the
// frameless flag must be set before the native window exists and is reparented. A
// null handle, or a system without foreign windows, leaves a frameless top-level window.
void TExportarDatos::incrustar(std::uint32_t ventana) {
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  move(2, 2);
  if (ventana != 0) {
    anfitrion_ = QWindow::fromWinId(static_cast<WId>(ventana));
    if (anfitrion_ != nullptr) {
      winId();
      windowHandle()->setParent(anfitrion_);
      windowHandle()->setPosition(2, 2);
      // The host's window takes ours with it when it goes: the program ends then too.
      terminarConLaVentana(this);
    }
  }
}

void TExportarDatos::mostrarPaneles(bool exportar, bool importar) {
  Draw3D2->setHidden(!exportar);
  Draw3D3->setHidden(!importar);
  const QString porDefecto = textoQt(presentador_->botonPorDefecto());
  for (QPushButton* b : {BExportar, BImportar}) b->setDefault(b->objectName() == porDefecto);
  colocarPaneles();
}

void TExportarDatos::mostrarCarpetas(const ui::ModeloCarpetas& carpetas) {
  ListaDirectorios->mostrar(carpetas);
}

void TExportarDatos::mostrarUnidades(const ui::ModeloUnidades& unidades) {
  ListaUnidades->mostrar(unidades);
}

void TExportarDatos::textoCarpeta(const std::string& texto) { EdNuevoDir->setText(textoQt(texto)); }

void TExportarDatos::centros(const std::vector<std::string>& codigos) {
  CBCentro->clear();
  for (const std::string& c : codigos) CBCentro->addItem(textoQt(c));
  if (CBCentro->count() > 0) CBCentro->setCurrentIndex(0);
}

std::string TExportarDatos::centro() const { return CBCentro->currentText().toStdString(); }

std::string TExportarDatos::idioma() const { return ComboBoxValCast->currentText().toStdString(); }

void TExportarDatos::error(const std::string& texto) { qt::mostrarError(this, textoQt(texto)); }

void TExportarDatos::ayudaContenido() { qt::Ayuda::instancia().contenido(this); }

void TExportarDatos::ayudaContexto(int contexto) {
  qt::Ayuda::instancia().contexto(contexto, this);
}

void TExportarDatos::datosCopiados(const std::string& carpeta) {
  emit datosGCCopiados(textoQt(carpeta));
}

bool TExportarDatos::controlProfesores() { return qt::mostrarControlProfesores(this); }

void TExportarDatos::controlPlantilla() { qt::mostrarControlPlantilla(this); }

void TExportarDatos::mensaje(const std::string& texto) { qt::mostrarMensaje(this, textoQt(texto)); }

void TExportarDatos::cursorEspera(bool activo) {
  if (activo == esperando_) return;
  esperando_ = activo;
  if (activo)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void TExportarDatos::cerrarDialogo() { close(); }

void TExportarDatos::closeEvent(QCloseEvent* event) {
  if (!presentador_->FormClose()) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
  if (event->isAccepted()) emit cerrado();
}

void TExportarDatos::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (mods == Qt::NoModifier) {
        // A control that does not use Enter itself passes it here: the default button.
        auto* b = findChild<QPushButton*>(textoQt(presentador_->botonPorDefecto()));
        if (b != nullptr && !b->isHidden() && b->isEnabled()) b->click();
      }
      event->accept();
      return;
    case Qt::Key_Escape:
      // There is no cancel button: Escape does nothing.
      event->accept();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

}  // namespace qt
