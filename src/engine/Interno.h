#pragma once
// Engine internals shared by its source files: SQLite helpers, the Spanish
// collation, value conversion and the compact row store.
#include "engine/Motor.h"

#include <sqlite3.h>

#include <QPointer>
#include <QStringView>
#include <cstdint>
#include <memory>
#include <vector>

namespace motor::interno {

// --- SQLite helpers --------------------------------------------------------

// Throws EDBEngineError: ClaveDuplicada for unique/primary key violations,
// Generico with SQLite's message otherwise.
[[noreturn]] void lanza(sqlite3* db, int rc, const QString& contexto = {});
// Functions, collation, busy time-out; every connection of the engine.
void configura(sqlite3* db);
// Opens a file connection configured for the engine (throws).
sqlite3* abre(const QString& ruta, int flags);
void ejecuta(sqlite3* db, const QString& sql);
QString ident(const QString& nombre); // quoted identifier (never a value)
// Field definitions (and key field) stored in a table file; esquema is the
// attached schema, or empty for the main one.
QList<FieldDef> leeDefiniciones(sqlite3* db, const QString& esquema, QString* clave);

// Spanish order over UTF-8: accented letters with their base letter, ñ after
// n, case folded; ties broken byte-wise so it is a total order whose equality
// is byte equality (unique keys stay exact).
int comparaEs(const char* a, int na, const char* b, int nb);
int comparaEs(QStringView a, QStringView b);

// Statement owner.
class Sentencia {
public:
    Sentencia() = default;
    Sentencia(sqlite3* db, const QString& sql) { prepara(db, sql); }
    ~Sentencia() { if (m_st) sqlite3_finalize(m_st); }
    Sentencia(const Sentencia&) = delete;
    Sentencia& operator=(const Sentencia&) = delete;
    void prepara(sqlite3* db, const QString& sql);
    sqlite3_stmt* get() const { return m_st; }
    operator sqlite3_stmt*() const { return m_st; }
    bool paso();          // true on a row, false when done; throws on error
    void reinicia() { sqlite3_reset(m_st); sqlite3_clear_bindings(m_st); }
    void libera() { if (m_st) sqlite3_finalize(m_st); m_st = nullptr; }
private:
    sqlite3_stmt* m_st = nullptr;
};

// Binds a value (QDate as ISO text, bool as 0/1, ...).
void enlaza(sqlite3_stmt* st, int i, const QVariant& v);

// Declared SQL type of a field and back (also for query columns).
QString tipoSql(const FieldDef& f);
FieldType tipoDeclarado(const char* decl, int* size);
QString nombreTipo(FieldType t);
FieldType tipoDeNombre(const QString& n);

// Converts a value to the canonical type of a field (QString, int, double,
// QDate, bool, QByteArray; null stays null). Throws EConvertError.
QVariant normaliza(const QVariant& v, FieldType t, const QString& campo);
// Canonical QVariant from a column of a stepped statement.
QVariant columna(sqlite3_stmt* st, int i, FieldType t);

// --- Compact row store -----------------------------------------------------

struct Celda {
    enum Tipo : uint8_t { Nulo, Entero, Real, Texto, Blob, Fecha };
    Tipo tipo = Nulo;
    uint32_t largo = 0;       // UTF-16 units of a text
    union {
        qint64 i;
        double d;
        quint64 pos;          // text: arena position; blob: index
    };
    Celda() : i(0) {}
};
static_assert(sizeof(Celda) == 16);

class Almacen {
public:
    void limpia(int columnas);
    int filas() const { return m_filas; }
    int columnas() const { return m_columnas; }
    // Appends the current row of a stepped statement (columns 0..n-1 from
    // desde); dates of Date columns become day numbers.
    int agrega(sqlite3_stmt* st, const std::vector<FieldType>& tipos, int desde = 0);
    // Replaces a stored row with the current row of a statement.
    void reemplaza(int fila, sqlite3_stmt* st, const std::vector<FieldType>& tipos, int desde = 0);
    const Celda& celda(int fila, int col) const {
        return m_trozos[size_t(fila) >> kBits][(size_t(fila) & kMascara) * m_columnas + col];
    }
    QStringView texto(const Celda& c) const {
        return QStringView(m_textos[c.pos >> 32].get() + (c.pos & 0xffffffffu), qsizetype(c.largo));
    }
    QVariant valor(int fila, int col, FieldType t) const;
    qint64 bytes() const;
    // Case-folded first UTF-16 unit of each stored row's text in a column
    // (0 for null, kCualquiera when it must be compared in full), built on the
    // first search of the column: a scan of 100,000 rows then reads 200 KB
    // instead of every text.
    static constexpr char16_t kCualquiera = 0xFFFF;
    const std::vector<char16_t>& iniciales(int col) const;
private:
    char16_t inicial(const Celda& c) const;
    void actualizaIniciales(int fila);
    Celda& celdaRef(int fila, int col) {
        return m_trozos[size_t(fila) >> kBits][(size_t(fila) & kMascara) * m_columnas + col];
    }
    void guarda(Celda& c, sqlite3_stmt* st, int i, FieldType t);
    quint64 reservaTexto(int unidades, char16_t** destino);

