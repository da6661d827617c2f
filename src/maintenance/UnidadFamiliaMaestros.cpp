#include "maintenance/UnidadFamiliaMaestros.h"

#include "data/UnidadDatos.h"

namespace familia {
namespace {
QString sinCodigo(const QString& quien)
{
    return QStringLiteral("Atención, el %1 actual no tiene código, elimínelo antes de continuar.").arg(quien);
}
QString referencia(const QString& quien, const QString& que)
{
    return QStringLiteral("No se puede eliminar el %1 ya que existen %2 a su nombre.").arg(quien, que);
}
} // namespace

DescripcionLista conEdicion(DescripcionLista d, std::function<QDialog*(QWidget*)> fabrica)
{
    d.ventanaEdicion = std::move(fabrica);
    return d;
}

DescripcionLista listaClientes()
{
    DescripcionLista d;
    d.titulo = QStringLiteral("Clientes");
    d.tamano = QSize(632, 266);
    d.consulta = [] { return Datos() ? Datos()->TCCliente : nullptr; };
    d.tabla = [] { return Datos() ? Datos()->TCliente : nullptr; };
    d.lineaFrom = QStringLiteral("FROM Cliente");
    d.tablaEsquema = QStringLiteral("Cliente");
    d.seccion = QStringLiteral("Tabla Clientes");
    d.prefijoTitulo = QStringLiteral("Clientes (ordenado por ");
    d.pistaCerrar = QStringLiteral("Cerrar Clientes");
    d.codigoModo = 50;
    d.columnas = {{QStringLiteral("Codigo"), QStringLiteral("Código"), 41},
                  {QStringLiteral("NIF"), QStringLiteral("NIF/CIF"), 72},
                  {QStringLiteral("Nombre"), QStringLiteral("Nombre"), 160},
                  {QStringLiteral("Telefono1"), QStringLiteral("Teléfono 1"), 74},
                  {QStringLiteral("Telefono2"), QStringLiteral("Teléfono 2"), 63},
                  {QStringLiteral("Direccion"), QStringLiteral("Dirección"), 80},
                  {QStringLiteral("Poblacion"), QStringLiteral("Población"), 63},
                  {QStringLiteral("Provincia"), QStringLiteral("Provincia"), 51}};
    const QString c = QStringLiteral("CodigoCliente");
    d.referencias = {{c, QStringLiteral("Venta"), referencia(QStringLiteral("Cliente"), QStringLiteral("Ventas"))},
                     {c, QStringLiteral("Cobro"), referencia(QStringLiteral("Cliente"), QStringLiteral("Cobros"))}};
    d.preguntaEliminar = QStringLiteral("¿Está seguro que desea eliminar el Cliente : ");
    d.tituloEliminar = QStringLiteral("Eliminar Cliente...");
    d.mensajeSinCodigo = sinCodigo(QStringLiteral("Cliente"));
    return d;
}

DescripcionLista listaAparatos()
{
    DescripcionLista d;
    d.titulo = QStringLiteral("Aparatos");
    d.tamano = QSize(604, 277);
    d.consulta = [] { return Datos() ? Datos()->TCAparato : nullptr; };
    d.tabla = [] { return Datos() ? Datos()->TAparato : nullptr; };
    d.lineaFrom = QStringLiteral("FROM Aparato");
    d.tablaEsquema = QStringLiteral("Aparato");
    d.seccion = QStringLiteral("Tabla Aparatos");
    d.prefijoTitulo = QStringLiteral("Aparatos (ordenado por ");
    d.pistaCerrar = QStringLiteral("Cerrar Aparatos");
    d.codigoModo = 30;
    // Amount columns take the label of the field they show.
    d.columnas = {{QStringLiteral("Codigo"), QStringLiteral("Código"), 48},
                  {QStringLiteral("Nombre"), QStringLiteral("Descripción"), 219},
                  {QStringLiteral("ImporteComision"), QString(), 95},
                  {QStringLiteral("Plus"), QStringLiteral("Plus"), 28},
                  {QStringLiteral("ImporteVenta"), QString(), 84},
                  {QStringLiteral("ImporteCompra"), QString(), 93}};
    d.referencias = {{QStringLiteral("CodigoAparato"), QStringLiteral("Venta"),
                      referencia(QStringLiteral("Aparato"), QStringLiteral("Ventas"))}};
    d.preguntaEliminar = QStringLiteral("¿Está seguro que desea eliminar el Aparato: ");
    d.tituloEliminar = QStringLiteral("Eliminar Aparato...");
    d.mensajeSinCodigo = sinCodigo(QStringLiteral("Aparato"));
    d.importes = {{2, QStringLiteral("ImporteComision"), QStringLiteral("ImporteComisionE")},
                  {4, QStringLiteral("ImporteVenta"), QStringLiteral("ImporteVentaE")},
                  {5, QStringLiteral("ImporteCompra"), QStringLiteral("ImporteCompraE")}};
    d.pistaPesetas = QStringLiteral("Importes en pesetas");
    d.pistaEuros = QStringLiteral("Importes en euros");
    return d;
}

DescripcionLista listaPlus()
{
    DescripcionLista d;
    d.titulo = QStringLiteral("Plus");
    d.tamano = QSize(503, 266);
    d.consulta = [] { return Datos() ? Datos()->TCPlus : nullptr; };
    d.tabla = [] { return Datos() ? Datos()->TPlus : nullptr; };
    d.lineaFrom = QStringLiteral("FROM Plus");
    d.tablaEsquema = QStringLiteral("Plus");
    d.seccion = QStringLiteral("Tabla Plus");
    d.prefijoTitulo = QStringLiteral("Plus (ordenado por ");
    d.pistaCerrar = QStringLiteral("Cerrar Plus");
    d.codigoModo = 70;
    d.columnas = {{QStringLiteral("Codigo"), QStringLiteral("Código"), 41},
                  {QStringLiteral("Nombre"), QStringLiteral("Descripción"), 168},
                  {QStringLiteral("NVentasD"), QStringLiteral("Desde nº ventas"), 87},
                  {QStringLiteral("NVentasH"), QStringLiteral("Hasta nº ventas"), 82},
                  {QStringLiteral("Importe"), QString(), 96}};
    // No record table names a bonus type: deleted without reference checks.
    d.preguntaEliminar = QStringLiteral("¿Está seguro que desea eliminar el Plus : ");
    d.tituloEliminar = QStringLiteral("Eliminar Plus...");
    d.mensajeSinCodigo = sinCodigo(QStringLiteral("Plus"));
    d.importes = {{4, QStringLiteral("Importe"), QStringLiteral("ImporteE")}};
    d.pistaPesetas = QStringLiteral("Muestra los importes en pesetas");
    d.pistaEuros = QStringLiteral("Muestra los importes en euros");
    d.eurosAntesQuePesetas = true;
    return d;
}

DescripcionLista listaUsuarios()
{
    DescripcionLista d;
    d.titulo = QStringLiteral("Gestión de usuarios");
    d.tamano = QSize(364, 212);
    d.consulta = [] { return Datos() ? Datos()->TCUsuario : nullptr; };
    d.tabla = [] { return Datos() ? Datos()->TUsuario : nullptr; };
    d.primeraLinea = QStringLiteral("SELECT  *");
    d.lineaFrom = QStringLiteral("FROM Usuario");
    d.tablaEsquema = QStringLiteral("TCUsuario");
    d.seccion = QStringLiteral("Tabla Usuarios");
    d.prefijoTitulo = QStringLiteral("Usuarios (ordenado por ");
    d.pistaCerrar = QStringLiteral("Cerrar Usuarios");
    d.codigoModo = 20;
    d.columnas = {{QStringLiteral("Codigo"), QStringLiteral("Código"), 41},
                  {QStringLiteral("Nombre"), QStringLiteral("Nombre"), 206},
                  {QStringLiteral("Tipo"), QStringLiteral("Tipo"), 90}};
    d.conZoom = false;
    // Chosen: a user without a code is refused as the other lists refuse one.
    d.mensajeSinCodigo = sinCodigo(QStringLiteral("Usuario"));
    // Takes Ctrl+Delete away from the grid; does nothing.
    AccionExtra contrl;
    contrl.nombre = QStringLiteral("ActControlarSuprimir");
    contrl.texto = QStringLiteral("contrl");
    contrl.ejecutar = [] {};
    contrl.atajo = QKeySequence(Qt::CTRL | Qt::Key_Delete);
    contrl.alPrincipio = true;
    d.extras = {contrl};
    d.disposicion = {QStringLiteral("ActNuevo"), QStringLiteral("ActModificar"), QStringLiteral("ActEliminar"),
                     QStringLiteral("ActBuscar"), QStringLiteral("-"), QStringLiteral("ActRefrescar"),
                     QStringLiteral("ActImprimir"), QStringLiteral("-"), QStringLiteral("ActCerrar")};
    return d;
}

DescripcionEdicion edicionCliente()
{
    DescripcionEdicion d;
    d.titulo = QStringLiteral("Alta/Modificación cliente");
    d.tamano = QSize(388, 328);
    d.tabla = [] { return Datos() ? Datos()->TCliente : nullptr; };
    d.tablaEsquema = QStringLiteral("Cliente");
    d.tituloNuevo = QStringLiteral("Nuevo Cliente...");
    d.tituloModificar = QStringLiteral("Modificar Cliente...");
    d.tituloZoom = QStringLiteral("Visualizar Cliente...");
    d.codigoDuplicado = QStringLiteral("Ya existe un Cliente con este código.");
    d.nombreVacio = QStringLiteral("El nombre debe contener un valor.");
    d.nombreDuplicado = QStringLiteral("Ya existe un Cliente con este nombre.");
    d.nifVacio = QStringLiteral("El NIF debe contener un valor.");
    d.nifDuplicado = QStringLiteral("Ya existe un Cliente con este NIF.");
    d.tagSeleccion = 50;
    return d;
}

DescripcionEdicion edicionAparato()
{
    DescripcionEdicion d;
    d.titulo = QStringLiteral("Alta/Modificación aparato");
    d.tamano = QSize(392, 282);
    d.tabla = [] { return Datos() ? Datos()->TAparato : nullptr; };
    d.tablaEsquema = QStringLiteral("Aparato");
    d.tituloNuevo = QStringLiteral("Nuevo Aparato...");
    d.tituloModificar = QStringLiteral("Modificar Aparato...");
    d.tituloZoom = QStringLiteral("Visualizar Aparato...");
    d.abrirSiempre = true;
    d.codigoDuplicado = QStringLiteral("Ya existe un Aparato con este código.");
    d.nombreVacio = QStringLiteral("La descripción debe contener un valor.");
    d.nombreDuplicado = QStringLiteral("Ya existe un Aparato con esta descripción.");
    d.tagSeleccion = 30;
    return d;
}

DescripcionEdicion edicionPlus()
{
    DescripcionEdicion d;
    d.titulo = QStringLiteral("Alta/Modificación plus");
    d.tamano = QSize(358, 164);
    d.tabla = [] { return Datos() ? Datos()->TPlus : nullptr; };
    d.tablaEsquema = QStringLiteral("Plus");
    d.tituloNuevo = QStringLiteral("Nuevo Plus...");
    d.tituloModificar = QStringLiteral("Modificar Plus...");
    d.tituloZoom = QStringLiteral("Visualizar Plus...");
    d.abrirSiempre = true;
    d.codigoDuplicado = QStringLiteral("Ya existe un Plus con este código.");
    // Chosen: the description box is checked like the other windows' name box.
    d.nombreVacio = QStringLiteral("La descripción debe contener un valor.");
    d.nombreDuplicado = QStringLiteral("Ya existe un Plus con esta descripción.");
    d.tragarMas = true;
    return d;
}

DescripcionEdicion edicionUsuario()
{
    DescripcionEdicion d;
    d.titulo = QStringLiteral("Alta/Modificación usuarios...");
    d.tamano = QSize(294, 142);
    d.tabla = [] { return Datos() ? Datos()->TUsuario : nullptr; };
    d.tablaEsquema = QStringLiteral("Usuario");
    d.tituloNuevo = QStringLiteral("Nuevo Usuario...");
    d.tituloModificar = QStringLiteral("Modificar Usuario...");
    d.tituloZoom = QStringLiteral("Visualizar Usuario...");
    d.abrirSiempre = true;
    d.cerrarTC = false;
    d.codigoVacio.clear();
    return d;
}

} // namespace familia
