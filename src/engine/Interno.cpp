#include "engine/Interno.h"

#include <QChar>
#include <QDate>
#include <QRegularExpression>
#include <cstring>

namespace motor::interno {

// --- errors and connections --------------------------------------------------

void lanza(sqlite3* db, int rc, const QString& contexto)
{
    const int ext = db ? sqlite3_extended_errcode(db) : rc;
    QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    if (ext == SQLITE_CONSTRAINT_UNIQUE || ext == SQLITE_CONSTRAINT_PRIMARYKEY)
        throw EDBEngineError(EDBEngineError::ClaveDuplicada,
                             QStringLiteral("Violación de clave: ya existe un registro con esa clave (%1).").arg(msg));
    if (!contexto.isEmpty())
        msg = contexto + QStringLiteral(": ") + msg;
    throw EDBEngineError(EDBEngineError::Generico, msg);
}

namespace {

// Primary weights: letters case-folded, accents on their base letter, ñ just
// after n. Built once from Qt's Unicode tables for U+0000..U+024F.
struct Pesos {
    uint32_t w[0x250];
    Pesos()
    {
        for (uint32_t cp = 0; cp < 0x250; ++cp) {
            uint32_t base = cp;
            if (cp >= 0x80) {
                const QString dec = QChar(char16_t(cp)).decomposition();
                if (!dec.isEmpty() && dec.at(0).unicode() < 0x80)
                    base = dec.at(0).unicode();
            }
            if (cp == 0xD1 || cp == 0xF1) {      // Ñ ñ
                w[cp] = uint32_t('N') * 4 + 2;
                continue;
            }
            if (base < 0x80) {
                if (base >= 'a' && base <= 'z')
                    base -= 32;
                w[cp] = base * 4;
            } else {
                w[cp] = cp * 4;
            }
        }
    }
};
const Pesos& pesos()
{
    static const Pesos p;
    return p;
}

inline uint32_t decodifica(const unsigned char*& p, const unsigned char* e)
{
    uint32_t c = *p++;
    if (c < 0x80)
        return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    c &= (0x3F >> extra);
    while (extra-- > 0 && p < e)
        c = (c << 6) | (*p++ & 0x3F);
    return c;
}

inline uint32_t peso(const Pesos& t, uint32_t cp) { return cp < 0x250 ? t.w[cp] : cp * 4; }

int colacion(void*, int na, const void* a, int nb, const void* b)
{
    return comparaEs(static_cast<const char*>(a), na, static_cast<const char*>(b), nb);
}

bool esAscii(const unsigned char* s, int n)
{
    for (int i = 0; i < n; ++i)
        if (s[i] >= 0x80)
            return false;
    return true;
}

void cambiaCaso(sqlite3_context* ctx, int, sqlite3_value** argv, bool mayus)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* s = sqlite3_value_text(argv[0]);
    const int n = sqlite3_value_bytes(argv[0]);
    if (esAscii(s, n)) {
        QByteArray r(reinterpret_cast<const char*>(s), n);
        for (char& ch : r)
            ch = mayus ? (ch >= 'a' && ch <= 'z' ? ch - 32 : ch) : (ch >= 'A' && ch <= 'Z' ? ch + 32 : ch);
        sqlite3_result_text(ctx, r.constData(), r.size(), SQLITE_TRANSIENT);
        return;
    }
    const QString t = QString::fromUtf8(reinterpret_cast<const char*>(s), n);
    const QByteArray r = (mayus ? t.toUpper() : t.toLower()).toUtf8();
    sqlite3_result_text(ctx, r.constData(), r.size(), SQLITE_TRANSIENT);
}
inline char16_t plegada(QChar c)
{
    const char16_t x = c.unicode();
    if (x < 0x80)
        return x >= 'A' && x <= 'Z' ? char16_t(x + 32) : x;
    return char16_t(QChar::toCaseFolded(char32_t(x)));
}

// SQL LIKE with Unicode case folding ("jos%" finds "JOSÉ"; SQLite's own folds
// ASCII only). '%' any run, '_' one character, optional escape character.
bool comodin(QStringView p, QStringView s, char16_t esc)
{
    qsizetype pi = 0, si = 0, estrellaP = -1, estrellaS = 0;
    while (si < s.size()) {
        if (pi < p.size()) {
            const char16_t c = p[pi].unicode();
            if (esc && c == esc && pi + 1 < p.size()) {
                if (plegada(p[pi + 1]) == plegada(s[si])) {
                    pi += 2;
                    ++si;
                    continue;
                }
            } else if (c == '%') {
                estrellaP = ++pi;
                estrellaS = si;
                continue;
            } else if (c == '_' || plegada(p[pi]) == plegada(s[si])) {
                ++pi;
                ++si;
                continue;
            }
        }
        if (estrellaP < 0)
            return false;
        pi = estrellaP;
        si = ++estrellaS;
    }
    while (pi < p.size() && p[pi] == QLatin1Char('%'))
        ++pi;
    return pi == p.size();
}

void como(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    char16_t esc = 0;
    if (argc == 3) {
        const QString e = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[2])));
        if (e.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        esc = e.at(0).unicode();
    }
    auto texto = [](sqlite3_value* v) {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
    };
    sqlite3_result_int(ctx, comodin(texto(argv[0]), texto(argv[1]), esc) ? 1 : 0);
}

