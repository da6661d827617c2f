#pragma once
#include <QChar>
#include <QDate>
#include <QString>

// The date of that day; an impossible date throws EConvertError.
QDate Fecha(int dia, int mes, int anio);
// Spanish month name, capitalised; empty for anything but 1..12.
QString Mes(int mes);
// Control letter of a Spanish NIF for the digits given; ' ' when not a 32-bit number.
QChar LetraNif(const QString& numero);
