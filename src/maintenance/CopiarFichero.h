#pragma once
// File copies between data folders (company creation, import), with the
// progress window and a go-on-or-stop question when a file fails.
#include <QString>
#include <QStringList>

// carpeta + relativa ("tablas/comercial.db", "CS.ini"), each part matched
// without regard to case when a differently spelled entry exists (folders made
// on Windows keep "Tablas", "COMERCIAL.DB"); otherwise the plain join.
QString rutaSinMayusculas(const QString& carpeta, const QString& relativa);
bool existeSinMayusculas(const QString& carpeta, const QString& relativa);

// Names of the files (not folders) of a folder matching a mask such as "*.*"
// or "Venta.*", compared without regard to case, sorted.
QStringList ficherosQueCoinciden(const QString& carpeta, const QString& mascara);

// The shared progress window as the copies use it (callers check MostrarProgreso).
namespace progreso {
// Shows the window, not modally, with `texto` and its bar hidden; repaints it.
void mostrar(const QString& texto);
// Replaces the window's text (the file being copied) and repaints it.
void texto(const QString& texto);
// Hides the window; with mostrarBarra the bar is made visible again first.
void cerrar(bool mostrarBarra = false);
}

// The two table-engine lock files (PARADOX.LCK, PDOXUSRS.LCK), never copied into a company folder.
bool esFicheroDeBloqueo(const QString& nombre);

// Copies every file of `origen` matching `mascara` into `destino`, replacing
// same-named files (table files go through the engine's online backup). With
// conservarExistentes, a file whose name (without case) already exists in
// `destino` is left as it is and not copied. With MostrarProgreso the progress
// window shows `prefijo` + the file name. A file that cannot be copied asks
// msOK whether to go on; Cancel hides the progress window, marks the current
// company row of TEmpresa with Ficheros false and stops. False when cancelled.
bool CopiarFichero(const QString& origen, const QString& destino, const QString& mascara,
                   const QString& prefijo, bool conservarExistentes = false);
