#include "ui/ControlesDatos.h"

#include "core/Errores.h"
#include "core/Mensajes.h"
#include "core/Regional.h"

#include <QBuffer>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

// ---------------------------------------------------------------- base

EnlaceCampo::EnlaceCampo(ControlDatos* control, QWidget* widget)
    : QObject(widget), m_control(control)
{
}

void EnlaceCampo::enlazar(motor::Dataset* ds, const QString& campo)
{
    m_control->enlazar(ds, campo);
}

ControlDatos::ControlDatos(QWidget* widget)
    : m_widget(widget), m_enlace(new EnlaceCampo(this, widget))
{
}

void ControlDatos::enlazar(motor::Dataset* ds, const QString& campo)
{
    for (const auto& c : m_conexiones)
        QObject::disconnect(c);
    m_conexiones.clear();
    m_ds = ds;
    m_campo = campo;
    if (ds) {
        auto mostrarDeNuevo = [this] { refrescar(); };
        m_conexiones << QObject::connect(ds, &motor::Dataset::dataReset, m_enlace, mostrarDeNuevo);
        m_conexiones << QObject::connect(ds, &motor::Dataset::currentChanged, m_enlace, mostrarDeNuevo);
        m_conexiones << QObject::connect(ds, &motor::Dataset::stateChanged, m_enlace, mostrarDeNuevo);
        m_conexiones << QObject::connect(ds, &motor::Dataset::fieldChanged, m_enlace,
                                         [this](const QString& n) { alCambiarCampo(n); });
    }
    refrescar();
}

motor::Table* ControlDatos::tabla() const
{
    return qobject_cast<motor::Table*>(m_ds.data());
}

motor::Field* ControlDatos::campo() const
{
    if (!m_ds || !m_ds->isOpen() || m_campo.isEmpty())
        return nullptr;
    return m_ds->findField(m_campo);
}

void ControlDatos::ponerEtiqueta(QLabel* etiqueta)
{
    m_etiqueta = etiqueta;
    if (etiqueta)
        etiqueta->setBuddy(m_widget);
}

bool ControlDatos::editable() const
{
    if (!m_ds)
        return false;
    const auto st = m_ds->state();
    return st == motor::Dataset::State::Edit || st == motor::Dataset::State::Insert;
}

void ControlDatos::refrescar()
{
    if (m_escribiendo)
        return;
    m_cargando = true;
    m_modificado = false;
    mostrar(campo());
    ponerSoloLectura(!editable());
    m_cargando = false;
}

void ControlDatos::alCambiarCampo(const QString& nombre)
{
    if (m_escribiendo || nombre.compare(m_campo, Qt::CaseInsensitive) != 0)
        return;
    // Set from code: shown, but the box is not marked modified by it.
    const bool eraModificado = m_modificado;
    m_cargando = true;
    mostrar(campo());
    m_cargando = false;
    m_modificado = eraModificado;
}

bool ControlDatos::escribir(const QVariant& valor)
{
    motor::Field* f = campo();
    if (!f || !editable()) {
        refrescar();
        return false;
    }
    m_escribiendo = true;
    try {
        f->setValue(valor);
    } catch (const Excepcion& e) {
        // Called from the box's own signal handlers: nothing may escape into
        // the event loop, so the refusal is shown here.
        m_escribiendo = false;
        msError(e.mensaje(), QStringLiteral("Error..."));
        refrescar();
        return false;
    }
    m_escribiendo = false;
    m_modificado = true;
    emit m_enlace->editadoPorUsuario();
    return true;
}

bool localizarCodigo(motor::Dataset* ds, const QString& codigo)
{
    if (!ds || !ds->isOpen() || ds->recordCount() == 0)
        return false;
    motor::Field* f = ds->findField(QStringLiteral("Codigo"));
    if (!f)
        return false;
    if (f->type() == motor::FieldType::Integer || f->type() == motor::FieldType::AutoInc) {
        bool ok = false;
        const int n = codigo.trimmed().toInt(&ok);
        return ok && ds->locate(QStringLiteral("Codigo"), n);
    }
    return ds->locate(QStringLiteral("Codigo"), codigo);
}

// ---------------------------------------------------------------- masks

QString mascaraQt(const QString& mascaraEsquema)
{
    // Schema form: [!]mask[;keepLiterals[;blank]]. Its '0' is a required digit
    // and '9' an optional one; Qt has them the other way round.
    QStringList partes = mascaraEsquema.split(QLatin1Char(';'));
    QString m = partes.value(0);
    if (m.startsWith(QLatin1Char('!')))
        m.remove(0, 1);
    QString q;
    for (QChar c : m) {
        if (c == QLatin1Char('0'))
            q += QLatin1Char('9');
        else if (c == QLatin1Char('9'))
            q += QLatin1Char('0');
        else
            q += c;   // separators and other mask characters alike
    }
    const QString blanco = partes.value(2, QStringLiteral("_"));
    return q + QLatin1Char(';') + (blanco.isEmpty() ? QStringLiteral(" ") : blanco.left(1));
}

