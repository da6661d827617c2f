#pragma once
// Table engine over SQLite: sessions, databases (one folder of table files),
// tables and queries as datasets with a current record. QtCore only.
//
// Storage: one SQLite file per table, named as the table file ("Comercial.DB").
// A Database opens one connection on its folder and ATTACHes the table files,
// so SQL over unqualified table names works. Dates are ISO text, booleans 0/1,
// amounts REAL, memo TEXT, pictures BLOB. Errors: EDBEngineError (with code)
// and EDatabaseError from core/Errores.h.
#include "core/Errores.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

namespace motor {

enum class FieldType { String, Integer, AutoInc, Float, Currency, Date, Boolean, Memo, Graphic };

// Engine code of an open refused because another seat holds the table
// (exclusively, or at all when this open asks for exclusive use).
inline constexpr int TablaEnUso = 10243;

struct FieldDef {
    QString name;
    FieldType type = FieldType::String;
    int size = 0;          // characters for String (20 when 0)
    bool required = false;
};

struct TableDef {
    QString name;          // "Comercial"
    QString fileName;      // "Comercial.DB"
    QList<FieldDef> fields;
    QString keyField = QStringLiteral("Codigo"); // unique key
};

class Session;
class Database;
class Dataset;
class Table;

// A seat: private folder (TEMP), network control folder (NET) shared by every
// seat, registered passwords. The lock area lives in NET.
class Session : public QObject {
    Q_OBJECT
public:
    explicit Session(const QString& name, QObject* parent = nullptr);
    ~Session() override;
    QString name() const;

    void setPrivateDir(const QString& dir);
    QString privateDir() const;
    void setNetDir(const QString& dir);
    QString netDir() const;
    void addPassword(const QString& password);
    // Name this seat shows to others in connectedUsers() (cut to 14 characters).
    void setUserName(const QString& user);
    QString userName() const;

    void open();            // registers the seat in NET and starts its heartbeat
    void close();           // releases the seat and its locks
    bool isActive() const;

    // User names of the live seats sharing NET (this one included).
    QStringList connectedUsers() const;

    // Heartbeat period and the age after which a seat counts as dead (its
    // locks are then released). Defaults: 5 s and 30 s.
    void setHeartbeat(int intervalMs, int staleAfterMs);
    void beat();            // heartbeat now

    // Record locks in the shared lock area; used by Table::edit().
    bool tryLock(const QString& tableFile, const QString& key);
    void unlock(const QString& tableFile, const QString& key);

    // The session used by datasets that name a folder and no session: the one
    // set here, else the first session created that is still alive.
    static Session* defaultSession();
    static void setDefaultSession(Session* session);

    // Internal: the database this session keeps for a folder named directly
    // (Table::setFolder, Query::setFolder). Owned by the session.
    Database* folderDatabase(const QString& folder);
    // Internal: open-tables registry of the lock area (exclusive opens).
    // Throws EDBEngineError(TablaEnUso) when another live seat conflicts.
    void registerOpen(const QString& tableFile, bool exclusive);
    void unregisterOpen(const QString& tableFile, bool exclusive);
    // True when a live seat other than this one has the table file open.
    bool openElsewhere(const QString& tableFile) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// A folder of table files reached through one SQLite connection.
class Database : public QObject {
    Q_OBJECT
public:
    Database(Session* session, const QString& name, QObject* parent = nullptr);
    ~Database() override;
    QString name() const;
    Session* session() const;

    void setPath(const QString& folder);
    QString path() const;
    void open();            // connects and ATTACHes the folder's table files
    void close();           // closes every dataset first
    bool isOpen() const;
    void closeDatasets();

    // Names of the tables in the folder ("Comercial", ...), sorted.
    QStringList tableNames() const;

    // Creates an empty table file in a folder (throws when it exists).
    static void createTable(const QString& folder, const TableDef& def);
    // Field definitions stored in a table file.
    static QList<FieldDef> fieldDefs(const QString& tableFile);
    // Copies one file; table files go through SQLite's online backup so a copy
    // taken while another seat writes is never torn. Replaces the destination.
    static void copyFile(const QString& from, const QString& to);

    // Internal: the connection (sqlite3*) for datasets of this database.
    void* handle() const;
    // Internal: quoted "schema"."table" of a table file of the folder, attached
    // on demand when it appeared after open(). Throws EDBEngineError when missing.
    QString qualifiedTable(const QString& fileName);
    QString schemaName(const QString& fileName);          // attached schema of a table file
    QString tableFilePath(const QString& fileName) const; // canonical path, "" when missing
    // Internal: attaches table files that appeared in the folder since open();
    // the number attached.
    int attachNew();
    void registerDataset(Dataset* ds);
    void unregisterDataset(Dataset* ds);

signals:
    void closing();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

class Field {
public:
    virtual ~Field() = default;
    virtual QString name() const = 0;
    virtual FieldType type() const = 0;
    virtual int size() const = 0;
    virtual bool required() const = 0;
    virtual bool isLookup() const = 0;
    virtual QVariant value() const = 0;      // null QVariant when null
    // Only in edit/insert state; converts to the field's type (EConvertError),
    // and an empty text is a blank (null) field.
    virtual void setValue(const QVariant& v) = 0;
    bool isNull() const { return value().isNull(); }
    QString asString() const;                 // dates as dd/MM/yy, floats regional, "" for null
    int asInteger() const;
    double asFloat() const;
    QDate asDate() const;
    bool asBoolean() const;
    QByteArray asBlob() const;
    void clear() { setValue(QVariant()); }
};

class Dataset : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };
    enum LocateOption { CaseInsensitive = 1, PartialKey = 2 };

