#include "engine/Interno.h"

#include <QFileInfo>
#include <QHash>
#include <QPointer>

namespace motor {

using namespace interno;

namespace {

// SQLite's order of storage classes, then values (text by the Spanish collation).
int comparaCeldas(const Almacen& a, const Celda& x, const Celda& y)
{
    auto clase = [](const Celda& c) {
        switch (c.tipo) {
        case Celda::Nulo: return 0;
        case Celda::Entero: case Celda::Real: return 1;
        case Celda::Texto: case Celda::Fecha: return 2;
        default: return 3;
        }
    };
    const int cx = clase(x), cy = clase(y);
    if (cx != cy)
        return cx < cy ? -1 : 1;
    if (cx == 1) {
        const double dx = x.tipo == Celda::Entero ? double(x.i) : x.d;
        const double dy = y.tipo == Celda::Entero ? double(y.i) : y.d;
        return dx < dy ? -1 : dx > dy ? 1 : 0;
    }
    if (cx == 2) {
        if (x.tipo == Celda::Fecha && y.tipo == Celda::Fecha)
            return x.i < y.i ? -1 : x.i > y.i ? 1 : 0;
        auto txt = [&](const Celda& c) {
            return c.tipo == Celda::Fecha ? QDate::fromJulianDay(c.i).toString(Qt::ISODate) : a.texto(c).toString();
        };
        return comparaEs(txt(x), txt(y));
    }
    return 0;
}

QString claveTexto(const QVariant& v)
{
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().toString(Qt::ISODate);
    return v.toString();
}

} // namespace

struct Table::Impl : Fuente, Origen {
    Table* q = nullptr;
    QString fichero;
    bool exclusiva = false;
    State estado = State::Inactive;

    QList<FieldDef> defs;
    QString clave;
    int iClave = -1;
    QString qnombre;
    QString ruta;
    bool registrada = false;
    bool registradaExcl = false;

    struct Busqueda {
        LookupDef def;
        QPointer<Table> fuente;
        int iClaveLocal = -1;
        mutable QHash<QString, QVariant> cache;
    };
    QList<Busqueda> lookups;

    std::vector<std::unique_ptr<Campo>> todos;   // stable: widgets keep Field pointers
    QList<Campo*> campos;
    std::vector<FieldType> tipos;
    Almacen almacen;
    std::vector<int> orden;                      // position -> stored row
    int pos = -1;
    bool esEof = true;
    bool esBof = true;

    QList<QVariant> buffer;
    QVariant claveAnterior;
    QString claveBloqueada;
    bool bloqueo = false;

    Sentencia stInsert, stUpdate, stDelete, stPorClave, stPorRowid;

    sqlite3* con() const { return static_cast<sqlite3*>(db->handle()); }
    int columnas() const { return int(defs.size()); }
    bool editando() const { return estado == State::Edit || estado == State::Insert; }
    Session* sesionDb() const { return db ? db->session() : nullptr; }

    void resuelveDb() { resolver(q, QStringLiteral("La tabla '%1' no tiene base de datos.").arg(fichero)); }

    QString listaColumnas() const
    {
        QStringList c;
        for (const FieldDef& f : defs)
            c << ident(f.name);
        return c.join(QStringLiteral(", "));
    }