void mayusculas(sqlite3_context* c, int n, sqlite3_value** v) { cambiaCaso(c, n, v, true); }
void minusculas(sqlite3_context* c, int n, sqlite3_value** v) { cambiaCaso(c, n, v, false); }

} // namespace

int comparaEs(const char* a, int na, const char* b, int nb)
{
    if (na == nb && std::memcmp(a, b, size_t(na)) == 0)
        return 0;
    const Pesos& t = pesos();
    const auto* pa = reinterpret_cast<const unsigned char*>(a);
    const auto* pb = reinterpret_cast<const unsigned char*>(b);
    const auto* ea = pa + na;
    const auto* eb = pb + nb;
    while (pa < ea && pb < eb) {
        const uint32_t wa = peso(t, decodifica(pa, ea));
        const uint32_t wb = peso(t, decodifica(pb, eb));
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    if (pa < ea)
        return 1;
    if (pb < eb)
        return -1;
    const int r = std::memcmp(a, b, size_t(std::min(na, nb)));
    if (r != 0)
        return r < 0 ? -1 : 1;
    return na < nb ? -1 : na > nb ? 1 : 0;
}

int comparaEs(QStringView a, QStringView b)
{
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    return comparaEs(ua.constData(), int(ua.size()), ub.constData(), int(ub.size()));
}

void configura(sqlite3* db)
{
    sqlite3_busy_timeout(db, 5000);
    sqlite3_extended_result_codes(db, 1);
    const int fl = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "upper", 1, fl, nullptr, mayusculas, nullptr, nullptr);
    sqlite3_create_function(db, "lower", 1, fl, nullptr, minusculas, nullptr, nullptr);
    sqlite3_create_function(db, "like", 2, fl, nullptr, como, nullptr, nullptr);
    sqlite3_create_function(db, "like", 3, fl, nullptr, como, nullptr, nullptr);
    sqlite3_create_collation(db, "ES", SQLITE_UTF8, nullptr, colacion);
    // Sorting a list of 100,000 rows must not spill to temporary files.
    sqlite3_exec(db, "PRAGMA temp_store=MEMORY", nullptr, nullptr, nullptr);
}

sqlite3* abre(const QString& ruta, int flags)
{
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(ruta.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        throw EDBEngineError(EDBEngineError::Generico,
                             QStringLiteral("No se puede abrir '%1': %2").arg(ruta, msg));
    }
    configura(db);
    return db;
}

void ejecuta(sqlite3* db, const QString& sql)
{
    char* err = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        sqlite3_free(err);
        lanza(db, rc);
    }
}

