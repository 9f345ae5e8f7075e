// The grid widgets on a table of the engine: the data source, the grid and the
// navigator, in a window of their own.

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <map>
#include <memory>

#include "dbf/EngineError.h"
#include "gescen/Staging.h"
#include "qt/rejilla/AvisoError.h"
#include "qt/rejilla/FuenteDatos.h"
#include "qt/rejilla/IndicadorFilas.h"
#include "qt/rejilla/NavegadorDatos.h"
#include "qt/rejilla/RejillaDatos.h"
#include "qt/rejilla/TitulosRejilla.h"
#include "tests/import_dialogos/Columnas.h"
#include "tests/import_dialogos/Guion.h"
#include "tests/import_dialogos/Tablas.h"
#include "tests/support/TempDrive.h"

using namespace qt;

Q_DECLARE_METATYPE(NavegadorDatos::Boton)

namespace {

// Columns of the grid on PROFT.DBF.
constexpr int ABREV = 0, NOMBRE = 1, DNI = 2, DEPART = 3;

std::vector<Profesor> profesores(int n) {
  std::vector<Profesor> v;
  for (int i = 0; i < n; ++i)
    v.push_back({"P" + std::to_string(i), "NOMBRE " + std::to_string(i), "DEP " + std::to_string(i),
                 1000 + i});
  return v;
}

// The colour most pixels of `zona` in `imagen` have: a cell's or a title's background
// under its text and lines.
QColor colorDeFondo(const QImage& imagen, const QRect& zona) {
  std::map<QRgb, int> cuantos;
  for (int y = zona.top(); y <= zona.bottom(); ++y)
    for (int x = zona.left(); x <= zona.right(); ++x) ++cuantos[imagen.pixel(x, y)];
  if (cuantos.empty()) return {};
  const auto mas =
      std::max_element(cuantos.begin(), cuantos.end(),
                       [](const auto& a, const auto& b) { return a.second < b.second; });
  return QColor::fromRgb(mas->first);
}

// A window with a navigator, a grid and a button, on PROFT.DBF of a fresh drive.
struct Banco {
  TempDrive unidad;
  dbf::Table tabla;
  QWidget ventana;
  FuenteDatos* fuente = nullptr;
  NavegadorDatos* navegador = nullptr;
  RejillaDatos* rejilla = nullptr;
  QPushButton* boton = nullptr;

  explicit Banco(int registros) {
    crearProft(profesores(registros));
    tabla.setDatabaseName(gescen::kCarpetaTrabajo);
    tabla.setTableName("proft.dbf");
    tabla.open();
    fuente = new FuenteDatos(&ventana);
    fuente->setColumnas({{"ABREV", 4, "ABREV", false},
                         {"NOMBRE", 40, "NOMBRE", true},
                         {"DNI", 10, "DNI", true},
                         {"DEPART", 40, "DEPARTAMENTO", true}});
    fuente->setTabla(&tabla);
    navegador = new NavegadorDatos(&ventana);
    navegador->setGeometry(0, 0, 275, 24);
    navegador->setFuente(fuente);
    rejilla = new RejillaDatos(&ventana);
    rejilla->setGeometry(0, 30, 600, 300);
    rejilla->setLineasTitulo(2);
    rejilla->setFuente(fuente);
    boton = new QPushButton(QStringLiteral("Otro"), &ventana);
    boton->setGeometry(0, 340, 75, 25);
    ventana.resize(620, 380);
  }
  ~Banco() { fuente->setTabla(nullptr); }

  bool mostrar() {
    ventana.show();
    ventana.activateWindow();
    return QTest::qWaitForWindowActive(&ventana);
  }
  QModelIndex indice(int fila, int columna) const { return fuente->index(fila, columna); }
};

}  // namespace

class RejillaTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { prepararAplicacion(); }
  void init() {
    errores_.clear();
    qt::fijarAvisoError([this](QWidget*, const QString& t) { errores_ << t; });
  }
  void cleanup() { qt::fijarAvisoError({}); }

  void fuenteMuestraLosRegistros();
  void navegacion_data();
  void navegacion();
  void botonesSegunPosicionYEstado_data();
  void botonesSegunPosicionYEstado();
  void navegadorBotonesYPistas_data();
  void navegadorBotonesYPistas();
  void cambiarDeFilaGrabaElRegistro();
  void enteros_data();
  void enteros();
  void cancelarDescartaLosCambios();
  void refrescarLeeLoQueOtroGrabo();
  void ningunaFilaSeAnadeNiSeBorra();
  void tablaVaciaNoSeEdita();
  void teclasMuevenLaCelda_data();
  void teclasMuevenLaCelda();
  void escape_data();
  void escape();
  void tecleoConEnterGuardaYAvanza();
  void editorSoloAdmiteLoQueElCampoGuarda_data();
  void editorSoloAdmiteLoQueElCampoGuarda();
  void entradaYSalidaDelFoco();
  void valorRechazadoRetieneElFoco();
  void otraFilaConValorRechazadoNoSeMueve();
  void aspecto();
  void errorDeUnManejadorLlegaAlAviso();
  void avisoDeErrorPorDefecto();

 private:
  QStringList errores_;
};

