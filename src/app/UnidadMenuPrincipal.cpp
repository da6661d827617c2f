#include "app/UnidadMenuPrincipal.h"

#include "app/Ayuda.h"
#include "app/CErrores.h"
#include "core/EstadoAplicacion.h"
#include "core/Ini.h"
#include "core/Mensajes.h"
#include "data/UnidadDatos.h"
#include "platform/Plataforma.h"
#include "ui/Permisos.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace {

// ---------------------------------------------------------------------------
// Registry

QMap<QString, FabricaVentana>& registro()
{
    static QMap<QString, FabricaVentana> r;
    return r;
}

QPointer<TFormMenuPrincipal> g_principal;

enum class Apertura { Hija, Modal, Nueva, Acerca, Propia };

struct DefAccion {
    const char* nombre;
    const char* caption;
    const char* hint;
    const char* ventana; // component name of the window it opens
    Apertura apertura;
    const char* letras;  // button picture
    QRgb color;
};

// The commands table.
const DefAccion kAcciones[] = {
    {"ActEmpresas", "Empresas", "Empresas", "formempresas", Apertura::Modal, "Em", 0x8B4513},
    {"ActConfiguracion", "Configuración", "Configuración", "formconfiguracion", Apertura::Modal, "Cf", 0x505050},
    {"ActUsuarios", "Usuarios", "Gestión de usuarios", "formusuarios", Apertura::Hija, "U", 0x2F4F4F},
    {"ActSalir", "Salir", "Cierra esta aplicación", "", Apertura::Propia, "", 0},
    {"ActComerciales", "Comerciales", "Comerciales (altas, bajas, modificaciones, búsquedas, ...)", "formcomercial",
     Apertura::Hija, "C", 0x1E5AA8},
    {"ActAparatos", "Aparatos", "Aparatos (altas, bajas, modificaciones, búsquedas, ...)", "formaparato",
     Apertura::Hija, "A", 0x2E7D32},
    {"ActCliente", "Cliente", "Cliente (altas, bajas, modificaciones, búsquedas, ...)", "formcliente",
     Apertura::Hija, "Cl", 0x00838F},
    {"ActCobro", "Cobros de clientes", "Cobros (altas, bajas, modificaciones, búsquedas, ...)", "formCobro",
     Apertura::Hija, "Co", 0xAD1457},
    {"ActFechaTrabajo", "Fecha de trabajo", "Fecha de trabajo", "formfechatrabajo", Apertura::Nueva, "Ft", 0x6A1B9A},
    {"ActInformacion", "Información", "Información del equipo", "formacercade", Apertura::Acerca, "i", 0x1565C0},
    {"ActAcercaDe", "Acerca de...", "Información de la aplicación", "formacercade", Apertura::Acerca, "?", 0x1565C0},
    {"ActPlus", "Plus", "Tipos de plus", "formplus", Apertura::Hija, "P", 0xEF6C00},
    {"ActVenta", "Ventas", "Ventas de aparatos a clientes por comerciales", "formventa", Apertura::Hija, "V",
     0xC62828},
    {"ActGastosComerciales", "Gastos comerciales", "Gastos de comerciales", "formcomercialgasto", Apertura::Hija,
     "G", 0x4527A0},
    {"ActExtras", "Extras", "Extras de comerciales", "formextra", Apertura::Hija, "Ex", 0x558B2F},
    {"ActCopiaSeguridad", "Copia de seguridad", "Copia de seguridad", "formcopiaseguridad", Apertura::Modal, "Cs",
     0x37474F},
    {"ActFacturas", "Facturas de comerciales", "Facturas realizadas a comerciales", "formfactura", Apertura::Hija,
     "F", 0x283593},
    {"ActCalendario", "Calendario", "Muestra un calendario", "formcalendario", Apertura::Nueva, "31", 0xB71C1C},
    {"ActReorganizar", "Reorganizar ficheros", "Actualiza los índices y los datos de los ficheros",
     "formReorganizar", Apertura::Modal, "R", 0x455A64},
    {"ActCalculadora", "Calculadora", "Muestra la calculadora de Windows", "", Apertura::Propia, "+-", 0x424242},
    {"ActBlocNotas", "Bloc de notas", "Muestra el bloc de notas de Windows", "", Apertura::Propia, "Bn", 0x424242},
};