// ---------------------------------------------------------------- TDBEdit

TDBEdit::TDBEdit(QWidget* parent) : QLineEdit(parent), ControlDatos(this)
{
    connect(this, &QLineEdit::textEdited, this, &TDBEdit::alEditar);
}

void TDBEdit::ponerMascara(const QString& mascaraEsquema)
{
    m_conMascara = !mascaraEsquema.isEmpty();
    setInputMask(m_conMascara ? mascaraQt(mascaraEsquema) : QString());
}

void TDBEdit::mostrar(motor::Field* f)
{
    m_pendiente = false;
    const QString t = f ? f->asString() : QString();
    if (t != text())
        setText(t);
}

void TDBEdit::ponerSoloLectura(bool soloLectura)
{
    setReadOnly(soloLectura);
}

void TDBEdit::keyPressEvent(QKeyEvent* e)
{
    if (m_numerico && !isReadOnly() && e->text() == QLatin1String(".")) {
        QKeyEvent coma(e->type(), Qt::Key_Comma, e->modifiers(), QStringLiteral(","));
        QLineEdit::keyPressEvent(&coma);
        e->setAccepted(coma.isAccepted());
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void TDBEdit::focusOutEvent(QFocusEvent* e)
{
    // The box is left: whatever was typed reaches the field before anyone
    // (an exit check) reads it.
    confirmar();
    QLineEdit::focusOutEvent(e);
}

void TDBEdit::confirmar()
{
    if (m_pendiente && editable())
        guardarTexto(text(), true);
}

void TDBEdit::alEditar(const QString& texto)
{
    if (cargando())
        return;
    QString t = texto;
    if (m_mayusculas) {
        const QString u = t.toUpper();
        if (u != t) {
            const int pos = cursorPosition();
            setText(u);
            setCursorPosition(pos);
            t = u;
        }
    }
    m_pendiente = true;
    guardarTexto(t, false);
}

static bool soloBlancos(const QString& t)
{
    for (QChar c : t)
        if (c.isLetterOrNumber())
            return false;
    return true;
}

bool TDBEdit::guardarTexto(const QString& texto, bool alSalir)
{
    motor::Field* f = campo();
    if (!f)
        return false;
    switch (f->type()) {
    case motor::FieldType::Date: {
        if (soloBlancos(texto)) {
            m_pendiente = false;
            return escribir(QVariant());
        }
        const auto d = regional::leeFecha(texto.trimmed());
        if (d && d->isValid()) {
            m_pendiente = false;
            return escribir(*d);
        }
        return false;   // incomplete: stays typed until it reads as a date
    }
    case motor::FieldType::Integer:
    case motor::FieldType::AutoInc:
    case motor::FieldType::Float:
    case motor::FieldType::Currency: {
        if (texto.trimmed().isEmpty()) {
            m_pendiente = false;
            return escribir(QVariant());
        }
        const auto v = regional::leeReal(texto);
        if (!v) {
            if (alSalir) {
                m_pendiente = false;
                msError(QStringLiteral("'%1' no es un valor numérico válido.").arg(texto),
                        QStringLiteral("Error..."));
                refrescar();
            }
            return false;
        }
        m_pendiente = false;
        if (f->type() == motor::FieldType::Integer || f->type() == motor::FieldType::AutoInc)
            return escribir(qint64(qRound64(*v)));
        return escribir(*v);
    }
    default:
        m_pendiente = false;
        if (m_conMascara && soloBlancos(texto))
            return escribir(QVariant());
        return escribir(texto.isEmpty() ? QVariant() : QVariant(texto));
    }
}

// ---------------------------------------------------------------- TDBCheckBox

TDBCheckBox::TDBCheckBox(const QString& texto, QWidget* parent)
    : QCheckBox(texto, parent), ControlDatos(this)
{
    connect(this, &QCheckBox::toggled, this, [this](bool marcado) {
        if (!cargando())
            escribir(marcado);
    });
}

void TDBCheckBox::mostrar(motor::Field* f)
{
    setChecked(f && !f->isNull() && f->asBoolean());
}

void TDBCheckBox::ponerSoloLectura(bool soloLectura)
{
    m_soloLectura = soloLectura;
}

void TDBCheckBox::nextCheckState()
{
    if (m_soloLectura)
        return;
    QCheckBox::nextCheckState();
}

// ---------------------------------------------------------------- TDBComboBox

TDBComboBox::TDBComboBox(QWidget* parent) : QComboBox(parent), ControlDatos(this)
{
    setEditable(false);
    setInsertPolicy(QComboBox::InsertAlphabetically);
    connect(this, &QComboBox::activated, this, [this](int i) {
        if (cargando())
            return;
        if (m_soloLectura) {
            refrescar();
            return;
        }
        escribir(itemText(i));
    });
}

void TDBComboBox::ponerElementos(const QStringList& elementos)
{
    QStringList l = elementos;
    std::sort(l.begin(), l.end(), [](const QString& a, const QString& b) {
        return QString::localeAwareCompare(a, b) < 0;
    });
    blockSignals(true);
    clear();
    addItems(l);
    blockSignals(false);
    refrescar();
}

void TDBComboBox::mostrar(motor::Field* f)
{
    const QString t = f ? f->asString() : QString();
    setCurrentIndex(findText(t));
}

void TDBComboBox::ponerSoloLectura(bool soloLectura)
{
    m_soloLectura = soloLectura;
}

void TDBComboBox::keyPressEvent(QKeyEvent* e)
{
    if (m_soloLectura) {
        // Browsing: nothing typed changes the record; keys that move the
        // focus still go on.
        if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab || e->key() == Qt::Key_Escape
            || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            e->ignore();
            return;
        }
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Down && e->modifiers() == Qt::NoModifier) {
        showPopup();   // the down arrow opens the list
        return;
    }
    QComboBox::keyPressEvent(e);
}

void TDBComboBox::wheelEvent(QWheelEvent* e)
{
    if (m_soloLectura)
        return;
    QComboBox::wheelEvent(e);
}

void TDBComboBox::showPopup()
{
    if (m_soloLectura)
        return;
    QComboBox::showPopup();
}

// ---------------------------------------------------------------- TDBMemo

TDBMemo::TDBMemo(QWidget* parent) : QPlainTextEdit(parent), ControlDatos(this)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (cargando() || isReadOnly())
            return;
        const QString t = toPlainText();
        escribir(t.isEmpty() ? QVariant() : QVariant(t));
    });
}

