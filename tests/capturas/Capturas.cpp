// provenda-capturas [carpeta] [nombre...]: renders the registered windows to
// <carpeta>/<nombre>.png (default carpeta ./capturas, default all windows).
// --lista prints the names.
#include "Capturas.h"
#include "Soporte.h"
#include "core/EstadoAplicacion.h"
#include "core/Regional.h"
#include "data/UnidadDatos.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMap>
#include <QPixmap>
#include <QTest>
#include <cstdio>
#include <memory>

namespace {
struct Captura {
    std::function<QWidget*()> crear;
    QSize tamano;
};

QMap<QString, Captura>& registro()
{
    static QMap<QString, Captura> r;
    return r;
}

CarpetaPrograma* g_carpeta = nullptr;

void esperar(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}
} // namespace

RegistroCaptura::RegistroCaptura(const char* nombre, std::function<QWidget*()> crear, QSize tamano)
{
    registro().insert(QString::fromUtf8(nombre), Captura{std::move(crear), tamano});
}

QString carpetaCaptura()
{
    return g_carpeta ? g_carpeta->ruta() : QString();
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Boxes are recorded, never shown nor written to a scripted-run file.
    qunsetenv("PROVENDA_MENSAJES");
    QApplication aplicacion(argc, argv);
    regional::inicializar();

    QStringList args = aplicacion.arguments().mid(1);
    if (args.contains(QStringLiteral("--lista"))) {
        for (const QString& n : registro().keys())
            std::printf("%s\n", qPrintable(n));
        return 0;
    }
    const QString destino = args.isEmpty() ? QStringLiteral("capturas") : args.takeFirst();
    if (!QDir().mkpath(destino)) {
        std::fprintf(stderr, "No se puede crear la carpeta %s\n", qPrintable(destino));
        return 1;
    }
    int fallos = 0;
    for (auto it = registro().cbegin(); it != registro().cend(); ++it) {
        if (!args.isEmpty() && !args.contains(it.key()))
            continue;
        CarpetaPrograma carpeta;
        g_carpeta = &carpeta;
        GrabadorMensajes mensajes;
        reiniciarEstado();
        std::unique_ptr<QWidget> w;
        try {
            w.reset(it.value().crear());
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(it.key()), e.what());
            ++fallos;
            g_carpeta = nullptr;
            continue;
        }
        if (it.value().tamano.isValid())
            w->resize(it.value().tamano);
        w->show();
        esperar(150);
        const QString archivo = QDir(destino).filePath(it.key() + QStringLiteral(".png"));
        if (!w->grab().save(archivo)) {
            std::fprintf(stderr, "No se puede guardar %s\n", qPrintable(archivo));
            ++fallos;
        } else {
            std::printf("%s\n", qPrintable(archivo));
        }
        for (const MensajeGrabado& m : mensajes.mensajes)
            std::printf("  [%s] %s %s\n", qPrintable(nombreTipoMensaje(m.tipo)), qPrintable(m.titulo),
                        qPrintable(m.texto));
        w.reset();
        // The next capture starts without the data module of this one.
        if (Datos())
            destruirDatos();
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        g_carpeta = nullptr;
    }
    return fallos ? 1 : 0;
}
