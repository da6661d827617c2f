#pragma once
// The database schema as data: every table with its fields, types, sizes,
// labels, display formats, edit masks, boolean texts and lookups, and the list
// query of each table with its design SQL and column labels. Grids, edit
// windows and reports look fields up here by table and field name.
#include "engine/Motor.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace esquema {

// Display format of euro amounts (and any two-decimal amount).
inline const QString FormatoEuros = QStringLiteral("###,###,###,##0.00;-###,###,###,##0.00;0");
// Whole units with thousands (pesetas in listings).
inline const QString FormatoUnidades = QStringLiteral("###,###,###,##0;-###,###,###,##0;0");
// Edit mask of dates: dd/mm/yy, separators stored, '_' as the blank.
inline const QString MascaraFecha = QStringLiteral("!99/99/00;1;_");
// Display texts of logical fields: true;false.
inline const QString TextosSiNo = QStringLiteral("Sí;No");

// Where a table lives: the open company's folder or the master folder.
enum class Carpeta { Empresa, Maestra };

// A field shown from another table by a code of this one (not stored).
struct Busqueda {
    QString campoClave;      // field of this table: "CodigoCliente"
    QString tablaOrigen;     // schema table holding the value: "Cliente"
    QString campoOrigen;     // its key: "Codigo"
    QString campoResultado;  // the value shown: "Nombre"
};

struct Campo {
    QString nombre;                       // "NIF"
    motor::FieldType tipo = motor::FieldType::String;
    int tamano = 0;                       // characters for text fields (20 when 0)
    bool requerido = false;
    QString etiqueta;                     // display label; empty: the field name
    int ancho = 0;                        // display width in characters; 0: default
    QString formato;                      // display format (FormatoEuros, ...)
    QString mascara;                      // edit mask (MascaraFecha)
    QString textosBool;                   // "Sí;No" where the schema gives them
    std::optional<Busqueda> busqueda;     // set for lookup fields

    bool esBusqueda() const { return busqueda.has_value(); }
    bool esClave() const { return nombre.compare(QLatin1String("Codigo"), Qt::CaseInsensitive) == 0; }
    // The label, or the field name when it has none (grid titles, report headers).
    QString titulo() const { return etiqueta.isEmpty() ? nombre : etiqueta; }
    // Amount fields: a pesetas (money) field has a euro twin named nombre + "E".
    bool esPesetas() const { return tipo == motor::FieldType::Currency; }
};

struct Tabla {
    QString nombre;          // "Comercial", "Gasto", "Usuario"
    QString fichero;         // "Comercial.DB", "Venta.db", "Gasto.DB"
    Carpeta carpeta = Carpeta::Empresa;
    QString objeto;          // table object of the data module: "TComercial", "TComercialGasto"
    QString consulta;        // list query of the data module: "TCComercial"
    QList<Campo> campos;     // as declared, lookup fields included
    QStringList sqlConsulta; // design SQL of the list query, one entry per line
    // Columns of the list query: the stored fields (with the list's own labels)
    // followed by the joined columns ("Comercial", "Cliente", "Aparato", "LIVA").
    QList<Campo> camposConsulta;

    // Field of the table (lookups included), case-insensitive; nullptr when missing.
    const Campo* campo(const QString& nombre) const;
    // Column of the list query, case-insensitive; nullptr when missing.
    const Campo* campoConsulta(const QString& nombre) const;
    QList<Campo> almacenados() const;     // stored fields only (no lookups)
    QList<Campo> busquedas() const;       // lookup fields only
    // The euro twin of a pesetas field ("Importe" -> "ImporteE"); empty when none.
    QString campoEuros(const QString& pesetas) const;
    // Engine definition: stored fields, key "Codigo", the table file name.
    motor::TableDef definicion() const;
};

// Every table: the nine company tables in the order Comercial, Cliente,
// Aparato, Plus, Venta, Cobro, Gasto, Extra, Factura, then Usuario and Empresa.
const QList<Tabla>& tablas();
// Looks a table up by its name, file name ("Venta.db"), table object
// ("TComercialGasto") or list query ("TCVenta"), case-insensitive.
const Tabla* buscaTabla(const QString& nombre);
// As buscaTabla, throwing EDatabaseError when unknown.
const Tabla& tabla(const QString& nombre);
// The field of a table (lookups included); nullptr when either is unknown.
const Campo* campo(const QString& tabla, const QString& campo);
// The display label of a table field, or the field name when it has no label;
// empty when unknown.
QString etiqueta(const QString& tabla, const QString& campo);
// The column of a list query (tabla: the table or the query name); nullptr when unknown.
const Campo* campoConsulta(const QString& tabla, const QString& campo);
// The label a list query shows for a column ("Contraseña", "Inicio", "E-Mail",
// "Comercial"), or the column name when it has none; empty when unknown.
QString etiquetaConsulta(const QString& tabla, const QString& campo);

QStringList tablasEmpresa();   // the nine company table names
QStringList tablasMaestras();  // "Empresa", "Usuario"
inline const QString CarpetaPlantillas = QStringLiteral("tablas");

// The path of a table's file in a folder, matching the file name without
// regard to case when a file is already there ("comercial.db" found for
// "Comercial.DB"); otherwise folder + the schema's file name.
QString rutaFichero(const QString& carpeta, const Tabla& tabla);
// True when the folder holds the table's file (name compared without case).
bool existeFichero(const QString& carpeta, const Tabla& tabla);

} // namespace esquema
