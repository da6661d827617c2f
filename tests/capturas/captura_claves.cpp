// Captures of the login window: on a master folder, and without one.
#include "Capturas.h"
#include "FixturaMaestra.h"
#include "app/UnidadClaves.h"
#include "core/EstadoAplicacion.h"
#include "core/Ini.h"
#include "core/Regional.h"
#include "data/Claves.h"
#include "data/Esquema.h"
#include "engine/Motor.h"

#include <QDir>
#include <QLineEdit>

namespace {

void maestra()
{
    regional::inicializar();
    const QString base = carpetaCaptura();
    {
        const auto sesion = abrirSesionFixtura(base);
        crearTablasMaestras(base);
        motor::Table u;
        u.setFolder(base);
        u.setTableName(QStringLiteral("Usuario.DB"));
        u.open();
        const struct { const char *codigo, *nombre, *tipo; bool clave; } usuarios[] = {
            {"ADM", "Administración", "Administrador", true},
            {"MAR", "María Peña", "Consulta/Modific.", true},
            {"LIS", "Listados", "Listados", false},
        };
        for (const auto& x : usuarios) {
            u.insert();
            u.fieldByName(QStringLiteral("Codigo"))->setValue(QString::fromUtf8(x.codigo));
            u.fieldByName(QStringLiteral("Nombre"))->setValue(QString::fromUtf8(x.nombre));
            u.fieldByName(QStringLiteral("Tipo"))->setValue(QString::fromUtf8(x.tipo));
            if (x.clave)
                u.fieldByName(QStringLiteral("Clave"))->setValue(claves::hash(QStringLiteral("clave")));
            u.post();
        }
        motor::Table e;
        e.setFolder(base);
        e.setTableName(QStringLiteral("Empresa.db"));
        e.open();
        const struct { int codigo; const char* nombre; } empresas[] = {{1, "Ventas Norte"}, {2, "Distribuciones Sur"}};
        for (const auto& x : empresas) {
            e.insert();
            e.fieldByName(QStringLiteral("Codigo"))->setValue(x.codigo);
            e.fieldByName(QStringLiteral("Nombre"))->setValue(QString::fromUtf8(x.nombre));
            e.fieldByName(QStringLiteral("FechaAlta"))->setValue(QDate(2024, 1, 1));
            e.fieldByName(QStringLiteral("FechaBaja"))->setValue(QDate(2024, 12, 31));
            e.post();
        }
        sesion->close();
    }
    QDir().mkpath(base + QStringLiteral("Emp1"));
    ArchivoIni cs(base + QStringLiteral("Emp1/CS.ini"));
    cs.escribeFecha(ini::CopiaSeguridad, ini::Fecha, QDate::currentDate().addDays(-3));
    cs.guardar();
    esEntINI(ini::Empresa, ini::Codigo, 1);
    esCadINI(ini::Usuario, ini::Codigo, QStringLiteral("MAR"));
    esEntINI(ini::Aplicacion, ini::Ejecuciones, 41);
    esCadINI(ini::Aplicacion, ini::CerradaBien, QStringLiteral("Sí"));
}

RegistroCaptura r1("claves", [] {
    maestra();
    auto* f = new TFormClaves;
    f->TxtClave->setText(QStringLiteral("clave")); // shown as large '*'
    return f;
});
RegistroCaptura r2("claves-sin-datos", [] {
    regional::inicializar();
    esEntINI(ini::Red, ini::Servidor, 0);
    esCadINI(ini::Red, ini::RutaServidor, QStringLiteral("/mnt/servidor/provenda/"));
    return new TFormClaves;
});

} // namespace
