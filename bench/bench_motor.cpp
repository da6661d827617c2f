// Benchmark of the table engine against raw SQLite doing the same work in the
// same run. Builds its own company (scale 200: 100,000 sales) in a temporary
// folder, then measures medians of: opening the sales list (the four-table
// join, every row materialised), re-sorting it, locating a name prefix,
// posting one sale with its commit, and the memory held by the opened list.
// Prints a table with ratios and PASS/FAIL per target. BENCH_KEEP=1 keeps the
// generated folder; BENCH_SOLO_GENERAR=1 stops after generating it.
#include "engine/Interno.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace motor;

namespace {

const int kEscala = 200;
const int kComerciales = kEscala;          // 200
const int kClientes = 100 * kEscala;       // 20,000
const int kAparatos = 2 * kEscala;         // 400
const int kVentas = 500 * kEscala;         // 100,000

const QStringList kListaVenta = {
    "select  c.*, co.Nombre Comercial, cl.Nombre Cliente, ap.Nombre Aparato",
    "from venta c, comercial co, cliente cl, aparato ap",
    "where c.codigoCliente = cl.Codigo AND c.codigoComercial = co.Codigo and",
    "c.codigoaparato = ap.codigo"};

FieldDef S(const char* n, int size, bool req = false) { return {QString::fromLatin1(n), FieldType::String, size, req}; }
FieldDef F(const char* n, FieldType t) { return {QString::fromLatin1(n), t, 0, false}; }

TableDef comercial()
{
    return {"Comercial", "Comercial.DB",
            {S("NIF", 20, true), S("Tipo", 15), S("Nombre", 150, true), S("Direccion", 100), S("Poblacion", 50),
             S("Provincia", 50), F("CP", FieldType::Float), F("IVA", FieldType::Boolean), S("Telefono", 12),
             F("Observacion", FieldType::Memo), S("Codigo", 4), S("CCCEntidad", 4), S("CCCAgencia", 4), S("CCCDC", 2),
             S("CCCCuenta", 10)},
            "Codigo"};
}
TableDef cliente()
{
    return {"Cliente", "Cliente.DB",
            {S("Codigo", 4), S("NIF", 20), S("Nombre", 150), S("Telefono1", 50), S("Telefono2", 50),
             S("Direccion", 100), S("Poblacion", 50), S("Provincia", 50), F("CP", FieldType::Float), S("EMail", 255),
             F("Observacion", FieldType::Memo), S("CCCEntidad", 4), S("CCCAgencia", 4), S("CCCDC", 2),
             S("CCCCuenta", 10)},
            "Codigo"};
}
TableDef aparato()
{
    return {"Aparato", "Aparato.DB",
            {F("ImporteComision", FieldType::Currency), F("Plus", FieldType::Boolean),
             F("ImporteVenta", FieldType::Currency), F("ImporteCompra", FieldType::Currency),
             F("Observacion", FieldType::Memo), S("Codigo", 4), S("Nombre", 255),
             F("ImporteComisionE", FieldType::Float), F("ImporteVentaE", FieldType::Float),
             F("ImporteCompraE", FieldType::Float)},
            "Codigo"};
}
TableDef venta()
{
    return {"Venta", "Venta.db",
            {F("Codigo", FieldType::Integer), F("Importe", FieldType::Currency), S("CodigoComercial", 4),
             S("CodigoAparato", 4), S("CodigoCliente", 4), F("FechaInstalacion", FieldType::Date),
             F("Fecha", FieldType::Date), S("FormaPago", 200), F("Cobrada", FieldType::Boolean),
             F("Observacion", FieldType::Memo), F("ImporteE", FieldType::Float)},
            "Codigo"};
}

const char* kNombres[] = {"José", "María", "Ángel", "Lucía", "Íñigo", "Begoña", "Juan", "Carmen", "Óscar", "Nuria",
                          "Pedro", "Ana", "Raúl", "Sofía", "Andrés", "Elena", "Jesús", "Inés", "Tomás", "Rocío"};
const char* kApellidos[] = {"García", "Martínez", "López", "Sánchez", "Pérez", "Gómez", "Martín", "Jiménez",
                            "Ruiz", "Hernández", "Díaz", "Moreno", "Muñoz", "Álvarez", "Romero", "Alonso",
                            "Gutiérrez", "Navarro", "Torres", "Domínguez", "Vázquez", "Ramos", "Gil", "Ramírez",
                            "Serrano", "Blanco", "Molina", "Morales", "Suárez", "Ortega", "Delgado", "Castro",
                            "Ortiz", "Rubio", "Marín", "Sanz", "Núñez", "Iglesias", "Medina", "Garrido", "Zurita"};
const char* kAparatos2[] = {"Purificador", "Descalcificador", "Ósmosis", "Filtro", "Dosificador", "Ionizador"};
const char* kFormas[] = {"Contado", "Tarjeta", "Transferencia", "Financiado 12 meses", "Recibo domiciliado"};
const char kLetras[] = "TRWAGMYFPDXBNJZSQVHLCKE";

QString codigo4(int i)
{
    static const char dig[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    QString s(4, QLatin1Char('0'));
    for (int k = 3; k >= 0; --k, i /= 36)
        s[k] = QLatin1Char(dig[i % 36]);
    return s;
}

QString nombrePersona(QRandomGenerator& r)
{
    auto pick = [&](const char* const* v, int n) { return QString::fromUtf8(v[r.bounded(n)]); };
    return pick(kApellidos, 41) + ' ' + pick(kApellidos, 41) + ", " + pick(kNombres, 20);
}

void exec(sqlite3* db, const char* sql)
{
    char* err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", err);
        std::exit(2);
    }
}

void bindText(sqlite3_stmt* st, int i, const QString& s)
{
    const QByteArray u = s.toUtf8();
    sqlite3_bind_text(st, i, u.constData(), int(u.size()), SQLITE_TRANSIENT);
}

// Fills one table file through a raw connection in one transaction.
template <class F>
void llena(const QString& fichero, const QString& tabla, int columnas, int filas, F&& fila)
{
    sqlite3* db = interno::abre(fichero, SQLITE_OPEN_READWRITE);
    exec(db, "BEGIN");
    QStringList marcas;
    for (int i = 0; i < columnas; ++i)
        marcas << "?";
    sqlite3_stmt* st = nullptr;
    const QByteArray sql = QString("INSERT INTO %1 VALUES (%2)").arg(tabla, marcas.join(',')).toUtf8();
    sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
    for (int i = 0; i < filas; ++i) {
        sqlite3_reset(st);
        fila(st, i);
        if (sqlite3_step(st) != SQLITE_DONE) {
            std::fprintf(stderr, "%s\n", sqlite3_errmsg(db));
            std::exit(2);
        }
    }
    sqlite3_finalize(st);
    exec(db, "COMMIT");
    sqlite3_close(db);
}

void generaEmpresa(const QString& carpeta)
{
    QRandomGenerator r(20240517);
    for (const TableDef& t : {comercial(), cliente(), aparato(), venta()})
        Database::createTable(carpeta, t);
    auto nif = [&](int n) { return QString("%1%2").arg(n, 8, 10, QLatin1Char('0')).arg(QLatin1Char(kLetras[n % 23])); };
    llena(carpeta + "/Comercial.DB", "Comercial", 15, kComerciales, [&](sqlite3_stmt* st, int i) {
        bindText(st, 1, nif(10000000 + i * 7919));
        bindText(st, 2, i % 10 == 0 ? "Jefe" : "Comercial");
        bindText(st, 3, nombrePersona(r));
        bindText(st, 4, "Calle Mayor " + QString::number(i));
        bindText(st, 5, "Madrid");
        bindText(st, 6, "Madrid");
        sqlite3_bind_double(st, 7, 28000 + i);
        sqlite3_bind_int(st, 8, i % 2);
        bindText(st, 9, "910000000");
        sqlite3_bind_null(st, 10);
        bindText(st, 11, "C" + QString::number(i).rightJustified(3, '0'));
        bindText(st, 12, "2100");
        bindText(st, 13, "0001");
        bindText(st, 14, "12");
        bindText(st, 15, "0123456789");
    });
    llena(carpeta + "/Cliente.DB", "Cliente", 15, kClientes, [&](sqlite3_stmt* st, int i) {
        bindText(st, 1, codigo4(i));
        bindText(st, 2, nif(20000000 + i * 104729 % 9999999));
        bindText(st, 3, nombrePersona(r));
        bindText(st, 4, "91" + QString::number(1000000 + i));
        sqlite3_bind_null(st, 5);
        bindText(st, 6, "Avenida de España " + QString::number(i % 300));
        bindText(st, 7, i % 3 ? "Alcalá de Henares" : "Móstoles");
        bindText(st, 8, "Madrid");
        sqlite3_bind_double(st, 9, 28800 + i % 100);
        bindText(st, 10, "cliente" + QString::number(i) + "@correo.es");
        sqlite3_bind_null(st, 11);
        bindText(st, 12, "2100");
        bindText(st, 13, "0002");
        bindText(st, 14, "34");
        bindText(st, 15, "9876543210");
    });
    llena(carpeta + "/Aparato.DB", "Aparato", 10, kAparatos, [&](sqlite3_stmt* st, int i) {
        const double venta = 50000 + 1000 * (i % 90);
        sqlite3_bind_double(st, 1, venta / 10);
        sqlite3_bind_int(st, 2, i % 4 == 0);
        sqlite3_bind_double(st, 3, venta);
        sqlite3_bind_double(st, 4, venta * 0.6);
        sqlite3_bind_null(st, 5);
        bindText(st, 6, "A" + QString::number(i).rightJustified(3, '0'));
        bindText(st, 7, QString::fromUtf8(kAparatos2[i % 6]) + " modelo " + QString::number(i));
        sqlite3_bind_double(st, 8, venta / 10 / 166.386);
        sqlite3_bind_double(st, 9, venta / 166.386);
        sqlite3_bind_double(st, 10, venta * 0.6 / 166.386);
    });
    const QDate inicio(2024, 1, 1);
    llena(carpeta + "/Venta.db", "Venta", 11, kVentas, [&](sqlite3_stmt* st, int i) {
        const double importe = 50000 + 1000 * r.bounded(90);
        const QDate f = inicio.addDays(r.bounded(365));
        sqlite3_bind_int(st, 1, i + 1);
        sqlite3_bind_double(st, 2, importe);
        bindText(st, 3, "C" + QString::number(r.bounded(kComerciales)).rightJustified(3, '0'));
        bindText(st, 4, "A" + QString::number(r.bounded(kAparatos)).rightJustified(3, '0'));
        bindText(st, 5, codigo4(r.bounded(kClientes)));
        bindText(st, 6, f.addDays(7).toString(Qt::ISODate));
        bindText(st, 7, f.toString(Qt::ISODate));
        bindText(st, 8, QString::fromUtf8(kFormas[i % 5]));
        sqlite3_bind_int(st, 9, i % 3 == 0);
        if (i % 4 == 0)
            bindText(st, 10, "Instalación en planta baja; llamar antes");
        else
            sqlite3_bind_null(st, 10);
        sqlite3_bind_double(st, 11, importe / 166.386);
    });
}

// What raw SQLite does with the same statement: step it and copy every value
// into a compact store (numbers inline, texts into one UTF-8 arena).
struct CeldaCruda {
    int tipo;
    uint32_t largo;
    union {
        qint64 i;
        double d;
        size_t pos;
    };
};
struct Crudo {
    int columnas = 0;
    std::vector<CeldaCruda> celdas;
    std::string arena;
    size_t bytes() const { return celdas.capacity() * sizeof(CeldaCruda) + arena.capacity(); }
};

Crudo crudo(sqlite3* db, const QString& sql)
{
    Crudo c;
    sqlite3_stmt* st = nullptr;
    const QByteArray u = sql.toUtf8();
    sqlite3_prepare_v2(db, u.constData(), -1, &st, nullptr);
    c.columnas = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int i = 0; i < c.columnas; ++i) {
            CeldaCruda x{};
            x.tipo = sqlite3_column_type(st, i);
            switch (x.tipo) {
            case SQLITE_INTEGER: x.i = sqlite3_column_int64(st, i); break;
            case SQLITE_FLOAT: x.d = sqlite3_column_double(st, i); break;
            case SQLITE_NULL: break;
            default: {
                const char* t = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
                x.largo = uint32_t(sqlite3_column_bytes(st, i));
                x.pos = c.arena.size();
                c.arena.append(t, x.largo);
            }
            }
            c.celdas.push_back(x);
        }
    }
    sqlite3_finalize(st);
    return c;
}

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

