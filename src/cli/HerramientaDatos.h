#pragma once
// provenda-datos: creates a master folder (master tables, the template folder
// "tablas", a first administrator) and adds demo companies to it.
// Failures throw Excepcion with a Spanish message; nothing already in the
// folder is ever overwritten.
#include <QString>

namespace herramienta {

struct OpcionesCrear {
    QString carpeta;
    QString codigo = QStringLiteral("ADM");
    QString nombre = QStringLiteral("Administrador");
    QString clave;            // empty: no password; stored hashed
};

// Creates Empresa.db, Usuario.DB and "tablas" with the nine empty company
// tables, and the first user of type "Administrador". Refuses a folder that
// already holds any master or template table.
void crear(const OpcionesCrear& opciones);

struct ResultadoDemo {
    int codigo = 0;           // company code
    QString carpeta;          // its folder (master folder + "Emp" + code)
    QString nombre;
    int comerciales = 0, clientes = 0, aparatos = 0, plus = 0;
    int ventas = 0, cobros = 0, gastos = 0, extras = 0, facturas = 0;
    int usuariosNuevos = 0;
};

// Adds a demo company with the next free code (Emp1 first, then Emp2, ...;
// a code whose folder already exists is skipped), deterministic for a code
// and a scale. Scale 1: about 500 sales; the record counts grow linearly.
// Also adds the demo users of the other types when they are missing.
ResultadoDemo demo(const QString& carpetaMaestra, int escala);

// The demo users (code, name, type, password; empty password: none).
struct UsuarioDemo { const char* codigo; const char* nombre; const char* tipo; const char* clave; };
extern const UsuarioDemo UsuariosDemo[5];

} // namespace herramienta
