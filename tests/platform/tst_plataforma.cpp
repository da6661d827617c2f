#include "Soporte.h"
#include "platform/Plataforma.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TstPlataforma : public QObject {
    Q_OBJECT
private slots:
    void carpetaDelPrograma();
    void instanciaUnica();
    void rutaDeRed_data();
    void rutaDeRed();
    void inicioAutomatico();
};

void TstPlataforma::carpetaDelPrograma()
{
    CarpetaPrograma carpeta;
    QCOMPARE(plataforma::carpetaPrograma(), carpeta.ruta());
    QCOMPARE(plataforma::rutaConExtension(QStringLiteral(".LOG")), carpeta.ruta() + QStringLiteral("provenda.LOG"));
    // A PROVENDA_HOME that does not exist yet is created.
    const QString nueva = carpeta.ruta() + QStringLiteral("otra/sub");
    qputenv("PROVENDA_HOME", QFile::encodeName(nueva));
    QCOMPARE(plataforma::carpetaPrograma(), nueva + QLatin1Char('/'));
    QVERIFY(QDir(nueva).exists());
}

void TstPlataforma::instanciaUnica()
{
    CarpetaPrograma carpeta;
    auto primera = std::make_unique<plataforma::InstanciaUnica>(QStringLiteral("Torbelin Provenda"));
    QVERIFY(primera->adquirir());
    QVERIFY(primera->adquirir()); // asking again keeps it
    plataforma::InstanciaUnica segunda(QStringLiteral("Torbelin Provenda"));
    QVERIFY(!segunda.adquirir());
    plataforma::InstanciaUnica otroTitulo(QStringLiteral("Otra"));
    QVERIFY(otroTitulo.adquirir());
    primera.reset();
    QVERIFY(segunda.adquirir());
}

void TstPlataforma::rutaDeRed_data()
{
    QTest::addColumn<QString>("ruta");
    QTest::addColumn<bool>("red");
    QTest::newRow("UNC") << "\\\\SERVIDOR\\Datos" << true;
    QTest::newRow("three backslashes") << "\\\\\\SERVIDOR" << false;
    QTest::newRow("drive") << "C:\\Datos" << false;
    QTest::newRow("local folder") << QDir::tempPath() << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("missing") << "/nonexistent/x" << false;
}

void TstPlataforma::rutaDeRed()
{
    QFETCH(QString, ruta);
    QFETCH(bool, red);
    QCOMPARE(plataforma::esRutaDeRed(ruta), red);
}

void TstPlataforma::inicioAutomatico()
{
    CarpetaPrograma carpeta; // XDG_CONFIG_HOME is inside it
    const QString archivo = carpeta.ruta() + QStringLiteral("xdg/autostart/provenda-runonce.desktop");
    QVERIFY(!plataforma::inicioAutomatico(QStringLiteral("RunOnce")));
    QVERIFY(plataforma::ponerInicioAutomatico(QStringLiteral("RunOnce"), true));
    QVERIFY(plataforma::inicioAutomatico(QStringLiteral("RunOnce")));
    QFile f(archivo);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray texto = f.readAll();
    QVERIFY(texto.startsWith("[Desktop Entry]\n"));
    QVERIFY2(texto.contains("rm -f"), texto.constData()); // removes itself when it runs
    QVERIFY(!plataforma::inicioAutomatico(QStringLiteral("Run")));
    QVERIFY(plataforma::ponerInicioAutomatico(QStringLiteral("RunOnce"), false));
    QVERIFY(!QFile::exists(archivo));
    QVERIFY(!plataforma::ponerInicioAutomatico(QStringLiteral("Otro"), true));
}

QTEST_GUILESS_MAIN(TstPlataforma)
#include "tst_plataforma.moc"
