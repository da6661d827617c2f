#include "data/Esquema.h"

#include "core/Errores.h"

#include <QDir>
#include <QFileInfo>

namespace esquema {

namespace {

using motor::FieldType;

// Small builders so the tables below read like the schema itself.
Campo texto(const QString& nombre, int tamano, const QString& etiqueta = {}, int ancho = 0)
{
    Campo c;
    c.nombre = nombre;
    c.tipo = FieldType::String;
    c.tamano = tamano;
    c.etiqueta = etiqueta;
    c.ancho = ancho;
    return c;
}

Campo de(const QString& nombre, FieldType tipo, const QString& etiqueta = {}, int ancho = 0)
{
    Campo c;
    c.nombre = nombre;
    c.tipo = tipo;
    c.etiqueta = etiqueta;
    c.ancho = ancho;
    return c;
}

Campo requerido(Campo c)
{
    c.requerido = true;
    return c;
}

Campo fecha(const QString& nombre, const QString& etiqueta = {})
{
    Campo c = de(nombre, FieldType::Date, etiqueta);
    c.mascara = MascaraFecha;
    return c;
}

Campo logico(const QString& nombre, const QString& etiqueta = {}, bool siNo = false)
{
    Campo c = de(nombre, FieldType::Boolean, etiqueta);
    if (siNo)
        c.textosBool = TextosSiNo;
    return c;
}

Campo pesetas(const QString& nombre, const QString& etiqueta = {})
{
    return de(nombre, FieldType::Currency, etiqueta);
}

Campo euros(const QString& nombre, const QString& etiqueta = {})
{
    Campo c = de(nombre, FieldType::Float, etiqueta);
    c.formato = FormatoEuros;
    return c;
}

Campo memo(const QString& nombre, const QString& etiqueta = {})
{
    return de(nombre, FieldType::Memo, etiqueta);
}

Campo busqueda(const QString& nombre, const QString& etiqueta, const QString& clave,
               const QString& origen, const QString& resultado,
               FieldType tipo = FieldType::String, int tamano = 255)
{
    Campo c;
    c.nombre = nombre;
    c.tipo = tipo;
    c.tamano = tipo == FieldType::String ? tamano : 0;
    c.etiqueta = etiqueta;
    c.busqueda = Busqueda{clave, origen, QStringLiteral("Codigo"), resultado};
    return c;
}

// Bank account fields shared by representatives and clients.
QList<Campo> cuentaBancaria()
{
    return {texto("CCCEntidad", 4), texto("CCCAgencia", 4), texto("CCCDC", 2), texto("CCCCuenta", 10)};
}

// The SQL of the joined list queries. The design text ordered by
// "co.Comercial", which is no column; these order by the joined alias.
QStringList sqlUnido(const QString& tabla, bool cliente, bool aparato, bool liva = false)
{
    QString select = QStringLiteral("select  c.*, co.Nombre Comercial");
    QString from = QStringLiteral("from %1 c, comercial co").arg(tabla);
    QString where = QStringLiteral("where c.codigoComercial = co.Codigo");
    if (cliente) {
        select += QStringLiteral(", cl.Nombre Cliente");
        from += QStringLiteral(", cliente cl");
        where = QStringLiteral("where c.codigoCliente = cl.Codigo AND c.codigoComercial = co.Codigo");
    }
    if (liva)
        select += QStringLiteral(", co.IVA LIVA");
    QStringList lineas;
    if (aparato) {
        select += QStringLiteral(", ap.Nombre Aparato");
        from += QStringLiteral(", aparato ap");
        lineas << select << from << where + QStringLiteral(" and") << QStringLiteral("c.codigoaparato = ap.codigo");
    } else {
        lineas << select << from << where;
    }
    lineas << QStringLiteral("order by Comercial");
    return lineas;
}

Tabla hacer(const QString& nombre, const QString& fichero, Carpeta carpeta, const QString& objeto,
            QList<Campo> campos, QStringList sql, QList<Campo> unidas = {},
            QList<QPair<QString, QString>> etiquetasLista = {})
{
    Tabla t;
    t.nombre = nombre;
    t.fichero = fichero;
    t.carpeta = carpeta;
    t.objeto = objeto;
    t.consulta = QStringLiteral("TC") + objeto.mid(1);
    t.campos = std::move(campos);
    t.sqlConsulta = std::move(sql);
    for (const Campo& c : t.campos) {
        if (c.esBusqueda())
            continue;
        Campo col = c;
        for (const auto& [campo, etiqueta] : etiquetasLista)
            if (campo == c.nombre)
                col.etiqueta = etiqueta;
        t.camposConsulta << col;
    }
    t.camposConsulta << unidas;
    return t;
}

QList<Tabla> construir()
{
    const Carpeta E = Carpeta::Empresa;
    const Carpeta M = Carpeta::Maestra;
    const Campo jComercial = texto("Comercial", 150, {});
    const Campo jCliente = texto("Cliente", 150, {});
    const Campo jAparato = texto("Aparato", 255, {});

    QList<Tabla> r;

    r << hacer("Comercial", "Comercial.DB", E, "TComercial",
        QList<Campo>{
            requerido(texto("NIF", 20, "N.I.F.", 12)),
            texto("Tipo", 15),
            requerido(texto("Nombre", 150, {}, 100)),
            texto("Direccion", 100, "Dirección", 60),
            texto("Poblacion", 50, "Población", 40),
            texto("Provincia", 50, {}, 30),
            de("CP", FieldType::Float, "C.P.", 8),
            logico("IVA", "I.V.A. Facturas", true),
            texto("Telefono", 12, "Teléfono"),
            memo("Observacion", "Observación"),
            texto("Codigo", 4, "Código"),
        } + cuentaBancaria(),
        {"select *", "from comercial"});

    r << hacer("Cliente", "Cliente.DB", E, "TCliente",
        QList<Campo>{
            texto("Codigo", 4, "Código"),
            texto("NIF", 20, "N.I.F."),
            texto("Nombre", 150),
            texto("Telefono1", 50, "Teléfono 1"),
            texto("Telefono2", 50, "Teléfono 2"),
            texto("Direccion", 100, "Dirección"),
            texto("Poblacion", 50, "Población"),
            texto("Provincia", 50),
            de("CP", FieldType::Float, "C.P."),
            texto("EMail", 255),
            memo("Observacion", "Observación"),
        } + cuentaBancaria(),
        {"select *", "from cliente"}, {}, {{"EMail", "E-Mail"}});

    r << hacer("Aparato", "Aparato.DB", E, "TAparato",
        {
            pesetas("ImporteComision", "Importe Comisión"),
            logico("Plus", {}, true),
            pesetas("ImporteVenta", "Importe Venta"),
            pesetas("ImporteCompra", "Importe Compra"),
            memo("Observacion", "Observación"),
            texto("Codigo", 4, "Código"),
            texto("Nombre", 255, "Descripción"),
            euros("ImporteComisionE", "Importe Comisión (€)"),
            euros("ImporteVentaE", "Importe Venta (€)"),
            euros("ImporteCompraE", "Importe Compra (€)"),
        },
        {"select *", "from aparato"});

    r << hacer("Plus", "Plus.DB", E, "TPlus",
        {
            pesetas("Importe"),
            texto("Codigo", 4, "Código", 4),
            texto("Nombre", 50, "Descripción", 50),
            de("NVentasD", FieldType::Float, "Desde nº ventas"),
            de("NVentasH", FieldType::Float, "Hasta nº ventas"),
            euros("ImporteE", "Importe (€)"),
        },
        {"select  *", "from plus"});

    {
        Campo codigoComercial = texto("CodigoComercial", 4, "Código Comercial", 4);
        r << hacer("Venta", "Venta.db", E, "TVenta",
            {
                de("Codigo", FieldType::Integer, "Código"),
                pesetas("Importe"),
                busqueda("NombreCliente", "Cliente", "CodigoCliente", "Cliente", "Nombre"),
                busqueda("NombreComercial", "Nombre Comercial", "CodigoComercial", "Comercial", "Nombre"),
                codigoComercial,
                texto("CodigoAparato", 4, "Código Aparato"),
                texto("CodigoCliente", 4, "Código Cliente"),
                fecha("FechaInstalacion", "Fecha Instalación"),
                fecha("Fecha"),
                texto("FormaPago", 200, "Forma de Pago"),
                logico("Cobrada", {}, true),
                memo("Observacion", "Observación"),
                busqueda("NombreAparato", {}, "CodigoAparato", "Aparato", "Nombre"),
                euros("ImporteE"),
            },
            sqlUnido("venta", true, true), {jComercial, jCliente, jAparato});
    }

    r << hacer("Cobro", "Cobro.DB", E, "TCobro",
        {
            fecha("Fecha"),
            texto("TipoCobro", 150, "Tipo Cobro"),
            pesetas("Importe"),
            texto("CodigoCliente", 4, "Código Cliente", 4),
            texto("CodigoComercial", 4, "Código Comercial"),
            busqueda("NombreCliente", "Cliente", "CodigoCliente", "Cliente", "Nombre"),
            de("Codigo", FieldType::AutoInc),
            busqueda("NombreComercial", "Nombre Comercial", "CodigoComercial", "Comercial", "Nombre"),
            euros("ImporteE", "Importe (€)"),
        },
        sqlUnido("cobro", true, false), {jComercial, jCliente});

    r << hacer("Gasto", "Gasto.DB", E, "TComercialGasto",
        {
            pesetas("Importe"),
            fecha("Fecha"),
            texto("CodigoComercial", 4, "Cód. Comercial"),
            de("Codigo", FieldType::AutoInc, "Código"),
            texto("Nombre", 255, "Descripción", 255),
            busqueda("NombreComercial", "Comercial", "CodigoComercial", "Comercial", "Nombre"),
            euros("ImporteE", "Importe (€)"),
        },
        sqlUnido("gasto", false, false), {jComercial});

    r << hacer("Extra", "Extra.DB", E, "TExtra",
        {
            fecha("Fecha"),
            pesetas("Importe"),
            texto("CodigoComercial", 4, "Código Comercial"),
            texto("Nombre", 255, "Descripción"),
            de("Codigo", FieldType::AutoInc, "Código"),
            busqueda("NombreComercial", "Comercial", "CodigoComercial", "Comercial", "Nombre"),
            euros("ImporteE", "Importe (€)"),
        },
        sqlUnido("extra", false, false), {jComercial});

    {
        Campo liva = busqueda("LIVA", {}, "CodigoComercial", "Comercial", "IVA", FieldType::Boolean);
        liva.textosBool = TextosSiNo;
        Campo livaConsulta = liva;
        livaConsulta.busqueda.reset();
        r << hacer("Factura", "Factura.db", E, "TFactura",
            {
                fecha("Fecha"),
                texto("CodigoComercial", 4, "Código Comercial"),
                busqueda("NombreComercial", "Comercial", "CodigoComercial", "Comercial", "Nombre"),
                texto("Codigo", 20, "Número", 20),
                texto("Calle", 150),
                texto("Poblacion", 150, "Población", 150),
                texto("Provincia", 150),
                de("CP", FieldType::Float, "C.P."),
                texto("Nombre", 150),
                texto("CIF", 150),
                texto("Telefono", 15, "Teléfono"),
                texto("Concepto", 255),
                pesetas("ImporteBase", "Importe Base"),
                de("PorcentajeIVA", FieldType::Float, "% IVA"),
                pesetas("ImporteIVA", "Importe IVA"),
                pesetas("ImporteRetencion", "Importe Retención"),
                de("PorcentajeRetencion", FieldType::Float, "% Retención"),
                busqueda("CalleComercial", "Comercial", "CodigoComercial", "Comercial", "Direccion"),
                busqueda("DNIComercial", "Comercial", "CodigoComercial", "Comercial", "NIF"),
                busqueda("TelefonoComercial", "Comercial", "CodigoComercial", "Comercial", "Telefono"),
                busqueda("ProvinciaComercial", "Comercial", "CodigoComercial", "Comercial", "Provincia"),
                pesetas("TotalFactura", "Total Factura"),
                busqueda("PoblacionComercial", "Comercial", "CodigoComercial", "Comercial", "Poblacion"),
                busqueda("CPComercial", "Comercial", "CodigoComercial", "Comercial", "CP"),
                euros("TotalFacturaE", "Total Factura (€)"),
                liva,
                euros("ImporteIVAE", "Importe IVA (€)"),
                euros("ImporteRetencionE", "Importe Retención (€)"),
                euros("ImporteBaseE", "Importe Base (€)"),
            },
            // The list query carries the lookup LIVA as a joined column.
            sqlUnido("factura", false, false, true), {jComercial, livaConsulta});
    }

    r << hacer("Usuario", "Usuario.DB", M, "TUsuario",
        {
            texto("Nombre", 100, {}, 100),
            // Holds a crypto_pwhash_str hash (about 100 characters), never the password.
            texto("Clave", 128),
            texto("Grupo", 20),
            texto("Tipo", 20),
            logico("Consulta"),
            logico("Activo"),
            texto("Codigo", 4, "Código"),
        },
        {"select  *", "from usuario"}, {}, {{"Clave", "Contraseña"}});

    r << hacer("Empresa", "Empresa.db", M, "TEmpresa",
        {
            fecha("FechaAlta"),
            fecha("FechaBaja"),
            texto("Moneda", 30),
            de("Cambio", FieldType::Float),
            texto("Nota", 255),
            texto("CIF", 30),
            texto("Domicilio", 70),
            texto("Poblacion", 70),
            texto("Provincia", 70),
            de("CP", FieldType::Float),
            texto("Telefono", 20),
            texto("Fax", 20),
            texto("Email", 100),
            logico("AjustarTamano"),
            texto("Inscripcion", 255),
            texto("RutaLogotipo", 255),
            de("Codigo", FieldType::Integer, "Código"),
            texto("Ruta", 255),
            logico("ACTIVA"),
            texto("Usuario", 30),
            logico("Ficheros"),
            requerido(texto("Nombre", 50)),
            de("Logotipo", FieldType::Graphic),
        },
        {"select *", "from empresa"}, {}, {{"FechaAlta", "Inicio"}, {"FechaBaja", "Fin"}});

    return r;
}

const Campo* buscaEn(const QList<Campo>& campos, const QString& nombre)
{
    for (const Campo& c : campos)
        if (c.nombre.compare(nombre, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

} // namespace

const Campo* Tabla::campo(const QString& n) const { return buscaEn(campos, n); }
const Campo* Tabla::campoConsulta(const QString& n) const { return buscaEn(camposConsulta, n); }

QList<Campo> Tabla::almacenados() const
{
    QList<Campo> r;
    for (const Campo& c : campos)
        if (!c.esBusqueda())
            r << c;
    return r;
}

QList<Campo> Tabla::busquedas() const
{
    QList<Campo> r;
    for (const Campo& c : campos)
        if (c.esBusqueda())
            r << c;
    return r;
}

QString Tabla::campoEuros(const QString& pesetas) const
{
    const Campo* p = campo(pesetas);
    if (!p || !p->esPesetas())
        return {};
    const Campo* e = campo(p->nombre + QLatin1Char('E'));
    return e ? e->nombre : QString();
}

motor::TableDef Tabla::definicion() const
{
    motor::TableDef def;
    def.name = nombre;
    def.fileName = fichero;
    def.keyField = QStringLiteral("Codigo");
    for (const Campo& c : campos) {
        if (c.esBusqueda())
            continue;
        motor::FieldDef f;
        f.name = c.nombre;
        f.type = c.tipo;
        f.size = c.tipo == motor::FieldType::String ? (c.tamano > 0 ? c.tamano : 20) : 0;
        f.required = c.requerido;
        def.fields << f;
    }
    return def;
}

const QList<Tabla>& tablas()
{
    static const QList<Tabla> todas = construir();
    return todas;
}

const Tabla* buscaTabla(const QString& nombre)
{
    for (const Tabla& t : tablas()) {
        if (t.nombre.compare(nombre, Qt::CaseInsensitive) == 0
            || t.fichero.compare(nombre, Qt::CaseInsensitive) == 0
            || t.objeto.compare(nombre, Qt::CaseInsensitive) == 0
            || t.consulta.compare(nombre, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

const Tabla& tabla(const QString& nombre)
{
    if (const Tabla* t = buscaTabla(nombre))
        return *t;
    throw EDatabaseError(QStringLiteral("Tabla desconocida: %1").arg(nombre));
}

const Campo* campo(const QString& t, const QString& c)
{
    const Tabla* tb = buscaTabla(t);
    return tb ? tb->campo(c) : nullptr;
}

QString etiqueta(const QString& t, const QString& c)
{
    const Campo* cp = campo(t, c);
    return cp ? cp->titulo() : QString();
}

const Campo* campoConsulta(const QString& t, const QString& c)
{
    const Tabla* tb = buscaTabla(t);
    return tb ? tb->campoConsulta(c) : nullptr;
}

QString etiquetaConsulta(const QString& t, const QString& c)
{
    const Campo* cp = campoConsulta(t, c);
    return cp ? cp->titulo() : QString();
}

QStringList tablasEmpresa()
{
    QStringList r;
    for (const Tabla& t : tablas())
        if (t.carpeta == Carpeta::Empresa)
            r << t.nombre;
    return r;
}

QStringList tablasMaestras()
{
    return {QStringLiteral("Empresa"), QStringLiteral("Usuario")};
}

namespace {
QString conBarra(const QString& carpeta)
{
    if (carpeta.isEmpty() || carpeta.endsWith(QLatin1Char('/')) || carpeta.endsWith(QLatin1Char('\\')))
        return carpeta;
    return carpeta + QLatin1Char('/');
}
} // namespace

QString rutaFichero(const QString& carpeta, const Tabla& t)
{
    const QString base = conBarra(carpeta);
    if (QFileInfo::exists(base + t.fichero))
        return base + t.fichero;
    const QStringList hay = QDir(carpeta.isEmpty() ? QStringLiteral(".") : carpeta).entryList(QDir::Files);
    for (const QString& f : hay)
        if (f.compare(t.fichero, Qt::CaseInsensitive) == 0)
            return base + f;
    return base + t.fichero;
}

bool existeFichero(const QString& carpeta, const Tabla& t)
{
    return QFileInfo(rutaFichero(carpeta, t)).isFile();
}

} // namespace esquema