double rssMb()
{
#ifdef __linux__
    QFile f("/proc/self/statm");
    if (f.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> p = f.readAll().split(' ');
        if (p.size() > 1)
            return p[1].toDouble() * 4096.0 / (1024.0 * 1024.0);
    }
#endif
    return 0;
}

struct Fila {
    QString que;
    double motor;
    double crudo;
    QString unidad;
    QString objetivo;
    bool ok;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QElapsedTimer total;
    total.start();
    QTemporaryDir tmp;
    if (qEnvironmentVariableIsSet("BENCH_KEEP")) tmp.setAutoRemove(false);
    std::printf("carpeta %s\n", qPrintable(tmp.path()));
    const QString carpeta = tmp.path() + "/Emp1";
    std::printf("Generando empresa a escala %d (%d ventas)...\n", kEscala, kVentas);
    std::fflush(stdout);
    generaEmpresa(carpeta);
    std::printf("  %.1f s\n", total.elapsed() / 1000.0);
    if (qEnvironmentVariableIsSet("BENCH_SOLO_GENERAR")) return 0;

    Session sesion("S1");
    sesion.setNetDir(tmp.path() + "/NET");
    Database db(&sesion, "Provenda");
    db.setPath(carpeta);
    db.open();
    sqlite3* con = static_cast<sqlite3*>(db.handle());
    const int repeticiones = 7;
    QList<Fila> filas;
    QElapsedTimer t;

