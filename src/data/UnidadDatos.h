#pragma once
// The data module: the engine session "S1", the working database "Provenda"
// (the open company's folder), one table object and one list query per table,
// and the general query TC. One instance, reached through Datos().
#include "engine/Motor.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

class TDatos : public QObject {
    Q_OBJECT
public:
    // DataModuleCreate: session "S1" with its private folder (program folder +
    // "TEMP") and network control folder (RutaServidor + "NET"; the program
    // folder's "NET" when RutaServidor is empty), table password, activated.
    // The master tables point at carpetaBase().
    explicit TDatos(QObject* parent = nullptr);
    ~TDatos() override;

    motor::Session* Session1 = nullptr;
    motor::Database* DB = nullptr;        // "Provenda"

    motor::Table* TComercial = nullptr;
    motor::Table* TCliente = nullptr;
    motor::Table* TAparato = nullptr;
    motor::Table* TPlus = nullptr;
    motor::Table* TVenta = nullptr;
    motor::Table* TCobro = nullptr;
    motor::Table* TComercialGasto = nullptr;
    motor::Table* TExtra = nullptr;
    motor::Table* TFactura = nullptr;
    motor::Table* TUsuario = nullptr;     // master folder
    motor::Table* TEmpresa = nullptr;     // master folder

    motor::Query* TCComercial = nullptr;
    motor::Query* TCCliente = nullptr;
    motor::Query* TCAparato = nullptr;
    motor::Query* TCPlus = nullptr;
    motor::Query* TCVenta = nullptr;
    motor::Query* TCCobro = nullptr;
    motor::Query* TCComercialGasto = nullptr;
    motor::Query* TCExtra = nullptr;
    motor::Query* TCFactura = nullptr;
    motor::Query* TCUsuario = nullptr;    // master folder
    motor::Query* TCEmpresa = nullptr;    // master folder

    motor::Query* TC = nullptr;           // general query, on Provenda at start

    // The table object / list query of a schema table (by table name, file
    // name, object or query name: "Comercial", "TComercialGasto", ...); nullptr when unknown.
    motor::Table* tabla(const QString& nombre) const;
    motor::Query* consulta(const QString& nombre) const;
    QList<motor::Table*> tablas() const;      // the eleven table objects
    QList<motor::Query*> consultas() const;   // the eleven list queries

    // Points the working database at a company folder: closes its data sets
    // and DB, sets the path, opens. Failures propagate unchanged.
    void apuntarEmpresa(const QString& carpeta);
    // Point TUsuario and TCUsuario (TEmpresa and TCEmpresa) at the master
    // folder, closing them first; they are left closed.
    void apuntarUsuarios(const QString& carpetaMaestra);
    void apuntarEmpresas(const QString& carpetaMaestra);
    QString carpetaUsuarios() const;
    QString carpetaEmpresas() const;

    // Closes every data set (tables, list queries, TC) and DB.
    void cerrarTodo();

    // Safe counts for the duplicate and reference checks (values are bound,
    // never pasted): rows of a schema table whose field equals the value;
    // with mayusculas the comparison is upper(campo) = upper(valor) (Unicode
    // upper). Company tables are read in Provenda, master tables in their
    // folder. Table and field must be in the schema (EDatabaseError otherwise).
    int contar(const QString& tabla, const QString& campo, const QVariant& valor,
               bool mayusculas = false) const;
    bool existe(const QString& tabla, const QString& campo, const QVariant& valor,
                bool mayusculas = false) const
    { return contar(tabla, campo, valor, mayusculas) > 0; }

    // The error handlers installed on every table (public for tests): show the
    // message of the engine code with msError and answer true (the engine then
    // abandons the operation with EAbort).
    static bool DBEditError(const motor::Table* tabla, const EDBEngineError& e);
    static bool DBPostError(const motor::Table* tabla, const EDBEngineError& e);

private:
    motor::Table* nuevaTabla(const QString& nombre);
    motor::Query* nuevaConsulta(const QString& nombre);
    QString m_carpetaUsuarios;
    QString m_carpetaEmpresas;
};

// The one data module; nullptr until crearDatos().
TDatos* Datos();
// Creates the data module (replacing any previous one) and returns it.
TDatos* crearDatos();
void destruirDatos();
