#include "app/Ventanas.h"

#include "app/UnidadMenuPrincipal.h"
#include "maintenance/UnidadComerciales.h"
#include "maintenance/UnidadEmpresas.h"

// One line per window. Child windows (lists) are created without a parent (the
// frame adopts them); modal windows are QDialogs. Commands left out stay
// visible and disabled.
void registrarVentanasPrograma()
{
    registrarVentana(QStringLiteral("ActComerciales"), [] { return new TFormComercial; });
    registrarVentana(QStringLiteral("ActEmpresas"), [] { return new TFormEmpresas; });
}
