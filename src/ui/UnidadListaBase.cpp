#include "ui/UnidadListaBase.h"

#include "core/Errores.h"
#include "core/EstadoAplicacion.h"
#include "core/Ini.h"
#include "core/Mensajes.h"
#include "data/Esquema.h"
#include "data/UnidadDatos.h"
#include "ui/ControlesDatos.h"
#include "ui/ManejoErrores.h"
#include "ui/Permisos.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QRegularExpression>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString TituloInformacion = QStringLiteral("Información...");
const QString TituloError = QStringLiteral("Error...");
// Shown when the record chosen in the list is no longer in its table (another
// seat deleted it): the data module's text for the same engine situation.
const QString MensajeEliminado = QStringLiteral(
    "El registro actual ha sido ELIMINADO por otro usuario. Pulse refrescar para actualizar los cambios.");
const QString TituloEliminado = QStringLiteral("Registro eliminado...");

bool esIdentificador(const QString& s)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return re.match(s).hasMatch();
}
} // namespace

std::function<void(TFormLista*, int)>& TFormLista::abrirLocalizar()
{
    static std::function<void(TFormLista*, int)> f;
    return f;
}

std::function<void(TFormLista*, int)>& TFormLista::abrirImprimir()
{
    static std::function<void(TFormLista*, int)> f;
    return f;
}

TFormLista::TFormLista(DescripcionLista descripcion, QWidget* parent)
    : QDialog(parent), m_d(std::move(descripcion))
{
    setAttribute(Qt::WA_DeleteOnClose);
    if (m_d.modal) {
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                       | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    } else {
        setWindowFlags(Qt::Window);
    }
    setWindowTitle(m_d.titulo);
    resize(m_d.tamano);
    setProperty("ayuda", m_d.ayuda);   // help topic, for the main window's help

    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);

    m_cb = new QWidget(this);
    m_cb->setObjectName(QStringLiteral("CB"));
    auto* layCb = new QVBoxLayout(m_cb);
    layCb->setContentsMargins(2, 2, 2, 2);
    m_bb = new QToolBar(m_cb);
    m_bb->setObjectName(QStringLiteral("BB"));
    m_bb->setIconSize(QSize(16, 16));
    m_bb->setToolButtonStyle(Qt::ToolButtonIconOnly);
    layCb->addWidget(m_bb);
    m_cb->hide();   // until the window is shown
    lay->addWidget(m_cb);

    m_tabla = new QTableView(this);
    m_tabla->setObjectName(QStringLiteral("Tabla"));
    m_modelo = new ModeloRejilla(this);
    m_modelo->ponerColumnas(m_d.columnas);
    m_tabla->setModel(m_modelo);
    m_tabla->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tabla->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The design widths are pixels for an 8-point Arial-like face: so is the
    // grid's (Liberation Sans has Arial's metrics).
    QFont letra = m_tabla->font();
    letra.setFamilies({QStringLiteral("Liberation Sans"), letra.family()});
    letra.setPointSizeF(8);
    m_tabla->setFont(letra);
    m_tabla->horizontalHeader()->setFont(letra);
    m_tabla->setShowGrid(true);
    m_tabla->setWordWrap(false);
    m_tabla->setTabKeyNavigation(false);
    m_tabla->horizontalHeader()->setSectionsClickable(true);
    m_tabla->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_tabla->horizontalHeader()->setHighlightSections(false);
    m_tabla->horizontalHeader()->setMinimumSectionSize(8);
    m_tabla->verticalHeader()->setDefaultSectionSize(m_tabla->fontMetrics().height() + 4);
    m_tabla->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_tabla->verticalHeader()->setFixedWidth(12);
    m_tabla->verticalHeader()->setHighlightSections(false);
    for (int i = 0; i < m_d.columnas.size(); ++i)
        m_tabla->setColumnWidth(i, m_d.columnas[i].ancho);
    m_tabla->installEventFilter(this);
    lay->addWidget(m_tabla);

    connect(m_tabla->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int col) { ejecutar([this, col] { TablaTitleClick(col); }); });
    connect(m_tabla, &QAbstractItemView::doubleClicked, this,
            [this] { ejecutar([this] { TablaDblClick(); }); });
    connect(m_tabla->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& actual) { filaElegida(actual.row()); });

    crearAcciones();
    crearBarraYMenu();
    m_tabla->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tabla, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        m_menu->popup(m_tabla->viewport()->mapToGlobal(p));
    });
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { m_menu->popup(mapToGlobal(p)); });
}

