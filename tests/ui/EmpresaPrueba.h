#pragma once
// A small company for window tests: a temporary program folder with the
// master tables and one company folder made through the engine and the
// schema, the data module pointed at it, and an administrator logged in.
#include "core/EstadoAplicacion.h"
#include "core/Regional.h"
#include "data/Esquema.h"
#include "data/UnidadDatos.h"
#include "engine/Motor.h"
#include "support/Soporte.h"

#include <QDir>
#include <QTest>
#include <QVariantMap>

// Types text, accents and ñ included (QTest::keyClicks takes ASCII only).
inline void teclear(QWidget* w, const QString& texto)
{
    for (QChar c : texto)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

class EmpresaPrueba {
public:
    EmpresaPrueba()
    {
        regional::inicializar();
        reiniciarEstado();
        Estado().Servidor = 1;
        const QString base = m_programa.ruta();
        for (const QString& n : esquema::tablasMaestras())
            motor::Database::createTable(base, esquema::tabla(n).definicion());
        m_carpeta = base + QStringLiteral("Emp1");
        QDir().mkpath(m_carpeta);
        for (const QString& n : esquema::tablasEmpresa())
            motor::Database::createTable(m_carpeta, esquema::tabla(n).definicion());
        crearDatos();
        Datos()->apuntarEmpresa(m_carpeta);
        Estado().CodigoEmpresa = 1;
        Estado().NombreEmpresa = QStringLiteral("Prueba");
        Estado().TipoUsuario = QStringLiteral("Administrador");
        Estado().CodigoUsuario = QStringLiteral("ADM");
    }
    ~EmpresaPrueba() { destruirDatos(); }

    QString carpeta() const { return m_carpeta; }
    CarpetaPrograma& programa() { return m_programa; }

    // Adds a row to a company table through its data-module table object.
    void fila(const QString& tabla, const QVariantMap& valores)
    {
        motor::Table* t = Datos()->tabla(tabla);
        if (!t->isOpen())
            t->open();
        t->insert();
        for (auto it = valores.begin(); it != valores.end(); ++it)
            t->fieldByName(it.key())->setValue(it.value());
        t->post();
    }
    void comercial(const QString& codigo, const QString& nombre, const QString& nif = QString())
    {
        fila(QStringLiteral("Comercial"),
             {{QStringLiteral("Codigo"), codigo},
              {QStringLiteral("Nombre"), nombre},
              {QStringLiteral("NIF"), nif.isEmpty() ? QString(QStringLiteral("NIF-") + codigo) : nif},
              {QStringLiteral("Tipo"), QStringLiteral("Comercial")},
              {QStringLiteral("IVA"), true}});
    }

private:
    CarpetaPrograma m_programa;
    QString m_carpeta;
};
