#include "ExportDatos.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QWindow>
#include <exception>

#include "ArchivoIni.h"
#include "Ayuda.h"
#include "CajaUnidades.h"
#include "Exportacion.h"
#include "Importacion.h"
#include "LineaOrdenes.h"
#include "ListaCarpetas.h"
#include "Mensajes.h"
#include "MostrarControles.h"
#include "NegritaSimulada.h"
#include "PanelDegradado.h"
#include "Programa.h"
#include "Staging.h"

#ifndef TZV_VERSION
#define TZV_VERSION "1.0.0"
#endif

namespace {

constexpr int kAncho = 599;
constexpr int kAlto = 267;
constexpr int kAltoPanelCarpetas = 150;
constexpr int kAltoPanelesSuperiores = kAlto - kAltoPanelCarpetas;  // 117
constexpr int kAnchoPanelExportar = 299;
constexpr int kContexto = 1;

const QColor kAzul(0, 0, 255);
const QColor kRojo(255, 0, 0);
const QColor kNegro(0, 0, 0);

QFont fuente(const char* familia, int pixeles, bool negrita) {
  QFont f(QString::fromLatin1(familia));
  f.setPixelSize(pixeles);
  f.setBold(negrita);
  return f;
}

void colorTexto(QWidget* w, const QColor& color) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, color);
  p.setColor(QPalette::Text, color);
  p.setColor(QPalette::ButtonText, color);
  w->setPalette(p);
}

template <class T>
T* nombrado(T* w, const char* nombre) {
  w->setObjectName(QString::fromLatin1(nombre));
  return w;
}

// A label drawn over its pane's gradient. Labels that wrap have a fixed box; the others
// take the size of their text.
QLabel* etiqueta(QWidget* pane, const char* nombre, const QString& texto, const QFont& f,
                 const QColor& color, const QRect& caja) {
  auto* l = nombrado(new QLabel(pane), nombre);
  l->setTextFormat(Qt::PlainText);
  l->setText(texto);
  AplicarFuente(l, f);
  colorTexto(l, color);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  l->setAutoFillBackground(false);
  if (caja.width() > 0) {
    l->setWordWrap(true);
    l->setGeometry(caja);
  } else {
    l->move(caja.topLeft());
    l->adjustSize();
  }
  return l;
}

PanelDegradado* panel(QWidget* padre, const char* nombre, const QColor& inicio, const QColor& medio,
                      const QColor& fin) {
  auto* p = nombrado(new PanelDegradado(padre), nombre);
  p->setColores(inicio, medio, fin);
  return p;
}

}  // namespace

