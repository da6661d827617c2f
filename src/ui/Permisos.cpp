#include "ui/Permisos.h"

#include "core/EstadoAplicacion.h"
#include "core/Mensajes.h"

#include <QPointer>
#include <QWidget>

namespace {
QPointer<QWidget> g_ventanaPrincipal;

enum Columna { Administrador, Consulta, ConsultaModific, Listados, Restringido, Totales, NumTipos };

int columnaDe(const QString& tipoUsuario)
{
    static const QString tipos[NumTipos] = {
        QStringLiteral("Administrador"), QStringLiteral("Consulta"), QStringLiteral("Consulta/Modific."),
        QStringLiteral("Listados"), QStringLiteral("Restringido"), QStringLiteral("Totales")};
    for (int i = 0; i < NumTipos; ++i)
        if (tipos[i] == tipoUsuario)
            return i;
    return -1;
}
} // namespace

bool ComprobarUsuario(const QString& tipo, bool sinEmpresa)
{
    if (Estado().NombreEmpresa.isEmpty() && !sinEmpresa) {
        msAtencion(QStringLiteral("Abra una empresa para introducir datos."), QStringLiteral("Abrir empresa..."));
        return false;
    }
    struct Fila { const char* clase; bool permitido[NumTipos]; };
    static const Fila tabla[] = {
        {"usuarios", {true, false, false, false, false, false}},
        {"consulta", {true, true, true, true, false, true}},
        {"modificacion", {true, false, true, false, false, true}},
        {"altas/bajas", {true, false, true, false, false, true}},
    };
    bool permitido = true; // any other kind is open to every type
    for (const Fila& f : tabla) {
        if (tipo == QLatin1String(f.clase)) {
            const int c = columnaDe(Estado().TipoUsuario);
            // An unknown user type gets only what every type gets.
            permitido = c >= 0 && f.permitido[c];
            break;
        }
    }
    if (!permitido)
        msError(QStringLiteral("No tiene permiso para ejecutar esta opción."), QStringLiteral("Permiso restringido..."));
    return permitido;
}

void ponerVentanaPrincipal(QWidget* ventana) { g_ventanaPrincipal = ventana; }
QWidget* ventanaPrincipal() { return g_ventanaPrincipal.data(); }

bool AbrirEmpresa(int codigo)
{
    // Filled in once the data module exists.
    Q_UNUSED(codigo);
    return false;
}