void RejillaTest::fuenteMuestraLosRegistros() {
  Banco b(3);
  QCOMPARE(b.fuente->rowCount(), 3);
  QCOMPARE(b.fuente->columnCount(), 4);
  QCOMPARE(b.fuente->headerData(DEPART, Qt::Horizontal).toString(), QStringLiteral("DEPARTAMENTO"));
  QCOMPARE(b.fuente->data(b.indice(1, NOMBRE)).toString(), QStringLiteral("NOMBRE 1"));
  QCOMPARE(b.fuente->data(b.indice(2, DNI)).toString(), QStringLiteral("1002"));
  QVERIFY(!(b.fuente->flags(b.indice(0, ABREV)) & Qt::ItemIsEditable));
  QVERIFY(b.fuente->flags(b.indice(0, DNI)) & Qt::ItemIsEditable);
  QCOMPARE(b.fuente->tipo(DNI), FuenteDatos::TipoCampo::Entero);
  QCOMPARE(b.fuente->tipo(NOMBRE), FuenteDatos::TipoCampo::Texto);
  QCOMPARE(b.fuente->longitud(NOMBRE), 40);
  QCOMPARE(b.fuente->filaActual(), 0);
  QCOMPARE(b.tabla.recNo(), 1u);
}

void RejillaTest::navegacion_data() {
  QTest::addColumn<QList<int>>("botones");
  QTest::addColumn<int>("fila");
  QTest::newRow("último") << QList<int>{NavegadorDatos::Last} << 24;
  QTest::newRow("último y primero") << QList<int>{NavegadorDatos::Last, NavegadorDatos::First} << 0;
  QTest::newRow("adelante diez") << QList<int>{NavegadorDatos::NextPage} << 10;
  QTest::newRow("adelante diez tres veces")
      << QList<int>{NavegadorDatos::NextPage, NavegadorDatos::NextPage, NavegadorDatos::NextPage}
      << 24;
  QTest::newRow("atrás diez desde el último")
      << QList<int>{NavegadorDatos::Last, NavegadorDatos::PriorPage} << 14;
  QTest::newRow("atrás diez cerca del principio")
      << QList<int>{NavegadorDatos::Next, NavegadorDatos::Next, NavegadorDatos::PriorPage} << 0;
  QTest::newRow("siguiente y anterior")
      << QList<int>{NavegadorDatos::Next, NavegadorDatos::Next, NavegadorDatos::Prior} << 1;
  QTest::newRow("anterior en el primero") << QList<int>{NavegadorDatos::Prior} << 0;
}

void RejillaTest::navegacion() {
  QFETCH(QList<int>, botones);
  QFETCH(int, fila);
  Banco b(25);
  QVERIFY(b.mostrar());
  for (int boton : botones) b.navegador->pulsar(static_cast<NavegadorDatos::Boton>(boton));
  QCOMPARE(b.fuente->filaActual(), fila);
  // The handle is on that record, and the grid's current cell is on its row.
  QCOMPARE(b.tabla.asString("ABREV"), "P" + std::to_string(fila));
  QCOMPARE(b.rejilla->currentIndex().row(), fila);
  QVERIFY(errores_.isEmpty());
}

void RejillaTest::botonesSegunPosicionYEstado_data() {
  QTest::addColumn<int>("fila");
  QTest::addColumn<bool>("editando");
  QTest::addColumn<QString>("habilitados");  // one letter per button, in order: 1 or 0
  QTest::newRow("primero") << 0 << false << QStringLiteral("0001111001");
  QTest::newRow("en medio") << 2 << false << QStringLiteral("1111111001");
  QTest::newRow("último") << 4 << false << QStringLiteral("1110001001");
  QTest::newRow("editando en medio") << 2 << true << QStringLiteral("1111110111");
}

