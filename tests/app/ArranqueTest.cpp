// Start-up on Qt: the window that host mode makes, the panes it shows, and a close that
// the settings file refuses. The behaviour behind them is tested through the presenter
// (tests/ui).

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "plat/WinPath.h"
#include "procesos/importar/RegistroDevolucion.h"
#include "qt/ExportDatos.h"
#include "qt/ListaCarpetas.h"
#include "qt/Mensajes.h"
#include "qt/widgets/PanelDegradado.h"
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

}  // namespace

class ArranqueTest : public QObject {
  Q_OBJECT

 private slots:
  // A start first ends an import that a killed run left half done, and says so in a box;
  // a start with nothing left behind shows nothing.
  void anInterruptedImportIsEndedAtStart() {
    Escenario e;
    Guion g;
    qt::terminarImportacionInterrumpida();
    QCOMPARE(g.textos(), QStringList{});
    const std::string gc = e.nativa("GC").toStdString();
    writeFile(gc + "/horgrup.dbf", "nuevo G");  // renamed already
    writeFile(gc + "/horprof.dbf", "viejo P");
    writeFile(gc + "/~tzv-horprof.tmp", "nuevo P");
    writeFile(e.nativa("ZORVTMP/VALENCIA/COPIAS/1/horgrup.dbf").toStdString(), "viejo G");
    writeFile(e.nativa("ZORVTMP/VALENCIA/COPIAS/1/horprof.dbf").toStdString(), "viejo P");
    procesos::RegistroDevolucion r;
    r.estado = procesos::RegistroDevolucion::Estado::Cambiando;
    r.carpetaGC = "C:\\GC";
    r.copias = e.nativa("ZORVTMP/VALENCIA/COPIAS/1").toStdString();
    for (const std::string t : {"horgrup", "horprof"}) {
      const std::string nuevo = t == "horgrup" ? "nuevo G" : "nuevo P";
      r.archivos.push_back({gc + "/~tzv-" + t + ".tmp", gc + "/" + t + ".dbf",
                            r.copias + "/" + t + ".dbf", nuevo.size(),
                            procesos::sumaDeBytes(nuevo.data(), nuevo.size())});
    }
    procesos::guardarRegistro(r);
    qt::terminarImportacionInterrumpida();
    QCOMPARE(g.textos().size(), 1);
    QVERIFY2(g.textos()[0].startsWith(QString::fromUtf8(
                 "Se ha terminado una importación interrumpida: horgrup.dbf y horprof.dbf de "
                 "C:\\GC")),
             qPrintable(g.textos()[0]));
    QCOMPARE(readFile(gc + "/horprof.dbf"), std::string("nuevo P"));
    QVERIFY(!QFile::exists(e.nativa("GC/~tzv-horprof.tmp")));
  }

  void hostMode_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("anfitrion");
    QTest::addColumn<bool>("exportar");  // export pane shown
    QTest::addColumn<bool>("importar");  // import pane shown
    QTest::addColumn<QString>("error");

