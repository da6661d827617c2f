#pragma once
// Builds test master folders: a seat of its own while the fixture writes, and
// the empty master tables plus the template folder "tablas". Header-only, for
// tests that link the data library.
#include "data/Esquema.h"
#include "engine/Motor.h"

#include <QDir>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>
#include <memory>

// A seat on private and network folders of its own inside `carpeta`; the
// fixture's tables use it (the default session) while it lives.
inline std::unique_ptr<motor::Session> abrirSesionFixtura(const QString& carpeta)
{
    auto s = std::make_unique<motor::Session>(QStringLiteral("Fixtura"));
    s->setPrivateDir(carpeta + QStringLiteral("TEMPF"));
    s->setNetDir(carpeta + QStringLiteral("NETF"));
    QDir().mkpath(s->privateDir());
    QDir().mkpath(s->netDir());
    s->open();
    return s;
}

// Empresa.db and Usuario.DB in `carpeta` (ending in '/'), and the nine empty
// company tables in `carpeta` + "tablas".
inline void crearTablasMaestras(const QString& carpeta)
{
    QDir().mkpath(carpeta + QStringLiteral("tablas"));
    for (const esquema::Tabla& t : esquema::tablas())
        motor::Database::createTable(t.carpeta == esquema::Carpeta::Maestra ? carpeta : carpeta + QStringLiteral("tablas"),
                                     t.definicion());
}

// One posted row of a table (by its schema name) in a folder.
inline void anadirFila(const QString& carpeta, const QString& tabla, const QList<QPair<QString, QVariant>>& valores)
{
    motor::Table t;
    t.setFolder(carpeta);
    t.setTableName(esquema::tabla(tabla).fichero);
    t.open();
    t.insert();
    for (const auto& v : valores)
        t.fieldByName(v.first)->setValue(v.second);
    t.post();
}

// The company folder "Emp<codigo>" filled with copies of the templates;
// mayusculas: the file names in capitals.
inline void llenarCarpetaEmpresa(const QString& maestra, int codigo, bool mayusculas = false)
{
    const QString carpeta = maestra + QStringLiteral("Emp") + QString::number(codigo) + QLatin1Char('/');
    QDir().mkpath(carpeta);
    for (const esquema::Tabla& t : esquema::tablas())
        if (t.carpeta == esquema::Carpeta::Empresa)
            motor::Database::copyFile(maestra + QStringLiteral("tablas/") + t.fichero,
                                      carpeta + (mayusculas ? t.fichero.toUpper() : t.fichero));
}
