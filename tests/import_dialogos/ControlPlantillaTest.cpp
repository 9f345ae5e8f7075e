// TControlPlantilla: its layout, and the class-period times typed in its grid reaching
// PLANTILLA.DBF.

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "dbf/EngineError.h"
#include "qt/dialogos/AspectoDialogo.h"
#include "qt/dialogos/BotonGlifo.h"
#include "qt/dialogos/ControlPlantilla.h"
#include "qt/dialogos/EtiquetaFondo.h"
#include "qt/dialogos/MostrarControles.h"
#include "qt/rejilla/AvisoError.h"
#include "qt/rejilla/FuenteDatos.h"
#include "qt/rejilla/NavegadorDatos.h"
#include "qt/rejilla/RejillaDatos.h"
#include "qt/rejilla/TitulosRejilla.h"
#include "qt/widgets/PanelDegradado.h"
#include "tests/import_dialogos/Columnas.h"
#include "tests/import_dialogos/Guion.h"
#include "tests/import_dialogos/Tablas.h"
#include "tests/support/TempDrive.h"

using namespace qt;

namespace {

constexpr int HORA = 0, HORAINI = 1, HORAFIN = 2;

const std::vector<Periodo> kManana = {{"08:00", "08:55"}, {"08:55", "09:50"}, {"09:50", "10:45"}};

bool mostrar(QDialog& d) {
  d.show();
  d.activateWindow();
  return QTest::qWaitForWindowActive(&d);
}

}  // namespace

class ControlPlantillaTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { prepararAplicacion(); }
  void init() {
    unidad_ = std::make_unique<TempDrive>();
    errores_.clear();
    qt::fijarAvisoError([this](QWidget*, const QString& t) { errores_ << t; });
  }
  void cleanup() {
    qt::fijarAvisoError({});
    unidad_.reset();
  }

  void ventana();
  void controles_data();
  void controles();
  void etiquetasYBoton();
  void rejilla_data();
  void rejilla();
  void tablaDelDialogo();
  void horasTecleadasSeGuardan_data();
  void horasTecleadasSeGuardan();
  void textoLargoSeCortaAlGuardar();
  void salirCierraYSueltaLaTabla();
  void cerrarConLaVentanaGuardaLoGrabado();
  void ningunaFilaSeAnadeNiSeBorra();
  void mostrarControlPlantilla();
  void sinPlantillaElErrorLlegaAlQueLoMuestra();

 private:
  std::unique_ptr<TempDrive> unidad_;
  QStringList errores_;
};

void ControlPlantillaTest::ventana() {
  crearPlantilla(kManana);
  TControlPlantilla d;
  QCOMPARE(d.objectName(), QStringLiteral("ControlPlantilla"));
  QCOMPARE(d.windowTitle(), QStringLiteral("Control de Plantilla Horaria"));
  QCOMPARE(d.size(), QSize(726, 463));
  QCOMPARE(d.minimumSize(), d.maximumSize());
  QVERIFY(!(d.windowFlags() & Qt::WindowMaximizeButtonHint));
  QCOMPARE(d.font().family(), QStringLiteral("MS Sans Serif"));
  QCOMPARE(d.font().pixelSize(), 11);
  QCOMPARE(d.property("contextoAyuda").toInt(), 1);
  QCOMPARE(d.palette().color(QPalette::Window), qt::aspecto::colorEscritorio());
}

void ControlPlantillaTest::controles_data() {
  QTest::addColumn<QString>("nombre");
  QTest::addColumn<QRect>("caja");
  QTest::newRow("Draw3D1") << "Draw3D1" << QRect(0, 0, 726, 463);
  QTest::newRow("Label1") << "Label1" << QRect(9, 12, 151, 64);
  QTest::newRow("Label3") << "Label3" << QRect(505, 57, 210, 13);
  QTest::newRow("Label2") << "Label2" << QRect(504, 91, 209, 130);
  QTest::newRow("wwDBNavigator1") << "wwDBNavigator1" << QRect(180, 29, 275, 24);
  QTest::newRow("PlantiHorDBGrid") << "PlantiHorDBGrid" << QRect(156, 56, 330, 385);
  QTest::newRow("BitBtn1") << "BitBtn1" << QRect(576, 312, 75, 25);
}

