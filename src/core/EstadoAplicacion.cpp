#include "core/EstadoAplicacion.h"

#include "platform/Plataforma.h"

#include <memory>

namespace {
std::unique_ptr<EstadoAplicacion>& instancia()
{
    static std::unique_ptr<EstadoAplicacion> e = std::make_unique<EstadoAplicacion>();
    return e;
}
} // namespace

EstadoAplicacion& Estado()
{
    return *instancia();
}

void reiniciarEstado()
{
    instancia() = std::make_unique<EstadoAplicacion>();
}

QString carpetaBase()
{
    if (Estado().Servidor == 1)
        return plataforma::carpetaPrograma();
    QString ruta = Estado().RutaServidor;
    if (ruta.isEmpty())
        return ruta; // relative to the current folder, as an empty path always was
#ifndef Q_OS_WIN
    // Stored with a backslash for the other seats' sake; here '/' is the separator.
    ruta.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
    if (!ruta.endsWith(QLatin1Char('/')) && !ruta.endsWith(QLatin1Char('\\')))
        ruta += QLatin1Char('/');
    return ruta;
}

QString carpetaEmpresa(int codigo)
{
    return carpetaBase() + QStringLiteral("Emp") + QString::number(codigo);
}