const DefAccion* defAccion(const QString& nombre)
{
    for (const DefAccion& d : kAcciones)
        if (nombre == QLatin1String(d.nombre))
            return &d;
    return nullptr;
}

QIcon iconoLetras(const QString& letras, QColor color)
{
    QPixmap p(32, 32);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(color);
    g.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    QFont f = g.font();
    f.setBold(true);
    f.setPixelSize(letras.size() > 1 ? 14 : 19);
    g.setFont(f);
    g.setPen(Qt::white);
    g.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, letras);
    return QIcon(p);
}

QIcon iconoAccion(const DefAccion& d, QStyle* estilo)
{
    const QString n = QString::fromLatin1(d.nombre);
    if (n == QLatin1String("ActSalir"))
        return estilo->standardIcon(QStyle::SP_DialogCloseButton);
    if (n == QLatin1String("ActEmpresas"))
        return estilo->standardIcon(QStyle::SP_DirHomeIcon);
    if (n == QLatin1String("ActCopiaSeguridad"))
        return estilo->standardIcon(QStyle::SP_DialogSaveButton);
    return iconoLetras(QString::fromUtf8(d.letras), QColor::fromRgb(d.color));
}

// RAII: busy cursor and frozen drawing, undone also when creation throws.
class CursorOcupado {
public:
    CursorOcupado() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorOcupado() { QApplication::restoreOverrideCursor(); }
};

class DibujoCongelado {
public:
    explicit DibujoCongelado(QWidget* w) : m_w(w) { m_w->setUpdatesEnabled(false); }
    ~DibujoCongelado()
    {
        if (m_w)
            m_w->setUpdatesEnabled(true);
    }
private:
    QPointer<QWidget> m_w;
};

// Ends a local loop when the watched window is hidden or destroyed.
class FinModal : public QObject {
public:
    FinModal(QWidget* w, QEventLoop* bucle) : m_bucle(bucle) { w->installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Hide)
            m_bucle->quit();
        return QObject::eventFilter(o, e);
    }
private:
    QEventLoop* m_bucle;
};

void ejecutarModal(QWidget* w)
{
    if (auto* d = qobject_cast<QDialog*>(w)) {
        d->exec();
        return;
    }
    QPointer<QWidget> p(w);
    QEventLoop bucle;
    FinModal fin(w, &bucle);
    QObject::connect(w, &QObject::destroyed, &bucle, &QEventLoop::quit);
    w->setWindowModality(Qt::ApplicationModal);
    w->show();
    bucle.exec();
    if (p)
        p->removeEventFilter(&fin);
}

QWidget* buscarVentanaSuelta(const QString& nombre)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName().compare(nombre, Qt::CaseInsensitive) == 0)
            return w;
    return nullptr;
}

// A separator of the button bar: 8 pixels wide.
class SeparadorBB : public QWidget {
public:
    explicit SeparadorBB(QWidget* parent) : QWidget(parent) { setFixedWidth(8); }
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const int x = width() / 2;
        p.setPen(palette().color(QPalette::Dark));
        p.drawLine(x - 1, 3, x - 1, height() - 4);
        p.setPen(palette().color(QPalette::Light));
        p.drawLine(x, 3, x, height() - 4);
    }
};

const QString kCierreTitulo = QStringLiteral("Cierre todas las ventanas...");
const QString kSinPermiso = QStringLiteral("No tiene permiso para ejecutar esta opción.");
const QString kSinPermisoTitulo = QStringLiteral("Permiso restringido...");

} // namespace

void registrarVentana(const QString& accion, FabricaVentana crear)
{
    registro().insert(accion, std::move(crear));
    if (g_principal)
        g_principal->actualizarAcciones();
}

FabricaVentana fabricaVentana(const QString& accion)
{
    FabricaVentana f = registro().value(accion);
    // One about window serves both of its commands.
    if (!f && accion == QLatin1String("ActInformacion"))
        f = registro().value(QStringLiteral("ActAcercaDe"));
    if (!f && accion == QLatin1String("ActAcercaDe"))
        f = registro().value(QStringLiteral("ActInformacion"));
    return f;
}

void borrarRegistroVentanas()
{
    registro().clear();
    if (g_principal)
        g_principal->actualizarAcciones();
}

// ---------------------------------------------------------------------------

