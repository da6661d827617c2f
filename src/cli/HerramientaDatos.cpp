#include "cli/HerramientaDatos.h"

#include "core/Errores.h"
#include "core/Ini.h"
#include "core/Utilidades.h"
#include "data/Claves.h"
#include "data/Esquema.h"
#include "engine/Motor.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QVariant>
#include <sqlite3.h>

#include <cmath>
#include <vector>

namespace herramienta {

const UsuarioDemo UsuariosDemo[5] = {
    {"CON", "Consulta", "Consulta", "consulta"},
    {"MOD", "María del Carmen Ortega", "Consulta/Modific.", "modifica"},
    {"LIS", "Listados", "Listados", ""},
    {"RES", "Restringido", "Restringido", ""},
    {"TOT", "Totales", "Totales", "totales"},
};

namespace {

constexpr double Cambio = 166.386;

QString conBarra(const QString& carpeta)
{
    QString c = QDir::cleanPath(QDir(carpeta).absolutePath());
    return c.endsWith(QLatin1Char('/')) ? c : c + QLatin1Char('/');
}

// Master or template tables already in the folder (names compared without case).
QStringList tablasPresentes(const QString& base)
{
    QStringList r;
    for (const QString& n : esquema::tablasMaestras()) {
        const esquema::Tabla& t = esquema::tabla(n);
        if (esquema::existeFichero(base, t))
            r << QFileInfo(esquema::rutaFichero(base, t)).fileName();
    }
    const QString plantillas = base + esquema::CarpetaPlantillas;
    for (const QString& n : esquema::tablasEmpresa()) {
        const esquema::Tabla& t = esquema::tabla(n);
        if (esquema::existeFichero(plantillas, t))
            r << esquema::CarpetaPlantillas + QLatin1Char('/') + QFileInfo(esquema::rutaFichero(plantillas, t)).fileName();
    }
    return r;
}

void anadeUsuario(const QString& base, const QString& codigo, const QString& nombre, const QString& tipo,
                  const QString& clave)
{
    motor::Table t;
    t.setFolder(base);
    t.setTableName(esquema::tabla(QStringLiteral("Usuario")).fichero);
    t.open();
    t.insert();
    t.fieldByName(QStringLiteral("Codigo"))->setValue(codigo);
    t.fieldByName(QStringLiteral("Nombre"))->setValue(nombre);
    t.fieldByName(QStringLiteral("Tipo"))->setValue(tipo);
    t.fieldByName(QStringLiteral("Clave"))->setValue(clave.isEmpty() ? QVariant() : QVariant(claves::hash(clave)));
    t.fieldByName(QStringLiteral("Activo"))->setValue(true);
    t.fieldByName(QStringLiteral("Consulta"))->setValue(tipo != QLatin1String("Administrador"));
    t.post();
    t.close();
}

// ---------------------------------------------------------------------------
// Deterministic generator (splitmix64): the same code and scale give the same data.
class Azar {
public:
    explicit Azar(quint64 semilla) : m_s(semilla) {}
    quint64 siguiente()
    {
        quint64 z = (m_s += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int entero(int desde, int hasta) { return desde + int(siguiente() % quint64(hasta - desde + 1)); }
    bool probabilidad(int porCiento) { return entero(1, 100) <= porCiento; }
    template <typename T, size_t N> const T& de(const T (&lista)[N]) { return lista[siguiente() % N]; }
    QString digitos(int n)
    {
        QString r;
        for (int i = 0; i < n; ++i)
            r += QChar(u'0' + entero(0, 9));
        return r;
    }
private:
    quint64 m_s;
};

const char* const Nombres[] = {
    "Antonio", "José", "Manuel", "Francisco", "Juan", "David", "Javier", "Daniel", "Carlos", "Miguel",
    "Rafael", "Pedro", "Ángel", "Alejandro", "Fernando", "Luis", "Sergio", "Pablo", "Jorge", "Alberto",
    "María", "Carmen", "Josefa", "Isabel", "Ana", "Dolores", "Pilar", "Teresa", "Rosa", "Laura",
    "Cristina", "Marta", "Lucía", "Mercedes", "Elena", "Inmaculada", "Concepción", "Nuria", "Begoña", "Amparo"};
const char* const Apellidos[] = {
    "García", "Fernández", "González", "Rodríguez", "López", "Martínez", "Sánchez", "Pérez", "Gómez", "Martín",
    "Jiménez", "Ruiz", "Hernández", "Díaz", "Moreno", "Álvarez", "Muñoz", "Romero", "Alonso", "Gutiérrez",
    "Navarro", "Torres", "Domínguez", "Vázquez", "Ramos", "Gil", "Ramírez", "Serrano", "Blanco", "Molina",
    "Castro", "Ortiz", "Rubio", "Marín", "Sanz", "Núñez", "Iglesias", "Medina", "Garrido", "Cortés",
    "Castillo", "Santos", "Lozano", "Guerrero", "Cano", "Prieto", "Méndez", "Cruz", "Calvo", "Peña",
    "Ferrer", "Pastor", "Soler", "Vidal", "Esteve", "Ibáñez", "Carrasco", "Zurita", "Orozco", "Monzó"};
struct Lugar { const char* poblacion; const char* provincia; int cp; const char* prefijo; };
const Lugar Lugares[] = {
    {"Valencia", "Valencia", 46001, "96"}, {"Torrent", "Valencia", 46900, "96"}, {"Gandia", "Valencia", 46700, "96"},
    {"Sagunto", "Valencia", 46500, "96"}, {"Xàtiva", "Valencia", 46800, "96"}, {"Paterna", "Valencia", 46980, "96"},
    {"Alzira", "Valencia", 46600, "96"}, {"Alicante", "Alicante", 3001, "96"}, {"Elche", "Alicante", 3201, "96"},
    {"Benidorm", "Alicante", 3500, "96"}, {"Alcoy", "Alicante", 3801, "96"}, {"Orihuela", "Alicante", 3300, "96"},
    {"Castellón de la Plana", "Castellón", 12001, "964"}, {"Vila-real", "Castellón", 12540, "964"},
    {"Murcia", "Murcia", 30001, "968"}, {"Cartagena", "Murcia", 30201, "968"}, {"Lorca", "Murcia", 30800, "968"},
    {"Albacete", "Albacete", 2001, "967"}, {"Cuenca", "Cuenca", 16001, "969"}, {"Teruel", "Teruel", 44001, "978"}};
const char* const Calles[] = {
    "C/ Mayor", "Avda. del Puerto", "C/ San Vicente", "Plaza de la Reina", "C/ Colón", "Avda. Blasco Ibáñez",
    "C/ de la Paz", "C/ Jorge Juan", "Avda. de Aragón", "C/ Cervantes", "C/ Sagasta", "Avda. Alfonso X el Sabio",
    "C/ Reyes Católicos", "C/ San Francisco", "Paseo de la Alameda", "C/ Maestro Serrano", "C/ del Mar",
    "Avda. de la Constitución", "C/ Virgen del Carmen", "C/ Doctor Fleming"};
const char* const Pisos[] = {"", "", ", bajo", ", 1º", ", 2º A", ", 3º B", ", 4º izda.", ", 5º dcha.", ", 6º C"};
const char* const Dominios[] = {"terra.es", "telefonica.net", "hotmail.com", "ya.com", "wanadoo.es", "ono.com"};
const char* const FormasPago[] = {"Contado", "Financiado 12 meses", "Financiado 24 meses", "Recibo domiciliado",
                                  "Transferencia bancaria", "Talón a 30 días"};
const char* const TiposCobro[] = {"Efectivo", "Talón", "Transferencia", "Recibo domiciliado", "Pagaré"};
const char* const Gastos[] = {"Kilometraje", "Dietas", "Teléfono móvil", "Hotel", "Peaje de autopista",
                              "Aparcamiento", "Material de demostración", "Comida con cliente", "Gasolina"};
const char* const Extras[] = {"Incentivo campaña de verano", "Premio al mejor vendedor del mes",
                              "Incentivo campaña de Navidad", "Bonificación por captación de clientes",
                              "Ayuda para vehículo", "Compensación por formación"};
const char* const Bancos[] = {"0049", "0182", "2100", "0075", "2077", "2090", "0081", "3058"};
// Kinds of companies among the clients, with the letter of their CIF.
struct Sociedad { const char* nombre; char letra; };
const Sociedad Sociedades[] = {{"Instalaciones %1, S.L.", 'B'}, {"Hostal %1, S.L.", 'B'}, {"Talleres %1, S.L.", 'B'},
                               {"Comunidad de Propietarios %1", 'H'}, {"Construcciones %1, S.A.", 'A'}};

struct Aparato { const char* nombre; int venta, compra, comision; bool plus; };
const Aparato Catalogo[] = {
    {"Purificador de agua por ósmosis inversa", 295000, 120000, 45000, true},
    {"Descalcificador doméstico 25 l", 245000, 98000, 35000, true},
    {"Filtro de agua de encimera", 49900, 18000, 7500, false},
    {"Aspirador centralizado", 389000, 160000, 60000, true},
    {"Robot de cocina multifunción", 159000, 62000, 24000, true},
    {"Colchón viscoelástico 150x190", 185000, 70000, 28000, false},
    {"Aire acondicionado split 3000 frigorías", 210000, 115000, 25000, false},
    {"Bomba de calor 4500 frigorías", 320000, 180000, 38000, true},
    {"Alarma con conexión a central", 125000, 45000, 20000, false},
    {"Ionizador de aire", 89000, 30000, 14000, false},
    {"Batería de cocina de acero inoxidable 18/10", 139000, 40000, 22000, true},
    {"Enciclopedia ilustrada (20 tomos)", 119000, 45000, 18000, false},
    {"Termo eléctrico 80 l", 69000, 34000, 9000, false},
    {"Placa solar térmica", 450000, 260000, 55000, true},
    {"Deshumidificador 20 l/día", 59000, 26000, 8500, false},
    {"Radiador de aceite 2000 W", 29900, 12000, 4500, false},
    {"Máquina de coser electrónica", 99000, 41000, 15000, false},
    {"Sillón relax con masaje", 175000, 72000, 26000, true},
    {"Cama articulada eléctrica", 265000, 120000, 40000, true},
    {"Olla a presión rápida 6 l", 24900, 9000, 3500, false},
    {"Lavavajillas integrable", 95000, 60000, 9000, false},
    {"Vaporeta limpiadora", 39900, 15000, 6000, false},
    {"Equipo de música con CD", 45000, 25000, 5000, false},
    {"Televisor 28 pulgadas pantalla plana", 89000, 55000, 8000, false}};

struct Plus { const char* nombre; int desde, hasta, importe; };
const Plus Pluses[] = {{"Plus de 10 a 19 ventas", 10, 19, 25000}, {"Plus de 20 a 29 ventas", 20, 29, 60000},
                       {"Plus de 30 a 49 ventas", 30, 49, 110000}, {"Plus de 50 a 99 ventas", 50, 99, 200000},
                       {"Plus de 100 ventas o más", 100, 9999, 400000}, {"Plus trimestral", 15, 30, 50000}};

const char* const NombresEmpresa[] = {"Distribuciones Levante, S.L.", "Comercial Hogar Mediterráneo, S.A.",
                                      "Aguas y Confort del Sureste, S.L.", "Ventas Directas Turia, S.L."};

QString codigo4(int n) { return QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0')); }

QString nif(Azar& a)
{
    const QString n = QString::number(a.entero(10000000, 79999999));
    // As the edit windows complete it: digits, hyphen and letter.
    return n + QLatin1Char('-') + LetraNif(n);
}

// CIF of a company: letter, province and number, control digit.
QString cif(Azar& a, char letra)
{
    const QString num = QStringLiteral("46") + a.digitos(5);
    int pares = 0, impares = 0;
    for (int i = 0; i < 7; ++i) {
        const int d = num[i].unicode() - '0';
        if (i % 2 == 0) { const int x = d * 2; impares += x / 10 + x % 10; }
        else pares += d;
    }
    const int control = (10 - (pares + impares) % 10) % 10;
    return QLatin1Char(letra) + num + QString::number(control);
}

// Bank account (CCC) with its two control digits.
struct Cuenta { QString entidad, agencia, dc, numero; };
int digitoControl(const QString& diez)
{
    static const int pesos[10] = {1, 2, 4, 8, 5, 10, 9, 7, 3, 6};
    int s = 0;
    for (int i = 0; i < 10; ++i)
        s += (diez[i].unicode() - '0') * pesos[i];
    const int d = 11 - s % 11;
    return d == 11 ? 0 : d == 10 ? 1 : d;
}
Cuenta cuenta(Azar& a)
{
    Cuenta c{QString::fromLatin1(a.de(Bancos)), a.digitos(4), {}, a.digitos(10)};
    c.dc = QString::number(digitoControl(QStringLiteral("00") + c.entidad + c.agencia))
        + QString::number(digitoControl(c.numero));
    return c;
}

QString sinAcentos(const QString& s)
{
    QString r;
    for (QChar c : s.normalized(QString::NormalizationForm_D))
        if (c.unicode() < 128 && (c.isLetterOrNumber()))
            r += c.toLower();
    return r;
}

struct Persona { QString nombre, nombreDePila, apellido; };
Persona persona(Azar& a)
{
    Persona p;
    p.nombreDePila = QString::fromUtf8(a.de(Nombres));
    p.apellido = QString::fromUtf8(a.de(Apellidos));
    p.nombre = p.nombreDePila + QLatin1Char(' ') + p.apellido + QLatin1Char(' ') + QString::fromUtf8(a.de(Apellidos));
    return p;
}

QString direccion(Azar& a)
{
    return QString::fromUtf8(a.de(Calles)) + QStringLiteral(", ") + QString::number(a.entero(1, 120))
        + QString::fromUtf8(a.de(Pisos));
}

QString telefonoFijo(Azar& a, const Lugar& l)
{
    const QString p = QString::fromLatin1(l.prefijo);
    return p + a.digitos(9 - int(p.size()));
}

QString movil(Azar& a) { return QStringLiteral("6") + a.digitos(8); }

// ---------------------------------------------------------------------------
// Bulk insert: one prepared statement and one transaction per table, on the
// engine's own connection to the company folder (its collation and file format).
class Carga {
public:
    Carga(motor::Database& db, const esquema::Tabla& t, const QStringList& campos)
        : m_db(static_cast<sqlite3*>(db.handle())), m_campos(campos)
    {
        QStringList marcas;
        QStringList columnas;
        for (const QString& c : campos) {
            columnas << QLatin1Char('"') + c + QLatin1Char('"');
            marcas << QStringLiteral("?");
        }
        ejecuta("BEGIN");
        const QByteArray sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(db.qualifiedTable(t.fichero), columnas.join(QLatin1Char(',')),
                                        marcas.join(QLatin1Char(',')))
                                   .toUtf8();
        if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &m_st, nullptr) != SQLITE_OK)
            falla();
    }
    ~Carga()
    {
        if (m_st)
            sqlite3_finalize(m_st);
        if (!m_hecho)
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    void fila(const QVariantList& valores)
    {
        for (int i = 0; i < valores.size(); ++i)
            enlaza(i + 1, valores[i]);
        if (sqlite3_step(m_st) != SQLITE_DONE)
            falla();
        sqlite3_reset(m_st);
        sqlite3_clear_bindings(m_st);
        ++m_filas;
    }
    int termina()
    {
        sqlite3_finalize(m_st);
        m_st = nullptr;
        ejecuta("COMMIT");
        m_hecho = true;
        return m_filas;
    }
private:
    void enlaza(int i, const QVariant& v)
    {
        if (v.isNull()) {
            sqlite3_bind_null(m_st, i);
            return;
        }
        switch (v.typeId()) {
        case QMetaType::Bool: sqlite3_bind_int(m_st, i, v.toBool() ? 1 : 0); break;
        case QMetaType::Int: case QMetaType::LongLong: sqlite3_bind_int64(m_st, i, v.toLongLong()); break;
        case QMetaType::Double: sqlite3_bind_double(m_st, i, v.toDouble()); break;
        case QMetaType::QDate: {
            const QByteArray u = v.toDate().toString(Qt::ISODate).toUtf8();
            sqlite3_bind_text(m_st, i, u.constData(), int(u.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray u = v.toString().toUtf8();
            sqlite3_bind_text(m_st, i, u.constData(), int(u.size()), SQLITE_TRANSIENT);
        }
        }
    }
    void ejecuta(const char* sql)
    {
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            falla();
    }
    [[noreturn]] void falla()
    {
        throw EDBEngineError(EDBEngineError::Generico,
                             QStringLiteral("Error al cargar los datos de demostración: %1")
                                 .arg(QString::fromUtf8(sqlite3_errmsg(m_db))));
    }
    sqlite3* m_db;
    sqlite3_stmt* m_st = nullptr;
    QStringList m_campos;
    int m_filas = 0;
    bool m_hecho = false;
};

QVariant importe(double pts) { return pts; }
QVariant enEuros(double pts) { return pts / Cambio; }
QVariant nulo() { return QVariant(); }

struct DatosEmpresa {
    QString nombre, cif, domicilio, poblacion, provincia, telefono, fax, email;
    int cp = 0;
};

struct Comercial { QString codigo; bool iva; };

void genera(motor::Database& db, Azar& a, int escala, const DatosEmpresa& emp, const QDate& desde,
            const QDate& hasta, ResultadoDemo& r)
{
    const int dias = int(desde.daysTo(hasta));
    auto fechaAzar = [&] { return desde.addDays(a.entero(0, dias)); };
    auto lugar = [&]() -> const Lugar& { return a.de(Lugares); };
    const int nComerciales = std::min(12 * escala, 9999);
    const int nClientes = std::min(150 * escala, 9999);
    const int nCatalogo = int(std::size(Catalogo));
    const int nAparatos = std::min(nCatalogo * escala, 9999);

    std::vector<Comercial> comerciales;
    {
        Carga c(db, esquema::tabla(QStringLiteral("Comercial")),
                {"Codigo", "NIF", "Tipo", "Nombre", "Direccion", "Poblacion", "Provincia", "CP", "IVA",
                 "Telefono", "Observacion", "CCCEntidad", "CCCAgencia", "CCCDC", "CCCCuenta"});
        for (int i = 1; i <= nComerciales; ++i) {
            const Persona p = persona(a);
            const Lugar& l = lugar();
            const Cuenta cc = cuenta(a);
            const QString tipo = i % 10 == 1 ? QStringLiteral("Jefe")
                : i % 10 == 7 ? QStringLiteral("Técnico") : QStringLiteral("Comercial");
            const bool iva = a.probabilidad(80);
            comerciales.push_back({codigo4(i), iva});
            c.fila({codigo4(i), nif(a), tipo, p.nombre, direccion(a), QString::fromUtf8(l.poblacion),
                    QString::fromUtf8(l.provincia), double(l.cp + a.entero(0, 20)), iva, movil(a),
                    a.probabilidad(20) ? QVariant(QStringLiteral("Zona asignada: %1 y alrededores.").arg(QString::fromUtf8(l.poblacion)))
                                       : nulo(),
                    cc.entidad, cc.agencia, cc.dc, cc.numero});
        }
        r.comerciales = c.termina();
    }
    {
        Carga c(db, esquema::tabla(QStringLiteral("Cliente")),
                {"Codigo", "NIF", "Nombre", "Telefono1", "Telefono2", "Direccion", "Poblacion", "Provincia", "CP",
                 "EMail", "Observacion", "CCCEntidad", "CCCAgencia", "CCCDC", "CCCCuenta"});
        for (int i = 1; i <= nClientes; ++i) {
            const Lugar& l = lugar();
            const bool sociedad = a.probabilidad(12);
            const Persona p = persona(a);
            const Sociedad& so = a.de(Sociedades);
            const QString nombre = sociedad ? QString::fromUtf8(so.nombre).arg(p.apellido) : p.nombre;
            const Cuenta cc = cuenta(a);
            const bool conCorreo = a.probabilidad(35);
            c.fila({codigo4(i), sociedad ? cif(a, so.letra) : nif(a), nombre, telefonoFijo(a, l),
                    a.probabilidad(50) ? QVariant(movil(a)) : nulo(), direccion(a), QString::fromUtf8(l.poblacion),
                    QString::fromUtf8(l.provincia), double(l.cp + a.entero(0, 20)),
                    conCorreo ? QVariant(sinAcentos(p.nombreDePila) + QLatin1Char('.') + sinAcentos(p.apellido)
                                         + QLatin1Char('@') + QString::fromLatin1(a.de(Dominios)))
                              : nulo(),
                    a.probabilidad(10) ? QVariant(QStringLiteral("Llamar por la tarde.")) : nulo(),
                    cc.entidad, cc.agencia, cc.dc, cc.numero});
        }
        r.clientes = c.termina();
    }
    std::vector<double> precios;
    {
        Carga c(db, esquema::tabla(QStringLiteral("Aparato")),
                {"Codigo", "Nombre", "ImporteComision", "Plus", "ImporteVenta", "ImporteCompra", "Observacion",
                 "ImporteComisionE", "ImporteVentaE", "ImporteCompraE"});
        for (int i = 1; i <= nAparatos; ++i) {
            const Aparato& m = Catalogo[(i - 1) % nCatalogo];
            const int serie = (i - 1) / nCatalogo;
            // Later series: models of the same kinds with their own prices.
            const double factor = serie == 0 ? 1.0 : 0.8 + 0.4 * a.entero(0, 100) / 100.0;
            auto redondea = [](double v) { return std::round(v / 100.0) * 100.0; };
            const double venta = redondea(m.venta * factor), compra = redondea(m.compra * factor),
                         comision = redondea(m.comision * factor);
            precios.push_back(venta);
            const QString nombre = serie == 0 ? QString::fromUtf8(m.nombre)
                                              : QStringLiteral("%1 (modelo %2)").arg(QString::fromUtf8(m.nombre)).arg(serie + 1);
            c.fila({codigo4(i), nombre, importe(comision), m.plus, importe(venta), importe(compra), nulo(),
                    enEuros(comision), enEuros(venta), enEuros(compra)});
        }
        r.aparatos = c.termina();
    }
    {
        Carga c(db, esquema::tabla(QStringLiteral("Plus")),
                {"Codigo", "Nombre", "NVentasD", "NVentasH", "Importe", "ImporteE"});
        int i = 0;
        for (const Plus& p : Pluses)
            c.fila({codigo4(++i), QString::fromUtf8(p.nombre), double(p.desde), double(p.hasta),
                    importe(p.importe), enEuros(p.importe)});
        r.plus = c.termina();
    }
    {
        Carga c(db, esquema::tabla(QStringLiteral("Venta")),
                {"Codigo", "Importe", "CodigoComercial", "CodigoAparato", "CodigoCliente", "FechaInstalacion",
                 "Fecha", "FormaPago", "Cobrada", "Observacion", "ImporteE"});
        const int n = 500 * escala;
        for (int i = 1; i <= n; ++i) {
            const int ap = a.entero(0, nAparatos - 1);
            // Now and then a discount on the list price.
            const double pts = a.probabilidad(25) ? std::round(precios[size_t(ap)] * 0.95 / 100.0) * 100.0
                                                  : precios[size_t(ap)];
            const QDate f = fechaAzar();
            c.fila({i, importe(pts), comerciales[size_t(a.entero(0, nComerciales - 1))].codigo, codigo4(ap + 1),
                    codigo4(a.entero(1, nClientes)), f.addDays(a.entero(1, 20)), f,
                    QString::fromUtf8(a.de(FormasPago)), a.probabilidad(75),
                    a.probabilidad(5) ? QVariant(QStringLiteral("Instalación en segunda vivienda.")) : nulo(),
                    enEuros(pts)});
        }
        r.ventas = c.termina();
    }
    {
        Carga c(db, esquema::tabla(QStringLiteral("Cobro")),
                {"Codigo", "Fecha", "TipoCobro", "Importe", "CodigoCliente", "CodigoComercial", "ImporteE"});
        const int n = 350 * escala;
        for (int i = 1; i <= n; ++i) {
            const double pts = a.entero(10, 600) * 500.0;
            c.fila({i, fechaAzar(), QString::fromUtf8(a.de(TiposCobro)), importe(pts),
                    codigo4(a.entero(1, nClientes)), comerciales[size_t(a.entero(0, nComerciales - 1))].codigo,
                    enEuros(pts)});
        }
        r.cobros = c.termina();
    }
    for (const bool esExtra : {false, true}) {
        Carga c(db, esquema::tabla(esExtra ? QStringLiteral("Extra") : QStringLiteral("Gasto")),
                {"Codigo", "Fecha", "CodigoComercial", "Nombre", "Importe", "ImporteE"});
        const int n = (esExtra ? 40 : 120) * escala;
        for (int i = 1; i <= n; ++i) {
            const double pts = esExtra ? a.entero(10, 100) * 1000.0 : a.entero(6, 400) * 100.0;
            c.fila({i, fechaAzar(), comerciales[size_t(a.entero(0, nComerciales - 1))].codigo,
                    QString::fromUtf8(esExtra ? a.de(Extras) : a.de(Gastos)), importe(pts), enEuros(pts)});
        }
        (esExtra ? r.extras : r.gastos) = c.termina();
    }
    {
        Carga c(db, esquema::tabla(QStringLiteral("Factura")),
                {"Codigo", "Fecha", "CodigoComercial", "Calle", "Poblacion", "Provincia", "CP", "Nombre", "CIF",
                 "Telefono", "Concepto", "ImporteBase", "PorcentajeIVA", "ImporteIVA", "ImporteRetencion",
                 "PorcentajeRetencion", "TotalFactura", "TotalFacturaE", "ImporteIVAE", "ImporteRetencionE",
                 "ImporteBaseE"});
        const int n = 60 * escala;
        for (int i = 1; i <= n; ++i) {
            const Comercial& co = comerciales[size_t(a.entero(0, nComerciales - 1))];
            const QDate f = fechaAzar();
            const double base = a.entero(100, 1200) * 500.0;
            const double piva = co.iva ? ini::DefPIvaFactura : 0.0;
            const double pret = ini::DefPRetencionFactura;
            const double iva = base * piva / 100.0, ret = base * pret / 100.0;
            const double total = base + iva - ret;
            c.fila({QStringLiteral("%1/%2").arg(f.year()).arg(i, 5, 10, QLatin1Char('0')), f, co.codigo,
                    emp.domicilio, emp.poblacion, emp.provincia, double(emp.cp), emp.nombre, emp.cif, emp.telefono,
                    QStringLiteral("Comisiones de %1 de %2").arg(Mes(f.month()).toLower()).arg(f.year()),
                    importe(base), piva, importe(iva), importe(ret), pret, importe(total), enEuros(total),
                    enEuros(iva), enEuros(ret), enEuros(base)});
        }
        r.facturas = c.termina();
    }
}

} // namespace

void crear(const OpcionesCrear& o)
{
    if (o.carpeta.isEmpty())
        throw Excepcion(QStringLiteral("Indique la carpeta de datos."));
    const QString codigo = o.codigo.trimmed().toUpper();
    if (codigo.isEmpty() || codigo.size() > 4)
        throw Excepcion(QStringLiteral("El código del usuario debe tener entre 1 y 4 caracteres."));
    if (o.nombre.trimmed().isEmpty() || o.nombre.size() > 100)
        throw Excepcion(QStringLiteral("El nombre del usuario debe tener entre 1 y 100 caracteres."));
    const QString base = conBarra(o.carpeta);
    const QStringList hay = tablasPresentes(base);
    if (!hay.isEmpty())
        throw Excepcion(QStringLiteral("La carpeta %1 ya contiene tablas maestras (%2); no se ha modificado nada.")
                            .arg(QDir::toNativeSeparators(base), hay.join(QStringLiteral(", "))));
    if (!QDir().mkpath(base + esquema::CarpetaPlantillas))
        throw Excepcion(QStringLiteral("No se puede crear la carpeta %1.").arg(base + esquema::CarpetaPlantillas));

    // Only files made here are removed if something fails half way.
    QStringList creados;
    try {
        for (const QString& n : esquema::tablasMaestras()) {
            const esquema::Tabla& t = esquema::tabla(n);
            motor::Database::createTable(base, t.definicion());
            creados << base + t.fichero;
        }
        for (const QString& n : esquema::tablasEmpresa()) {
            const esquema::Tabla& t = esquema::tabla(n);
            motor::Database::createTable(base + esquema::CarpetaPlantillas, t.definicion());
            creados << base + esquema::CarpetaPlantillas + QLatin1Char('/') + t.fichero;
        }
        anadeUsuario(base, codigo, o.nombre.trimmed(), QStringLiteral("Administrador"), o.clave);
    } catch (...) {
        for (const QString& f : creados)
            QFile::remove(f);
        QDir().rmdir(base + esquema::CarpetaPlantillas);
        throw;
    }
}

ResultadoDemo demo(const QString& carpetaMaestra, int escala)
{
    if (escala < 1 || escala > 10000)
        throw Excepcion(QStringLiteral("La escala debe ser un número entre 1 y 10000."));
    const QString base = conBarra(carpetaMaestra);
    const QString plantillas = base + esquema::CarpetaPlantillas;
    for (const esquema::Tabla& t : esquema::tablas()) {
        const QString donde = t.carpeta == esquema::Carpeta::Maestra ? base : plantillas;
        if (!esquema::existeFichero(donde, t))
            throw Excepcion(QStringLiteral("La carpeta %1 no tiene la tabla %2: créela antes con «provenda-datos crear».")
                                .arg(QDir::toNativeSeparators(base), t.fichero));
    }

    ResultadoDemo r;
    const esquema::Tabla& tEmpresa = esquema::tabla(QStringLiteral("Empresa"));
    {
        motor::Query q;
        q.setFolder(base);
        q.addLine(QStringLiteral("SELECT max(Codigo) M FROM Empresa"));
        q.open();
        r.codigo = q.fieldByName(QStringLiteral("M"))->asInteger() + 1;
        q.close();
    }
    if (r.codigo < 1)
        r.codigo = 1;
    while (QFileInfo::exists(base + QStringLiteral("Emp") + QString::number(r.codigo)))
        ++r.codigo;
    r.carpeta = base + QStringLiteral("Emp") + QString::number(r.codigo);

    Azar azar(20040307ull * 1000003ull + quint64(r.codigo));
    DatosEmpresa emp;
    emp.nombre = QString::fromUtf8(NombresEmpresa[(r.codigo - 1) % int(std::size(NombresEmpresa))]);
    emp.cif = cif(azar, emp.nombre.endsWith(QLatin1String("S.A.")) ? 'A' : 'B');
    emp.domicilio = QStringLiteral("Polígono Industrial Fuente del Jarro, C/ Ciudad de Sevilla, %1").arg(azar.entero(2, 60));
    emp.poblacion = QStringLiteral("Paterna");
    emp.provincia = QStringLiteral("Valencia");
    emp.cp = 46988;
    emp.telefono = QStringLiteral("96") + azar.digitos(7);
    emp.fax = QStringLiteral("96") + azar.digitos(7);
    emp.email = QStringLiteral("administracion@%1.es").arg(sinAcentos(emp.nombre.section(QLatin1Char(' '), 1, 1)));
    const QDate desde(2004, 1, 1), hasta(2004, 12, 31);
    r.nombre = emp.nombre;

    if (!QDir().mkpath(r.carpeta))
        throw Excepcion(QStringLiteral("No se puede crear la carpeta %1.").arg(r.carpeta));
    try {
        for (const QString& n : esquema::tablasEmpresa()) {
            const esquema::Tabla& t = esquema::tabla(n);
            motor::Database::copyFile(esquema::rutaFichero(plantillas, t), r.carpeta + QLatin1Char('/') + t.fichero);
        }
        {
            motor::Database db(nullptr, QStringLiteral("Demo"));
            db.setPath(r.carpeta);
            db.open();
            genera(db, azar, escala, emp, desde, hasta, r);
            db.close();
        }
        // The company record last, so a failed load never leaves a company behind.
        motor::Table t;
        t.setFolder(base);
        t.setTableName(tEmpresa.fichero);
        t.open();
        t.insert();
        auto pon = [&t](const char* campo, const QVariant& v) { t.fieldByName(QString::fromLatin1(campo))->setValue(v); };
        pon("Codigo", r.codigo);
        pon("Nombre", emp.nombre);
        pon("FechaAlta", desde);
        pon("FechaBaja", hasta);
        pon("Moneda", QStringLiteral("pta"));
        pon("Cambio", Cambio);
        pon("Nota", QStringLiteral("Empresa de demostración."));
        pon("CIF", emp.cif);
        pon("Domicilio", emp.domicilio);
        pon("Poblacion", emp.poblacion);
        pon("Provincia", emp.provincia);
        pon("CP", double(emp.cp));
        pon("Telefono", emp.telefono);
        pon("Fax", emp.fax);
        pon("Email", emp.email);
        pon("AjustarTamano", false);
        pon("Inscripcion", QStringLiteral("Inscrita en el Registro Mercantil de Valencia, tomo %1, folio %2, hoja V-%3.")
                               .arg(azar.entero(4000, 8000)).arg(azar.entero(1, 220)).arg(azar.entero(10000, 99999)));
        pon("Ruta", QDir::toNativeSeparators(r.carpeta));
        pon("ACTIVA", true);
        pon("Ficheros", true);
        t.post();
        t.close();
    } catch (...) {
        QDir(r.carpeta).removeRecursively();
        throw;
    }

    // Demo users of the other kinds, once.
    motor::Query q;
    q.setFolder(base);
    q.addLine(QStringLiteral("SELECT count(*) C FROM Usuario WHERE upper(Codigo) = upper(:codigo)"));
    for (const UsuarioDemo& u : UsuariosDemo) {
        q.close();
        q.setParam(QStringLiteral("codigo"), QString::fromLatin1(u.codigo));
        q.open();
        if (q.fieldByName(QStringLiteral("C"))->asInteger() > 0)
            continue;
        q.close();
        anadeUsuario(base, QString::fromLatin1(u.codigo), QString::fromUtf8(u.nombre), QString::fromUtf8(u.tipo),
                     QString::fromUtf8(u.clave));
        ++r.usuariosNuevos;
    }
    q.close();
    return r;
}

} // namespace herramienta
