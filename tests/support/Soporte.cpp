#include "Soporte.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QElapsedTimer>
#include <QDir>

CarpetaPrograma::CarpetaPrograma()
{
    m_habia = qEnvironmentVariableIsSet("PROVENDA_HOME");
    m_anterior = qgetenv("PROVENDA_HOME");
    m_habiaXdg = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    m_anteriorXdg = qgetenv("XDG_CONFIG_HOME");
    qputenv("PROVENDA_HOME", QFile::encodeName(m_dir.path()));
    QDir().mkpath(ruta() + QStringLiteral("xdg"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(ruta() + QStringLiteral("xdg")));
}

CarpetaPrograma::~CarpetaPrograma()
{
    if (m_habia)
        qputenv("PROVENDA_HOME", m_anterior);
    else
        qunsetenv("PROVENDA_HOME");
    if (m_habiaXdg)
        qputenv("XDG_CONFIG_HOME", m_anteriorXdg);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

QString CarpetaPrograma::ruta() const
{
    QString r = m_dir.path();
    if (!r.endsWith(QLatin1Char('/')))
        r += QLatin1Char('/');
    return r;
}

// ---------------------------------------------------------------------------

GrabadorMensajes::GrabadorMensajes()
{
    m_anterior = ponerSumideroMensajes(this);
}

GrabadorMensajes::~GrabadorMensajes()
{
    ponerSumideroMensajes(m_anterior);
}

void GrabadorMensajes::responder(bool respuesta)
{
    m_respuestas.append(respuesta);
}

void GrabadorMensajes::responder(std::initializer_list<bool> respuestas)
{
    for (bool r : respuestas)
        m_respuestas.append(r);
}

bool GrabadorMensajes::mostrar(TipoMensaje tipo, const QString& texto, const QString& titulo)
{
    const MensajeGrabado m{tipo, texto, titulo};
    mensajes.append(m);
    if (alMostrar)
        alMostrar(m);
    if (tipo != TipoMensaje::Si && tipo != TipoMensaje::OK)
        return true;
    if (m_respuestas.isEmpty())
        return true;
    return m_respuestas.takeFirst();
}

QStringList GrabadorMensajes::resumen() const
{
    QStringList r;
    for (const MensajeGrabado& m : mensajes)
        r << mensaje(m.tipo, m.titulo, m.texto);
    return r;
}

QString mensaje(TipoMensaje tipo, const QString& titulo, const QString& texto)
{
    return nombreTipoMensaje(tipo) + QLatin1Char('|') + titulo + QLatin1Char('|') + texto;
}

// ---------------------------------------------------------------------------

void alAbrirModal(std::function<void(QWidget* dialogo)> fn, int msMax)
{
    // The modal widget already up (if any) is not the one we wait for.
    QPointer<QWidget> previo = QApplication::activeModalWidget();
    auto* temporizador = new QTimer;
    auto* reloj = new QElapsedTimer;
    reloj->start();
    temporizador->setInterval(10);
    QObject::connect(temporizador, &QTimer::timeout, temporizador, [=]() {
        QWidget* w = QApplication::activeModalWidget();
        const bool encontrado = w && w != previo.data() && w->isVisible();
        if (!encontrado && reloj->elapsed() < msMax)
            return;
        temporizador->stop();
        temporizador->deleteLater();
        delete reloj;
        if (encontrado)
            fn(w);
        else
            qWarning("alAbrirModal: no modal dialog appeared within %d ms", msMax);
    });
    temporizador->start();
}