QString ident(const QString& nombre)
{
    QString s = nombre;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

void Sentencia::prepara(sqlite3* db, const QString& sql)
{
    libera();
    const QByteArray u = sql.toUtf8();
    const int rc = sqlite3_prepare_v3(db, u.constData(), int(u.size()), SQLITE_PREPARE_PERSISTENT, &m_st, nullptr);
    if (rc != SQLITE_OK) {
        m_st = nullptr;
        lanza(db, rc);
    }
}

bool Sentencia::paso()
{
    const int rc = sqlite3_step(m_st);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3* db = sqlite3_db_handle(m_st);
    sqlite3_reset(m_st);
    lanza(db, rc);
}

void enlaza(sqlite3_stmt* st, int i, const QVariant& v)
{
    if (!v.isValid() || v.isNull()) {
        sqlite3_bind_null(st, i);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Bool:
        sqlite3_bind_int(st, i, v.toBool() ? 1 : 0);
        break;
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Short: case QMetaType::UShort: case QMetaType::Char: case QMetaType::UChar:
    case QMetaType::Long: case QMetaType::ULong:
        sqlite3_bind_int64(st, i, v.toLongLong());
        break;
    case QMetaType::Double: case QMetaType::Float:
        sqlite3_bind_double(st, i, v.toDouble());
        break;
    case QMetaType::QDate: {
        const QByteArray u = v.toDate().toString(Qt::ISODate).toUtf8();
        sqlite3_bind_text(st, i, u.constData(), int(u.size()), SQLITE_TRANSIENT);
        break;
    }
    case QMetaType::QDateTime: {
        const QByteArray u = v.toDateTime().date().toString(Qt::ISODate).toUtf8();
        sqlite3_bind_text(st, i, u.constData(), int(u.size()), SQLITE_TRANSIENT);
        break;
    }
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        sqlite3_bind_blob(st, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QString s = v.toString();
        sqlite3_bind_text16(st, i, s.utf16(), int(s.size() * 2), SQLITE_TRANSIENT);
        break;
    }
    }
}

// --- types -------------------------------------------------------------------

QString tipoSql(const FieldDef& f)
{
    switch (f.type) {
    case FieldType::String: return QStringLiteral("VARCHAR(%1) COLLATE ES").arg(f.size > 0 ? f.size : 20);
    case FieldType::Integer: return QStringLiteral("INTEGER");
    case FieldType::AutoInc: return QStringLiteral("INTEGER");
    case FieldType::Float: return QStringLiteral("DOUBLE");
    case FieldType::Currency: return QStringLiteral("MONEY REAL");
    case FieldType::Date: return QStringLiteral("DATE");
    case FieldType::Boolean: return QStringLiteral("BOOLEAN");
    case FieldType::Memo: return QStringLiteral("TEXT COLLATE ES");
    case FieldType::Graphic: return QStringLiteral("BLOB");
    }
    return QStringLiteral("TEXT");
}

FieldType tipoDeclarado(const char* decl, int* size)
{
    *size = 0;
    if (!decl)
        return FieldType::String;
    const QByteArray d = QByteArray(decl).toUpper();
    if (d.startsWith("VARCHAR") || d.startsWith("CHAR")) {
        const int a = d.indexOf('('), b = d.indexOf(')');
        if (a > 0 && b > a)
            *size = d.mid(a + 1, b - a - 1).trimmed().toInt();
        return FieldType::String;
    }
    if (d.startsWith("MONEY") || d.startsWith("CURRENCY")) return FieldType::Currency;
    if (d.startsWith("DATE")) return FieldType::Date;
    if (d.startsWith("BOOL")) return FieldType::Boolean;
    if (d.contains("INT")) return FieldType::Integer;
    if (d.contains("DOUB") || d.contains("REAL") || d.contains("FLOA") || d.contains("NUM")) return FieldType::Float;
    if (d.contains("BLOB")) return FieldType::Graphic;
    if (d.contains("TEXT") || d.contains("CLOB")) return FieldType::Memo;
    return FieldType::String;
}

QString nombreTipo(FieldType t)
{
    switch (t) {
    case FieldType::String: return QStringLiteral("String");
    case FieldType::Integer: return QStringLiteral("Integer");
    case FieldType::AutoInc: return QStringLiteral("AutoInc");
    case FieldType::Float: return QStringLiteral("Float");
    case FieldType::Currency: return QStringLiteral("Currency");
    case FieldType::Date: return QStringLiteral("Date");
    case FieldType::Boolean: return QStringLiteral("Boolean");
    case FieldType::Memo: return QStringLiteral("Memo");
    case FieldType::Graphic: return QStringLiteral("Graphic");
    }
    return QStringLiteral("String");
}

FieldType tipoDeNombre(const QString& n)
{
    static const FieldType todos[] = {FieldType::String, FieldType::Integer, FieldType::AutoInc,
                                      FieldType::Float, FieldType::Currency, FieldType::Date,
                                      FieldType::Boolean, FieldType::Memo, FieldType::Graphic};
    for (FieldType t : todos)
        if (nombreTipo(t).compare(n, Qt::CaseInsensitive) == 0)
            return t;
    return FieldType::String;
}

namespace {

QDate leeFechaTexto(QString s)
{
    s = s.trimmed();
    if (s.isEmpty())
        return {};
    QDate d = QDate::fromString(s.left(10), Qt::ISODate);
    if (d.isValid())
        return d;
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2})[/.-](\\d{1,2})[/.-](\\d{2}|\\d{4})$"));
    const auto m = re.match(s);
    if (!m.hasMatch())
        return {};
    int anio = m.captured(3).toInt();
    if (m.captured(3).size() == 2)
        anio += anio < 50 ? 2000 : 1900;   // 1950..2049, as the regional forms
    return QDate(anio, m.captured(2).toInt(), m.captured(1).toInt());
}

