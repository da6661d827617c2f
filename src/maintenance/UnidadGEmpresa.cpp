#include "maintenance/UnidadGEmpresa.h"

#include "core/EstadoAplicacion.h"
#include "core/Mensajes.h"
#include "data/Esquema.h"
#include "data/UnidadDatos.h"
#include "maintenance/CopiarFichero.h"
#include "maintenance/UnidadSeleccionEmpresaImportar.h"
#include "ui/ManejoErrores.h"
#include "ui/Permisos.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString TituloError = QStringLiteral("Error...");

DescripcionEdicion descripcionEmpresa()
{
    DescripcionEdicion d;
    d.titulo = QStringLiteral("Alta/Modificación empresa");
    d.tamano = QSize(570, 346);
    d.tabla = [] { return Datos() ? Datos()->TEmpresa : nullptr; };
    d.tablaEsquema = QStringLiteral("Empresa");
    d.tituloNuevo = QStringLiteral("Nueva Empresa...");
    d.tituloModificar = QStringLiteral("Modificar Empresa...");
    d.tituloZoom = QStringLiteral("Visualizar Empresa...");
    // The company checks are its own (code -33333, dates, rate).
    d.codigoVacio.clear();
    return d;
}

void cursorNormal()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

QLabel* etiqueta(const QString& texto, QWidget* padre, ControlDatos* c)
{
    auto* l = new QLabel(texto, padre);
    if (c)
        c->ponerEtiqueta(l);
    return l;
}

} // namespace