TFormMenuPrincipal::TFormMenuPrincipal(QWidget* parent) : QMainWindow(parent)
{
    g_principal = this;
    ponerVentanaPrincipal(this);
    setObjectName(QStringLiteral("FormMenuPrincipal"));
    setWindowTitle(tituloInicial());
    if (QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(iconoLetras(QStringLiteral("P"), QColor(0x1E, 0x5A, 0xA8)));
    setWindowIcon(QApplication::windowIcon());
    // FormCreate: the error log writes next to the program.
    TExceptionLog::crear(plataforma::rutaConExtension(QStringLiteral(".LOG")));

    lanzarCalculadora = &plataforma::abrirCalculadora;
    lanzarEditorTexto = &plataforma::abrirEditorTexto;

    Mdi = new QMdiArea(this);
    Mdi->setObjectName(QStringLiteral("Mdi"));
    Mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(Mdi);

    crearAcciones();
    crearMenus();
    crearBarras();
    actualizarAcciones();
}

TFormMenuPrincipal::~TFormMenuPrincipal()
{
    if (ventanaPrincipal() == this)
        ponerVentanaPrincipal(nullptr);
}

TFormMenuPrincipal* TFormMenuPrincipal::instancia()
{
    return g_principal.data();
}

void TFormMenuPrincipal::crearAcciones()
{
    for (const DefAccion& d : kAcciones) {
        auto* a = new QAction(iconoAccion(d, style()), QString::fromUtf8(d.caption), this);
        a->setObjectName(QString::fromLatin1(d.nombre));
        a->setStatusTip(QString::fromUtf8(d.hint));
        a->setToolTip(QString::fromUtf8(d.hint));
        const QString nombre = a->objectName();
        connect(a, &QAction::triggered, this, [this, nombre] { ejecutarAccion(nombre); });
        m_acciones << a;
    }
    ActEmpresas = accion(QStringLiteral("ActEmpresas"));
    ActConfiguracion = accion(QStringLiteral("ActConfiguracion"));
    ActUsuarios = accion(QStringLiteral("ActUsuarios"));
    ActSalir = accion(QStringLiteral("ActSalir"));
    ActComerciales = accion(QStringLiteral("ActComerciales"));
    ActAparatos = accion(QStringLiteral("ActAparatos"));
    ActCliente = accion(QStringLiteral("ActCliente"));
    ActCobro = accion(QStringLiteral("ActCobro"));
    ActFechaTrabajo = accion(QStringLiteral("ActFechaTrabajo"));
    ActInformacion = accion(QStringLiteral("ActInformacion"));
    ActAcercaDe = accion(QStringLiteral("ActAcercaDe"));
    ActPlus = accion(QStringLiteral("ActPlus"));
    ActVenta = accion(QStringLiteral("ActVenta"));
    ActGastosComerciales = accion(QStringLiteral("ActGastosComerciales"));
    ActExtras = accion(QStringLiteral("ActExtras"));
    ActCopiaSeguridad = accion(QStringLiteral("ActCopiaSeguridad"));
    ActFacturas = accion(QStringLiteral("ActFacturas"));
    ActCalendario = accion(QStringLiteral("ActCalendario"));
    ActReorganizar = accion(QStringLiteral("ActReorganizar"));
    ActCalculadora = accion(QStringLiteral("ActCalculadora"));
    ActBlocNotas = accion(QStringLiteral("ActBlocNotas"));
}

QAction* TFormMenuPrincipal::accion(const QString& nombre) const
{
    for (QAction* a : m_acciones)
        if (a->objectName() == nombre)
            return a;
    return nullptr;
}

void TFormMenuPrincipal::crearMenus()
{
    QMenuBar* mnu = menuBar();
    mnu->setObjectName(QStringLiteral("Mnu"));

    MnuGlobal = mnu->addMenu(QStringLiteral("  Global  "));
    MnuGlobal->addAction(ActFechaTrabajo);
    MnuGlobal->addSeparator();
    MnuGlobal->addAction(ActEmpresas);
    MnuGlobal->addSeparator();
    MnuGlobal->addAction(ActInformacion);
    MnuGlobal->addSeparator();
    MnuGlobal->addAction(ActSalir);

    MnuDatos = mnu->addMenu(QStringLiteral("  Datos  "));
    MnuDatos->addActions({ActComerciales, ActGastosComerciales, ActExtras, ActFacturas});
    MnuDatos->addSeparator();
    MnuDatos->addActions({ActAparatos, ActCliente, ActPlus});
    MnuDatos->addSeparator();
    MnuDatos->addActions({ActCobro, ActVenta});

    MnuInformes = mnu->addMenu(QStringLiteral("  Informes  "));
    MnuComisiones = MnuInformes->addAction(QStringLiteral("Comisiones por comercial"));
    MnuComisiones->setObjectName(QStringLiteral("MnuComisiones"));

    MnuHerramientas = mnu->addMenu(QStringLiteral("  Herramientas  "));
    MnuHerramientas->addActions({ActConfiguracion, ActUsuarios, ActCopiaSeguridad});
    MnuHerramientas->addSeparator();
    MnuHerramientas->addAction(ActReorganizar);
    MnuHerramientas->addSeparator();
    MnuHerramientas->addActions({ActCalendario, ActCalculadora, ActBlocNotas});

    MnuVentana = mnu->addMenu(QStringLiteral("  Ventana  "));
    MnuCerrarTodas = MnuVentana->addAction(QStringLiteral("Cerrar todas"), this, &TFormMenuPrincipal::CerrarTodas);
    MnuMinimizarTodas = MnuVentana->addAction(QStringLiteral("Minimizar todas"), this,
                                              &TFormMenuPrincipal::MinimizarTodas);
    MnuAbrirTodas = MnuVentana->addAction(QStringLiteral("Abrir todas"), this, &TFormMenuPrincipal::AbrirTodas);
    MnuVentana->addSeparator();
    MnuCascada = MnuVentana->addAction(QStringLiteral("Cascada"), Mdi, &QMdiArea::cascadeSubWindows);
    MnuMosaico = MnuVentana->addAction(QStringLiteral("Mosaico"), Mdi, &QMdiArea::tileSubWindows);
    MnuOrdenarIconos = MnuVentana->addAction(QStringLiteral("Ordenar iconos"), this,
                                             &TFormMenuPrincipal::OrdenarIconos);
    connect(MnuVentana, &QMenu::aboutToShow, this, &TFormMenuPrincipal::rellenarMenuVentana);

    MnuAyuda = mnu->addMenu(QStringLiteral("  Ayuda  "));
    MnuGeneral = MnuAyuda->addAction(QStringLiteral("General"), this,
                                     [this] { mostrarAyuda(QStringLiteral("index"), this); });
    MnuGeneral->setShortcut(QKeySequence(Qt::Key_F1));
    MnuGeneral->setShortcutContext(Qt::ApplicationShortcut);
    MnuIndice = MnuAyuda->addAction(QStringLiteral("Índice"), this,
                                    [this] { mostrarAyuda(QStringLiteral("indice"), this); });
    MnuIndice->setStatusTip(QStringLiteral("Muestra el índice de la ayuda"));
    MnuIndice->setToolTip(MnuIndice->statusTip());
    MnuAyuda->addSeparator();
    MnuAyuda->addAction(ActAcercaDe);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addActions({ActComerciales, ActGastosComerciales, ActExtras});
    PopupMenu1->addSeparator();
    PopupMenu1->addActions({ActAparatos, ActCliente, ActPlus});
    PopupMenu1->addSeparator();
    PopupMenu1->addActions({ActCobro, ActVenta});
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(ActEmpresas);
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(ActSalir);
    Mdi->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Mdi, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu1->popup(Mdi->mapToGlobal(p)); });
}

