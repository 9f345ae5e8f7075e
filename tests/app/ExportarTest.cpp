// The export run as the user sees it from the dialog: the two messages, the hourglass,
// the result flag, the closing in host mode, the error display, and the language.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>

#include "gescen/TablasIntercambio.h"
#include "plat/WinPath.h"
#include "procesos/exportar/Exportacion.h"
#include "procesos/importar/Importacion.h"
#include "qt/ExportDatos.h"
#include "tests/app/Apoyo.h"
#include "tests/support/EscuelaMinima.h"

using namespace qt;

using prueba::Escenario;
using prueba::Guion;
using qt::TipoAviso;

namespace {

const QString kAviso = QString::fromUtf8(procesos::kAvisoExportacion);

void exportar(TExportarDatos& d) { d.findChild<QPushButton*>("BExportar")->click(); }

// A box as the user saw it.
struct Caja {
  QString titulo;
  QString texto;
  QMessageBox::Icon icono;
  int botones;
  bool reloj;
};

// A user who reads every real message box and presses its OK button.
class Usuario : public QObject {
 public:
  QList<Caja> cajas;
  Usuario() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] {
      auto* mb = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (mb == nullptr || !mb->isVisible()) return;
      cajas << Caja{mb->windowTitle(), mb->text(), mb->icon(),
                    static_cast<int>(mb->buttons().size()),
                    QApplication::overrideCursor() != nullptr};
      mb->button(QMessageBox::Ok)->click();
    });
    timer_.start();
  }

 private:
  QTimer timer_;
};

}  // namespace

class ExportarTest : public QObject {
  Q_OBJECT

