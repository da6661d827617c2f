#include "engine/Interno.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QPointer>
#include <QThread>
#include <filesystem>

namespace motor {

using namespace interno;

namespace {

bool esSqlite(const QString& ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.read(16) == QByteArray("SQLite format 3\0", 16);
}

struct Adjunto {
    QString alias;     // schema name
    QString tabla;     // table inside the file
    QString ruta;      // canonical path
};

constexpr int kMaxAdjuntos = 10;   // SQLite's limit on attached files

} // namespace

struct Database::Impl {
    QPointer<Session> session;   // may go before the database (sibling objects)
    QString name;
    QString path;
    sqlite3* db = nullptr;
    QMap<QString, Adjunto> adjuntos;      // lower-case file name -> attachment
    QList<QPointer<Dataset>> datasets;

    // Attaches one file when it holds our metadata; false otherwise.
    bool adjunta(const QString& ruta)
    {
        const QFileInfo fi(ruta);
        QString alias = fi.completeBaseName();
        for (int n = 2; std::any_of(adjuntos.cbegin(), adjuntos.cend(),
                                    [&](const Adjunto& a) { return a.alias.compare(alias, Qt::CaseInsensitive) == 0; });
             ++n)
            alias = fi.completeBaseName() + QString::number(n);
        if (adjuntos.size() >= kMaxAdjuntos)
            throw EDBEngineError(EDBEngineError::Generico,
                                 QStringLiteral("La carpeta '%1' tiene más de %2 tablas: no se pueden abrir juntas.")
                                     .arg(path).arg(kMaxAdjuntos));
        {
            Sentencia s(db, QStringLiteral("ATTACH DATABASE ? AS ") + ident(alias));
            enlaza(s, 1, fi.absoluteFilePath());
            s.paso();
        }
        QString tabla;
        try {
            Sentencia s(db, QStringLiteral("SELECT nombre FROM %1._tabla").arg(ident(alias)));
            if (s.paso())
                tabla = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
        } catch (const EDBEngineError&) {
        }
        if (tabla.isEmpty()) {
            Sentencia s(db, QStringLiteral("DETACH DATABASE ") + ident(alias));
            s.paso();
            return false;
        }
        // Rollback journal (WAL is unsafe on network shares), fsync on commit;
        // a page cache that holds a large table (it only grows when used).
        ejecuta(db, QStringLiteral("PRAGMA %1.journal_mode=DELETE; PRAGMA %1.synchronous=FULL;"
                                   " PRAGMA %1.cache_size=-16000").arg(ident(alias)));
        adjuntos.insert(fi.fileName().toLower(), Adjunto{alias, tabla, fi.canonicalFilePath()});
        return true;
    }

