// The import window: zones copied whole from another company, masks without
// regard to case, the two information messages, and the road from the
// company edit window.
#include "core/EstadoAplicacion.h"
#include "core/Ini.h"
#include "data/Esquema.h"
#include "data/UnidadDatos.h"
#include "engine/Motor.h"
#include "maintenance/UnidadGEmpresa.h"
#include "maintenance/UnidadSeleccionEmpresaImportar.h"
#include "ui/Permisos.h"
#include "../support/FixturaMaestra.h"
#include "../support/Soporte.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {

void insertarEmpresa(const QString& maestra, int codigo, const QString& nombre)
{
    anadirFila(maestra, QStringLiteral("Empresa"), {{"Codigo", codigo}, {"Nombre", nombre}});
}

int filas(const QString& carpeta, const QString& tabla)
{
    motor::Table t;
    t.setFolder(carpeta);
    t.setTableName(esquema::tabla(tabla).fichero);
    t.open();
    return t.recordCount();
}

// Companies: 7 "Ventas Norte" (a representative and a sale, files in
// capitals), 8 "Sin carpeta" (no folder); the new company 12 with templates.
void crearMaestra(const QString& carpeta)
{
    const auto sesion = abrirSesionFixtura(carpeta);
    crearTablasMaestras(carpeta);
    insertarEmpresa(carpeta, 7, QStringLiteral("Ventas Norte"));
    insertarEmpresa(carpeta, 8, QStringLiteral("Sin carpeta"));
    llenarCarpetaEmpresa(carpeta, 7, true);
    const QString emp7 = carpeta + QStringLiteral("Emp7");
    anadirFila(emp7, QStringLiteral("Comercial"), {{"Codigo", "C1"}, {"Nombre", "Ana"}, {"NIF", "12345678-Z"}});
    anadirFila(emp7, QStringLiteral("Venta"), {{"Codigo", "1"}, {"CodigoComercial", "C1"}});
    sesion->close();
}

} // namespace

class TestImportar : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<CarpetaPrograma> m_home;
    QString home() const { return m_home->ruta(); }
    QString emp12() const { return home() + QStringLiteral("Emp12"); }

    // The new company 12 posted with its templates, TEmpresa on its row.
    void empresaNueva()
    {
        insertarEmpresa(home(), 12, QStringLiteral("Nueva"));
        QVERIFY(TFormEmpresaG::crearFicherosEmpresa(12));
        Datos()->TEmpresa->open();
        QVERIFY(Datos()->TEmpresa->locate(QStringLiteral("Codigo"), 12));
    }
    std::unique_ptr<TFormSeleccionImportarEmpresa> ventana()
    {
        auto w = std::make_unique<TFormSeleccionImportarEmpresa>();
        w->Tag = 12;
        w->show();
        w->activateWindow();
        QTest::qWaitForWindowActive(w.get());
        return w;
    }
    void elegir(TFormSeleccionImportarEmpresa* w, int codigo)
    {
        QVERIFY(w->TE->locate(QStringLiteral("Codigo"), codigo));
        QCOMPARE(w->TablaListaEmpresas->currentIndex().row(), w->TE->recNo());
    }

