#include "Soporte.h"
#include "app/Arranque.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

namespace {
void toca(const QString& ruta)
{
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

QProcessEnvironment entorno(const CarpetaPrograma& c, const QString& mensajes)
{
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("PROVENDA_HOME"), c.ruta());
    e.insert(QStringLiteral("PROVENDA_MENSAJES"), mensajes);
    e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return e;
}

QString lee(const QString& ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}
} // namespace

class TstArranque : public QObject {
    Q_OBJECT
private slots:
    void carpetasCreadas();
    void bloqueosViejosBorrados();
    void segundaCopiaRechazada();
};

void TstArranque::carpetasCreadas()
{
    CarpetaPrograma c;
    QVERIFY(!QDir(c.archivo("TEMP")).exists());
    arranque::prepararCarpetas(c.ruta());
    QVERIFY(QDir(c.archivo("TEMP")).exists());
    QVERIFY(QDir(c.archivo("NET")).exists());
    toca(c.archivo("NET/PDOXUSRS.NET"));
    arranque::prepararCarpetas(c.ruta()); // again: nothing lost
    QVERIFY(QFile::exists(c.archivo("NET/PDOXUSRS.NET")));
    // A folder that cannot be made is not an error.
    arranque::prepararCarpetas(QStringLiteral("/nonexistent-folder/x/"));
}

void TstArranque::bloqueosViejosBorrados()
{
    CarpetaPrograma c;
    QVERIFY(QDir().mkpath(c.archivo("TEMP/sub.lck")));
    for (const char* f : {"TEMP/PDOXUSRS.LCK", "TEMP/Comercial.lck", "TEMP/.oculto.lck", "TEMP/datos.db",
                          "TEMP/lck.txt", "TEMP/sub.lck/dentro.lck", "otro.lck"})
        toca(c.archivo(QString::fromLatin1(f)));
    arranque::prepararCarpetas(c.ruta());
    QStringList quedan = QDir(c.archivo("TEMP")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    quedan.sort();
    // "*.lck" matched without case, as on the system the files come from.
    QCOMPARE(quedan, (QStringList{".oculto.lck", "datos.db", "lck.txt", "sub.lck"})); // hidden is not ordinary
    QVERIFY(QFile::exists(c.archivo("TEMP/sub.lck/dentro.lck"))); // only TEMP's own files
    QVERIFY(QFile::exists(c.archivo("otro.lck")));
}

void TstArranque::segundaCopiaRechazada()
{
    CarpetaPrograma c;
    const QString mensajes = c.archivo(QStringLiteral("mensajes.txt"));
    QProcess primera;
    primera.setProcessEnvironment(entorno(c, mensajes));
    primera.start(QStringLiteral(PROVENDA_BIN), {});
    QVERIFY(primera.waitForStarted());
    // The first copy is up once it made its folders.
    QTRY_VERIFY_WITH_TIMEOUT(QDir(c.archivo("NET")).exists(), 20000);
    QTest::qWait(300);
    // A lock file of the running copy's engine.
    toca(c.archivo("TEMP/Comercial.lck"));

    QProcess segunda;
    segunda.setProcessEnvironment(entorno(c, mensajes));
    segunda.start(QStringLiteral(PROVENDA_BIN), {});
    QVERIFY(segunda.waitForFinished(20000));
    QCOMPARE(segunda.exitStatus(), QProcess::NormalExit);
    QCOMPARE(segunda.exitCode(), 0);
    QCOMPARE(lee(mensajes), QStringLiteral("atencion\tAplicación abierta...\tTorbelin Provenda ya está abierta, "
                                           "maximícela desde la barra de tareas de Windows.\n"));
    // The first copy is untouched: still running, its lock file still there.
    QCOMPARE(primera.state(), QProcess::Running);
    QVERIFY(QFile::exists(c.archivo("TEMP/Comercial.lck")));
    QVERIFY(!QFile::exists(c.archivo("provenda.LOG")));

    primera.terminate();
    if (!primera.waitForFinished(10000)) {
        primera.kill();
        primera.waitForFinished();
    }
    // Once it is gone a new copy may start.
    QProcess tercera;
    tercera.setProcessEnvironment(entorno(c, mensajes));
    tercera.start(QStringLiteral(PROVENDA_BIN), {});
    QVERIFY(tercera.waitForStarted());
    QTest::qWait(1500);
    QCOMPARE(tercera.state(), QProcess::Running);
    tercera.kill();
    tercera.waitForFinished();
    QCOMPARE(lee(mensajes).count(QLatin1Char('\n')), 1);
}

QTEST_MAIN(TstArranque)
#include "tst_arranque.moc"