TFormEmpresaG::TFormEmpresaG(QWidget* parent) : TFormEdicion(descripcionEmpresa(), parent)
{
    setObjectName(QStringLiteral("FormEmpresaG"));
    // Fixed single border with the system menu: this one has a close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);

    Panel = new QFrame(this);
    Panel->setFrameShape(QFrame::StyledPanel);
    Panel->setFrameShadow(QFrame::Sunken);

    TxtCodigo = caja(QStringLiteral("Codigo"), QStringLiteral("TxtCodigo"));
    TxtNombre = caja(QStringLiteral("Nombre"), QStringLiteral("TxtNombre"));
    DBEdit7 = caja(QStringLiteral("CIF"), QStringLiteral("DBEdit7"));
    TxtFechaInicio = caja(QStringLiteral("FechaAlta"), QStringLiteral("TxtFechaInicio"));
    TxtFechaFin = caja(QStringLiteral("FechaBaja"), QStringLiteral("TxtFechaFin"));
    DBEdit8 = caja(QStringLiteral("Domicilio"), QStringLiteral("DBEdit8"));
    DBEdit9 = caja(QStringLiteral("Poblacion"), QStringLiteral("DBEdit9"));
    DBEdit11 = caja(QStringLiteral("CP"), QStringLiteral("DBEdit11"));
    DBEdit10 = caja(QStringLiteral("Provincia"), QStringLiteral("DBEdit10"));
    DBEdit12 = caja(QStringLiteral("Telefono"), QStringLiteral("DBEdit12"));
    DBEdit13 = caja(QStringLiteral("Fax"), QStringLiteral("DBEdit13"));
    DBEdit14 = caja(QStringLiteral("Email"), QStringLiteral("DBEdit14"));
    DBEdit4 = caja(QStringLiteral("Moneda"), QStringLiteral("DBEdit4"));
    TxtCambio = caja(QStringLiteral("Cambio"), QStringLiteral("TxtCambio"));
    TxtCambio->setToolTip(QStringLiteral("Cambio respecto a la Peseta"));
    TxtEstrechar = new TDBCheckBox(QStringLiteral("Ajustar tamaño"), Panel);
    TxtEstrechar->setObjectName(QStringLiteral("TxtEstrechar"));
    TxtEstrechar->setToolTip(QStringLiteral("Verifique esta casilla para ajustar el logotipo al espacio de la imagen"));
    DBEdit1 = caja(QStringLiteral("Inscripcion"), QStringLiteral("DBEdit1"));
    DBEdit16 = caja(QStringLiteral("Nota"), QStringLiteral("DBEdit16"));
    DBLogo = new TDBImage(Panel);
    DBLogo->setObjectName(QStringLiteral("DBLogo"));
    DBLogo->setFixedSize(150, 118);
    DBLogo->setAlignment(Qt::AlignCenter);
    DBLogo->setAutoFillBackground(true);
    DBLogo->setBackgroundRole(QPalette::Base);

    BRuta = new QToolButton(Panel);
    BRuta->setObjectName(QStringLiteral("BRuta"));
    BRuta->setText(QStringLiteral("Abrir imagen para logotipo"));
    BRuta->setAutoRaise(true);
    BRuta->setFocusPolicy(Qt::NoFocus);
    SpeedButton1 = new QToolButton(Panel);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("Eliminar logotipo"));
    SpeedButton1->setToolTip(QStringLiteral("Elimina el logotipo"));
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setFocusPolicy(Qt::NoFocus);

    OpImportar = new QCheckBox(QStringLiteral("&Importar datos de otra empresa"), this);
    OpImportar->setObjectName(QStringLiteral("OpImportar"));
    OpImportar->hide();
    BAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    BCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);

    if (motor::Table* t = tabla()) {
        TxtEstrechar->enlazar(t, QStringLiteral("AjustarTamano"));
        DBLogo->enlazar(t, QStringLiteral("Logotipo"));
    }

    // Boxes with their labels above, in rows that follow the tab order.
    auto* g = new QGridLayout;
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(1);
    auto poner = [&](int fila, int col, int ancho, const QString& texto, TDBEdit* e) {
        g->addWidget(etiqueta(texto, Panel, e), fila * 2, col, 1, ancho);
        g->addWidget(e, fila * 2 + 1, col, 1, ancho);
    };
    poner(0, 0, 1, QStringLiteral("&Código"), TxtCodigo);
    poner(0, 1, 2, QStringLiteral("&Nombre"), TxtNombre);
    poner(0, 3, 1, QStringLiteral("CI&F/NIF"), DBEdit7);
    poner(1, 0, 1, QStringLiteral("&Fecha Inicio"), TxtFechaInicio);
    poner(1, 1, 1, QStringLiteral("F&echa Fin"), TxtFechaFin);
    poner(1, 2, 2, QStringLiteral("D&omicilio"), DBEdit8);
    poner(2, 0, 2, QStringLiteral("&Población"), DBEdit9);
    poner(2, 2, 1, QStringLiteral("C.P."), DBEdit11);
    poner(2, 3, 1, QStringLiteral("Pro&vincia"), DBEdit10);
    poner(3, 0, 1, QStringLiteral("Teléfono"), DBEdit12);
    poner(3, 1, 1, QStringLiteral("Fax"), DBEdit13);
    poner(3, 2, 2, QStringLiteral("E-Mail"), DBEdit14);
    poner(4, 0, 1, QStringLiteral("&Moneda"), DBEdit4);
    poner(4, 1, 1, QStringLiteral("C&ambio"), TxtCambio);
    poner(5, 0, 4, QStringLiteral("Inscripción de registro (para facturas)"), DBEdit1);
    poner(6, 0, 4, QStringLiteral("Observación"), DBEdit16);
    for (int c = 0; c < 4; ++c)
        g->setColumnStretch(c, 1);

    auto* logo = new QVBoxLayout;
    logo->setSpacing(2);
    logo->addWidget(DBLogo, 0, Qt::AlignHCenter);
    logo->addWidget(TxtEstrechar);
    logo->addWidget(BRuta);
    logo->addWidget(SpeedButton1);
    logo->addStretch(1);

    auto* panel = new QHBoxLayout(Panel);
    panel->setContentsMargins(8, 6, 8, 8);
    panel->setSpacing(12);
    panel->addLayout(g, 1);
    panel->addLayout(logo, 0);

    auto* pie = new QHBoxLayout;
    pie->addWidget(OpImportar);
    pie->addStretch(1);
    pie->addWidget(BAceptar);
    pie->addWidget(BCancelar);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(6, 6, 6, 8);
    todo->setSpacing(8);
    todo->addWidget(Panel, 1);
    todo->addLayout(pie);

    // Tab order of the window: the panel's boxes, then the import box and the buttons.
    const QList<QWidget*> orden = {TxtCodigo, TxtNombre, DBEdit7,  TxtFechaInicio, TxtFechaFin, DBEdit8,
                                   DBEdit9,   DBEdit11,  DBEdit10, DBEdit12,       DBEdit13,    DBEdit14,
                                   DBEdit4,   TxtCambio, TxtEstrechar, DBEdit1,    DBEdit16,    OpImportar,
                                   BAceptar,  BCancelar};
    for (int i = 1; i < orden.size(); ++i)
        setTabOrder(orden[i - 1], orden[i]);

    elegirImagen = [this] {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Imagen para logotipo..."), QDir::homePath(),
                                            filtrosImagen().join(QStringLiteral(";;")));
    };
    abrirImportar = [](QWidget* padre, int codigo) {
        TFormSeleccionImportarEmpresa w(padre);
        w.Tag = codigo;
        w.exec();
    };

    focoNuevo = TxtCodigo;
    focoModificar = TxtNombre;
    terminarConstruccion();
    ponerComprobacion(TxtCodigo, [this] { return TxtCodigoEmpresaExit(); });
    ponerComprobacion(TxtFechaFin, [this] { return TxtFechaFinExit(); });
    ponerComprobacion(TxtCambio, [this] { return TxtCambioExit(); });

    connect(BRuta, &QToolButton::clicked, this, [this] { ejecutarProtegido([this] { BRutaClick(); }); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { ejecutarProtegido([this] { SpeedButton1Click(); }); });
    connect(TxtEstrechar, &QCheckBox::clicked, this, [this] { TxtEstrecharClick(); });
}