TFormLista::~TFormLista() = default;

// ---------------------------------------------------------------- actions

void TFormLista::crearAcciones()
{
    struct Def { QString nombre, texto, pista; QChar tecla; std::function<void()> fn; QStyle::StandardPixmap icono; };
    QList<Def> defs = {
        {QStringLiteral("ActNuevo"), QStringLiteral("Añadir"), QStringLiteral("Añadir"), QLatin1Char('A'),
         [this] { ActNuevoExecute(); }, QStyle::SP_FileIcon},
        {QStringLiteral("ActEliminar"), QStringLiteral("Eliminar"), QStringLiteral("Eliminar"), QLatin1Char('E'),
         [this] { ActEliminarExecute(); }, QStyle::SP_TrashIcon},
        {QStringLiteral("ActModificar"), QStringLiteral("Modificar"), QStringLiteral("Modificar"), QLatin1Char('M'),
         [this] { ActModificarExecute(); }, QStyle::SP_FileDialogDetailedView},
        {QStringLiteral("ActRefrescar"), QStringLiteral("Refrescar"), QStringLiteral("Refrescar"), QLatin1Char('R'),
         [this] { ActRefrescarExecute(); }, QStyle::SP_BrowserReload},
        {QStringLiteral("ActCerrar"), QStringLiteral("Cerrar"), m_d.pistaCerrar, QLatin1Char('S'),
         [this] { ActCerrarExecute(); }, QStyle::SP_DialogCloseButton},
        {QStringLiteral("ActImprimir"), QStringLiteral("Imprimir"), QStringLiteral("Imprimir"), QLatin1Char('I'),
         [this] { ActImprimirExecute(); }, QStyle::SP_DriveFDIcon},
        {QStringLiteral("ActBuscar"), QStringLiteral("Localizar"), QStringLiteral("Localizar"), QLatin1Char('L'),
         [this] { ActBuscarExecute(); }, QStyle::SP_FileDialogContentsView},
    };
    if (m_d.conZoom)
        defs.append({QStringLiteral("ActZoom"), QStringLiteral("Zoom"), QStringLiteral("Zoom"), QLatin1Char('Z'),
                     [this] { ActZoomExecute(); }, QStyle::SP_FileDialogInfoView});
    if (!m_d.importes.isEmpty()) {
        Def pts{QStringLiteral("ActPts"), QStringLiteral("Pesetas"), m_d.pistaPesetas, QLatin1Char('P'),
                [this] { ActPtsExecute(); }, QStyle::SP_ArrowLeft};
        Def eur{QStringLiteral("ActEuros"), QStringLiteral("Euros"), m_d.pistaEuros, QLatin1Char('U'),
                [this] { ActEurosExecute(); }, QStyle::SP_ArrowRight};
        if (m_d.eurosAntesQuePesetas)
            defs << eur << pts;
        else
            defs << pts << eur;
    }
    int alPrincipio = 0;
    for (const AccionExtra& x : m_d.extras) {
        std::function<void()> fn = x.ejecutar;
        if (x.ejecutarEn) {
            auto en = x.ejecutarEn;
            fn = [this, en] { en(this); };
        }
        const Def def{x.nombre, x.texto, x.pista, x.tecla, fn, QStyle::SP_DialogApplyButton};
        if (x.alPrincipio)
            defs.insert(alPrincipio++, def);
        else
            defs.append(def);
    }
    for (const Def& d : defs) {
        auto* a = new QAction(style()->standardIcon(d.icono), d.texto, this);
        a->setObjectName(d.nombre);
        a->setToolTip(d.pista);
        a->setStatusTip(d.pista);
        if (!d.tecla.isNull()) {
            // Shown in the menu; the key itself is handled by the window
            // (first action of the list wins), so the shortcut never fires alone.
            a->setShortcut(QKeySequence(QString(d.tecla)));
            a->setShortcutContext(Qt::WidgetShortcut);
        }
        if (d.nombre == QLatin1String("ActPts") || d.nombre == QLatin1String("ActEuros"))
            a->setCheckable(true);
        for (const AccionExtra& x : m_d.extras)
            if (x.nombre == d.nombre && !x.atajo.isEmpty()) {
                a->setShortcut(x.atajo);
                a->setShortcutContext(Qt::WindowShortcut);
                addAction(a);
            }
        auto fn = d.fn;
        connect(a, &QAction::triggered, this, [this, fn] { ejecutar(fn); });
        m_acciones << a;
        m_teclas << d.tecla.toUpper();
    }
}

