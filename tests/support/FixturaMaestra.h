#pragma once
// Builds test master folders: a seat of its own while the fixture writes, and
// the empty master tables plus the template folder "tablas". Header-only, for
// tests that link the data library.
#include "data/Esquema.h"
#include "engine/Motor.h"

#include <QDir>
#include <QString>
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
