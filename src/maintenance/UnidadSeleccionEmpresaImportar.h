#pragma once
// Import of another company's tables into a new company: the user picks the
// source company and the zones; each zone's table files are copied whole,
// replacing the new company's empty templates.
#include <QDialog>
#include <QList>
#include <QString>
#include <functional>

class QCheckBox;
class QPushButton;
class QTableView;
class ModeloRejilla;
namespace motor { class Dataset; class Query; }

class TFormSeleccionImportarEmpresa : public QDialog {
    Q_OBJECT
public:
    explicit TFormSeleccionImportarEmpresa(QWidget* parent = nullptr);
    ~TFormSeleccionImportarEmpresa() override;

    int Tag = 0;   // the new company's code

    QTableView* TablaListaEmpresas = nullptr;
    motor::Query* TE = nullptr;
    QCheckBox* OpComerciales = nullptr;
    QCheckBox* OpMaquinas = nullptr;
    QCheckBox* OpClientes = nullptr;
    QCheckBox* OpPlus = nullptr;
    QCheckBox* OpVentas = nullptr;
    QCheckBox* OpExtras = nullptr;
    QCheckBox* OpGasto = nullptr;
    QCheckBox* OpCobro = nullptr;
    QCheckBox* OpFacturas = nullptr;
    QPushButton* BImportar = nullptr;
    QPushButton* BitBtn2 = nullptr;

    struct Zona {
        QCheckBox* caja;
        QString mascara;
    };
    // The zones in the order they are copied.
    QList<Zona> zonas() const;

    void FormShow();
    void BImportarClick();

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void FormClose();
    ModeloRejilla* m_modelo = nullptr;
    bool m_mostrada = false;
    bool m_cerrada = false;
};

// Keeps a grid's current row and a dataset's current record together (either
// side may move); alCambiar runs after each move.
void enlazarRejilla(QTableView* rejilla, motor::Dataset* ds, QObject* contexto,
                    std::function<void()> alCambiar = {});