void ControlPlantillaTest::controles() {
  QFETCH(QString, nombre);
  QFETCH(QRect, caja);
  crearPlantilla(kManana);
  TControlPlantilla d;
  auto* w = d.findChild<QWidget*>(nombre);
  QVERIFY(w != nullptr);
  QCOMPARE(w->geometry(), caja);
  QCOMPARE(w->parentWidget(), nombre == QLatin1String("Draw3D1")
                                  ? static_cast<QWidget*>(&d)
                                  : static_cast<QWidget*>(d.Draw3D1));
}

void ControlPlantillaTest::etiquetasYBoton() {
  using namespace qt::aspecto;
  crearPlantilla(kManana);
  TControlPlantilla d;
  QCOMPARE(d.Draw3D1->colorInicio(), colorEscritorio());
  QCOMPARE(d.Draw3D1->colorMedio(), QColor(0xF0, 0xFB, 0xFF));
  QCOMPARE(d.Draw3D1->colorFin(), QColor(0x00, 0xFF, 0xFF));

  QCOMPARE(d.Label1->text(), QStringLiteral("COMPROBACIÓN DE LA PLANTILLA HORARIA DEL CENTRO"));
  QVERIFY(d.Label1->font().bold());
  QCOMPARE(d.Label1->font().pixelSize(), 13);
  QCOMPARE(d.Label1->palette().color(QPalette::WindowText), colorResaltado());
  QVERIFY(d.Label1->wordWrap());

  QCOMPARE(d.Label3->text(), QStringLiteral("PLANTILLA HORARIA DEL CENTRO"));
  QCOMPARE(d.Label3->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  QCOMPARE(d.Label3->palette().color(QPalette::WindowText), QColor(Qt::red));
  QVERIFY(d.Label3->font().bold());
  QVERIFY(d.Label3->font().underline());
  QCOMPARE(d.Label3->fondo(), QColor(0xF0, 0xCA, 0xA6));

  QCOMPARE(
      d.Label2->text(),
      QStringLiteral("Se ha recogido la siguiente Plantilla Horaria desde GESCEN. Compruébela "
                     "y modifique, en caso necesario, las Horas de Inicio y Final de Clase, en "
                     "la presente rejilla. Deben ser iguales que la Plantilla Horaria que estén "
                     "utilizando en GESCEN. Una vez adaptada la Rejilla Horaria, Pulse sobre el "
                     "Botón Salir."));
  QCOMPARE(d.Label2->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0x80));
  QVERIFY(d.Label2->font().bold());
  QVERIFY(d.Label2->wordWrap());

  QCOMPARE(d.BitBtn1->text(), QStringLiteral("Salir"));
  QVERIFY(d.BitBtn1->font().bold());
  QVERIFY(!d.BitBtn1->icon().isNull());
}

void ControlPlantillaTest::rejilla_data() {
  QTest::addColumn<int>("columna");
  QTest::addColumn<QString>("campo");
  QTest::addColumn<int>("caracteres");
  QTest::addColumn<QString>("titulo");
  QTest::addColumn<bool>("editable");
  QTest::newRow("HORA") << HORA << "HORA" << 7 << "HORA" << false;
  QTest::newRow("HORAINI") << HORAINI << "HORAINI" << 20 << "HORA INICIO CLASE" << true;
  QTest::newRow("HORAFIN") << HORAFIN << "HORAFIN" << 19 << "HORA FINAL CLASE" << true;
}

