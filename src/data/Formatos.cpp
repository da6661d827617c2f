#include "data/Formatos.h"

#include "core/Regional.h"

#include <QStringList>
#include <cmath>

namespace formatos {

namespace {

// Splits a format into its sections at ';' outside quotes.
QStringList secciones(const QString& formato)
{
    QStringList r;
    QString actual;
    QChar comilla;
    for (QChar ch : formato) {
        if (!comilla.isNull()) {
            if (ch == comilla)
                comilla = QChar();
            actual += ch;
        } else if (ch == QLatin1Char('\'') || ch == QLatin1Char('"')) {
            comilla = ch;
            actual += ch;
        } else if (ch == QLatin1Char(';')) {
            r << actual;
            actual.clear();
        } else {
            actual += ch;
        }
    }
    r << actual;
    return r;
}

// One section parsed: literal text around one run of digit placeholders.
struct Seccion {
    QString prefijo, sufijo;
    int enterosMin = 0;     // '0' before the point
    int decimalesMin = 0;   // '0' after the point
    int decimalesMax = 0;   // '0' and '#' after the point
    bool miles = false;
    bool hayDigitos = false;
};

bool esMarcador(QChar ch)
{
    return ch == QLatin1Char('#') || ch == QLatin1Char('0') || ch == QLatin1Char(',') || ch == QLatin1Char('.');
}

Seccion analiza(const QString& s)
{
    Seccion r;
    enum { Antes, Numero, Despues } fase = Antes;
    bool trasPunto = false;
    for (int i = 0; i < s.size(); ++i) {
        const QChar ch = s[i];
        if (ch == QLatin1Char('\'') || ch == QLatin1Char('"')) {
            const int fin = s.indexOf(ch, i + 1);
            const QString lit = s.mid(i + 1, (fin < 0 ? s.size() : fin) - i - 1);
            if (fase == Antes) r.prefijo += lit; else { r.sufijo += lit; fase = Despues; }
            i = fin < 0 ? s.size() : fin;
            continue;
        }
        if (fase != Despues && esMarcador(ch)
            && (fase == Numero || ch == QLatin1Char('#') || ch == QLatin1Char('0'))) {
            fase = Numero;
            r.hayDigitos = true;
            if (ch == QLatin1Char(',')) r.miles = true;
            else if (ch == QLatin1Char('.')) trasPunto = true;
            else if (trasPunto) { ++r.decimalesMax; if (ch == QLatin1Char('0')) r.decimalesMin = r.decimalesMax; }
            else if (ch == QLatin1Char('0')) ++r.enterosMin;
            continue;
        }
        if (fase == Antes) r.prefijo += ch;
        else { r.sufijo += ch; fase = Despues; }
    }
    return r;
}

QString agrupa(const QString& enteros)
{
    QString r;
    const QChar sep = regional::separadorMiles();
    const int n = enteros.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            r += sep;
        r += enteros[i];
    }
    return r;
}

// The digits of a non-negative value in a section (literals excluded).
QString cifras(double absoluto, const Seccion& s)
{
    QString t = QString::number(absoluto, 'f', s.decimalesMax);
    QString enteros = t, decimales;
    const int punto = t.indexOf(QLatin1Char('.'));
    if (punto >= 0) {
        enteros = t.left(punto);
        decimales = t.mid(punto + 1);
    }
    while (decimales.size() > s.decimalesMin && decimales.endsWith(QLatin1Char('0')))
        decimales.chop(1);
    if (enteros == QLatin1String("0") && s.enterosMin == 0)
        enteros.clear();
    while (enteros.size() < s.enterosMin)
        enteros.prepend(QLatin1Char('0'));
    if (s.miles)
        enteros = agrupa(enteros);
    return decimales.isEmpty() ? enteros : enteros + regional::separadorDecimal() + decimales;
}

QString aplica(const Seccion& s, double absoluto)
{
    return s.prefijo + (s.hayDigitos ? cifras(absoluto, s) : QString()) + s.sufijo;
}

// Zero once rounded to the decimals shown.
bool esCeroA(double valor, int decimales)
{
    return std::fabs(valor) * std::pow(10.0, decimales) < 0.5;
}

} // namespace

QString numero(double valor, const QString& formato)
{
    if (formato.isEmpty())
        return regional::real(valor);
    if (!std::isfinite(valor))
        return regional::real(valor);
    const QStringList sec = secciones(formato);
    const Seccion positiva = analiza(sec.value(0));
    if (esCeroA(valor, positiva.decimalesMax)) {
        if (sec.size() >= 3 && !sec[2].isEmpty())
            return aplica(analiza(sec[2]), 0.0);
        return aplica(positiva, 0.0);
    }
    if (valor < 0) {
        if (sec.size() >= 2 && !sec[1].isEmpty())
            return aplica(analiza(sec[1]), -valor);
        return QLatin1Char('-') + aplica(positiva, -valor);
    }
    return aplica(positiva, valor);
}

QString euros(double valor) { return numero(valor, esquema::FormatoEuros); }
QString unidades(double valor) { return numero(valor, esquema::FormatoUnidades); }

QString pesetas(double valor)
{
    return unidades(valor) + QLatin1Char(' ') + SimboloPesetas;
}

QString fechaCorta(const QDate& fecha)
{
    return fecha.isValid() ? regional::fechaCorta(fecha) : QString();
}

QString booleano(bool valor, const QString& textos)
{
    const QString t = textos.isEmpty() ? esquema::TextosSiNo : textos;
    const int p = t.indexOf(QLatin1Char(';'));
    if (p < 0)
        return valor ? t : QString();
    return valor ? t.left(p) : t.mid(p + 1);
}

namespace {
QDate comoFecha(const QVariant& v)
{
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    const QString s = v.toString();
    QDate d = QDate::fromString(s.left(10), Qt::ISODate);
    if (!d.isValid())
        if (auto r = regional::leeFecha(s))
            d = *r;
    return d;
}

bool comoBooleano(const QVariant& v)
{
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed().toLower();
        return !(s.isEmpty() || s == QLatin1String("0") || s == QLatin1String("false") || s == QLatin1String("no"));
    }
    return v.toBool();
}
} // namespace

QString textoCampo(const esquema::Campo& campo, const QVariant& valor)
{
    using motor::FieldType;
    if (valor.isNull() || !valor.isValid())
        return {};
    switch (campo.tipo) {
    case FieldType::Boolean:
        return booleano(comoBooleano(valor), campo.textosBool);
    case FieldType::Date:
        return fechaCorta(comoFecha(valor));
    case FieldType::Currency:
        return campo.formato.isEmpty() ? pesetas(valor.toDouble()) : numero(valor.toDouble(), campo.formato);
    case FieldType::Float:
        return numero(valor.toDouble(), campo.formato);
    case FieldType::Integer:
    case FieldType::AutoInc:
        return campo.formato.isEmpty() ? QString::number(valor.toLongLong())
                                       : numero(valor.toDouble(), campo.formato);
    case FieldType::Graphic:
        return {};
    case FieldType::String:
    case FieldType::Memo:
        break;
    }
    return valor.toString();
}

QString textoCampo(const QString& tabla, const QString& campo, const QVariant& valor)
{
    const esquema::Campo* c = esquema::campoConsulta(tabla, campo);
    if (!c)
        c = esquema::campo(tabla, campo);
    if (!c)
        return valor.isNull() ? QString() : valor.toString();
    return textoCampo(*c, valor);
}

} // namespace formatos
