#pragma once
// Permission check run before list commands, and the opening of a company as
// the working company. They read and write the application state (Estado()).
#include <QString>

class QWidget;

// Whether the logged-in user's type allows the kind of command ("usuarios",
// "consulta", "modificacion", "altas/bajas"; any other kind, such as
// "localizar" or "zoom", is allowed to every type). With no company open and
// sinEmpresa false it refuses with "Abra una empresa para introducir datos.".
// A refusal has already been shown to the user when this returns false.
bool ComprobarUsuario(const QString& tipo, bool sinEmpresa);

// Opens company `codigo`: points the companies table at the base folder,
// copies the company's fields into the application state, remembers the code
// in the settings file, points the working database at the company folder and
// sets the main window's caption. False when the company does not exist or its
// folder is missing (then CodigoEmpresa is -33333 and NombreEmpresa empty).
// Engine errors while pointing the working database are thrown to the caller.
// Sets the busy cursor; the caller restores it.
bool AbrirEmpresa(int codigo);

// The window whose caption AbrirEmpresa sets ("7 - Ventas Norte"); nullptr
// (the default) skips that step.
void ponerVentanaPrincipal(QWidget* ventana);
QWidget* ventanaPrincipal();
