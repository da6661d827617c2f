#include "app/UnidadClaves.h"

#include "core/Errores.h"
#include "core/EstadoAplicacion.h"
#include "core/Ini.h"
#include "core/Mensajes.h"
#include "core/Regional.h"
#include "data/Claves.h"
#include "data/UnidadDatos.h"
#include "engine/Motor.h"
#include "maintenance/CopiarFichero.h"
#include "maintenance/UnidadSeleccionEmpresaImportar.h"
#include "platform/Plataforma.h"
#include "ui/ModeloRejilla.h"
#include "ui/Permisos.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString TituloClave = QStringLiteral("Comprobación de clave de acceso...");
const QString FicheroMaestro = QStringLiteral("tablas/comercial.db");

// Shows the password as large '*' whatever the platform's mask character is.
class EstiloClave : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* ret) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }
};

void cursorNormal()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

QLabel* etiqueta(const QString& texto, QWidget* padre, const QColor& color, bool negrita)
{
    auto* l = new QLabel(texto, padre);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, color);
    l->setPalette(p);
    if (negrita) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

QTableView* rejilla(QWidget* padre, ModeloRejilla* modelo)
{
    auto* v = new QTableView(padre);
    v->setModel(modelo);
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setSelectionMode(QAbstractItemView::SingleSelection);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setTabKeyNavigation(false);
    v->verticalHeader()->setVisible(false);
    v->verticalHeader()->setDefaultSectionSize(v->fontMetrics().height() + 4);
    v->horizontalHeader()->setHighlightSections(false);
    v->horizontalHeader()->setStretchLastSection(true);
    v->setAlternatingRowColors(false);
    return v;
}

void anchos(QTableView* v, const ModeloRejilla* m)
{
    for (int i = 0; i < m->columnCount(); ++i)
        v->setColumnWidth(i, m->columna(i).ancho);
}

} // namespace

// ---------------------------------------------------------------------------

IndicadorRedondo::IndicadorRedondo(QWidget* parent) : QWidget(parent)
{
    m_color = palette().color(QPalette::Window);
    setFixedSize(16, 16);
}

void IndicadorRedondo::ponerColor(const QColor& c)
{
    if (c == m_color)
        return;
    m_color = c;
    update();
}

void IndicadorRedondo::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(palette().color(QPalette::Dark), 1));
    p.setBrush(m_color);
    p.drawEllipse(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
}

QColor colorCopiaSeguridad(int dias)
{
    // Exactly 5 days counts with the 5..9 band, exactly 10 with the oldest.
    if (dias <= 2)
        return colores::Verde;
    if (dias < 5)
        return colores::Amarillo;
    if (dias < 10)
        return colores::Purpura;
    return colores::Rojo;
}

QString TFormClaves::direccionWeb()
{
    // A placeholder address of the business (reserved ".example" domain).
    return QStringLiteral("https://www.provenda.example/");
}

// ---------------------------------------------------------------------------

TFormClaves::TFormClaves(QWidget* parent) : QDialog(parent)
{
    esRutaDeRed = [](const QString& ruta) { return plataforma::esRutaDeRed(ruta); };
    elegirCarpeta = [this]() {
        return QFileDialog::getExistingDirectory(
            this,
            QStringLiteral("Seleccione la ruta del servidor (en BNC -> entorno de red - Toda la red). "
                           "El servidor debe estar activo y en red..."),
            QStandardPaths::writableLocation(QStandardPaths::DesktopLocation), QFileDialog::Options());
    };
    construir();
    FormCreate();
}

TFormClaves::~TFormClaves() = default;