TDBEdit* TFormEmpresaG::caja(const QString& campo, const QString& nombre)
{
    const esquema::Campo* c = esquema::campo(QStringLiteral("Empresa"), campo);
    TDBEdit* e = nullptr;
    if (c)
        e = dynamic_cast<TDBEdit*>(crearControl(*c, Panel));
    if (!e)
        e = new TDBEdit(Panel);
    e->setObjectName(nombre);
    if (motor::Table* t = tabla())
        e->enlazar(t, campo);
    return e;
}

QStringList TFormEmpresaG::filtrosImagen()
{
    // The readers Qt has for pictures: JPEG (libjpeg), BMP, PNG and icons.
    return {QStringLiteral("Todos  (*.jpg *.jpeg *.bmp *.png *.ico)"), QStringLiteral("Bitmaps (*.bmp)"),
            QStringLiteral("Iconos (*.ico)"), QStringLiteral("Imágenes PNG (*.png)"),
            QStringLiteral("Imágenes  JPEG (*.jpg *.jpeg)")};
}

void TFormEmpresaG::showEvent(QShowEvent* e)
{
    if (!m_contado) {
        m_contado = true;
        // Whether another company exists decides the import box; counted
        // before the new row is inserted.
        if (Estado().Modo == modo::Nuevo) {
            if (motor::Table* t = tabla()) {
                ejecutarProtegido([&] {
                    if (!t->isOpen())
                        t->open();
                    m_hayEmpresas = t->recordCount() > 0;
                });
            }
        }
    }
    TFormEdicion::showEvent(e);
    // Long texts are shown from their beginning, not scrolled to the cursor.
    for (TDBEdit* caja : Panel->findChildren<TDBEdit*>())
        if (!caja->hasFocus())
            caja->setCursorPosition(0);
}

void TFormEmpresaG::alMostrarNuevo()
{
    OpImportar->setVisible(m_hayEmpresas);
    TxtCodigo->setEnabled(true);
    tabla()->fieldByName(QStringLiteral("AjustarTamano"))->setValue(false);
    DBLogo->ponerAjustar(false);
}

void TFormEmpresaG::alMostrarModificar()
{
    DBLogo->ponerAjustar(tabla()->fieldByName(QStringLiteral("AjustarTamano"))->asBoolean());
}

QWidget* TFormEmpresaG::focoAlFallar() const
{
    return TxtCodigo->isEnabled() ? static_cast<QWidget*>(TxtCodigo) : static_cast<QWidget*>(TxtNombre);
}

// ---------------------------------------------------------------- checks

bool TFormEmpresaG::TxtCodigoEmpresaExit()
{
    TxtCodigo->confirmar();
    motor::Field* f = tabla() ? tabla()->findField(QStringLiteral("Codigo")) : nullptr;
    const bool reservado = TxtCodigo->text().trimmed() == QLatin1String("-33333")
        || (f && !f->isNull() && f->asInteger() == app::SinEmpresa);
    if (reservado) {
        msError(QStringLiteral("El código para la empresa no es correcto."), QStringLiteral("Código incorrecto..."));
        return false;
    }
    return true;
}

