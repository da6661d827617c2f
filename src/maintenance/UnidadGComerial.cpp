#include "maintenance/UnidadGComerial.h"

#include "data/UnidadDatos.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>

DescripcionEdicion TFormComercialG::descripcionComercial()
{
    DescripcionEdicion d;
    d.titulo = QStringLiteral("Alta/Modificación comercial");
    d.tamano = QSize(392, 328);
    d.tabla = [] { return Datos() ? Datos()->TComercial : nullptr; };
    d.tablaEsquema = QStringLiteral("Comercial");
    d.tituloNuevo = QStringLiteral("Nuevo Comercial...");
    d.tituloModificar = QStringLiteral("Modificar Comercial...");
    d.tituloZoom = QStringLiteral("Visualizar Comercial...");
    d.codigoDuplicado = QStringLiteral("Ya existe un Comercial con este código.");
    d.nombreVacio = QStringLiteral("El nombre debe contener un valor.");
    d.nombreDuplicado = QStringLiteral("Ya existe un Comercial con este nombre.");
    d.nifVacio = QStringLiteral("El NIF debe contener un valor.");
    d.nifDuplicado = QStringLiteral("Ya existe un Comercial con este NIF.");
    d.tagSeleccion = 10;
    return d;
}

TFormComercialG::TFormComercialG(QWidget* parent) : TFormEdicion(descripcionComercial(), parent)
{
    setObjectName(QStringLiteral("FormComercialG"));
    motor::Table* t = tabla();

    const int xl = 10, xc = 92, h = 21;
    auto etiqueta = [this](const QString& texto, int x, int y) {
        auto* l = new QLabel(texto, this);
        l->setGeometry(x, y + 3, 80, 16);
        return l;
    };
    auto caja = [&, this](const QString& nombre, const QString& campo, bool mayus, int x, int y, int w) {
        auto* e = static_cast<TDBEdit*>(crearControl(*esquema::campo(QStringLiteral("Comercial"), campo), this));
        e->setObjectName(nombre);
        e->ponerMayusculas(mayus);
        e->setGeometry(x, y, w, h);
        e->enlazar(t, campo);
        return e;
    };

    // Tab order is creation order: Codigo, NIF, Nombre, Tipo, Direccion,
    // Poblacion, Provincia, CP, Telefono, IVA, Observacion, Aceptar, Cancelar.
    QLabel* lCodigo = etiqueta(QStringLiteral("&Códig&o:"), xl, 12);
    TxtCodigo = caja(QStringLiteral("TxtCodigo"), QStringLiteral("Codigo"), true, xc, 12, 56);
    TxtCodigo->ponerEtiqueta(lCodigo);

    QLabel* lNif = etiqueta(QStringLiteral("&N.I.F.:"), 206, 12);
    lNif->setFixedWidth(50);
    TxtNIF = caja(QStringLiteral("TxtNIF"), QStringLiteral("NIF"), true, 256, 12, 126);
    TxtNIF->ponerEtiqueta(lNif);

    QLabel* lNombre = etiqueta(QStringLiteral("No&mbre:"), xl, 40);
    TxtNombre = caja(QStringLiteral("TxtNombre"), QStringLiteral("Nombre"), false, xc, 40, 290);
    TxtNombre->ponerEtiqueta(lNombre);

    QLabel* lTipo = etiqueta(QStringLiteral("&Tipo:"), xl, 68);
    TxtTipo = new TDBComboBox(this);
    TxtTipo->setObjectName(QStringLiteral("TxtTipo"));
    TxtTipo->setGeometry(xc, 68, 130, h + 1);
    TxtTipo->ponerElementos({QStringLiteral("Comercial"), QStringLiteral("Jefe"), QStringLiteral("Técnico")});
    TxtTipo->enlazar(t, QStringLiteral("Tipo"));
    TxtTipo->ponerEtiqueta(lTipo);

    QLabel* lDir = etiqueta(QStringLiteral("&Dirección:"), xl, 96);
    DBEdit4 = caja(QStringLiteral("DBEdit4"), QStringLiteral("Direccion"), false, xc, 96, 290);
    DBEdit4->ponerEtiqueta(lDir);

    QLabel* lPob = etiqueta(QStringLiteral("Po&blación:"), xl, 124);
    DBEdit5 = caja(QStringLiteral("DBEdit5"), QStringLiteral("Poblacion"), false, xc, 124, 290);
    DBEdit5->ponerEtiqueta(lPob);

    QLabel* lProv = etiqueta(QStringLiteral("Pro&vincia:"), xl, 152);
    DBEdit6 = caja(QStringLiteral("DBEdit6"), QStringLiteral("Provincia"), false, xc, 152, 150);
    DBEdit6->ponerEtiqueta(lProv);

    QLabel* lCp = etiqueta(QStringLiteral("Cod. &Postal:"), 250, 152);
    lCp->setFixedWidth(72);
    TxtCP = caja(QStringLiteral("TxtCP"), QStringLiteral("CP"), false, 326, 152, 56);
    TxtCP->ponerEtiqueta(lCp);

    QLabel* lTel = etiqueta(QStringLiteral("T&eléfono:"), xl, 180);
    TxtTelefono = caja(QStringLiteral("TxtTelefono"), QStringLiteral("Telefono"), false, xc, 180, 110);
    TxtTelefono->ponerEtiqueta(lTel);

    OpIVA = new TDBCheckBox(QStringLiteral("I.V.A. &Facturas"), this);
    OpIVA->setObjectName(QStringLiteral("OpIVA"));
    OpIVA->setGeometry(256, 180, 126, h);
    OpIVA->enlazar(t, QStringLiteral("IVA"));

    QLabel* lObs = etiqueta(QStringLiteral("Ob&servación:"), xl, 208);
    DBMemo1 = new TDBMemo(this);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->setGeometry(xc, 208, 290, 70);
    DBMemo1->enlazar(t, QStringLiteral("Observacion"));
    DBMemo1->ponerEtiqueta(lObs);

    BAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    BAceptar->setObjectName(QStringLiteral("BAceptar"));
    BAceptar->setToolTip(QStringLiteral("Valida las modiciaciones"));
    BAceptar->setGeometry(214, 292, 80, 25);

    BCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    BCancelar->setObjectName(QStringLiteral("BCancelar"));
    BCancelar->setToolTip(QStringLiteral("Cancela la modificación"));
    BCancelar->setGeometry(302, 292, 80, 25);

    auto* sel = new QToolButton(this);
    sel->setObjectName(QStringLiteral("BSeleccionar"));
    sel->setText(QStringLiteral("..."));
    sel->setAutoRaise(true);
    sel->setToolTip(QStringLiteral("Muestra la lista para seleccionar"));
    sel->setGeometry(xc + 58, 12, 22, h);
    BSeleccionar = sel;

    focoFallo = TxtNIF;
    terminarConstruccion();
}

void TFormComercialG::alMostrarNuevo()
{
    tabla()->fieldByName(QStringLiteral("IVA"))->setValue(true);
}

void TFormComercialG::alMostrarZoom()
{
    TxtTipo->setEnabled(false);
}