QStringList TFormLista::disposicion() const
{
    if (!m_d.disposicion.isEmpty())
        return m_d.disposicion;
    QStringList l = {QStringLiteral("ActNuevo"), QStringLiteral("ActModificar"), QStringLiteral("ActEliminar")};
    if (m_d.conZoom)
        l << QStringLiteral("ActZoom");
    l << QStringLiteral("ActBuscar") << QStringLiteral("-") << QStringLiteral("ActRefrescar")
      << QStringLiteral("ActImprimir") << QStringLiteral("-");
    if (!m_d.importes.isEmpty())
        l << QStringLiteral("ActPts") << QStringLiteral("ActEuros") << QStringLiteral("-");
    l << QStringLiteral("ActCerrar");
    return l;
}

void TFormLista::crearBarraYMenu()
{
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("PopupMenu1"));
    for (const QString& n : disposicion()) {
        if (n == QLatin1String("-")) {
            m_bb->addSeparator();
            m_menu->addSeparator();
            continue;
        }
        QAction* a = accion(n);
        if (!a)
            continue;
        m_bb->addAction(a);
        if (auto* b = qobject_cast<QToolButton*>(m_bb->widgetForAction(a))) {
            b->setObjectName(QStringLiteral("B") + n.mid(3));
            b->setFixedWidth(29);
        }
        m_menu->addAction(a);
    }
}

QAction* TFormLista::accion(const QString& nombre) const
{
    for (QAction* a : m_acciones)
        if (a->objectName().compare(nombre, Qt::CaseInsensitive) == 0)
            return a;
    return nullptr;
}

void TFormLista::actualizarAcciones()
{
    // Locate and report windows come later: until they exist their actions
    // only work on an empty list, where they say there is nothing to show.
    const bool vacia = listaVacia();
    if (QAction* a = accion(QStringLiteral("ActBuscar")))
        a->setEnabled(vacia || bool(abrirLocalizar()));
    if (QAction* a = accion(QStringLiteral("ActImprimir")))
        a->setEnabled(vacia || bool(abrirImprimir()));
}

void TFormLista::ejecutar(const std::function<void()>& fn)
{
    ejecutarProtegido(fn);
    actualizarAcciones();
}

// ---------------------------------------------------------------- data

motor::Query* TFormLista::consulta() const
{
    return m_d.consulta ? m_d.consulta() : nullptr;
}

motor::Table* TFormLista::tablaEdicion() const
{
    return m_d.tabla ? m_d.tabla() : nullptr;
}

bool TFormLista::listaVacia() const
{
    motor::Query* q = consulta();
    return !q || !q->isOpen() || q->recordCount() == 0;
}

