#include "data/UnidadDatos.h"

#include "core/EstadoAplicacion.h"
#include "core/Mensajes.h"
#include "data/Esquema.h"
#include "platform/Plataforma.h"

#include <QCoreApplication>
#include <QDir>

namespace {

TDatos* g_datos = nullptr;

QString conBarra(QString carpeta)
{
#ifndef Q_OS_WIN
    // RutaServidor is stored with backslashes for the other seats' sake.
    carpeta.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
    if (!carpeta.isEmpty() && !carpeta.endsWith(QLatin1Char('/')) && !carpeta.endsWith(QLatin1Char('\\')))
        carpeta += QLatin1Char('/');
    return carpeta;
}

// Name this seat shows to the others among the connected users.
QString usuarioSistema()
{
    QString u = qEnvironmentVariable("USER");
    if (u.isEmpty())
        u = qEnvironmentVariable("USERNAME");
    return u.isEmpty() ? QStringLiteral("Provenda") : u;
}

bool esTablaUsuarios(const motor::Table* t)
{
    return t && t->tableName().compare(QLatin1String("Usuario.DB"), Qt::CaseInsensitive) == 0;
}

} // namespace

TDatos::TDatos(QObject* parent)
    : QObject(parent)
{
    // DataModuleCreate.
    Session1 = new motor::Session(QStringLiteral("S1"), this);
    const QString programa = plataforma::carpetaPrograma();
    // An empty RutaServidor names "NET" relative to the current folder on the
    // original platform; here it is the program folder's, which is where a
    // seat that holds its own data keeps it.
    const QString ruta = Estado().RutaServidor;
    const QString net = (ruta.isEmpty() ? programa : conBarra(ruta)) + QStringLiteral("NET");
    const QString temp = programa + QStringLiteral("TEMP");
    QDir().mkpath(net);
    QDir().mkpath(temp);
    Session1->setNetDir(net);
    Session1->setPrivateDir(temp);
    Session1->addPassword(QStringLiteral("73064192k"));
    Session1->setUserName(usuarioSistema());
    Session1->open();

    DB = new motor::Database(Session1, QStringLiteral("Provenda"), this);

    TComercial = nuevaTabla(QStringLiteral("Comercial"));
    TCliente = nuevaTabla(QStringLiteral("Cliente"));
    TAparato = nuevaTabla(QStringLiteral("Aparato"));
    TPlus = nuevaTabla(QStringLiteral("Plus"));
    TVenta = nuevaTabla(QStringLiteral("Venta"));
    TCobro = nuevaTabla(QStringLiteral("Cobro"));
    TComercialGasto = nuevaTabla(QStringLiteral("Gasto"));
    TExtra = nuevaTabla(QStringLiteral("Extra"));
    TFactura = nuevaTabla(QStringLiteral("Factura"));
    TUsuario = nuevaTabla(QStringLiteral("Usuario"));
    TEmpresa = nuevaTabla(QStringLiteral("Empresa"));

    // Lookups, once every source table exists.
    for (const esquema::Tabla& t : esquema::tablas()) {
        motor::Table* objeto = tabla(t.nombre);
        for (const esquema::Campo& c : t.busquedas()) {
            motor::LookupDef l;
            l.name = c.nombre;
            l.keyField = c.busqueda->campoClave;
            l.source = tabla(c.busqueda->tablaOrigen);
            l.sourceKey = c.busqueda->campoOrigen;
            l.resultField = c.busqueda->campoResultado;
            l.type = c.tipo;
            l.size = c.tamano;
            objeto->addLookup(l);
        }
    }

    TCComercial = nuevaConsulta(QStringLiteral("Comercial"));
    TCCliente = nuevaConsulta(QStringLiteral("Cliente"));
    TCAparato = nuevaConsulta(QStringLiteral("Aparato"));
    TCPlus = nuevaConsulta(QStringLiteral("Plus"));
    TCVenta = nuevaConsulta(QStringLiteral("Venta"));
    TCCobro = nuevaConsulta(QStringLiteral("Cobro"));
    TCComercialGasto = nuevaConsulta(QStringLiteral("Gasto"));
    TCExtra = nuevaConsulta(QStringLiteral("Extra"));
    TCFactura = nuevaConsulta(QStringLiteral("Factura"));
    TCUsuario = nuevaConsulta(QStringLiteral("Usuario"));
    TCEmpresa = nuevaConsulta(QStringLiteral("Empresa"));

    TC = new motor::Query(this);
    TC->setObjectName(QStringLiteral("TC"));
    TC->setSession(Session1); // for the windows that point it at the master folder
    TC->setDatabase(DB);

    apuntarUsuarios(carpetaBase());
    apuntarEmpresas(carpetaBase());
}

