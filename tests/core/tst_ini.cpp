#include "Soporte.h"
#include "core/Errores.h"
#include "core/Ini.h"

#include <QFile>
#include <QTest>

namespace {
void escribe(const QString& ruta, const QByteArray& texto)
{
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(texto);
}
QByteArray lee(const QString& ruta)
{
    QFile f(ruta);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
} // namespace

class TstIni : public QObject {
    Q_OBJECT
private slots:
    void rutaDelPrograma();
    void defectosSinArchivo();
    void lecturas_data();
    void lecturas();
    void escrituraInmediataYNombresSinMayusculas();
    void formasEscritas();
    void carpetaDeSoloLectura();
    void archivoIlegibleNoSeSobrescribe();
    void utf8YLatin1();
};

void TstIni::rutaDelPrograma()
{
    CarpetaPrograma carpeta;
    QCOMPARE(rutaIniPrograma(), carpeta.archivo(QStringLiteral("provenda.INI")));
}

void TstIni::defectosSinArchivo()
{
    CarpetaPrograma carpeta;
    QVERIFY(leBoolINI(ini::Aplicacion, ini::Flat, ini::DefFlat));
    QCOMPARE(leEntINI(ini::Red, ini::Servidor, ini::DefServidor), 1000);
    QCOMPARE(leCadINI(ini::Aplicacion, ini::CerradaBien, ini::DefCerradaBien), QStringLiteral("No"));
    QCOMPARE(leFloatINI(ini::Aplicacion, ini::PIva, ini::DefPIvaConfiguracion), 7.0);
    QCOMPARE(leFechaINI(ini::Aplicacion, ini::UltimoAcceso, QDate(2004, 3, 7)), QDate(2004, 3, 7));
    QVERIFY(!QFile::exists(rutaIniPrograma())); // reading creates nothing
}

void TstIni::lecturas_data()
{
    QTest::addColumn<QByteArray>("contenido");
    QTest::addColumn<QString>("seccion");
    QTest::addColumn<QString>("clave");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QVariant>("defecto");
    QTest::addColumn<QVariant>("esperado");

    const QByteArray base = "[Aplicacion]\nUltimo Acceso=07/03/04\nEjecuciones=abc\nFlat=0\nProgreso=5\n"
                            "% IVA=16,5\nCerrada bien=1\n\n[Red]\nServidor=5\nRuta Servidor=\\\\SRV\\Datos\\\n";
    QTest::newRow("key in other case") << base << "aplicacion" << "Ultimo acceso" << "fecha"
                                       << QVariant(QDate()) << QVariant(QDate(2004, 3, 7));
    QTest::newRow("letters as integer read the default") << base << "Aplicacion" << "Ejecuciones" << "entero"
                                                         << QVariant(0) << QVariant(0);
    QTest::newRow("bool 0") << base << "Aplicacion" << "Flat" << "bool" << QVariant(true) << QVariant(false);
    QTest::newRow("bool any non-zero") << base << "Aplicacion" << "Progreso" << "bool" << QVariant(false)
                                       << QVariant(true);
    QTest::newRow("bool not a number") << base << "Aplicacion" << "Ejecuciones" << "bool" << QVariant(true)
                                       << QVariant(true);
    QTest::newRow("float comma") << base << "Aplicacion" << "% iva" << "real" << QVariant(7.0) << QVariant(16.5);
    QTest::newRow("float missing") << base << "Aplicacion" << "% Retencion" << "real" << QVariant(2.0)
                                   << QVariant(2.0);
    QTest::newRow("bool read as text") << base << "Aplicacion" << "Cerrada bien" << "cadena" << QVariant("No")
                                       << QVariant("1");
    QTest::newRow("5 under Servidor is just 5") << base << "RED" << "SERVIDOR" << "entero" << QVariant(1000)
                                                << QVariant(5);
    QTest::newRow("text with backslashes") << base << "Red" << "Ruta Servidor" << "cadena" << QVariant("")
                                           << QVariant("\\\\SRV\\Datos\\");
    QTest::newRow("missing section") << base << "Usuario" << "Codigo" << "cadena" << QVariant("")
                                     << QVariant("");
    QTest::newRow("bad date") << QByteArray("[A]\nF=31/02/04\n") << "A" << "F" << "fecha"
                              << QVariant(QDate(2000, 1, 1)) << QVariant(QDate(2000, 1, 1));
    QTest::newRow("CRLF, blanks and comments") << QByteArray("; comentario\r\n[ A ]\r\n  K = 12 \r\n") << "a"
                                               << "k" << "entero" << QVariant(0) << QVariant(12);
    QTest::newRow("first duplicate wins") << QByteArray("[A]\nK=1\nk=2\n") << "A" << "K" << "entero"
                                          << QVariant(0) << QVariant(1);
}

void TstIni::lecturas()
{
    QFETCH(QByteArray, contenido);
    QFETCH(QString, seccion);
    QFETCH(QString, clave);
    QFETCH(QString, tipo);
    QFETCH(QVariant, defecto);
    QFETCH(QVariant, esperado);
    CarpetaPrograma carpeta;
    escribe(rutaIniPrograma(), contenido);
    if (tipo == QLatin1String("fecha"))
        QCOMPARE(leFechaINI(seccion, clave, defecto.toDate()), esperado.toDate());
    else if (tipo == QLatin1String("entero"))
        QCOMPARE(leEntINI(seccion, clave, defecto.toInt()), esperado.toInt());
    else if (tipo == QLatin1String("bool"))
        QCOMPARE(leBoolINI(seccion, clave, defecto.toBool()), esperado.toBool());
    else if (tipo == QLatin1String("real"))
        QCOMPARE(leFloatINI(seccion, clave, defecto.toDouble()), esperado.toDouble());
    else
        QCOMPARE(leCadINI(seccion, clave, defecto.toString()), esperado.toString());
}

void TstIni::escrituraInmediataYNombresSinMayusculas()
{
    CarpetaPrograma carpeta;
    escribe(rutaIniPrograma(), "[Aplicacion]\nUltimo Acceso=01/01/04\nOtra=x\n");
    esFechaINI(QStringLiteral("APLICACION"), ini::UltimoAcceso, QDate(2004, 3, 7));
    esBoolINI(ini::Aplicacion, ini::CerradaBien, true);
    esEntINI(ini::Red, ini::Servidor, 1);
    // Each write is on disk at once; the spelling already in the file is kept.
    QCOMPARE(lee(rutaIniPrograma()),
             QByteArray("[Aplicacion]\nUltimo Acceso=07/03/04\nOtra=x\nCerrada bien=1\n\n[Red]\nServidor=1\n"));
}

void TstIni::formasEscritas()
{
    CarpetaPrograma carpeta;
    esFloatINI(ini::Aplicacion, ini::PRetencion, 2.5);
    esCadINI(ini::Usuario, ini::Codigo, QStringLiteral("José\nPérez"));
    esBoolINI(ini::Aplicacion, ini::Flat, false);
    ArchivoIni a(rutaIniPrograma());
    QCOMPARE(a.leeCadena(ini::Aplicacion, ini::PRetencion, {}), QStringLiteral("2,5"));
    QCOMPARE(a.leeCadena(ini::Aplicacion, ini::Flat, {}), QStringLiteral("0"));
    // A line break cannot break the file.
    QCOMPARE(a.leeCadena(ini::Usuario, ini::Codigo, {}), QStringLiteral("José Pérez"));
    QCOMPARE(leFloatINI(ini::Aplicacion, ini::PRetencion, 0), 2.5);
}

void TstIni::carpetaDeSoloLectura()
{
    ArchivoIni a(QStringLiteral("/nonexistent-folder/provenda.INI"));
    a.escribeEntero(ini::Red, ini::Servidor, 1);
    QVERIFY_THROWS_EXCEPTION(EInOutError, a.guardar());
    QCOMPARE(a.leeEntero(ini::Red, ini::Servidor, 0), 1);
}

void TstIni::archivoIlegibleNoSeSobrescribe()
{
    CarpetaPrograma carpeta;
    escribe(rutaIniPrograma(), "[A]\nK=1\n");
    QFile::setPermissions(rutaIniPrograma(), QFileDevice::Permissions());
    if (QFile(rutaIniPrograma()).open(QIODevice::ReadOnly))
        QSKIP("running as a user who reads any file");
    QCOMPARE(leEntINI(QStringLiteral("A"), QStringLiteral("K"), 7), 7);
    QVERIFY_THROWS_EXCEPTION(EInOutError, esEntINI(QStringLiteral("A"), QStringLiteral("J"), 2));
    QFile::setPermissions(rutaIniPrograma(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(lee(rutaIniPrograma()), QByteArray("[A]\nK=1\n"));
}

void TstIni::utf8YLatin1()
{
    CarpetaPrograma carpeta;
    escribe(rutaIniPrograma(), "[Tabla Comerciales]\nLabelOrdenar=C\xC3\xB3" "digo\n");
    QCOMPARE(leCadINI(QStringLiteral("Tabla Comerciales"), ini::LabelOrdenar, {}), QStringLiteral("Código"));
    escribe(rutaIniPrograma(), "[Tabla Comerciales]\nLabelOrdenar=C\xF3" "digo\n");
    QCOMPARE(leCadINI(QStringLiteral("Tabla Comerciales"), ini::LabelOrdenar, {}), QStringLiteral("Código"));
}

QTEST_GUILESS_MAIN(TstIni)
#include "tst_ini.moc"
