#include "data/Claves.h"

#include <QTest>

class TestClaves : public QObject {
    Q_OBJECT
private slots:
    void hashYVerifica();
    void sinClave();
    void textoEnClaroNoVale();
};

void TestClaves::hashYVerifica()
{
    const QString h = claves::hash(QStringLiteral("Señor\"1'"));
    QVERIFY(h.startsWith("$argon2id$"));
    QVERIFY(!h.contains(QStringLiteral("Señor")));
    QVERIFY(h.size() <= 128);
    QVERIFY(claves::tieneClave(h));
    QVERIFY(claves::verifica(h, QStringLiteral("Señor\"1'")));
    QVERIFY(!claves::verifica(h, QStringLiteral("señor\"1'")));
    QVERIFY(!claves::verifica(h, QString()));
    QVERIFY(claves::hash(QStringLiteral("a")) != claves::hash(QStringLiteral("a"))); // salted
}

void TestClaves::sinClave()
{
    QCOMPARE(claves::hash(QString()), QString());
    QVERIFY(!claves::tieneClave(QVariant()));
    QVERIFY(!claves::tieneClave(QString()));
    // As the login: no password accepts whatever is typed.
    QVERIFY(claves::verifica(QVariant(), QString()));
    QVERIFY(claves::verifica(QString(), QStringLiteral("x")));
}

void TestClaves::textoEnClaroNoVale()
{
    QVERIFY(claves::tieneClave(QStringLiteral("secreto")));
    QVERIFY(!claves::verifica(QStringLiteral("secreto"), QStringLiteral("secreto")));
}

QTEST_GUILESS_MAIN(TestClaves)
#include "tst_claves.moc"