bool TFormLista::avisarSiVacia(const QString& mensaje) const
{
    if (!listaVacia())
        return false;
    msInfo(mensaje, TituloInformacion);
    return true;
}

bool TFormLista::situarTablaEdicion(motor::Table* t, const QString& codigo)
{
    if (!t)
        return false;
    if (!t->isOpen())
        t->open();
    else if (t->state() == motor::Dataset::State::Browse)
        t->refresh();
    if (irACodigo(t, codigo))
        return true;
    // Acting on "the current record" of the table would touch another one.
    msError(MensajeEliminado, TituloEliminado);
    refrescar();
    return false;
}

QString TFormLista::codigoActual() const
{
    motor::Query* q = consulta();
    if (!q || !q->isOpen() || q->recordCount() == 0)
        return QString();
    motor::Field* f = q->findField(QStringLiteral("Codigo"));
    return f ? f->asString() : QString();
}

bool TFormLista::codigoNulo() const
{
    motor::Query* q = consulta();
    motor::Field* f = q ? q->findField(QStringLiteral("Codigo")) : nullptr;
    return !f || f->isNull();
}

bool TFormLista::irACodigo(motor::Dataset* ds, const QString& codigo)
{
    return localizarCodigo(ds, codigo);
}

QString TFormLista::campoColumnaValido(const QString& campo) const
{
    for (const ColumnaRejilla& c : m_modelo->columnas())
        if (c.campo.compare(campo, Qt::CaseInsensitive) == 0)
            return c.campo;
    if (campo.compare(QLatin1String("Codigo"), Qt::CaseInsensitive) == 0)
        return campo;
    return QString();
}

// ---------------------------------------------------------------- sorting

void TFormLista::ordenar(const QString& campo, const QString& segundo)
{
    motor::Query* q = consulta();
    if (!q)
        return;
    // Only a grid column (or the key) ever reaches ORDER BY.
    QString orden = campoColumnaValido(campo);
    if (orden.isEmpty() || !esIdentificador(orden))
        orden = QStringLiteral("Codigo");
    const QString segundoValido = esIdentificador(segundo) ? segundo : QStringLiteral("Nombre");

    QString codigo;
    bool guardado = false;
    if (q->isOpen()) {
        // The record the user is on, found again after the re-read by its
        // code (a re-read may keep the row number rather than the record).
        const QString antes = codigoActual();
        q->refresh();
        if (q->recordCount() > 0) {
            codigo = (!antes.isEmpty() && irACodigo(q, antes)) ? antes : codigoActual();
            guardado = true;
        }
    }
    q->close();
    antesDeOrdenar();
    q->setSql({m_d.primeraLinea, m_d.lineaFrom,
               QStringLiteral("ORDER BY ") + orden + QLatin1Char(',') + segundoValido});
    q->open();
    if (guardado)
        irACodigo(q, codigo);
    sincronizarRejilla();
}

void TFormLista::TablaTitleClick(int columna)
{
    if (columna < 0 || columna >= m_modelo->columnCount())
        return;
    CampoOrden = m_modelo->columna(columna).campo;
    EtiquetaOrden = m_modelo->tituloColumna(columna);
    ponerTitulo();
    ordenar(CampoOrden, m_d.segundoCampo);
}

void TFormLista::ponerTitulo()
{
    setWindowTitle(m_d.prefijoTitulo + EtiquetaOrden + QLatin1Char(')'));
}

// ---------------------------------------------------------------- grid