    // Memory held by the opened list, first, while the heap is still clean.
    {
        const double antes = rssMb();
        Query q;
        q.setDatabase(&db);
        q.setSql(QStringList(kListaVenta) << "order by Comercial");
        q.open();
        const double despues = rssMb();
        const double bytes = q.memoryBytes() / (1024.0 * 1024.0);
        const double crudos = crudo(con, q.sql().join('\n')).bytes() / (1024.0 * 1024.0);
        filas << Fila{"memoria de la lista abierta (RSS)", despues - antes, crudos, "MB", "< 100 MB",
                      despues - antes < 100};
        filas << Fila{"memoria de la lista abierta (bytes propios)", bytes, crudos, "MB", "< 100 MB", bytes < 100};
    }

    // 1. Opening the list, and 2. re-sorting it by another column.
    auto abrir = [&](const QString& orden, const QString& que) {
        QStringList sql = kListaVenta;
        sql << orden;
        const QString texto = sql.join('\n');
        std::vector<double> m, c;
        for (int i = 0; i <= repeticiones; ++i) {   // the first run warms the cache
            Query q;
            q.setDatabase(&db);
            q.setSql(sql);
            t.start();
            q.open();
            const double tm = t.nsecsElapsed() / 1e6;
            if (q.recordCount() != kVentas) {
                std::fprintf(stderr, "filas: %d\n", q.recordCount());
                std::exit(2);
            }
            q.close();
            t.start();
            Crudo cr = crudo(con, texto);
            const double tc = t.nsecsElapsed() / 1e6;
            if (i > 0) {
                m.push_back(tm);
                c.push_back(tc);
            }
        }
        const double mm = mediana(m), mc = mediana(c);
        filas << Fila{que, mm, mc, "ms", "<= 1,5x", mm <= 1.5 * mc};
    };
    abrir("order by Comercial", "abrir lista de ventas (join, 100.000 filas)");
    abrir("order by Cliente", "reordenar por cliente");

