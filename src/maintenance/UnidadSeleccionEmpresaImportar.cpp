#include "maintenance/UnidadSeleccionEmpresaImportar.h"

#include "core/EstadoAplicacion.h"
#include "core/Mensajes.h"
#include "data/UnidadDatos.h"
#include "engine/Motor.h"
#include "maintenance/CopiarFichero.h"
#include "ui/ManejoErrores.h"
#include "ui/ModeloRejilla.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

void enlazarRejilla(QTableView* v, motor::Dataset* ds, QObject* contexto, std::function<void()> alCambiar)
{
    QObject::connect(v->selectionModel(), &QItemSelectionModel::currentRowChanged, contexto,
                     [ds](const QModelIndex& actual, const QModelIndex&) {
                         if (actual.isValid() && ds->isOpen() && ds->recNo() != actual.row())
                             ds->setRecNo(actual.row());
                     });
    auto seguir = [v, ds, alCambiar]() {
        if (ds->isOpen() && ds->recNo() >= 0) {
            const QModelIndex i = v->model()->index(ds->recNo(), 0);
            if (v->selectionModel()->currentIndex().row() != i.row())
                v->selectionModel()->setCurrentIndex(
                    i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
        if (alCambiar)
            alCambiar();
    };
    QObject::connect(ds, &motor::Dataset::currentChanged, contexto, seguir);
    QObject::connect(ds, &motor::Dataset::dataReset, contexto, seguir);
}

namespace {
const QString TituloInformacion = QStringLiteral("Información...");
}

TFormSeleccionImportarEmpresa::TFormSeleccionImportarEmpresa(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormSeleccionImportarEmpresa"));
    setWindowTitle(QStringLiteral("Importar datos de otra empresa..."));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setModal(true);
    setFixedSize(502, 272);

    TE = new motor::Query(this);
    m_modelo = new ModeloRejilla(this);
    m_modelo->ponerColumnas({{QStringLiteral("codigo"), QStringLiteral("Código"), 50},
                             {QStringLiteral("Nombre"), QStringLiteral("Nombre"), 200},
                             {QStringLiteral("fechaalta"), QStringLiteral("Inicio"), 64},
                             {QStringLiteral("fechabaja"), QStringLiteral("Fin"), 64}});
    m_modelo->ponerDataset(TE, QStringLiteral("TCEmpresa"));

    TablaListaEmpresas = new QTableView(this);
    TablaListaEmpresas->setObjectName(QStringLiteral("TablaListaEmpresas"));
    TablaListaEmpresas->setModel(m_modelo);
    TablaListaEmpresas->setSelectionBehavior(QAbstractItemView::SelectRows);
    TablaListaEmpresas->setSelectionMode(QAbstractItemView::SingleSelection);
    TablaListaEmpresas->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TablaListaEmpresas->setTabKeyNavigation(false);
    TablaListaEmpresas->verticalHeader()->setDefaultSectionSize(TablaListaEmpresas->fontMetrics().height() + 4);
    TablaListaEmpresas->verticalHeader()->setFixedWidth(14);
    TablaListaEmpresas->horizontalHeader()->setStretchLastSection(true);
    TablaListaEmpresas->horizontalHeader()->setHighlightSections(false);
    for (int i = 0; i < m_modelo->columnCount(); ++i)
        TablaListaEmpresas->setColumnWidth(i, m_modelo->columna(i).ancho);
    TablaListaEmpresas->installEventFilter(this);
    connect(TablaListaEmpresas, &QTableView::doubleClicked, this, [this] { OpComerciales->setFocus(); });
    enlazarRejilla(TablaListaEmpresas, TE, this);

    auto* etiqueta = new QLabel(QStringLiteral("S&eleccione la empresa desde la que importar:"), this);
    etiqueta->setBuddy(TablaListaEmpresas);

    auto* grupo = new QGroupBox(QStringLiteral("Zonas a importar  "), this);
    auto* rejillaZonas = new QGridLayout(grupo);
    rejillaZonas->setVerticalSpacing(4);
    OpComerciales = new QCheckBox(QStringLiteral("C&omerciales"), grupo);
    OpMaquinas = new QCheckBox(QStringLiteral("Aparatos"), grupo);
    OpClientes = new QCheckBox(QStringLiteral("Clientes"), grupo);
    OpPlus = new QCheckBox(QStringLiteral("Plus"), grupo);
    OpVentas = new QCheckBox(QStringLiteral("Ventas"), grupo);
    OpExtras = new QCheckBox(QStringLiteral("Extras"), grupo);
    OpGasto = new QCheckBox(QStringLiteral("Gastos"), grupo);
    OpCobro = new QCheckBox(QStringLiteral("Cobros"), grupo);
    OpFacturas = new QCheckBox(QStringLiteral("Facturas"), grupo);
    const QList<QCheckBox*> enOrden = {OpComerciales, OpMaquinas, OpClientes, OpPlus, OpVentas,
                                       OpExtras,      OpGasto,    OpCobro,    OpFacturas};
    for (int i = 0; i < enOrden.size(); ++i)
        rejillaZonas->addWidget(enOrden[i], i / 3, i % 3);

    BImportar = new QPushButton(QStringLiteral("&Aceptar"), this);
    BImportar->setToolTip(QStringLiteral("Importa los datos seleccionados de la empresa seleccionada"));
    BitBtn2 = new QPushButton(QStringLiteral("&Cancelar"), this);
    BitBtn2->setToolTip(QStringLiteral("Cancela la modificación"));
    BImportar->setAutoDefault(false);
    BitBtn2->setAutoDefault(false);
    connect(BImportar, &QPushButton::clicked, this, [this] { ejecutarProtegido([this] { BImportarClick(); }); });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    botones->addWidget(BImportar);
    botones->addWidget(BitBtn2);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(8, 8, 8, 8);
    todo->setSpacing(4);
    todo->addWidget(etiqueta);
    todo->addWidget(TablaListaEmpresas, 1);
    todo->addSpacing(4);
    todo->addWidget(grupo);
    todo->addSpacing(4);
    todo->addLayout(botones);

    setTabOrder(TablaListaEmpresas, OpComerciales);
    QWidget* previo = OpComerciales;
    for (int i = 1; i < enOrden.size(); ++i) {
        setTabOrder(previo, enOrden[i]);
        previo = enOrden[i];
    }
    setTabOrder(previo, BImportar);
    setTabOrder(BImportar, BitBtn2);
}

TFormSeleccionImportarEmpresa::~TFormSeleccionImportarEmpresa() = default;

QList<TFormSeleccionImportarEmpresa::Zona> TFormSeleccionImportarEmpresa::zonas() const
{
    return {{OpComerciales, QStringLiteral("comercial.*")}, {OpClientes, QStringLiteral("Cliente.*")},
            {OpMaquinas, QStringLiteral("aparato.*")},      {OpVentas, QStringLiteral("Venta.*")},
            {OpGasto, QStringLiteral("Gasto.*")},           {OpCobro, QStringLiteral("cobro.*")},
            {OpExtras, QStringLiteral("extra.*")},          {OpFacturas, QStringLiteral("factura.*")},
            {OpPlus, QStringLiteral("plus.*")}};
}

void TFormSeleccionImportarEmpresa::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!m_mostrada) {
        m_mostrada = true;
        ejecutarProtegido([this] { FormShow(); });
    }
}

