// The folder list and the drive box: what they show, opening a folder by double-click,
// choosing a drive, and the staging and errors that follow.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "qt/CajaUnidades.h"
#include "qt/ExportDatos.h"
#include "qt/ListaCarpetas.h"
#include "tests/app/Apoyo.h"
#include "tests/support/EscuelaMinima.h"

using namespace qt;

using prueba::Escenario;
using prueba::Guion;

namespace {

QStringList carpetasCopiadas(const QSignalSpy& spy) {
  QStringList out;
  for (const QList<QVariant>& s : spy) out << s.at(0).toString();
  return out;
}

QStringList columna(const QListWidget* l, int rol) {
  QStringList out;
  for (int i = 0; i < l->count(); ++i)
    out << (rol == Qt::DisplayRole ? l->item(i)->text() : l->item(i)->data(rol).toString());
  return out;
}

QStringList entradas(const QComboBox* c) {
  QStringList out;
  for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
  return out;
}

QListWidgetItem* fila(ListaCarpetas* l, const QString& texto) {
  const auto items = l->findItems(texto, Qt::MatchExactly);
  return items.size() == 1 ? items.first() : nullptr;
}

void dobleClic(ListaCarpetas* l, QListWidgetItem* item) {
  l->scrollToItem(item);
  const QPoint p = l->visualItemRect(item).center();
  QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, p);
  QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, p);
}

bool mostrar(TExportarDatos& d) {
  d.show();
  QApplication::setActiveWindow(&d);
  return QTest::qWaitForWindowActive(&d);
}

}  // namespace

class CarpetasTest : public QObject {
  Q_OBJECT

 private slots:
  void rows() {
    Escenario e;
    prueba::escribirEscuela("C:\\GC");
    for (const char* sub : {"GC/b", "GC/A", "GC/c", "GC/.oculta"}) e.crearCarpeta(sub);
    QFile(e.nativa("GC/no es carpeta")).open(QIODevice::WriteOnly);
    Guion g;
    TExportarDatos d({});
    d.FormCreate();
    QVERIFY(mostrar(d));
    auto* l = d.findChild<ListaCarpetas*>("ListaDirectorios");
    QCOMPARE(columna(l, Qt::DisplayRole), (QStringList{"C:\\", "GC", "A", "b", "c"}));
    QCOMPARE(columna(l, ListaCarpetas::kRolNivel), (QStringList{"0", "1", "2", "2", "2"}));
    QCOMPARE(columna(l, ListaCarpetas::kRolCarpeta),
             (QStringList{"C:\\", "C:\\GC", "C:\\GC\\A", "C:\\GC\\b", "C:\\GC\\c"}));
    QCOMPARE(l->currentRow(), 1);
    QVERIFY(l->item(1)->isSelected());
    for (int i = 0; i < l->count(); ++i) QCOMPARE(l->visualItemRect(l->item(i)).height(), 16);
  }

  void doubleClick_data() {
    QTest::addColumn<QString>("fila");
    QTest::addColumn<QString>("carpeta");
    QTest::addColumn<QStringList>("copias");
    QTest::addColumn<QStringList>("filas");
    QTest::newRow("a subfolder") << "A"
                                 << "C:\\GC\\A" << QStringList{"C:\\GC\\A"}
                                 << QStringList{"C:\\", "GC", "A", "DEBAJO"};
    QTest::newRow("the drive root")
        << "C:\\"
        << "C:\\" << QStringList{"C:\\"} << QStringList{"C:\\", "GC", "ZORVTMP"};
    QTest::newRow("the current folder")
        << "GC"
        << "C:\\GC" << QStringList{} << QStringList{"C:\\", "GC", "A"};
  }