void TFormClaves::construir()
{
    setObjectName(QStringLiteral("FormClaves"));
    setWindowTitle(QStringLiteral("Selección de usuario..."));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    setProperty("ayuda", 2010); // help topic

    const QString nombreApp = Estado().NombreAplicacion.isEmpty() ? app::Titulo : Estado().NombreAplicacion;
    const QString version = Estado().VersionAplicacion.isEmpty() ? app::Version : Estado().VersionAplicacion;

    // Left column: the application and this seat.
    auto* izquierda = new QVBoxLayout;
    izquierda->setSpacing(3);
    LNombre = etiqueta(nombreApp, this, colores::Azul, true);
    QFont grande = LNombre->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.35);
    LNombre->setFont(grande);
    LVersion = etiqueta(QStringLiteral("Versión ") + version, this, colores::Azul, true);
    LAcceso = etiqueta(QString(), this, colores::Verde, false);
    LEjecuciones = etiqueta(QString(), this, colores::Verde, false);
    LApagado = etiqueta(QString(), this, colores::Verde, false);
    izquierda->addWidget(LNombre);
    izquierda->addWidget(LVersion);
    izquierda->addSpacing(8);
    izquierda->addWidget(LAcceso);
    izquierda->addWidget(LEjecuciones);
    izquierda->addWidget(LApagado);
    izquierda->addSpacing(8);
    izquierda->addWidget(new QLabel(QStringLiteral("Usuarios conectados:"), this));
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setFocusPolicy(Qt::NoFocus);
    izquierda->addWidget(ListBox1, 1);
    OpServidor = new QCheckBox(QStringLiteral("Servidor"), this);
    OpServidor->setEnabled(false);
    izquierda->addWidget(OpServidor);
    BRuta = new QPushButton(QStringLiteral("C&ambiar ruta servidor"), this);
    BRuta->setFlat(true);
    BRuta->setAutoDefault(false);
    BRuta->setFocusPolicy(Qt::NoFocus);
    BRuta->setToolTip(QStringLiteral("Cambia la ruta actual de los datos de la aplicación"));
    BRuta->setStyleSheet(QStringLiteral("text-align: left; padding: 2px 0px;"));
    izquierda->addWidget(BRuta);
    auto* web = new QHBoxLayout;
    web->addWidget(new QLabel(QStringLiteral("Web:"), this));
    LWEB = new QLabel(this);
    LWEB->setTextFormat(Qt::RichText);
    const QString dir = direccionWeb();
    QString visible = dir;
    visible.remove(QStringLiteral("https://")).remove(QLatin1Char('/'));
    LWEB->setText(QStringLiteral("<a href=\"%1\">%2</a>").arg(dir, visible));
    LWEB->setOpenExternalLinks(false);
    LWEB->setCursor(Qt::PointingHandCursor);
    connect(LWEB, &QLabel::linkActivated, this, [](const QString& url) { plataforma::abrirUrl(url); });
    web->addWidget(LWEB, 1);
    izquierda->addLayout(web);

    // Right column: users, companies, password.
    m_usuarios = new ModeloRejilla(this);
    m_usuarios->ponerColumnas({{QStringLiteral("Codigo"), QStringLiteral("Código"), 52},
                               {QStringLiteral("Nombre"), QStringLiteral("Nombre"), 170},
                               {QStringLiteral("Tipo"), QStringLiteral("Tipo"), 110}});
    m_empresas = new ModeloRejilla(this);
    m_empresas->ponerColumnas({{QStringLiteral("Codigo"), QStringLiteral("Código"), 52},
                               {QStringLiteral("Nombre"), QStringLiteral("Nombre"), 140},
                               {QStringLiteral("FechaAlta"), QStringLiteral("Inicio"), 72},
                               {QStringLiteral("FechaBaja"), QStringLiteral("Fin"), 72}});
    auto* derecha = new QVBoxLayout;
    derecha->setSpacing(3);
    TListaUsuarios = rejilla(this, m_usuarios);
    TListaUsuarios->setObjectName(QStringLiteral("TListaUsuarios"));
    TListaEmpresas = rejilla(this, m_empresas);
    TListaEmpresas->setObjectName(QStringLiteral("TListaEmpresas"));
    auto* lUsuario = new QLabel(QStringLiteral("&Seleccione el usuario:"), this);
    lUsuario->setBuddy(TListaUsuarios);
    auto* lEmpresa = new QLabel(QStringLiteral("S&eleccione la empresa:"), this);
    lEmpresa->setBuddy(TListaEmpresas);
    derecha->addWidget(lUsuario);
    derecha->addWidget(TListaUsuarios, 1);
    derecha->addSpacing(4);
    derecha->addWidget(lEmpresa);
    derecha->addWidget(TListaEmpresas, 1);
    derecha->addSpacing(4);

    TxtClave = new QLineEdit(this);
    TxtClave->setObjectName(QStringLiteral("TxtClave"));
    TxtClave->setEchoMode(QLineEdit::Password);
    auto* estilo = new EstiloClave;
    estilo->setParent(TxtClave);
    TxtClave->setStyle(estilo);
    QFont fc = TxtClave->font();
    fc.setPointSizeF(fc.pointSizeF() * 1.5);
    fc.setBold(true);
    TxtClave->setFont(fc);
    QPalette pc = TxtClave->palette();
    pc.setColor(QPalette::Text, colores::Azul);
    pc.setColor(QPalette::Base, colores::Plata);
    TxtClave->setPalette(pc);
    auto* lClave = new QLabel(QStringLiteral("Cla&ve:"), this);
    lClave->setBuddy(TxtClave);
    BAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    BAceptar->setToolTip(QStringLiteral("Comprueba la clave y abre la aplicación"));
    BCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    BCancelar->setToolTip(QStringLiteral("Cierra la aplicación"));
    for (QPushButton* b : {BAceptar, BCancelar}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(86);
    }
    auto* filaClave = new QHBoxLayout;
    filaClave->addWidget(lClave);
    filaClave->addWidget(TxtClave, 1);
    filaClave->addSpacing(10);
    filaClave->addWidget(BAceptar);
    filaClave->addWidget(BCancelar);
    derecha->addLayout(filaClave);

    auto* cuerpo = new QHBoxLayout;
    cuerpo->setContentsMargins(10, 10, 10, 6);
    cuerpo->setSpacing(14);
    cuerpo->addLayout(izquierda, 0);
    cuerpo->addLayout(derecha, 1);

    BE = new QStatusBar(this);
    BE->setSizeGripEnabled(false);
    PanelBE = new QLabel(this);
    PanelBE->setObjectName(QStringLiteral("PanelBE"));
    QPalette pb = PanelBE->palette();
    pb.setColor(QPalette::WindowText, colores::Azul);
    PanelBE->setPalette(pb);
    BE->addWidget(PanelBE, 1);
    LI = new IndicadorRedondo(this);
    LI->setObjectName(QStringLiteral("LI"));
    BE->addPermanentWidget(LI);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(0, 0, 0, 0);
    todo->setSpacing(0);
    todo->addLayout(cuerpo, 1);
    todo->addWidget(BE);

    TTemporizador = new QTimer(this);
    TTemporizador->setInterval(500);
    connect(TTemporizador, &QTimer::timeout, this, &TFormClaves::TTemporizadorTimer);

    connect(BAceptar, &QPushButton::clicked, this, &TFormClaves::BAceptarClick);
    connect(BCancelar, &QPushButton::clicked, this, &TFormClaves::BCancelarClick);
    connect(BRuta, &QPushButton::clicked, this, &TFormClaves::BRutaClick);
    connect(TxtClave, &QLineEdit::returnPressed, this, &TFormClaves::BAceptarClick);
    connect(TListaUsuarios, &QTableView::doubleClicked, this, [this] { TListaEmpresas->setFocus(); });
    connect(TListaEmpresas, &QTableView::doubleClicked, this, &TFormClaves::TListaEmpresasEnter);
    for (QWidget* w : {static_cast<QWidget*>(TListaUsuarios), static_cast<QWidget*>(TListaEmpresas),
                       static_cast<QWidget*>(BAceptar), static_cast<QWidget*>(BCancelar)})
        w->installEventFilter(this);

    setFixedSize(640, 380);
    anchos(TListaUsuarios, m_usuarios);
    anchos(TListaEmpresas, m_empresas);
}