void TFormLista::sincronizarRejilla()
{
    motor::Query* q = consulta();
    if (!q || m_sincronizando)
        return;
    m_sincronizando = true;
    const int fila = q->isOpen() ? q->recNo() : -1;
    if (fila >= 0 && fila < m_modelo->rowCount()) {
        const int col = qMax(0, m_tabla->currentIndex().column());
        const QModelIndex i = m_modelo->index(fila, col);
        m_tabla->selectionModel()->setCurrentIndex(
            i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_tabla->scrollTo(i);
    }
    m_sincronizando = false;
}

void TFormLista::filaElegida(int fila)
{
    if (m_sincronizando)
        return;
    motor::Query* q = consulta();
    if (!q || !q->isOpen() || fila < 0 || fila >= q->recordCount() || fila == q->recNo())
        return;
    m_sincronizando = true;
    q->setRecNo(fila);
    m_sincronizando = false;
}

// ---------------------------------------------------------------- show / close

void TFormLista::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (m_mostrada)
        return;
    m_mostrada = true;
    ejecutar([this] { FormShow(); });
}

void TFormLista::FormShow()
{
    antesDeMostrar();
    motor::Query* q = consulta();
    m_modelo->ponerDataset(q, m_d.tablaEsquema);
    if (q) {
        connect(q, &motor::Dataset::currentChanged, this, &TFormLista::sincronizarRejilla,
                Qt::UniqueConnection);
        connect(q, &motor::Dataset::dataReset, this, &TFormLista::sincronizarRejilla,
                Qt::UniqueConnection);
        connect(q, &motor::Dataset::dataReset, this, &TFormLista::actualizarAcciones,
                Qt::UniqueConnection);
    }

    // 1. Tool bar.
    m_cb->setVisible(Estado().MostrarBotonesVentanas);
    for (QAction* a : m_bb->actions())
        if (auto* b = qobject_cast<QToolButton*>(m_bb->widgetForAction(a)))
            b->setAutoRaise(Estado().BotonesPlanos);

    // 2. Sort and place.
    const bool guardar = leBoolINI(ini::Aplicacion, ini::GuardarEstadoVentanas, ini::DefGuardarEstadoVentanas);
    const ArchivoIni f(rutaIniPrograma());
    if (guardar) {
        const QString lugar = f.leeCadena(m_d.seccion, ini::Lugar, ini::DefLugar);
        QString orden = f.leeCadena(m_d.seccion, ini::Ordenar, ini::DefOrdenar);
        QString etiqueta = f.leeCadena(m_d.seccion, ini::LabelOrdenar, ini::DefLabelOrdenar);
        if (orden.isEmpty())
            orden = QStringLiteral("Codigo");
        if (etiqueta.isEmpty())
            etiqueta = QStringLiteral("Código");
        // A sort field from the file must name a column of this grid.
        const QString valido = campoColumnaValido(orden);
        if (valido.isEmpty()) {
            orden = QStringLiteral("Codigo");
            etiqueta = QStringLiteral("Código");
        } else {
            orden = valido;
        }
        CampoOrden = orden;
        EtiquetaOrden = etiqueta;
        ordenar(CampoOrden, m_d.segundoCampo);
        if (q && !irACodigo(q, lugar) && q->isOpen() && q->recordCount() > 0)
            q->first();
    } else {
        CampoOrden = QStringLiteral("Codigo");
        ordenar(CampoOrden, m_d.segundoCampo);
        EtiquetaOrden = QStringLiteral("Código");
    }
    // Currency of the amount columns.
    if (!m_d.importes.isEmpty()) {
        bool euros;
        const QString pesetas = m_d.importes.first().pesetas;
        if (guardar) {
            QString v = f.leeCadena(m_d.seccion, ini::PtsEuros, pesetas);
            if (v.isEmpty())
                v = pesetas;
            euros = v.compare(pesetas, Qt::CaseInsensitive) != 0;
        } else {
            euros = leBoolINI(ini::Aplicacion, ini::MostrarImportesEuros, ini::DefMostrarImportesEuros);
        }
        MostrarEuros(euros);
    }

    // 3. Column widths, under the field each column shows.
    for (int i = 0; i < m_modelo->columnCount(); ++i)
        m_tabla->setColumnWidth(i, f.leeEntero(m_d.seccion, m_modelo->columna(i).campo, m_tabla->columnWidth(i)));

    // 4. Close hint and caption.
    if (QAction* a = accion(QStringLiteral("ActCerrar"))) {
        a->setToolTip(m_d.pistaCerrar);
        a->setStatusTip(m_d.pistaCerrar);
    }
    ponerTitulo();
    sincronizarRejilla();
    actualizarAcciones();
    m_tabla->setFocus();
}