std::optional<double> leeNumero(QString s)
{
    s = s.trimmed();
    if (s.isEmpty())
        return std::nullopt;
    if (s.contains(QLatin1Char(','))) {
        s.remove(QLatin1Char('.'));
        s.replace(QLatin1Char(','), QLatin1Char('.'));
    }
    bool ok = false;
    const double d = s.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return d;
}

[[noreturn]] void noConvierte(const QVariant& v, const QString& campo, const char* que)
{
    throw EConvertError(QStringLiteral("'%1' no es %2 válido para el campo '%3'.")
                            .arg(v.toString(), QLatin1String(que), campo));
}

} // namespace

QVariant normaliza(const QVariant& v, FieldType t, const QString& campo)
{
    if (!v.isValid() || v.isNull())
        return {};
    const bool esTexto = v.typeId() == QMetaType::QString;
    if (esTexto && (t != FieldType::String && t != FieldType::Memo) && v.toString().trimmed().isEmpty())
        return {};
    switch (t) {
    case FieldType::String:
    case FieldType::Memo: {
        const QString s = v.typeId() == QMetaType::QDate ? v.toDate().toString(Qt::ISODate) : v.toString();
        if (s.isEmpty())
            return {};   // an empty text is a blank field
        return s;
    }
    case FieldType::Integer:
    case FieldType::AutoInc: {
        if (esTexto) {
            bool ok = false;
            const int i = v.toString().trimmed().toInt(&ok);
            if (!ok)
                noConvierte(v, campo, "un número entero");
            return i;
        }
        if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
            return int(qRound64(v.toDouble()));
        bool ok = false;
        const int i = v.toInt(&ok);
        if (!ok)
            noConvierte(v, campo, "un número entero");
        return i;
    }
    case FieldType::Float:
    case FieldType::Currency: {
        if (esTexto) {
            const auto d = leeNumero(v.toString());
            if (!d)
                noConvierte(v, campo, "un número");
            return *d;
        }
        bool ok = false;
        const double d = v.toDouble(&ok);
        if (!ok)
            noConvierte(v, campo, "un número");
        return d;
    }
    case FieldType::Date: {
        if (v.typeId() == QMetaType::QDate)
            return v.toDate().isValid() ? QVariant(v.toDate()) : QVariant();
        if (v.typeId() == QMetaType::QDateTime)
            return v.toDateTime().date();
        const QDate d = leeFechaTexto(v.toString());
        if (!d.isValid())
            noConvierte(v, campo, "una fecha");
        return d;
    }
    case FieldType::Boolean: {
        if (esTexto) {
            const QString s = v.toString().trimmed().toLower();
            if (s == QLatin1String("1") || s == QLatin1String("true") || s == QStringLiteral("sí")
                || s == QLatin1String("si") || s == QLatin1String("s"))
                return true;
            if (s == QLatin1String("0") || s == QLatin1String("false") || s == QLatin1String("no")
                || s == QLatin1String("n"))
                return false;
            noConvierte(v, campo, "un valor lógico");
        }
        return v.toBool();
    }
    case FieldType::Graphic:
        return v.toByteArray();
    }
    return v;
}

