// The INI writer: which line it adds or replaces, and that every other byte stays.

#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ui/ArchivoIni.h"

namespace {

std::string leer(const std::string& ruta) {
  std::ifstream in(ruta, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void escribir(const std::string& ruta, const std::string& bytes) {
  std::ofstream out(ruta, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::vector<std::string> entradas(const std::string& carpeta) {
  std::vector<std::string> out;
  for (const auto& e : std::filesystem::directory_iterator(carpeta))
    out.push_back(e.path().filename().string());
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace

class ArchivoIniTest : public QObject {
  Q_OBJECT

 private slots:
  void conValor_data() {
    QTest::addColumn<QByteArray>("antes");
    QTest::addColumn<QByteArray>("despues");

    QTest::newRow("empty file") << QByteArray("")
                                << QByteArray("[Transformadores]\r\nTransformado=1\r\n");
    QTest::newRow("other section kept, new one after it")
        << QByteArray("[Otra]\r\nA=1\r\n")
        << QByteArray("[Otra]\r\nA=1\r\n[Transformadores]\r\nTransformado=1\r\n");
    QTest::newRow("no line break at the end")
        << QByteArray("[Otra]\r\nA=1")
        << QByteArray("[Otra]\r\nA=1\r\n[Transformadores]\r\nTransformado=1\r\n");
    QTest::newRow("file with LF line ends")
        << QByteArray("[Otra]\nA=1\n")
        << QByteArray("[Otra]\nA=1\n[Transformadores]\nTransformado=1\n");
    QTest::newRow("value replaced, next key kept")
        << QByteArray("[Transformadores]\r\nTransformado=0\r\nOtro=5\r\n")
        << QByteArray("[Transformadores]\r\nTransformado=1\r\nOtro=5\r\n");
    QTest::newRow("section and key in other case")
        << QByteArray("[TRANSFORMADORES]\r\ntransformado = 0\r\n")
        << QByteArray("[TRANSFORMADORES]\r\nTransformado=1\r\n");
    QTest::newRow("blanks around the section name")
        << QByteArray("  [ transformadores ]  \r\nTransformado=0\r\n")
        << QByteArray("  [ transformadores ]  \r\nTransformado=1\r\n");
    QTest::newRow("key added at the end of its section")
        << QByteArray("[Transformadores]\r\nOtro=5\r\n\r\n[Siguiente]\r\nX=1\r\n")
        << QByteArray(
               "[Transformadores]\r\nOtro=5\r\nTransformado=1\r\n\r\n[Siguiente]\r\nX=1\r\n");
    QTest::newRow("key added to an empty last section")
        << QByteArray("[Otra]\r\nA=1\r\n[Transformadores]\r\n")
        << QByteArray("[Otra]\r\nA=1\r\n[Transformadores]\r\nTransformado=1\r\n");
    QTest::newRow("key added after a last line without line break")
        << QByteArray("[Transformadores]\r\nOtro=5")
        << QByteArray("[Transformadores]\r\nOtro=5\r\nTransformado=1");
    QTest::newRow("same key of another section untouched")
        << QByteArray("[Otra]\r\nTransformado=9\r\n[Transformadores]\r\nTransformado=0\r\n")
        << QByteArray("[Otra]\r\nTransformado=9\r\n[Transformadores]\r\nTransformado=1\r\n");
    QTest::newRow("key before any section is not the section's")
        << QByteArray("Transformado=0\r\n[Otra]\r\n")
        << QByteArray("Transformado=0\r\n[Otra]\r\n[Transformadores]\r\nTransformado=1\r\n");
    QTest::newRow("commented key and longer key are other keys")
        << QByteArray("[Transformadores]\r\n;Transformado=0\r\nTransformadoX=3\r\n")
        << QByteArray(
               "[Transformadores]\r\n;Transformado=0\r\nTransformadoX=3\r\nTransformado=1\r\n");
    QTest::newRow("first of two equal sections")
        << QByteArray("[Transformadores]\r\nA=1\r\n[Transformadores]\r\nTransformado=0\r\n")
        << QByteArray(
               "[Transformadores]\r\nA=1\r\nTransformado=1\r\n[Transformadores]\r\nTransformado="
               "0\r\n");
    QTest::newRow("byte-order mark and other bytes kept")
        << QByteArray(
               "\xEF\xBB\xBF[Otra]\r\nNombre=Gu\xE0rdia \xC3\xA0  "
               "\r\n[Transformadores]\r\nTransformado=0\r\n")
        << QByteArray(
               "\xEF\xBB\xBF[Otra]\r\nNombre=Gu\xE0rdia \xC3\xA0  "
               "\r\n[Transformadores]\r\nTransformado=1\r\n");
    QTest::newRow("byte-order mark before the section header")
        << QByteArray("\xEF\xBB\xBF[Transformadores]\nTransformado=0\n")
        << QByteArray("\xEF\xBB\xBF[Transformadores]\nTransformado=1\n");
  }

  void conValor() {
    QFETCH(QByteArray, antes);
    QFETCH(QByteArray, despues);
    const std::string out =
        ui::conValor(antes.toStdString(), "Transformadores", "Transformado", "1");
    QCOMPARE(QByteArray::fromStdString(out), despues);
  }

  void fileIsCreatedOrRewrittenInPlace() {
    QTemporaryDir dir;
    const std::string ruta = dir.filePath("Zorvex.ini").toStdString();
    QVERIFY(ui::escribirValor(ruta, "Transformadores", "Transformado", "0"));
    QCOMPARE(QByteArray::fromStdString(leer(ruta)),
             QByteArray("[Transformadores]\r\nTransformado=0\r\n"));

    const std::string otros =
        "; "
        "ajustes\r\n[Zorvex]\r\nIdioma=ca\r\n\r\n[Transformadores]\r\nTransformado=0\r\nUltimo="
        "x\r\n";
    escribir(ruta, otros);
    QVERIFY(ui::escribirValor(ruta, "Transformadores", "Transformado", "1"));
    std::string esperado = otros;
    esperado.replace(esperado.find("Transformado=0"), 14, "Transformado=1");
    QCOMPARE(QByteArray::fromStdString(leer(ruta)), QByteArray::fromStdString(esperado));
    QCOMPARE(entradas(dir.path().toStdString()), std::vector<std::string>{"Zorvex.ini"});
  }

  void aLinkIsFollowed() {
    QTemporaryDir dir;
    const std::string real = dir.filePath("real.ini").toStdString();
    const std::string enlace = dir.filePath("Zorvex.ini").toStdString();
    escribir(real, "[A]\nB=1\n");
    std::filesystem::create_symlink("real.ini", enlace);
    QVERIFY(ui::escribirValor(enlace, "Transformadores", "Transformado", "1"));
    QVERIFY(std::filesystem::is_symlink(enlace));
    QCOMPARE(QByteArray::fromStdString(leer(real)),
             QByteArray("[A]\nB=1\n[Transformadores]\nTransformado=1\n"));
  }

  void unwritableFileIsReported_data() {
    QTest::addColumn<QString>("caso");
    QTest::newRow("the path is a folder") << "carpeta";
    QTest::newRow("the folder does not exist") << "sin carpeta";
  }

  void unwritableFileIsReported() {
    QFETCH(QString, caso);
    QTemporaryDir dir;
    std::string ruta;
    if (caso == "carpeta") {
      ruta = dir.filePath("Zorvex.ini").toStdString();
      std::filesystem::create_directory(ruta);
    } else {
      ruta = dir.filePath("no/existe/Zorvex.ini").toStdString();
    }
    const auto antes = entradas(dir.path().toStdString());
    QVERIFY(!ui::escribirValor(ruta, "Transformadores", "Transformado", "1"));
    QCOMPARE(entradas(dir.path().toStdString()), antes);
  }
};

QTEST_APPLESS_MAIN(ArchivoIniTest)
#include "ArchivoIniTest.moc"