TExportarDatos::TExportarDatos(const QStringList& argumentos, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      argumentos_(argumentos) {
  setObjectName(QStringLiteral("ExportarDatos"));
  setWindowTitle(QStringLiteral("Exportar e importar datos "));
  setFont(fuente("MS Sans Serif", 11, false));
  setFixedSize(kAncho, kAlto);
  setSizeGripEnabled(false);
  tzv::FijarContextoAyuda(this, kContexto);
  crearControles();
  colocarPaneles();
  ordenTabulacion();

  // F1 asks for the help context of the focused control, in this dialog and in the
  // import's check dialogs alike.
  tzv::AtenderTeclaF1();
}

TExportarDatos::~TExportarDatos() {
  tablas_.cerrarTodas();
  if (anfitrion_ != nullptr) {
    // Deleting the host's stand-in would destroy the windows inside it: take ours out.
    if (QWindow* w = windowHandle()) w->setParent(nullptr);
    delete anfitrion_;
  }
}

void TExportarDatos::crearControles() {
  const QFont arial11 = fuente("Arial", 11, false);
  const QFont arial11b = fuente("Arial", 11, true);
  const QFont arial12b = fuente("Arial", 12, true);
  const QFont arial13b = fuente("Arial", 13, true);
  const QFont sans11b = fuente("MS Sans Serif", 11, true);

  // Folder pane, along the bottom.
  Draw3D1 = panel(this, "Draw3D1", QColor(0xC2, 0xCD, 0xFE), QColor(0xCF, 0xF2, 0xFE),
                  QColor(0xCC, 0xD8, 0xE6));
  tzv::FijarContextoAyuda(Draw3D1, kContexto);
  Label1 =
      etiqueta(Draw3D1, "Label1", QStringLiteral("Carpeta en la que se encuentran los datos de GC"),
               arial11, kAzul, QRect(14, 3, 0, 0));

  EdNuevoDir = nombrado(new QLineEdit(Draw3D1), "EdNuevoDir");
  EdNuevoDir->setGeometry(14, 18, 220, 22);
  EdNuevoDir->setFont(arial11b);
  colorTexto(EdNuevoDir, kNegro);

  ListaDirectorios = nombrado(new ListaCarpetas(Draw3D1), "ListaDirectorios");
  ListaDirectorios->setGeometry(14, 41, 220, 83);
  ListaDirectorios->setFont(arial11b);
  colorTexto(ListaDirectorios, kNegro);
  ListaDirectorios->setAlCambiar([this] { ListaDirectoriosChange(); });
  connect(ListaDirectorios, &ListaCarpetas::aperturaPedida, this, &TExportarDatos::abrirCarpeta);

  ListaUnidades = nombrado(new CajaUnidades(Draw3D1), "ListaUnidades");
  ListaUnidades->setGeometry(13, 125, 222, 20);
  ListaUnidades->setFont(arial11b);
  colorTexto(ListaUnidades, kNegro);
  ListaUnidades->mostrarCarpeta(ListaDirectorios->directorio());
  connect(ListaUnidades, &CajaUnidades::unidadElegida, this, &TExportarDatos::elegirUnidad);

  CBCentro = nombrado(new QComboBox(Draw3D1), "CBCentro");
  CBCentro->setEditable(false);
  CBCentro->setGeometry(304, 17, 145, 21);

  Label2 = etiqueta(Draw3D1, "Label2", QStringLiteral("Código del centro"), arial11, kAzul,
                    QRect(303, 3, 0, 0));

  // Export pane, top left.
  Draw3D2 = panel(this, "Draw3D2", QColor(0xF9, 0xD3, 0x7D), Qt::white, QColor(0xFF, 0xEE, 0xDD));
  tzv::FijarContextoAyuda(Draw3D2, kContexto);

  BExportar = nombrado(new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                                       QStringLiteral("Aceptar"), Draw3D2),
                       "BExportar");
  BExportar->setGeometry(71, 90, 89, 25);
  connect(BExportar, &QPushButton::clicked, this, &TExportarDatos::BExportarClick);

  BClose = nombrado(new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                    QStringLiteral("&Salir"), Draw3D1),
                    "BClose");
  BClose->setGeometry(304, 51, 89, 25);
  connect(BClose, &QPushButton::clicked, this, &TExportarDatos::BCloseClick);

  Label3 = etiqueta(
      Draw3D2, "Label3",
      QStringLiteral(
          "Exportar datos desde GC hacia Zorvex (Generador de horarios y organizador de grupos)"),
      arial12b, kNegro, QRect(2, 34, 296, 36));

  // Import pane, top right.
  Draw3D3 = panel(this, "Draw3D3", QColor(0xF9, 0xD3, 0x7D), Qt::white, QColor(0xFF, 0xEE, 0xDD));
  Label4 = etiqueta(Draw3D3, "Label4", QStringLiteral("Importar datos desde Zorvex (hacia GC)"),
                    arial13b, kNegro, QRect(6, 0, 281, 25));

  BImportar = nombrado(new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                                       QStringLiteral("Aceptar"), Draw3D3),
                       "BImportar");
  BImportar->setGeometry(92, 57, 89, 25);
  connect(BImportar, &QPushButton::clicked, this, &TExportarDatos::BImportarClick);

  Label5 =
      etiqueta(Draw3D3, "Label5",
               QStringLiteral(
                   "ATENCIÓN. Debería efectuar una copia de seguridad de los datos de GC, antes de "
                   "lanzar este proceso."),
               arial12b, kRojo, QRect(9, 17, 275, 48));
  Label6 =
      etiqueta(Draw3D3, "Label6",
               QStringLiteral(
                   "ATENCIÓN. Es necesario reorganizar los archivos de GC después de efectuar este "
                   "proceso."),
               arial12b, kRojo, QRect(9, 86, 281, 65));
  Label8 =
      etiqueta(Draw3D2, "Label8",
               QStringLiteral("UTILIDAD TRANSFERENCIA DE DATOS                GESCEN<->ZORVEX"),
               arial13b, kAzul, QRect(23, 3, 257, 34));
  Label9 = etiqueta(Draw3D2, "Label9", QStringLiteral("Recoger Textos Asignaturas en:"), sans11b,
                    kRojo, QRect(6, 71, 0, 0));

  ComboBoxValCast = nombrado(new QComboBox(Draw3D2), "ComboBoxValCast");
  ComboBoxValCast->setEditable(true);
  // Typed text is read as it stands; it never becomes an item of its own.
  ComboBoxValCast->setInsertPolicy(QComboBox::NoInsert);
  ComboBoxValCast->addItems({QStringLiteral("VALENCIÁ"), QStringLiteral("CASTELLANO")});
  // Nor is it completed or matched to an item in another case: "castellano" typed stays
  // "castellano" (Valencian names); only the exact "CASTELLANO" means Castilian. A
  // case-sensitive completer with nothing to offer keeps Enter from taking the item that
  // matches without regard to case.
  auto* sinCompletar = new QCompleter(QStringList{}, ComboBoxValCast);
  sinCompletar->setCaseSensitivity(Qt::CaseSensitive);
  ComboBoxValCast->setCompleter(sinCompletar);
  ComboBoxValCast->setEditText(QStringLiteral("VALENCIÁ"));
  ComboBoxValCast->setGeometry(193, 66, 93, 21);
  {
    QPalette p = ComboBoxValCast->palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, kNegro);
    p.setColor(QPalette::ButtonText, kNegro);
    ComboBoxValCast->setPalette(p);
  }
  AplicarFuente(ComboBoxValCast, sans11b, ComboBoxValCast->lineEdit());

  Label7 = etiqueta(
      Draw3D1, "Label7",
      QStringLiteral("TransZorvexValencia v%1 - Proyecto TZV").arg(QStringLiteral(TZV_VERSION)),
      arial11b, kRojo, QRect(301, 130, 293, 14));

  Button1 = nombrado(new QPushButton(QStringLiteral("F1 AYUDA"), Draw3D1), "Button1");
  Button1->setGeometry(310, 81, 75, 21);
  connect(Button1, &QPushButton::clicked, this, &TExportarDatos::Button1Click);

  for (QWidget* w :
       std::initializer_list<QWidget*>{EdNuevoDir, ListaDirectorios, ListaUnidades, CBCentro,
                                       BClose, Button1, BExportar, ComboBoxValCast, BImportar})
    tzv::FijarContextoAyuda(w, kContexto);

  // Both OK buttons are default buttons: Enter is handled in keyPressEvent.
  for (QPushButton* b : {BExportar, BImportar, BClose, Button1}) b->setAutoDefault(true);
  BExportar->setDefault(true);
}

