// Bold text in a bitmap-only face: drawn with a double strike and wider spacing, and
// only where the face cannot show bold by itself.

#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "qt/widgets/NegritaSimulada.h"

using namespace qt;

namespace {

const char* g_kMsSansSerif = "/usr/share/wine/fonts/ms_sans_serif.ttf";

QFont fuente(const char* familia, bool negrita) {
  QFont f(QString::fromLatin1(familia));
  f.setPixelSize(11);
  f.setBold(negrita);
  return f;
}

// Darkness of what a widget's parent shows where the widget lies (a widget's own
// effect is applied when its parent paints it), on white.
int tinta(QWidget* w) {
  const QImage img = w->parentWidget()->grab(w->geometry().adjusted(0, 0, 1, 0)).toImage();
  long n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += 255 - qGray(img.pixel(x, y));
  return static_cast<int>(n / 255);
}

QLabel* etiqueta(QWidget* fondo, const QFont& f, bool aplicar) {
  auto* l = new QLabel(QStringLiteral("Recoger Textos Asignaturas en:"), fondo);
  if (aplicar)
    aplicarFuente(l, f);
  else
    l->setFont(f);
  l->adjustSize();
  return l;
}

}  // namespace

class NegritaSimuladaTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (!QFile::exists(g_kMsSansSerif)) QSKIP("fonts-wine is not installed");
    QVERIFY(QFontDatabase::addApplicationFont(g_kMsSansSerif) >= 0);
  }

  void whichFontsNeedIt_data() {
    QTest::addColumn<QString>("familia");
    QTest::addColumn<bool>("negrita");
    QTest::addColumn<bool>("necesita");
    QTest::newRow("MS Sans Serif bold") << "MS Sans Serif" << true << true;
    QTest::newRow("MS Sans Serif regular") << "MS Sans Serif" << false << false;
    QTest::newRow("Arial bold (an outline face)") << "Arial" << true << false;
  }

  void whichFontsNeedIt() {
    QFETCH(QString, familia);
    QFETCH(bool, negrita);
    QFETCH(bool, necesita);
    const QFont f = fuente(familia.toLatin1().constData(), negrita);
    QCOMPARE(necesitaNegritaSimulada(f), necesita);
    QLabel l;
    aplicarFuente(&l, f);
    QCOMPARE(l.graphicsEffect() != nullptr, necesita);
    QCOMPARE(l.font().letterSpacing(), necesita ? 1.0 : 0.0);
    QCOMPARE(l.font().family(), familia);
    QCOMPARE(l.font().bold(), negrita);
  }

  void labelIsDrawnBolder() {
    QWidget fondo1, fondo2;
    for (QWidget* f : {&fondo1, &fondo2}) {
      QPalette p = f->palette();
      p.setColor(QPalette::Window, Qt::white);
      f->setPalette(p);
      f->resize(300, 30);
    }
    QLabel* normal = etiqueta(&fondo1, fuente("MS Sans Serif", false), false);
    QLabel* negrita = etiqueta(&fondo2, fuente("MS Sans Serif", true), true);
    // One pixel more per character, and more ink.
    QVERIFY(negrita->width() >= normal->width() + normal->text().size() - 1);
    QVERIFY2(tinta(negrita) > tinta(normal) * 13 / 10,
             qPrintable(QStringLiteral("%1 %2").arg(tinta(negrita)).arg(tinta(normal))));
  }

  void comboTextIsDrawnBolder() {
    QWidget fondo;
    auto* normal = new QComboBox(&fondo);
    auto* negrita = new QComboBox(&fondo);
    for (QComboBox* c : {normal, negrita}) {
      c->setEditable(true);
      c->addItem(QString::fromUtf8("VALENCIÁ"));
    }
    normal->setFont(fuente("MS Sans Serif", false));
    aplicarFuente(negrita, fuente("MS Sans Serif", true), negrita->lineEdit());
    normal->setGeometry(0, 0, 93, 21);
    negrita->setGeometry(0, 30, 93, 21);
    QVERIFY(negrita->graphicsEffect() == nullptr);
    QVERIFY(negrita->lineEdit()->graphicsEffect() != nullptr);
    fondo.show();
    QVERIFY2(tinta(negrita->lineEdit()) > tinta(normal->lineEdit()) * 12 / 10,
             qPrintable(QStringLiteral("%1 %2")
                            .arg(tinta(negrita->lineEdit()))
                            .arg(tinta(normal->lineEdit()))));
  }
};

QTEST_MAIN(NegritaSimuladaTest)
#include "NegritaSimuladaTest.moc"
