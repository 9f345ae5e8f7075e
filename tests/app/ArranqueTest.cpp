// Start-up: host mode from the command line, the staging from the working directory
// and from C:\GC, the folder box, the centre list, and what closing writes.

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "Apoyo.h"
#include "EscuelaMinima.h"
#include "ExportDatos.h"
#include "ListaCarpetas.h"
#include "Mensajes.h"
#include "PanelDegradado.h"
#include "RegistroDevolucion.h"
#include "WinPath.h"

using prueba::Escenario;
using prueba::Guion;

namespace {

QStringList entradas(const QComboBox* c) {
  QStringList out;
  for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
  return out;
}

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
    tzv::TerminarImportacionInterrumpida();
    QCOMPARE(g.textos(), QStringList{});
    const std::string gc = e.nativa("GC").toStdString();
    writeFile(gc + "/horgrup.dbf", "nuevo G");  // renamed already
    writeFile(gc + "/horprof.dbf", "viejo P");
    writeFile(gc + "/~tzv-horprof.tmp", "nuevo P");
    writeFile(e.nativa("ZORVTMP/VALENCIA/COPIAS/1/horgrup.dbf").toStdString(), "viejo G");
    writeFile(e.nativa("ZORVTMP/VALENCIA/COPIAS/1/horprof.dbf").toStdString(), "viejo P");
    tzv::RegistroDevolucion r;
    r.estado = tzv::RegistroDevolucion::Estado::Cambiando;
    r.carpetaGC = "C:\\GC";
    r.copias = e.nativa("ZORVTMP/VALENCIA/COPIAS/1").toStdString();
    for (const std::string t : {"horgrup", "horprof"}) {
      const std::string nuevo = t == "horgrup" ? "nuevo G" : "nuevo P";
      r.archivos.push_back({gc + "/~tzv-" + t + ".tmp", gc + "/" + t + ".dbf",
                            r.copias + "/" + t + ".dbf", nuevo.size(),
                            tzv::sumaDeBytes(nuevo.data(), nuevo.size())});
    }
    tzv::GuardarRegistro(r);
    tzv::TerminarImportacionInterrumpida();
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
    prueba::EscribirEscuela("C:\\GC");
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

  void staging_data() {
    QTest::addColumn<QString>("cwd");  // below C:, or "fuera" for a folder outside the drive
    QTest::addColumn<QString>("gc");   // name of the GESCEN folder on disk, "" for none
    QTest::addColumn<bool>(
        "zorvtmpRoto");  // C:\ZORVTMP is a file: staging cannot create its folder
    QTest::addColumn<QStringList>("copias");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("cuadro");  // folder box at the end
    QTest::addColumn<QString>("lista");   // folder list at the end
    QTest::addColumn<int>("centros");

    const QString ok;
    // The first copy cannot create its file in a staging folder that cannot exist.
    const QString sinStaging =
        QString::fromUtf8("Nombre de archivo inválido (C:\\ZORVTMP\\VALENCIA\\grupos.dbf).");
    QTest::newRow("working directory is C:\\GC: staged once")
        << "GC"
        << "GC" << false << QStringList{"C:\\GC"} << ok << "C:\\GC"
        << "C:\\GC" << 1;
    QTest::newRow("another working directory: staged twice")
        << "OTRA"
        << "GC" << false << QStringList{"C:\\OTRA", "C:\\GC"} << ok << "C:\\GC"
        << "C:\\GC" << 1;
    QTest::newRow("GESCEN folder stored as gc: same folder")
        << "gc"
        << "gc" << false << QStringList{"C:\\gc"} << ok << "C:\\gc"
        << "C:\\gc" << 1;
    QTest::newRow("working directory outside the C: drive")
        << "fuera"
        << "GC" << false << QStringList{"<fuera>", "C:\\GC"} << ok << "C:\\GC"
        << "C:\\GC" << 1;
    QTest::newRow("no C:\\GC") << "OTRA"
                               << "" << false << QStringList{"C:\\OTRA"}
                               << QString::fromUtf8("Nombre de archivo inválido (C:\\GC).") << ""
                               << "C:\\OTRA" << 0;
    QTest::newRow("staging fails at the first pass")
        << "GC"
        << "GC" << true << QStringList{} << sinStaging << ""
        << "C:\\GC" << 0;
    QTest::newRow("staging fails after pointing the list at C:\\GC")
        << "OTRA"
        << "GC" << true << QStringList{"C:\\OTRA"} << sinStaging << "C:\\GC"
        << "C:\\GC" << 0;
  }

