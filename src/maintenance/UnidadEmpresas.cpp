#include "maintenance/UnidadEmpresas.h"

#include "core/EstadoAplicacion.h"
#include "core/Mensajes.h"
#include "data/UnidadDatos.h"
#include "maintenance/UnidadGEmpresa.h"
#include "ui/ManejoErrores.h"
#include "ui/Permisos.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString TituloInformacion = QStringLiteral("Información...");
const QString TituloEliminar = QStringLiteral("Eliminar empresa...");
const QString Precaucion = QStringLiteral("  PROCEDA CON PRECAUCIÓN YA QUE LA EMPRESA Y TODOS SUS DATOS SERÁN "
                                          "ELIMINADOS Y NO SE PODRÁN RECUPERAR.");

DescripcionLista descripcionEmpresas()
{
    DescripcionLista d;
    d.titulo = QStringLiteral("Empresas...");
    d.tamano = QSize(501, 268);
    d.ayuda = 102230;
    d.consulta = [] { return Datos() ? Datos()->TCEmpresa : nullptr; };
    d.tabla = [] { return Datos() ? Datos()->TEmpresa : nullptr; };
    d.lineaFrom = QStringLiteral("FROM Empresa");
    d.tablaEsquema = QStringLiteral("TCEmpresa");
    d.ventanaEdicion = [](QWidget* padre) -> QDialog* { return new TFormEmpresaG(padre); };
    d.seccion = QStringLiteral("Tabla Empresas");
    d.prefijoTitulo = QStringLiteral("Empresas (ordenado por ");
    d.pistaCerrar = QStringLiteral("Cerrar Empresas");
    d.codigoModo = 40;
    d.columnas = {{QStringLiteral("Codigo"), QStringLiteral("Código"), 54},
                  {QStringLiteral("Nombre"), QStringLiteral("Nombre"), 276},
                  {QStringLiteral("FechaAlta"), QStringLiteral("Inicio"), 70},
                  {QStringLiteral("FechaBaja"), QStringLiteral("Fin"), 68}};
    d.mensajeSinCodigo.clear();
    d.conZoom = false;
    d.modal = true;
    d.permisoSinEmpresa = true;
    AccionExtra seleccionar;
    seleccionar.nombre = QStringLiteral("ActSeleccionar");
    seleccionar.texto = QStringLiteral("Seleccionar");
    seleccionar.pista = QStringLiteral("Seleccionar");
    seleccionar.tecla = QLatin1Char('C');
    seleccionar.ejecutarEn = [](TFormLista* lista) {
        if (auto* e = qobject_cast<TFormEmpresas*>(lista))
            e->ActSeleccionarExecute();
    };
    d.extras = {seleccionar};
    d.disposicion = {QStringLiteral("ActNuevo"), QStringLiteral("ActModificar"), QStringLiteral("ActEliminar"),
                     QStringLiteral("ActBuscar"), QStringLiteral("-"), QStringLiteral("ActSeleccionar"),
                     QStringLiteral("-"), QStringLiteral("ActRefrescar"), QStringLiteral("ActImprimir"),
                     QStringLiteral("-"), QStringLiteral("ActCerrar")};
    return d;
}

void cursorNormal()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

} // namespace

TFormEmpresas::TFormEmpresas(QWidget* parent) : TFormLista(descripcionEmpresas(), parent)
{
    setObjectName(QStringLiteral("formempresas"));
    // A border with the system menu only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
}

void TFormEmpresas::antesDeMostrar()
{
    // The companies live in the base folder, whoever pointed the tables last.
    if (TDatos* d = Datos()) {
        d->TEmpresa->close();
        d->TCEmpresa->close();
        d->apuntarEmpresas(carpetaBase());
    }
}

void TFormEmpresas::ActModificarExecute()
{
    if (avisarSiVacia(QStringLiteral("No hay datos")))
        return;
    TFormLista::ActModificarExecute();
}

void TFormEmpresas::ActBuscarExecute()
{
    if (avisarSiVacia(QStringLiteral("No hay datos")))
        return;
    // No permission check here.
    if (abrirLocalizar())
        abrirLocalizar()(this, descripcion().codigoModo);
}

void TFormEmpresas::TablaDblClick()
{
    ActSeleccionarExecute();
}

