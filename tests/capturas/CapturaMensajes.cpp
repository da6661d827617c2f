#include "Capturas.h"
#include "ui/CajasMensaje.h"

#include <QMessageBox>

namespace {
RegistroCaptura r1("mensaje-si", [] {
    return CajasMensaje::crearCaja(TipoMensaje::Si, QStringLiteral("¿Está seguro que desea cerrar la aplicación?"),
                                   QStringLiteral("Cerrar aplicación..."));
});
RegistroCaptura r2("mensaje-error", [] {
    return CajasMensaje::crearCaja(TipoMensaje::Error,
                                   QStringLiteral("Se ha producido el siguiente error:\n\nImporte no válido: 12,5€ ñ"),
                                   QStringLiteral("Error..."));
});
RegistroCaptura r3("mensaje-ok", [] {
    return CajasMensaje::crearCaja(TipoMensaje::OK, QStringLiteral("No se ha podido copiar Comercial.DB. ¿Continuar?"),
                                   QStringLiteral("Copiar ficheros..."));
});
} // namespace