TDatos::~TDatos()
{
    // Datasets first, then the database, then the seat (releases its locks).
    try {
        cerrarTodo();
        Session1->close();
    } catch (...) {
        // A failure while closing at exit has no one left to tell.
    }
}

motor::Table* TDatos::nuevaTabla(const QString& nombre)
{
    const esquema::Tabla& def = esquema::tabla(nombre);
    auto* t = new motor::Table(this);
    if (def.carpeta == esquema::Carpeta::Empresa)
        t->setDatabase(DB);
    else
        t->setSession(Session1); // master folder: this seat's locks
    t->setTableName(def.fichero);
    t->setObjectName(def.objeto); // after setTableName, which names it by its file
    t->onEditError = [t](const EDBEngineError& e) { return DBEditError(t, e); };
    t->onPostError = [t](const EDBEngineError& e) { return DBPostError(t, e); };
    // The engine commits every post and delete; the flush stays for the record.
    connect(t, &motor::Table::afterPost, t, [t] { t->flush(); });
    connect(t, &motor::Table::afterDelete, t, [t] { t->flush(); });
    return t;
}

motor::Query* TDatos::nuevaConsulta(const QString& nombre)
{
    const esquema::Tabla& def = esquema::tabla(nombre);
    auto* q = new motor::Query(this);
    q->setObjectName(def.consulta);
    if (def.carpeta == esquema::Carpeta::Empresa)
        q->setDatabase(DB);
    else
        q->setSession(Session1);
    q->setSql(def.sqlConsulta);
    return q;
}

namespace {
// Position of a schema table; tablas() and consultas() follow the schema's order.
int posicion(const QString& nombre)
{
    const esquema::Tabla* def = esquema::buscaTabla(nombre);
    if (!def)
        return -1;
    const QList<esquema::Tabla>& todas = esquema::tablas();
    for (int i = 0; i < todas.size(); ++i)
        if (&todas[i] == def)
            return i;
    return -1;
}
} // namespace

motor::Table* TDatos::tabla(const QString& nombre) const
{
    const int i = posicion(nombre);
    return i < 0 ? nullptr : tablas().value(i);
}

motor::Query* TDatos::consulta(const QString& nombre) const
{
    const int i = posicion(nombre);
    return i < 0 ? nullptr : consultas().value(i);
}

QList<motor::Table*> TDatos::tablas() const
{
    return {TComercial, TCliente, TAparato, TPlus, TVenta, TCobro, TComercialGasto, TExtra, TFactura,
            TUsuario, TEmpresa};
}

QList<motor::Query*> TDatos::consultas() const
{
    return {TCComercial, TCCliente, TCAparato, TCPlus, TCVenta, TCCobro, TCComercialGasto, TCExtra,
            TCFactura, TCUsuario, TCEmpresa};
}

void TDatos::apuntarEmpresa(const QString& carpeta)
{
    DB->closeDatasets();
    DB->close();
    DB->setPath(carpeta);
    DB->open();
}

void TDatos::apuntarUsuarios(const QString& carpetaMaestra)
{
    TUsuario->close();
    TCUsuario->close();
    m_carpetaUsuarios = carpetaMaestra;
    TUsuario->setFolder(carpetaMaestra);
    TCUsuario->setFolder(carpetaMaestra);
}

