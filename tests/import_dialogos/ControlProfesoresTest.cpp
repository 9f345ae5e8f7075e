// TControlProfesores: its layout, and the D.N.I. typed in its grid reaching PROFT.DBF.

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "dbf/EngineError.h"
#include "qt/dialogos/AspectoDialogo.h"
#include "qt/dialogos/BotonGlifo.h"
#include "qt/dialogos/ControlProfes.h"
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

Q_DECLARE_METATYPE(std::vector<std::int64_t>)

using Tecleado = QMap<int, QString>;  // row -> DNI typed

namespace {

constexpr int NOMBRE = 1, DNI = 2;

std::vector<Profesor> conDnis(const std::vector<std::int64_t>& dnis) {
  std::vector<Profesor> v;
  for (std::size_t i = 0; i < dnis.size(); ++i)
    v.push_back(
        {"PR" + std::to_string(i), "PROFESOR " + std::to_string(i), "DEPARTAMENTO", dnis[i]});
  return v;
}

std::vector<std::int64_t> dnisGuardados() {
  std::vector<std::int64_t> v;
  for (const Profesor& p : leerProft()) v.push_back(p.dni);
  return v;
}

bool mostrar(QDialog& d) {
  d.show();
  d.activateWindow();
  return QTest::qWaitForWindowActive(&d);
}

// Makes a row's DNI cell current and types into it; the editor stays open.
void teclearDni(TControlProfesores& d, int fila, const QString& texto) {
  d.ProftDBGrid->setCurrentIndex(d.wwDataSource1->index(fila, DNI));
  teclear(d.ProftDBGrid, texto);
}

}  // namespace

class ControlProfesoresTest : public QObject {
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
  void entrarEditaYSalirGraba();
  void salirTomaElFocoYGuardaLoTecleado();
  void dniCorrecto_data();
  void dniCorrecto();
  void cerrarConLaVentanaDejaDniCorrectoFalso();
  void dniRechazaLoQueNoEsEntero();
  void trasUnRechazoLaFilaMarcadaEsLaQueSeEdita_data();
  void trasUnRechazoLaFilaMarcadaEsLaQueSeEdita();
  void escapeNoCierra();
  void escapeDosVecesDejaElProfesorComoEstaba();
  void ningunaFilaSeAnadeNiSeBorra();
  void mostrarControlProfesores();
  void sinProftElErrorLlegaAlQueLoMuestra();

 private:
  std::unique_ptr<TempDrive> unidad_;
  QStringList errores_;
};

void ControlProfesoresTest::ventana() {
  crearProft(conDnis({0}));
  TControlProfesores d;
  QCOMPARE(d.objectName(), QStringLiteral("ControlProfesores"));
  QCOMPARE(d.windowTitle(), QStringLiteral("Control de Profesores"));
  QCOMPARE(d.size(), QSize(726, 499));
  QCOMPARE(d.minimumSize(), d.maximumSize());
  QVERIFY(!(d.windowFlags() & Qt::WindowMaximizeButtonHint));
  QVERIFY(!(d.windowFlags() & Qt::WindowMinimizeButtonHint));
  QVERIFY(d.windowFlags() & Qt::WindowCloseButtonHint);
  QCOMPARE(d.font().family(), QStringLiteral("MS Sans Serif"));
  QCOMPARE(d.font().pixelSize(), 11);
  QCOMPARE(d.property("contextoAyuda").toInt(), 1);
  QCOMPARE(d.palette().color(QPalette::Window), qt::aspecto::colorEscritorio());
  QVERIFY(!d.DNICorrecto);
}