  void doubleClick() {
    QFETCH(QString, fila);
    QFETCH(QString, carpeta);
    QFETCH(QStringList, copias);
    QFETCH(QStringList, filas);
    Escenario e;
    prueba::escribirEscuela("C:\\GC", {"1", "2"});
    prueba::escribirEscuela("C:\\GC\\A", {"999"});
    e.crearCarpeta("GC/A/DEBAJO");
    Guion g;
    TExportarDatos d({});
    d.FormCreate();
    QVERIFY(mostrar(d));
    QSignalSpy copiado(&d, &TExportarDatos::datosGCCopiados);
    auto* l = d.findChild<ListaCarpetas*>("ListaDirectorios");

    QListWidgetItem* item = ::fila(l, fila);
    QVERIFY(item != nullptr);
    dobleClic(l, item);

    QVERIFY(g.avisos.isEmpty());
    QCOMPARE(l->directorio(), carpeta);
    QCOMPARE(d.findChild<QLineEdit*>("EdNuevoDir")->text(), carpeta);
    QCOMPARE(carpetasCopiadas(copiado), copias);
    QCOMPARE(columna(l, Qt::DisplayRole), filas);
    // The staged centre table comes from the folder opened; the centre list stays as
    // start-up filled it.
    const auto esperado = carpeta == "C:\\GC\\A" ? std::vector<std::string>{"999"}
                          : carpeta == "C:\\GC"  ? std::vector<std::string>{"1", "2"}
                                                 : std::vector<std::string>{};
    if (carpeta == "C:\\")
      QVERIFY(!QFile::exists(e.nativa("ZORVTMP/VALENCIA/centro.dbf")));
    else
      QCOMPARE(prueba::columna("C:\\ZORVTMP\\VALENCIA\\centro.dbf", "CODCEN"), esperado);
    QCOMPARE(entradas(d.findChild<QComboBox*>("CBCentro")), (QStringList{"1", "2"}));
  }

