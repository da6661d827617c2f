#pragma once
// The unhandled-error log: every exception that reaches the event loop is shown
// in one standard box and appended to the program's ".LOG" file.
#include <QApplication>
#include <QString>

class TExceptionLog {
public:
    // Creates the one log object on the first call; later calls do nothing and
    // return the existing one.
    static TExceptionLog* crear(const QString& archivoLog);
    static TExceptionLog* instancia();
    static void destruir();

    const QString& archivo() const { return m_archivo; }

    // Shows "Se ha producido el siguiente error:" + two line breaks + the
    // message under "Error...", appends "Error: <date time> -> <clase>: <message>"
    // to the log (best effort, never throws) and restores the normal cursor.
    void manejar(const QString& clase, const QString& mensaje);
    // The line that manejar() appends (without the line break).
    static QString linea(const QDateTime& cuando, const QString& clase, const QString& mensaje);

private:
    explicit TExceptionLog(QString archivo) : m_archivo(std::move(archivo)) {}
    void escribir(const QString& linea) const noexcept;
    QString m_archivo;
};

// Shows and logs the exception being handled (call inside a catch block);
// EAbort is ignored. Without a log object only the box is shown.
void informarExcepcionActual() noexcept;

// The application object: notify() is where exceptions that escaped an event
// handler are caught and handed to the error log.
class TAplicacion : public QApplication {
    Q_OBJECT
public:
    TAplicacion(int& argc, char** argv);
    bool notify(QObject* receptor, QEvent* evento) override;
};