void TFormEmpresas::ActSeleccionarExecute()
{
    if (avisarSiVacia(QStringLiteral("No hay datos")))
        return;
    const int codigo = consulta()->fieldByName(QStringLiteral("Codigo"))->asInteger();
    try {
        AbrirEmpresa(codigo);
    } catch (...) {
        cursorNormal();
        throw;
    }
    cursorNormal();
    ActCerrarExecute();
}

bool eliminarCarpetaEmpresa(int codigo)
{
    const QString carpeta = carpetaEmpresa(codigo);
    const QFileInfo info(carpeta);
    const QString base = QFileInfo(carpetaBase().isEmpty() ? QStringLiteral(".") : carpetaBase()).canonicalFilePath();
    // Only a real folder named as the company's, directly inside the base folder.
    if (!info.isDir() || info.isSymLink() || base.isEmpty()
        || QFileInfo(info.canonicalFilePath()).canonicalPath() != base
        || info.fileName().compare(QStringLiteral("Emp") + QString::number(codigo), Qt::CaseInsensitive) != 0)
        return false;
    QDir dir(info.canonicalFilePath());
    const QFileInfoList entradas =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& e : entradas) {
        // Files and links are removed; a subfolder is not followed (it keeps the folder).
        if (e.isFile() || e.isSymLink())
            QFile::remove(e.absoluteFilePath());
    }
    QDir().rmdir(info.canonicalFilePath());
    return true;
}

void TFormEmpresas::ActEliminarExecute()
{
    if (avisarSiVacia(QStringLiteral("No hay Empresas para eliminar.")))
        return;
    if (!ComprobarUsuario(QStringLiteral("altas/bajas"), false))
        return;
    motor::Field* fn = consulta()->fieldByName(QStringLiteral("Nombre"));
    const QString nombre = fn->isNull() ? QString() : fn->asString();
    const int codigo = consulta()->fieldByName(QStringLiteral("Codigo"))->asInteger();
    if (codigo == Estado().CodigoEmpresa) {
        msError(QStringLiteral("No puede eliminar la empresa activa."), QStringLiteral("Empresa activa..."));
        return;
    }
    motor::Table* t = tablaEdicion();
    if (!t->isOpen())
        t->open();
    else if (t->state() == motor::Dataset::State::Browse)
        t->refresh();
    // Holding the row's lock while asking keeps another seat from editing it.
    const bool enFila = t->locate(QStringLiteral("Codigo"), codigo);
    if (enFila)
        t->edit(); // a refusal was reported by the data module (EAbort)
    auto soltar = [t] {
        if (t->state() == motor::Dataset::State::Edit)
            t->cancel();
    };

    const QString carpeta = carpetaEmpresa(codigo);
    const QString cod = QString::number(codigo);
    if (QFileInfo(carpeta).isDir()) {
        const bool si = msSi(QStringLiteral("¿Está seguro que desea ELIMINAR la empresa ") + QStringLiteral("\n\n -> ")
                                 + cod + QStringLiteral(" - ") + nombre + QStringLiteral("\n -> Ruta: ")
                                 + QDir::toNativeSeparators(carpeta) + QStringLiteral("\n\n") + Precaucion,
                             TituloEliminar)
            && msSi(QStringLiteral("SEGUNDO MENSAJE DE CONFIRMACIÓN:  ¿Está seguro que desea ELIMINAR la empresa ")
                        + QStringLiteral("\n\n") + cod + QStringLiteral(" - ") + nombre + QStringLiteral("\n\n\n")
                        + Precaucion,
                    TituloEliminar)
            && msOK(QStringLiteral("Se va a proceder a la eliminación de la empresa.\n\n") + cod
                        + QStringLiteral(" - ") + nombre,
                    TituloEliminar);
        if (!si) {
            soltar();
            return;
        }
        if (!eliminarCarpetaEmpresa(codigo)) {
            soltar();
            msError(QStringLiteral("La carpeta de la empresa no está dentro de la carpeta de datos; "
                                   "no se ha eliminado nada."),
                    TituloEliminar);
            return;
        }
    }
    soltar();
    if (t->locate(QStringLiteral("Codigo"), codigo))
        t->remove();
    refrescar();
    msInfo(QStringLiteral("La empresa se ha eliminado correctamente."), TituloInformacion);
}