void ControlProfesoresTest::controles_data() {
  QTest::addColumn<QString>("nombre");
  QTest::addColumn<QRect>("caja");
  QTest::newRow("Draw3D1") << "Draw3D1" << QRect(0, 0, 726, 499);
  QTest::newRow("Label1") << "Label1" << QRect(9, 20, 202, 32);
  QTest::newRow("Label3") << "Label3" << QRect(521, 66, 190, 13);
  QTest::newRow("Label2") << "Label2" << QRect(517, 91, 201, 104);
  QTest::newRow("wwDBNavigator1") << "wwDBNavigator1" << QRect(236, 29, 275, 24);
  QTest::newRow("ProftDBGrid") << "ProftDBGrid" << QRect(9, 56, 504, 433);
  QTest::newRow("BitBtn1") << "BitBtn1" << QRect(584, 216, 75, 25);
}

void ControlProfesoresTest::controles() {
  QFETCH(QString, nombre);
  QFETCH(QRect, caja);
  crearProft(conDnis({0}));
  TControlProfesores d;
  auto* w = d.findChild<QWidget*>(nombre);
  QVERIFY(w != nullptr);
  QCOMPARE(w->geometry(), caja);
  // Every control lies on the gradient panel.
  QCOMPARE(w->parentWidget(), nombre == QLatin1String("Draw3D1")
                                  ? static_cast<QWidget*>(&d)
                                  : static_cast<QWidget*>(d.Draw3D1));
}

void ControlProfesoresTest::etiquetasYBoton() {
  using namespace qt::aspecto;
  crearProft(conDnis({0}));
  TControlProfesores d;
  QCOMPARE(d.Draw3D1->colorInicio(), colorEscritorio());
  QCOMPARE(d.Draw3D1->colorMedio(), QColor(0xF0, 0xFB, 0xFF));
  QCOMPARE(d.Draw3D1->colorFin(), QColor(0x00, 0xFF, 0xFF));

  QCOMPARE(d.Label1->text(), QStringLiteral("CONTROL DEL D.N.I DE LOS PROFESORES"));
  QVERIFY(d.Label1->font().bold());
  QCOMPARE(d.Label1->font().pixelSize(), 13);
  QCOMPARE(d.Label1->palette().color(QPalette::WindowText), colorResaltado());
  QVERIFY(d.Label1->wordWrap());
  QVERIFY(!d.Label1->autoFillBackground());

  QCOMPARE(d.Label3->text(), QStringLiteral("INCIDENCIAS EN EL TRASPASO"));
  QCOMPARE(d.Label3->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  QCOMPARE(d.Label3->palette().color(QPalette::WindowText), QColor(Qt::red));
  QVERIFY(d.Label3->font().bold());
  QVERIFY(d.Label3->font().underline());
  QCOMPARE(d.Label3->fondo(), QColor(0xF0, 0xCA, 0xA6));

  QCOMPARE(
      d.Label2->text(),
      QStringLiteral("Se ha detectado que existe algún Profesor sin D.N.I. Para poder realizar "
                     "correctamente la integración del Horario en GESCEN, deberán asignarlo en "
                     "esta rejilla. Los Profesores deberán estar creados previamente en GESCEN, "
                     "con los mismos D.N.I's."));
  QCOMPARE(d.Label2->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0x80));
  QVERIFY(d.Label2->font().bold());
  QVERIFY(d.Label2->wordWrap());
  QVERIFY(!d.Label2->autoFillBackground());

  QCOMPARE(d.BitBtn1->text(), QStringLiteral("Salir"));
  QVERIFY(d.BitBtn1->font().bold());
  QVERIFY(!d.BitBtn1->icon().isNull());
}

void ControlProfesoresTest::rejilla_data() {
  QTest::addColumn<int>("columna");
  QTest::addColumn<QString>("campo");
  QTest::addColumn<int>("caracteres");
  QTest::addColumn<QString>("titulo");
  QTest::addColumn<bool>("editable");
  QTest::newRow("ABREV") << 0 << "ABREV" << 4 << "ABREV" << false;
  QTest::newRow("NOMBRE") << 1 << "NOMBRE" << 40 << "NOMBRE" << true;
  QTest::newRow("DNI") << 2 << "DNI" << 10 << "DNI" << true;
  QTest::newRow("DEPART") << 3 << "DEPART" << 40 << "DEPARTAMENTO" << true;
}

