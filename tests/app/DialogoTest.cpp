// The main dialog's structure (controls, texts, geometry, fonts, colours, panes), its tab
// order, the Enter and Escape keys, and the two help requests.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <memory>

#include "dbf/Table.h"
#include "procesos/exportar/Exportacion.h"
#include "procesos/importar/Importacion.h"
#include "qt/Ayuda.h"
#include "qt/ExportDatos.h"
#include "qt/ListaCarpetas.h"
#include "qt/Programa.h"
#include "qt/VentanaAyuda.h"
#include "qt/dialogos/MostrarControles.h"
#include "qt/widgets/PanelDegradado.h"
#include "tests/app/Apoyo.h"
#include "tests/support/EscuelaMinima.h"

using namespace qt;

using prueba::Escenario;
using prueba::Guion;

namespace {

const QStringList kFocoEnOrden = {"EdNuevoDir", "ListaDirectorios", "ListaUnidades",
                                  "CBCentro",   "BClose",           "Button1",
                                  "BExportar",  "ComboBoxValCast",  "BImportar"};

std::unique_ptr<TExportarDatos> crear(const QStringList& args = {}) {
  auto d = std::make_unique<TExportarDatos>(args);
  d->FormCreate();
  return d;
}

bool mostrar(TExportarDatos& d) {
  d.show();
  QApplication::setActiveWindow(&d);
  return QTest::qWaitForWindowActive(&d);
}

// The named control that holds a widget (the editable combo box's own line edit
// belongs to ComboBoxValCast).
QString nombreDe(QWidget* w) {
  for (; w != nullptr; w = w->parentWidget())
    if (kFocoEnOrden.contains(w->objectName())) return w->objectName();
  return QString();
}

QString textoDe(QWidget* w) {
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  if (auto* b = qobject_cast<QPushButton*>(w)) return b->text();
  if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
  return QString();
}

QColor colorDe(QWidget* w) {
  const QPalette::ColorRole rol = qobject_cast<QLabel*>(w) ? QPalette::WindowText : QPalette::Text;
  return w->palette().color(rol);
}

// Whether the help window is up, and the page it shows ("" when it is not up).
QString temaDeAyuda() {
  VentanaAyuda* v = qt::Ayuda::instancia().ventana();
  return v != nullptr && v->isVisible() ? v->tema() : QString();
}

}  // namespace

class DialogoTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { qt::registrarFuentes(); }

  void window() {
    Escenario e;
    Guion g;
    auto d = crear();
    QCOMPARE(d->windowTitle(), QStringLiteral("Exportar e importar datos "));
    QCOMPARE(d->size(), QSize(599, 267));
    QCOMPARE(d->minimumSize(), QSize(599, 267));
    QCOMPARE(d->maximumSize(), QSize(599, 267));
    QCOMPARE(d->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(d->font().pixelSize(), 11);
    QVERIFY(!d->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(qt::contextoAyuda(d.get()), 1);
  }

  void panes_data() {
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QRect>("caja");
    QTest::addColumn<QColor>("inicio");
    QTest::addColumn<QColor>("medio");
    QTest::addColumn<QColor>("fin");
    QTest::newRow("folder pane") << "Draw3D1" << QRect(0, 117, 599, 150) << QColor("#C2CDFE")
                                 << QColor("#CFF2FE") << QColor("#CCD8E6");
    QTest::newRow("export pane") << "Draw3D2" << QRect(0, 0, 299, 117) << QColor("#F9D37D")
                                 << QColor(Qt::white) << QColor("#FFEEDD");
    QTest::newRow("import pane") << "Draw3D3" << QRect(299, 0, 300, 117) << QColor("#F9D37D")
                                 << QColor(Qt::white) << QColor("#FFEEDD");
  }

  void panes() {
    QFETCH(QString, nombre);
    QFETCH(QRect, caja);
    QFETCH(QColor, inicio);
    QFETCH(QColor, medio);
    QFETCH(QColor, fin);
    Escenario e;
    Guion g;
    auto d = crear();
    auto* p = d->findChild<PanelDegradado*>(nombre);
    QVERIFY(p != nullptr);
    QCOMPARE(p->parentWidget(), d.get());
    QVERIFY(!p->isHidden());
    QCOMPARE(p->geometry(), caja);
    QCOMPARE(p->colorInicio(), inicio);
    QCOMPARE(p->colorMedio(), medio);
    QCOMPARE(p->colorFin(), fin);
  }

  void controls_data() {
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("clase");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QRect>("caja");     // width 0: a label sized by its text
    QTest::addColumn<QString>("texto");  // null: not checked
    QTest::addColumn<QString>("familia");
    QTest::addColumn<int>("pixeles");
    QTest::addColumn<bool>("negrita");
    QTest::addColumn<QColor>("color");  // invalid: not checked

    const QString arial = "Arial", sans = "MS Sans Serif";
    const QColor azul(0, 0, 255), rojo(255, 0, 0), negro(0, 0, 0), nada;
    QTest::newRow("Label1") << "Label1"
                            << "QLabel"
                            << "Draw3D1" << QRect(14, 3, 0, 0)
                            << "Carpeta en la que se encuentran los datos de GC" << arial << 11
                            << false << azul;
    QTest::newRow("EdNuevoDir") << "EdNuevoDir"
                                << "QLineEdit"
                                << "Draw3D1" << QRect(14, 18, 220, 22) << QString() << arial << 11
                                << true << negro;
    QTest::newRow("ListaDirectorios")
        << "ListaDirectorios"
        << "qt::ListaCarpetas"
        << "Draw3D1" << QRect(14, 41, 220, 83) << QString() << arial << 11 << true << negro;
    QTest::newRow("ListaUnidades")
        << "ListaUnidades"
        << "qt::CajaUnidades"
        << "Draw3D1" << QRect(13, 125, 222, 20) << QString() << arial << 11 << true << negro;
    QTest::newRow("Label2") << "Label2"
                            << "QLabel"
                            << "Draw3D1" << QRect(303, 3, 0, 0)
                            << QString::fromUtf8("Código del centro") << arial << 11 << false
                            << azul;
    QTest::newRow("CBCentro") << "CBCentro"
                              << "QComboBox"
                              << "Draw3D1" << QRect(304, 17, 145, 21) << QString() << sans << 11
                              << false << nada;
    QTest::newRow("BClose") << "BClose"
                            << "QPushButton"
                            << "Draw3D1" << QRect(304, 51, 89, 25) << "&Salir" << sans << 11
                            << false << nada;
    QTest::newRow("Button1") << "Button1"
                             << "QPushButton"
                             << "Draw3D1" << QRect(310, 81, 75, 21) << "F1 AYUDA" << sans << 11
                             << false << nada;
    QTest::newRow("Label7") << "Label7"
                            << "QLabel"
                            << "Draw3D1" << QRect(301, 130, 293, 14) << QString() << arial << 11
                            << true << rojo;
    QTest::newRow("Label8") << "Label8"
                            << "QLabel"
                            << "Draw3D2" << QRect(23, 3, 257, 34)
                            << "UTILIDAD TRANSFERENCIA DE DATOS                GESCEN<->ZORVEX"
                            << arial << 13 << true << azul;
    QTest::newRow("Label3")
        << "Label3"
        << "QLabel"
        << "Draw3D2" << QRect(2, 34, 296, 36)
        << "Exportar datos desde GC hacia Zorvex (Generador de horarios y organizador de grupos)"
        << arial << 12 << true << negro;
    QTest::newRow("Label9") << "Label9"
                            << "QLabel"
                            << "Draw3D2" << QRect(6, 71, 0, 0)
                            << "Recoger Textos Asignaturas en:" << sans << 11 << true << rojo;
    QTest::newRow("ComboBoxValCast")
        << "ComboBoxValCast"
        << "QComboBox"
        << "Draw3D2" << QRect(193, 66, 93, 21) << QString::fromUtf8("VALENCIÁ") << sans << 11
        << true << negro;
    QTest::newRow("BExportar") << "BExportar"
                               << "QPushButton"
                               << "Draw3D2" << QRect(71, 90, 89, 25) << "Aceptar" << sans << 11
                               << false << nada;
    QTest::newRow("Label4") << "Label4"
                            << "QLabel"
                            << "Draw3D3" << QRect(6, 0, 281, 25)
                            << "Importar datos desde Zorvex (hacia GC)" << arial << 13 << true
                            << negro;
    QTest::newRow("Label5")
        << "Label5"
        << "QLabel"
        << "Draw3D3" << QRect(9, 17, 275, 48)
        << QString::fromUtf8(
               "ATENCIÓN. Debería efectuar una copia de seguridad de los datos de "
               "GC, antes de lanzar este proceso.")
        << arial << 12 << true << rojo;
    QTest::newRow("BImportar") << "BImportar"
                               << "QPushButton"
                               << "Draw3D3" << QRect(92, 57, 89, 25) << "Aceptar" << sans << 11
                               << false << nada;
    QTest::newRow("Label6")
        << "Label6"
        << "QLabel"
        << "Draw3D3" << QRect(9, 86, 281, 65)
        << QString::fromUtf8(
               "ATENCIÓN. Es necesario reorganizar los archivos de GC después de "
               "efectuar este proceso.")
        << arial << 12 << true << rojo;
  }

  void controls() {
    QFETCH(QString, nombre);
    QFETCH(QString, clase);
    QFETCH(QString, panel);
    QFETCH(QRect, caja);
    QFETCH(QString, texto);
    QFETCH(QString, familia);
    QFETCH(int, pixeles);
    QFETCH(bool, negrita);
    QFETCH(QColor, color);
    Escenario e;
    Guion g;
    auto d = crear();
    auto* w = d->findChild<QWidget*>(nombre);
    QVERIFY(w != nullptr);
    QCOMPARE(QString::fromLatin1(w->metaObject()->className()), clase);
    QCOMPARE(w->parentWidget()->objectName(), panel);
    if (caja.width() > 0)
      QCOMPARE(w->geometry(), caja);
    else
      QCOMPARE(w->pos(), caja.topLeft());
    if (!texto.isNull()) QCOMPARE(textoDe(w), texto);
    QCOMPARE(w->font().family(), familia);
    QCOMPARE(w->font().pixelSize(), pixeles);
    QCOMPARE(w->font().bold(), negrita);
    if (color.isValid()) QCOMPARE(colorDe(w), color);
    if (auto* l = qobject_cast<QLabel*>(w)) {
      // Over the pane's gradient, top-left aligned, wrapped when it has a box.
      QVERIFY(!l->autoFillBackground());
      QCOMPARE(l->alignment(), Qt::AlignLeft | Qt::AlignTop);
      QCOMPARE(l->wordWrap(), caja.width() > 0);
      QCOMPARE(l->textFormat(), Qt::PlainText);
    } else {
      QVERIFY(w->focusPolicy() & Qt::TabFocus);
      QCOMPARE(qt::contextoAyuda(w), 1);
    }
  }

  void labelsShowTheirWholeText() {
    Escenario e;
    Guion g;
    auto d = crear();
    for (const char* nombre : {"Label1", "Label2", "Label9"}) {
      auto* l = d->findChild<QLabel*>(nombre);
      QVERIFY(l->width() >= l->sizeHint().width());
    }
    // Wrapped labels, the banner included, hold their text within their boxes.
    for (const char* nombre : {"Label3", "Label4", "Label5", "Label6", "Label7", "Label8"}) {
      auto* l = d->findChild<QLabel*>(nombre);
      QVERIFY2(l->heightForWidth(l->width()) <= l->height(), nombre);
    }
    QVERIFY(d->findChild<QLabel*>("Label7")->text().contains("TransZorvexValencia"));
  }

  // The bold text in the dialog font is drawn bold, although that face has no bold of
  // its own: compared with the same text in the regular face, on the same spot.
  void boldDialogFontText() {
    Escenario e;
    Guion g;
    auto d = crear();
    QVERIFY(mostrar(*d));
    auto* label9 = d->findChild<QLabel*>("Label9");
    QWidget* panel = label9->parentWidget();
    QLabel regular(label9->text(), panel);
    QFont f = label9->font();
    f.setBold(false);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    regular.setFont(f);
    regular.setPalette(label9->palette());
    regular.move(label9->pos());
    regular.adjustSize();
    const QRect zona = label9->geometry().united(regular.geometry()).adjusted(0, 0, 2, 0);
    auto tinta = [&] {
      const QImage img = panel->grab(zona).toImage();
      long n = 0;
      for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += 255 - qGray(img.pixel(x, y));
      return n;
    };
    label9->hide();
    regular.show();
    const long fina = tinta();
    regular.hide();
    label9->show();
    const long gruesa = tinta();
    QVERIFY2(gruesa > fina * 13 / 10, qPrintable(QStringLiteral("%1 %2").arg(gruesa).arg(fina)));
  }

  void buttonsAndSelectors() {
    Escenario e;
    Guion g;
    auto d = crear();
    for (const char* nombre : {"BExportar", "BImportar", "BClose"})
      QVERIFY2(!d->findChild<QPushButton*>(nombre)->icon().isNull(), nombre);
    QVERIFY(d->findChild<QPushButton*>("Button1")->icon().isNull());
    auto* idioma = d->findChild<QComboBox*>("ComboBoxValCast");
    QVERIFY(idioma->isEditable());
    QCOMPARE(idioma->count(), 2);
    QCOMPARE(idioma->itemText(0), QString::fromUtf8("VALENCIÁ"));
    QCOMPARE(idioma->itemText(1), QStringLiteral("CASTELLANO"));
    QCOMPARE(idioma->palette().color(QPalette::Base), QColor(Qt::white));
    QVERIFY(!d->findChild<QComboBox*>("CBCentro")->isEditable());
    QCOMPARE(qt::contextoAyuda(d->findChild<QWidget*>("Draw3D1")), 1);
    QCOMPARE(qt::contextoAyuda(d->findChild<QWidget*>("Draw3D2")), 1);
  }

  void tabOrder_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("orden");
    QTest::newRow("stand-alone") << QStringList{} << kFocoEnOrden;
    QStringList sinImportar = kFocoEnOrden;
    sinImportar.removeAll("BImportar");
    QTest::newRow("export pane only") << QStringList{"exportar", "0"} << sinImportar;
    QStringList sinExportar = kFocoEnOrden;
    sinExportar.removeAll("BExportar");
    sinExportar.removeAll("ComboBoxValCast");
    QTest::newRow("import pane only") << QStringList{"importar", "0"} << sinExportar;
  }

  void tabOrder() {
    QFETCH(QStringList, args);
    QFETCH(QStringList, orden);
    Escenario e;
    Guion g;
    auto d = crear(args);
    QVERIFY(mostrar(*d));
    QCOMPARE(nombreDe(QApplication::focusWidget()), orden.first());
    QStringList visto{nombreDe(QApplication::focusWidget())};
    for (int i = 0; i < orden.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visto << nombreDe(QApplication::focusWidget());
    }
    QCOMPARE(visto, orden + QStringList{orden.first()});
  }

  void keys_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("foco");
    QTest::addColumn<int>("tecla");
    QTest::addColumn<int>("modificadores");
    QTest::addColumn<QString>("efecto");

    const int ret = Qt::Key_Return, ent = Qt::Key_Enter, esc = Qt::Key_Escape, no = Qt::NoModifier;
    const QStringList solo{}, importar{"importar", "0"};
    QTest::newRow("Enter in the folder box") << solo << "EdNuevoDir" << ret << no << "exportar";
    QTest::newRow("Enter in the folder list")
        << solo << "ListaDirectorios" << ret << no << "exportar";
    QTest::newRow("keypad Enter in the folder list")
        << solo << "ListaDirectorios" << ent << int(Qt::KeypadModifier) << "exportar";
    QTest::newRow("Enter in the drive box") << solo << "ListaUnidades" << ret << no << "exportar";
    QTest::newRow("Enter in the centre list") << solo << "CBCentro" << ret << no << "exportar";
    QTest::newRow("Enter in the language selector")
        << solo << "ComboBoxValCast" << ret << no << "exportar";
    QTest::newRow("Enter on BExportar") << solo << "BExportar" << ret << no << "exportar";
    QTest::newRow("Enter on BImportar") << solo << "BImportar" << ret << no << "importar";
    QTest::newRow("Enter on BClose") << solo << "BClose" << ret << no << "cerrar";
    QTest::newRow("Enter on Button1") << solo << "Button1" << ret << no << "ayuda";
    QTest::newRow("import pane only: Enter in the folder list")
        << importar << "ListaDirectorios" << ret << no << "importar";
    QTest::newRow("import pane only: Enter in the folder box")
        << importar << "EdNuevoDir" << ret << no << "importar";
    QTest::newRow("Ctrl+Enter in the folder box")
        << solo << "EdNuevoDir" << ret << int(Qt::ControlModifier) << "nada";
    QTest::newRow("Escape in the folder list") << solo << "ListaDirectorios" << esc << no << "nada";
    QTest::newRow("Escape on BClose") << solo << "BClose" << esc << no << "nada";
    QTest::newRow("Escape in the language selector")
        << solo << "ComboBoxValCast" << esc << no << "nada";
    QTest::newRow("import pane only: Escape") << importar << "EdNuevoDir" << esc << no << "nada";
  }

  void keys() {
    QFETCH(QStringList, args);
    QFETCH(QString, foco);
    QFETCH(int, tecla);
    QFETCH(int, modificadores);
    QFETCH(QString, efecto);
    Escenario e;
    prueba::escribirEscuela("C:\\GC");
    prueba::ponerAyuda(e);
    prueba::ocultarAyuda();
    Guion g;
    auto d = crear(args);
    QVERIFY(g.avisos.isEmpty());
    QVERIFY(mostrar(*d));
    QSignalSpy importar(d->findChild<QPushButton*>("BImportar"), &QPushButton::clicked);
    QSignalSpy cerrado(d.get(), &TExportarDatos::cerrado);
    auto* carpetas = d->findChild<ListaCarpetas*>("ListaDirectorios");
    const QString listaAntes = carpetas->directorio();
    const QString carpetaAntes = d->findChild<QLineEdit*>("EdNuevoDir")->text();
    auto* idioma = d->findChild<QComboBox*>("ComboBoxValCast");

    d->findChild<QWidget*>(foco)->setFocus();
    QCOMPARE(nombreDe(QApplication::focusWidget()), foco);
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(tecla),
                    static_cast<Qt::KeyboardModifiers>(modificadores));

    QCOMPARE(!g.avisos.isEmpty() &&
                 g.avisos.first().texto == QString::fromUtf8(procesos::kAvisoExportacion),
             efecto == "exportar");
    QCOMPARE(importar.count(), efecto == "importar" ? 1 : 0);
    // With no solution to import, an import started in host mode closes the program.
    const bool cierra = efecto == "cerrar" || (efecto == "importar" && args.size() == 2);
    QCOMPARE(cerrado.count(), cierra ? 1 : 0);
    QCOMPARE(d->isVisible(), !cierra);
    QCOMPARE(temaDeAyuda(), efecto == "ayuda" ? QStringLiteral("/inicio.htm") : QString());
    if (efecto == "importar") {
      QVERIFY(!g.avisos.isEmpty());
      QCOMPARE(g.avisos.first().texto, QString::fromUtf8(procesos::kAvisoImportacion));
    } else if (efecto != "exportar") {
      QVERIFY(g.avisos.isEmpty());
    }
    // Enter never opens a folder, and never adds typed text to the language selector.
    QCOMPARE(d->findChild<QLineEdit*>("EdNuevoDir")->text(), carpetaAntes);
    QCOMPARE(carpetas->directorio(), listaAntes);
    QCOMPARE(idioma->count(), 2);
  }

  void help_data() {
    QTest::addColumn<bool>("archivo");
    QTest::newRow("help file") << true;
    QTest::newRow("no help file") << false;
  }

  // F1 with each control focused shows the page of context 1, "F1 AYUDA" the start
  // page; without the help file each says so in a box.
  void help() {
    QFETCH(bool, archivo);
    Escenario e;
    prueba::escribirEscuela("C:\\GC");
    if (archivo) prueba::ponerAyuda(e);
    prueba::ocultarAyuda();
    Guion g;
    auto d = crear();
    QVERIFY(mostrar(*d));
    const QString falta =
        QStringLiteral("No se encuentra el archivo de ayuda %1.")
            .arg(QDir::toNativeSeparators(
                QDir(e.carpetaPrograma()).filePath(QStringLiteral("GESCEN.chm"))));

    for (const QString& nombre : kFocoEnOrden) {
      g.avisos.clear();
      d->findChild<QWidget*>(nombre)->setFocus();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
      QCOMPARE(temaDeAyuda(), archivo ? QStringLiteral("/exportar.htm") : QString());
      QCOMPARE(g.errores(), archivo ? QStringList{} : QStringList{falta});
      prueba::ocultarAyuda(d.get());
    }
    g.avisos.clear();
    d->findChild<QPushButton*>("Button1")->click();
    QCOMPARE(temaDeAyuda(), archivo ? QStringLiteral("/inicio.htm") : QString());
    QCOMPARE(g.errores(), archivo ? QStringList{} : QStringList{falta});
    QCOMPARE(qt::Ayuda::instancia().archivo(), QStringLiteral("GESCEN.chm"));
  }

  // The import's check dialogs carry help context 1 too: F1 in their grid, with a
  // cell being edited or not, or on their button, asks for it.
  // While a check dialog is up, the help window it asked for takes the mouse.
  void helpInTheCheckDialogs() {
    Escenario e;
    prueba::escribirEscuela("C:\\GC");
    prueba::ponerAyuda(e);
    prueba::ocultarAyuda();
    Guion g;
    auto d = crear();
    QVERIFY(mostrar(*d));
    d->findChild<QPushButton*>("BExportar")->click();  // PROFT.DBF
    dbf::Table plantilla;
    plantilla.setDatabaseName("C:\\ZORVTMP\\VALENCIA");
    plantilla.setTableName("PLANTILLA.DBF");
    plantilla.fieldDefs() = {{"HORA", dbf::FieldKind::Integer, 0},
                             {"HORAINI", dbf::FieldKind::String, 5},
                             {"HORAFIN", dbf::FieldKind::String, 5}};
    plantilla.createTable();
    plantilla.open();
    plantilla.append();
    plantilla.setInteger("HORA", 1);
    plantilla.post();
    plantilla.close();
    g.avisos.clear();
    QStringList temas;
    for (const char* rejilla : {"ProftDBGrid", "PlantiHorDBGrid"}) {
      // Whatever goes wrong, the dialog is closed: a failure shows in the pages listed
      // below instead of leaving the suite waiting on a modal dialog.
      QTimer::singleShot(0, [rejilla, &temas] {
        QWidget* dialogo = QApplication::activeModalWidget();
        if (dialogo == nullptr) return;
        auto* grid = dialogo->findChild<QWidget*>(rejilla);
        auto* salir = dialogo->findChild<QWidget*>("BitBtn1");
        // F1 shows help, whose page is noted; the help window is hidden and the dialog,
        // with the control that had the focus, is the active window again.
        auto f1 = [&temas, dialogo](bool ocultar = true) {
          QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
          temas << temaDeAyuda();
          if (ocultar) prueba::ocultarAyuda(dialogo);
        };
        if (QTest::qWaitForWindowActive(dialogo) && grid != nullptr && salir != nullptr) {
          grid->setFocus();
          f1();
          QTest::keyClick(QApplication::focusWidget(), Qt::Key_5);  // a cell's editor
          f1();
          salir->setFocus();
          f1(false);
          // The modal dialog does not keep the user from the help window's contents.
          VentanaAyuda* ayuda = qt::Ayuda::instancia().ventana();
          QTreeWidgetItem* item = ayuda->arbolContenido
                                      ->findItems(QStringLiteral("Importación de horarios"),
                                                  Qt::MatchExactly | Qt::MatchRecursive)
                                      .value(0);
          if (item != nullptr) {
            const QPoint punto = ayuda->arbolContenido->viewport()->mapTo(
                ayuda, ayuda->arbolContenido->visualItemRect(item).center());
            QTest::mouseClick(ayuda->windowHandle(), Qt::LeftButton, {}, punto);
            temas << ayuda->tema();
          }
          prueba::ocultarAyuda();
        }
        dialogo->close();
      });
      if (QString(rejilla) == "ProftDBGrid")
        qt::mostrarControlProfesores(d.get());
      else
        qt::mostrarControlPlantilla(d.get());
    }
    const QStringList cadaDialogo = {"/exportar.htm", "/exportar.htm", "/exportar.htm",
                                     "/sub/importar.htm"};
    QCOMPARE(temas, cadaDialogo + cadaDialogo);
    QVERIFY(g.avisos.isEmpty());
  }
};

QTEST_MAIN(DialogoTest)
#include "DialogoTest.moc"
