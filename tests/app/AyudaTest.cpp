// The program's help window on the help file compiled from tests/ayuda/proyecto: the
// start page with the contents, the page of each context, the contents tree, links,
// pictures and style sheets inside the file, one window for the whole program, and the
// boxes that say why there is no help.

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTreeWidget>
#include <QWindow>

#include "qt/Ayuda.h"
#include "qt/NavegadorChm.h"
#include "qt/VentanaAyuda.h"
#include "tests/app/Apoyo.h"

using namespace qt;

using prueba::Escenario;
using prueba::Guion;

namespace {

const QString kProyecto = QStringLiteral(TZV_PROYECTO_AYUDA);

QByteArray bytesDe(const QString& relativa) {
  QFile f(QDir(kProyecto).filePath(relativa));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

VentanaAyuda* ventana() { return qt::Ayuda::instancia().ventana(); }

// The tree's entries, one line each, indented two spaces a level.
QStringList entradas(QTreeWidget* arbol) {
  QStringList lineas;
  std::function<void(QTreeWidgetItem*, int)> anotar = [&](QTreeWidgetItem* item, int nivel) {
    lineas << QString(nivel * 2, QLatin1Char(' ')) + item->text(0);
    for (int i = 0; i < item->childCount(); ++i) anotar(item->child(i), nivel + 1);
  };
  for (int i = 0; i < arbol->topLevelItemCount(); ++i) anotar(arbol->topLevelItem(i), 0);
  return lineas;
}

// Where on the page's viewport a link to `href` is drawn; (-1, -1) when the page has none.
QPoint puntoDelEnlace(NavegadorChm* pagina, const QString& href) {
  for (QTextBlock b = pagina->document()->begin(); b.isValid(); b = b.next()) {
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment f = it.fragment();
      if (f.charFormat().isAnchor() && f.charFormat().anchorHref() == href) {
        QTextCursor c(pagina->document());
        c.setPosition(f.position() + f.length() / 2);
        return pagina->cursorRect(c).center();
      }
    }
  }
  return {-1, -1};
}

// The text of the tree's current entry.
QString entradaActual(QTreeWidget* arbol) {
  return arbol->currentItem() != nullptr ? arbol->currentItem()->text(0) : QString();
}

// The colour of the first text on the page that reads `texto`.
QColor colorDelTexto(NavegadorChm* pagina, const QString& texto) {
  for (QTextBlock b = pagina->document()->begin(); b.isValid(); b = b.next())
    if (b.text() == texto) return b.begin().fragment().charFormat().foreground().color();
  return {};
}

void elegir(VentanaAyuda* v, const QString& entrada) {
  QTreeWidgetItem* item =
      v->arbolContenido->findItems(entrada, Qt::MatchExactly | Qt::MatchRecursive).value(0);
  QVERIFY2(item != nullptr, qPrintable(entrada));
  QTest::mouseClick(v->arbolContenido->viewport(), Qt::LeftButton, {},
                    v->arbolContenido->visualItemRect(item).center());
}

}  // namespace

class AyudaTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { prueba::ocultarAyuda(); }

  // "F1 AYUDA": the default topic, with the contents file's entries in the tree, in a
  // window that stays in front of the window that asked.
  void contents() {
    Escenario e;
    prueba::ponerAyuda(e);
    Guion g;
    QDialog dueno;
    dueno.show();
    qt::Ayuda::instancia().contenido(&dueno);
    VentanaAyuda* v = ventana();
    QVERIFY(v != nullptr);
    QVERIFY(v->isVisible());
    QCOMPARE(v->windowTitle(), QStringLiteral("Ayuda de TransZorvexValencia"));
    QCOMPARE(v->tema(), QStringLiteral("/inicio.htm"));
    QCOMPARE(v->pagina->documentTitle(), QStringLiteral("Inicio"));
    QVERIFY(v->pagina->toPlainText().contains(QStringLiteral("Bienvenida")));
    // The contents file is in Windows-1252.
    QCOMPARE(entradas(v->arbolContenido),
             (QStringList{"Inicio", "Exportación", "  Importación de horarios"}));
    QCOMPARE(entradaActual(v->arbolContenido), QStringLiteral("Inicio"));
    QCOMPARE(v->windowHandle()->transientParent(), dueno.windowHandle());
    QVERIFY(g.avisos.isEmpty());
  }

  void contexts_data() {
    QTest::addColumn<int>("contexto");
    QTest::addColumn<QString>("tema");
    QTest::addColumn<QString>("titulo");
    QTest::newRow("1, the dialogs' context") << 1 << "/exportar.htm"
                                             << "Exportar";
    QTest::newRow("7, a page in a folder") << 7 << "/sub/importar.htm"
                                           << "Importar";
    QTest::newRow("2, mapped to nothing") << 2 << "/inicio.htm"
                                          << "Inicio";
    QTest::newRow("0") << 0 << "/inicio.htm"
                       << "Inicio";
  }

  // F1's context shows its page, marked in the tree; a context the file does not map
  // shows the start page.
  void contexts() {
    QFETCH(int, contexto);
    QFETCH(QString, tema);
    QFETCH(QString, titulo);
    Escenario e;
    prueba::ponerAyuda(e);
    Guion g;
    qt::Ayuda::instancia().contexto(contexto);
    VentanaAyuda* v = ventana();
    QVERIFY(v != nullptr && v->isVisible());
    QCOMPARE(v->tema(), tema);
    QCOMPARE(v->pagina->documentTitle(), titulo);
    QTreeWidgetItem* marcada = v->arbolContenido->currentItem();
    QCOMPARE(marcada != nullptr ? marcada->data(0, Qt::UserRole).toString() : QString(), tema);
    QVERIFY(g.avisos.isEmpty());
  }

  // Choosing an entry of the tree opens its page; the page of a Windows-1252 file reads
  // as written.
  void treeOpensPages() {
    Escenario e;
    prueba::ponerAyuda(e);
    Guion g;
    qt::Ayuda::instancia().contenido();
    VentanaAyuda* v = ventana();
    elegir(v, QStringLiteral("Importación de horarios"));
    QCOMPARE(v->tema(), QStringLiteral("/sub/importar.htm"));
    QVERIFY(v->pagina->toPlainText().contains(QStringLiteral("Importación de horarios")));
    elegir(v, QStringLiteral("Exportación"));
    QCOMPARE(v->tema(), QStringLiteral("/exportar.htm"));
    elegir(v, QStringLiteral("Inicio"));
    QCOMPARE(v->tema(), QStringLiteral("/inicio.htm"));
  }

  // Links are followed inside the file from the page's own folder; "Atrás", "Adelante"
  // and "Inicio" go through the pages seen.
  void links() {
    Escenario e;
    prueba::ponerAyuda(e);
    Guion g;
    qt::Ayuda::instancia().contenido();
    VentanaAyuda* v = ventana();
    QVERIFY(QTest::qWaitForWindowExposed(v));
    const QStringList recorrido = {"exportar.htm", "sub/importar.htm", "../exportar.htm"};
    const QStringList temas = {"/exportar.htm", "/sub/importar.htm", "/exportar.htm"};
    for (int i = 0; i < recorrido.size(); ++i) {
      const QPoint punto = puntoDelEnlace(v->pagina, recorrido[i]);
      QVERIFY2(punto.x() >= 0, qPrintable(recorrido[i]));
      QTest::mouseClick(v->pagina->viewport(), Qt::LeftButton, {}, punto);
      QCOMPARE(v->tema(), temas[i]);
    }
    // The page reached by a link is marked in the tree.
    QCOMPARE(entradaActual(v->arbolContenido), QStringLiteral("Exportación"));
    QVERIFY(v->botonAtras->isEnabled());
    QVERIFY(!v->botonAdelante->isEnabled());
    v->botonAtras->click();
    QCOMPARE(v->tema(), QStringLiteral("/sub/importar.htm"));
    v->botonAtras->click();
    QCOMPARE(v->tema(), QStringLiteral("/exportar.htm"));
    v->botonAdelante->click();
    QCOMPARE(v->tema(), QStringLiteral("/sub/importar.htm"));
    v->botonInicio->click();
    QCOMPARE(v->tema(), QStringLiteral("/inicio.htm"));
    QVERIFY(g.avisos.isEmpty());
  }

  void resources_data() {
    QTest::addColumn<QString>("pagina");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("direccion");
    QTest::addColumn<QString>("archivo");  // of the project; "" for nothing
    const int imagen = QTextDocument::ImageResource, estilo = QTextDocument::StyleSheetResource;
    QTest::newRow("picture, relative") << "/exportar.htm" << imagen << "imagenes/logo.png"
                                       << "imagenes/logo.png";
    QTest::newRow("style sheet from a folder") << "/sub/importar.htm" << estilo << "../estilo.css"
                                               << "estilo.css";
    QTest::newRow("picture, absolute") << "/sub/importar.htm" << imagen << "chm:/imagenes/logo.png"
                                       << "imagenes/logo.png";
    QTest::newRow("picture, ms-its")
        << "/inicio.htm" << imagen << "ms-its:GESCEN.chm::/imagenes/logo.png"
        << "imagenes/logo.png";
    QTest::newRow("relative to the page's folder")
        << "/sub/importar.htm" << imagen << "imagenes/logo.png"
        << "";
    QTest::newRow("outside the file") << "/exportar.htm" << imagen << "http://example.org/logo.png"
                                      << "";
  }

  // Pictures and style sheets come from inside the file, as the page shown names them.
  void resources() {
    QFETCH(QString, pagina);
    QFETCH(int, tipo);
    QFETCH(QString, direccion);
    QFETCH(QString, archivo);
    Escenario e;
    prueba::ponerAyuda(e);
    Guion g;
    qt::Ayuda::instancia().contenido();
    VentanaAyuda* v = ventana();
    v->abrir(pagina);
    QCOMPARE(v->tema(), pagina);
    const QVariant recurso = v->pagina->loadResource(tipo, QUrl(direccion));
    if (archivo.isEmpty()) {
      QVERIFY(!recurso.isValid());
    } else if (tipo == QTextDocument::StyleSheetResource) {
      QCOMPARE(recurso.toString(), QString::fromUtf8(bytesDe(archivo)));
    } else {
      QCOMPARE(recurso.toByteArray(), bytesDe(archivo));
    }
  }

  // The page as drawn: its picture and the colour its style sheet gives the heading.
  void pageAsDrawn() {
    Escenario e;
    prueba::ponerAyuda(e);
    Guion g;
    qt::Ayuda::instancia().contexto(1);
    VentanaAyuda* v = ventana();
    QVERIFY(QTest::qWaitForWindowExposed(v));
    QCOMPARE(colorDelTexto(v->pagina, QStringLiteral("Exportar los datos")), QColor("#1a5c8e"));
    const QImage dibujo = v->pagina->viewport()->grab().toImage();
    int rojos = 0;
    for (int y = 0; y < dibujo.height(); ++y)
      for (int x = 0; x < dibujo.width(); ++x)
        rojos += dibujo.pixel(x, y) == qRgb(0xCC, 0x22, 0x22);
    QVERIFY2(rojos >= 30 * 30, qPrintable(QString::number(rojos)));
    // A page in a folder takes the style sheet of the folder above.
    v->abrir(QStringLiteral("/sub/importar.htm"));
    QCOMPARE(colorDelTexto(v->pagina, QStringLiteral("Importación de horarios")),
             QColor("#1a5c8e"));
    // A page the file does not have says so.
    v->abrir(QStringLiteral("/no-esta.htm"));
    QVERIFY(v->pagina->toPlainText().contains(
        QStringLiteral("El archivo de ayuda no tiene la página /no-esta.htm.")));
  }

  // One help window for the whole program: asked for again, closed or minimized, the
  // same one comes back to the front.
  void oneWindow() {
    Escenario e;
    prueba::ponerAyuda(e);
    Guion g;
    qt::Ayuda::instancia().contenido();
    VentanaAyuda* primera = ventana();
    QVERIFY(primera != nullptr);
    qt::Ayuda::instancia().contexto(1);
    QCOMPARE(ventana(), primera);
    QCOMPARE(primera->tema(), QStringLiteral("/exportar.htm"));
    primera->close();
    qt::Ayuda::instancia().contexto(7);
    QCOMPARE(ventana(), primera);
    QVERIFY(primera->isVisible());
    QCOMPARE(primera->tema(), QStringLiteral("/sub/importar.htm"));
    primera->showMinimized();
    qt::Ayuda::instancia().contenido();
    QVERIFY(!primera->isMinimized());
    int ventanas = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      ventanas += qobject_cast<VentanaAyuda*>(w) != nullptr;
    QCOMPARE(ventanas, 1);
    QVERIFY(!primera->testAttribute(Qt::WA_QuitOnClose));
  }

  void noHelp_data() {
    QTest::addColumn<QString>("archivo");  // "" none, "carpeta" a folder, else its bytes
    QTest::addColumn<QString>("texto");
    QTest::newRow("missing") << ""
                             << "No se encuentra el archivo de ayuda %2.";
    QTest::newRow("garbage") << QString(4096, QLatin1Char('Z'))
                             << "No se puede leer el archivo de ayuda %2: no es un archivo de "
                                "ayuda compilado (.chm) o está dañado.";
    QTest::newRow("a folder") << "carpeta"
                              << "No se puede leer el archivo de ayuda %2: es una carpeta.";
  }

  // Without a help file that can be read, both requests say why in an error box that
  // names the file and where it was looked for, and no help window shows.
  void noHelp() {
    QFETCH(QString, archivo);
    QFETCH(QString, texto);
    Escenario e;
    const QString ruta = QDir(e.carpetaPrograma()).filePath(QStringLiteral("GESCEN.chm"));
    if (archivo == QLatin1String("carpeta")) {
      QDir().mkpath(ruta);
    } else if (!archivo.isEmpty()) {
      QFile f(ruta);
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write(archivo.toLatin1());
    }
    const QString esperado =
        QString(texto)
            .replace(QLatin1String("%1"), QDir::toNativeSeparators(e.carpetaPrograma()))
            .replace(QLatin1String("%2"), QDir::toNativeSeparators(ruta));
    Guion g;
    qt::Ayuda::instancia().contenido();
    qt::Ayuda::instancia().contexto(1);
    QCOMPARE(g.errores(), QStringList(2, esperado));
    QCOMPARE(g.avisos.size(), 2);
    QVERIFY(ventana() == nullptr || !ventana()->isVisible());
  }

  // A help file changed since it was read is read again; the window stays the same.
  void changedFileIsReadAgain() {
    Escenario e;
    const QString ruta = prueba::ponerAyuda(e);
    Guion g;
    qt::Ayuda::instancia().contexto(1);
    VentanaAyuda* v = ventana();
    QCOMPARE(v->tema(), QStringLiteral("/exportar.htm"));
    {
      QFile f(ruta);
      QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
      f.write(QByteArray(100, 'x'));
    }
    v->hide();
    qt::Ayuda::instancia().contexto(1);
    QCOMPARE(g.errores().size(), 1);
    QVERIFY(!v->isVisible());
    prueba::ponerAyuda(e);
    qt::Ayuda::instancia().contexto(7);
    QCOMPARE(ventana(), v);
    QCOMPARE(v->tema(), QStringLiteral("/sub/importar.htm"));
    QCOMPARE(g.errores().size(), 1);
  }
};

QTEST_MAIN(AyudaTest)
#include "AyudaTest.moc"
