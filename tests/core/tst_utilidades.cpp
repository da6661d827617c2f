#include "core/Errores.h"
#include "core/Utilidades.h"

#include <QTest>

class TstUtilidades : public QObject {
    Q_OBJECT
private slots:
    void letraNif_data();
    void letraNif();
    void mes_data();
    void mes();
    void fecha();
};

void TstUtilidades::letraNif_data()
{
    QTest::addColumn<QString>("numero");
    QTest::addColumn<QChar>("letra");
    QTest::newRow("12345678") << "12345678" << QChar('Z');
    QTest::newRow("0") << "0" << QChar('T');
    QTest::newRow("6") << "6" << QChar('Y');
    QTest::newRow("23") << "23" << QChar('T');
    QTest::newRow("22") << "22" << QChar('E');
    QTest::newRow("leading zeros") << "00000023" << QChar('T');
    QTest::newRow("int max") << "2147483647" << QChar("TRWAGMYFPDXBNJZSQVHLCKE"[2147483647 % 23]);
    QTest::newRow("empty") << "" << QChar(' ');
    QTest::newRow("12A") << "12A" << QChar(' ');
    QTest::newRow("blanks") << "   " << QChar(' ');
    QTest::newRow("inner blank") << "12 34" << QChar(' ');
    QTest::newRow("out of range") << "2147483648" << QChar(' ');
    QTest::newRow("negative") << "-5" << QChar(' ');
}

void TstUtilidades::letraNif()
{
    QFETCH(QString, numero);
    QFETCH(QChar, letra);
    QCOMPARE(LetraNif(numero), letra);
}

void TstUtilidades::mes_data()
{
    QTest::addColumn<int>("mes");
    QTest::addColumn<QString>("nombre");
    QTest::newRow("1") << 1 << "Enero";
    QTest::newRow("9") << 9 << "Septiembre";
    QTest::newRow("12") << 12 << "Diciembre";
    QTest::newRow("0") << 0 << "";
    QTest::newRow("13") << 13 << "";
    QTest::newRow("-1") << -1 << "";
}

void TstUtilidades::mes()
{
    QFETCH(int, mes);
    QFETCH(QString, nombre);
    QCOMPARE(Mes(mes), nombre);
}

void TstUtilidades::fecha()
{
    QCOMPARE(Fecha(29, 2, 2004), QDate(2004, 2, 29));
    try {
        Fecha(29, 2, 2003);
        QFAIL("no error for 29/2/2003");
    } catch (const EConvertError& e) {
        QCOMPARE(e.clase(), QStringLiteral("EConvertError"));
        QCOMPARE(e.mensaje(), QStringLiteral("29/2/2003 no es una fecha válida."));
    }
}

QTEST_GUILESS_MAIN(TstUtilidades)
#include "tst_utilidades.moc"