QVariant columna(sqlite3_stmt* st, int i, FieldType t)
{
    const int ct = sqlite3_column_type(st, i);
    if (ct == SQLITE_NULL)
        return {};
    switch (t) {
    case FieldType::String:
    case FieldType::Memo:
        if (ct == SQLITE_FLOAT)
            return QString::number(sqlite3_column_double(st, i), 'g', 15);
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)),
                                 sqlite3_column_bytes(st, i));
    case FieldType::Integer:
    case FieldType::AutoInc: {
        const qint64 x = ct == SQLITE_FLOAT ? qRound64(sqlite3_column_double(st, i)) : sqlite3_column_int64(st, i);
        if (x >= INT_MIN && x <= INT_MAX)
            return int(x);
        return x;
    }
    case FieldType::Float:
    case FieldType::Currency:
        return sqlite3_column_double(st, i);
    case FieldType::Boolean:
        return sqlite3_column_int64(st, i) != 0;
    case FieldType::Date: {
        const QString s = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)),
                                            sqlite3_column_bytes(st, i));
        const QDate d = QDate::fromString(s.left(10), Qt::ISODate);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldType::Graphic:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(st, i)), sqlite3_column_bytes(st, i));
    }
    return {};
}

// --- store ---------------------------------------------------------------------

char16_t Almacen::inicial(const Celda& c) const
{
    if (c.tipo == Celda::Nulo)
        return 0;
    if (c.tipo != Celda::Texto || c.largo == 0)
        return kCualquiera;
    const char16_t x = texto(c)[0].unicode();
    if (x < 0x80)
        return x >= 'A' && x <= 'Z' ? char16_t(x + 32) : x;
    if (QChar::isSurrogate(x))
        return kCualquiera;
    const char16_t f = char16_t(QChar::toCaseFolded(char32_t(x)));
    return f == kCualquiera ? char16_t(kCualquiera - 1) : f;
}

const std::vector<char16_t>& Almacen::iniciales(int col) const
{
    if (m_iniciales.size() != size_t(m_columnas))
        m_iniciales.assign(size_t(m_columnas), {});
    std::vector<char16_t>& v = m_iniciales[size_t(col)];
    if (v.size() != size_t(m_filas)) {
        v.resize(size_t(m_filas));
        for (int r = 0; r < m_filas; ++r)
            v[size_t(r)] = inicial(celda(r, col));
    }
    return v;
}

void Almacen::actualizaIniciales(int fila)
{
    for (size_t col = 0; col < m_iniciales.size(); ++col) {
        std::vector<char16_t>& v = m_iniciales[col];
        if (v.empty())
            continue;
        if (size_t(fila) < v.size())
            v[size_t(fila)] = inicial(celda(fila, int(col)));
        else if (size_t(fila) == v.size())
            v.push_back(inicial(celda(fila, int(col))));
        else
            v.clear();
    }
}

void Almacen::limpia(int columnas)
{
    m_iniciales.clear();
    m_columnas = columnas;
    m_filas = 0;
    m_trozos.clear();
    m_textos.clear();
    m_capacidadTexto.clear();
    m_usadoTexto = 0;
    m_blobs.clear();
}

quint64 Almacen::reservaTexto(int unidades, char16_t** destino)
{
    const size_t n = size_t(unidades);
    if (m_textos.empty() || m_usadoTexto + n > m_capacidadTexto.back()) {
        const size_t cap = std::max(kTrozoTexto, n);
        m_textos.emplace_back(new char16_t[cap]);
        m_capacidadTexto.push_back(cap);
        m_usadoTexto = 0;
    }
    const quint64 pos = (quint64(m_textos.size() - 1) << 32) | m_usadoTexto;
    *destino = m_textos.back().get() + m_usadoTexto;
    m_usadoTexto += n;
    return pos;
}

namespace {
// "YYYY-MM-DD" to a day number without allocating; false when not that form.
bool fechaIso(const unsigned char* s, int n, qint64* jd)
{
    if (n < 10 || s[4] != '-' || s[7] != '-')
        return false;
    auto dig = [&](int i) { return s[i] >= '0' && s[i] <= '9'; };
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!dig(i))
            return false;
    const int y = (s[0] - '0') * 1000 + (s[1] - '0') * 100 + (s[2] - '0') * 10 + (s[3] - '0');
    const int m = (s[5] - '0') * 10 + (s[6] - '0');
    const int d = (s[8] - '0') * 10 + (s[9] - '0');
    const QDate q(y, m, d);
    if (!q.isValid())
        return false;
    *jd = q.toJulianDay();
    return true;
}
} // namespace