    // The file of the folder named fileName, matched case-insensitively.
    QString busca(const QString& fileName) const
    {
        const QDir dir(path);
        const QString directo = dir.filePath(fileName);
        if (QFileInfo::exists(directo))
            return directo;
        const QStringList todos = dir.entryList(QDir::Files);
        for (const QString& f : todos)
            if (f.compare(fileName, Qt::CaseInsensitive) == 0)
                return dir.filePath(f);
        return {};
    }
};

Database::Database(Session* session, const QString& name, QObject* parent) : QObject(parent), d(new Impl)
{
    d->session = session;
    d->name = name;
    setObjectName(name);
}

Database::~Database()
{
    close();
}

QString Database::name() const { return d->name; }
Session* Database::session() const { return d->session.data(); }

void Database::setPath(const QString& folder)
{
    if (isOpen() && QFileInfo(folder) != QFileInfo(d->path))
        close();
    d->path = folder;
}

QString Database::path() const { return d->path; }
bool Database::isOpen() const { return d->db != nullptr; }
void* Database::handle() const { return d->db; }

void Database::open()
{
    if (d->db)
        return;
    if (d->path.isEmpty() || !QFileInfo(d->path).isDir())
        throw EDBEngineError(EDBEngineError::Generico,
                             QStringLiteral("La carpeta de datos '%1' no existe.").arg(d->path));
    if (d->session && !d->session->isActive())
        d->session->open();
    d->db = abre(QStringLiteral(":memory:"), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX);
    try {
        const QDir dir(d->path);
        const QStringList ficheros = dir.entryList(QDir::Files, QDir::Name);
        for (const QString& f : ficheros) {
            const QString ruta = dir.filePath(f);
            if (f.endsWith(QLatin1String("-journal"), Qt::CaseInsensitive) || f.startsWith(QLatin1Char('.'))
                || !esSqlite(ruta))
                continue;   // journals, copies in progress, other files
            d->adjunta(ruta);
        }
    } catch (...) {
        sqlite3_close_v2(d->db);
        d->db = nullptr;
        d->adjuntos.clear();
        throw;
    }
}

int Database::attachNew()
{
    if (!d->db)
        return 0;
    int n = 0;
    const QDir dir(d->path);
    for (const QString& f : dir.entryList(QDir::Files, QDir::Name)) {
        if (d->adjuntos.contains(f.toLower()) || f.endsWith(QLatin1String("-journal"), Qt::CaseInsensitive)
            || f.startsWith(QLatin1Char('.')) || !esSqlite(dir.filePath(f)))
            continue;
        n += d->adjunta(dir.filePath(f)) ? 1 : 0;
    }
    return n;
}

void Database::closeDatasets()
{
    const auto lista = d->datasets;
    for (const auto& ds : lista)
        if (ds)
            ds->close();
}

void Database::close()
{
    if (!d->db)
        return;
    emit closing();
    closeDatasets();
    sqlite3_close_v2(d->db);
    d->db = nullptr;
    d->adjuntos.clear();
}

void Database::registerDataset(Dataset* ds)
{
    if (!d->datasets.contains(ds))
        d->datasets.append(ds);
}

void Database::unregisterDataset(Dataset* ds) { d->datasets.removeAll(ds); }

QStringList Database::tableNames() const
{
    QStringList r;
    if (d->db) {
        for (const Adjunto& a : std::as_const(d->adjuntos))
            r << a.tabla;
    } else {
        const QDir dir(d->path);
        for (const QString& f : dir.entryList(QDir::Files, QDir::Name)) {
            const QString ruta = dir.filePath(f);
            if (!esSqlite(ruta))
                continue;
            sqlite3* db = nullptr;
            if (sqlite3_open_v2(ruta.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
                sqlite3_stmt* st = nullptr;
                if (sqlite3_prepare_v2(db, "SELECT nombre FROM _tabla", -1, &st, nullptr) == SQLITE_OK
                    && sqlite3_step(st) == SQLITE_ROW)
                    r << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
                sqlite3_finalize(st);
            }
            sqlite3_close_v2(db);
        }
    }
    r.sort(Qt::CaseInsensitive);
    return r;
}

QString Database::qualifiedTable(const QString& fileName)
{
    open();
    auto it = d->adjuntos.constFind(fileName.toLower());
    if (it == d->adjuntos.cend()) {
        const QString ruta = d->busca(fileName);
        if (!ruta.isEmpty() && esSqlite(ruta))
            d->adjunta(ruta);
        it = d->adjuntos.constFind(QFileInfo(ruta).fileName().toLower());
        if (ruta.isEmpty() || it == d->adjuntos.cend())
            throw EDBEngineError(EDBEngineError::Generico,
                                 QStringLiteral("No se encuentra la tabla '%1' en '%2'.").arg(fileName, d->path));
    }
    return ident(it->alias) + QLatin1Char('.') + ident(it->tabla);
}

QString Database::schemaName(const QString& fileName)
{
    qualifiedTable(fileName);
    return d->adjuntos.value(QFileInfo(d->busca(fileName)).fileName().toLower(),
                             d->adjuntos.value(fileName.toLower())).alias;
}

QString Database::tableFilePath(const QString& fileName) const
{
    auto it = d->adjuntos.constFind(fileName.toLower());
    if (it != d->adjuntos.cend())
        return it->ruta;
    const QString ruta = d->busca(fileName);
    return ruta.isEmpty() ? QString() : QFileInfo(ruta).canonicalFilePath();
}

void Database::createTable(const QString& folder, const TableDef& def)
{
    const QString ruta = QDir(folder).filePath(def.fileName);
    if (QFileInfo::exists(ruta))
        throw EDBEngineError(EDBEngineError::Generico, QStringLiteral("La tabla '%1' ya existe.").arg(ruta));
    if (!QDir().mkpath(folder))
        throw EDBEngineError(EDBEngineError::Generico, QStringLiteral("No se puede crear la carpeta '%1'.").arg(folder));
    bool hayClave = false;
    QStringList columnas;
    for (const FieldDef& f : def.fields) {
        QString c = ident(f.name) + QLatin1Char(' ');
        const bool clave = f.name.compare(def.keyField, Qt::CaseInsensitive) == 0;
        hayClave |= clave;
        if (clave && f.type == FieldType::AutoInc)
            c += QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
        else
            c += tipoSql(f) + (clave ? QStringLiteral(" UNIQUE") : QString());
        columnas << c;
    }
    if (!hayClave || def.name.isEmpty() || def.name.startsWith(QLatin1Char('_')))
        throw EDatabaseError(QStringLiteral("Definición de tabla no válida: '%1' (clave '%2').").arg(def.name, def.keyField));
    sqlite3* db = abre(ruta, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    try {
        ejecuta(db, QStringLiteral("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; BEGIN"));
        ejecuta(db, QStringLiteral("CREATE TABLE _tabla(nombre TEXT, clave TEXT, version INTEGER);"
                                   "CREATE TABLE _campos(orden INTEGER PRIMARY KEY, nombre TEXT, tipo TEXT,"
                                   " tamano INTEGER, requerido INTEGER);"));
        ejecuta(db, QStringLiteral("CREATE TABLE %1 (%2)").arg(ident(def.name), columnas.join(QStringLiteral(", "))));
        {
            Sentencia s(db, QStringLiteral("INSERT INTO _tabla VALUES (?, ?, 1)"));
            enlaza(s, 1, def.name);
            enlaza(s, 2, def.keyField);
            s.paso();
        }
        Sentencia s(db, QStringLiteral("INSERT INTO _campos VALUES (?, ?, ?, ?, ?)"));
        int orden = 0;
        for (const FieldDef& f : def.fields) {
            s.reinicia();
            sqlite3_bind_int(s, 1, orden++);
            enlaza(s, 2, f.name);
            enlaza(s, 3, nombreTipo(f.type));
            sqlite3_bind_int(s, 4, f.type == FieldType::String && f.size <= 0 ? 20 : f.size);
            sqlite3_bind_int(s, 5, f.required ? 1 : 0);
            s.paso();
        }
        s.libera();
        ejecuta(db, QStringLiteral("COMMIT"));
    } catch (...) {
        sqlite3_close_v2(db);
        QFile::remove(ruta);
        throw;
    }
    sqlite3_close_v2(db);
}

// Key field and field definitions of an open table file.
QList<FieldDef> interno::leeDefiniciones(sqlite3* db, const QString& esquema, QString* clave)
{
    const QString pre = esquema.isEmpty() ? QString() : ident(esquema) + QLatin1Char('.');
    if (clave) {
        Sentencia s(db, QStringLiteral("SELECT clave FROM %1_tabla").arg(pre));
        if (s.paso())
            *clave = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    }
    QList<FieldDef> r;
    Sentencia s(db, QStringLiteral("SELECT nombre, tipo, tamano, requerido FROM %1_campos ORDER BY orden").arg(pre));
    while (s.paso()) {
        FieldDef f;
        f.name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
        f.type = tipoDeNombre(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 1))));
        f.size = sqlite3_column_int(s, 2);
        f.required = sqlite3_column_int(s, 3) != 0;
        r << f;
    }
    return r;
}