void TFormMenuPrincipal::crearBarras()
{
    const QString tituloBarra = QStringLiteral("Orvento  -  Menú principal");
    BC = new QToolBar(tituloBarra, this);
    BC->setObjectName(QStringLiteral("BC"));
    BC->setMovable(true);
    BC->setFloatable(true);
    addToolBar(Qt::TopToolBarArea, BC);

    BB = new QWidget(BC);
    BB->setObjectName(QStringLiteral("BB"));
    BB->setWindowTitle(tituloBarra);
    auto* capa = new QHBoxLayout(BB);
    capa->setContentsMargins(2, 1, 2, 1);
    capa->setSpacing(0);
    const QList<QList<QAction*>> grupos = {
        {ActEmpresas},
        {ActComerciales, ActGastosComerciales, ActExtras, ActFacturas},
        {ActAparatos, ActCliente, ActPlus},
        {ActCobro, ActVenta},
        {ActCopiaSeguridad},
        {ActSalir},
    };
    for (int g = 0; g < grupos.size(); ++g) {
        if (g > 0)
            capa->addWidget(new SeparadorBB(BB));
        for (QAction* a : grupos[g]) {
            auto* b = new QToolButton(BB);
            b->setObjectName(QStringLiteral("BB_") + a->objectName());
            b->setDefaultAction(a);
            b->setFixedSize(26, 26);
            b->setIconSize(QSize(18, 18));
            b->setToolButtonStyle(Qt::ToolButtonIconOnly);
            capa->addWidget(b);
            m_botones << b;
        }
    }
    BC->addWidget(BB);
    // Hidden until the display settings are loaded.
    BC->setVisible(false);

    BE = statusBar();
    BE->setObjectName(QStringLiteral("BE"));
    BE->setSizeGripEnabled(true);
    BEPanel0 = new QLabel(BE);
    BEPanel0->setObjectName(QStringLiteral("BEPanel0"));
    BEPanel0->setFixedWidth(600);
    BEPanel0->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    BEPanel1 = new QLabel(BE);
    BEPanel1->setObjectName(QStringLiteral("BEPanel1"));
    BEPanel1->setFixedWidth(10);
    BEPanel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    BE->addWidget(BEPanel0);
    BE->addWidget(BEPanel1);
}