    // 3. Locate a name prefix, case-insensitive (the locate window).
    {
        Query q;
        q.setDatabase(&db);
        q.setSql(QStringList(kListaVenta) << "order by Comercial");
        q.open();
        QRandomGenerator r(7);
        std::vector<double> m, c;
        double peor = 0;
        const int ic = q.fieldIndex("Cliente");
        Crudo cr = crudo(con, (QStringList(kListaVenta) << "order by Comercial").join('\n'));
        // 40 prefixes of whole names at random rows, then 9 times one that
        // matches no row (a full scan of the 100,000)
        std::vector<double> fm, fc;
        for (int i = 0; i < 49; ++i) {
            const int fila = int(r.bounded(kVentas));
            const bool falla = i >= 40;
            const QString prefijo = falla ? QStringLiteral("zzzz no está")
                                          : q.valueAt(fila, ic).toString().chopped(2).toLower();
            t.start();
            const bool ok = q.locate("Cliente", prefijo, Dataset::CaseInsensitive | Dataset::PartialKey);
            const double tm = t.nsecsElapsed() / 1e6;
            if (ok == falla || (!falla && q.recNo() > fila)) {
                std::fprintf(stderr, "locate falló: %s\n", qPrintable(prefijo));
                std::exit(2);
            }
            // raw: the same scan over the copied UTF-8 texts (byte-wise, ASCII case folding)
            const QByteArray p = prefijo.toUtf8();
            t.start();
            int hallada = -1;
            for (size_t k = 0; k < cr.celdas.size() / cr.columnas; ++k) {
                const CeldaCruda& x = cr.celdas[k * cr.columnas + ic];
                if (x.tipo == SQLITE_TEXT && x.largo >= size_t(p.size())
                    && strncasecmp(cr.arena.data() + x.pos, p.constData(), p.size()) == 0) {
                    hallada = int(k);
                    break;
                }
            }
            const double tc = t.nsecsElapsed() / 1e6;
            if (hallada > fila) {   // also keeps the raw scan from being optimised away
                std::fprintf(stderr, "búsqueda cruda: %d\n", hallada);
                std::exit(2);
            }
            (falla ? fm : m).push_back(tm);
            (falla ? fc : c).push_back(tc);
            if (!falla)
                peor = std::max(peor, tm);
        }
        filas << Fila{"localizar sin resultado (recorre 100.000)", mediana(fm), mediana(fc), "ms", "< 5 ms",
                      mediana(fm) < 5};
        filas.insert(filas.size() - 1, Fila{"localizar prefijo de nombre (mediana)", mediana(m), mediana(c), "ms", "< 5 ms", mediana(m) < 5});
        std::sort(m.begin(), m.end());
        std::sort(c.begin(), c.end());
        filas.insert(filas.size() - 1, Fila{"localizar prefijo de nombre (percentil 90)", m[size_t(m.size() * 9 / 10)],
                                            c[size_t(c.size() * 9 / 10)], "ms", "< 5 ms", m[size_t(m.size() * 9 / 10)] < 5});
        std::printf("  localizar: el peor de 40 tardó %.2f ms (carga de la máquina incluida)\n", peor);
    }