void RejillaTest::botonesSegunPosicionYEstado() {
  QFETCH(int, fila);
  QFETCH(bool, editando);
  QFETCH(QString, habilitados);
  Banco b(5);
  QVERIFY(b.fuente->irAFila(fila));
  if (editando) QVERIFY(b.fuente->editar());
  for (int i = 0; i < NavegadorDatos::kBotones; ++i) {
    const auto boton = static_cast<NavegadorDatos::Boton>(i);
    QVERIFY2(b.navegador->boton(boton)->isEnabled() == (habilitados[i] == QLatin1Char('1')),
             qPrintable(NavegadorDatos::nombre(boton)));
  }
}

void RejillaTest::navegadorBotonesYPistas_data() {
  QTest::addColumn<NavegadorDatos::Boton>("boton");
  QTest::addColumn<QString>("pista");
  QTest::newRow("first") << NavegadorDatos::First << "Move to first record";
  QTest::newRow("prior page") << NavegadorDatos::PriorPage << "Move backward 10 records";
  QTest::newRow("prior") << NavegadorDatos::Prior << "Move to prior record";
  QTest::newRow("next") << NavegadorDatos::Next << "Move to next record";
  QTest::newRow("next page") << NavegadorDatos::NextPage << "Move forward 10 records";
  QTest::newRow("last") << NavegadorDatos::Last << "Move to last record";
  QTest::newRow("edit") << NavegadorDatos::Edit << "Edit current record";
  QTest::newRow("post") << NavegadorDatos::Post << "Post changes of current record";
  QTest::newRow("cancel") << NavegadorDatos::Cancel << "Cancel changes made to current record";
  QTest::newRow("refresh") << NavegadorDatos::Refresh << "Refresh the contents of the dataset";
}

void RejillaTest::navegadorBotonesYPistas() {
  QFETCH(NavegadorDatos::Boton, boton);
  QFETCH(QString, pista);
  Banco b(3);
  QVERIFY(b.mostrar());
  const QList<QToolButton*> botones = b.navegador->findChildren<QToolButton*>();
  QCOMPARE(botones.size(), NavegadorDatos::kBotones);
  QToolButton* t = b.navegador->boton(boton);
  QCOMPARE(t->toolTip(), pista);
  QCOMPARE(t->focusPolicy(), Qt::NoFocus);
  QVERIFY(!t->icon().isNull());
  // Left to right in the order of the buttons, together filling the navigator.
  if (boton > NavegadorDatos::First) {
    QToolButton* antes = b.navegador->boton(static_cast<NavegadorDatos::Boton>(boton - 1));
    QCOMPARE(t->x(), antes->x() + antes->width());
  }
  QVERIFY(t->width() == 27 || t->width() == 28);
  QCOMPARE(t->height(), 24);
  QCOMPARE(b.navegador->boton(NavegadorDatos::Refresh)->geometry().right(), 274);
}

void RejillaTest::cambiarDeFilaGrabaElRegistro() {
  Banco b(3);
  QVERIFY(b.fuente->setData(b.indice(0, NOMBRE), QStringLiteral("CAMBIADO")));
  QCOMPARE(b.fuente->estado(), dbf::TableState::Edit);
  QCOMPARE(leerProft()[0].nombre, std::string("NOMBRE 0"));
  QVERIFY(b.fuente->siguiente());
  QCOMPARE(b.fuente->estado(), dbf::TableState::Browse);
  QCOMPARE(leerProft()[0].nombre, std::string("CAMBIADO"));
  QCOMPARE(b.fuente->data(b.indice(0, NOMBRE)).toString(), QStringLiteral("CAMBIADO"));
  // A value for another row moves there first, storing the record left.
  QVERIFY(b.fuente->setData(b.indice(1, DNI), QStringLiteral("55")));
  QVERIFY(b.fuente->setData(b.indice(2, DNI), QStringLiteral("66")));
  QCOMPARE(b.fuente->filaActual(), 2);
  QCOMPARE(leerProft()[1].dni, 55);
  QVERIFY(b.fuente->grabar());
  QCOMPARE(leerProft()[2].dni, 66);
  QCOMPARE(registrosProft(), 3u);
}