void TFormClaves::FormCreate()
{
    EstadoAplicacion& e = Estado();
    e.Servidor = leEntINI(ini::Red, ini::Servidor, ini::DefServidor);
    e.RutaServidor = leCadINI(ini::Red, ini::RutaServidor, QString());
    if (e.Servidor != 0 && e.Servidor != 1) {
        // First run: this seat holds the data when the tables are next to the program.
        e.Servidor = existeSinMayusculas(plataforma::carpetaPrograma(), FicheroMaestro) ? 1 : 0;
        esEntINI(ini::Red, ini::Servidor, e.Servidor);
    }

    // Looked for in the folder the tables will be read from (the program
    // folder when this seat holds the data), not relative to the current folder.
    const QString maestra = carpetaBase();
    if (existeSinMayusculas(maestra, FicheroMaestro)) {
        OpServidor->setChecked(e.Servidor == 1);
        crearDatos();
        TTabla = new motor::Query(this);
        TTabla->setFolder(maestra);
        TTabla->setSql({QStringLiteral("select * from usuario")});
        TE = new motor::Query(this);
        TE->setFolder(maestra);
        TE->setSql({QStringLiteral("select * from empresa")});
        m_usuarios->ponerDataset(TTabla, QStringLiteral("Usuario"));
        m_empresas->ponerDataset(TE, QStringLiteral("TCEmpresa"));
        enlazarRejilla(TListaUsuarios, TTabla, this, [this] { usuarioCambiado(); });
        enlazarRejilla(TListaEmpresas, TE, this, [this] { empresaCambiada(); });
        TTabla->open();
        TE->open();
    }

    ArchivoIni f(rutaIniPrograma());
    const QString usuario = f.leeCadena(ini::Usuario, ini::Codigo, QString());
    const int empresa = f.leeEntero(ini::Empresa, ini::Codigo, ini::DefEmpresaCodigo);
    const QDateTime acceso = f.leeFechaHora(ini::Aplicacion, ini::UltimoAcceso, QDateTime::currentDateTime());
    LAcceso->setText(QStringLiteral("Último acceso: ") + regional::fechaHora(acceso));
    LApagado->setText(QStringLiteral("Se cerró correctamente: ")
                      + f.leeCadena(ini::Aplicacion, ini::CerradaBien, ini::DefCerradaBien));
    const int ejecuciones = f.leeEntero(ini::Aplicacion, ini::Ejecuciones, ini::DefEjecuciones);
    LEjecuciones->setText(QStringLiteral("Nº Ejecuciones: ") + QString::number(ejecuciones));
    f.escribeEntero(ini::Aplicacion, ini::Ejecuciones, ejecuciones + 1);
    f.guardar();

    if (TE && TE->isOpen()) {
        if (!usuario.isEmpty())
            TTabla->locate(QStringLiteral("Codigo"), usuario);
        if (empresa != app::SinEmpresa)
            TE->locate(QStringLiteral("Codigo"), empresa);
    }
    usuarioCambiado();
    empresaCambiada();
}

