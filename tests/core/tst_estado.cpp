#include "Soporte.h"
#include "core/EstadoAplicacion.h"

#include <QTest>

class TstEstado : public QObject {
    Q_OBJECT
private slots:
    void valoresIniciales();
    void carpetas_data();
    void carpetas();
};

void TstEstado::valoresIniciales()
{
    Estado().CodigoEmpresa = 7;
    Estado().NombreEmpresa = QStringLiteral("Ventas Norte");
    Estado().MostrarProgreso = true;
    reiniciarEstado();
    const EstadoAplicacion& e = Estado();
    QCOMPARE(e.CodigoEmpresa, 0);
    QCOMPARE(e.Servidor, 0);
    QVERIFY(e.NombreEmpresa.isEmpty() && e.TipoUsuario.isEmpty() && e.Modo.isEmpty());
    QCOMPARE(e.CambioEmpresa, 0.0);
    QVERIFY(!e.FechaTrabajo.isValid());
    QVERIFY(!e.MostrarProgreso && !e.BotonesPlanos && !e.VentanasMaximizadas && !e.MostrarBarraBotones
            && !e.MostrarBarraEstado && !e.MostrarBotonesVentanas);
}

void TstEstado::carpetas_data()
{
    QTest::addColumn<int>("servidor");
    QTest::addColumn<QString>("rutaServidor");
    QTest::addColumn<QString>("base"); // "@" is the program folder
    QTest::newRow("own folder") << 1 << "\\\\SRV\\Datos\\" << "@";
    QTest::newRow("UNC with backslash") << 0 << "\\\\SRV\\Datos\\" << "//SRV/Datos/";
    QTest::newRow("mount without separator") << 0 << "/mnt/datos" << "/mnt/datos/";
    QTest::newRow("mount with backslash") << 0 << "/mnt/datos\\" << "/mnt/datos/";
    QTest::newRow("empty is relative") << 0 << "" << "";
}

void TstEstado::carpetas()
{
    QFETCH(int, servidor);
    QFETCH(QString, rutaServidor);
    QFETCH(QString, base);
    CarpetaPrograma carpeta;
    reiniciarEstado();
    Estado().Servidor = servidor;
    Estado().RutaServidor = rutaServidor;
    if (base == QLatin1String("@"))
        base = carpeta.ruta();
    QCOMPARE(carpetaBase(), base);
    QCOMPARE(carpetaEmpresa(7), base + QStringLiteral("Emp7"));
}

QTEST_GUILESS_MAIN(TstEstado)
#include "tst_estado.moc"
