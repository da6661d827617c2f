#include "engine/Interno.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QPointer>
#include <QSysInfo>
#include <QTimer>

namespace motor {

using namespace interno;

namespace {
QList<Session*>& sesiones()
{
    static QList<Session*> s;   // alive sessions, oldest first (default session)
    return s;
}
Session*& sesionElegida()
{
    static Session* s = nullptr;
    return s;
}
qint64 ahora() { return QDateTime::currentMSecsSinceEpoch(); }

const char* kEsquemaBloqueos =
    "CREATE TABLE IF NOT EXISTS puestos(id INTEGER PRIMARY KEY AUTOINCREMENT, usuario TEXT,"
    " equipo TEXT, proceso INTEGER, latido INTEGER, caducidad INTEGER);"
    "CREATE TABLE IF NOT EXISTS bloqueos(fichero TEXT, clave TEXT, puesto INTEGER,"
    " PRIMARY KEY(fichero, clave));"
    "CREATE TABLE IF NOT EXISTS abiertas(fichero TEXT, puesto INTEGER, cuenta INTEGER,"
    " exclusivas INTEGER, PRIMARY KEY(fichero, puesto));";
} // namespace

struct Session::Impl {
    QString name;
    QString privado;
    QString net;
    QStringList claves;
    QString usuario;
    int intervalo = 5000;
    int caducidad = 30000;
    sqlite3* db = nullptr;   // lock area
    qint64 puesto = 0;
    QTimer timer;
    QHash<QString, QPointer<Database>> carpetas;

    // Removes dead seats with their locks and open tables. In a transaction.
    void purga()
    {
        Sentencia s(db, QStringLiteral("SELECT id FROM puestos WHERE ? - latido > caducidad AND id <> ?"));
        sqlite3_bind_int64(s, 1, ahora());
        sqlite3_bind_int64(s, 2, puesto);
        QList<qint64> muertos;
        while (s.paso())
            muertos << sqlite3_column_int64(s, 0);
        for (qint64 id : muertos) {
            for (const char* sql : {"DELETE FROM bloqueos WHERE puesto = ?", "DELETE FROM abiertas WHERE puesto = ?",
                                    "DELETE FROM puestos WHERE id = ?"}) {
                Sentencia d(db, QString::fromLatin1(sql));
                sqlite3_bind_int64(d, 1, id);
                d.paso();
            }
        }
    }

    // Runs f inside BEGIN IMMEDIATE ... COMMIT (rolled back on a throw).
    template <class F>
    auto transaccion(F&& f)
    {
        ejecuta(db, QStringLiteral("BEGIN IMMEDIATE"));
        try {
            if constexpr (std::is_void_v<decltype(f())>) {
                f();
                ejecuta(db, QStringLiteral("COMMIT"));
            } else {
                auto r = f();
                ejecuta(db, QStringLiteral("COMMIT"));
                return r;
            }
        } catch (...) {
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            throw;
        }
    }

    void registraPuesto()
    {
        Sentencia s(db, QStringLiteral("INSERT OR REPLACE INTO puestos(id, usuario, equipo, proceso, latido, caducidad)"
                                       " VALUES (?, ?, ?, ?, ?, ?)"));
        if (puesto)
            sqlite3_bind_int64(s, 1, puesto);
        enlaza(s, 2, usuario.isEmpty() ? name : usuario);
        enlaza(s, 3, QSysInfo::machineHostName());
        sqlite3_bind_int64(s, 4, QCoreApplication::applicationPid());
        sqlite3_bind_int64(s, 5, ahora());
        sqlite3_bind_int64(s, 6, caducidad);
        s.paso();
        puesto = sqlite3_last_insert_rowid(db);
    }

