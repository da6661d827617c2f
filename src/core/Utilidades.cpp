#include "core/Utilidades.h"

#include "core/Errores.h"

QDate Fecha(int dia, int mes, int anio)
{
    const QDate f(anio, mes, dia);
    if (!f.isValid())
        throw EConvertError(QStringLiteral("%1/%2/%3 no es una fecha válida.").arg(dia).arg(mes).arg(anio));
    return f;
}

QString Mes(int mes)
{
    static const char* const nombres[] = {"Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio",
                                          "Agosto", "Septiembre", "Octubre", "Noviembre", "Diciembre"};
    if (mes < 1 || mes > 12)
        return QString();
    return QString::fromLatin1(nombres[mes - 1]);
}

QChar LetraNif(const QString& numero)
{
    // Digits only: blanks, letters and signs are not an identifier's number.
    if (numero.isEmpty())
        return QLatin1Char(' ');
    for (QChar c : numero)
        if (c.unicode() < '0' || c.unicode() > '9')
            return QLatin1Char(' ');
    bool ok = false;
    const int n = numero.toInt(&ok, 10);
    if (!ok)
        return QLatin1Char(' ');
    static const char letras[] = "TRWAGMYFPDXBNJZSQVHLCKE";
    return QLatin1Char(letras[n % 23]);
}
