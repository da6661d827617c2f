#include "ui/UnidadI.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

AnimacionProceso::AnimacionProceso(QWidget* parent) : QWidget(parent), m_temporizador(new QTimer(this))
{
    setFixedHeight(16);
    m_temporizador->setInterval(80);
    connect(m_temporizador, &QTimer::timeout, this, [this] {
        m_fotograma = (m_fotograma + 1) % Fotogramas;
        update();
    });
}

void AnimacionProceso::setActive(bool activa)
{
    if (activa) {
        m_temporizador->start();
    } else {
        m_temporizador->stop();
        m_fotograma = FotogramaParada;
        update();
    }
}

bool AnimacionProceso::active() const
{
    return m_temporizador->isActive();
}

void AnimacionProceso::paintEvent(QPaintEvent*)
{
    if (m_clip == Ninguno)
        return;
    // Copy clip: a sheet of paper travelling from the left folder to the right one.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int h = height();
    const QColor carpeta(0xE0, 0xB0, 0x40);
    p.setPen(Qt::NoPen);
    p.setBrush(carpeta);
    p.drawRoundedRect(QRectF(4, 2, 22, h - 4), 2, 2);
    p.drawRoundedRect(QRectF(width() - 26, 2, 22, h - 4), 2, 2);
    const double recorrido = width() - 60.0;
    const double x = 30 + recorrido * m_fotograma / double(Fotogramas - 1);
    p.setBrush(Qt::white);
    p.setPen(QColor(0x60, 0x60, 0x60));
    p.drawRect(QRectF(x, 2, 10, h - 5));
}

TFormI::TFormI(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormI"));
    // Tool window: close box only, no minimize or maximize.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Espere por favor..."));
    setFixedSize(314, 180);
    setCursor(Qt::WaitCursor);
    setModal(false);

    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(8, 8, 8, 8);
    Animacion = new AnimacionProceso(this);
    Animacion->setObjectName(QStringLiteral("Animacion"));
    Animacion->setToolTip(QStringLiteral("Realizando proceso"));
    Animacion->setStatusTip(QStringLiteral("Realizando proceso"));
    capa->addWidget(Animacion);

    L = new QLabel(textoPorDefecto(), this);
    L->setObjectName(QStringLiteral("L"));
    L->setWordWrap(true);
    L->setAlignment(Qt::AlignCenter);
    // Room for three or four lines.
    L->setMinimumHeight(4 * L->fontMetrics().lineSpacing());
    capa->addWidget(L, 1);

    BCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    BCancelar->setObjectName(QStringLiteral("BCancelar"));
    BCancelar->setVisible(false);
    capa->addWidget(BCancelar, 0, Qt::AlignCenter);

    B = new QProgressBar(this);
    B->setObjectName(QStringLiteral("B"));
    B->setRange(0, 100);
    B->setValue(0);
    capa->addWidget(B);
}

void TFormI::empezar(const QString& texto, bool clipCopia)
{
    if (clipCopia) {
        Animacion->ponerClip(AnimacionProceso::CopiarArchivo);
        Animacion->setActive(true);
    }
    L->setText(texto);
    B->setVisible(false);
    if (QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
    show();
    repaint();
}

void TFormI::paso(const QString& texto)
{
    L->setText(texto);
    L->repaint();
    repaint();
}

void TFormI::terminar(bool mostrarBarra)
{
    Animacion->setActive(false);
    if (mostrarBarra)
        B->setVisible(true);
    hide();
}

namespace {
QPointer<TFormI>& unico()
{
    static QPointer<TFormI> f;
    return f;
}
} // namespace

TFormI* FormI()
{
    return unico().data();
}

TFormI* crearFormI()
{
    if (!unico())
        unico() = new TFormI;
    return unico().data();
}

void destruirFormI()
{
    delete unico().data();
}
