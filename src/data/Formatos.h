#pragma once
// Display forms of values, shared by grids and reports. Separators come from
// core/Regional (our own code: Qt 6.4's es_ES groups thousands wrongly).
#include "data/Esquema.h"

#include <QDate>
#include <QString>
#include <QVariant>

namespace formatos {

// A number in a display format of sections "positive;negative;zero": '0' a
// digit always shown, '#' a digit shown when significant, ',' thousands
// grouping, '.' the decimal point, anything else (or quoted text) literal.
// The zero section applies when the value rounds to zero at the format's
// decimals; without a negative section a '-' is put before the positive form.
// An empty format gives the general regional form (regional::real).
QString numero(double valor, const QString& formato);

QString euros(double valor);      // FormatoEuros: 1.234.567,50; -3,20; 0
QString unidades(double valor);   // FormatoUnidades: 1.234.568; 0
// The regional currency form of pesetas: whole units with thousands and the
// symbol ("1.234 Pts", "-1.234 Pts", "0 Pts").
QString pesetas(double valor);
inline const QString SimboloPesetas = QStringLiteral("Pts");
QString fechaCorta(const QDate& fecha);   // dd/MM/yy; empty for an invalid date
// "Sí;No" style texts: the part before ';' for true, after it for false.
QString booleano(bool valor, const QString& textos = esquema::TextosSiNo);

// The display text of a value of a schema field: null is empty; dates short;
// logicals by their texts ("Sí;No" when the schema gives none); money in the
// pesetas currency form; numbers by the field's display format or in general
// form; text and memo as they are; pictures empty.
QString textoCampo(const esquema::Campo& campo, const QVariant& valor);
// The same by table and field name (list-query columns included); a field the
// schema does not know shows its value as text.
QString textoCampo(const QString& tabla, const QString& campo, const QVariant& valor);

} // namespace formatos
