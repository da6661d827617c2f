#include "ui/UnidadEdicionBase.h"

#include "core/Errores.h"
#include "core/EstadoAplicacion.h"
#include "core/Ini.h"
#include "core/Mensajes.h"
#include "core/Utilidades.h"
#include "data/UnidadDatos.h"
#include "ui/GrupoMoneda.h"
#include "ui/ManejoErrores.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {
const QString TituloError = QStringLiteral("Error...");
}

TFormEdicion::TFormEdicion(DescripcionEdicion descripcion, QWidget* parent)
    : QDialog(parent), m_d(std::move(descripcion))
{
    // Fixed single border with no title-bar buttons: only Aceptar or
    // Cancelar leave the window.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(m_d.titulo);
    setFixedSize(m_d.tamano);
    setModal(true);
}

TFormEdicion::~TFormEdicion()
{
    if (m_filtro)
        qApp->removeEventFilter(this);
}

motor::Table* TFormEdicion::tabla() const
{
    return m_d.tabla ? m_d.tabla() : nullptr;
}

bool TFormEdicion::editable() const
{
    motor::Table* t = tabla();
    if (!t)
        return false;
    const auto st = t->state();
    return st == motor::Dataset::State::Edit || st == motor::Dataset::State::Insert;
}

QList<ControlDatos*> TFormEdicion::controles() const
{
    QList<ControlDatos*> l;
    for (QWidget* w : findChildren<QWidget*>())
        if (auto* c = dynamic_cast<ControlDatos*>(w))
            l << c;
    return l;
}

void TFormEdicion::terminarConstruccion()
{
    if (TxtCodigo)
        ponerComprobacion(TxtCodigo, [this] { return TxtCodigoExit(); });
    if (TxtNombre)
        ponerComprobacion(TxtNombre, [this] { return TxtNombreExit(); });
    if (TxtNIF)
        ponerComprobacion(TxtNIF, [this] { return TxtNIFExit(); });
    if (BAceptar) {
        BAceptar->setAutoDefault(false);
        connect(BAceptar, &QAbstractButton::clicked, this, [this] {
            // A check that failed during this press took the focus back:
            // the press does not go on to accept.
            if (m_falloReciente) {
                m_falloReciente = false;
                return;
            }
            BAceptarClick();
        });
    }
    if (BCancelar) {
        BCancelar->setAutoDefault(false);
        connect(BCancelar, &QAbstractButton::clicked, this, &TFormEdicion::BCancelarClick);
    }
    if (BSeleccionar) {
        BSeleccionar->setFocusPolicy(Qt::NoFocus);
        connect(BSeleccionar, &QAbstractButton::clicked, this, &TFormEdicion::BSeleccionarClick);
    }
}

void TFormEdicion::ponerComprobacion(QWidget* caja, std::function<bool()> fn)
{
    m_comprobaciones.insert(caja, std::move(fn));
}

// ---------------------------------------------------------------- showing

void TFormEdicion::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!m_filtro) {
        // Key preview and box-exit checks at window level.
        qApp->installEventFilter(this);
        m_filtro = true;
    }
    if (m_mostrada)
        return;
    m_mostrada = true;
    // Centred on the screen, not on the window that opened it.
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    ejecutarProtegido([this] { FormShow(); });
}

void TFormEdicion::hideEvent(QHideEvent* e)
{
    if (m_filtro) {
        qApp->removeEventFilter(this);
        m_filtro = false;
    }
    QDialog::hideEvent(e);
}

void TFormEdicion::FormShow()
{
    m_modo = Estado().Modo;
    if (!m_grupos.isEmpty()
        && leBoolINI(ini::Aplicacion, ini::IntroducirImportesEuros, ini::DefIntroducirImportesEuros))
        for (GrupoMoneda* g : m_grupos)
            g->cambiar();
    motor::Table* t = tabla();
    if (!t)
        return;
    if (m_d.abrirSiempre && !t->isOpen())
        t->open();
    if (m_modo == modo::Nuevo) {
        setWindowTitle(m_d.tituloNuevo);
        if (!t->isOpen())
            t->open();
        t->insert();
        alMostrarNuevo();
        if (focoNuevo)
            focoNuevo->setFocus();
    } else if (m_modo == modo::Modificar) {
        setWindowTitle(m_d.tituloModificar);
        if (TxtCodigo)
            TxtCodigo->setEnabled(false);
        if (BSeleccionar)
            BSeleccionar->hide();
        alMostrarModificar();
        if (focoModificar)
            focoModificar->setFocus();
    } else if (m_modo == modo::Zoom) {
        setWindowTitle(m_d.tituloZoom);
        if (!t->isOpen())
            t->open();
        if (!localizarCodigo(t, Estado().CodigoActual)) {
            // Showing another record under "Visualizar" would mislead.
            msError(QStringLiteral("El registro actual ha sido ELIMINADO por otro usuario. "
                                   "Pulse refrescar para actualizar los cambios."),
                    QStringLiteral("Registro eliminado..."));
            QTimer::singleShot(0, this, [this] { BCancelarClick(); });
        }
        if (BSeleccionar)
            BSeleccionar->hide();
        if (BAceptar)
            BAceptar->hide();
        alMostrarZoom();
        if (BCancelar)
            BCancelar->setFocus();
    }
    for (ControlDatos* c : controles())
        c->refrescar();
}