    void requiereActiva(Session* q)
    {
        if (!db)
            q->open();
    }
};

Session::Session(const QString& name, QObject* parent) : QObject(parent), d(new Impl)
{
    d->name = name;
    setObjectName(name);
    sesiones().append(this);
    d->timer.setInterval(d->intervalo);
    connect(&d->timer, &QTimer::timeout, this, [this] {
        try {
            beat();
        } catch (const Excepcion&) {
            // A lost NET folder must not end the event loop; the next beat retries.
        }
    });
}

Session::~Session()
{
    try {
        close();
    } catch (const Excepcion&) {
    }
    for (const auto& db : std::as_const(d->carpetas))
        delete db.data();
    sesiones().removeAll(this);
    if (sesionElegida() == this)
        sesionElegida() = nullptr;
}

QString Session::name() const { return d->name; }
void Session::setPrivateDir(const QString& dir) { d->privado = dir; }
QString Session::privateDir() const { return d->privado; }
void Session::setNetDir(const QString& dir) { d->net = dir; }
QString Session::netDir() const { return d->net; }
void Session::addPassword(const QString& password) { d->claves << password; }
void Session::setUserName(const QString& user)
{
    d->usuario = user;
    if (d->db) {
        try {
            beat();   // others see the new name at once
        } catch (const Excepcion&) {
        }
    }
}
QString Session::userName() const { return d->usuario; }
bool Session::isActive() const { return d->db != nullptr; }

Session* Session::defaultSession()
{
    if (sesionElegida())
        return sesionElegida();
    return sesiones().isEmpty() ? nullptr : sesiones().first();
}

void Session::setDefaultSession(Session* session) { sesionElegida() = session; }

void Session::open()
{
    if (d->db)
        return;
    QString ruta = QStringLiteral(":memory:");   // no NET: a single seat
    if (!d->net.isEmpty()) {
        if (!QDir().mkpath(d->net))
            throw EDBEngineError(EDBEngineError::Generico,
                                 QStringLiteral("No se puede crear la carpeta de control de red '%1'.").arg(d->net));
        ruta = QDir(d->net).filePath(QStringLiteral("PROVENDA.NET"));
    }
    sqlite3* db = abre(ruta, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX);
    d->db = db;
    try {
        // The lock area holds nothing that outlives the seats: no fsync on it
        // (edit and delete touch it twice each).
        ejecuta(db, QStringLiteral("PRAGMA journal_mode=DELETE; PRAGMA synchronous=OFF"));
        d->transaccion([&] {
            ejecuta(db, QString::fromLatin1(kEsquemaBloqueos));
            d->puesto = 0;
            d->registraPuesto();
            d->purga();
        });
    } catch (...) {
        sqlite3_close_v2(db);
        d->db = nullptr;
        throw;
    }
    if (d->intervalo > 0) {
        d->timer.setInterval(d->intervalo);
        d->timer.start();
    }
}

void Session::close()
{
    d->timer.stop();
    if (!d->db)
        return;
    for (const auto& db : std::as_const(d->carpetas))
        if (db)
            db->close();
    try {
        d->transaccion([&] {
            for (const char* sql : {"DELETE FROM bloqueos WHERE puesto = ?", "DELETE FROM abiertas WHERE puesto = ?",
                                    "DELETE FROM puestos WHERE id = ?"}) {
                Sentencia s(d->db, QString::fromLatin1(sql));
                sqlite3_bind_int64(s, 1, d->puesto);
                s.paso();
            }
        });
    } catch (const Excepcion&) {
        // the seat expires by itself when its heartbeat stops
    }
    sqlite3_close_v2(d->db);
    d->db = nullptr;
    d->puesto = 0;
}

QStringList Session::connectedUsers() const
{
    if (!d->db)
        return {};
    Sentencia s(d->db, QStringLiteral("SELECT usuario FROM puestos WHERE ? - latido <= caducidad OR id = ? ORDER BY id"));
    sqlite3_bind_int64(s, 1, ahora());
    sqlite3_bind_int64(s, 2, d->puesto);
    QStringList r;
    while (s.paso())
        r << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0))).left(14);
    return r;
}

void Session::setHeartbeat(int intervalMs, int staleAfterMs)
{
    d->intervalo = intervalMs;
    d->caducidad = staleAfterMs;
    if (d->db) {
        if (intervalMs > 0) {
            d->timer.setInterval(intervalMs);
            d->timer.start();
        } else {
            d->timer.stop();
        }
        beat();
    }
}

void Session::beat()
{
    if (!d->db)
        return;
    d->transaccion([&] {
        Sentencia s(d->db, QStringLiteral("UPDATE puestos SET latido = ?, caducidad = ?, usuario = ? WHERE id = ?"));
        sqlite3_bind_int64(s, 1, ahora());
        sqlite3_bind_int64(s, 2, d->caducidad);
        enlaza(s, 3, d->usuario.isEmpty() ? d->name : d->usuario);
        sqlite3_bind_int64(s, 4, d->puesto);
        s.paso();
        if (sqlite3_changes(d->db) == 0)
            d->registraPuesto();   // another seat took this one for dead: come back (locks were lost)
    });
}

