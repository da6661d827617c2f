#include "Soporte.h"
#include "app/CErrores.h"
#include "core/Errores.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <stdexcept>

namespace {
// Throws what it is told when it receives an event, as a window's handler might.
class Lanzador : public QObject {
public:
    std::function<void()> lanzar;
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User) {
            lanzar();
            return true;
        }
        return QObject::event(e);
    }
};

QStringList lineasLog(const QString& ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
} // namespace

class TstErrores : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void dosErroresSeguidos();
    void logBorradoSeRecrea();
    void clasesDeError_data();
    void clasesDeError();
    void abortSilencioso();
    void cursorNormal();
    void logEnCarpetaSinPermiso();
    void unaSolaInstancia();

private:
    void enviar(std::function<void()> lanzar)
    {
        Lanzador l;
        l.lanzar = std::move(lanzar);
        QEvent e(QEvent::User);
        QCoreApplication::sendEvent(&l, &e); // through TAplicacion::notify
    }
    std::unique_ptr<CarpetaPrograma> m_carpeta;
    std::unique_ptr<GrabadorMensajes> m_mensajes;
    QString m_log;
};

void TstErrores::init()
{
    m_carpeta = std::make_unique<CarpetaPrograma>();
    m_mensajes = std::make_unique<GrabadorMensajes>();
    m_log = m_carpeta->archivo(QStringLiteral("provenda.LOG"));
    TExceptionLog::crear(m_log);
}

void TstErrores::cleanup()
{
    TExceptionLog::destruir();
    m_mensajes.reset();
    m_carpeta.reset();
}

void TstErrores::dosErroresSeguidos()
{
    const QDateTime antes = QDateTime::currentDateTime().addSecs(-1);
    enviar([] { throw EDatabaseError(QStringLiteral("Campo 'Nombre' requerido.")); });
    enviar([] { throw EConvertError(QStringLiteral("'abc' no es un número válido.")); });
    QCOMPARE(m_mensajes->resumen(),
             (QStringList{mensaje(TipoMensaje::Error, "Error...",
                                  "Se ha producido el siguiente error:\n\nCampo 'Nombre' requerido."),
                          mensaje(TipoMensaje::Error, "Error...",
                                  "Se ha producido el siguiente error:\n\n'abc' no es un número válido.")}));
    const QStringList lineas = lineasLog(m_log);
    QCOMPARE(lineas.size(), 2);
    static const QRegularExpression forma(
        QStringLiteral("^Error: (\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d) -> (\\w+): (.*)$"));
    const auto m1 = forma.match(lineas[0]);
    const auto m2 = forma.match(lineas[1]);
    QVERIFY2(m1.hasMatch(), qPrintable(lineas[0]));
    QVERIFY2(m2.hasMatch(), qPrintable(lineas[1]));
    QCOMPARE(m1.captured(2) + QStringLiteral(": ") + m1.captured(3),
             QStringLiteral("EDatabaseError: Campo 'Nombre' requerido."));
    QCOMPARE(m2.captured(2) + QStringLiteral(": ") + m2.captured(3),
             QStringLiteral("EConvertError: 'abc' no es un número válido."));
    const QDateTime cuando = QDateTime::fromString(m1.captured(1), QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    QVERIFY(cuando >= antes && cuando <= QDateTime::currentDateTime());
}

void TstErrores::logBorradoSeRecrea()
{
    enviar([] { throw EInOutError(QStringLiteral("uno")); });
    QCOMPARE(lineasLog(m_log).size(), 1);
    QVERIFY(QFile::remove(m_log));
    enviar([] { throw EInOutError(QStringLiteral("dos")); });
    const QStringList lineas = lineasLog(m_log);
    QCOMPARE(lineas.size(), 1);
    QVERIFY(lineas[0].endsWith(QStringLiteral(" -> EInOutError: dos")));
}

void TstErrores::clasesDeError_data()
{
    QTest::addColumn<int>("caso");
    QTest::addColumn<QString>("final");
    QTest::newRow("engine") << 0 << " -> EDBEngineError: Registro bloqueado por otro usuario.";
    QTest::newRow("std") << 1 << " -> std::runtime_error: disco lleno";
    QTest::newRow("unknown") << 2 << " -> Exception: Error desconocido.";
    QTest::newRow("line breaks stay on one line") << 3 << " -> EDatabaseError: uno dos";
}

void TstErrores::clasesDeError()
{
    QFETCH(int, caso);
    QFETCH(QString, final);
    enviar([caso] {
        switch (caso) {
        case 0: throw EDBEngineError(EDBEngineError::RegistroBloqueado, QStringLiteral("Registro bloqueado por otro usuario."));
        case 1: throw std::runtime_error("disco lleno");
        case 2: throw 42;
        default: throw EDatabaseError(QStringLiteral("uno\ndos"));
        }
    });
    const QStringList lineas = lineasLog(m_log);
    QCOMPARE(lineas.size(), 1);
    QVERIFY2(lineas[0].endsWith(final), qPrintable(lineas[0]));
    QCOMPARE(m_mensajes->mensajes.size(), 1);
}

void TstErrores::abortSilencioso()
{
    enviar([] { throw EAbort(); });
    QVERIFY(m_mensajes->mensajes.isEmpty());
    QVERIFY(!QFile::exists(m_log));
}

void TstErrores::cursorNormal()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool ocupadoAlMostrar = false;
    m_mensajes->alMostrar = [&](const MensajeGrabado&) { ocupadoAlMostrar = QApplication::overrideCursor(); };
    enviar([] { throw EDatabaseError(QStringLiteral("x")); });
    QVERIFY(ocupadoAlMostrar);           // restored after the box, as the Part says
    QVERIFY(!QApplication::overrideCursor());
}

void TstErrores::logEnCarpetaSinPermiso()
{
    TExceptionLog::destruir();
    TExceptionLog::crear(QStringLiteral("/nonexistent-folder/provenda.LOG"));
    enviar([] { throw EDatabaseError(QStringLiteral("x")); }); // must not throw
    QCOMPARE(m_mensajes->mensajes.size(), 1);
}

void TstErrores::unaSolaInstancia()
{
    TExceptionLog* primero = TExceptionLog::instancia();
    QCOMPARE(TExceptionLog::crear(QStringLiteral("/tmp/otro.LOG")), primero);
    QCOMPARE(primero->archivo(), m_log);
}

int main(int argc, char** argv)
{
    TAplicacion aplicacion(argc, argv);
    TstErrores t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_errores.moc"