    // 4. Posting one sale with its commit (synchronous FULL) against a raw insert.
    {
        Table v;
        v.setDatabase(&db);
        v.setTableName("Venta.db");
        v.open();
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(con,
                           "INSERT INTO Venta.Venta (Codigo, Importe, CodigoComercial, CodigoAparato, CodigoCliente,"
                           " FechaInstalacion, Fecha, FormaPago, Cobrada, Observacion, ImporteE)"
                           " VALUES (?,?,?,?,?,?,?,?,?,?,?)",
                           -1, &st, nullptr);
        std::vector<double> m, c;
        int siguiente = kVentas + 1;
        for (int i = 0; i < 25; ++i) {   // interleaved, so disk hiccups hit both
            t.start();
            v.insert();
            v.fieldByName("Codigo")->setValue(siguiente++);
            v.fieldByName("Importe")->setValue(83193.0);
            v.fieldByName("CodigoComercial")->setValue("C001");
            v.fieldByName("CodigoAparato")->setValue("A001");
            v.fieldByName("CodigoCliente")->setValue("0001");
            v.fieldByName("FechaInstalacion")->setValue(QDate(2024, 5, 20));
            v.fieldByName("Fecha")->setValue(QDate(2024, 5, 17));
            v.fieldByName("FormaPago")->setValue("Contado");
            v.fieldByName("Cobrada")->setValue(false);
            v.fieldByName("ImporteE")->setValue(500.0);
            v.post();
            m.push_back(t.nsecsElapsed() / 1e6);
            t.start();
            sqlite3_reset(st);
            sqlite3_bind_int(st, 1, siguiente++);
            sqlite3_bind_double(st, 2, 83193.0);
            sqlite3_bind_text(st, 3, "C001", -1, SQLITE_STATIC);
            sqlite3_bind_text(st, 4, "A001", -1, SQLITE_STATIC);
            sqlite3_bind_text(st, 5, "0001", -1, SQLITE_STATIC);
            sqlite3_bind_text(st, 6, "2024-05-20", -1, SQLITE_STATIC);
            sqlite3_bind_text(st, 7, "2024-05-17", -1, SQLITE_STATIC);
            sqlite3_bind_text(st, 8, "Contado", -1, SQLITE_STATIC);
            sqlite3_bind_int(st, 9, 0);
            sqlite3_bind_null(st, 10);
            sqlite3_bind_double(st, 11, 500.0);
            if (sqlite3_step(st) != SQLITE_DONE) {
                std::fprintf(stderr, "%s\n", sqlite3_errmsg(con));
                return 2;
            }
            c.push_back(t.nsecsElapsed() / 1e6);
        }
        sqlite3_finalize(st);
        filas << Fila{"alta de una venta con su commit", mediana(m), mediana(c), "ms", "<= 1,2x",
                      mediana(m) <= 1.2 * mediana(c)};
    }

    std::printf("\n%-46s %10s %10s %7s  %-9s %s\n", "medida", "motor", "sqlite3", "razón", "objetivo", "");
    for (const Fila& f : std::as_const(filas)) {
        const QString u = f.unidad;
        std::printf("%-46s %7.2f %-2s %7.2f %-2s %6.2fx  %-9s %s\n", qPrintable(f.que), f.motor, qPrintable(u), f.crudo,
                    qPrintable(u), f.crudo > 0 ? f.motor / f.crudo : 0.0, qPrintable(f.objetivo),
                    f.ok ? "PASS" : "FAIL");
    }
    std::printf("\n(memoria: la columna sqlite3 es la copia cruda, celdas y textos UTF-8; el RSS del motor incluye"
                " la caché de páginas de SQLite)");
    std::printf("\n(medianas de %d ejecuciones; localizar: 40 prefijos y 9 búsquedas fallidas; alta: 25 altas alternas; total %.1f s)\n",
                repeticiones, total.elapsed() / 1000.0);
    return 0;
}
