#include "app/Arranque.h"

#include "app/CErrores.h"
#include "app/UnidadMenuPrincipal.h"
#include "app/Ventanas.h"
#include "core/EstadoAplicacion.h"
#include "core/Mensajes.h"
#include "core/Regional.h"
#include "platform/Plataforma.h"
#include "ui/CajasMensaje.h"
#include "ui/UnidadI.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <memory>

namespace arranque {

std::function<bool()> ejecutarLogin;

QString textoYaAbierta()
{
    return app::Titulo + QStringLiteral(" ya está abierta, ") + QStringLiteral("maximícela desde la barra de tareas de Windows.");
}

void prepararCarpetas(const QString& carpetaPrograma)
{
    QString base = carpetaPrograma;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    QDir raiz(base);
    if (!raiz.exists(QStringLiteral("TEMP")))
        raiz.mkdir(QStringLiteral("TEMP"));
    if (!raiz.exists(QStringLiteral("NET")))
        raiz.mkdir(QStringLiteral("NET"));
    QDir temp(base + QStringLiteral("TEMP"));
    const QStringList bloqueos =
        temp.entryList({QStringLiteral("*.lck")}, QDir::Files | QDir::NoDotAndDotDot); // ordinary files only
    for (const QString& f : bloqueos)
        QFile::remove(temp.filePath(f)); // one held by a running engine is skipped
}

int ejecutar(TAplicacion& aplicacion)
{
    regional::inicializar();
    instalarCajasMensaje();

    // The single-instance check comes before the folders: a second copy must
    // not delete the lock files of the copy that is running.
    plataforma::InstanciaUnica instancia(app::Titulo);
    if (!instancia.adquirir()) {
        msAtencion(textoYaAbierta(), tituloYaAbierta());
        return 0;
    }
    prepararCarpetas(plataforma::carpetaPrograma());

    QApplication::setApplicationName(QStringLiteral("provenda"));
    QApplication::setApplicationVersion(app::Version);

    registrarVentanasPrograma();
    auto principal = std::make_unique<TFormMenuPrincipal>();
    principal->showMaximized();
    crearFormI();
    struct FinFormI { ~FinFormI() { destruirFormI(); } } finFormI;

    const bool seguir = !ejecutarLogin || ejecutarLogin();
    // The login restores the cursor on acceptance; without one nobody would.
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();

    QApplication::setApplicationDisplayName(app::Titulo);
    Estado().NombreAplicacion = app::Titulo;
    Estado().VersionAplicacion = app::Version;
    if (!seguir)
        return 0; // the main window's close handler does not run on this road

    const int codigo = aplicacion.exec();
    principal.reset();
    TExceptionLog::destruir();
    return codigo;
}

} // namespace arranque
