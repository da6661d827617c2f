#pragma once
// Settings file: sections of key=value lines. Our own reader/writer: names are
// case-insensitive, booleans "1"/"0", dates/times/floats in the regional forms.
// Every write goes to a temporary file renamed into place (QSaveFile).
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QDateTime>
#include <QList>
#include <QPair>

class ArchivoIni {
public:
    // Reads the file at once; a missing or unreadable file reads as empty.
    explicit ArchivoIni(QString ruta);
    const QString& ruta() const { return m_ruta; }

    bool existe(const QString& seccion, const QString& clave) const;
    bool existeSeccion(const QString& seccion) const;
    QString leeCadena(const QString& seccion, const QString& clave, const QString& defecto) const;
    int leeEntero(const QString& seccion, const QString& clave, int defecto) const;
    bool leeBooleano(const QString& seccion, const QString& clave, bool defecto) const;
    QDate leeFecha(const QString& seccion, const QString& clave, const QDate& defecto) const;
    QTime leeHora(const QString& seccion, const QString& clave, const QTime& defecto) const;
    QDateTime leeFechaHora(const QString& seccion, const QString& clave, const QDateTime& defecto) const;
    double leeReal(const QString& seccion, const QString& clave, double defecto) const;
    QStringList claves(const QString& seccion) const;

    // Setters change the copy in memory; guardar() writes it atomically and
    // throws EInOutError when the file cannot be written. The esXxx helpers
    // below call guardar() after each write.
    void escribeCadena(const QString& seccion, const QString& clave, const QString& valor);
    void escribeEntero(const QString& seccion, const QString& clave, int valor);
    void escribeBooleano(const QString& seccion, const QString& clave, bool valor);
    void escribeFecha(const QString& seccion, const QString& clave, const QDate& valor);
    void escribeHora(const QString& seccion, const QString& clave, const QTime& valor);
    void escribeReal(const QString& seccion, const QString& clave, double valor);
    void borraClave(const QString& seccion, const QString& clave);
    void guardar() const;

private:
    struct Seccion { QString nombre; QList<QPair<QString, QString>> valores; };
    const Seccion* busca(const QString& seccion) const;
    Seccion& buscaOCrea(const QString& seccion);
    QString m_ruta;
    QList<Seccion> m_secciones;
    bool m_ilegible = false;
};

// Path of the program's settings file: program folder + program name + ".INI".
// The file is UTF-8 (a legacy 8-bit file still reads, as Latin-1).
QString rutaIniPrograma();

// One open, one read or write, one close each (no cache).
bool leBoolINI(const QString& seccion, const QString& clave, bool defecto);
int leEntINI(const QString& seccion, const QString& clave, int defecto);
QString leCadINI(const QString& seccion, const QString& clave, const QString& defecto);
QDate leFechaINI(const QString& seccion, const QString& clave, const QDate& defecto);
double leFloatINI(const QString& seccion, const QString& clave, double defecto);
void esBoolINI(const QString& seccion, const QString& clave, bool valor);
void esEntINI(const QString& seccion, const QString& clave, int valor);
void esCadINI(const QString& seccion, const QString& clave, const QString& valor);
void esFechaINI(const QString& seccion, const QString& clave, const QDate& valor);
void esFloatINI(const QString& seccion, const QString& clave, double valor);

