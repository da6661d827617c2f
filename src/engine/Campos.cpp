#include "engine/Interno.h"

namespace motor {

namespace {
// Plain float with a decimal comma and no grouping ("7", "2,5"), as the
// regional short form; the engine keeps its own copy to stay below core.
QString realComa(double d)
{
    QString s = QString::number(d, 'f', 10);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}
} // namespace

QString Field::asString() const
{
    const QVariant v = value();
    if (v.isNull())
        return {};
    switch (type()) {
    case FieldType::Date:
        return v.toDate().toString(QStringLiteral("dd/MM/yy"));
    case FieldType::Float:
    case FieldType::Currency:
        return realComa(v.toDouble());
    case FieldType::Boolean:
        return v.toBool() ? QStringLiteral("Sí") : QStringLiteral("No");
    case FieldType::Graphic:
        return QString::fromLatin1(v.toByteArray().toBase64());
    default:
        if (v.typeId() == QMetaType::Double)
            return realComa(v.toDouble());
        if (v.typeId() == QMetaType::QDate)
            return v.toDate().toString(QStringLiteral("dd/MM/yy"));
        return v.toString();
    }
}

int Field::asInteger() const
{
    const QVariant v = value();
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::Double)
        return int(qRound64(v.toDouble()));
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        const int i = v.toString().trimmed().toInt(&ok);
        if (!ok)
            throw EConvertError(QStringLiteral("'%1' no es un número entero válido.").arg(v.toString()));
        return i;
    }
    return v.toInt();
}

double Field::asFloat() const
{
    const QVariant v = value();
    if (v.isNull())
        return 0.0;
    if (v.typeId() == QMetaType::QString) {
        const QVariant d = interno::normaliza(v, FieldType::Float, name());
        return d.isNull() ? 0.0 : d.toDouble();
    }
    return v.toDouble();
}

QDate Field::asDate() const
{
    const QVariant v = value();
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    return interno::normaliza(v, FieldType::Date, name()).toDate();
}

bool Field::asBoolean() const
{
    const QVariant v = value();
    if (v.isNull())
        return false;
    if (v.typeId() == QMetaType::QString)
        return interno::normaliza(v, FieldType::Boolean, name()).toBool();
    return v.toBool();
}

QByteArray Field::asBlob() const
{
    const QVariant v = value();
    if (v.typeId() == QMetaType::QString)
        return v.toString().toUtf8();
    return v.toByteArray();
}

Dataset::Dataset(QObject* parent) : QObject(parent) {}
Dataset::~Dataset() = default;

int Dataset::fieldIndex(const QString& name) const
{
    const int n = fieldCount();
    for (int i = 0; i < n; ++i)
        if (field(i)->name().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

Field* Dataset::findField(const QString& name) const
{
    const int i = fieldIndex(name);
    return i < 0 ? nullptr : field(i);
}

Field* Dataset::fieldByName(const QString& name) const
{
    Field* f = findField(name);
    if (!f)
        throw EDatabaseError(objectName().isEmpty()
                                 ? QStringLiteral("No se encuentra el campo '%1'.").arg(name)
                                 : QStringLiteral("%1: no se encuentra el campo '%2'.").arg(objectName(), name));
    return f;
}

} // namespace motor
