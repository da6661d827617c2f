#include "maintenance/UnidadComerciales.h"

#include "data/UnidadDatos.h"
#include "maintenance/UnidadGComerial.h"

DescripcionLista TFormComercial::descripcionComerciales()
{
    DescripcionLista d;
    d.titulo = QStringLiteral("Comerciales");
    d.tamano = QSize(632, 266);
    d.ayuda = 1010;
    d.consulta = [] { return Datos() ? Datos()->TCComercial : nullptr; };
    d.tabla = [] { return Datos() ? Datos()->TComercial : nullptr; };
    d.lineaFrom = QStringLiteral("FROM Comercial");
    d.tablaEsquema = QStringLiteral("Comercial");
    d.ventanaEdicion = [](QWidget* padre) -> QDialog* { return new TFormComercialG(padre); };
    d.seccion = QStringLiteral("Tabla Comerciales");
    d.prefijoTitulo = QStringLiteral("Comerciales (ordenado por ");
    d.pistaCerrar = QStringLiteral("Cerrar Comerciales");
    d.codigoModo = 10;
    d.columnas = {
        {QStringLiteral("Codigo"), QString(), 41},
        {QStringLiteral("Nombre"), QString(), 154},
        {QStringLiteral("NIF"), QString(), 68},
        {QStringLiteral("Tipo"), QString(), 74},
        {QStringLiteral("IVA"), QString(), 36},
        {QStringLiteral("Telefono"), QString(), 66},
        {QStringLiteral("Poblacion"), QString(), 91},
        {QStringLiteral("Provincia"), QString(), 75},
    };
    const QString c = QStringLiteral("CodigoComercial");
    d.referencias = {
        {c, QStringLiteral("Venta"), QStringLiteral("No se puede eliminar el Comercial ya que existen Ventas a su nombre.")},
        {c, QStringLiteral("Cobro"), QStringLiteral("No se puede eliminar el Comercial ya que existen Cobros a su nombre.")},
        {c, QStringLiteral("Gasto"), QStringLiteral("No se puede eliminar el Comercial ya que existen Gastos a su nombre.")},
        {c, QStringLiteral("Extra"), QStringLiteral("No se puede eliminar el Comercial ya que existen Extras a su nombre.")},
        {c, QStringLiteral("Factura"), QStringLiteral("No se puede eliminar el Comercial ya que existen Facturas a su nombre.")},
    };
    d.preguntaEliminar = QStringLiteral("¿Está seguro que desea eliminar el Comercial : ");
    d.tituloEliminar = QStringLiteral("Eliminar Comercial...");
    d.mensajeSinCodigo = QStringLiteral(
        "Atención, el Comercial actual no tiene código, elimínelo antes de continuar.");
    return d;
}

TFormComercial::TFormComercial(QWidget* parent) : TFormLista(descripcionComerciales(), parent)
{
    setObjectName(QStringLiteral("FormComercial"));
    accion(QStringLiteral("ActNuevo"))->setProperty("ayuda", 1011);   // help topic
}