    const QString ok;
    QTest::newRow("no arguments") << QStringList{} << false << true << true << ok;
    QTest::newRow("one argument importar")
        << QStringList{"importar"} << false << true << true << ok;
    QTest::newRow("three arguments")
        << QStringList{"exportar", "ff00", "x"} << false << true << true << ok;
    QTest::newRow("IMPORTAR 1A2B")
        << QStringList{"IMPORTAR", "1A2B"} << true << false << true << ok;
    QTest::newRow("Exportar ff00")
        << QStringList{"Exportar", "ff00"} << true << true << false << ok;
    QTest::newRow("another word") << QStringList{"actualizar", "ff00"} << true << true << true
                                  << ok;
    QTest::newRow("word with a trailing blank")
        << QStringList{"exportar ", "ff00"} << true << true << true << ok;
    QTest::newRow("null handle") << QStringList{"exportar", "0"} << true << true << false << ok;
    QTest::newRow("leading zero") << QStringList{"importar", "012345678"} << true << false << true
                                  << ok;
    QTest::newRow("not hexadecimal") << QStringList{"exportar", "zz"} << false << true << true
                                     << QString::fromUtf8("'$zz' no es un valor entero válido.");
    QTest::newRow("0x prefix") << QStringList{"importar", "0x1A"} << false << true << true
                               << QString::fromUtf8("'$0x1A' no es un valor entero válido.");
    QTest::newRow("a dollar of its own")
        << QStringList{"importar", "$1A"} << false << true << true
        << QString::fromUtf8("'$$1A' no es un valor entero válido.");
    QTest::newRow("leading blank") << QStringList{"importar", " 1A"} << false << true << true
                                   << QString::fromUtf8("'$ 1A' no es un valor entero válido.");
    QTest::newRow("nine significant digits")
        << QStringList{"exportar", "123456789"} << false << true << true
        << QString::fromUtf8("'$123456789' no es un valor entero válido.");
  }

  void hostMode() {
    QFETCH(QStringList, args);
    QFETCH(bool, anfitrion);
    QFETCH(bool, exportar);
    QFETCH(bool, importar);
    QFETCH(QString, error);
    Escenario e;
    prueba::escribirEscuela("C:\\GC");
    e.entrar("OTRA");
    Guion g;
    TExportarDatos d(args);
    QSignalSpy copiado(&d, &TExportarDatos::datosGCCopiados);
    d.FormCreate();

    QCOMPARE(g.errores(), error.isEmpty() ? QStringList{} : QStringList{error});
    QCOMPARE(d.estado().numeroArgumentos, anfitrion ? 2 : 0);
    QCOMPARE(d.estado().resultado, 0);
    auto* exp = d.findChild<PanelDegradado*>("Draw3D2");
    auto* imp = d.findChild<PanelDegradado*>("Draw3D3");
    QCOMPARE(!exp->isHidden(), exportar);
    QCOMPARE(!imp->isHidden(), importar);
    QVERIFY(!d.findChild<PanelDegradado*>("Draw3D1")->isHidden());
    QCOMPARE(d.findChild<PanelDegradado*>("Draw3D1")->geometry(), QRect(0, 117, 599, 150));
    if (exportar && importar) {
      QCOMPARE(exp->geometry(), QRect(0, 0, 299, 117));
      QCOMPARE(imp->geometry(), QRect(299, 0, 300, 117));
    } else {
      // The one upper pane left fills the width; its controls keep their places.
      QCOMPARE((exportar ? exp : imp)->geometry(), QRect(0, 0, 599, 117));
      if (exportar) QCOMPARE(d.findChild<QWidget*>("BExportar")->geometry(), QRect(71, 90, 89, 25));
      if (importar) QCOMPARE(d.findChild<QWidget*>("BImportar")->geometry(), QRect(92, 57, 89, 25));
    }
    QCOMPARE(d.windowFlags().testFlag(Qt::FramelessWindowHint), anfitrion);
    if (anfitrion) QCOMPARE(d.pos(), QPoint(2, 2));
    QCOMPARE(d.size(), QSize(599, 267));

    // A conversion error skips the initial steps: nothing staged, nothing shown.
    const bool pasos = error.isEmpty();
    QCOMPARE(carpetasCopiadas(copiado),
             pasos ? (QStringList{"C:\\OTRA", "C:\\GC"}) : QStringList{});
    QCOMPARE(d.findChild<QLineEdit*>("EdNuevoDir")->text(), pasos ? QString("C:\\GC") : QString());
    QCOMPARE(d.findChild<ListaCarpetas*>("ListaDirectorios")->directorio(),
             pasos ? QString("C:\\GC") : QString("C:\\OTRA"));
    QCOMPARE(d.findChild<QComboBox*>("CBCentro")->count(), pasos ? 1 : 0);

    // Closing writes the result flag in host mode only.
    QVERIFY(d.close());
    QCOMPARE(e.ajustes(),
             anfitrion ? QString("[Transformadores]\r\nTransformado=0\r\n") : QString());
  }

  void closingInHostModeWithAnUnwritableSettingsFile() {
    Escenario e;
    prueba::escribirEscuela("C:\\GC");
    QDir(e.carpetaPrograma()).mkdir("Zorvex.ini");
    Guion g;
    TExportarDatos d({"exportar", "0"});
    QSignalSpy cerrado(&d, &TExportarDatos::cerrado);
    d.FormCreate();
    d.show();
    QVERIFY(!d.close());
    const QString ruta = QDir(e.carpetaPrograma()).filePath("Zorvex.ini");
    QCOMPARE(g.errores(), QStringList{"Unable to write to " + ruta + "."});
    QVERIFY(d.isVisible());
    QCOMPARE(cerrado.count(), 0);

    // Once the file can be written, the dialog closes.
    QDir(e.carpetaPrograma()).rmdir("Zorvex.ini");
    QVERIFY(d.close());
    QCOMPARE(cerrado.count(), 1);
    QCOMPARE(e.ajustes(), QString("[Transformadores]\r\nTransformado=0\r\n"));
  }
};

QTEST_MAIN(ArranqueTest)
#include "ArranqueTest.moc"