void TFormClaves::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!m_mostrada) {
        m_mostrada = true;
        // Centred on the main window, or on the screen before it exists.
        const QRect zona = parentWidget() ? parentWidget()->window()->geometry()
                                          : (screen() ? screen()->availableGeometry() : QRect());
        if (zona.isValid())
            move(zona.center() - rect().center());
        FormShow();
    }
}

void TFormClaves::FormShow()
{
    TListaUsuarios->setFocus();
    ListBox1->clear();
    if (TE && TE->isOpen() && TTabla && TTabla->isOpen()) {
        if (TDatos* d = Datos())
            for (const QString& u : d->Session1->connectedUsers())
                ListBox1->addItem(u.left(14));
        return;
    }
    BAceptar->setEnabled(false);
    TxtClave->setEnabled(false);
    TListaUsuarios->setEnabled(false);
    TListaEmpresas->setEnabled(false);
    PanelBE->setText(QStringLiteral("ATENCIÓN: la ruta del servidor [  ") + Estado().RutaServidor
                     + QStringLiteral("  ] no se encuentra."));
    TTemporizador->start();
}

void TFormClaves::TTemporizadorTimer()
{
    m_parpadeo = !m_parpadeo;
    LI->ponerColor(m_parpadeo ? colores::Rojo : palette().color(QPalette::Window));
}

void TFormClaves::usuarioCambiado()
{
    bool conClave = false;
    if (TTabla && TTabla->isOpen() && !TTabla->isEmpty())
        if (motor::Field* c = TTabla->findField(QStringLiteral("Clave")))
            conClave = claves::tieneClave(c->value());
    QPalette p = TxtClave->palette();
    p.setColor(QPalette::Base, conClave ? colores::ClaveConClave : colores::Plata);
    TxtClave->setPalette(p);
}

void TFormClaves::empresaCambiada()
{
    if (!TE || !TE->isOpen())
        return;
    int codigo = app::SinEmpresa;
    if (!TE->isEmpty()) {
        motor::Field* c = TE->fieldByName(QStringLiteral("Codigo"));
        if (!c->isNull())
            codigo = c->asInteger();
    }
    const QString carpeta = QStringLiteral("Emp") + QString::number(codigo);
    const QString cs = carpeta + QStringLiteral("/CS.ini");
    if (!existeSinMayusculas(carpetaBase(), cs)) {
        LI->ponerColor(colores::Rojo);
        PanelBE->setText(QStringLiteral("No existe información sobre copia de seguridad de esta empresa."));
        return;
    }
    const QDate hoy = QDate::currentDate();
    ArchivoIni f(rutaSinMayusculas(carpetaBase(), cs));
    const QDate fecha = f.leeFecha(ini::CopiaSeguridad, ini::Fecha, hoy);
    const qint64 dias = fecha.isValid() ? fecha.daysTo(hoy) : 0;
    LI->ponerColor(colorCopiaSeguridad(int(dias)));
    PanelBE->setText(QStringLiteral("La última copia de seguridad de esta empresa la realizó hace ")
                     + QString::number(dias) + QStringLiteral(" días"));
}

bool TFormClaves::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            if (o == TListaUsuarios) {
                TListaEmpresas->setFocus();
                return true;
            }
            if (o == TListaEmpresas) {
                TListaEmpresasEnter();
                return true;
            }
            if (o == BAceptar || o == BCancelar) {
                static_cast<QPushButton*>(o)->click();
                return true;
            }
        }
    }
    return QDialog::eventFilter(o, e);
}