void TFormLista::closeEvent(QCloseEvent* e)
{
    if (!m_cerrada) {
        m_cerrada = true;
        if (m_mostrada)
            ejecutarProtegido([this] { FormClose(); });
    }
    QDialog::closeEvent(e);
}

void TFormLista::reject()
{
    if (!m_cerrada)
        close();
    else
        QDialog::reject();
}

void TFormLista::FormClose()
{
    ArchivoIni f(rutaIniPrograma());
    f.escribeCadena(m_d.seccion, ini::Lugar, codigoActual());
    f.escribeCadena(m_d.seccion, ini::Ordenar, CampoOrden);
    f.escribeCadena(m_d.seccion, ini::LabelOrdenar, EtiquetaOrden);
    for (int i = 0; i < m_modelo->columnCount(); ++i)
        f.escribeEntero(m_d.seccion, m_modelo->columna(i).campo, m_tabla->columnWidth(i));
    if (!m_d.importes.isEmpty())
        f.escribeCadena(m_d.seccion, ini::PtsEuros, m_modelo->columna(m_d.importes.first().posicion).campo);
    try {
        f.guardar();
    } catch (...) {
        if (motor::Query* q = consulta())
            q->close();
        throw;
    }
    if (motor::Query* q = consulta())
        q->close();
}

// ---------------------------------------------------------------- keys

void TFormLista::keyPressEvent(QKeyEvent* e)
{
    if (teclaAccion(e))
        return;
    QDialog::keyPressEvent(e);
}

bool TFormLista::eventFilter(QObject* o, QEvent* e)
{
    if (o == m_tabla && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const auto mods = k->modifiers() & ~Qt::KeypadModifier;
        if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && mods == Qt::NoModifier) {
            ejecutar([this] { TablaDblClick(); });
            return true;
        }
        if (teclaAccion(k))
            return true;
    }
    return QDialog::eventFilter(o, e);
}

bool TFormLista::teclaAccion(QKeyEvent* e)
{
    const auto mods = e->modifiers() & ~Qt::KeypadModifier;
    auto disparar = [this](const QString& nombre) {
        if (QAction* a = accion(nombre); a && a->isEnabled())
            a->trigger();
        return true;
    };
    if (e->key() == Qt::Key_Escape && mods == Qt::NoModifier)
        return disparar(QStringLiteral("ActCerrar"));
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString t = e->text();
    if (t == QLatin1String("+"))
        return disparar(QStringLiteral("ActNuevo"));
    if (t == QLatin1String("-"))
        return disparar(QStringLiteral("ActEliminar"));
    if (t == QLatin1String("*"))
        return disparar(QStringLiteral("ActModificar"));
    if (mods != Qt::NoModifier || t.size() != 1 || !t.at(0).isLetter())
        return false;
    // Plain letters: the first action of the list carrying the key decides.
    const QChar letra = t.at(0).toUpper();
    for (int i = 0; i < m_acciones.size(); ++i) {
        if (m_teclas[i] == letra) {
            if (m_acciones[i]->isEnabled() && m_acciones[i]->isVisible())
                m_acciones[i]->trigger();
            return true;
        }
    }
    return true;   // the grid never takes typed text
}

// ---------------------------------------------------------------- commands

void TFormLista::abrirEdicion()
{
    if (!m_d.ventanaEdicion)
        return;
    QDialog* w = m_d.ventanaEdicion(this);
    if (!w)
        return;
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->exec();
}

