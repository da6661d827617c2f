#include "app/CErrores.h"

#include "core/Errores.h"
#include "core/Mensajes.h"
#include "core/Regional.h"
#include "ui/ManejoErrores.h"

#include <QDateTime>
#include <QFile>
#if __has_include(<cxxabi.h>)
#include <cxxabi.h>
#define PROVENDA_DEMANGLE 1
#endif
#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace {
std::unique_ptr<TExceptionLog>& unico()
{
    static std::unique_ptr<TExceptionLog> log;
    return log;
}

QString nombreDeTipo(const std::type_info& t)
{
#ifdef PROVENDA_DEMANGLE
    int estado = 0;
    char* nombre = abi::__cxa_demangle(t.name(), nullptr, nullptr, &estado);
    const QString r = QString::fromLatin1(estado == 0 && nombre ? nombre : t.name());
    std::free(nombre);
    return r;
#else
    return QString::fromLatin1(t.name());
#endif
}
} // namespace

TExceptionLog* TExceptionLog::crear(const QString& archivoLog)
{
    if (!unico()) {
        unico().reset(new TExceptionLog(archivoLog));
        // Errors that windows catch in their handlers reach the same box and log.
        ponerManejadorExcepciones([](const std::exception&) { informarExcepcionActual(); });
    }
    return unico().get();
}

TExceptionLog* TExceptionLog::instancia()
{
    return unico().get();
}

void TExceptionLog::destruir()
{
    ponerManejadorExcepciones({});
    unico().reset();
}

QString TExceptionLog::linea(const QDateTime& cuando, const QString& clase, const QString& mensaje)
{
    QString m = mensaje;
    // One line per error, whatever the message holds.
    m.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    return QStringLiteral("Error: ") + regional::fechaHora(cuando) + QStringLiteral(" -> ") + clase
        + QStringLiteral(": ") + m;
}

void TExceptionLog::escribir(const QString& texto) const noexcept
{
    try {
        QFile f(m_archivo);
        // Append creates the file when it is missing.
        if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
            return;
        f.write((texto + QLatin1Char('\n')).toUtf8());
        f.close();
    } catch (...) {
        // Best effort: the log never raises.
    }
}

void TExceptionLog::manejar(const QString& clase, const QString& mensaje)
{
    const QDateTime cuando = QDateTime::currentDateTime();
    try {
        msError(QStringLiteral("Se ha producido el siguiente error:") + QStringLiteral("\n\n") + mensaje,
                QStringLiteral("Error..."));
    } catch (...) {
    }
    escribir(linea(cuando, clase, mensaje));
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void informarExcepcionActual() noexcept
{
    QString clase, mensaje;
    try {
        throw;
    } catch (const EAbort&) {
        return;
    } catch (const Excepcion& e) {
        clase = e.clase();
        mensaje = e.mensaje();
    } catch (const std::exception& e) {
        clase = nombreDeTipo(typeid(e));
        mensaje = QString::fromLocal8Bit(e.what());
    } catch (...) {
        clase = QStringLiteral("Exception");
        mensaje = QStringLiteral("Error desconocido.");
    }
    try {
        if (TExceptionLog* log = TExceptionLog::instancia()) {
            log->manejar(clase, mensaje);
        } else {
            msError(QStringLiteral("Se ha producido el siguiente error:\n\n") + mensaje, QStringLiteral("Error..."));
            while (QApplication::overrideCursor())
                QApplication::restoreOverrideCursor();
        }
    } catch (...) {
    }
}

TAplicacion::TAplicacion(int& argc, char** argv) : QApplication(argc, argv) {}

bool TAplicacion::notify(QObject* receptor, QEvent* evento)
{
    try {
        return QApplication::notify(receptor, evento);
    } catch (...) {
        informarExcepcionActual();
        return false;
    }
}