void ControlProfesoresTest::rejilla() {
  QFETCH(int, columna);
  QFETCH(QString, campo);
  QFETCH(int, caracteres);
  QFETCH(QString, titulo);
  QFETCH(bool, editable);
  crearProft(conDnis({0, 5}));
  TControlProfesores d;
  RejillaDatos* g = d.ProftDBGrid;
  QCOMPARE(g->fuente(), d.wwDataSource1);
  QCOMPARE(d.wwDBNavigator1->fuente(), d.wwDataSource1);
  QCOMPARE(d.wwDataSource1->columnCount(), 4);
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
  QVERIFY(g->alternatingRowColors());
  QCOMPARE(g->lineasTitulo(), 2);
  QVERIFY(g->titulos()->fuenteTitulos().bold());
  QCOMPARE(g->titulos()->defaultAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
  QCOMPARE(g->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  QCOMPARE(g->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

void ControlProfesoresTest::tablaDelDialogo() {
  crearProft(conDnis({0, 7}));
  TControlProfesores d;
  QVERIFY(d.wwTableProft != nullptr);
  QCOMPARE(d.wwTableProft->handleName(), std::string("wwTableProft"));
  QCOMPARE(d.wwTableProft->databaseName(), std::string("C:\\ZORVTMP"));
  QCOMPARE(d.wwTableProft->tableName(), std::string("proft.dbf"));
  QVERIFY(!d.wwTableProft->exclusive());
  QVERIFY(d.wwTableProft->active());
  QCOMPARE(d.wwDataSource1->tabla(), d.wwTableProft.get());
  QCOMPARE(d.wwDataSource1->rowCount(), 2);
}

void ControlProfesoresTest::entrarEditaYSalirGraba() {
  crearProft(conDnis({0, 7}));
  TControlProfesores d;
  QVERIFY(mostrar(d));
  // The grid takes the focus as the dialog opens.
  QVERIFY(d.ProftDBGrid->tieneFoco());
  QCOMPARE(d.wwTableProft->state(), dbf::TableState::Edit);
  d.ProftDBGrid->setCurrentIndex(d.wwDataSource1->index(0, NOMBRE));
  teclear(d.ProftDBGrid, QStringLiteral("GARCIA"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QCOMPARE(leerProft()[0].nombre, std::string("PROFESOR 0"));
  d.BitBtn1->setFocus(Qt::TabFocusReason);
  QCOMPARE(d.wwTableProft->state(), dbf::TableState::Browse);
  QCOMPARE(leerProft()[0].nombre, std::string("GARCIA"));
  // Back into the grid: the current record is edited again.
  d.ProftDBGrid->setFocus(Qt::TabFocusReason);
  QCOMPARE(d.wwTableProft->state(), dbf::TableState::Edit);
  QVERIFY(errores_.isEmpty());
}

void ControlProfesoresTest::salirTomaElFocoYGuardaLoTecleado() {
  crearProft(conDnis({11, 0, 33}));
  TControlProfesores d;
  QVERIFY(mostrar(d));
  teclearDni(d, 1, QStringLiteral("22334455"));
  QVERIFY(d.ProftDBGrid->editor() != nullptr);
  QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
  QVERIFY(d.DNICorrecto);
  QVERIFY(!d.isVisible());
  QVERIFY(d.wwTableProft == nullptr);
  QCOMPARE(dnisGuardados(), (std::vector<std::int64_t>{11, 22334455, 33}));
  QVERIFY(errores_.isEmpty());
}

void ControlProfesoresTest::dniCorrecto_data() {
  QTest::addColumn<std::vector<std::int64_t>>("antes");
  QTest::addColumn<Tecleado>("tecleado");
  QTest::addColumn<bool>("correcto");
  QTest::addColumn<std::vector<std::int64_t>>("despues");
  using V = std::vector<std::int64_t>;
  using M = QMap<int, QString>;
  QTest::newRow("todos tienen") << V{1, 2} << M{} << true << V{1, 2};
  QTest::newRow("el único que faltaba") << V{1, 0, 3} << M{{1, "9"}} << true << V{1, 9, 3};
  QTest::newRow("falta uno de dos") << V{0, 2, 0} << M{{0, "8"}} << false << V{8, 2, 0};
  QTest::newRow("los dos que faltaban") << V{0, 0} << M{{0, "8"}, {1, "7"}} << true << V{8, 7};
  QTest::newRow("ninguno tecleado") << V{0} << M{} << false << V{0};
  QTest::newRow("negativo cuenta") << V{-5, 0} << M{{1, "-4"}} << true << V{-5, -4};
  QTest::newRow("un cero tecleado") << V{1, 2} << M{{1, "0"}} << false << V{1, 0};
  QTest::newRow("borrado queda vacío") << V{1, 2} << M{{0, ""}} << false << V{0, 2};
  QTest::newRow("sin profesores") << V{} << M{} << true << V{};
}

void ControlProfesoresTest::dniCorrecto() {
  QFETCH(std::vector<std::int64_t>, antes);
  QFETCH(Tecleado, tecleado);
  QFETCH(bool, correcto);
  QFETCH(std::vector<std::int64_t>, despues);
  crearProft(conDnis(antes));
  TControlProfesores d;
  QVERIFY(mostrar(d));
  for (auto it = tecleado.begin(); it != tecleado.end(); ++it) {
    d.ProftDBGrid->setCurrentIndex(d.wwDataSource1->index(it.key(), DNI));
    if (it.value().isEmpty()) {
      // Emptied with F2, Backspaces and Enter.
      QTest::keyClick(d.ProftDBGrid, Qt::Key_F2);
      QLineEdit* e = qobject_cast<QLineEdit*>(d.ProftDBGrid->editor());
      QVERIFY(e != nullptr);
      e->selectAll();
      QTest::keyClick(e, Qt::Key_Backspace);
    } else {
      teclear(d.ProftDBGrid, it.value());
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  }
  QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
  QCOMPARE(d.DNICorrecto, correcto);
  QVERIFY(!d.isVisible());
  QCOMPARE(dnisGuardados(), despues);
  QCOMPARE(registrosProft(), static_cast<std::uint32_t>(antes.size()));
  QVERIFY(errores_.isEmpty());
}

void ControlProfesoresTest::cerrarConLaVentanaDejaDniCorrectoFalso() {
  crearProft(conDnis({4, 0}));
  {
    TControlProfesores d;
    QVERIFY(mostrar(d));
    teclearDni(d, 1, QStringLiteral("5"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(d.close());
    QVERIFY(!d.DNICorrecto);
  }
  // The record still in editing was never posted: closing drops it.
  QCOMPARE(dnisGuardados(), (std::vector<std::int64_t>{4, 0}));
  // A number posted before the window is closed stays, and still DNICorrecto is false.
  TControlProfesores d;
  QVERIFY(mostrar(d));
  teclearDni(d, 1, QStringLiteral("5"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  d.wwDBNavigator1->pulsar(NavegadorDatos::Post);
  QVERIFY(d.close());
  QVERIFY(!d.DNICorrecto);
  QCOMPARE(dnisGuardados(), (std::vector<std::int64_t>{4, 5}));
}

void ControlProfesoresTest::dniRechazaLoQueNoEsEntero() {
  crearProft(conDnis({0, 2}));
  TControlProfesores d;
  QVERIFY(mostrar(d));
  // Text that does not convert is refused, and the record stays in editing.
  QVERIFY(!d.wwDataSource1->setData(d.wwDataSource1->index(0, DNI), QStringLiteral("abc")));
  QCOMPARE(d.wwDataSource1->ultimoError(), QStringLiteral("'abc' no es un valor entero válido"));
  QCOMPARE(d.wwTableProft->state(), dbf::TableState::Edit);
  // Letters typed into the cell are not taken; a lone sign is refused on leaving.
  teclearDni(d, 0, QStringLiteral("-x"));
  QCOMPARE(qobject_cast<QLineEdit*>(d.ProftDBGrid->editor())->text(), QStringLiteral("-"));
  QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
  QCoreApplication::processEvents();
  QCOMPARE(errores_, QStringList{QStringLiteral("'-' no es un valor entero válido")});
  QVERIFY(d.isVisible());
  QVERIFY(d.wwTableProft != nullptr);
  QCOMPARE(d.wwTableProft->state(), dbf::TableState::Edit);
  QVERIFY(d.ProftDBGrid->editor() != nullptr && d.ProftDBGrid->editor()->hasFocus());
  QCOMPARE(dnisGuardados(), (std::vector<std::int64_t>{0, 2}));
  // Corrected, "Salir" stores it and closes.
  QTest::keyClick(d.ProftDBGrid->editor(), Qt::Key_6);
  QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
  QVERIFY(!d.isVisible());
  QVERIFY(d.DNICorrecto);
  QCOMPARE(dnisGuardados(), (std::vector<std::int64_t>{-6, 2}));
}

void ControlProfesoresTest::trasUnRechazoLaFilaMarcadaEsLaQueSeEdita_data() {
  QTest::addColumn<int>("tecla");
  QTest::newRow("Down") << int(Qt::Key_Down);
  QTest::newRow("Up") << int(Qt::Key_Up);
  QTest::newRow("PageDown") << int(Qt::Key_PageDown);
  QTest::newRow("Return") << int(Qt::Key_Return);
  QTest::newRow("Tab") << int(Qt::Key_Tab);
}

// A value refused on the way to another cell leaves the highlight on the cell being
// edited: what is typed next goes where the user sees it going.
void ControlProfesoresTest::trasUnRechazoLaFilaMarcadaEsLaQueSeEdita() {
  QFETCH(int, tecla);
  crearProft(conDnis({11, 0, 33}));
  TControlProfesores d;
  QVERIFY(mostrar(d));
  teclearDni(d, 1, QStringLiteral("99999999999"));
  QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(tecla));
  QCoreApplication::processEvents();
  QCOMPARE(errores_.size(), 1);
  const QModelIndex dni = d.wwDataSource1->index(1, DNI);
  QCOMPARE(d.ProftDBGrid->currentIndex(), dni);
  QCOMPARE(d.ProftDBGrid->selectionModel()->selectedIndexes(), QModelIndexList{dni});
  QCOMPARE(d.wwDataSource1->filaActual(), 1);
  // Corrected where it stands, the number goes to that teacher and no other.
  QLineEdit* editor = qobject_cast<QLineEdit*>(d.ProftDBGrid->editor());
  QVERIFY(editor != nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, QStringLiteral("22334455"));
  QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
  QCOMPARE(dnisGuardados(), (std::vector<std::int64_t>{11, 22334455, 33}));
}

void ControlProfesoresTest::escapeNoCierra() {
  crearProft(conDnis({0}));
  TControlProfesores d;
  QVERIFY(mostrar(d));
  QTest::keyClick(d.ProftDBGrid, Qt::Key_Escape);
  d.BitBtn1->setFocus();
  QTest::keyClick(d.BitBtn1, Qt::Key_Escape);
  QVERIFY(d.isVisible());
}

// Escape twice with the grid's keys: the editor's number, then the name already handed to
// the record, are dropped; "Salir" leaves the teacher as the file had it.
void ControlProfesoresTest::escapeDosVecesDejaElProfesorComoEstaba() {
  crearProft(conDnis({0, 2}));
  TControlProfesores d;
  QVERIFY(mostrar(d));
  d.ProftDBGrid->setCurrentIndex(d.wwDataSource1->index(0, NOMBRE));
  teclear(d.ProftDBGrid, QStringLiteral("GARCIA"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  teclear(d.ProftDBGrid, QStringLiteral("31"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QVERIFY(d.isVisible());
  QCOMPARE(d.wwTableProft->state(), dbf::TableState::Browse);
  QCOMPARE(d.wwDataSource1->data(d.wwDataSource1->index(0, NOMBRE)).toString(),
           QStringLiteral("PROFESOR 0"));
  QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
  QVERIFY(!d.isVisible());
  QVERIFY(!d.DNICorrecto);
  QCOMPARE(leerProft()[0].nombre, std::string("PROFESOR 0"));
  QCOMPARE(dnisGuardados(), (std::vector<std::int64_t>{0, 2}));
  QVERIFY(errores_.isEmpty());
}

void ControlProfesoresTest::ningunaFilaSeAnadeNiSeBorra() {
  crearProft(conDnis({0, 2}));
  TControlProfesores d;
  QVERIFY(mostrar(d));
  d.ProftDBGrid->setCurrentIndex(d.wwDataSource1->index(1, 3));
  for (int tecla :
       {int(Qt::Key_Down), int(Qt::Key_Insert), int(Qt::Key_Return), int(Qt::Key_PageDown)})
    QTest::keyClick(d.ProftDBGrid, static_cast<Qt::Key>(tecla));
  QTest::keyClick(d.ProftDBGrid, Qt::Key_Delete, Qt::ControlModifier);
  d.wwDBNavigator1->pulsar(NavegadorDatos::NextPage);
  QCOMPARE(d.wwDataSource1->rowCount(), 2);
  QVERIFY(d.wwDBNavigator1->findChild<QWidget*>(QStringLiteral("Insert")) == nullptr);
  QVERIFY(d.wwDBNavigator1->findChild<QWidget*>(QStringLiteral("Delete")) == nullptr);
  QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
  QCOMPARE(registrosProft(), 2u);
  QCOMPARE(dnisGuardados(), (std::vector<std::int64_t>{0, 2}));
}

void ControlProfesoresTest::mostrarControlProfesores() {
  crearProft(conDnis({0, 2}));
  QWidget dueno;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  bool visto = false;
  Qt::CursorShape cursor = Qt::WaitCursor;
  alMostrarse([&](QDialog* dialogo) {
    auto* d = qobject_cast<TControlProfesores*>(dialogo);
    if (d == nullptr) return;
    visto = d->isModal() && d->parentWidget() == &dueno;
    cursor = QApplication::overrideCursor()->shape();
    teclearDni(*d, 0, QStringLiteral("31"));
    QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
  });
  const bool correcto = qt::mostrarControlProfesores(&dueno);
  QVERIFY(visto);
  QCOMPARE(cursor, Qt::ArrowCursor);
  QVERIFY(correcto);
  QCOMPARE(dnisGuardados(), (std::vector<std::int64_t>{31, 2}));
  // The dialog is gone and the run's hourglass is back.
  QVERIFY(QApplication::activeModalWidget() == nullptr);
  QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  QApplication::restoreOverrideCursor();

  alMostrarse([](QDialog* dialogo) { dialogo->close(); });
  QVERIFY(!qt::mostrarControlProfesores(&dueno));
}

void ControlProfesoresTest::sinProftElErrorLlegaAlQueLoMuestra() {
  QString texto;
  try {
    qt::mostrarControlProfesores(nullptr);
  } catch (const dbf::EngineError& e) {
    texto = QString::fromUtf8(e.what());
  }
  QVERIFY2(texto.startsWith(QStringLiteral("wwTableProft: ")), qPrintable(texto));
  QVERIFY(QApplication::activeModalWidget() == nullptr);
}

QTEST_MAIN(ControlProfesoresTest)
#include "ControlProfesoresTest.moc"