    void preparaSentencias()
    {
        const QString cols = listaColumnas();
        QStringList marcas, asignaciones;
        for (const FieldDef& f : defs) {
            marcas << QStringLiteral("?");
            asignaciones << ident(f.name) + QStringLiteral(" = ?");
        }
        const QString k = ident(clave);
        stInsert.prepara(con(), QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(qnombre, cols, marcas.join(QLatin1Char(','))));
        stUpdate.prepara(con(), QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?").arg(qnombre, asignaciones.join(QStringLiteral(", ")), k));
        stDelete.prepara(con(), QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(qnombre, k));
        stPorClave.prepara(con(), QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?").arg(cols, qnombre, k));
        stPorRowid.prepara(con(), QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(cols, qnombre));
    }

    void liberaSentencias()
    {
        for (Sentencia* s : {&stInsert, &stUpdate, &stDelete, &stPorClave, &stPorRowid})
            s->libera();
    }

    void montaCampos()
    {
        QList<Campo*> nuevos;
        auto reutiliza = [&](const QString& nombre, bool lookup) -> Campo* {
            for (auto& c : todos)
                if (c->isLookup() == lookup && c->name().compare(nombre, Qt::CaseInsensitive) == 0
                    && !nuevos.contains(c.get()))
                    return c.get();
            return nullptr;
        };
        tipos.clear();
        iClave = -1;
        for (int i = 0; i < defs.size(); ++i) {
            const FieldDef& f = defs[i];
            tipos.push_back(f.type);
            if (f.name.compare(clave, Qt::CaseInsensitive) == 0)
                iClave = i;
            Campo* c = reutiliza(f.name, false);
            if (c) {
                c->reubica(i, f);
            } else {
                todos.push_back(std::make_unique<Campo>(this, i, f, false));
                c = todos.back().get();
            }
            nuevos << c;
        }
        for (int j = 0; j < lookups.size(); ++j) {
            Busqueda& b = lookups[j];
            b.iClaveLocal = -1;
            for (int i = 0; i < defs.size(); ++i)
                if (defs[i].name.compare(b.def.keyField, Qt::CaseInsensitive) == 0)
                    b.iClaveLocal = i;
            FieldDef f{b.def.name, b.def.type, b.def.size, false};
            Campo* c = reutiliza(f.name, true);
            if (c)
                c->reubica(columnas() + j, f);
            else {
                todos.push_back(std::make_unique<Campo>(this, columnas() + j, f, true));
                c = todos.back().get();
            }
            nuevos << c;
        }
        campos = nuevos;
    }

    void carga()
    {
        almacen.limpia(columnas());
        orden.clear();
        Sentencia s(con(), QStringLiteral("SELECT %1 FROM %2 ORDER BY %3").arg(listaColumnas(), qnombre, ident(clave)));
        while (s.paso())
            orden.push_back(almacen.agrega(s, tipos));
        for (auto& b : lookups)
            b.cache.clear();
    }

    QVariant valorFila(int fila, int i) const
    {
        if (i < columnas())
            return almacen.valor(orden[size_t(fila)], i, tipos[size_t(i)]);
        const Busqueda& b = lookups[i - columnas()];
        return busca(b, b.iClaveLocal < 0 ? QVariant() : valorFila(fila, b.iClaveLocal));
    }

    QVariant busca(const Busqueda& b, const QVariant& k) const
    {
        if (k.isNull() || !b.fuente)
            return {};
        const QString kt = claveTexto(k);
        auto it = b.cache.constFind(kt);
        if (it != b.cache.cend())
            return *it;
        const QString nombre = b.fuente->qualifiedName();
        sqlite3* c = static_cast<sqlite3*>(b.fuente->database()->handle());
        Sentencia s(c, QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? LIMIT 1")
                           .arg(ident(b.def.resultField), nombre, ident(b.def.sourceKey)));
        enlaza(s, 1, k);
        QVariant r;
        if (s.paso())
            r = columna(s, 0, b.def.type);
        b.cache.insert(kt, r);
        return r;
    }

    QVariant leeCampo(int i) const override
    {
        if (i < columnas()) {
            if (editando())
                return buffer.value(i);
            if (estado == State::Inactive || pos < 0)
                return {};
            return almacen.valor(orden[size_t(pos)], i, tipos[size_t(i)]);
        }
        const Busqueda& b = lookups[i - columnas()];
        return busca(b, b.iClaveLocal < 0 ? QVariant() : leeCampo(b.iClaveLocal));
    }

    void escribeCampo(int i, const QVariant& v) override
    {
        const QString nombre = campos.value(i) ? campos[i]->name() : QString();
        if (i >= columnas())
            throw EDatabaseError(QStringLiteral("El campo '%1' no se puede modificar.").arg(nombre));
        if (!editando())
            throw EDatabaseError(QStringLiteral("La tabla '%1' no está en modo de edición o inserción.").arg(fichero));
        buffer[i] = normaliza(v, tipos[size_t(i)], nombre);
        emit q->fieldChanged(nombre);
        for (const Busqueda& b : std::as_const(lookups))
            if (b.iClaveLocal == i)
                emit q->fieldChanged(b.def.name);
    }

    void requiereAbierta() const
    {
        if (estado == State::Inactive)
            throw EDatabaseError(QStringLiteral("La tabla '%1' está cerrada.").arg(fichero));
    }

    QVariant claveActual() const
    {
        if (pos < 0 || iClave < 0)
            return {};
        return almacen.valor(orden[size_t(pos)], iClave, tipos[size_t(iClave)]);
    }

    // Position where stored row fila belongs by key (orden sorted by key).
    int lugar(int fila) const
    {
        const Celda& k = almacen.celda(fila, iClave);
        size_t lo = 0, hi = orden.size();
        while (lo < hi) {
            const size_t mid = (lo + hi) / 2;
            if (comparaCeldas(almacen, almacen.celda(orden[mid], iClave), k) <= 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        return int(lo);
    }

    void ponPos(int p)
    {
        const int n = int(orden.size());
        pos = n == 0 ? -1 : std::clamp(p, 0, n - 1);
        esBof = esEof = n == 0;
    }

    void suelta()
    {
        if (bloqueo && sesionDb()) {
            try {
                sesionDb()->unlock(ruta, claveBloqueada);
            } catch (const Excepcion&) {
                // the lock expires with the seat
            }
        }
        bloqueo = false;
        claveBloqueada.clear();
    }

    [[noreturn]] static void falla(const std::function<bool(const EDBEngineError&)>& hook, const EDBEngineError& e)
    {
        if (hook && hook(e))
            throw EAbort();
        throw e;
    }

    void ejecutaCambio(Sentencia& s)
    {
        const int rc = sqlite3_step(s);
        if (rc != SQLITE_DONE) {
            sqlite3_reset(s);
            lanza(con(), rc);
        }
        sqlite3_reset(s);
    }
};

Table::Table(QObject* parent) : Dataset(parent), d(new Impl)
{
    d->q = this;
}

Table::~Table()
{
    try {
        close();
    } catch (const Excepcion&) {
    }
    if (d->db)
        d->db->unregisterDataset(this);
}

void Table::setDatabase(Database* db)
{
    close();
    d->ponerBase(this, db);
}

void Table::setFolder(const QString& folder)
{
    close();
    d->ponerCarpeta(this, folder);
}

void Table::setSession(Session* session)
{
    d->sesion = session;
    if (!d->carpeta.isEmpty()) {
        const QString c = d->carpeta;
        setFolder(c);
    }
}

Database* Table::database() const { return d->db; }

void Table::setTableName(const QString& fileName)
{
    if (fileName != d->fichero)
        close();
    d->fichero = fileName;
}

QString Table::tableName() const { return d->fichero; }
void Table::setExclusive(bool exclusive) { d->exclusiva = exclusive; }

void Table::addLookup(const LookupDef& def)
{
    Impl::Busqueda b;
    b.def = def;
    b.fuente = def.source;
    d->lookups << b;
    if (def.source) {
        const int j = int(d->lookups.size()) - 1;
        connect(def.source, &Dataset::dataReset, this, [this, j] {
            if (j < d->lookups.size())
                d->lookups[j].cache.clear();
        });
    }
    if (isOpen())
        d->montaCampos();
}

QString Table::qualifiedName() const
{
    if (!d->qnombre.isEmpty())
        return d->qnombre;
    d->resuelveDb();
    return d->db->qualifiedTable(d->fichero);
}

QString Table::keyField() const { return d->clave; }

void Table::open()
{
    if (d->estado != State::Inactive)
        return;
    if (d->fichero.isEmpty())
        throw EDatabaseError(QStringLiteral("No se ha indicado el nombre de la tabla."));
    d->resuelveDb();
    d->db->open();
    d->qnombre = d->db->qualifiedTable(d->fichero);
    try {
        d->defs = leeDefiniciones(d->con(), d->db->schemaName(d->fichero), &d->clave);
        d->ruta = d->db->tableFilePath(d->fichero);
        if (Session* s = d->sesionDb()) {
            s->registerOpen(d->ruta, d->exclusiva);
            d->registrada = true;
            d->registradaExcl = d->exclusiva;
        }
        d->montaCampos();
        d->preparaSentencias();
        d->carga();
    } catch (...) {
        d->liberaSentencias();
        if (d->registrada) {
            try {
                d->sesionDb()->unregisterOpen(d->ruta, d->registradaExcl);
            } catch (const Excepcion&) {
            }
            d->registrada = false;
        }
        d->qnombre.clear();
        throw;
    }
    d->estado = State::Browse;
    d->ponPos(0);
    emit stateChanged();
    emit dataReset();
    emit currentChanged();
}

void Table::close()
{
    if (d->estado == State::Inactive)
        return;
    d->suelta();
    d->buffer.clear();
    d->liberaSentencias();
    if (d->registrada && d->sesionDb()) {
        try {
            d->sesionDb()->unregisterOpen(d->ruta, d->registradaExcl);
        } catch (const Excepcion&) {
        }
    }
    d->registrada = false;
    d->almacen.limpia(0);
    d->orden.clear();
    d->qnombre.clear();
    d->pos = -1;
    d->esBof = d->esEof = true;
    d->estado = State::Inactive;
    emit stateChanged();
    emit dataReset();
    emit currentChanged();
}

Dataset::State Table::state() const { return d->estado; }

void Table::insert()
{
    d->requiereAbierta();
    if (d->editando())
        post();
    d->buffer = QList<QVariant>(d->columnas());
    d->estado = State::Insert;
    emit stateChanged();
    emit currentChanged();
}

void Table::edit()
{
    d->requiereAbierta();
    if (d->editando())
        return;
    if (d->orden.empty()) {
        insert();
        return;
    }
    const QVariant k = d->claveActual();
    const QString kt = claveTexto(k);
    try {
        Session* s = d->sesionDb();
        if (s && !s->tryLock(d->ruta, kt))
            throw EDBEngineError(EDBEngineError::RegistroBloqueado,
                                 QStringLiteral("Registro bloqueado por otro usuario (tabla '%1', clave '%2').")
                                     .arg(d->fichero, kt));
        d->bloqueo = s != nullptr;
        d->claveBloqueada = kt;
        // Re-read: another seat may have changed or deleted it.
        d->stPorClave.reinicia();
        enlaza(d->stPorClave, 1, k);
        bool hay = false;
        try {
            hay = d->stPorClave.paso();
        } catch (...) {
            d->stPorClave.reinicia();
            throw;
        }
        if (!hay) {
            d->stPorClave.reinicia();
            d->suelta();
            throw EDBEngineError(EDBEngineError::RegistroEliminado,
                                 QStringLiteral("El registro (clave '%1') ha sido eliminado por otro usuario.").arg(kt));
        }
        d->almacen.reemplaza(d->orden[size_t(d->pos)], d->stPorClave, d->tipos);
        d->stPorClave.reinicia();
    } catch (const EDBEngineError& e) {
        if (e.codigo() != EDBEngineError::RegistroBloqueado)
            d->suelta();
        Impl::falla(onEditError, e);
    }
    d->buffer.clear();
    for (int i = 0; i < d->columnas(); ++i)
        d->buffer << d->almacen.valor(d->orden[size_t(d->pos)], i, d->tipos[size_t(i)]);
    d->claveAnterior = k;
    d->estado = State::Edit;
    emit stateChanged();
    emit currentChanged();
}

void Table::post()
{
    if (!d->editando())
        return;
    for (int i = 0; i < d->columnas(); ++i) {
        const FieldDef& f = d->defs[i];
        const bool claveObligada = i == d->iClave && f.type != FieldType::AutoInc;
        if ((f.required || claveObligada) && d->buffer[i].isNull())
            throw EDatabaseError(QStringLiteral("El campo '%1' debe tener un valor.").arg(f.name));
    }
    const bool alta = d->estado == State::Insert;
    int fila = -1;
    try {
        if (alta) {
            Sentencia& s = d->stInsert;
            s.reinicia();
            for (int i = 0; i < d->columnas(); ++i)
                enlaza(s, i + 1, d->buffer[i]);
            d->ejecutaCambio(s);
            const qint64 rowid = sqlite3_last_insert_rowid(d->con());
            Sentencia& r = d->stPorRowid;
            r.reinicia();
            sqlite3_bind_int64(r, 1, rowid);
            if (r.paso())
                fila = d->almacen.agrega(r, d->tipos);
            r.reinicia();
        } else {
            Sentencia& s = d->stUpdate;
            s.reinicia();
            for (int i = 0; i < d->columnas(); ++i)
                enlaza(s, i + 1, d->buffer[i]);
            enlaza(s, d->columnas() + 1, d->claveAnterior);
            d->ejecutaCambio(s);
            if (sqlite3_changes(d->con()) == 0)
                throw EDBEngineError(EDBEngineError::RegistroEliminado,
                                     QStringLiteral("El registro ha sido eliminado por otro usuario."));
            Sentencia& r = d->stPorClave;
            r.reinicia();
            enlaza(r, 1, d->buffer[d->iClave]);
            fila = d->orden[size_t(d->pos)];
            if (r.paso())
                d->almacen.reemplaza(fila, r, d->tipos);
            r.reinicia();
        }
    } catch (const EDBEngineError& e) {
        Impl::falla(onPostError, e);
    }
    if (fila >= 0) {
        if (!alta)
            d->orden.erase(d->orden.begin() + d->pos);
        const int p = d->lugar(fila);
        d->orden.insert(d->orden.begin() + p, fila);
        d->ponPos(p);
        d->esBof = d->esEof = false;
    }
    d->suelta();
    d->buffer.clear();
    d->estado = State::Browse;
    for (auto& b : d->lookups)
        b.cache.clear();
    emit stateChanged();
    emit afterPost();
    emit dataReset();
    emit currentChanged();
}

void Table::cancel()
{
    if (!d->editando())
        return;
    d->suelta();
    d->buffer.clear();
    d->estado = State::Browse;
    emit stateChanged();
    emit currentChanged();
}

void Table::remove()
{
    d->requiereAbierta();
    if (d->estado == State::Insert) {
        cancel();
        return;
    }
    if (d->orden.empty())
        throw EDatabaseError(QStringLiteral("No se puede borrar: la tabla '%1' está vacía.").arg(d->fichero));
    const QVariant k = d->estado == State::Edit ? d->claveAnterior : d->claveActual();
    const QString kt = claveTexto(k);
    bool tomado = false;   // lock taken here (an edit already holds its own)
    try {
        Session* s = d->sesionDb();
        if (!d->bloqueo && s) {
            if (!s->tryLock(d->ruta, kt))
                throw EDBEngineError(EDBEngineError::RegistroBloqueado,
                                     QStringLiteral("Registro bloqueado por otro usuario (tabla '%1', clave '%2').")
                                         .arg(d->fichero, kt));
            d->bloqueo = tomado = true;
            d->claveBloqueada = kt;
        }
        Sentencia& st = d->stDelete;
        st.reinicia();
        enlaza(st, 1, k);
        d->ejecutaCambio(st);
        if (sqlite3_changes(d->con()) == 0)
            throw EDBEngineError(EDBEngineError::RegistroEliminado,
                                 QStringLiteral("El registro (clave '%1') ha sido eliminado por otro usuario.").arg(kt));
    } catch (const EDBEngineError& e) {
        if (tomado)
            d->suelta();
        Impl::falla(onDeleteError, e);
    }
    d->suelta();
    const bool estabaEditando = d->estado == State::Edit;
    d->buffer.clear();
    d->estado = State::Browse;
    d->orden.erase(d->orden.begin() + d->pos);
    d->ponPos(d->pos);
    if (!d->orden.empty())
        d->esBof = d->esEof = false;
    if (estabaEditando)
        emit stateChanged();
    emit afterDelete();
    emit dataReset();
    emit currentChanged();
}

void Table::flush() {}

void Table::refresh()
{
    d->requiereAbierta();
    if (d->editando())
        post();
    const QVariant k = d->claveActual();
    const int antes = d->pos;
    d->carga();
    int p = -1;
    if (!k.isNull()) {
        for (int r = 0; r < int(d->orden.size()); ++r)
            if (d->almacen.valor(d->orden[size_t(r)], d->iClave, d->tipos[size_t(d->iClave)]) == k) {
                p = r;
                break;
            }
    }
    d->ponPos(p >= 0 ? p : antes);
    if (d->pos >= 0)
        d->esBof = d->esEof = false;
    emit dataReset();
    emit currentChanged();
}

// Pack and reindex rewrite the table file: pending changes are posted first,
// and no other seat may have the table open.
void Table::exigeUsoExclusivo()
{
    d->requiereAbierta();
    if (d->editando())
        post();
    Session* s = d->sesionDb();
    if (s && s->openElsewhere(d->ruta))
        throw EDBEngineError(TablaEnUso, QStringLiteral("La tabla '%1' está en uso por otro usuario.").arg(d->fichero));
}

void Table::pack()
{
    exigeUsoExclusivo();
    d->liberaSentencias();
    try {
        ejecuta(d->con(), QStringLiteral("VACUUM %1").arg(ident(d->db->schemaName(d->fichero))));
    } catch (...) {
        d->preparaSentencias();
        throw;
    }
    d->preparaSentencias();
    refresh();
}

void Table::reindex()
{
    exigeUsoExclusivo();
    ejecuta(d->con(), QStringLiteral("REINDEX %1").arg(d->qnombre));
    refresh();
}

QList<FieldDef> Table::fieldDefs() const
{
    if (d->estado != State::Inactive)
        return d->defs;
    d->resuelveDb();
    const QString ruta = d->db->tableFilePath(d->fichero);
    if (ruta.isEmpty())
        throw EDBEngineError(EDBEngineError::Generico, QStringLiteral("No se encuentra la tabla '%1'.").arg(d->fichero));
    return Database::fieldDefs(ruta);
}

void Table::first()
{
    d->requiereAbierta();
    if (d->editando())
        post();
    d->ponPos(0);
    emit currentChanged();
}

void Table::last()
{
    d->requiereAbierta();
    if (d->editando())
        post();
    d->ponPos(int(d->orden.size()) - 1);
    d->esEof = true;
    emit currentChanged();
}

void Table::next()
{
    d->requiereAbierta();
    if (d->editando())
        post();
    if (d->pos + 1 < int(d->orden.size())) {
        ++d->pos;
        d->esBof = false;
        emit currentChanged();
    } else {
        d->esEof = true;
    }
}

void Table::prior()
{
    d->requiereAbierta();
    if (d->editando())
        post();
    if (d->pos > 0) {
        --d->pos;
        d->esEof = false;
        emit currentChanged();
    } else {
        d->esBof = true;
    }
}

bool Table::eof() const { return d->estado == State::Inactive || d->esEof; }
bool Table::bof() const { return d->estado == State::Inactive || d->esBof; }
int Table::recordCount() const { return int(d->orden.size()); }
int Table::recNo() const { return d->pos; }

void Table::setRecNo(int row)
{
    d->requiereAbierta();
    if (d->editando())
        post();
    if (d->orden.empty())
        return;
    d->ponPos(row);
    d->esBof = d->esEof = false;
    emit currentChanged();
}

int Table::fieldCount() const { return int(d->campos.size()); }
Field* Table::field(int index) const { return d->campos.value(index); }

QVariant Table::valueAt(int row, int fieldIndex) const
{
    if (row < 0 || row >= int(d->orden.size()) || fieldIndex < 0 || fieldIndex >= d->campos.size())
        return {};
    return d->valorFila(row, fieldIndex);
}

bool Table::locate(const QString& field, const QVariant& value, int options)
{
    d->requiereAbierta();
    const int fi = fieldIndex(field);
    if (fi < 0)
        fieldByName(field);   // throws the missing-field error
    if (d->editando())
        post();
    const int n = int(d->orden.size());
    int hallada = -1;
    const QString texto = claveTexto(value);
    if (fi < d->columnas()) {
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
        const Patron patron(texto, v);
        const char16_t* ini = d->almacen.iniciales(fi).data();
        for (int r = 0; r < n && hallada < 0; ++r) {
            const int fila = d->orden[size_t(r)];
            if (patron.puede(ini[fila]) && coincide(d->almacen, d->almacen.celda(fila, fi), t, v, patron, options))
                hallada = r;
        }
    } else {
        const auto cs = (options & CaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
        for (int r = 0; r < n && hallada < 0; ++r) {
            const QString s = claveTexto(d->valorFila(r, fi));
            if ((options & PartialKey) ? s.startsWith(texto, cs) : s.compare(texto, cs) == 0)
                hallada = r;
        }
    }
    if (hallada < 0)
        return false;
    d->pos = hallada;
    d->esBof = d->esEof = false;
    emit currentChanged();
    return true;
}

qint64 Table::memoryBytes() const
{
    return d->almacen.bytes() + qint64(d->orden.capacity() * sizeof(int));
}

} // namespace motor
