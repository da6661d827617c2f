#include "ui/ModeloRejilla.h"

#include "data/Esquema.h"
#include "data/Formatos.h"

ModeloRejilla::ModeloRejilla(QObject* parent) : QAbstractTableModel(parent) {}

void ModeloRejilla::ponerDataset(motor::Dataset* ds, const QString& tablaEsquema)
{
    beginResetModel();
    for (const auto& c : m_conexiones)
        disconnect(c);
    m_conexiones.clear();
    m_ds = ds;
    m_tabla = tablaEsquema;
    if (ds) {
        m_conexiones << connect(ds, &motor::Dataset::dataReset, this, &ModeloRejilla::reiniciar);
        m_conexiones << connect(ds, &motor::Dataset::stateChanged, this, [this] {
            // Insert adds a row to a table and cancel removes it again.
            if (m_ds && m_ds->recordCount() != m_filas)
                reiniciar();
        });
        m_conexiones << connect(ds, &motor::Dataset::fieldChanged, this, &ModeloRejilla::campoCambiado);
        m_conexiones << connect(ds, &motor::Dataset::currentChanged, this, [this] {
            if (m_filas > 0)
                emit headerDataChanged(Qt::Vertical, 0, m_filas - 1);
        });
        m_conexiones << connect(ds, &QObject::destroyed, this, [this] {
            beginResetModel();
            m_filas = 0;
            endResetModel();
        });
    }
    resolverIndices();
    m_filas = (m_ds && m_ds->isOpen()) ? m_ds->recordCount() : 0;
    endResetModel();
}

void ModeloRejilla::ponerColumnas(const QList<ColumnaRejilla>& columnas)
{
    beginResetModel();
    m_columnas = columnas;
    resolverIndices();
    endResetModel();
}

void ModeloRejilla::ponerCampoColumna(int i, const QString& campo, const QString& titulo)
{
    if (i < 0 || i >= m_columnas.size())
        return;
    m_columnas[i].campo = campo;
    m_columnas[i].titulo = titulo;
    resolverIndices();
    emit headerDataChanged(Qt::Horizontal, i, i);
    if (m_filas > 0)
        emit dataChanged(index(0, i), index(m_filas - 1, i));
}

int ModeloRejilla::columnaDeCampo(const QString& campo) const
{
    for (int i = 0; i < m_columnas.size(); ++i)
        if (m_columnas[i].campo.compare(campo, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString ModeloRejilla::tituloColumna(int i) const
{
    if (i < 0 || i >= m_columnas.size())
        return QString();
    const ColumnaRejilla& c = m_columnas[i];
    if (!c.titulo.isEmpty())
        return c.titulo;
    if (!m_tabla.isEmpty()) {
        const QString e = esquema::etiquetaConsulta(m_tabla, c.campo);
        if (!e.isEmpty())
            return e;
        const QString t = esquema::etiqueta(m_tabla, c.campo);
        if (!t.isEmpty())
            return t;
    }
    return c.campo;
}

void ModeloRejilla::reiniciar()
{
    beginResetModel();
    resolverIndices();
    m_filas = (m_ds && m_ds->isOpen()) ? m_ds->recordCount() : 0;
    endResetModel();
}

void ModeloRejilla::campoCambiado(const QString& nombre)
{
    if (!m_ds || m_filas == 0)
        return;
    const int fila = m_ds->recNo();
    if (fila < 0 || fila >= m_filas)
        return;
    for (int i = 0; i < m_columnas.size(); ++i)
        if (m_columnas[i].campo.compare(nombre, Qt::CaseInsensitive) == 0)
            emit dataChanged(index(fila, i), index(fila, i));
}

void ModeloRejilla::resolverIndices()
{
    m_indices.clear();
    m_campos.clear();
    for (const ColumnaRejilla& c : m_columnas) {
        m_indices << ((m_ds && m_ds->isOpen()) ? m_ds->fieldIndex(c.campo) : -1);
        const esquema::Campo* e = nullptr;
        if (!m_tabla.isEmpty()) {
            e = esquema::campoConsulta(m_tabla, c.campo);
            if (!e)
                e = esquema::campo(m_tabla, c.campo);
        }
        m_campos << e;
    }
}

int ModeloRejilla::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_filas;
}

int ModeloRejilla::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columnas.size());
}

bool ModeloRejilla::esNumerica(int col) const
{
    if (!m_ds || col < 0 || col >= m_indices.size() || m_indices[col] < 0)
        return false;
    const motor::Field* f = m_ds->field(m_indices[col]);
    if (!f)
        return false;
    switch (f->type()) {
    case motor::FieldType::Integer:
    case motor::FieldType::AutoInc:
    case motor::FieldType::Float:
    case motor::FieldType::Currency:
        return true;
    default:
        return false;
    }
}

QString ModeloRejilla::texto(int fila, int col) const
{
    if (!m_ds || fila < 0 || fila >= m_filas || col < 0 || col >= m_indices.size())
        return QString();
    const int fi = m_indices[col];
    if (fi < 0 || fila >= m_ds->recordCount())
        return QString();
    const QVariant v = m_ds->valueAt(fila, fi);
    if (const esquema::Campo* c = m_campos.value(col))
        return formatos::textoCampo(*c, v);
    // A column the schema does not know: by the engine's field type.
    esquema::Campo c;
    c.nombre = m_columnas[col].campo;
    if (const motor::Field* f = m_ds->field(fi))
        c.tipo = f->type();
    return formatos::textoCampo(c, v);
}

QVariant ModeloRejilla::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_filas || index.column() >= m_columnas.size())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return texto(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(
            (esNumerica(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    default:
        return QVariant();
    }
}

QVariant ModeloRejilla::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= m_columnas.size())
            return QVariant();
        if (role == Qt::DisplayRole)
            return tituloColumna(section);
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(
                (esNumerica(section) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
        return QVariant();
    }
    if (section < 0 || section >= m_filas)
        return QVariant();
    // Row indicator: a mark on the current record.
    if (role == Qt::DisplayRole)
        return (m_ds && m_ds->recNo() == section) ? QStringLiteral("▸") : QString();
    return QVariant();
}

Qt::ItemFlags ModeloRejilla::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