// The key table of the settings file and of "CS.ini", by name.
namespace ini {
inline const QString Aplicacion = QStringLiteral("Aplicacion");
inline const QString Red = QStringLiteral("Red");
inline const QString Usuario = QStringLiteral("Usuario");
inline const QString Empresa = QStringLiteral("Empresa");
inline const QString Visualizador = QStringLiteral("Visualizador");
inline const QString CopiaSeguridad = QStringLiteral("Copia Seguridad");

inline const QString Progreso = QStringLiteral("Progreso");
inline const QString EstadoCargaVentanas = QStringLiteral("Estado Carga ventanas");
inline const QString MostrarBBVentanas = QStringLiteral("Mostrar BB en ventanas");
inline const QString MostrarBarrasBotones = QStringLiteral("Mostrar barras de botones");
inline const QString MostrarBarraEstado = QStringLiteral("Mostrar barra de estado");
inline const QString Flat = QStringLiteral("Flat");
inline const QString GuardarEstadoVentanas = QStringLiteral("Guardar Estado Ventanas");
inline const QString MostrarImportesEuros = QStringLiteral("Mostrar Importes Euros");
inline const QString IntroducirImportesEuros = QStringLiteral("Introducir Importes Euros");
inline const QString PIva = QStringLiteral("% IVA");
inline const QString PRetencion = QStringLiteral("% Retencion");
inline const QString IniciarSiempre = QStringLiteral("Iniciar Siempre");
inline const QString IniciarUnaVez = QStringLiteral("Iniciar Una Vez");
inline const QString IniciarElPrimero = QStringLiteral("Iniciar El Primero");
inline const QString UltimoAcceso = QStringLiteral("Ultimo acceso");
inline const QString CerradaBien = QStringLiteral("Cerrada bien");
inline const QString Ejecuciones = QStringLiteral("Ejecuciones");
inline const QString Servidor = QStringLiteral("Servidor");
inline const QString RutaServidor = QStringLiteral("Ruta Servidor");
inline const QString Codigo = QStringLiteral("Codigo");
inline const QString Tipo = QStringLiteral("Tipo");
inline const QString Ruta = QStringLiteral("Ruta");
inline const QString Lugar = QStringLiteral("Lugar");
inline const QString Ordenar = QStringLiteral("Ordenar");
inline const QString LabelOrdenar = QStringLiteral("LabelOrdenar");
inline const QString PtsEuros = QStringLiteral("Pts/Euros");
// CS.ini
inline const QString Nombre = QStringLiteral("Nombre");
inline const QString Fecha = QStringLiteral("Fecha");
inline const QString Hora = QStringLiteral("Hora");
inline const QString ID = QStringLiteral("ID");
inline const QString FechaAlta = QStringLiteral("FechaAlta");
inline const QString FechaBaja = QStringLiteral("FechaBaja");
inline const QString Moneda = QStringLiteral("Moneda");
inline const QString Cambio = QStringLiteral("Cambio");
inline const QString Nota = QStringLiteral("Nota");
inline const QString CIF = QStringLiteral("CIF");
inline const QString Domicilio = QStringLiteral("Domicilio");
inline const QString Poblacion = QStringLiteral("Poblacion");
inline const QString Provincia = QStringLiteral("Provincia");
inline const QString Telefono = QStringLiteral("Telefono");
inline const QString Fax = QStringLiteral("Fax");
inline const QString EMail = QStringLiteral("EMail");
inline const QString Rutalogotipo = QStringLiteral("Rutalogotipo");
inline const QString CP = QStringLiteral("CP");
inline const QString AjustarTamano = QStringLiteral("AjustarTamano");
inline const QString Ficheros = QStringLiteral("Ficheros");
// "Usuario" in CS.ini is the key of the same name as the section ini::Usuario.
inline const QString ArchivoCopia = QStringLiteral("CS.ini");

// List sections.
inline const QString TablaComerciales = QStringLiteral("Tabla Comerciales");
inline const QString TablaClientes = QStringLiteral("Tabla Clientes");
inline const QString TablaAparatos = QStringLiteral("Tabla Aparatos");
inline const QString TablaPlus = QStringLiteral("Tabla Plus");
inline const QString TablaVentas = QStringLiteral("Tabla Ventas");
inline const QString TablaCobros = QStringLiteral("Tabla Cobros");
inline const QString TablaGastos = QStringLiteral("Tabla Gastos");
inline const QString TablaExtras = QStringLiteral("Tabla Extras");
inline const QString TablaFacturas = QStringLiteral("Tabla Facturas");
inline const QString TablaUsuarios = QStringLiteral("Tabla Usuarios");
inline const QString TablaEmpresas = QStringLiteral("Tabla Empresas");

// Defaults
constexpr bool DefProgreso = true, DefEstadoCargaVentanas = true, DefMostrarBBVentanas = true,
    DefMostrarBarrasBotones = true, DefMostrarBarraEstado = true, DefFlat = true,
    DefGuardarEstadoVentanas = false, DefMostrarImportesEuros = false, DefIntroducirImportesEuros = false,
    DefIniciar = false;
constexpr double DefPIvaConfiguracion = 7, DefPIvaFactura = 14;
constexpr double DefPRetencionConfiguracion = 2, DefPRetencionFactura = 2.5;
constexpr int DefEjecuciones = 0, DefServidor = 1000, DefEmpresaCodigo = -33333;
inline const QString DefCerradaBien = QStringLiteral("No");
inline const QString DefVisualizadorRuta = QStringLiteral("c:\\");
inline const QString DefLugar = QStringLiteral("0");
inline const QString DefOrdenar = QStringLiteral("Codigo");
inline const QString DefLabelOrdenar = QStringLiteral("Código");
inline const QString DefMonedaCopia = QStringLiteral("pta");
constexpr double DefCambioCopia = 1, DefCPCopia = 0;
constexpr bool DefAjustarTamanoCopia = false;
} // namespace ini
