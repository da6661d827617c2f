// Captures of the representatives list and edit windows over a small company.
#include "Capturas.h"
#include "core/EstadoAplicacion.h"
#include "core/Regional.h"
#include "data/Esquema.h"
#include "data/UnidadDatos.h"
#include "engine/Motor.h"
#include "maintenance/UnidadComerciales.h"
#include "maintenance/UnidadGComerial.h"

#include <QDir>

namespace {
void empresaConComerciales()
{
    regional::inicializar();
    Estado().Servidor = 1;
    const QString base = carpetaCaptura();
    for (const QString& n : esquema::tablasMaestras())
        motor::Database::createTable(base, esquema::tabla(n).definicion());
    const QString carpeta = base + QStringLiteral("Emp1");
    QDir().mkpath(carpeta);
    for (const QString& n : esquema::tablasEmpresa())
        motor::Database::createTable(carpeta, esquema::tabla(n).definicion());
    crearDatos();
    Datos()->apuntarEmpresa(carpeta);
    Estado().CodigoEmpresa = 1;
    Estado().NombreEmpresa = QStringLiteral("Ventas Norte");
    Estado().TipoUsuario = QStringLiteral("Administrador");
    Estado().MostrarBotonesVentanas = true;
    Estado().BotonesPlanos = true;

    struct C { const char *codigo, *nombre, *nif, *tipo, *tel, *pob, *prov; bool iva; };
    const C filas[] = {
        {"C01", "Álvarez Ruiz, María", "22222222-J", "Comercial", "915550101", "Madrid", "Madrid", true},
        {"C02", "Zurita Gómez, Ángel", "11111111-H", "Jefe", "944550202", "Bilbao", "Vizcaya", true},
        {"C03", "Peña Núñez, José", "33333333-P", "Comercial", "954550303", "Sevilla", "Sevilla", false},
        {"T01", "Íñiguez Sáez, Lucía", "44444444-A", "Técnico", "976550404", "Zaragoza", "Zaragoza", true},
    };
    motor::Table* t = Datos()->TComercial;
    t->open();
    for (const C& c : filas) {
        t->insert();
        t->fieldByName(QStringLiteral("Codigo"))->setValue(QString::fromUtf8(c.codigo));
        t->fieldByName(QStringLiteral("Nombre"))->setValue(QString::fromUtf8(c.nombre));
        t->fieldByName(QStringLiteral("NIF"))->setValue(QString::fromUtf8(c.nif));
        t->fieldByName(QStringLiteral("Tipo"))->setValue(QString::fromUtf8(c.tipo));
        t->fieldByName(QStringLiteral("Telefono"))->setValue(QString::fromUtf8(c.tel));
        t->fieldByName(QStringLiteral("Poblacion"))->setValue(QString::fromUtf8(c.pob));
        t->fieldByName(QStringLiteral("Provincia"))->setValue(QString::fromUtf8(c.prov));
        t->fieldByName(QStringLiteral("Direccion"))->setValue(QStringLiteral("Calle Mayor, 12"));
        t->fieldByName(QStringLiteral("CP"))->setValue(28001.0);
        t->fieldByName(QStringLiteral("IVA"))->setValue(c.iva);
        t->post();
    }
}

QWidget* edicion(const QString& modo)
{
    empresaConComerciales();
    motor::Table* t = Datos()->TComercial;
    t->locate(QStringLiteral("Codigo"), QStringLiteral("C03"));
    if (modo == modo::Modificar) {
        t->edit();
        t->fieldByName(QStringLiteral("Observacion"))->setValue(QStringLiteral("Visita los martes.\nZona sur."));
    }
    Estado().Modo = modo;
    Estado().CodigoActual = QStringLiteral("C03");
    return new TFormComercialG;
}

RegistroCaptura r1("comerciales", [] { empresaConComerciales(); return new TFormComercial; }, {632, 266});
RegistroCaptura r2("comercial-nuevo", [] { return edicion(modo::Nuevo); });
RegistroCaptura r3("comercial-modificar", [] { return edicion(modo::Modificar); });
RegistroCaptura r4("comercial-zoom", [] { return edicion(modo::Zoom); });
} // namespace