void TDatos::apuntarEmpresas(const QString& carpetaMaestra)
{
    TEmpresa->close();
    TCEmpresa->close();
    m_carpetaEmpresas = carpetaMaestra;
    TEmpresa->setFolder(carpetaMaestra);
    TCEmpresa->setFolder(carpetaMaestra);
}

QString TDatos::carpetaUsuarios() const { return m_carpetaUsuarios; }
QString TDatos::carpetaEmpresas() const { return m_carpetaEmpresas; }

void TDatos::cerrarTodo()
{
    for (motor::Table* t : tablas())
        t->close();
    for (motor::Query* q : consultas())
        q->close();
    TC->close();
    DB->close();
}

int TDatos::contar(const QString& nombreTabla, const QString& nombreCampo, const QVariant& valor,
                   bool mayusculas) const
{
    // Names come from the schema only, so nothing typed reaches the SQL text.
    const esquema::Tabla& t = esquema::tabla(nombreTabla);
    const esquema::Campo* c = t.campo(nombreCampo);
    if (!c || c->esBusqueda())
        throw EDatabaseError(QStringLiteral("Campo desconocido: %1.%2").arg(t.nombre, nombreCampo));
    motor::Query q;
    q.setSession(Session1);
    if (t.carpeta == esquema::Carpeta::Empresa)
        q.setDatabase(DB);
    else
        q.setFolder(t.nombre == QLatin1String("Usuario") ? m_carpetaUsuarios : m_carpetaEmpresas);
    q.addLine(QStringLiteral("SELECT count(*) C FROM %1").arg(t.nombre));
    q.addLine(mayusculas ? QStringLiteral("WHERE upper(%1) = upper(:valor)").arg(c->nombre)
                         : QStringLiteral("WHERE %1 = :valor").arg(c->nombre));
    q.setParam(QStringLiteral("valor"), valor);
    q.open();
    const int n = q.fieldByName(QStringLiteral("C"))->asInteger();
    q.close();
    return n;
}

bool TDatos::DBEditError(const motor::Table* tabla, const EDBEngineError& e)
{
    switch (e.codigo()) {
    case EDBEngineError::RegistroEliminado:
        msError(QStringLiteral("El registro actual ha sido ELIMINADO por otro usuario. Pulse refrescar para actualizar los cambios."),
                QStringLiteral("Registro eliminado..."));
        break;
    case EDBEngineError::NombreDuplicado:
        msError(esTablaUsuarios(tabla)
                    ? QStringLiteral("Ya existe un usuario con este nombre. Cambie el nombre o cancele las modificaciones.")
                    : QStringLiteral("Ya existe un comercial con este nombre. Cambie el nombre o cancele las modificaciones."),
                QStringLiteral("Nombre duplicado..."));
        break;
    case EDBEngineError::RegistroBloqueado:
        msError(QStringLiteral("El registro actual está siendo modificado por otro usuario. Espere a que éste termine para modificarlo."),
                QStringLiteral("Registro en uso..."));
        break;
    default:
        msError(QStringLiteral("Se ha producido un error al intentar editar el registro."),
                QStringLiteral("Error al editar..."));
        break;
    }
    return true;
}

bool TDatos::DBPostError(const motor::Table*, const EDBEngineError& e)
{
    if (e.codigo() == EDBEngineError::ClaveDuplicada)
        msError(QStringLiteral("Ya existe un registro con este valor. Cámbielo o cancele las modificaciones."),
                QStringLiteral("Valor duplicado..."));
    else
        msError(QStringLiteral("Se ha producido un error al intentar guardar los datos del registro actual."),
                QStringLiteral("Error al validar..."));
    return true;
}

TDatos* Datos()
{
    return g_datos;
}

TDatos* crearDatos()
{
    destruirDatos();
    g_datos = new TDatos();
    static bool enganchado = false;
    if (!enganchado && QCoreApplication::instance()) {
        enganchado = true;
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, [] { destruirDatos(); });
    }
    return g_datos;
}

void destruirDatos()
{
    delete g_datos;
    g_datos = nullptr;
}