private slots:
    void init()
    {
        destruirDatos();
        reiniciarEstado();
        m_home = std::make_unique<CarpetaPrograma>();
        crearMaestra(home());
        Estado().Servidor = 1;
        Estado().TipoUsuario = QStringLiteral("Administrador");
        crearDatos();
        Datos()->apuntarEmpresas(carpetaBase());
    }
    void cleanup()
    {
        destruirDatos();
        m_home.reset();
    }

    void ventanaYZonas()
    {
        empresaNueva();
        auto w = ventana();
        QCOMPARE(w->windowTitle(), QStringLiteral("Importar datos de otra empresa..."));
        // Every company but the new one.
        QCOMPARE(w->TablaListaEmpresas->model()->rowCount(), 2);
        QCOMPARE(w->TablaListaEmpresas->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Inicio"));
        QStringList mascaras, cajas;
        for (const auto& z : w->zonas()) {
            mascaras << z.mascara;
            cajas << z.caja->text();
            QVERIFY(!z.caja->isChecked());
        }
        QCOMPARE(mascaras, (QStringList{"comercial.*", "Cliente.*", "aparato.*", "Venta.*", "Gasto.*", "cobro.*",
                                        "extra.*", "factura.*", "plus.*"}));
        QCOMPARE(cajas, (QStringList{"C&omerciales", "Clientes", "Aparatos", "Ventas", "Gastos", "Cobros",
                                     "Extras", "Facturas", "Plus"}));
        QTest::keyClick(w->TablaListaEmpresas, Qt::Key_Return);
        QCOMPARE(w->focusWidget(), w->OpComerciales);
    }

    // Only "Ventas": the sales arrive, the representatives stay empty, and a
    // table in another case replaces the template instead of doubling it.
    void soloVentas()
    {
        empresaNueva();
        GrabadorMensajes g;
        auto w = ventana();
        elegir(w.get(), 7);
        w->OpVentas->setChecked(true);
        w->BImportar->click();
        QVERIFY(g.mensajes.isEmpty());
        QVERIFY(!w->isVisible());
        QCOMPARE(filas(emp12(), QStringLiteral("Venta")), 1);
        QCOMPARE(filas(emp12(), QStringLiteral("Comercial")), 0);
        QCOMPARE(filas(home() + QStringLiteral("Emp7"), QStringLiteral("Venta")), 1);
        const QStringList ventas = QDir(emp12()).entryList({QStringLiteral("venta.*")}, QDir::Files);
        QCOMPARE(ventas, QStringList{QStringLiteral("Venta.db")});
    }

    void sinZonas()
    {
        empresaNueva();
        GrabadorMensajes g;
        auto w = ventana();
        elegir(w.get(), 7);
        w->BImportar->click();
        QCOMPARE(g.resumen(), QStringList{mensaje(TipoMensaje::Info, QStringLiteral("Información..."),
                                                  QStringLiteral("Debe seleccionar alguna zona a importar."))});
        QVERIFY(w->isVisible());
        QCOMPARE(w->focusWidget(), w->OpComerciales);
    }

    // A source whose folder is gone: the message, and nothing copied.
    void origenSinCarpeta()
    {
        empresaNueva();
        GrabadorMensajes g;
        auto w = ventana();
        elegir(w.get(), 8);
        w->OpVentas->setChecked(true);
        w->OpComerciales->setChecked(true);
        w->BImportar->click();
        QCOMPARE(g.resumen(), QStringList{mensaje(TipoMensaje::Info, QStringLiteral("Información..."),
                                                  QStringLiteral("No se han encontrado datos para importar."))});
        QVERIFY(!w->isVisible());
        QCOMPARE(filas(emp12(), QStringLiteral("Venta")), 0);
    }

    // From the company edit window: "Importar datos de otra empresa" ticked.
    void desdeNuevaEmpresa()
    {
        GrabadorMensajes g;
        Estado().Modo = modo::Nuevo;
        auto* e = new TFormEmpresaG;
        e->setAttribute(Qt::WA_DeleteOnClose);
        e->show();
        e->activateWindow();
        QTest::qWaitForWindowActive(e);
        QVERIFY(e->OpImportar->isVisible());
        e->TxtCodigo->setFocus();
        QTest::keyClicks(e->TxtCodigo, QStringLiteral("12"));
        e->TxtNombre->setFocus();
        QTest::keyClicks(e->TxtNombre, QStringLiteral("Nueva"));
        e->OpImportar->setChecked(true);
        int tag = 0;
        alAbrirModal([&](QWidget* d) {
            auto* w = qobject_cast<TFormSeleccionImportarEmpresa*>(d);
            QVERIFY(w);
            tag = w->Tag;
            w->TE->locate(QStringLiteral("Codigo"), 7);
            w->OpComerciales->setChecked(true);
            w->BImportar->click();
            if (w->isVisible())
                w->reject();
        });
        e->BAceptar->click();
        QCOMPARE(tag, 12);
        QVERIFY(g.mensajes.isEmpty());
        QCOMPARE(filas(emp12(), QStringLiteral("Comercial")), 1);
        QCOMPARE(filas(emp12(), QStringLiteral("Venta")), 0);
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(TestImportar)
#include "tst_importar.moc"
