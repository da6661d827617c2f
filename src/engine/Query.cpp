#include "engine/Interno.h"

#include <QMap>
#include <QPointer>

namespace motor {

using namespace interno;

struct Query::Impl : Fuente, Origen {
    Query* q = nullptr;
    QStringList sql;
    QMap<QString, QVariant> params;     // lower-case name without ':'
    bool abierta = false;

    std::vector<std::unique_ptr<Campo>> todos;
    QList<Campo*> campos;
    std::vector<FieldType> tipos;
    Almacen almacen;
    int pos = -1;
    bool esEof = true;
    bool esBof = true;

    void resuelveDb() { resolver(q, QStringLiteral("La consulta no tiene base de datos.")); }

    sqlite3* con() const { return static_cast<sqlite3*>(db->handle()); }

    void enlazaParametros(sqlite3_stmt* st)
    {
        const int n = sqlite3_bind_parameter_count(st);
        for (int i = 1; i <= n; ++i) {
            const char* nombre = sqlite3_bind_parameter_name(st, i);
            if (!nombre)
                throw EDatabaseError(QStringLiteral("La consulta tiene un parámetro sin nombre."));
            const QString clave = QString::fromUtf8(nombre + 1).toLower();
            auto it = params.constFind(clave);
            if (it == params.cend())
                throw EDatabaseError(QStringLiteral("Falta el valor del parámetro '%1'.").arg(QString::fromUtf8(nombre)));
            enlaza(st, i, *it);
        }
    }

    QVariant leeCampo(int i) const override
    {
        if (!abierta || pos < 0)
            return {};
        return almacen.valor(pos, i, tipos[size_t(i)]);
    }

    void escribeCampo(int i, const QVariant&) override
    {
        throw EDatabaseError(QStringLiteral("El campo '%1' es de solo lectura: la consulta no se puede modificar.")
                                 .arg(campos.value(i) ? campos[i]->name() : QString()));
    }

    void ponPos(int p)
    {
        const int n = almacen.filas();
        pos = n == 0 ? -1 : std::clamp(p, 0, n - 1);
        esBof = esEof = n == 0;
    }