void RejillaTest::enteros_data() {
  QTest::addColumn<QString>("texto");
  QTest::addColumn<bool>("tomado");
  QTest::addColumn<qint64>("guardado");  // what the field reads after a post
  QTest::newRow("número") << "12345678" << true << qint64(12345678);
  QTest::newRow("con blancos") << " 42 " << true << qint64(42);
  QTest::newRow("negativo") << "-7" << true << qint64(-7);
  QTest::newRow("vacío") << "" << true << qint64(0);
  QTest::newRow("letras") << "abc" << false << qint64(1000);
  QTest::newRow("letras tras cifras") << "12a" << false << qint64(1000);
  QTest::newRow("decimales") << "1.5" << false << qint64(1000);
  QTest::newRow("sólo el signo") << "-" << false << qint64(1000);
  QTest::newRow("fuera de rango") << "99999999999" << false << qint64(1000);
}

void RejillaTest::enteros() {
  QFETCH(QString, texto);
  QFETCH(bool, tomado);
  QFETCH(qint64, guardado);
  Banco b(2);
  QVERIFY(b.fuente->editar());
  QCOMPARE(b.fuente->setData(b.indice(0, DNI), texto), tomado);
  // Taken or refused, the record stays in editing.
  QCOMPARE(b.fuente->estado(), dbf::TableState::Edit);
  if (tomado) {
    QVERIFY(b.fuente->ultimoError().isEmpty());
  } else {
    QCOMPARE(b.fuente->ultimoError(),
             QStringLiteral("'%1' no es un valor entero válido").arg(texto));
    QCOMPARE(b.fuente->data(b.indice(0, DNI)).toString(), QStringLiteral("1000"));
  }
  QVERIFY(b.fuente->grabar());
  QCOMPARE(leerProft()[0].dni, guardado);
}

void RejillaTest::cancelarDescartaLosCambios() {
  Banco b(2);
  QVERIFY(b.fuente->setData(b.indice(0, NOMBRE), QStringLiteral("OTRO")));
  QVERIFY(b.navegador->boton(NavegadorDatos::Cancel)->isEnabled());
  b.navegador->pulsar(NavegadorDatos::Cancel);
  QCOMPARE(b.fuente->estado(), dbf::TableState::Browse);
  QCOMPARE(b.fuente->data(b.indice(0, NOMBRE)).toString(), QStringLiteral("NOMBRE 0"));
  b.navegador->pulsar(NavegadorDatos::Next);
  QCOMPARE(leerProft()[0].nombre, std::string("NOMBRE 0"));
  QVERIFY(errores_.isEmpty());
}

void RejillaTest::refrescarLeeLoQueOtroGrabo() {
  Banco b(4);
  QVERIFY(b.fuente->irAFila(2));
  {
    dbf::Table otra;
    otra.setTableName(std::string(gescen::kCarpetaTrabajo) + "\\PROFT.DBF");
    otra.open();
    otra.next();
    otra.edit();
    otra.setString("NOMBRE", "DE OTRO");
    otra.post();
  }
  QCOMPARE(b.fuente->data(b.indice(1, NOMBRE)).toString(), QStringLiteral("NOMBRE 1"));
  b.navegador->pulsar(NavegadorDatos::Refresh);
  QCOMPARE(b.fuente->data(b.indice(1, NOMBRE)).toString(), QStringLiteral("DE OTRO"));
  QCOMPARE(b.fuente->filaActual(), 2);
  QCOMPARE(b.tabla.asString("ABREV"), std::string("P2"));
  QVERIFY(errores_.isEmpty());
}

void RejillaTest::ningunaFilaSeAnadeNiSeBorra() {
  Banco b(3);
  QVERIFY(b.mostrar());
  QVERIFY(!b.fuente->insertRows(0, 1));
  QVERIFY(!b.fuente->removeRows(0, 1));
  for (QToolButton* t : b.navegador->findChildren<QToolButton*>()) {
    QVERIFY(!t->toolTip().contains(QStringLiteral("Insert"), Qt::CaseInsensitive));
    QVERIFY(!t->toolTip().contains(QStringLiteral("Delete"), Qt::CaseInsensitive));
  }
  b.rejilla->setFocus();
  b.rejilla->setCurrentIndex(b.indice(2, DEPART));
  // Keys that add or delete rows in other grids; Enter and Down at the very end.
  QTest::keyClick(b.rejilla, Qt::Key_Insert);
  QTest::keyClick(b.rejilla, Qt::Key_Delete, Qt::ControlModifier);
  QTest::keyClick(b.rejilla, Qt::Key_Down);
  QTest::keyClick(b.rejilla, Qt::Key_Return);
  QTest::keyClick(b.rejilla, Qt::Key_Tab);
  b.navegador->pulsar(NavegadorDatos::NextPage);
  b.navegador->pulsar(NavegadorDatos::Post);
  QCOMPARE(b.fuente->rowCount(), 3);
  QCOMPARE(b.rejilla->currentIndex().row(), 2);
  b.boton->setFocus();
  QCOMPARE(registrosProft(), 3u);
  QCOMPARE(leerProft()[2].nombre, std::string("NOMBRE 2"));
}