void TDBMemo::mostrar(motor::Field* f)
{
    const QString t = f ? f->asString() : QString();
    if (t != toPlainText())
        setPlainText(t);
}

void TDBMemo::ponerSoloLectura(bool soloLectura)
{
    setReadOnly(soloLectura);
}

void TDBMemo::keyPressEvent(QKeyEvent* e)
{
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        focusNextChild();   // Enter never starts a new line here
        return;
    }
    QPlainTextEdit::keyPressEvent(e);
}

// ---------------------------------------------------------------- TDBImage

TDBImage::TDBImage(QWidget* parent) : QLabel(parent), ControlDatos(this)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
}

void TDBImage::ponerAjustar(bool si)
{
    m_ajustar = si;
    pintar();
}

void TDBImage::mostrar(motor::Field* f)
{
    m_imagen = QImage();
    if (f && !f->isNull())
        m_imagen.loadFromData(f->asBlob());
    pintar();
}

bool TDBImage::ponerImagen(const QImage& imagen)
{
    if (imagen.isNull())
        return escribir(QVariant()) && (m_imagen = QImage(), pintar(), true);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    if (!imagen.save(&buf, "PNG"))
        return false;
    if (!escribir(bytes))
        return false;
    m_imagen = imagen;
    pintar();
    return true;
}

void TDBImage::resizeEvent(QResizeEvent* e)
{
    QLabel::resizeEvent(e);
    if (m_ajustar)
        pintar();
}

void TDBImage::pintar()
{
    if (m_imagen.isNull()) {
        clear();
        return;
    }
    QPixmap p = QPixmap::fromImage(m_imagen);
    if (m_ajustar)
        p = p.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    setPixmap(p);
}

// ---------------------------------------------------------------- factory

ControlDatos* crearControl(const esquema::Campo& campo, QWidget* parent)
{
    switch (campo.tipo) {
    case motor::FieldType::Boolean:
        return new TDBCheckBox(campo.titulo(), parent);
    case motor::FieldType::Memo:
        return new TDBMemo(parent);
    case motor::FieldType::Graphic:
        return new TDBImage(parent);
    case motor::FieldType::Date: {
        auto* e = new TDBEdit(parent);
        e->ponerMascara(campo.mascara.isEmpty() ? esquema::MascaraFecha : campo.mascara);
        return e;
    }
    case motor::FieldType::Integer:
    case motor::FieldType::AutoInc:
    case motor::FieldType::Float:
    case motor::FieldType::Currency: {
        auto* e = new TDBEdit(parent);
        e->ponerNumerico(true);
        return e;
    }
    default: {
        auto* e = new TDBEdit(parent);
        if (campo.tamano > 0)
            e->setMaxLength(campo.tamano);
        else if (campo.tipo == motor::FieldType::String)
            e->setMaxLength(20);
        if (!campo.mascara.isEmpty())
            e->ponerMascara(campo.mascara);
        return e;
    }
    }
}