  void staging() {
    QFETCH(QString, cwd);
    QFETCH(QString, gc);
    QFETCH(bool, zorvtmpRoto);
    QFETCH(QStringList, copias);
    QFETCH(QString, error);
    QFETCH(QString, cuadro);
    QFETCH(QString, lista);
    QFETCH(int, centros);
    Escenario e;
    if (!gc.isEmpty()) prueba::EscribirEscuela("C:\\" + gc.toStdString());
    if (zorvtmpRoto) QFile(e.nativa("ZORVTMP")).open(QIODevice::WriteOnly);
    QTemporaryDir fuera;
    if (cwd == "fuera") {
      QDir::setCurrent(fuera.path());
      const QString w = QString::fromStdString(winpath::toWindows(fuera.path().toStdString()));
      copias.replaceInStrings("<fuera>", w);
    } else {
      e.entrar(cwd);
    }
    Guion g;
    TExportarDatos d({});
    QSignalSpy copiado(&d, &TExportarDatos::datosGCCopiados);
    d.FormCreate();
    QCOMPARE(carpetasCopiadas(copiado), copias);
    QCOMPARE(g.errores(), error.isEmpty() ? QStringList{} : QStringList{error});
    QCOMPARE(d.findChild<QLineEdit*>("EdNuevoDir")->text(), cuadro);
    QCOMPARE(d.findChild<ListaCarpetas*>("ListaDirectorios")->directorio(), lista);
    QCOMPARE(d.findChild<QComboBox*>("CBCentro")->count(), centros);
    QVERIFY(d.isHidden());  // the dialog opens afterwards all the same
    if (error.isEmpty()) QVERIFY(QFile::exists(e.nativa("ZORVTMP/VALENCIA/centro.dbf")));
  }

  void centreList_data() {
    QTest::addColumn<QStringList>("centros");
    QTest::newRow("three centres in stored order") << QStringList{"46001234", "3001", "12"};
    QTest::newRow("an empty field gives an empty entry") << QStringList{"46001234", ""};
    QTest::newRow("empty table") << QStringList{};
  }

  void centreList() {
    QFETCH(QStringList, centros);
    Escenario e;
    std::vector<std::string> c;
    for (const QString& s : centros) c.push_back(s.toStdString());
    prueba::EscribirEscuela("C:\\GC", c);
    Guion g;
    TExportarDatos d({});
    d.FormCreate();
    QVERIFY(g.avisos.isEmpty());
    auto* lista = d.findChild<QComboBox*>("CBCentro");
    QCOMPARE(entradas(lista), centros);
    QCOMPARE(lista->currentIndex(), centros.isEmpty() ? -1 : 0);
    QVERIFY(!d.tablas().wwTableCentro.active());
  }

  void missingCentreTable() {
    Escenario e;
    prueba::EscribirEscuela("C:\\GC");
    QFile::remove(e.nativa("GC/centro.dbf"));
    Guion g;
    TExportarDatos d({});
    d.FormCreate();
    QCOMPARE(g.errores().size(), 1);
    QVERIFY2(g.errores().first().startsWith("wwTableCentro: "), qPrintable(g.errores().first()));
    QVERIFY(g.errores().first().endsWith("."));
    QCOMPARE(d.findChild<QLineEdit*>("EdNuevoDir")->text(), QString("C:\\GC"));
    QCOMPARE(d.findChild<QComboBox*>("CBCentro")->count(), 0);
  }

  void closingInHostModeWithAnUnwritableSettingsFile() {
    Escenario e;
    prueba::EscribirEscuela("C:\\GC");
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

  void closingKeepsTheOtherSettings() {
    Escenario e;
    prueba::EscribirEscuela("C:\\GC");
    const QByteArray antes =
        "[Zorvex]\r\nRuta=C:\\ZORVEX\r\n\r\n[TRANSFORMADORES]\r\nTRANSFORMADO=1\r\nOtro=x\r\n";
    {
      QFile f(QDir(e.carpetaPrograma()).filePath("Zorvex.ini"));
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write(antes);
    }
    Guion g;
    TExportarDatos d({"importar", "0"});
    d.FormCreate();
    QVERIFY(d.close());
    QCOMPARE(e.ajustes(), QString("[Zorvex]\r\nRuta=C:\\ZORVEX\r\n\r\n[TRANSFORMADORES]"
                                  "\r\nTransformado=0\r\nOtro=x\r\n"));
  }
};

QTEST_MAIN(ArranqueTest)
#include "ArranqueTest.moc"
