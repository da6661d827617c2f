#pragma once
// Regional forms of dates, times and numbers: the Spanish forms, whatever the
// system locale says (it is "C" on most servers and desktops set up in English).
// QLocale("es_ES") of Qt 6.4 groups and parses wrongly, so numbers go through
// our own code.
#include <QDate>
#include <QTime>
#include <QDateTime>
#include <QString>
#include <optional>

namespace regional {
// Sets the application's default QLocale to Spanish (names of days and months
// in Qt's own widgets).
void inicializar();
QChar separadorDecimal();   // ','
QChar separadorMiles();     // '.'

// Short date "dd/MM/yy" (fits the mask "99/99/00"); two-digit years expand to
// 1950..2049. Parsing accepts d/M/yy and d/M/yyyy; anything else is nullopt.
QString fechaCorta(const QDate& fecha);
std::optional<QDate> leeFecha(const QString& texto);
QDate expandeAnio(int dia, int mes, int anio2o4); // invalid QDate when impossible
QString hora(const QTime& hora);                   // "hh:mm:ss"
std::optional<QTime> leeHora(const QString& texto);
QString fechaHora(const QDateTime& fh);            // "dd/MM/yyyy hh:mm:ss"
std::optional<QDateTime> leeFechaHora(const QString& texto);

// Plain float with the regional decimal separator, no grouping ("7", "2,5").
QString real(double valor);
// Accepts "1234,5", "1.234,5", "1234.5" (a single dot with no comma is read as
// the decimal point), leading sign, blanks around. nullopt when not a number.
std::optional<double> leeReal(const QString& texto);
} // namespace regional