void TFormLista::ActNuevoExecute()
{
    if (!ComprobarUsuario(QStringLiteral("altas/bajas"), m_d.permisoSinEmpresa))
        return;
    Estado().Modo = modo::Nuevo;
    abrirEdicion();
    refrescar();
}

void TFormLista::ActModificarExecute()
{
    if (avisarSiVacia(m_d.mensajeVacio))
        return;
    if (!ComprobarUsuario(QStringLiteral("modificacion"), m_d.permisoSinEmpresa))
        return;
    if (!m_d.mensajeSinCodigo.isEmpty() && codigoNulo()) {
        msError(m_d.mensajeSinCodigo, TituloError);
        return;
    }
    const QString codigo = codigoActual();
    Estado().Modo = modo::Modificar;
    motor::Table* t = tablaEdicion();
    if (!situarTablaEdicion(t, codigo))
        return;
    t->edit();   // a refusal was reported by the data module (EAbort)
    abrirEdicion();
    refrescar();
}

void TFormLista::ActZoomExecute()
{
    if (avisarSiVacia(m_d.mensajeVacio))
        return;
    if (!ComprobarUsuario(QStringLiteral("zoom"), false))
        return;
    Estado().Modo = modo::Zoom;
    Estado().CodigoActual = codigoActual();
    abrirEdicion();
}

void TFormLista::ActEliminarExecute()
{
    if (avisarSiVacia(m_d.mensajeVacio))
        return;
    if (!ComprobarUsuario(QStringLiteral("altas/bajas"), false))
        return;
    const QString codigo = codigoActual();
    for (const ReferenciaLista& r : m_d.referencias) {
        if (Datos() && Datos()->existe(r.tabla, r.columna, codigo)) {
            msInfo(r.mensaje, TituloInformacion);
            return;
        }
    }
    if (Datos() && Datos()->TC)
        Datos()->TC->close();
    motor::Table* t = tablaEdicion();
    if (!situarTablaEdicion(t, codigo))
        return;
    const QString nombre = t->fieldByName(QStringLiteral("Nombre"))->asString();
    if (!msSi(m_d.preguntaEliminar + nombre + QLatin1Char('?'), m_d.tituloEliminar))
        return;
    t->remove();
    refrescar();
}

void TFormLista::abrirConModo(const std::function<void(TFormLista*, int)>& abrir)
{
    if (avisarSiVacia(m_d.mensajeVacio))
        return;
    if (!ComprobarUsuario(QStringLiteral("localizar"), false))
        return;
    if (abrir)
        abrir(this, m_d.codigoModo);
}

void TFormLista::ActBuscarExecute() { abrirConModo(abrirLocalizar()); }

void TFormLista::ActImprimirExecute() { abrirConModo(abrirImprimir()); }

void TFormLista::ActRefrescarExecute()
{
    refrescar();
}

void TFormLista::ActCerrarExecute()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

void TFormLista::TablaDblClick()
{
    ActModificarExecute();
}

// ---------------------------------------------------------------- currency

void TFormLista::MostrarEuros(bool euros)
{
    m_euros = euros;
    if (QAction* a = accion(QStringLiteral("ActEuros")))
        a->setChecked(euros);
    if (QAction* a = accion(QStringLiteral("ActPts")))
        a->setChecked(!euros);
    for (const ColumnaImporte& c : m_d.importes) {
        const QString campo = euros ? c.euros : c.pesetas;
        if (!campo.isEmpty())
            m_modelo->ponerCampoColumna(c.posicion, campo);
    }
}

void TFormLista::ActPtsExecute()
{
    // Both actions toggle (a checkable action flips its own mark before it
    // runs, so the state is read from the window, not from the action).
    MostrarEuros(!m_euros);
}

void TFormLista::ActEurosExecute()
{
    ActPtsExecute();
}
