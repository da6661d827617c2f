#include "data/Formatos.h"

#include <QTest>

using formatos::textoCampo;

class TestFormatos : public QObject {
    Q_OBJECT
private slots:
    void numero_data();
    void numero();
    void pesetas_data();
    void pesetas();
    void booleano();
    void campo_data();
    void campo();
};

void TestFormatos::numero_data()
{
    QTest::addColumn<QString>("formato");
    QTest::addColumn<double>("valor");
    QTest::addColumn<QString>("texto");
    const QString eu = esquema::FormatoEuros;
    const QString un = esquema::FormatoUnidades;
    QTest::newRow("euros cero") << eu << 0.0 << "0";
    QTest::newRow("euros millones") << eu << 1234567.5 << "1.234.567,50";
    QTest::newRow("euros negativo") << eu << -3.2 << "-3,20";
    QTest::newRow("euros menos de mil") << eu << 999.0 << "999,00";
    QTest::newRow("euros mil") << eu << 1000.0 << "1.000,00";
    QTest::newRow("euros fraccion") << eu << 0.5 << "0,50";
    QTest::newRow("euros redondea") << eu << 2.346 << "2,35";
    QTest::newRow("euros casi cero") << eu << 0.004 << "0";
    QTest::newRow("euros casi cero negativo") << eu << -0.004 << "0";
    QTest::newRow("euros grande") << eu << 123456789012.34 << "123.456.789.012,34";
    QTest::newRow("euros negativo grande") << eu << -1234567.891 << "-1.234.567,89";
    QTest::newRow("unidades") << un << 1234567.5 << "1.234.568";
    QTest::newRow("unidades negativo") << un << -1500.0 << "-1.500";
    QTest::newRow("unidades cero") << un << 0.4 << "0";
    QTest::newRow("unidades exactas de miles") << un << 166386.0 << "166.386";
    QTest::newRow("sin negativo propio") << "#,##0.00" << -1234.5 << "-1.234,50";
    QTest::newRow("sin seccion cero") << "#,##0.00" << 0.0 << "0,00";
    QTest::newRow("almohadillas") << "#.##" << 0.5 << ",5";
    QTest::newRow("ceros a la izquierda") << "000" << 7.0 << "007";
    QTest::newRow("literales") << "'Total: '#,##0.00' €'" << 1234.5 << "Total: 1.234,50 €";
    QTest::newRow("sin formato") << "" << 2.5 << "2,5";
}

void TestFormatos::numero()
{
    QFETCH(QString, formato);
    QFETCH(double, valor);
    QFETCH(QString, texto);
    QCOMPARE(formatos::numero(valor, formato), texto);
}

void TestFormatos::pesetas_data()
{
    QTest::addColumn<double>("valor");
    QTest::addColumn<QString>("texto");
    QTest::newRow("miles") << 1234.0 << "1.234 Pts";
    QTest::newRow("negativo") << -50000.0 << "-50.000 Pts";
    QTest::newRow("cero") << 0.0 << "0 Pts";
    QTest::newRow("redondea") << 249999.6 << "250.000 Pts";
}

void TestFormatos::pesetas()
{
    QFETCH(double, valor);
    QFETCH(QString, texto);
    QCOMPARE(formatos::pesetas(valor), texto);
}

void TestFormatos::booleano()
{
    QCOMPARE(formatos::booleano(true), QStringLiteral("Sí"));
    QCOMPARE(formatos::booleano(false), QStringLiteral("No"));
    QCOMPARE(formatos::booleano(false, QStringLiteral("Activo;Inactivo")), QStringLiteral("Inactivo"));
}

void TestFormatos::campo_data()
{
    QTest::addColumn<QString>("tabla");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QVariant>("valor");
    QTest::addColumn<QString>("texto");
    QTest::newRow("fecha") << "Venta" << "Fecha" << QVariant(QDate(2004, 3, 7)) << "07/03/04";
    QTest::newRow("fecha iso") << "Venta" << "FechaInstalacion" << QVariant(QStringLiteral("2004-12-31")) << "31/12/04";
    QTest::newRow("logico si") << "Venta" << "Cobrada" << QVariant(true) << "Sí";
    QTest::newRow("logico no") << "Aparato" << "Plus" << QVariant(0) << "No";
    QTest::newRow("euros") << "Venta" << "ImporteE" << QVariant(1234567.5) << "1.234.567,50";
    QTest::newRow("euros cero") << "Factura" << "TotalFacturaE" << QVariant(0.0) << "0";
    QTest::newRow("pesetas") << "Venta" << "Importe" << QVariant(205425.0) << "205.425 Pts";
    QTest::newRow("nulo") << "Venta" << "ImporteE" << QVariant() << "";
    QTest::newRow("entero") << "Venta" << "Codigo" << QVariant(12) << "12";
    QTest::newRow("numero general") << "Comercial" << "CP" << QVariant(46001.0) << "46001";
    QTest::newRow("texto") << "Comercial" << "Nombre" << QVariant(QStringLiteral("José \"Pepe\" O'Neill")) << "José \"Pepe\" O'Neill";
    QTest::newRow("columna unida") << "TCVenta" << "Comercial" << QVariant(QStringLiteral("Ana")) << "Ana";
    QTest::newRow("busqueda logica") << "TCFactura" << "LIVA" << QVariant(1) << "Sí";
    QTest::newRow("campo desconocido") << "Venta" << "Otro" << QVariant(5) << "5";
}

void TestFormatos::campo()
{
    QFETCH(QString, tabla);
    QFETCH(QString, campo);
    QFETCH(QVariant, valor);
    QFETCH(QString, texto);
    QCOMPARE(textoCampo(tabla, campo, valor), texto);
}

QTEST_GUILESS_MAIN(TestFormatos)
#include "tst_formatos.moc"
