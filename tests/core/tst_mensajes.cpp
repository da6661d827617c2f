#include "Soporte.h"
#include "core/Mensajes.h"

#include <QFile>
#include <QTest>

class TstMensajes : public QObject {
    Q_OBJECT
private slots:
    void archivoGuionado();
    void grabador();
};

void TstMensajes::archivoGuionado()
{
    CarpetaPrograma carpeta;
    const QString archivo = carpeta.archivo(QStringLiteral("mensajes.txt"));
    qputenv("PROVENDA_MENSAJES", QFile::encodeName(archivo));
    QVERIFY(mensajesGuionados());
    msError(QStringLiteral("Se ha producido el siguiente error:\n\nNo hay sitio."), QStringLiteral("Error..."));
    QVERIFY(msSi(QStringLiteral("¿Está seguro que desea cerrar la aplicación?"), QStringLiteral("Cerrar aplicación...")));
    QVERIFY(msOK(QStringLiteral("a\r\nb\rc"), QStringLiteral("X...")));
    msInfo(QStringLiteral("i"), QStringLiteral("I..."));
    msAtencion(QStringLiteral("w"), QStringLiteral("W..."));
    qputenv("PROVENDA_MENSAJES", QByteArray());
    QVERIFY(!mensajesGuionados());
    QFile f(archivo);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(f.readAll()),
             QStringLiteral("error\tError...\tSe ha producido el siguiente error:\\n\\nNo hay sitio.\n"
                            "si\tCerrar aplicación...\t¿Está seguro que desea cerrar la aplicación?\n"
                            "ok\tX...\ta\\nb\\nc\n"
                            "info\tI...\ti\n"
                            "atencion\tW...\tw\n"));
}

void TstMensajes::grabador()
{
    GrabadorMensajes g;
    g.responder({false, true});
    msError(QStringLiteral("e"), QStringLiteral("E..."));      // uses no answer
    QVERIFY(!msSi(QStringLiteral("s"), QStringLiteral("S...")));
    QVERIFY(msOK(QStringLiteral("o"), QStringLiteral("O...")));
    QVERIFY(msOK(QStringLiteral("o"), QStringLiteral("O..."))); // script empty: first button
    QCOMPARE(g.resumen(), (QStringList{mensaje(TipoMensaje::Error, "E...", "e"), "si|S...|s", "ok|O...|o",
                                       "ok|O...|o"}));
    {
        GrabadorMensajes interior; // nests and gives the sink back
        msInfo(QStringLiteral("i"), QStringLiteral("I..."));
        QCOMPARE(interior.mensajes.size(), 1);
    }
    msInfo(QStringLiteral("i"), QStringLiteral("I..."));
    QCOMPARE(g.mensajes.size(), 5);
}

QTEST_GUILESS_MAIN(TstMensajes)
#include "tst_mensajes.moc"
