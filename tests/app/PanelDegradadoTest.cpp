// The gradient panel paints its three colours from one edge to the other.

#include <QLabel>
#include <QTest>

#include "qt/widgets/PanelDegradado.h"

using namespace qt;

namespace {

bool cerca(const QColor& a, const QColor& b) {
  const int tolerancia = 8;  // one row's step of the gradient, and rounding
  return std::abs(a.red() - b.red()) <= tolerancia &&
         std::abs(a.green() - b.green()) <= tolerancia &&
         std::abs(a.blue() - b.blue()) <= tolerancia;
}

QString texto(const QColor& c) { return c.name(); }

}  // namespace

class PanelDegradadoTest : public QObject {
  Q_OBJECT

 private slots:
  void gradient_data() {
    QTest::addColumn<int>("orientacion");
    QTest::addColumn<QColor>("inicio");
    QTest::addColumn<QColor>("medio");
    QTest::addColumn<QColor>("fin");
    QTest::newRow("folder pane, vertical")
        << int(Qt::Vertical) << QColor("#C2CDFE") << QColor("#CFF2FE") << QColor("#CCD8E6");
    QTest::newRow("upper panes, vertical")
        << int(Qt::Vertical) << QColor("#F9D37D") << QColor(Qt::white) << QColor("#FFEEDD");
    QTest::newRow("horizontal") << int(Qt::Horizontal) << QColor(Qt::red) << QColor(Qt::green)
                                << QColor(Qt::blue);
  }

  void gradient() {
    QFETCH(int, orientacion);
    QFETCH(QColor, inicio);
    QFETCH(QColor, medio);
    QFETCH(QColor, fin);
    PanelDegradado p;
    p.setColores(inicio, medio, fin);
    p.setOrientacion(static_cast<Qt::Orientation>(orientacion));
    p.setBorde(false);
    p.resize(201, 201);
    const QImage img = p.grab().toImage();
    const bool v = orientacion == Qt::Vertical;
    auto en = [&](int a, int b) { return img.pixelColor(v ? QPoint(b, a) : QPoint(a, b)); };
    for (int b : {0, 100, 200}) {
      QVERIFY2(cerca(en(0, b), inicio), qPrintable(texto(en(0, b))));
      QVERIFY2(cerca(en(100, b), medio), qPrintable(texto(en(100, b))));
      QVERIFY2(cerca(en(200, b), fin), qPrintable(texto(en(200, b))));
    }
    // Between two colours, a blend of them.
    const QColor cuarto = en(50, 100);
    QVERIFY(
        cerca(cuarto, QColor((inicio.red() + medio.red()) / 2, (inicio.green() + medio.green()) / 2,
                             (inicio.blue() + medio.blue()) / 2)));
  }

  void raisedEdge() {
    PanelDegradado p;
    p.setColores(QColor("#F9D37D"), Qt::white, QColor("#FFEEDD"));
    p.resize(50, 40);
    QVERIFY(p.borde());
    const QImage img = p.grab().toImage();
    QCOMPARE(img.pixelColor(10, 0), QColor(Qt::white));
    QCOMPARE(img.pixelColor(0, 10), QColor(Qt::white));
    QCOMPARE(img.pixelColor(10, 39), QColor(128, 128, 128));
    QCOMPARE(img.pixelColor(49, 10), QColor(128, 128, 128));
  }

  void labelsShowTheGradientThrough() {
    PanelDegradado p;
    p.setColores(QColor("#F9D37D"), QColor("#F9D37D"), QColor("#F9D37D"));
    p.setBorde(false);
    p.resize(100, 40);
    auto* l = new QLabel(&p);
    l->setGeometry(0, 0, 100, 40);
    l->setText("   ");
    const QImage img = p.grab().toImage();
    QCOMPARE(img.pixelColor(50, 20), QColor("#F9D37D"));
  }
};

QTEST_MAIN(PanelDegradadoTest)
#include "PanelDegradadoTest.moc"