 private slots:
  void successfulRun_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("stand-alone") << QStringList{};
    QTest::newRow("host mode") << QStringList{"exportar", "0"};
  }

  void successfulRun() {
    QFETCH(QStringList, args);
    const bool anfitrion = !args.isEmpty();
    Escenario e;
    prueba::escribirEscuela("C:\\GC");
    Guion g;
    TExportarDatos d(args);
    d.FormCreate();
    d.show();
    QSignalSpy cerrado(&d, &TExportarDatos::cerrado);
    exportar(d);

    QCOMPARE(g.textos(), (QStringList{kAviso, "Proceso finalizado"}));
    for (const auto& a : g.avisos) {
      QCOMPARE(a.tipo, TipoAviso::Mensaje);
      QVERIFY(!a.reloj);
    }
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QCOMPARE(d.estado().resultado, 1);
    for (const std::string& t : gescen::tablasIntercambio())
      QVERIFY2(QFile::exists(QString::fromStdString(plat::toNative(gescen::rutaIntercambio(t)))),
               t.c_str());
    QCOMPARE(d.isVisible(), !anfitrion);
    QCOMPARE(cerrado.count(), anfitrion ? 1 : 0);
    QCOMPARE(e.ajustes(),
             anfitrion ? QString("[Transformadores]\r\nTransformado=1\r\n") : QString());

    if (!anfitrion) {
      // Stand-alone, the dialog stays for another run.
      g.avisos.clear();
      exportar(d);
      QCOMPARE(g.textos(), (QStringList{kAviso, "Proceso finalizado"}));
      QVERIFY(d.isVisible());
    }
  }

  void failingRun_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("stand-alone") << QStringList{};
    QTest::newRow("host mode") << QStringList{"exportar", "0"};
  }

  void failingRun() {
    QFETCH(QStringList, args);
    Escenario e;
    prueba::escribirEscuela("C:\\GC");
    QFile::remove(e.nativa("GC/asignat.dbf"));
    Guion g;
    TExportarDatos d(args);
    d.FormCreate();
    d.show();
    QSignalSpy cerrado(&d, &TExportarDatos::cerrado);
    exportar(d);

    QCOMPARE(g.avisos.size(), 2);
    QCOMPARE(g.avisos[0].texto, kAviso);
    QCOMPARE(g.avisos[1].tipo, TipoAviso::Error);
    QVERIFY2(g.avisos[1].texto.startsWith("wwTableAsignat: "), qPrintable(g.avisos[1].texto));
    QVERIFY(g.avisos[1].texto.endsWith("."));
    // The hourglass is down when the error shows, and stays down.
    QVERIFY(!g.avisos[1].reloj);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    // Even in host mode the dialog stays open after an error.
    QVERIFY(d.isVisible());
    QCOMPARE(cerrado.count(), 0);
    QVERIFY(d.close());
    // A failed export never reports success to the host.
    QCOMPARE(e.ajustes(),
             args.isEmpty() ? QString() : QString("[Transformadores]\r\nTransformado=0\r\n"));
  }

  void language_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("como");  // "elegido" from the list; or typed, then "Enter" or the
                                        // button clicked ("boton")
    QTest::addColumn<QString>("nombre");
    const QString val = QString::fromUtf8(prueba::kNombreValenciano);
    const QString cas = QString::fromUtf8(prueba::kNombreCastellano);
    QTest::newRow("initial text") << QString() << "boton" << val;
    QTest::newRow("CASTELLANO chosen") << "CASTELLANO"
                                       << "elegido" << cas;
    QTest::newRow("CASTELLANO typed, button") << "CASTELLANO"
                                              << "boton" << cas;
    QTest::newRow("CASTELLANO typed, Enter") << "CASTELLANO"
                                             << "Enter" << cas;
    QTest::newRow("castellano typed, button") << "castellano"
                                              << "boton" << val;
    QTest::newRow("castellano typed, Enter") << "castellano"
                                             << "Enter" << val;
    QTest::newRow("CAST typed, Enter") << "CAST"
                                       << "Enter" << val;
    QTest::newRow("other text typed") << "INGLES"
                                      << "Enter" << val;
  }

  // The text as the user leaves it in the box is the one the run reads: keys typed into
  // the box, then Enter or the button.
  void language() {
    QFETCH(QString, texto);
    QFETCH(QString, como);
    QFETCH(QString, nombre);
    Escenario e;
    prueba::escribirEscuela("C:\\GC");
    Guion g;
    TExportarDatos d({});
    d.FormCreate();
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    auto* idioma = d.findChild<QComboBox*>("ComboBoxValCast");
    if (como == "elegido") {
      idioma->setCurrentIndex(idioma->findText(texto));
    } else if (!texto.isNull()) {
      idioma->setFocus();
      QVERIFY(idioma->lineEdit()->hasFocus());
      idioma->lineEdit()->selectAll();
      QTest::keyClicks(idioma->lineEdit(), texto);
    }
    // The button pressed with the mouse takes the focus from the box first, as it does
    // for the user.
    if (como == "Enter")
      QTest::keyClick(idioma->lineEdit(), Qt::Key_Return);
    else
      QTest::mouseClick(d.findChild<QPushButton*>("BExportar"), Qt::LeftButton);
    if (!texto.isNull() && como != "elegido") QCOMPARE(idioma->currentText(), texto);
    QCOMPARE(g.errores(), QStringList{});
    QCOMPARE(g.textos().value(0), kAviso);
    QCOMPARE(prueba::columna(gescen::rutaIntercambio(gescen::kASIGVALT), "NOMBRE"),
             std::vector<std::string>{nombre.toStdString()});
  }

  void realMessageBoxes() {
    Escenario e;
    prueba::escribirEscuela("C:\\GC");
    Usuario usuario;
    TExportarDatos d({});
    d.FormCreate();
    d.show();
    exportar(d);
    QCOMPARE(usuario.cajas.size(), 2);
    for (const Caja& c : usuario.cajas) {
      QCOMPARE(c.titulo, QStringLiteral("TransZorvexValencia"));
      QCOMPARE(c.icono, QMessageBox::NoIcon);
      QCOMPARE(c.botones, 1);
      QVERIFY(!c.reloj);
    }
    QCOMPARE(usuario.cajas[0].texto, kAviso);
    QCOMPARE(usuario.cajas[1].texto, QStringLiteral("Proceso finalizado"));

    // The error display: error icon, title, one button, a full stop added.
    QFile::remove(e.nativa("ZORVTMP/VALENCIA/asignat.dbf"));
    usuario.cajas.clear();
    exportar(d);
    QCOMPARE(usuario.cajas.size(), 2);
    const Caja& error = usuario.cajas[1];
    QCOMPARE(error.titulo, QStringLiteral("TransZorvexValencia"));
    QCOMPARE(error.icono, QMessageBox::Critical);
    QCOMPARE(error.botones, 1);
    QVERIFY(error.texto.startsWith("wwTableAsignat: "));
    QVERIFY(error.texto.endsWith("."));
    QVERIFY(!error.texto.endsWith(".."));
    QVERIFY(!error.reloj);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
  }

  // Texts whose lines end in a line feed and a carriage return, in either order, show one
  // line break for each pair in a real box.
  void lineBreaks_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("mostrado");
    QTest::newRow("teacher without DNI")
        << QString::fromUtf8(procesos::kProfesorSinDni)
        << QString::fromUtf8(
               "¡Atención! Sigue habiendo algún Profesor sin D.N.I.\n"
               "Este proceso se dentendrá y deberá volver a ejecutar\n"
               "la Importación, para poder corregir la incidencia");
    QTest::newRow("CR LF") << "uno\r\ndos"
                           << "uno\ndos";
    QTest::newRow("LF") << "uno\ndos"
                        << "uno\ndos";
  }

  void lineBreaks() {
    QFETCH(QString, texto);
    QFETCH(QString, mostrado);
    Usuario usuario;
    qt::mostrarMensaje(nullptr, texto);
    QCOMPARE(usuario.cajas.size(), 1);
    QCOMPARE(usuario.cajas[0].texto, mostrado);
  }

  void fullStop_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("mostrado");
    QTest::newRow("without") << "Disco lleno"
                             << "Disco lleno.";
    QTest::newRow("with") << "Fin."
                          << "Fin.";
    QTest::newRow("other mark") << "Error!"
                                << "Error!.";
  }

  void fullStop() {
    QFETCH(QString, texto);
    QFETCH(QString, mostrado);
    Guion g;
    qt::mostrarError(nullptr, texto);
    qt::mostrarMensaje(nullptr, texto);
    QCOMPARE(g.textos(), (QStringList{mostrado, texto}));
  }
};

QTEST_MAIN(ExportarTest)
#include "ExportarTest.moc"