bool TFormEmpresaG::TxtFechaFinExit()
{
    TxtFechaInicio->confirmar();
    TxtFechaFin->confirmar();
    motor::Table* t = tabla();
    if (!t || !t->isOpen())
        return true;
    const QDate inicio = t->fieldByName(QStringLiteral("FechaAlta"))->asDate();
    const QDate fin = t->fieldByName(QStringLiteral("FechaBaja"))->asDate();
    // An empty end date counts as the earliest date.
    if (inicio.isValid() && (!fin.isValid() || fin < inicio)) {
        msError(QStringLiteral("La fecha de Fin de ejercicio no puede ser menor que la fecha de Inicio."), TituloError);
        return false;
    }
    return true;
}

bool TFormEmpresaG::TxtCambioExit()
{
    TxtCambio->confirmar();
    motor::Table* t = tabla();
    if (!t || !t->isOpen())
        return true;
    motor::Field* f = t->fieldByName(QStringLiteral("Cambio"));
    if (f->isNull() || f->asFloat() <= 0) {
        msError(QStringLiteral("El cambio no puede ser menor ni igual a cero."), TituloError);
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- logo

void TFormEmpresaG::BRutaClick()
{
    const QString fichero = elegirImagen ? elegirImagen() : QString();
    if (fichero.isEmpty())
        return;
    QImageReader lector(fichero);
    lector.setDecideFormatFromContent(true);
    const QImage imagen = lector.read();
    // The picture goes straight into the field: the user's clipboard is left alone.
    if (imagen.isNull() || !editable() || !DBLogo->ponerImagen(imagen)) {
        msInfo(QStringLiteral("No se ha podido abrir la imagen."),
               Estado().NombreAplicacion.isEmpty() ? app::Titulo : Estado().NombreAplicacion);
        return;
    }
    DBLogo->ponerAjustar(TxtEstrechar->isChecked());
}

void TFormEmpresaG::SpeedButton1Click()
{
    if (editable())
        DBLogo->ponerImagen(QImage());
}

void TFormEmpresaG::TxtEstrecharClick()
{
    DBLogo->ponerAjustar(TxtEstrechar->isChecked());
}

// ---------------------------------------------------------------- Aceptar

bool TFormEmpresaG::crearFicherosEmpresa(int codigo)
{
    const QString carpeta = carpetaEmpresa(codigo);
    const QString plantillas = rutaSinMayusculas(carpetaBase(), esquema::CarpetaPlantillas);
    QDir().mkpath(carpeta);

    // A folder that already holds tables keeps them: only the missing
    // templates are copied.
    bool hayTablas = false;
    const QStringList presentes = ficherosQueCoinciden(carpeta, QStringLiteral("*"));
    for (const QString& p : ficherosQueCoinciden(plantillas, QStringLiteral("*.*")))
        if (!esFicheroDeBloqueo(p) && presentes.contains(p, Qt::CaseInsensitive))
            hayTablas = true;

    const bool conProgreso = Estado().MostrarProgreso;
    if (conProgreso)
        progreso::mostrar(QStringLiteral("Importando datos empresa, espere por favor..."));
    if (hayTablas)
        msAtencion(QStringLiteral("La carpeta de la empresa ya contiene ficheros de datos; se conservan y "
                                  "no se copian las tablas vacías."),
                   QStringLiteral("Carpeta existente..."));
    const bool completa =
        CopiarFichero(plantillas, carpeta, QStringLiteral("*.*"), QStringLiteral("Copiando fichero "), hayTablas);
    for (const QString& f : ficherosQueCoinciden(carpeta, QStringLiteral("*.LCK")))
        if (esFicheroDeBloqueo(f))
            QFile::remove(QDir(carpeta).filePath(f));
    return completa;
}

void TFormEmpresaG::accept()
{
    motor::Table* t = tabla();
    const int codigo = t->fieldByName(QStringLiteral("Codigo"))->asInteger();
    ejecutarProtegido([&] {
        if (modo() == modo::Nuevo) {
            // The cancel of a copy marks this row: make sure the table stands on it.
            t->locate(QStringLiteral("Codigo"), codigo);
            crearFicherosEmpresa(codigo);
            if (OpImportar->isVisible() && OpImportar->isChecked() && abrirImportar)
                abrirImportar(this, codigo);
        } else if (modo() == modo::Modificar && Estado().CodigoEmpresa == codigo) {
            AbrirEmpresa(codigo);
        }
    });
    progreso::cerrar();
    cursorNormal();
    TFormEdicion::accept();
}