void TExportarDatos::ordenTabulacion() {
  const QList<QWidget*> orden = {EdNuevoDir, ListaDirectorios, ListaUnidades,   CBCentro, BClose,
                                 Button1,    BExportar,        ComboBoxValCast, BImportar};
  for (int i = 0; i + 1 < orden.size(); ++i) setTabOrder(orden[i], orden[i + 1]);
  EdNuevoDir->setFocus();
}

// The folder pane runs along the bottom; above it the export pane fills what the import
// pane, on the right, leaves. A hidden upper pane leaves the whole width to the other.
void TExportarDatos::colocarPaneles() {
  Draw3D1->setGeometry(0, kAltoPanelesSuperiores, kAncho, kAltoPanelCarpetas);
  const bool exportar = !Draw3D2->isHidden();
  const bool importar = !Draw3D3->isHidden();
  if (exportar && importar) {
    Draw3D2->setGeometry(0, 0, kAnchoPanelExportar, kAltoPanelesSuperiores);
    Draw3D3->setGeometry(kAnchoPanelExportar, 0, kAncho - kAnchoPanelExportar,
                         kAltoPanelesSuperiores);
  } else if (exportar) {
    Draw3D2->setGeometry(0, 0, kAncho, kAltoPanelesSuperiores);
  } else if (importar) {
    Draw3D3->setGeometry(0, 0, kAncho, kAltoPanelesSuperiores);
  }
}

void TExportarDatos::FormCreate() {
  estado_.resultado = 0;
  try {
    if (argumentos_.size() == 2) {
      const quint32 ventana = tzv::ConvertirEntero("$" + argumentos_[1].toStdString());
      incrustar(ventana);
      estado_.numeroArgumentos = static_cast<std::int32_t>(argumentos_.size());
      const tzv::Sentido sentido = tzv::SentidoDe(argumentos_[0].toStdString());
      if (sentido == tzv::Sentido::Importar) {
        Draw3D2->hide();
        BImportar->setDefault(true);
        colocarPaneles();
      }
      if (sentido == tzv::Sentido::Exportar) {
        Draw3D3->hide();
        colocarPaneles();
      }
    }
    CopiarDatosGC();
    ListaDirectorios->setDirectorio(QString::fromLatin1(gc::kCarpetaGCPorDefecto));
    EdNuevoDir->setText(ListaDirectorios->directorio());
    llenarCentros();
  } catch (const std::exception& e) {
    tzv::MostrarError(this, QString::fromStdString(e.what()));
  }
}