// ---------------------------------------------------------------- closing

void TFormEdicion::closeEvent(QCloseEvent* e)
{
    if (!m_cerrada) {
        m_cerrada = true;
        ejecutarProtegido([this] { FormClose(); });
    }
    QDialog::closeEvent(e);
}

void TFormEdicion::reject()
{
    // Esc and the window manager's close: Cancelar.
    if (!m_cerrada)
        BCancelarClick();
    else
        QDialog::reject();
}

void TFormEdicion::FormClose()
{
    if (m_filtro) {
        qApp->removeEventFilter(this);
        m_filtro = false;
    }
    // A window that is gone never leaves a half-made record behind.
    if (editable()) {
        try {
            tabla()->cancel();
        } catch (...) {
        }
    }
    if (m_d.cerrarTC && Datos() && Datos()->TC)
        Datos()->TC->close();
}

void TFormEdicion::BAceptarClick()
{
    for (ControlDatos* c : controles())
        c->confirmar();
    if (!antesDeGuardar())
        return;
    motor::Table* t = tabla();
    if (t && editable()) {
        for (GrupoMoneda* g : m_grupos) {
            if (!g->derivar(Estado().CambioEmpresa)) {
                // A company record written by other means: no division by it.
                msError(QStringLiteral("El cambio de la empresa debe ser mayor que cero."), TituloError);
                return;
            }
        }
        try {
            t->post();
        } catch (const std::exception& e) {
            // The data module has shown an engine refusal (EAbort); anything
            // else (a required field left empty) goes to the application's
            // error handling. Either way the record stays in edit or insert
            // state and the window open.
            if (QWidget* w = focoAlFallar()) {
                m_comprobando = true;
                w->setFocus(Qt::OtherFocusReason);
                m_comprobando = false;
            }
            informarExcepcion(e);
            return;
        }
    }
    m_cerrada = true;
    ejecutarProtegido([this] { FormClose(); });
    accept();
    close();
}

void TFormEdicion::BCancelarClick()
{
    if (motor::Table* t = tabla(); t && editable()) {
        try {
            t->cancel();
        } catch (...) {
            // Errors while cancelling are ignored.
        }
    }
    m_cerrada = true;
    ejecutarProtegido([this] { FormClose(); });
    QDialog::reject();
    close();
}

void TFormEdicion::BSeleccionarClick()
{
    // The selection window comes later; until then choosing a code does nothing.
}

// ---------------------------------------------------------------- checks

void TFormEdicion::volverACaja(QWidget* caja)
{
    const bool antes = m_comprobando;
    m_comprobando = true;
    caja->setFocus(Qt::OtherFocusReason);
    if (auto* le = qobject_cast<QLineEdit*>(caja))
        le->selectAll();
    m_comprobando = antes;
}

void TFormEdicion::fallo(QWidget* caja, const QString& mensaje, const QString& titulo)
{
    msError(mensaje, titulo);
    volverACaja(caja);
}

bool TFormEdicion::TxtCodigoExit()
{
    if (m_modo != modo::Nuevo || !TxtCodigo)
        return true;
    bool ok = true;
    const QString texto = TxtCodigo->text();
    if (texto.isEmpty() && !m_d.codigoVacio.isEmpty()) {
        msError(m_d.codigoVacio, TituloError);
        ok = false;
    }
    // Run whether or not the box was empty.
    if (!m_d.codigoDuplicado.isEmpty() && Datos()
        && Datos()->existe(m_d.tablaEsquema, QStringLiteral("Codigo"), texto)) {
        msError(m_d.codigoDuplicado, TituloError);
        ok = false;
    }
    if (!ok)
        volverACaja(TxtCodigo);
    return ok;
}

