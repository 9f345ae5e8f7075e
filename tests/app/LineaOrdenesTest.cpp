// The launch arguments: the "$"-prefixed hexadecimal handle and the direction word.

#include <QTest>

#include "ui/LineaOrdenes.h"

class LineaOrdenesTest : public QObject {
  Q_OBJECT

 private slots:
  void convertirEntero_data() {
    QTest::addColumn<QString>("argumento");
    QTest::addColumn<bool>("valido");
    QTest::addColumn<quint32>("valor");

    QTest::newRow("upper case") << "1A2B" << true << 0x1A2Bu;
    QTest::newRow("lower case") << "ff00" << true << 0xFF00u;
    QTest::newRow("zero") << "0" << true << 0u;
    QTest::newRow("largest") << "FFFFFFFF" << true << 0xFFFFFFFFu;
    QTest::newRow("leading zero does not count") << "012345678" << true << 0x12345678u;
    QTest::newRow("many leading zeros") << "0000000000ffffffff" << true << 0xFFFFFFFFu;
    QTest::newRow("nine significant digits") << "123456789" << false << 0u;
    QTest::newRow("one past 32 bits") << "100000000" << false << 0u;
    QTest::newRow("0x prefix") << "0x1A" << false << 0u;
    QTest::newRow("a dollar of its own") << "$1A" << false << 0u;
    QTest::newRow("leading blank") << " 1A" << false << 0u;
    QTest::newRow("trailing blank") << "1A " << false << 0u;
    QTest::newRow("minus sign") << "-1" << false << 0u;
    QTest::newRow("plus sign") << "+1" << false << 0u;
    QTest::newRow("not hexadecimal") << "zz" << false << 0u;
    QTest::newRow("g after digits") << "1A2G" << false << 0u;
    QTest::newRow("empty") << "" << false << 0u;
    QTest::newRow("non-ASCII digit") << QString::fromUtf8("\xEF\xBC\x91") << false << 0u;
  }

  void convertirEntero() {
    QFETCH(QString, argumento);
    QFETCH(bool, valido);
    QFETCH(quint32, valor);
    const std::string texto = "$" + argumento.toStdString();
    try {
      const std::uint32_t v = ui::convertirEntero(texto);
      QVERIFY2(valido, "converted a text that is not a valid handle");
      QCOMPARE(v, valor);
    } catch (const ui::ErrorConversion& e) {
      QVERIFY2(!valido, e.what());
      QCOMPARE(QString::fromStdString(e.what()),
               QString::fromStdString("'" + texto + "' no es un valor entero v\xC3\xA1lido"));
    }
  }

  void sentido_data() {
    QTest::addColumn<QString>("palabra");
    QTest::addColumn<int>("sentido");
    const int imp = static_cast<int>(ui::Sentido::Importar);
    const int exp = static_cast<int>(ui::Sentido::Exportar);
    const int otro = static_cast<int>(ui::Sentido::Otro);
    QTest::newRow("importar") << "importar" << imp;
    QTest::newRow("IMPORTAR") << "IMPORTAR" << imp;
    QTest::newRow("Exportar") << "Exportar" << exp;
    QTest::newRow("eXpOrTaR") << "eXpOrTaR" << exp;
    QTest::newRow("another word") << "actualizar" << otro;
    QTest::newRow("trailing blank") << "exportar " << otro;
    QTest::newRow("leading blank") << " importar" << otro;
    QTest::newRow("accented capital is not folded") << QString::fromUtf8("\xC3\x89XPORTAR") << otro;
    QTest::newRow("empty") << "" << otro;
  }

  void sentido() {
    QFETCH(QString, palabra);
    QFETCH(int, sentido);
    QCOMPARE(static_cast<int>(ui::sentidoDe(palabra.toStdString())), sentido);
  }
};

QTEST_APPLESS_MAIN(LineaOrdenesTest)
#include "LineaOrdenesTest.moc"