    void ejecuta(int posicion)
    {
        resuelveDb();
        db->open();
        const QString texto = sql.join(QLatin1Char('\n'));
        Sentencia st;
        try {
            st.prepara(con(), texto);
        } catch (const EDBEngineError& e) {
            // a table file copied into the folder after the database opened
            if (!e.mensaje().contains(QLatin1String("no such table")) || db->attachNew() == 0)
                throw;
            st.prepara(con(), texto);
        }
        enlazaParametros(st);
        const int n = sqlite3_column_count(st);
        std::vector<FieldType> t(static_cast<size_t>(n));
        std::vector<bool> declarado(static_cast<size_t>(n));
        std::vector<FieldDef> defs(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            const char* decl = sqlite3_column_decltype(st, i);
            int size = 0;
            t[size_t(i)] = tipoDeclarado(decl, &size);
            declarado[size_t(i)] = decl != nullptr;
            defs[size_t(i)].name = QString::fromUtf8(sqlite3_column_name(st, i));
            defs[size_t(i)].size = size;
        }
        abierta = false;   // until the rows and fields agree again
        almacen.limpia(n);
        while (st.paso())
            almacen.agrega(st, t);
        // Expressions have no declared type: take the first value's class.
        for (int i = 0; i < n; ++i) {
            if (declarado[size_t(i)])
                continue;
            for (int r = 0; r < almacen.filas(); ++r) {
                const Celda& c = almacen.celda(r, i);
                if (c.tipo == Celda::Nulo)
                    continue;
                t[size_t(i)] = c.tipo == Celda::Entero ? FieldType::Integer
                             : c.tipo == Celda::Real   ? FieldType::Float
                             : c.tipo == Celda::Blob   ? FieldType::Graphic
                                                       : FieldType::String;
                break;
            }
        }
        tipos = t;
        QList<Campo*> nuevos;
        for (int i = 0; i < n; ++i) {
            FieldDef& f = defs[size_t(i)];
            f.type = t[size_t(i)];
            Campo* c = nullptr;
            for (auto& x : todos)
                if (x->name().compare(f.name, Qt::CaseInsensitive) == 0 && !nuevos.contains(x.get())) {
                    c = x.get();
                    break;
                }
            if (c) {
                c->reubica(i, f);
            } else {
                todos.push_back(std::make_unique<Campo>(this, i, f, false));
                c = todos.back().get();
            }
            nuevos << c;
        }
        campos = nuevos;
        abierta = true;
        ponPos(posicion);
    }
};

Query::Query(QObject* parent) : Dataset(parent), d(new Impl)
{
    d->q = this;
}

Query::~Query()
{
    if (d->db)
        d->db->unregisterDataset(this);
}

void Query::setDatabase(Database* db)
{
    close();
    d->ponerBase(this, db);
}

void Query::setFolder(const QString& folder)
{
    close();
    d->ponerCarpeta(this, folder);
}

void Query::setSession(Session* session)
{
    d->sesion = session;
    if (!d->carpeta.isEmpty()) {
        const QString c = d->carpeta;
        setFolder(c);
    }
}

Database* Query::database() const { return d->db; }
QStringList Query::sql() const { return d->sql; }
void Query::setSql(const QStringList& lines) { close(); d->sql = lines; }
void Query::clearSql() { close(); d->sql.clear(); }
void Query::addLine(const QString& line) { close(); d->sql << line; }

void Query::setParam(const QString& name, const QVariant& value)
{
    QString n = name.toLower();
    if (n.startsWith(QLatin1Char(':')))
        n.remove(0, 1);
    d->params.insert(n, value);
}

void Query::clearParams() { d->params.clear(); }

void Query::open()
{
    if (d->abierta)
        return;
    d->ejecuta(0);
    emit stateChanged();
    emit dataReset();
    emit currentChanged();
}

void Query::close()
{
    if (!d->abierta)
        return;
    d->abierta = false;
    d->almacen.limpia(0);
    d->pos = -1;
    d->esBof = d->esEof = true;
    emit stateChanged();
    emit dataReset();
    emit currentChanged();
}

Dataset::State Query::state() const { return d->abierta ? State::Browse : State::Inactive; }

int Query::execSql()
{
    close();
    d->resuelveDb();
    d->db->open();
    const QByteArray texto = d->sql.join(QLatin1Char('\n')).toUtf8();
    const char* resto = texto.constData();
    const char* fin = resto + texto.size();
    int cambios = 0;
    while (resto < fin) {
        sqlite3_stmt* raw = nullptr;
        const char* siguiente = nullptr;
        const int rc = sqlite3_prepare_v2(d->con(), resto, int(fin - resto), &raw, &siguiente);
        if (rc != SQLITE_OK)
            lanza(d->con(), rc);
        resto = siguiente;
        if (!raw)
            continue;   // blank or comment
        std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> st(raw, sqlite3_finalize);
        d->enlazaParametros(raw);
        int r;
        while ((r = sqlite3_step(raw)) == SQLITE_ROW) {
        }
        if (r != SQLITE_DONE)
            lanza(d->con(), r);
        cambios += sqlite3_changes(d->con());
    }
    return cambios;
}

void Query::first()
{
    d->ponPos(0);
    emit currentChanged();
}

void Query::last()
{
    d->ponPos(d->almacen.filas() - 1);
    d->esEof = true;
    emit currentChanged();
}

void Query::next()
{
    if (d->pos + 1 < d->almacen.filas()) {
        ++d->pos;
        d->esBof = false;
        emit currentChanged();
    } else {
        d->esEof = true;
    }
}

void Query::prior()
{
    if (d->pos > 0) {
        --d->pos;
        d->esEof = false;
        emit currentChanged();
    } else {
        d->esBof = true;
    }
}

bool Query::eof() const { return !d->abierta || d->esEof; }
bool Query::bof() const { return !d->abierta || d->esBof; }
int Query::recordCount() const { return d->abierta ? d->almacen.filas() : 0; }
int Query::recNo() const { return d->pos; }

void Query::setRecNo(int row)
{
    if (!d->abierta || d->almacen.filas() == 0)
        return;
    d->ponPos(row);
    d->esBof = d->esEof = false;
    emit currentChanged();
}

int Query::fieldCount() const { return d->abierta ? int(d->campos.size()) : 0; }
Field* Query::field(int index) const { return d->abierta ? d->campos.value(index) : nullptr; }

QVariant Query::valueAt(int row, int fieldIndex) const
{
    if (!d->abierta || row < 0 || row >= d->almacen.filas() || fieldIndex < 0 || fieldIndex >= d->campos.size())
        return {};
    return d->almacen.valor(row, fieldIndex, d->tipos[size_t(fieldIndex)]);
}

bool Query::locate(const QString& field, const QVariant& value, int options)
{
    const int fi = fieldIndex(field);
    if (fi < 0)
        fieldByName(field);   // throws the missing-field error
    const FieldType t = d->tipos[size_t(fi)];
    QVariant v = value;
    const bool textual = t == FieldType::String || t == FieldType::Memo;
    if (!textual && !(options & PartialKey)) {
        try {
            v = normaliza(value, t, field);
        } catch (const EConvertError&) {
            return false;
        }
    }
    const QString texto = value.typeId() == QMetaType::QDate ? value.toDate().toString(Qt::ISODate) : value.toString();
    const Patron patron(texto, v);
    const int n = d->almacen.filas();
    const char16_t* ini = d->almacen.iniciales(fi).data();
    for (int r = 0; r < n; ++r) {
        if (patron.puede(ini[r]) && coincide(d->almacen, d->almacen.celda(r, fi), t, v, patron, options)) {
            d->pos = r;
            d->esBof = d->esEof = false;
            emit currentChanged();
            return true;
        }
    }
    return false;
}

void Query::refresh()
{
    if (!d->abierta) {
        open();
        return;
    }
    try {
        d->ejecuta(d->pos);
    } catch (...) {
        d->almacen.limpia(0);
        d->pos = -1;
        emit stateChanged();
        emit dataReset();
        throw;
    }
    emit dataReset();
    emit currentChanged();
}

qint64 Query::memoryBytes() const { return d->almacen.bytes(); }

} // namespace motor
