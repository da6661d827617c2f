#pragma once
// One exception hierarchy. clase() is the name the error log prints.
#include <QString>
#include <QByteArray>
#include <exception>

class Excepcion : public std::exception {
public:
    explicit Excepcion(QString mensaje) : m_mensaje(std::move(mensaje)), m_utf8(m_mensaje.toUtf8()) {}
    virtual QString clase() const { return QStringLiteral("Exception"); }
    QString mensaje() const { return m_mensaje; }
    const char* what() const noexcept override { return m_utf8.constData(); }
private:
    QString m_mensaje;
    QByteArray m_utf8;
};

// Silent abort: an operation already reported to the user (for example by the
// data module's post-error handler) is abandoned; the error log ignores it.
class EAbort : public Excepcion {
public:
    EAbort() : Excepcion(QStringLiteral("Operation aborted")) {}
    QString clase() const override { return QStringLiteral("EAbort"); }
};

// Text that does not convert to a date, a number, ...
class EConvertError : public Excepcion {
public:
    using Excepcion::Excepcion;
    QString clase() const override { return QStringLiteral("EConvertError"); }
};

// File and folder failures (settings file that cannot be written, ...).
class EInOutError : public Excepcion {
public:
    using Excepcion::Excepcion;
    QString clase() const override { return QStringLiteral("EInOutError"); }
};

// Dataset misuse and checks that are not the engine's (a required field left empty).
class EDatabaseError : public Excepcion {
public:
    using Excepcion::Excepcion;
    QString clase() const override { return QStringLiteral("EDatabaseError"); }
};

// A refusal of the table engine, with its code.
class EDBEngineError : public EDatabaseError {
public:
    enum Codigo : int {
        Generico = 1,          // any other engine failure
        RegistroEliminado = 8708,
        NombreDuplicado = 9727,
        ClaveDuplicada = 9729,
        RegistroBloqueado = 10241,
    };
    EDBEngineError(int codigo, QString mensaje) : EDatabaseError(std::move(mensaje)), m_codigo(codigo) {}
    QString clase() const override { return QStringLiteral("EDBEngineError"); }
    int codigo() const { return m_codigo; }
private:
    int m_codigo;
};
