// Captures of the companies list, the company edit window and the import window.
#include "Capturas.h"
#include "FixturaMaestra.h"
#include "core/EstadoAplicacion.h"
#include "core/Regional.h"
#include "data/Esquema.h"
#include "data/UnidadDatos.h"
#include "engine/Motor.h"
#include "maintenance/UnidadEmpresas.h"
#include "maintenance/UnidadGEmpresa.h"
#include "maintenance/UnidadSeleccionEmpresaImportar.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPainter>

namespace {

QByteArray logo()
{
    QImage img(160, 100, QImage::Format_RGB32);
    img.fill(QColor(0xF4, 0xF0, 0xE6));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x1F, 0x4E, 0x9A));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRect(10, 15, 70, 70));
    p.setPen(QColor(0x1F, 0x4E, 0x9A));
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(22);
    p.setFont(f);
    p.drawText(QRect(84, 20, 76, 60), Qt::AlignCenter, QStringLiteral("VN"));
    p.end();
    QByteArray bytes;
    QBuffer b(&bytes);
    b.open(QIODevice::WriteOnly);
    img.save(&b, "PNG");
    return bytes;
}

void empresas()
{
    regional::inicializar();
    Estado().Servidor = 1;
    const QString base = carpetaCaptura();
    crearTablasMaestras(base);
    crearDatos();
    Datos()->apuntarEmpresas(base);
    Estado().TipoUsuario = QStringLiteral("Administrador");
    Estado().MostrarBotonesVentanas = true;
    Estado().BotonesPlanos = true;
    struct E { int codigo; const char *nombre, *cif, *domicilio, *poblacion, *provincia; double cp; };
    const E filas[] = {
        {1, "Ventas Norte, S.L.", "B12345674", "Calle Mayor, 12", "Bilbao", "Vizcaya", 48001},
        {2, "Distribuciones Sur, S.A.", "A87654321", "Avenida de la Constitución, 3", "Sevilla", "Sevilla", 41001},
        {3, "Aparatos Íñiguez", "B11223344", "Plaza del Pilar, 1", "Zaragoza", "Zaragoza", 50001},
    };
    motor::Table* t = Datos()->TEmpresa;
    t->open();
    for (const E& e : filas) {
        t->insert();
        t->fieldByName(QStringLiteral("Codigo"))->setValue(e.codigo);
        t->fieldByName(QStringLiteral("Nombre"))->setValue(QString::fromUtf8(e.nombre));
        t->fieldByName(QStringLiteral("CIF"))->setValue(QString::fromUtf8(e.cif));
        t->fieldByName(QStringLiteral("Domicilio"))->setValue(QString::fromUtf8(e.domicilio));
        t->fieldByName(QStringLiteral("Poblacion"))->setValue(QString::fromUtf8(e.poblacion));
        t->fieldByName(QStringLiteral("Provincia"))->setValue(QString::fromUtf8(e.provincia));
        t->fieldByName(QStringLiteral("CP"))->setValue(e.cp);
        t->fieldByName(QStringLiteral("FechaAlta"))->setValue(QDate(2024, 1, 1));
        t->fieldByName(QStringLiteral("FechaBaja"))->setValue(QDate(2024, 12, 31));
        t->fieldByName(QStringLiteral("Moneda"))->setValue(QStringLiteral("Euro"));
        t->fieldByName(QStringLiteral("Cambio"))->setValue(166.386);
        t->fieldByName(QStringLiteral("Telefono"))->setValue(QStringLiteral("944550101"));
        t->fieldByName(QStringLiteral("Email"))->setValue(QStringLiteral("info@ventasnorte.example"));
        t->fieldByName(QStringLiteral("Inscripcion"))->setValue(
            QStringLiteral("Inscrita en el Registro Mercantil de Vizcaya, tomo 1234, folio 56"));
        if (e.codigo == 1) {
            t->fieldByName(QStringLiteral("Logotipo"))->setValue(logo());
            t->fieldByName(QStringLiteral("AjustarTamano"))->setValue(true);
        }
        t->post();
    }
    QDir().mkpath(base + QStringLiteral("Emp1"));
    Estado().CodigoEmpresa = 1;
    Estado().NombreEmpresa = QStringLiteral("Ventas Norte, S.L.");
}

QWidget* edicion(const QString& m)
{
    empresas();
    motor::Table* t = Datos()->TEmpresa;
    t->locate(QStringLiteral("Codigo"), 1);
    if (m == modo::Modificar)
        t->edit();
    Estado().Modo = m;
    return new TFormEmpresaG;
}

RegistroCaptura r1("empresas", [] { empresas(); return new TFormEmpresas; });
RegistroCaptura r2("empresa-modificar", [] { return edicion(modo::Modificar); });
RegistroCaptura r3("empresa-nueva", [] { return edicion(modo::Nuevo); });
RegistroCaptura r4("importar-empresa", [] {
    empresas();
    auto* w = new TFormSeleccionImportarEmpresa;
    w->Tag = 3;
    return w;
});

} // namespace