QList<FieldDef> Database::fieldDefs(const QString& tableFile)
{
    if (!esSqlite(tableFile))
        throw EDBEngineError(EDBEngineError::Generico, QStringLiteral("'%1' no es una tabla.").arg(tableFile));
    sqlite3* db = abre(tableFile, SQLITE_OPEN_READONLY);
    try {
        const auto r = leeDefiniciones(db, QString(), nullptr);
        sqlite3_close_v2(db);
        return r;
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
}

void Database::copyFile(const QString& from, const QString& to)
{
    const QFileInfo destino(to);
    const QString temporal = destino.absolutePath() + QStringLiteral("/.") + destino.fileName() + QStringLiteral(".copia");
    QFile::remove(temporal);
    if (!QFileInfo(from).isFile())
        throw EInOutError(QStringLiteral("No se encuentra el fichero '%1'.").arg(from));
    if (esSqlite(from)) {
        sqlite3* origen = nullptr;
        sqlite3* dest = nullptr;
        auto cierra = [&] {
            sqlite3_close_v2(origen);
            sqlite3_close_v2(dest);
        };
        try {
            origen = abre(from, SQLITE_OPEN_READWRITE);   // read-write: a hot journal left by a crash is rolled back
            dest = abre(temporal, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
            sqlite3_backup* b = sqlite3_backup_init(dest, "main", origen, "main");
            if (!b)
                lanza(dest, sqlite3_errcode(dest), QStringLiteral("Copia de '%1'").arg(from));
            // One step copies every page under one read lock: a consistent snapshot.
            int rc;
            int intentos = 0;
            while ((rc = sqlite3_backup_step(b, -1)) == SQLITE_BUSY || rc == SQLITE_LOCKED) {
                if (++intentos > 400)
                    break;
                QThread::msleep(25);
            }
            sqlite3_backup_finish(b);
            if (rc != SQLITE_DONE)
                throw EDBEngineError(EDBEngineError::Generico, QStringLiteral("No se puede copiar '%1': %2")
                                                                    .arg(from, QString::fromUtf8(sqlite3_errstr(rc))));
            ejecuta(dest, QStringLiteral("PRAGMA journal_mode=DELETE"));
            cierra();
            origen = dest = nullptr;
        } catch (...) {
            cierra();
            QFile::remove(temporal);
            throw;
        }
    } else {
        if (!QFile::copy(from, temporal)) {
            QFile::remove(temporal);
            throw EInOutError(QStringLiteral("No se puede copiar '%1' en '%2'.").arg(from, to));
        }
    }
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(temporal.toStdU16String()),
                            std::filesystem::path(destino.absoluteFilePath().toStdU16String()), ec);
    if (ec) {
        QFile::remove(temporal);
        throw EInOutError(QStringLiteral("No se puede reemplazar '%1': %2").arg(to, QString::fromStdString(ec.message())));
    }
}

} // namespace motor