void RejillaTest::tablaVaciaNoSeEdita() {
  Banco b(0);
  QVERIFY(b.mostrar());
  QCOMPARE(b.fuente->rowCount(), 0);
  QVERIFY(!b.fuente->editar());
  QCOMPARE(b.fuente->estado(), dbf::TableState::Browse);
  for (int i = 0; i < NavegadorDatos::Refresh; ++i)
    QVERIFY(!b.navegador->boton(static_cast<NavegadorDatos::Boton>(i))->isEnabled());
  b.rejilla->setFocus();
  teclear(b.rejilla, QStringLiteral("7"));
  b.boton->setFocus();
  QCOMPARE(registrosProft(), 0u);
}

void RejillaTest::teclasMuevenLaCelda_data() {
  QTest::addColumn<int>("fila");
  QTest::addColumn<int>("columna");
  QTest::addColumn<QString>("tecleado");  // typed into the cell first; empty: no editor
  QTest::addColumn<int>("tecla");
  QTest::addColumn<int>("modificadores");
  QTest::addColumn<int>("filaFinal");
  QTest::addColumn<int>("columnaFinal");
  QTest::addColumn<bool>("sale");  // the focus goes on to the window's next control
  const int sin = Qt::NoModifier, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
  const int enter = Qt::Key_Return, tab = Qt::Key_Tab, backtab = Qt::Key_Backtab;
  QTest::newRow("enter a la derecha") << 0 << ABREV << "" << enter << sin << 0 << NOMBRE << false;
  QTest::newRow("enter del teclado numérico")
      << 0 << ABREV << "" << int(Qt::Key_Enter) << sin << 0 << NOMBRE << false;
  QTest::newRow("enter de la última columna a la fila siguiente")
      << 0 << DEPART << "" << enter << sin << 1 << ABREV << false;
  QTest::newRow("enter en la última celda se queda")
      << 2 << DEPART << "" << enter << sin << 2 << DEPART << false;
  QTest::newRow("enter con lo tecleado en la última celda se queda")
      << 2 << DEPART << "OTRO" << enter << sin << 2 << DEPART << false;
  QTest::newRow("mayúsculas y enter a la izquierda")
      << 1 << NOMBRE << "" << enter << shift << 1 << ABREV << false;
  QTest::newRow("mayúsculas y enter a la fila anterior")
      << 1 << ABREV << "" << enter << shift << 0 << DEPART << false;
  QTest::newRow("mayúsculas y enter en la primera celda se queda")
      << 0 << ABREV << "" << enter << shift << 0 << ABREV << false;
  QTest::newRow("mayúsculas y enter con lo tecleado")
      << 1 << DNI << "77" << enter << shift << 1 << NOMBRE << false;
  QTest::newRow("tab a la derecha") << 0 << NOMBRE << "" << tab << sin << 0 << DNI << false;
  QTest::newRow("tab con lo tecleado") << 1 << DNI << "77" << tab << sin << 1 << DEPART << false;
  QTest::newRow("tab de la última columna a la fila siguiente")
      << 1 << DEPART << "" << tab << sin << 2 << ABREV << false;
  QTest::newRow("tab en la última celda sale de la rejilla")
      << 2 << DEPART << "" << tab << sin << 2 << DEPART << true;
  QTest::newRow("tab con lo tecleado en la última celda sale")
      << 2 << DEPART << "OTRO" << tab << sin << 2 << DEPART << true;
  QTest::newRow("mayúsculas y tab a la izquierda")
      << 0 << DNI << "" << tab << shift << 0 << NOMBRE << false;
  QTest::newRow("tab atrás a la fila anterior")
      << 1 << ABREV << "" << backtab << sin << 0 << DEPART << false;
  QTest::newRow("tab atrás con lo tecleado")
      << 1 << DNI << "77" << backtab << shift << 1 << NOMBRE << false;
  QTest::newRow("tab atrás en la primera celda sale de la rejilla")
      << 0 << ABREV << "" << backtab << shift << 0 << ABREV << true;
  QTest::newRow("control y tab sale desde cualquier celda")
      << 1 << NOMBRE << "" << tab << ctrl << 1 << NOMBRE << true;
  QTest::newRow("control y tab con lo tecleado sale")
      << 1 << NOMBRE << "OTRO" << tab << ctrl << 1 << NOMBRE << true;
}

