#pragma once
// The start-up sequence, in steps that tests can run one by one.
#include <QString>
#include <functional>

class TAplicacion;

namespace arranque {

// The login, run modally after the main window and the progress window exist.
// True when a user was accepted; false when the application must end. Unset:
// the start-up goes straight on to the main window.
// >>> Single call point for the login window: set it before ejecutar(). <<<
extern std::function<bool()> ejecutarLogin;

// The text and caption shown to a second copy.
QString textoYaAbierta();
inline QString tituloYaAbierta() { return QStringLiteral("Aplicación abierta..."); }

// Steps 1 and 2: creates "TEMP" and "NET" in the program folder (last level
// only; failures are silent) and deletes TEMP's "*.lck" files (those that
// cannot be deleted are skipped; other files stay).
void prepararCarpetas(const QString& carpetaPrograma);

// The whole sequence after the application object exists; returns the exit code.
int ejecutar(TAplicacion& aplicacion);

} // namespace arranque
