#include "ui/Permisos.h"

#include "core/EstadoAplicacion.h"
#include "core/Ini.h"
#include "core/Mensajes.h"
#include "data/UnidadDatos.h"

#include <QApplication>
#include <QFileInfo>

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
    if (QApplication::overrideCursor())
        QApplication::changeOverrideCursor(Qt::WaitCursor);
    else
        QApplication::setOverrideCursor(Qt::WaitCursor);

    TDatos* datos = Datos();
    if (!datos)
        return false; // no master data: nothing can be opened
    const QString maestra = carpetaBase();
    const QString carpeta = carpetaEmpresa(codigo);

    motor::Table* t = datos->TEmpresa;
    if (datos->carpetaEmpresas() != maestra)
        datos->apuntarEmpresas(maestra);
    else
        t->close(); // keeps the companies list query where it is
    t->open();
    if (!t->locate(QStringLiteral("Codigo"), codigo))
        return false;

    EstadoAplicacion& e = Estado();
    e.MonedaEmpresa = t->fieldByName(QStringLiteral("Moneda"))->asString();
    e.CambioEmpresa = t->fieldByName(QStringLiteral("Cambio"))->asFloat();
    e.CodigoEmpresa = t->fieldByName(QStringLiteral("Codigo"))->asInteger();
    e.NombreEmpresa = t->fieldByName(QStringLiteral("Nombre"))->asString();
    e.FechaInicioEjercicio = t->fieldByName(QStringLiteral("FechaAlta"))->asDate();
    e.FechaFinEjercicio = t->fieldByName(QStringLiteral("FechaBaja"))->asDate();

    esEntINI(ini::Empresa, ini::Codigo, codigo);

    if (!QFileInfo(carpeta).isDir()) {
        msError(QStringLiteral("Debe crear los ficheros de la empresa antes de abrirla."),
                QStringLiteral("Abrir empresa..."));
        e.CodigoEmpresa = app::SinEmpresa;
        e.NombreEmpresa.clear();
        return false;
    }

    datos->apuntarEmpresa(carpeta);

    if (QWidget* v = ventanaPrincipal())
        v->setWindowTitle(QString::number(codigo) + QStringLiteral(" - ") + e.NombreEmpresa);
    return true;
}
