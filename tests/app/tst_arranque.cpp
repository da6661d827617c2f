#include "Soporte.h"
#include "app/Arranque.h"
#include "app/CErrores.h"
#include "app/UnidadMenuPrincipal.h"
#include "core/EstadoAplicacion.h"
#include "core/Ini.h"
#include "ui/UnidadI.h"

#include <QTimer>

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
    void loginCancelado();
    void sesionCompleta();
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

void TstArranque::loginCancelado()
{
    CarpetaPrograma c;
    GrabadorMensajes mensajes;
    reiniciarEstado();
    bool principalVisible = false, formIOculta = false;
    arranque::ejecutarLogin = [&] {
        // The frame is up, maximized, behind the login; the progress window exists, hidden.
        principalVisible = TFormMenuPrincipal::instancia() && TFormMenuPrincipal::instancia()->isVisible();
        formIOculta = FormI() && !FormI()->isVisible();
        esEntINI(ini::Aplicacion, ini::Ejecuciones, 1); // what the login's creation writes
        return false;
    };
    QCOMPARE(arranque::ejecutar(*static_cast<TAplicacion*>(qApp)), 0);
    arranque::ejecutarLogin = nullptr;
    QVERIFY(principalVisible);
    QVERIFY(formIOculta);
    QVERIFY(!TFormMenuPrincipal::instancia()); // gone, without its close question
    QVERIFY(mensajes.mensajes.isEmpty());
    QCOMPARE(lee(rutaIniPrograma()), QStringLiteral("[Aplicacion]\nEjecuciones=1\n"));
    QVERIFY(QDir(c.archivo("TEMP")).exists() && QDir(c.archivo("NET")).exists());
    QCOMPARE(Estado().NombreAplicacion, QStringLiteral("Torbelin Provenda"));
    QCOMPARE(Estado().VersionAplicacion, QStringLiteral("1.0.4.1230 (07-03-2004)"));
    QVERIFY(!QApplication::overrideCursor());
    TExceptionLog::destruir();
}

void TstArranque::sesionCompleta()
{
    CarpetaPrograma c;
    GrabadorMensajes mensajes;
    reiniciarEstado();
    arranque::ejecutarLogin = [] {
        Estado().TipoUsuario = QStringLiteral("Administrador");
        // Once the event loop runs, the user closes the main window.
        QTimer::singleShot(0, [] { TFormMenuPrincipal::instancia()->close(); });
        return true;
    };
    QCOMPARE(arranque::ejecutar(*static_cast<TAplicacion*>(qApp)), 0);
    arranque::ejecutarLogin = nullptr;
    QCOMPARE(mensajes.resumen(), QStringList{mensaje(TipoMensaje::Si, "Cerrar aplicación...",
                                                     "¿Está seguro que desea cerrar la aplicación?")});
    const ArchivoIni a(rutaIniPrograma());
    QCOMPARE(a.leeFecha(ini::Aplicacion, ini::UltimoAcceso, {}), QDate::currentDate());
    QCOMPARE(a.leeCadena(ini::Aplicacion, ini::CerradaBien, {}), QStringLiteral("1"));
    QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("Torbelin Provenda"));
    QVERIFY(!TExceptionLog::instancia());
}

int main(int argc, char** argv)
{
    TAplicacion aplicacion(argc, argv);
    TstArranque t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_arranque.moc"