// Draws the dialog inside the host's window, without frame, at 2, 2. Under X11 the
// frameless flag must be set before the native window exists and is reparented. A
// null handle, or a system without foreign windows, leaves a frameless top-level window.
void TExportarDatos::incrustar(quint32 ventana) {
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  if (ventana != 0) {
    anfitrion_ = QWindow::fromWinId(static_cast<WId>(ventana));
    if (anfitrion_ != nullptr) {
      winId();
      windowHandle()->setParent(anfitrion_);
    }
  }
  move(2, 2);
}

void TExportarDatos::ListaDirectoriosChange() {
  ListaUnidades->mostrarCarpeta(ListaDirectorios->directorio());
  EdNuevoDir->setText(ListaDirectorios->directorio());
  CopiarDatosGC();
}

void TExportarDatos::CopiarDatosGC() {
  const QString carpeta = ListaDirectorios->directorio();
  gc::CopiarDatosGC(tablas_, carpeta.toStdString());
  emit datosGCCopiados(carpeta);
}

void TExportarDatos::llenarCentros() {
  dbf::Table& centro = tablas_.wwTableCentro;
  centro.open();
  try {
    for (centro.first(); !centro.eof(); centro.next())
      CBCentro->addItem(QString::fromStdString(centro.asString("CODCEN")));
  } catch (...) {
    centro.close();
    throw;
  }
  if (CBCentro->count() > 0) CBCentro->setCurrentIndex(0);
  centro.close();
}

void TExportarDatos::abrirCarpeta(const QString& carpeta) {
  try {
    ListaDirectorios->setDirectorio(carpeta);
  } catch (const std::exception& e) {
    tzv::MostrarError(this, QString::fromStdString(e.what()));
  }
  ListaUnidades->mostrarCarpeta(ListaDirectorios->directorio());
}

void TExportarDatos::elegirUnidad(char unidad) {
  abrirCarpeta(ListaUnidades->carpetaActual(unidad));
}

void TExportarDatos::BExportarClick() {
  try {
    tzv::EjecutarExportacion(tablas_, ComboBoxValCast->currentText().toStdString(), estado_, *this);
  } catch (const std::exception& e) {
    // The hourglass is not left over an idle dialog.
    cursorEspera(false);
    tzv::MostrarError(this, QString::fromStdString(e.what()));
  }
}

bool TExportarDatos::controlProfesores() { return tzv::MostrarControlProfesores(this); }

void TExportarDatos::controlPlantilla() { tzv::MostrarControlPlantilla(this); }

void TExportarDatos::BImportarClick() {
  try {
    tzv::EjecutarImportacion(tablas_, ListaDirectorios->directorio().toStdString(),
                             CBCentro->currentText().toStdString(), estado_, *this);
  } catch (const std::exception& e) {
    cursorEspera(false);
    tzv::MostrarError(this, QString::fromStdString(e.what()));
  }
}

void TExportarDatos::BCloseClick() { close(); }

void TExportarDatos::Button1Click() {
  tzv::Ayuda::instancia().setArchivo(QString::fromUtf8(tzv::kArchivoAyuda));
  tzv::Ayuda::instancia().contenido();
}

void TExportarDatos::mensaje(const std::string& texto) {
  tzv::MostrarMensaje(this, QString::fromStdString(texto));
}

void TExportarDatos::cursorEspera(bool activo) {
  if (activo == esperando_) return;
  esperando_ = activo;
  if (activo)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void TExportarDatos::cerrarDialogo() { close(); }

// In host mode the result flag goes into the host's settings file before the dialog
// closes; a file that cannot be written keeps the dialog open.
bool TExportarDatos::FormClose() {
  if (!estado_.modoAnfitrion()) return true;
  const QString ruta = QString::fromStdString(tzv::JuntoAlPrograma(tzv::kArchivoAjustes));
  if (ini::EscribirValor(ruta.toStdString(), "Transformadores", "Transformado",
                         std::to_string(estado_.resultado)))
    return true;
  tzv::MostrarError(this,
                    QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(ruta)));
  return false;
}

void TExportarDatos::closeEvent(QCloseEvent* event) {
  if (!FormClose()) {
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
        QPushButton* b = Draw3D2->isHidden() ? BImportar : BExportar;
        if (!b->isHidden() && b->isEnabled()) b->click();
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
