#include "core/Mensajes.h"

#include <QFile>
#include <QTextStream>
#include <cstdio>

namespace {

SumideroMensajes* g_sumidero = nullptr;

bool respuestaPorDefecto(TipoMensaje tipo)
{
    // The first button is the default: Yes for msSi, OK for msOK.
    Q_UNUSED(tipo);
    return true;
}

QString enUnaLinea(QString texto)
{
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    texto.replace(QLatin1Char('\r'), QStringLiteral("\\n"));
    texto.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    texto.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return texto;
}

// Scripted runs: one line per box in the file named by PROVENDA_MENSAJES.
class SumideroArchivo : public SumideroMensajes {
public:
    bool mostrar(TipoMensaje tipo, const QString& texto, const QString& titulo) override
    {
        QFile f(qEnvironmentVariable("PROVENDA_MENSAJES"));
        if (f.open(QIODevice::WriteOnly | QIODevice::Append)) {
            const QString linea = nombreTipoMensaje(tipo) + QLatin1Char('\t') + enUnaLinea(titulo)
                + QLatin1Char('\t') + enUnaLinea(texto) + QLatin1Char('\n');
            f.write(linea.toUtf8());
            f.close();
        }
        return respuestaPorDefecto(tipo);
    }
};

class SumideroError : public SumideroMensajes {
public:
    bool mostrar(TipoMensaje tipo, const QString& texto, const QString& titulo) override
    {
        const QString linea = QLatin1Char('[') + nombreTipoMensaje(tipo) + QStringLiteral("] ")
            + titulo + QStringLiteral(" ") + enUnaLinea(texto) + QLatin1Char('\n');
        std::fputs(linea.toLocal8Bit().constData(), stderr);
        return respuestaPorDefecto(tipo);
    }
};

SumideroMensajes* sumideroPorDefecto()
{
    static SumideroArchivo archivo;
    static SumideroError error;
    if (mensajesGuionados())
        return &archivo;
    return &error;
}

bool mostrar(TipoMensaje tipo, const QString& texto, const QString& titulo)
{
    return sumideroMensajes()->mostrar(tipo, texto, titulo);
}

} // namespace

QString nombreTipoMensaje(TipoMensaje tipo)
{
    switch (tipo) {
    case TipoMensaje::Error: return QStringLiteral("error");
    case TipoMensaje::Info: return QStringLiteral("info");
    case TipoMensaje::Atencion: return QStringLiteral("atencion");
    case TipoMensaje::Si: return QStringLiteral("si");
    case TipoMensaje::OK: return QStringLiteral("ok");
    }
    return QString();
}

SumideroMensajes* sumideroMensajes()
{
    return g_sumidero ? g_sumidero : sumideroPorDefecto();
}

SumideroMensajes* ponerSumideroMensajes(SumideroMensajes* sumidero)
{
    SumideroMensajes* anterior = g_sumidero;
    g_sumidero = sumidero;
    return anterior;
}

bool mensajesGuionados()
{
    return !qEnvironmentVariableIsEmpty("PROVENDA_MENSAJES");
}

void msError(const QString& texto, const QString& titulo) { mostrar(TipoMensaje::Error, texto, titulo); }
void msInfo(const QString& texto, const QString& titulo) { mostrar(TipoMensaje::Info, texto, titulo); }
void msAtencion(const QString& texto, const QString& titulo) { mostrar(TipoMensaje::Atencion, texto, titulo); }
bool msSi(const QString& texto, const QString& titulo) { return mostrar(TipoMensaje::Si, texto, titulo); }
bool msOK(const QString& texto, const QString& titulo) { return mostrar(TipoMensaje::OK, texto, titulo); }