    explicit Dataset(QObject* parent = nullptr);
    ~Dataset() override;

    virtual void open() = 0;
    virtual void close() = 0;
    bool isOpen() const { return state() != State::Inactive; }
    virtual State state() const = 0;

    virtual void first() = 0;
    virtual void next() = 0;
    virtual void prior() = 0;
    virtual void last() = 0;
    virtual bool eof() const = 0;            // true when empty or moved past the last
    virtual bool bof() const = 0;
    virtual int recordCount() const = 0;
    virtual int recNo() const = 0;           // 0-based current row, -1 when empty
    virtual void setRecNo(int row) = 0;
    bool isEmpty() const { return recordCount() == 0; }

    virtual int fieldCount() const = 0;
    virtual Field* field(int index) const = 0;
    Field* findField(const QString& name) const;   // case-insensitive; nullptr when missing
    Field* fieldByName(const QString& name) const; // throws EDatabaseError when missing
    int fieldIndex(const QString& name) const;     // -1 when missing
    // Value at any row without moving the cursor (grid models).
    virtual QVariant valueAt(int row, int fieldIndex) const = 0;

    // Moves to the first row whose field matches; false (cursor unchanged) when none.
    // CaseInsensitive and PartialKey compare Unicode-aware.
    virtual bool locate(const QString& field, const QVariant& value, int options = 0) = 0;
    // Re-reads the rows, keeping the current record when it still exists.
    virtual void refresh() = 0;
    // Bytes held by the rows in memory (benchmarks, diagnostics).
    virtual qint64 memoryBytes() const { return 0; }

signals:
    void stateChanged();
    void currentChanged();              // cursor moved or current record re-read
    void fieldChanged(const QString& name); // a field of the current record was set
    void dataReset();                   // opened, closed, refreshed, rows inserted/deleted
};

struct LookupDef {
    QString name;          // "NombreCliente"
    QString keyField;      // field of this table: "CodigoCliente"
    Table* source = nullptr; // table object holding the value (TCliente)
    QString sourceKey = QStringLiteral("Codigo");
    QString resultField;   // "Nombre"
    FieldType type = FieldType::String;
    int size = 255;
};

class Table : public Dataset {
    Q_OBJECT
public:
    explicit Table(QObject* parent = nullptr);
    ~Table() override;

    void setDatabase(Database* db);        // the working database
    // A folder named directly (master tables): the table uses the folder's
    // database kept by its session (setSession, else Session::defaultSession();
    // with no session at all, a private database without seats or locks).
    void setFolder(const QString& folder);
    void setSession(Session* session);
    Database* database() const;
    void setTableName(const QString& fileName); // "Comercial.DB"
    QString tableName() const;
    void setExclusive(bool exclusive);
    void addLookup(const LookupDef& def);

    void open() override;
    void close() override;
    State state() const override;

    void insert();          // new empty record, state Insert
    void append() { insert(); }
    void edit();            // locks the record; 10241 when another seat holds it, 8708 when gone
    void post();            // committed durably before returning; 9729 on a duplicate key,
                            // EDatabaseError for a required field left empty
    void cancel();
    void remove();          // deletes the current record, committed durably
    void flush();           // no-op kept for callers: post and remove already commit

    void pack();            // rewrites the table file without free pages (exclusive)
    void reindex();         // rebuilds its indexes (exclusive)
    QList<FieldDef> fieldDefs() const;
    QString keyField() const;
    // Internal: quoted "schema"."table" for SQL of lookups.
    QString qualifiedName() const;

    // Error hooks (the data module's handlers). Called with the engine error
    // before it propagates; when the hook returns true the error was reported
    // and the operation throws EAbort instead.
    std::function<bool(const EDBEngineError&)> onEditError;
    std::function<bool(const EDBEngineError&)> onPostError;
    std::function<bool(const EDBEngineError&)> onDeleteError;

    // Dataset
    void first() override; void next() override; void prior() override; void last() override;
    bool eof() const override; bool bof() const override;
    int recordCount() const override; int recNo() const override; void setRecNo(int row) override;
    int fieldCount() const override; Field* field(int index) const override;
    QVariant valueAt(int row, int fieldIndex) const override;
    bool locate(const QString& field, const QVariant& value, int options = 0) override;
    void refresh() override;
    qint64 memoryBytes() const override;

signals:
    void afterPost();
    void afterDelete();

private:
    void exigeUsoExclusivo();
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Read-only result set of one SELECT. Parameters are named (":name") and bound.
class Query : public Dataset {
    Q_OBJECT
public:
    explicit Query(QObject* parent = nullptr);
    ~Query() override;

    void setDatabase(Database* db);
    void setFolder(const QString& folder);  // as Table::setFolder
    void setSession(Session* session);
    Database* database() const;

    QStringList sql() const;
    void setSql(const QStringList& lines);
    void clearSql();
    void addLine(const QString& line);
    void setParam(const QString& name, const QVariant& value);
    void clearParams();

    void open() override;   // runs the statement; every row is then available
    void close() override;
    State state() const override;

    void first() override; void next() override; void prior() override; void last() override;
    bool eof() const override; bool bof() const override;
    int recordCount() const override; int recNo() const override; void setRecNo(int row) override;
    int fieldCount() const override; Field* field(int index) const override;
    QVariant valueAt(int row, int fieldIndex) const override;
    bool locate(const QString& field, const QVariant& value, int options = 0) override;
    void refresh() override;   // re-runs the statement
    // Runs a statement that returns no rows (update, delete, ...), committed
    // before returning; the number of rows changed.
    int execSql();
    qint64 memoryBytes() const override;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace motor