bool TFormEdicion::TxtNombreExit()
{
    if (!TxtNombre)
        return true;
    const QString texto = TxtNombre->text();
    if (texto.isEmpty()) {
        if (m_d.nombreVacio.isEmpty())
            return true;
        fallo(TxtNombre, m_d.nombreVacio);
        return false;
    }
    // Names differing only in case are the same name (Unicode upper case).
    if (m_modo == modo::Nuevo && !m_d.nombreDuplicado.isEmpty() && Datos()
        && Datos()->existe(m_d.tablaEsquema, QStringLiteral("Nombre"), texto, true)) {
        fallo(TxtNombre, m_d.nombreDuplicado);
        return false;
    }
    return true;
}

bool TFormEdicion::TxtNIFExit()
{
    if (!TxtNIF || (m_modo != modo::Nuevo && m_modo != modo::Modificar))
        return true;
    if (TxtNIF->text().isEmpty()) {
        if (m_d.nifVacio.isEmpty())
            return true;
        fallo(TxtNIF, m_d.nifVacio);
        return false;
    }
    // A whole number gets a hyphen and its control letter.
    if (motor::Field* f = TxtNIF->campo()) {
        const QString valor = f->asString();
        const QChar letra = LetraNif(valor);
        if (letra != QLatin1Char(' ') && editable())
            f->setValue(QString(valor + QLatin1Char('-') + letra));
    }
    if (m_modo == modo::Nuevo && !m_d.nifDuplicado.isEmpty() && Datos()
        && Datos()->existe(m_d.tablaEsquema, QStringLiteral("NIF"), TxtNIF->text())) {
        fallo(TxtNIF, m_d.nifDuplicado);
        return false;
    }
    return true;
}

bool TFormEdicion::comprobarAlSalir(QWidget* caja, Qt::FocusReason razon)
{
    if (m_comprobando || m_cerrada || !isVisible())
        return true;
    // Only the user leaves a box (Tab, Enter, a click, an accelerator); focus
    // taken by another window (a message box, a popup) or moved by the
    // program is no leaving.
    if (razon != Qt::TabFocusReason && razon != Qt::BacktabFocusReason
        && razon != Qt::MouseFocusReason && razon != Qt::ShortcutFocusReason)
        return true;
    QWidget* destino = QApplication::focusWidget();
    if (destino && destino->window() != this)
        return true;
    // Going to Cancelar abandons the record: nothing to check.
    if (destino && destino == BCancelar)
        return true;
    auto it = m_comprobaciones.constFind(caja);
    if (it == m_comprobaciones.constEnd())
        return true;
    if (auto* c = dynamic_cast<ControlDatos*>(caja))
        c->confirmar();
    m_comprobando = true;
    bool ok = true;
    try {
        ok = it.value()();
    } catch (const std::exception& e) {
        ok = false;
        informarExcepcion(e);
    }
    m_comprobando = false;
    if (!ok && QApplication::focusWidget() != caja)
        volverACaja(caja);
    // A click that failed the check of the box it left must not go on to
    // press the button it landed on (the focus change runs before the
    // button sees the press).
    m_falloReciente = !ok && razon == Qt::MouseFocusReason;
    return ok;
}

// ---------------------------------------------------------------- keys

bool TFormEdicion::eventFilter(QObject* o, QEvent* e)
{
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || (w != this && !isAncestorOf(w)))
        return QDialog::eventFilter(o, e);

    switch (e->type()) {
    case QEvent::FocusOut:
        // A failed check has already put the focus back into the box: the
        // box must not go on to act as if it had lost it (deselecting).
        if (!comprobarAlSalir(w, static_cast<QFocusEvent*>(e)->reason()))
            return true;
        break;
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(e);
        m_falloReciente = false;
        const auto mods = k->modifiers() & ~Qt::KeypadModifier;
        if (k->key() == Qt::Key_Escape && mods == Qt::NoModifier) {
            if (BCancelar && BCancelar->isVisible() && BCancelar->isEnabled())
                BCancelar->click();
            else
                BCancelarClick();
            return true;
        }
        if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && mods == Qt::NoModifier) {
            // Enter moves on as Tab does; on a focused button it presses it.
            if (auto* b = qobject_cast<QAbstractButton*>(QApplication::focusWidget()); b && isAncestorOf(b))
                b->click();
            else
                focusNextPrevChild(true);
            return true;
        }
        if (w == TxtCodigo && k->text() == QLatin1String("+") && (m_d.tagSeleccion != 0 || m_d.tragarMas)) {
            // "+" in the code box chooses a code and is never typed.
            if (m_d.tagSeleccion != 0 && m_modo != modo::Zoom)
                BSeleccionarClick();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(o, e);
}