    static constexpr int kBits = 10;              // 1024 rows per chunk
    static constexpr size_t kMascara = (1u << kBits) - 1;
    static constexpr size_t kTrozoTexto = 1u << 19; // UTF-16 units per block
    int m_columnas = 0;
    int m_filas = 0;
    std::vector<std::unique_ptr<Celda[]>> m_trozos;
    std::vector<std::unique_ptr<char16_t[]>> m_textos;
    std::vector<size_t> m_capacidadTexto;
    size_t m_usadoTexto = 0;                       // in the last block
    std::vector<QByteArray> m_blobs;
    mutable std::vector<std::vector<char16_t>> m_iniciales;   // per column, empty until asked
};

// A locate text prepared once per search: folded code unit by code unit, as
// Qt's case-insensitive comparison does, so each row costs a short loop.
struct Patron {
    Patron(const QString& t, const QVariant& valor);
    QString texto;
    bool nulo = false;    // locating a null value
    char16_t inicial = 0; // folded first unit; 0 when no row can be skipped by it
    // False when the row's stored initial rules it out without reading its text.
    bool puede(char16_t deLaFila) const
    {
        return inicial == 0 || deLaFila == Almacen::kCualquiera || deLaFila == inicial;
    }
    QString plegado;
    bool simple = true;   // no surrogates: the fast path applies
};

// Compares a stored cell with a locate value.
bool coincide(const Almacen& a, const Celda& c, FieldType t, const QVariant& valor,
              const Patron& buscado, int opciones);

// --- Fields -----------------------------------------------------------------

// What a field reads and writes: its dataset's current record.
class Fuente {
public:
    virtual ~Fuente() = default;
    virtual QVariant leeCampo(int indice) const = 0;
    virtual void escribeCampo(int indice, const QVariant& v) = 0;
};

// Where a dataset's rows come from: a database given, or a folder named
// directly, resolved on first use to that folder's database in the session.
struct Origen {
    QPointer<Database> db;
    std::unique_ptr<Database> propia;   // folder database when there is no session at all
    QString carpeta;
    QPointer<Session> sesion;

    void ponerBase(Dataset* ds, Database* nueva);
    void ponerCarpeta(Dataset* ds, const QString& folder);
    // Throws EDatabaseError(sinBase) when neither a database nor a folder is set.
    void resolver(Dataset* ds, const QString& sinBase);
};

class Campo final : public Field {
public:
    Campo(Fuente* f, int indice, FieldDef def, bool lookup)
        : m_fuente(f), m_indice(indice), m_def(std::move(def)), m_lookup(lookup) {}
    QString name() const override { return m_def.name; }
    FieldType type() const override { return m_def.type; }
    int size() const override { return m_def.size; }
    bool required() const override { return m_def.required; }
    bool isLookup() const override { return m_lookup; }
    QVariant value() const override { return m_fuente->leeCampo(m_indice); }
    void setValue(const QVariant& v) override { m_fuente->escribeCampo(m_indice, v); }
    void reubica(int indice, const FieldDef& def) { m_indice = indice; m_def = def; }
    const FieldDef& def() const { return m_def; }
private:
    Fuente* m_fuente;
    int m_indice;
    FieldDef m_def;
    bool m_lookup;
};

} // namespace motor::interno