bool TFormMenuPrincipal::event(QEvent* e)
{
    // Hints of the control under the mouse go to the first panel.
    if (e->type() == QEvent::StatusTip) {
        BEPanel0->setText(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

void TFormMenuPrincipal::actualizarAcciones()
{
    for (QAction* a : m_acciones) {
        const DefAccion* d = defAccion(a->objectName());
        a->setEnabled(d->apertura == Apertura::Propia || bool(fabricaVentana(a->objectName())));
    }
}

// ---------------------------------------------------------------------------
// Showing and settings

void TFormMenuPrincipal::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (!m_mostrada) {
        m_mostrada = true;
        FormShow();
    }
}

void TFormMenuPrincipal::FormShow()
{
    Estado().FechaTrabajo = QDate::currentDate();
    CargarConfiguracion();
}

void TFormMenuPrincipal::CargarConfiguracion()
{
    // The hourglass stays: the login restores the normal cursor when it accepts a user.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ArchivoIni archivo(rutaIniPrograma());
    EstadoAplicacion& e = Estado();
    e.MostrarProgreso = archivo.leeBooleano(ini::Aplicacion, ini::Progreso, ini::DefProgreso);
    e.VentanasMaximizadas = archivo.leeBooleano(ini::Aplicacion, ini::EstadoCargaVentanas, ini::DefEstadoCargaVentanas);
    e.MostrarBotonesVentanas = archivo.leeBooleano(ini::Aplicacion, ini::MostrarBBVentanas, ini::DefMostrarBBVentanas);
    e.MostrarBarraBotones = archivo.leeBooleano(ini::Aplicacion, ini::MostrarBarrasBotones, ini::DefMostrarBarrasBotones);
    e.MostrarBarraEstado = archivo.leeBooleano(ini::Aplicacion, ini::MostrarBarraEstado, ini::DefMostrarBarraEstado);
    e.BotonesPlanos = archivo.leeBooleano(ini::Aplicacion, ini::Flat, ini::DefFlat);
    for (QToolButton* b : m_botones)
        b->setAutoRaise(e.BotonesPlanos);
    BC->setVisible(e.MostrarBarraBotones);
    BE->setVisible(e.MostrarBarraEstado);
}

// ---------------------------------------------------------------------------
// Closing

void TFormMenuPrincipal::closeEvent(QCloseEvent* e)
{
    if (!msSi(QStringLiteral("¿Está seguro que desea cerrar la aplicación?"), QStringLiteral("Cerrar aplicación..."))) {
        e->ignore();
        return;
    }
    try {
        if (TDatos* datos = Datos())
            datos->cerrarTodo();
        CerrarTodas();
        esFechaINI(ini::Aplicacion, ini::UltimoAcceso, QDate::currentDate());
        esBoolINI(ini::Aplicacion, ini::CerradaBien, true);
    } catch (...) {
        // The rest of the settings is not written; the user still learns why.
        informarExcepcionActual();
        e->accept();
        QCoreApplication::quit();
        return;
    }
    e->accept();
}

// ---------------------------------------------------------------------------
// Commands

bool TFormMenuPrincipal::hayVentanasHijas(const QString& mensaje)
{
    if (Mdi->subWindowList().isEmpty())
        return false;
    msInfo(mensaje, kCierreTitulo);
    return true;
}

bool TFormMenuPrincipal::esAdministrador()
{
    if (Estado().TipoUsuario == QLatin1String("Administrador"))
        return true;
    msError(kSinPermiso, kSinPermisoTitulo);
    return false;
}

void TFormMenuPrincipal::ejecutarAccion(const QString& nombre)
{
    const DefAccion* d = defAccion(nombre);
    const QString ventana = QString::fromLatin1(d->ventana);
    const FabricaVentana crear = fabricaVentana(nombre);

    if (nombre == QLatin1String("ActSalir")) {
        close();
        return;
    }
    if (nombre == QLatin1String("ActCalculadora")) {
        if (!lanzarCalculadora || !lanzarCalculadora())
            msInfo(QStringLiteral("No se ha encontrado ninguna calculadora en este equipo."),
                   QStringLiteral("Calculadora..."));
        return;
    }
    if (nombre == QLatin1String("ActBlocNotas")) {
        if (!lanzarEditorTexto || !lanzarEditorTexto())
            msInfo(QStringLiteral("No se ha encontrado ningún editor de textos en este equipo."),
                   QStringLiteral("Bloc de notas..."));
        return;
    }
    if (!crear)
        return; // not plugged in yet (the command is disabled)

    if (nombre == QLatin1String("ActEmpresas")) {
        if (hayVentanasHijas(QStringLiteral("Antes de abrir EMPRESAS debe cerrar todas las ventanas.")))
            return;
    } else if (nombre == QLatin1String("ActReorganizar")) {
        if (hayVentanasHijas(QStringLiteral("Antes de organizar los ficheros debe cerrar todas las ventanas.")))
            return;
    } else if (nombre == QLatin1String("ActConfiguracion")) {
        if (!ComprobarUsuario(QStringLiteral("usuarios"), true))
            return;
    } else if (nombre == QLatin1String("ActUsuarios") || nombre == QLatin1String("ActCopiaSeguridad")) {
        if (!esAdministrador())
            return;
    } else if (nombre == QLatin1String("ActFechaTrabajo")) {
        const QString& t = Estado().TipoUsuario;
        if (t == QLatin1String("Consulta") || t == QLatin1String("Listados") || t == QLatin1String("Restringido")) {
            msError(kSinPermiso, kSinPermisoTitulo);
            return;
        }
    }

    switch (d->apertura) {
    case Apertura::Hija:
        AbrirVentanaHija(crear, ventana);
        break;
    case Apertura::Modal:
        AbrirVentanaModal(crear, ventana);
        break;
    case Apertura::Nueva: {
        QPointer<QWidget> w = crear();
        if (w->objectName().isEmpty())
            w->setObjectName(ventana);
        if (nombre == QLatin1String("ActCalendario"))
            if (auto* seleccionar = w->findChild<QAction*>(QStringLiteral("ActSeleccionar")))
                seleccionar->setEnabled(false);
        ejecutarModal(w);
        delete w.data();
        break;
    }
    case Apertura::Acerca:
        abrirAcercaDe(nombre == QLatin1String("ActInformacion"));
        break;
    case Apertura::Propia:
        break;
    }
}

void TFormMenuPrincipal::abrirAcercaDe(bool informacion)
{
    const FabricaVentana crear = fabricaVentana(informacion ? QStringLiteral("ActInformacion")
                                                            : QStringLiteral("ActAcercaDe"));
    Tag = informacion ? 10 : 0;
    QWidget* w = buscarVentanaSuelta(QStringLiteral("formacercade"));
    if (!w) {
        w = crear();
        w->setObjectName(QStringLiteral("formacercade"));
    }
    if (informacion)
        w->setWindowTitle(QStringLiteral("Información general..."));
    ejecutarModal(w);
}

// ---------------------------------------------------------------------------
// Window opening

QList<QMdiSubWindow*> TFormMenuPrincipal::ventanasHijas() const
{
    return Mdi->subWindowList(QMdiArea::CreationOrder);
}

QWidget* TFormMenuPrincipal::buscarVentanaHija(const QString& nombre) const
{
    for (QMdiSubWindow* s : ventanasHijas()) {
        QWidget* w = s->widget();
        if (w && w->objectName().compare(nombre, Qt::CaseInsensitive) == 0)
            return w;
        if (s->objectName().compare(nombre, Qt::CaseInsensitive) == 0)
            return w ? w : s;
    }
    return nullptr;
}

QWidget* TFormMenuPrincipal::AbrirVentanaHija(const FabricaVentana& crear, const QString& nombre)
{
    CursorOcupado cursor;
    DibujoCongelado congelado(this);
    const bool maximizadas = Estado().VentanasMaximizadas;
    if (QWidget* w = buscarVentanaHija(nombre)) {
        QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(w);
        for (QMdiSubWindow* s : ventanasHijas())
            if (s->widget() == w)
                sub = s;
        if (sub) {
            if (sub->isMinimized()) {
                if (maximizadas)
                    sub->showMaximized();
                else
                    sub->showNormal();
            }
            Mdi->setActiveSubWindow(sub);
            sub->raise();
        }
        return w;
    }
    QWidget* w = crear();
    if (w->objectName().isEmpty())
        w->setObjectName(nombre);
    QMdiSubWindow* sub = Mdi->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    if (maximizadas)
        sub->showMaximized();
    else
        sub->show();
    Mdi->setActiveSubWindow(sub);
    return w;
}

QWidget* TFormMenuPrincipal::AbrirVentanaModal(const FabricaVentana& crear, const QString& nombre)
{
    QPointer<QWidget> w = buscarVentanaSuelta(nombre);
    if (!w) {
        w = crear();
        if (w->objectName().isEmpty())
            w->setObjectName(nombre);
    }
    ejecutarModal(w);
    return w.data();
}

// ---------------------------------------------------------------------------
// Window menu

void TFormMenuPrincipal::CerrarTodas()
{
    for (QMdiSubWindow* s : ventanasHijas())
        s->close();
}

void TFormMenuPrincipal::MinimizarTodas()
{
    for (QMdiSubWindow* s : ventanasHijas())
        s->showMinimized();
    // Minimizing a maximized child makes the frame restore another one: go
    // over them again (the active child last).
    for (int vuelta = 0; vuelta < 3; ++vuelta) {
        for (QMdiSubWindow* s : ventanasHijas())
            if (!s->isMinimized())
                s->showMinimized();
        if (QMdiSubWindow* activa = Mdi->activeSubWindow(); activa && !activa->isMinimized())
            activa->showMinimized();
    }
}

void TFormMenuPrincipal::AbrirTodas()
{
    for (QMdiSubWindow* s : ventanasHijas())
        s->showNormal();
}

void TFormMenuPrincipal::OrdenarIconos()
{
    // Minimized windows in a row along the bottom of the frame.
    int x = 0;
    int y = Mdi->viewport()->height();
    for (QMdiSubWindow* s : ventanasHijas()) {
        if (!s->isMinimized())
            continue;
        const QSize t = s->size();
        if (x + t.width() > Mdi->viewport()->width() && x > 0) {
            x = 0;
            y -= t.height();
        }
        s->move(x, y - t.height());
        x += t.width();
    }
}

void TFormMenuPrincipal::rellenarMenuVentana()
{
    for (QAction* a : m_listaVentanas) {
        MnuVentana->removeAction(a);
        delete a;
    }
    m_listaVentanas.clear();
    const QList<QMdiSubWindow*> hijas = ventanasHijas();
    if (hijas.isEmpty())
        return;
    m_listaVentanas << MnuVentana->addSeparator();
    int n = 0;
    for (QMdiSubWindow* s : hijas) {
        ++n;
        QAction* a = MnuVentana->addAction(QStringLiteral("&%1 %2").arg(n).arg(s->windowTitle()));
        a->setCheckable(true);
        a->setChecked(s == Mdi->activeSubWindow());
        QPointer<QMdiSubWindow> p(s);
        connect(a, &QAction::triggered, this, [this, p] {
            if (p)
                Mdi->setActiveSubWindow(p);
        });
        m_listaVentanas << a;
    }
}