bool Session::tryLock(const QString& tableFile, const QString& key)
{
    d->requiereActiva(this);
    return d->transaccion([&] {
        d->purga();
        Sentencia s(d->db, QStringLiteral("SELECT puesto FROM bloqueos WHERE fichero = ? AND clave = ?"));
        enlaza(s, 1, tableFile);
        enlaza(s, 2, key);
        if (s.paso())
            return sqlite3_column_int64(s, 0) == d->puesto;
        Sentencia i(d->db, QStringLiteral("INSERT INTO bloqueos(fichero, clave, puesto) VALUES (?, ?, ?)"));
        enlaza(i, 1, tableFile);
        enlaza(i, 2, key);
        sqlite3_bind_int64(i, 3, d->puesto);
        i.paso();
        return true;
    });
}

void Session::unlock(const QString& tableFile, const QString& key)
{
    if (!d->db)
        return;
    Sentencia s(d->db, QStringLiteral("DELETE FROM bloqueos WHERE fichero = ? AND clave = ? AND puesto = ?"));
    enlaza(s, 1, tableFile);
    enlaza(s, 2, key);
    sqlite3_bind_int64(s, 3, d->puesto);
    s.paso();
}

void Session::registerOpen(const QString& tableFile, bool exclusive)
{
    d->requiereActiva(this);
    d->transaccion([&] {
        d->purga();
        Sentencia s(d->db, QStringLiteral("SELECT exclusivas FROM abiertas WHERE fichero = ? AND puesto <> ?"));
        enlaza(s, 1, tableFile);
        sqlite3_bind_int64(s, 2, d->puesto);
        while (s.paso()) {
            if (exclusive || sqlite3_column_int64(s, 0) > 0)
                throw EDBEngineError(TablaEnUso,
                                     QStringLiteral("La tabla '%1' está en uso por otro usuario.")
                                         .arg(QFileInfo(tableFile).fileName()));
        }
        Sentencia u(d->db, QStringLiteral(
            "INSERT INTO abiertas(fichero, puesto, cuenta, exclusivas) VALUES (?, ?, 1, ?)"
            " ON CONFLICT(fichero, puesto) DO UPDATE SET cuenta = cuenta + 1, exclusivas = exclusivas + excluded.exclusivas"));
        enlaza(u, 1, tableFile);
        sqlite3_bind_int64(u, 2, d->puesto);
        sqlite3_bind_int(u, 3, exclusive ? 1 : 0);
        u.paso();
    });
}

void Session::unregisterOpen(const QString& tableFile, bool exclusive)
{
    if (!d->db)
        return;
    d->transaccion([&] {
        Sentencia u(d->db, QStringLiteral("UPDATE abiertas SET cuenta = cuenta - 1, exclusivas = max(0, exclusivas - ?)"
                                          " WHERE fichero = ? AND puesto = ?"));
        sqlite3_bind_int(u, 1, exclusive ? 1 : 0);
        enlaza(u, 2, tableFile);
        sqlite3_bind_int64(u, 3, d->puesto);
        u.paso();
        Sentencia b(d->db, QStringLiteral("DELETE FROM abiertas WHERE cuenta <= 0"));
        b.paso();
    });
}

bool Session::openElsewhere(const QString& tableFile) const
{
    if (!d->db)
        return false;
    return d->transaccion([&] {
        d->purga();
        Sentencia s(d->db, QStringLiteral("SELECT 1 FROM abiertas WHERE fichero = ? AND puesto <> ?"));
        enlaza(s, 1, tableFile);
        sqlite3_bind_int64(s, 2, d->puesto);
        return s.paso();
    });
}

Database* Session::folderDatabase(const QString& folder)
{
    const QString clave = QFileInfo(folder).absoluteFilePath();
    QPointer<Database>& db = d->carpetas[clave];
    if (!db) {
        db = new Database(this, QStringLiteral("carpeta:") + clave);
        db->setPath(folder);
    }
    return db;
}

} // namespace motor