void RejillaTest::teclasMuevenLaCelda() {
  QFETCH(int, fila);
  QFETCH(int, columna);
  QFETCH(QString, tecleado);
  QFETCH(int, tecla);
  QFETCH(int, modificadores);
  QFETCH(int, filaFinal);
  QFETCH(int, columnaFinal);
  QFETCH(bool, sale);
  Banco b(3);
  QSignalSpy salidas(b.rejilla, &RejillaDatos::salida);
  QVERIFY(b.mostrar());
  b.rejilla->setFocus();
  b.rejilla->setCurrentIndex(b.indice(fila, columna));
  if (!tecleado.isEmpty()) {
    teclear(b.rejilla, tecleado);
    QVERIFY(b.rejilla->editor() != nullptr);
  }
  QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(tecla),
                  static_cast<Qt::KeyboardModifiers>(modificadores));
  QCOMPARE(b.rejilla->currentIndex(), b.indice(filaFinal, columnaFinal));
  QCOMPARE(b.fuente->filaActual(), filaFinal);
  QVERIFY(b.rejilla->editor() == nullptr);
  QCOMPARE(b.boton->hasFocus(), sale);
  QCOMPARE(salidas.count(), sale ? 1 : 0);
  // What was typed went into its cell on the way.
  if (!tecleado.isEmpty()) QCOMPARE(b.fuente->data(b.indice(fila, columna)).toString(), tecleado);
  QVERIFY(errores_.isEmpty());
}

void RejillaTest::escape_data() {
  QTest::addColumn<int>("escapes");
  QTest::addColumn<QString>("nombre");  // NOMBRE of the first record on disk at the end
  QTest::addColumn<bool>("editando");   // after the Escapes
  // The first Escape closes the editor of DNI unread; the record keeps NOMBRE.
  QTest::newRow("una vez") << 1 << "CAMBIADO" << true;
  // The second drops the record's changes; a third has nothing left to drop.
  QTest::newRow("dos veces") << 2 << "NOMBRE 0" << false;
  QTest::newRow("tres veces") << 3 << "NOMBRE 0" << false;
}