  void singleClickOnlySelects() {
    Escenario e;
    prueba::escribirEscuela("C:\\GC");
    e.crearCarpeta("GC/A");
    Guion g;
    TExportarDatos d({});
    d.FormCreate();
    QVERIFY(mostrar(d));
    QSignalSpy copiado(&d, &TExportarDatos::datosGCCopiados);
    auto* l = d.findChild<ListaCarpetas*>("ListaDirectorios");
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(fila(l, "A")).center());
    QCOMPARE(l->currentItem()->text(), QString("A"));
    QCOMPARE(l->directorio(), QString("C:\\GC"));
    QCOMPARE(copiado.count(), 0);
  }

  void aVanishedFolderIsReported() {
    Escenario e;
    prueba::escribirEscuela("C:\\GC");
    e.crearCarpeta("GC/TEMP");
    Guion g;
    TExportarDatos d({});
    d.FormCreate();
    QVERIFY(mostrar(d));
    QSignalSpy copiado(&d, &TExportarDatos::datosGCCopiados);
    auto* l = d.findChild<ListaCarpetas*>("ListaDirectorios");
    QListWidgetItem* temp = fila(l, "TEMP");
    QVERIFY(QDir(e.nativa("GC/TEMP")).removeRecursively());
    dobleClic(l, temp);
    QCOMPARE(g.errores(),
             QStringList{QString::fromUtf8("Nombre de archivo inválido (C:\\GC\\TEMP).")});
    QCOMPARE(l->directorio(), QString("C:\\GC"));
    QCOMPARE(d.findChild<QLineEdit*>("EdNuevoDir")->text(), QString("C:\\GC"));
    QCOMPARE(copiado.count(), 0);
  }

  void aStagingErrorLeavesTheNewFolderShown() {
    Escenario e;
    prueba::escribirEscuela("C:\\GC");
    prueba::escribirEscuela("C:\\GC\\A");
    Guion g;
    TExportarDatos d({});
    d.FormCreate();
    QVERIFY(mostrar(d));
    // A folder in the place of the first staged copy: it cannot be replaced.
    QFile::remove(e.nativa("ZORVTMP/VALENCIA/grupos.dbf"));
    e.crearCarpeta("ZORVTMP/VALENCIA/grupos.dbf/x");
    auto* l = d.findChild<ListaCarpetas*>("ListaDirectorios");
    dobleClic(l, fila(l, "A"));
    QCOMPARE(g.errores().size(), 1);
    QVERIFY(g.errores().first().endsWith("."));
    QCOMPARE(l->directorio(), QString("C:\\GC\\A"));
    QCOMPARE(d.findChild<QLineEdit*>("EdNuevoDir")->text(), QString("C:\\GC\\A"));
  }

  void driveBox() {
    Escenario e;
    prueba::escribirEscuela("C:\\GC", {"7"});
    const QString unidadD = e.crearUnidad('D');
    QDir(unidadD).mkpath("DATOS");
    prueba::escribirEscuela("D:\\DATOS", {"8"});
    Guion g;
    TExportarDatos d({});
    d.FormCreate();
    QVERIFY(mostrar(d));
    QSignalSpy copiado(&d, &TExportarDatos::datosGCCopiados);
    auto* l = d.findChild<ListaCarpetas*>("ListaDirectorios");
    auto* u = d.findChild<CajaUnidades*>("ListaUnidades");
    auto* cuadro = d.findChild<QLineEdit*>("EdNuevoDir");
    QCOMPARE(entradas(u), (QStringList{"c:", "d:", "z:"}));
    QCOMPARE(u->currentText(), QString("c:"));

    // Choosing a drive moves the list to that drive's current folder: its root at first.
    u->setFocus();
    QTest::keyClick(u, Qt::Key_Down);
    QCOMPARE(u->currentText(), QString("d:"));
    QCOMPARE(l->directorio(), QString("D:\\"));
    QCOMPARE(cuadro->text(), QString("D:\\"));
    QCOMPARE(carpetasCopiadas(copiado), QStringList{"D:\\"});

    dobleClic(l, fila(l, "DATOS"));
    QCOMPARE(l->directorio(), QString("D:\\DATOS"));
    QCOMPARE(prueba::columna("C:\\ZORVTMP\\VALENCIA\\centro.dbf", "CODCEN"),
             std::vector<std::string>{"8"});

    // Each drive keeps the folder the list last showed on it.
    u->setFocus();
    QTest::keyClick(u, Qt::Key_Up);
    QCOMPARE(u->currentText(), QString("c:"));
    QCOMPARE(l->directorio(), QString("C:\\GC"));
    QCOMPARE(prueba::columna("C:\\ZORVTMP\\VALENCIA\\centro.dbf", "CODCEN"),
             std::vector<std::string>{"7"});
    QTest::keyClick(u, Qt::Key_Down);
    QCOMPARE(l->directorio(), QString("D:\\DATOS"));
    QCOMPARE(carpetasCopiadas(copiado), (QStringList{"D:\\", "D:\\DATOS", "C:\\GC", "D:\\DATOS"}));
    QVERIFY(g.avisos.isEmpty());
    QCOMPARE(entradas(d.findChild<QComboBox*>("CBCentro")), QStringList{"7"});
  }

  void aDriveThatCannotBeEnteredIsReported() {
    Escenario e;
    prueba::escribirEscuela("C:\\GC");
    const QString raizD = e.crearUnidad('D');
    Guion g;
    TExportarDatos d({});
    d.FormCreate();
    QVERIFY(mostrar(d));
    auto* l = d.findChild<ListaCarpetas*>("ListaDirectorios");
    auto* u = d.findChild<CajaUnidades*>("ListaUnidades");
    QVERIFY(QDir(raizD).removeRecursively());
    u->setFocus();
    QTest::keyClick(u, Qt::Key_Down);
    QCOMPARE(g.errores(), QStringList{QString::fromUtf8("Nombre de archivo inválido (D:\\).")});
    QCOMPARE(l->directorio(), QString("C:\\GC"));
    QCOMPARE(u->currentText(), QString("c:"));
  }
};

QTEST_MAIN(CarpetasTest)
#include "CarpetasTest.moc"