void TFormSeleccionImportarEmpresa::FormShow()
{
    TE->close();
    TE->setFolder(carpetaBase());
    TE->setSql({QStringLiteral("select *"), QStringLiteral("from empresa"), QStringLiteral("where Codigo <> :codigo")});
    TE->setParam(QStringLiteral("codigo"), Tag);
    TE->open();
    TablaListaEmpresas->setFocus();
}

bool TFormSeleccionImportarEmpresa::eventFilter(QObject* o, QEvent* e)
{
    if (o == TablaListaEmpresas && e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            OpComerciales->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

void TFormSeleccionImportarEmpresa::BImportarClick()
{
    // Destination: the new company, on which the companies table stands.
    int destinoCodigo = Tag;
    if (TDatos* d = Datos(); d && d->TEmpresa->isOpen() && !d->TEmpresa->isEmpty())
        destinoCodigo = d->TEmpresa->fieldByName(QStringLiteral("Codigo"))->asInteger();
    const QString destino = carpetaEmpresa(destinoCodigo);

    QString origen;
    QString nombre;
    if (TE->isOpen() && !TE->isEmpty()) {
        origen = carpetaEmpresa(TE->fieldByName(QStringLiteral("Codigo"))->asInteger());
        nombre = TE->fieldByName(QStringLiteral("Nombre"))->asString();
    }
    if (origen.isEmpty() || !QFileInfo(origen).isDir())
        msInfo(QStringLiteral("No se han encontrado datos para importar."), TituloInformacion);

    QDir().mkpath(destino);

    bool alguna = false;
    for (const Zona& z : zonas())
        alguna = alguna || z.caja->isChecked();
    if (!alguna) {
        msInfo(QStringLiteral("Debe seleccionar alguna zona a importar."), TituloInformacion);
        OpComerciales->setFocus();
        return;
    }

    const bool conProgreso = Estado().MostrarProgreso;
    if (conProgreso)
        progreso::mostrar(QStringLiteral("Importando datos empresa, espere por favor..."));
    if (!origen.isEmpty()) {
        const QString prefijo =
            QStringLiteral("Importando datos de empresa [") + nombre + QStringLiteral("], copiando fichero ");
        for (const Zona& z : zonas()) {
            if (z.caja->isChecked() && !CopiarFichero(origen, destino, z.mascara, prefijo))
                break; // cancelled: the tables copied so far stay
        }
    }
    if (conProgreso)
        progreso::cerrar(true);
    accept();
}

void TFormSeleccionImportarEmpresa::done(int r)
{
    if (!m_cerrada) {
        m_cerrada = true;
        FormClose();
    }
    QDialog::done(r);
}

void TFormSeleccionImportarEmpresa::FormClose()
{
    TE->close();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}