void RejillaTest::escape() {
  QFETCH(int, escapes);
  QFETCH(QString, nombre);
  QFETCH(bool, editando);
  Banco b(3);
  QVERIFY(b.mostrar());
  b.rejilla->setFocus();
  b.rejilla->setCurrentIndex(b.indice(0, NOMBRE));
  teclear(b.rejilla, QStringLiteral("CAMBIADO"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QCOMPARE(b.rejilla->currentIndex(), b.indice(0, DNI));
  teclear(b.rejilla, QStringLiteral("55"));
  for (int i = 0; i < escapes; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QVERIFY(b.rejilla->editor() == nullptr);
  QVERIFY(b.rejilla->hasFocus());
  QCOMPARE(b.fuente->editando(), editando);
  QCOMPARE(b.fuente->data(b.indice(0, DNI)).toString(), QStringLiteral("1000"));
  QCOMPARE(b.fuente->data(b.indice(0, NOMBRE)).toString(), nombre);
  // Another row stores whatever the record still holds.
  QTest::keyClick(b.rejilla, Qt::Key_Down);
  QCOMPARE(b.fuente->filaActual(), 1);
  QCOMPARE(leerProft()[0].nombre, nombre.toStdString());
  QCOMPARE(leerProft()[0].dni, 1000);
  QVERIFY(errores_.isEmpty());
}

void RejillaTest::tecleoConEnterGuardaYAvanza() {
  Banco b(3);
  QVERIFY(b.mostrar());
  b.rejilla->setFocus();
  b.rejilla->setCurrentIndex(b.indice(1, DNI));
  teclear(b.rejilla, QStringLiteral("4321"));
  QVERIFY(b.rejilla->editor() != nullptr);
  QCOMPARE(b.fuente->estado(), dbf::TableState::Edit);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QVERIFY(b.rejilla->editor() == nullptr);
  QCOMPARE(b.rejilla->currentIndex(), b.indice(1, DEPART));
  QCOMPARE(b.fuente->data(b.indice(1, DNI)).toString(), QStringLiteral("4321"));
  // Still the same record: not stored until the record is left.
  QCOMPARE(leerProft()[1].dni, 1001);
  QTest::keyClick(b.rejilla, Qt::Key_Return);
  QCOMPARE(b.fuente->filaActual(), 2);
  QCOMPARE(leerProft()[1].dni, 4321);
  QVERIFY(errores_.isEmpty());
}

void RejillaTest::editorSoloAdmiteLoQueElCampoGuarda_data() {
  QTest::addColumn<int>("columna");
  QTest::addColumn<QString>("tecleado");
  QTest::addColumn<QString>("enEditor");
  QTest::newRow("cifras entre letras en un entero") << DNI << "12ab34"
                                                    << "1234";
  QTest::newRow("signo en un entero") << DNI << "-5x"
                                      << "-5";
  QTest::newRow("texto cortado al ancho del campo")
      << NOMBRE << "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZ"
      << "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMN";
}

void RejillaTest::editorSoloAdmiteLoQueElCampoGuarda() {
  QFETCH(int, columna);
  QFETCH(QString, tecleado);
  QFETCH(QString, enEditor);
  Banco b(2);
  QVERIFY(b.mostrar());
  b.rejilla->setFocus();
  b.rejilla->setCurrentIndex(b.indice(0, columna));
  teclear(b.rejilla, tecleado);
  auto* editor = qobject_cast<QLineEdit*>(b.rejilla->editor());
  QVERIFY(editor != nullptr);
  QCOMPARE(editor->text(), enEditor);
}

void RejillaTest::entradaYSalidaDelFoco() {
  Banco b(3);
  QSignalSpy entradas(b.rejilla, &RejillaDatos::entrada);
  QSignalSpy salidas(b.rejilla, &RejillaDatos::salida);
  QVERIFY(b.mostrar());
  b.boton->setFocus();
  entradas.clear();
  salidas.clear();
  b.rejilla->setFocus();
  QCOMPARE(entradas.count(), 1);
  // The grid's own editor is inside the grid.
  b.rejilla->setCurrentIndex(b.indice(0, NOMBRE));
  teclear(b.rejilla, QStringLiteral("X"));
  QVERIFY(b.rejilla->editor() != nullptr && b.rejilla->editor()->hasFocus());
  QCOMPARE(entradas.count(), 1);
  QCOMPARE(salidas.count(), 0);
  // Another window taking the focus is no exit.
  QWidget otra;
  otra.setFocusPolicy(Qt::StrongFocus);
  otra.show();
  otra.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&otra));
  QCOMPARE(salidas.count(), 0);
  QVERIFY(b.rejilla->tieneFoco());
  otra.close();
  b.ventana.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&b.ventana));
  QCOMPARE(entradas.count(), 1);
  // Another control of the window: the editor's text is handed over, then the exit.
  b.boton->setFocus();
  QCOMPARE(salidas.count(), 1);
  QVERIFY(b.rejilla->editor() == nullptr);
  QCOMPARE(b.fuente->data(b.indice(0, NOMBRE)).toString(), QStringLiteral("X"));
}

void RejillaTest::valorRechazadoRetieneElFoco() {
  Banco b(3);
  QSignalSpy salidas(b.rejilla, &RejillaDatos::salida);
  QSignalSpy clics(b.boton, &QPushButton::clicked);
  QVERIFY(b.mostrar());
  b.rejilla->setFocus();
  b.rejilla->setCurrentIndex(b.indice(0, DNI));
  teclear(b.rejilla, QStringLiteral("-"));
  QVERIFY(b.rejilla->editor() != nullptr);
  QTest::mouseClick(b.boton, Qt::LeftButton);
  QCoreApplication::processEvents();
  QCOMPARE(errores_, QStringList{QStringLiteral("'-' no es un valor entero válido")});
  QCOMPARE(clics.count(), 0);
  QCOMPARE(salidas.count(), 0);
  QVERIFY(b.rejilla->editor() != nullptr);
  QVERIFY(b.rejilla->editor()->hasFocus());
  QCOMPARE(qobject_cast<QLineEdit*>(b.rejilla->editor())->text(), QStringLiteral("-"));
  QCOMPARE(b.fuente->estado(), dbf::TableState::Edit);
  // Corrected, the same click goes through.
  QTest::keyClick(b.rejilla->editor(), Qt::Key_9);
  QTest::mouseClick(b.boton, Qt::LeftButton);
  QCOMPARE(clics.count(), 1);
  QCOMPARE(salidas.count(), 1);
  QCOMPARE(b.fuente->data(b.indice(0, DNI)).toString(), QStringLiteral("-9"));
}