void Almacen::guarda(Celda& c, sqlite3_stmt* st, int i, FieldType t)
{
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_NULL:
        c.tipo = Celda::Nulo;
        c.largo = 0;
        c.i = 0;
        return;
    case SQLITE_INTEGER:
        c.tipo = Celda::Entero;
        c.i = sqlite3_column_int64(st, i);
        return;
    case SQLITE_FLOAT:
        c.tipo = Celda::Real;
        c.d = sqlite3_column_double(st, i);
        return;
    case SQLITE_BLOB:
        c.tipo = Celda::Blob;
        c.pos = m_blobs.size();
        m_blobs.emplace_back(static_cast<const char*>(sqlite3_column_blob(st, i)), sqlite3_column_bytes(st, i));
        return;
    default:
        break;
    }
    const auto* s = sqlite3_column_text(st, i);
    const int n = sqlite3_column_bytes(st, i);
    if (t == FieldType::Date && fechaIso(s, n, &c.i)) {
        c.tipo = Celda::Fecha;
        return;
    }
    c.tipo = Celda::Texto;
    // ASCII widens in place; anything else goes through Qt's decoder.
    int k = 0;
    while (k < n && s[k] < 0x80)
        ++k;
    char16_t* dst = nullptr;
    if (k == n) {
        c.pos = reservaTexto(n, &dst);
        for (int j = 0; j < n; ++j)
            dst[j] = s[j];
        c.largo = uint32_t(n);
    } else {
        const QString q = QString::fromUtf8(reinterpret_cast<const char*>(s), n);
        c.pos = reservaTexto(int(q.size()), &dst);
        std::memcpy(dst, q.utf16(), size_t(q.size()) * 2);
        c.largo = uint32_t(q.size());
    }
}

int Almacen::agrega(sqlite3_stmt* st, const std::vector<FieldType>& tipos, int desde)
{
    const int fila = m_filas;
    if ((size_t(fila) >> kBits) >= m_trozos.size())
        m_trozos.emplace_back(new Celda[(kMascara + 1) * size_t(m_columnas ? m_columnas : 1)]);
    ++m_filas;
    for (int c = 0; c < m_columnas; ++c)
        guarda(celdaRef(fila, c), st, desde + c, tipos[size_t(c)]);
    if (!m_iniciales.empty())
        actualizaIniciales(fila);
    return fila;
}

void Almacen::reemplaza(int fila, sqlite3_stmt* st, const std::vector<FieldType>& tipos, int desde)
{
    for (int c = 0; c < m_columnas; ++c)
        guarda(celdaRef(fila, c), st, desde + c, tipos[size_t(c)]);
    if (!m_iniciales.empty())
        actualizaIniciales(fila);
}

QVariant Almacen::valor(int fila, int col, FieldType t) const
{
    const Celda& c = celda(fila, col);
    switch (c.tipo) {
    case Celda::Nulo:
        return {};
    case Celda::Entero:
        switch (t) {
        case FieldType::Boolean: return c.i != 0;
        case FieldType::Float: case FieldType::Currency: return double(c.i);
        case FieldType::String: case FieldType::Memo: return QString::number(c.i);
        default:
            if (c.i >= INT_MIN && c.i <= INT_MAX)
                return int(c.i);
            return c.i;
        }
    case Celda::Real:
        switch (t) {
        case FieldType::Integer: case FieldType::AutoInc: return int(qRound64(c.d));
        case FieldType::Boolean: return c.d != 0;
        case FieldType::String: case FieldType::Memo: return QString::number(c.d, 'g', 15);
        default: return c.d;
        }
    case Celda::Fecha:
        return QDate::fromJulianDay(c.i);
    case Celda::Blob:
        return m_blobs[size_t(c.pos)];
    case Celda::Texto: {
        const QStringView v = texto(c);
        switch (t) {
        case FieldType::Date: {
            const QDate d = QDate::fromString(v.left(10).toString(), Qt::ISODate);
            return d.isValid() ? QVariant(d) : QVariant();
        }
        case FieldType::Float: case FieldType::Currency: return v.toDouble();
        case FieldType::Integer: case FieldType::AutoInc: return v.toInt();
        case FieldType::Boolean: return v == u"1" || v.compare(u"true", Qt::CaseInsensitive) == 0;
        default: return v.toString();
        }
    }
    }
    return {};
}