void ControlPlantillaTest::rejilla() {
  QFETCH(int, columna);
  QFETCH(QString, campo);
  QFETCH(int, caracteres);
  QFETCH(QString, titulo);
  QFETCH(bool, editable);
  crearPlantilla(kManana);
  TControlPlantilla d;
  RejillaDatos* g = d.PlantiHorDBGrid;
  QCOMPARE(g->fuente(), d.wwDataSource1);
  QCOMPARE(d.wwDBNavigator1->fuente(), d.wwDataSource1);
  QCOMPARE(d.wwDataSource1->columnCount(), 3);
  const ColumnaRejilla& c = d.wwDataSource1->columnas().at(columna);
  QCOMPARE(c.campo, campo);
  QCOMPARE(c.ancho, caracteres);
  QCOMPARE(d.wwDataSource1->headerData(columna, Qt::Horizontal).toString(), titulo);
  QCOMPARE(bool(d.wwDataSource1->flags(d.wwDataSource1->index(0, columna)) & Qt::ItemIsEditable),
           editable);
  // The column shows its number of characters in full (a DNI of 8 digits in a column of
  // 10).
  d.show();
  QVERIFY(QTest::qWaitForWindowExposed(&d));
  QVERIFY2(
      muestraSusCaracteres(g, columna, caracteres),
      qPrintable(QString("%1 px for %2 characters").arg(g->columnWidth(columna)).arg(caracteres)));
  QCOMPARE(g->colorTitulos(), QColor(0xFE, 0xE4, 0xA9));
  QCOMPARE(g->colorCeldas(), QColor(0xF0, 0xFB, 0xFF));
  QCOMPARE(g->colorAlterno(), QColor(0xCF, 0xD9, 0xFE));
  QCOMPARE(g->lineasTitulo(), 2);
  QVERIFY(g->titulos()->fuenteTitulos().bold());
  QCOMPARE(g->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  // The twenty periods, in order.
  QCOMPARE(d.wwDataSource1->rowCount(), 20);
  for (int fila = 0; fila < 20; ++fila)
    QCOMPARE(d.wwDataSource1->data(d.wwDataSource1->index(fila, HORA)).toString(),
             QString::number(fila + 1));
  QCOMPARE(d.wwDataSource1->data(d.wwDataSource1->index(1, HORAFIN)).toString(),
           QStringLiteral("09:50"));
}

void ControlPlantillaTest::tablaDelDialogo() {
  crearPlantilla(kManana);
  TControlPlantilla d;
  QVERIFY(d.wwTablePlantilla != nullptr);
  QCOMPARE(d.wwTablePlantilla->handleName(), std::string("wwTablePlantilla"));
  QCOMPARE(d.wwTablePlantilla->databaseName(), std::string("C:\\ZORVTMP\\Valencia"));
  QCOMPARE(d.wwTablePlantilla->tableName(), std::string("plantilla"));
  QVERIFY(!d.wwTablePlantilla->exclusive());
  QVERIFY(d.wwTablePlantilla->active());
  QCOMPARE(d.wwDataSource1->tabla(), d.wwTablePlantilla.get());
}

void ControlPlantillaTest::horasTecleadasSeGuardan_data() {
  QTest::addColumn<int>("fila");
  QTest::addColumn<int>("columna");
  QTest::addColumn<QString>("tecleado");
  QTest::addColumn<QString>("guardado");
  QTest::newRow("inicio del primer periodo") << 0 << HORAINI << "07:55"
                                             << "07:55";
  QTest::newRow("final de un periodo sin horas") << 5 << HORAFIN << "14:10"
                                                 << "14:10";
  QTest::newRow("cortado a cinco caracteres") << 19 << HORAINI << "08:00:00"
                                              << "08:00";
  QTest::newRow("otra forma de escribirla") << 2 << HORAFIN << "10.45"
                                            << "10.45";
}

void ControlPlantillaTest::horasTecleadasSeGuardan() {
  QFETCH(int, fila);
  QFETCH(int, columna);
  QFETCH(QString, tecleado);
  QFETCH(QString, guardado);
  crearPlantilla(kManana);
  TControlPlantilla d;
  QVERIFY(mostrar(d));
  d.PlantiHorDBGrid->setCurrentIndex(d.wwDataSource1->index(fila, columna));
  teclear(d.PlantiHorDBGrid, tecleado);
  // "Salir" takes the focus first: the time being typed is stored before it acts.
  QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
  QVERIFY(!d.isVisible());
  // That cell changed, every other one as it was.
  std::vector<Periodo> esperado = kManana;
  esperado.resize(20);
  Periodo& cambiado = esperado[static_cast<std::size_t>(fila)];
  (columna == HORAINI ? cambiado.inicio : cambiado.fin) = guardado.toStdString();
  const std::vector<Periodo> horas = leerPlantilla();
  QCOMPARE(horas.size(), std::size_t{20});
  for (std::size_t i = 0; i < horas.size(); ++i) {
    QCOMPARE(horas[i].inicio, esperado[i].inicio);
    QCOMPARE(horas[i].fin, esperado[i].fin);
  }
  QVERIFY(errores_.isEmpty());
}

void ControlPlantillaTest::textoLargoSeCortaAlGuardar() {
  crearPlantilla(kManana);
  TControlPlantilla d;
  QVERIFY(mostrar(d));
  QVERIFY(d.wwDataSource1->setData(d.wwDataSource1->index(3, HORAINI), QStringLiteral("11:40:00")));
  QCOMPARE(d.wwDataSource1->data(d.wwDataSource1->index(3, HORAINI)).toString(),
           QStringLiteral("11:40"));
  d.BitBtn1->setFocus(Qt::TabFocusReason);
  QCOMPARE(leerPlantilla()[3].inicio, std::string("11:40"));
}

void ControlPlantillaTest::salirCierraYSueltaLaTabla() {
  crearPlantilla(kManana);
  TControlPlantilla d;
  QVERIFY(mostrar(d));
  QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
  QVERIFY(!d.isVisible());
  QVERIFY(d.wwTablePlantilla == nullptr);
  QVERIFY(d.wwDataSource1->tabla() == nullptr);
  QCOMPARE(d.wwDataSource1->rowCount(), 0);
  // Nothing typed: the times are as they were.
  const std::vector<Periodo> horas = leerPlantilla();
  QCOMPARE(horas[2].inicio, std::string("09:50"));
  QCOMPARE(horas[19].fin, std::string());
}

void ControlPlantillaTest::cerrarConLaVentanaGuardaLoGrabado() {
  crearPlantilla(kManana);
  TControlPlantilla d;
  QVERIFY(mostrar(d));
  d.PlantiHorDBGrid->setCurrentIndex(d.wwDataSource1->index(0, HORAINI));
  teclear(d.PlantiHorDBGrid, QStringLiteral("07:30"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  // Moving to another period stores the one left.
  QTest::keyClick(d.PlantiHorDBGrid, Qt::Key_Down);
  QVERIFY(d.close());
  QCOMPARE(leerPlantilla()[0].inicio, std::string("07:30"));
}

void ControlPlantillaTest::ningunaFilaSeAnadeNiSeBorra() {
  crearPlantilla(kManana);
  TControlPlantilla d;
  QVERIFY(mostrar(d));
  d.wwDBNavigator1->pulsar(NavegadorDatos::Last);
  d.PlantiHorDBGrid->setCurrentIndex(d.wwDataSource1->index(19, HORAFIN));
  for (int tecla : {int(Qt::Key_Down), int(Qt::Key_Insert), int(Qt::Key_Return), int(Qt::Key_Tab)})
    QTest::keyClick(d.PlantiHorDBGrid, static_cast<Qt::Key>(tecla));
  QTest::keyClick(d.PlantiHorDBGrid, Qt::Key_Delete, Qt::ControlModifier);
  QCOMPARE(d.wwDataSource1->rowCount(), 20);
  QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
  QCOMPARE(registrosPlantilla(), 20u);
}

void ControlPlantillaTest::mostrarControlPlantilla() {
  crearPlantilla(kManana);
  QWidget dueno;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  bool visto = false;
  Qt::CursorShape cursor = Qt::WaitCursor;
  alMostrarse([&](QDialog* dialogo) {
    auto* d = qobject_cast<TControlPlantilla*>(dialogo);
    if (d == nullptr) return;
    visto = d->isModal() && d->parentWidget() == &dueno;
    cursor = QApplication::overrideCursor()->shape();
    d->PlantiHorDBGrid->setCurrentIndex(d->wwDataSource1->index(1, HORAINI));
    teclear(d->PlantiHorDBGrid, QStringLiteral("09:00"));
    QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
  });
  qt::mostrarControlPlantilla(&dueno);
  QVERIFY(visto);
  QCOMPARE(cursor, Qt::ArrowCursor);
  QCOMPARE(leerPlantilla()[1].inicio, std::string("09:00"));
  QVERIFY(QApplication::activeModalWidget() == nullptr);
  QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  QApplication::restoreOverrideCursor();
}

void ControlPlantillaTest::sinPlantillaElErrorLlegaAlQueLoMuestra() {
  QString texto;
  try {
    qt::mostrarControlPlantilla(nullptr);
  } catch (const dbf::EngineError& e) {
    texto = QString::fromUtf8(e.what());
  }
  QVERIFY2(texto.startsWith(QStringLiteral("wwTablePlantilla: ")), qPrintable(texto));
}

QTEST_MAIN(ControlPlantillaTest)
#include "ControlPlantillaTest.moc"