void RejillaTest::otraFilaConValorRechazadoNoSeMueve() {
  Banco b(3);
  QVERIFY(b.mostrar());
  b.rejilla->setFocus();
  b.rejilla->setCurrentIndex(b.indice(0, DNI));
  teclear(b.rejilla, QStringLiteral("-"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QCoreApplication::processEvents();
  QCOMPARE(b.rejilla->currentIndex(), b.indice(0, DNI));
  QCOMPARE(b.fuente->filaActual(), 0);
  QVERIFY(b.rejilla->editor() != nullptr);
  QCOMPARE(errores_.size(), 2);
  QCOMPARE(errores_.first(), QStringLiteral("'-' no es un valor entero válido"));
  b.navegador->pulsar(NavegadorDatos::Next);
  QCOMPARE(b.fuente->filaActual(), 0);
}

void RejillaTest::aspecto() {
  Banco b(3);
  const QColor titulos(0xFE, 0xE4, 0xA9), celdas(0xF0, 0xFB, 0xFF), alternas(0xCF, 0xD9, 0xFE);
  b.rejilla->setColorTitulos(titulos);
  b.rejilla->setColoresCeldas(celdas, alternas);
  QVERIFY(b.rejilla->titulos()->fuenteTitulos().bold());
  QCOMPARE(b.rejilla->lineasTitulo(), 2);
  QCOMPARE(b.rejilla->horizontalHeader()->height(),
           QFontMetrics(b.rejilla->titulos()->fuenteTitulos()).height() * 2 + 4);
  QCOMPARE(b.rejilla->verticalHeader()->width(), IndicadorFilas::kAncho);
  QCOMPARE(b.rejilla->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  QCOMPARE(b.rejilla->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  const int media = b.rejilla->anchoMedioCaracter();
  QVERIFY(media > 0 && media < b.rejilla->fontMetrics().height());
  QVERIFY(b.mostrar());
  // The colours as drawn: the titles, and the rows away from the current one (row 0),
  // which alternate.
  const QImage imagen = b.rejilla->grab().toImage();
  auto* vista = b.rejilla->viewport();
  auto* cabecera = b.rejilla->horizontalHeader();
  const QRect titulo(
      cabecera->mapTo(b.rejilla, QPoint(cabecera->sectionViewportPosition(NOMBRE), 0)),
      QSize(cabecera->sectionSize(NOMBRE), cabecera->height()));
  QCOMPARE(colorDeFondo(imagen, titulo.intersected(imagen.rect())), titulos);
  for (const auto& [fila, color] : {std::pair{1, alternas}, std::pair{2, celdas}}) {
    const QRect celda = b.rejilla->visualRect(b.indice(fila, NOMBRE));
    QCOMPARE(colorDeFondo(imagen, QRect(vista->mapTo(b.rejilla, celda.topLeft()), celda.size())),
             color);
  }
  QVERIFY(cabeEnColumna(b.rejilla, NOMBRE, QString(40, QLatin1Char('0'))));
  // A short column is never narrower than its title's longest word.
  QVERIFY(b.rejilla->columnWidth(ABREV) >= QFontMetrics(b.rejilla->titulos()->fuenteTitulos())
                                               .horizontalAdvance(QStringLiteral("ABREV")));
}

void RejillaTest::errorDeUnManejadorLlegaAlAviso() {
  Banco b(2);
  connect(b.rejilla, &RejillaDatos::entrada, b.rejilla,
          [] { throw dbf::EngineError("wwTableProft: fallo al editar"); });
  QVERIFY(b.mostrar());
  b.boton->setFocus();
  b.rejilla->setFocus();
  QVERIFY(errores_.contains(QStringLiteral("wwTableProft: fallo al editar")));
  QVERIFY(b.rejilla->tieneFoco());
}

void RejillaTest::avisoDeErrorPorDefecto() {
  qt::fijarAvisoError({});
  QString titulo, texto;
  QMessageBox::Icon icono = QMessageBox::NoIcon;
  alMostrarse([&](QDialog* d) {
    auto* caja = qobject_cast<QMessageBox*>(d);
    if (caja == nullptr) return;
    titulo = caja->windowTitle();
    texto = caja->text();
    icono = caja->icon();
    caja->button(QMessageBox::Ok)->click();
  });
  qt::mostrarErrorDeRejilla(nullptr, QStringLiteral("'x' no es un valor entero válido"));
  QCOMPARE(titulo, QStringLiteral("TransZorvexValencia"));
  QCOMPARE(texto, QStringLiteral("'x' no es un valor entero válido."));
  QCOMPARE(icono, QMessageBox::Critical);
}

QTEST_MAIN(RejillaTest)
#include "RejillaTest.moc"
