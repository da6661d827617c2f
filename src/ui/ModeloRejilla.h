#pragma once
// Read-only grid model over a motor::Dataset: one row per record, one column
// per {field, title, width}. Values are shown through the data module's
// formatters (schema formats, "Sí"/"No", short dates), numbers right-aligned.
// The model follows the dataset's signals; it never edits.
#include "data/Esquema.h"
#include "engine/Motor.h"

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>
#include <QString>

struct ColumnaRejilla {
    QString campo;    // field name of the dataset ("Codigo")
    QString titulo;   // header text; empty: the schema label of the field
    int ancho = 64;   // design width in pixels
};

class ModeloRejilla : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModeloRejilla(QObject* parent = nullptr);

    // The dataset shown and the schema table (or list query name) whose
    // labels and formats apply ("Comercial", "TCComercial").
    void ponerDataset(motor::Dataset* ds, const QString& tablaEsquema = QString());
    motor::Dataset* dataset() const { return m_ds; }
    QString tablaEsquema() const { return m_tabla; }

    void ponerColumnas(const QList<ColumnaRejilla>& columnas);
    const QList<ColumnaRejilla>& columnas() const { return m_columnas; }
    ColumnaRejilla columna(int i) const { return m_columnas.value(i); }
    // Binds a column to another field (pesetas/euros switch); an empty title
    // takes the schema label of the new field.
    void ponerCampoColumna(int i, const QString& campo, const QString& titulo = QString());
    // Column showing a field (case-insensitive); -1 when none.
    int columnaDeCampo(const QString& campo) const;
    // The title shown for a column (its own title or the schema label).
    QString tituloColumna(int i) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Display text of one cell (what the grid shows).
    QString texto(int fila, int col) const;

private:
    void reiniciar();
    void campoCambiado(const QString& nombre);
    void resolverIndices();
    bool esNumerica(int col) const;

    QPointer<motor::Dataset> m_ds;
    QString m_tabla;
    QList<ColumnaRejilla> m_columnas;
    QList<int> m_indices;   // field index of each column in the dataset (-1 unknown)
    QList<const esquema::Campo*> m_campos; // schema field of each column (null unknown)
    int m_filas = 0;
    QList<QMetaObject::Connection> m_conexiones;
};
