#pragma once
// Application state shared by every window. One instance, reached through
// Estado(); tests rebuild it with reiniciarEstado().
#include <QDate>
#include <QString>

struct EstadoAplicacion {
    QString ValorSeleccionado;
    QString CodigoActual;
    QString CodigoUsuario;
    int CodigoEmpresa = 0;
    int Servidor = 0;
    QString NombreEmpresa;
    QString NombreAplicacion;
    QString VersionAplicacion;
    QString MonedaEmpresa;
    QString TipoUsuario;
    QString RutaServidor;
    QString Modo;
    double CambioEmpresa = 0;
    QDate FechaInicioEjercicio;
    QDate FechaFinEjercicio;
    QDate FechaTrabajo;
    bool MostrarProgreso = false;
    bool BotonesPlanos = false;
    bool VentanasMaximizadas = false;
    bool MostrarBarraBotones = false;
    bool MostrarBarraEstado = false;
    bool MostrarBotonesVentanas = false;
};

EstadoAplicacion& Estado();
void reiniciarEstado();

namespace app {
inline const QString Titulo = QStringLiteral("Torbelin Provenda");
inline const QString Version = QStringLiteral("1.0.4.1230 (07-03-2004)");
constexpr int SinEmpresa = -33333;
}

// Edit modes.
namespace modo {
inline const QString Nuevo = QStringLiteral("nuevo");
inline const QString Modificar = QStringLiteral("modificar");
inline const QString Zoom = QStringLiteral("zoom");
}

// The base (master) folder: the program folder when Servidor is 1, else
// RutaServidor. Always ends in a separator.
QString carpetaBase();
// Company folder: carpetaBase() + "Emp" + code (no trailing separator).
QString carpetaEmpresa(int codigo);
