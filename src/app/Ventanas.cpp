#include "app/Ventanas.h"

#include "app/UnidadMenuPrincipal.h"

// One line per window, for example:
//   registrarVentana(QStringLiteral("ActComerciales"), [] { return new TFormComercial; });
// Child windows (lists) are created without a parent (the frame adopts them);
// modal windows are QDialogs. Commands left out stay visible and disabled.
void registrarVentanasPrograma()
{
}
