#pragma once
// Small company folder for engine tests: representatives, clients and sales.
#include "engine/Motor.h"

#include <QDir>
#include <QTemporaryDir>

namespace fixture {

inline motor::TableDef comercial()
{
    using motor::FieldType;
    motor::TableDef t;
    t.name = QStringLiteral("Comercial");
    t.fileName = QStringLiteral("Comercial.DB");
    t.fields = {{QStringLiteral("Codigo"), FieldType::String, 4, false},
                {QStringLiteral("NIF"), FieldType::String, 20, true},
                {QStringLiteral("Nombre"), FieldType::String, 150, true},
                {QStringLiteral("CP"), FieldType::Float, 0, false},
                {QStringLiteral("IVA"), FieldType::Boolean, 0, false},
                {QStringLiteral("Observacion"), FieldType::Memo, 0, false}};
    return t;
}

inline motor::TableDef venta()
{
    using motor::FieldType;
    motor::TableDef t;
    t.name = QStringLiteral("Venta");
    t.fileName = QStringLiteral("Venta.db");
    t.fields = {{QStringLiteral("Codigo"), FieldType::Integer, 0, false},
                {QStringLiteral("Importe"), FieldType::Currency, 0, false},
                {QStringLiteral("CodigoComercial"), FieldType::String, 4, false},
                {QStringLiteral("Fecha"), FieldType::Date, 0, false},
                {QStringLiteral("Cobrada"), FieldType::Boolean, 0, false},
                {QStringLiteral("Foto"), FieldType::Graphic, 0, false}};
    return t;
}

inline motor::TableDef cobro()
{
    using motor::FieldType;
    motor::TableDef t;
    t.name = QStringLiteral("Cobro");
    t.fileName = QStringLiteral("Cobro.DB");
    t.fields = {{QStringLiteral("Codigo"), FieldType::AutoInc, 0, false},
                {QStringLiteral("Importe"), FieldType::Currency, 0, false}};
    return t;
}

// Adds a representative through the engine.
inline void alta(motor::Table& t, const QString& codigo, const QString& nombre, const QString& nif = QStringLiteral("1X"))
{
    t.insert();
    t.fieldByName(QStringLiteral("Codigo"))->setValue(codigo);
    t.fieldByName(QStringLiteral("NIF"))->setValue(nif);
    t.fieldByName(QStringLiteral("Nombre"))->setValue(nombre);
    t.post();
}

inline void creaEmpresa(const QString& carpeta)
{
    motor::Database::createTable(carpeta, comercial());
    motor::Database::createTable(carpeta, venta());
    motor::Database::createTable(carpeta, cobro());
}

} // namespace fixture
