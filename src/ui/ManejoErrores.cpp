#include "ui/ManejoErrores.h"

#include "core/Errores.h"
#include "core/Mensajes.h"

#include <QString>

namespace {
std::function<void(const std::exception&)>& manejador()
{
    static std::function<void(const std::exception&)> m;
    return m;
}
} // namespace

void informarExcepcion(const std::exception& e)
{
    if (dynamic_cast<const EAbort*>(&e))
        return;
    if (manejador()) {
        manejador()(e);
        return;
    }
    const auto* ex = dynamic_cast<const Excepcion*>(&e);
    const QString texto = ex ? ex->mensaje() : QString::fromUtf8(e.what());
    msError(QStringLiteral("Se ha producido el siguiente error:\n\n") + texto, QStringLiteral("Error..."));
}

void ponerManejadorExcepciones(std::function<void(const std::exception&)> m)
{
    manejador() = std::move(m);
}

bool ejecutarProtegido(const std::function<void()>& fn)
{
    try {
        fn();
        return true;
    } catch (const std::exception& e) {
        informarExcepcion(e);
    }
    return false;
}