void TFormClaves::TListaEmpresasEnter()
{
    bool conClave = false;
    if (TTabla && TTabla->isOpen() && !TTabla->isEmpty())
        if (motor::Field* c = TTabla->findField(QStringLiteral("Clave")))
            conClave = claves::tieneClave(c->value());
    if (conClave) {
        TxtClave->setFocus();
        TxtClave->selectAll();
    } else {
        BAceptarClick();
    }
}

void TFormClaves::BAceptarClick()
{
    if (!BAceptar->isEnabled())
        return;
    if (!TTabla || !TTabla->isOpen() || TTabla->isEmpty()
        || TTabla->fieldByName(QStringLiteral("Codigo"))->isNull()) {
        msError(QStringLiteral("El usuario actual no tiene todos los datos (tipo de usuario o identificador), "
                               "elija otro usuario."),
                TituloClave);
        return;
    }
    const QString codigo = TTabla->fieldByName(QStringLiteral("Codigo"))->asString();
    const QString tipo = TTabla->fieldByName(QStringLiteral("Tipo"))->asString();
    const QVariant clave = TTabla->fieldByName(QStringLiteral("Clave"))->value();
    if (claves::tieneClave(clave) && !claves::verifica(clave, TxtClave->text())) {
        ClaveCorrecta = false;
        msError(QStringLiteral("Clave incorrecta para el usuario actual."), TituloClave);
        TxtClave->selectAll();
        TxtClave->setFocus();
        return;
    }
    ClaveCorrecta = true;
    TxtClave->clear(); // nothing typed stays in memory longer than needed

    ArchivoIni f(rutaIniPrograma());
    f.escribeCadena(ini::Usuario, ini::Tipo, tipo);
    f.escribeCadena(ini::Usuario, ini::Codigo, codigo);
    f.guardar();
    Estado().TipoUsuario = tipo;
    Estado().CodigoUsuario = codigo;

    if (TE && TE->isOpen() && !TE->isEmpty()) {
        try {
            AbrirEmpresa(TE->fieldByName(QStringLiteral("Codigo"))->asInteger());
        } catch (const EAbort&) {
            Estado().CodigoEmpresa = app::SinEmpresa;
            Estado().NombreEmpresa.clear();
        } catch (const Excepcion& ex) {
            // The application goes on with no company open.
            Estado().CodigoEmpresa = app::SinEmpresa;
            Estado().NombreEmpresa.clear();
            msError(ex.mensaje(), QStringLiteral("Abrir empresa..."));
        }
    } else {
        msAtencion(QStringLiteral("Debe crear una empresa y abrirla para poder trabajar."),
                   QStringLiteral("No hay empresas..."));
    }
    cursorNormal();
    accept();
}

void TFormClaves::BCancelarClick()
{
    reject();
}

void TFormClaves::reject()
{
    m_terminar = true;
    QDialog::reject();
}

void TFormClaves::closeEvent(QCloseEvent* e)
{
    if (!ClaveCorrecta)
        m_terminar = true;
    QDialog::closeEvent(e);
}

void TFormClaves::BRutaClick()
{
    const QString ruta = elegirCarpeta ? elegirCarpeta() : QString();
    if (ruta.isEmpty())
        return;
    if (!existeSinMayusculas(ruta, FicheroMaestro)) {
        msAtencion(QStringLiteral("No se ha encontrado la base de datos en la ruta: \n\n") + ruta
                       + QStringLiteral("\n\nCompruebe que el servidor está activo y en red."),
                   QStringLiteral("Ruta no válida..."));
        return;
    }
    if (esRutaDeRed && esRutaDeRed(ruta)) {
        QString guardada = ruta;
        if (!guardada.endsWith(QLatin1Char('/')) && !guardada.endsWith(QLatin1Char('\\')))
            guardada += QLatin1Char('/');
        Estado().RutaServidor = guardada;
        esCadINI(ini::Red, ini::RutaServidor, guardada);
        msInfo(QStringLiteral("La aplicación se cerrará para que los cambios tengan efecto."),
               QStringLiteral("Atención..."));
        reject();
        return;
    }
    msError(QStringLiteral("La ruta seleccionada: \n\n") + ruta
                + QStringLiteral("\n\n no está en formato BNC:\n\n\\\\NOMBRESERVIDOR\\RECURSOCOMPARTIDO."),
            QStringLiteral("Error en la ruta..."));
}

bool ejecutarClaves(QWidget* parent)
{
    TFormClaves f(parent);
    f.exec();
    return f.ClaveCorrecta && !f.terminarAplicacion();
}