qint64 Almacen::bytes() const
{
    qint64 b = qint64(m_trozos.size()) * qint64(kMascara + 1) * m_columnas * qint64(sizeof(Celda));
    for (size_t cap : m_capacidadTexto)
        b += qint64(cap) * 2;
    for (const QByteArray& x : m_blobs)
        b += x.size();
    for (const auto& v : m_iniciales)
        b += qint64(v.capacity() * sizeof(char16_t));
    return b;
}

namespace {
inline char16_t pliega(char16_t c)
{
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? char16_t(c + 32) : c;
    return char16_t(QChar::toCaseFolded(char32_t(c)));
}
} // namespace

Patron::Patron(const QString& t, const QVariant& valor) : texto(t), nulo(!valor.isValid() || valor.isNull())
{
    plegado.resize(t.size());
    if (!nulo && !t.isEmpty() && !t.at(0).isSurrogate())
        inicial = pliega(t.at(0).unicode());
    for (qsizetype i = 0; i < t.size(); ++i) {
        const char16_t c = t.at(i).unicode();
        if (QChar::isSurrogate(c))
            simple = false;
        plegado[i] = QChar(pliega(c));
    }
}

bool coincide(const Almacen& a, const Celda& c, FieldType t, const QVariant& valor,
              const Patron& buscado, int opciones)
{
    const QString& textoBuscado = buscado.texto;
    const bool ci = opciones & Dataset::CaseInsensitive;
    const bool parcial = opciones & Dataset::PartialKey;
    if (c.tipo == Celda::Nulo || buscado.nulo)
        return c.tipo == Celda::Nulo && buscado.nulo;
    if (c.tipo == Celda::Texto) {
        const QStringView v = a.texto(c);
        if (ci && buscado.simple) {
            const qsizetype n = buscado.plegado.size();
            if (v.size() < n || (!parcial && v.size() != n))
                return false;
            const QChar* p = buscado.plegado.constData();
            for (qsizetype k = 0; k < n; ++k) {
                const char16_t x = v[k].unicode();
                if (QChar::isSurrogate(x))
                    return parcial ? v.startsWith(textoBuscado, Qt::CaseInsensitive)
                                   : v.compare(textoBuscado, Qt::CaseInsensitive) == 0;
                if (pliega(x) != p[k].unicode())
                    return false;
            }
            return true;
        }
        const auto cs = ci ? Qt::CaseInsensitive : Qt::CaseSensitive;
        if (parcial)
            return v.startsWith(textoBuscado, cs);
        return v.compare(textoBuscado, cs) == 0;
    }
    if (parcial && (t == FieldType::String || t == FieldType::Memo)) {
        // a number stored in a text column
        const QString s = c.tipo == Celda::Entero ? QString::number(c.i) : QString::number(c.d, 'g', 15);
        return s.startsWith(textoBuscado, ci ? Qt::CaseInsensitive : Qt::CaseSensitive);
    }
    switch (c.tipo) {
    case Celda::Entero:
        if (t == FieldType::Boolean)
            return (c.i != 0) == valor.toBool();
        return valor.typeId() == QMetaType::Double ? double(c.i) == valor.toDouble()
                                                   : c.i == valor.toLongLong();
    case Celda::Real:
        return c.d == valor.toDouble();
    case Celda::Fecha:
        return valor.typeId() == QMetaType::QDate ? c.i == valor.toDate().toJulianDay()
                                                  : QDate::fromJulianDay(c.i).toString(Qt::ISODate) == textoBuscado;
    default:
        return false;
    }
}

void Origen::ponerBase(Dataset* ds, Database* nueva)
{
    if (db)
        db->unregisterDataset(ds);
    propia.reset();
    carpeta.clear();
    db = nueva;
    if (nueva)
        nueva->registerDataset(ds);
}

void Origen::ponerCarpeta(Dataset* ds, const QString& folder)
{
    if (db)
        db->unregisterDataset(ds);
    db = nullptr;
    propia.reset();
    carpeta = folder;
}

void Origen::resolver(Dataset* ds, const QString& sinBase)
{
    if (db)
        return;
    if (carpeta.isEmpty())
        throw EDatabaseError(sinBase);
    Session* s = sesion ? sesion.data() : Session::defaultSession();
    if (s) {
        db = s->folderDatabase(carpeta);
    } else {
        propia = std::make_unique<Database>(nullptr, QStringLiteral("carpeta:") + carpeta);
        propia->setPath(carpeta);
        db = propia.get();
    }
    db->registerDataset(ds);
}

} // namespace motor::interno
