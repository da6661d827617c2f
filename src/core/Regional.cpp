#include "core/Regional.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace regional {

void inicializar()
{
    // The program is Spanish; formats below are ours, this sets the names of
    // days and months that Qt's own widgets (calendars, date boxes) show.
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
}

QChar separadorDecimal() { return QLatin1Char(','); }
QChar separadorMiles() { return QLatin1Char('.'); }

QDate expandeAnio(int dia, int mes, int anio)
{
    if (anio < 0)
        return QDate();
    if (anio < 100)
        anio += anio < 50 ? 2000 : 1900;
    return QDate(anio, mes, dia); // invalid when impossible
}

QString fechaCorta(const QDate& fecha)
{
    if (!fecha.isValid())
        return QString();
    return fecha.toString(QStringLiteral("dd/MM/yy"));
}

std::optional<QDate> leeFecha(const QString& texto)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*(\\d{1,2})\\s*[/.-]\\s*(\\d{1,2})\\s*[/.-]\\s*(\\d{1,2}|\\d{4})\\s*$"));
    const auto m = re.match(texto);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate f = expandeAnio(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!f.isValid())
        return std::nullopt;
    return f;
}

QString hora(const QTime& h)
{
    if (!h.isValid())
        return QString();
    return h.toString(QStringLiteral("hh:mm:ss"));
}

std::optional<QTime> leeHora(const QString& texto)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*$"));
    const auto m = re.match(texto);
    if (!m.hasMatch())
        return std::nullopt;
    const QTime h(m.captured(1).toInt(), m.captured(2).toInt(),
                  m.captured(3).isEmpty() ? 0 : m.captured(3).toInt());
    if (!h.isValid())
        return std::nullopt;
    return h;
}

QString fechaHora(const QDateTime& fh)
{
    if (!fh.isValid())
        return QString();
    return fh.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
}

std::optional<QDateTime> leeFechaHora(const QString& texto)
{
    const QString t = texto.trimmed();
    const qsizetype espacio = t.indexOf(QLatin1Char(' '));
    if (espacio < 0) {
        const auto f = leeFecha(t);
        if (!f)
            return std::nullopt;
        return QDateTime(*f, QTime(0, 0));
    }
    const auto f = leeFecha(t.left(espacio));
    const auto h = leeHora(t.mid(espacio + 1));
    if (!f || !h)
        return std::nullopt;
    return QDateTime(*f, *h);
}

QString real(double valor)
{
    if (valor == 0 || !std::isfinite(valor))
        return QStringLiteral("0");
    QString s = QString::number(valor, 'g', 15);
    s.replace(QLatin1Char('.'), separadorDecimal());
    return s;
}

namespace {
// Digits with optional thousands dots in groups of three ("1.234.567").
bool parteEntera(const QString& s, QString& digitos)
{
    if (s.isEmpty()) {
        digitos = QStringLiteral("0");
        return true;
    }
    const QStringList grupos = s.split(QLatin1Char('.'));
    for (int i = 0; i < grupos.size(); ++i) {
        const QString& g = grupos[i];
        if (g.isEmpty() || g.size() > (i == 0 ? (grupos.size() > 1 ? 3 : 400) : 3)
            || (i > 0 && g.size() != 3))
            return false;
        for (QChar c : g)
            if (!c.isDigit() || c.unicode() > 127)
                return false;
    }
    digitos = grupos.join(QString());
    return true;
}

bool soloDigitos(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() < '0' || c.unicode() > '9')
            return false;
    return true;
}
} // namespace

std::optional<double> leeReal(const QString& texto)
{
    QString t = texto.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    QString signo;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        signo = t.left(1);
        t = t.mid(1).trimmed();
    }
    if (!t.contains(QRegularExpression(QStringLiteral("^[^eE]*[0-9]"))))
        return std::nullopt;
    // Optional exponent: "1,5E3".
    QString exponente;
    const qsizetype e = t.indexOf(QRegularExpression(QStringLiteral("[eE]")));
    if (e >= 0) {
        exponente = t.mid(e + 1);
        t = t.left(e);
        QString ex = exponente;
        if (ex.startsWith(QLatin1Char('-')) || ex.startsWith(QLatin1Char('+')))
            ex = ex.mid(1);
        if (ex.isEmpty() || !soloDigitos(ex))
            return std::nullopt;
    }
    QString entera, fraccion;
    const qsizetype coma = t.indexOf(separadorDecimal());
    if (coma >= 0) {
        if (t.indexOf(separadorDecimal(), coma + 1) >= 0)
            return std::nullopt;
        fraccion = t.mid(coma + 1);
        if (!parteEntera(t.left(coma), entera))
            return std::nullopt;
    } else if (t.count(QLatin1Char('.')) == 1) {
        // A single dot and no comma: a decimal point ("1234.5", "7.25").
        const qsizetype punto = t.indexOf(QLatin1Char('.'));
        entera = t.left(punto).isEmpty() ? QStringLiteral("0") : t.left(punto);
        fraccion = t.mid(punto + 1);
        if (!soloDigitos(entera))
            return std::nullopt;
    } else if (!parteEntera(t, entera)) {
        return std::nullopt;
    }
    if (!soloDigitos(fraccion))
        return std::nullopt;
    QString c = signo + entera;
    if (!fraccion.isEmpty())
        c += QLatin1Char('.') + fraccion;
    if (!exponente.isEmpty())
        c += QLatin1Char('e') + exponente;
    bool ok = false;
    const double v = c.toDouble(&ok); // C locale form built above
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace regional
