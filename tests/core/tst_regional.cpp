#include "core/Regional.h"

#include <QTest>

class TstRegional : public QObject {
    Q_OBJECT
private slots:
    void leeFecha_data();
    void leeFecha();
    void fechaCorta();
    void leeReal_data();
    void leeReal();
    void real_data();
    void real();
    void horas();
};

void TstRegional::leeFecha_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QDate>("esperada"); // invalid: not a date

    QTest::newRow("dd/MM/yy") << "07/03/04" << QDate(2004, 3, 7);
    QTest::newRow("d/M/yy") << "7/3/04" << QDate(2004, 3, 7);
    QTest::newRow("yyyy") << "07/03/2004" << QDate(2004, 3, 7);
    QTest::newRow("49 is 2049") << "31/12/49" << QDate(2049, 12, 31);
    QTest::newRow("50 is 1950") << "01/01/50" << QDate(1950, 1, 1);
    QTest::newRow("24 is 2024, not 1924") << "29/02/24" << QDate(2024, 2, 29);
    QTest::newRow("00") << "01/01/00" << QDate(2000, 1, 1);
    QTest::newRow("blanks around") << " 1/2/2003 " << QDate(2003, 2, 1);
    QTest::newRow("dashes") << "1-2-03" << QDate(2003, 2, 1);
    QTest::newRow("29 Feb of a common year") << "29/02/23" << QDate();
    QTest::newRow("month 13") << "01/13/04" << QDate();
    QTest::newRow("empty") << "" << QDate();
    QTest::newRow("empty mask") << "  /  /  " << QDate();
    QTest::newRow("three-digit year") << "01/01/204" << QDate();
    QTest::newRow("with time") << "01/01/2004 10:00:00" << QDate();
    QTest::newRow("letters") << "hoy" << QDate();
}

void TstRegional::leeFecha()
{
    QFETCH(QString, texto);
    QFETCH(QDate, esperada);
    const auto f = regional::leeFecha(texto);
    QCOMPARE(f.has_value(), esperada.isValid());
    if (f)
        QCOMPARE(*f, esperada);
}

void TstRegional::fechaCorta()
{
    QCOMPARE(regional::fechaCorta(QDate(2004, 3, 7)), QStringLiteral("07/03/04"));
    QCOMPARE(regional::fechaCorta(QDate()), QString());
    QCOMPARE(regional::fechaHora(QDateTime(QDate(2004, 3, 7), QTime(10, 15, 2))),
             QStringLiteral("07/03/2004 10:15:02"));
    // What is written reads back.
    QCOMPARE(*regional::leeFecha(regional::fechaCorta(QDate(1999, 12, 31))), QDate(1999, 12, 31));
}

void TstRegional::leeReal_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("valido");
    QTest::addColumn<double>("valor");

    QTest::newRow("integer") << "7" << true << 7.0;
    QTest::newRow("comma") << "2,5" << true << 2.5;
    QTest::newRow("grouped") << "1.234,50" << true << 1234.5;
    QTest::newRow("grouped twice") << "1.234.567,5" << true << 1234567.5;
    QTest::newRow("grouped no decimals") << "1.234.567" << true << 1234567.0;
    QTest::newRow("single dot is decimal") << "166.386" << true << 166.386;
    QTest::newRow("negative") << "-0,5" << true << -0.5;
    QTest::newRow("plus and blanks") << " +12,25 " << true << 12.25;
    QTest::newRow("leading comma") << ",5" << true << 0.5;
    QTest::newRow("exponent") << "1,5E3" << true << 1500.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("two commas") << "1,2,3" << false << 0.0;
    QTest::newRow("bad grouping") << "1.23,5" << false << 0.0;
    QTest::newRow("lone comma") << "," << false << 0.0;
    QTest::newRow("lone dot") << "." << false << 0.0;
    QTest::newRow("trailing letters") << "12x" << false << 0.0;
}

void TstRegional::leeReal()
{
    QFETCH(QString, texto);
    QFETCH(bool, valido);
    QFETCH(double, valor);
    const auto r = regional::leeReal(texto);
    QCOMPARE(r.has_value(), valido);
    if (r)
        QCOMPARE(*r, valor);
}

void TstRegional::real_data()
{
    QTest::addColumn<double>("valor");
    QTest::addColumn<QString>("texto");
    QTest::newRow("integer") << 7.0 << "7";
    QTest::newRow("fraction") << 2.5 << "2,5";
    QTest::newRow("rate") << 166.386 << "166,386";
    QTest::newRow("negative") << -14.25 << "-14,25";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("no grouping") << 1234567.5 << "1234567,5";
}

void TstRegional::real()
{
    QFETCH(double, valor);
    QFETCH(QString, texto);
    QCOMPARE(regional::real(valor), texto);
    QCOMPARE(*regional::leeReal(texto), valor);
}

void TstRegional::horas()
{
    QCOMPARE(regional::hora(QTime(9, 5, 3)), QStringLiteral("09:05:03"));
    QCOMPARE(*regional::leeHora(QStringLiteral("9:05")), QTime(9, 5));
    QVERIFY(!regional::leeHora(QStringLiteral("25:00")));
    QCOMPARE(*regional::leeFechaHora(QStringLiteral("07/03/2004 10:15:02")),
             QDateTime(QDate(2004, 3, 7), QTime(10, 15, 2)));
    // A date alone (as "Ultimo acceso" is written) reads as midnight.
    QCOMPARE(*regional::leeFechaHora(QStringLiteral("07/03/04")), QDateTime(QDate(2004, 3, 7), QTime(0, 0)));
    QVERIFY(!regional::leeFechaHora(QStringLiteral("07/03/04 xx")));
}

QTEST_GUILESS_MAIN(TstRegional)
#include "tst_regional.moc"
