// Offscreen rendering draws every glyph as the same box when no font is
// installed, without any error: this test fails instead.
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace {
QImage dibujo(const QString& texto, const QFont& fuente)
{
    QImage img(40, 40, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setFont(fuente);
    p.setPen(Qt::black);
    p.drawText(img.rect(), Qt::AlignCenter, texto);
    return img;
}

bool hayTinta(const QImage& img)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}
} // namespace

class TstFuentes : public QObject {
    Q_OBJECT
private slots:
    void textoSeDibuja_data();
    void textoSeDibuja();
};

void TstFuentes::textoSeDibuja_data()
{
    QTest::addColumn<QString>("familia");
    QTest::newRow("application font") << QString();
    QTest::newRow("Liberation Sans (reports)") << "Liberation Sans";
}

void TstFuentes::textoSeDibuja()
{
    QFETCH(QString, familia);
    QFont fuente = QApplication::font();
    if (!familia.isEmpty())
        fuente = QFont(familia);
    fuente.setPixelSize(24);
    const QFontMetrics fm(fuente);
    for (const QString& c : {QStringLiteral("ñ"), QStringLiteral("€"), QStringLiteral("Á"), QStringLiteral("n")})
        QVERIFY2(fm.inFontUcs4(c.toUcs4().first()), qPrintable(c));
    // An unassigned code point is drawn as the missing-glyph box.
    const QImage caja = dibujo(QString(QChar(0x0378)), fuente);
    const QImage enye = dibujo(QStringLiteral("ñ"), fuente);
    const QImage ene = dibujo(QStringLiteral("n"), fuente);
    const QImage euro = dibujo(QStringLiteral("€"), fuente);
    QVERIFY(hayTinta(enye) && hayTinta(euro));
    QVERIFY(enye != caja);
    QVERIFY(euro != caja);
    QVERIFY(enye != ene);
    QVERIFY(enye != euro);
    if (!familia.isEmpty())
        QCOMPARE(QFontInfo(fuente).family(), familia);
}

QTEST_MAIN(TstFuentes)
#include "tst_fuentes.moc"
