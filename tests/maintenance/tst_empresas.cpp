// The companies list and edit windows driven offscreen: creating a company's
// folder from the templates, keeping an existing folder's tables, deleting
// with its three questions, refusing the open company, the edit checks.
#include "core/EstadoAplicacion.h"
#include "core/Ini.h"
#include "data/Esquema.h"
#include "data/UnidadDatos.h"
#include "engine/Motor.h"
#include "maintenance/CopiarFichero.h"
#include "maintenance/UnidadEmpresas.h"
#include "maintenance/UnidadGEmpresa.h"
#include "ui/Permisos.h"
#include "ui/UnidadI.h"
#include "../support/FixturaMaestra.h"
#include "../support/Soporte.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {

const QString TituloEliminar = QStringLiteral("Eliminar empresa...");
const QString Precaucion = QStringLiteral("  PROCEDA CON PRECAUCIÓN YA QUE LA EMPRESA Y TODOS SUS DATOS SERÁN "
                                          "ELIMINADOS Y NO SE PODRÁN RECUPERAR.");

void insertarEmpresa(const QString& maestra, int codigo, const QString& nombre)
{
    anadirFila(maestra, QStringLiteral("Empresa"),
               {{"Codigo", codigo}, {"Nombre", nombre}, {"Moneda", QStringLiteral("Euro")}, {"Cambio", 166.386}});
}

// Master folder in the program folder: templates (with an auxiliary file and
// the two old lock files), company 7 (open), 8 (no folder), 9 (with folder).
void crearMaestra(const QString& carpeta)
{
    const auto sesion = abrirSesionFixtura(carpeta);
    crearTablasMaestras(carpeta);
    for (const char* extra : {"PARADOX.LCK", "PDOXUSRS.LCK", "Comercial.VAL"}) {
        QFile f(carpeta + QStringLiteral("tablas/") + QLatin1String(extra));
        f.open(QIODevice::WriteOnly);
        f.write("x");
    }
    insertarEmpresa(carpeta, 7, QStringLiteral("Ventas Norte"));
    insertarEmpresa(carpeta, 8, QStringLiteral("Sin carpeta"));
    insertarEmpresa(carpeta, 9, QStringLiteral("Borrable"));
    llenarCarpetaEmpresa(carpeta, 7);
    llenarCarpetaEmpresa(carpeta, 9);
    sesion->close();
}

QStringList ficheros(const QString& carpeta)
{
    QStringList l = QDir(carpeta).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    return l;
}

bool hayEmpresa(int codigo)
{
    motor::Table* t = Datos()->TEmpresa;
    if (!t->isOpen())
        t->open();
    t->refresh();
    return t->locate(QStringLiteral("Codigo"), codigo);
}

int filasComercial(const QString& carpeta)
{
    motor::Table t;
    t.setFolder(carpeta);
    t.setTableName(QStringLiteral("Comercial.DB"));
    t.open();
    return t.recordCount();
}

// Answers the next modal dialog with fn once it is active; a dialog left open
// by a failed check is closed so the test does not hang.
void enModal(std::function<void(QWidget*)> fn)
{
    alAbrirModal([fn](QWidget* d) {
        d->activateWindow();
        QTest::qWaitForWindowActive(d);
        fn(d);
        if (d->isVisible())
            if (auto* dlg = qobject_cast<QDialog*>(d))
                dlg->reject();
    });
}

} // namespace

class TestEmpresas : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<CarpetaPrograma> m_home;
    QString home() const { return m_home->ruta(); }

    std::unique_ptr<TFormEmpresas> lista()
    {
        auto f = std::make_unique<TFormEmpresas>();
        f->show();
        f->activateWindow();
        QTest::qWaitForWindowActive(f.get());
        return f;
    }
    void irA(TFormEmpresas* f, int codigo)
    {
        QVERIFY(f->consulta()->locate(QStringLiteral("Codigo"), codigo));
        QCOMPARE(f->Tabla()->currentIndex().row(), f->consulta()->recNo());
    }
    // An edit window of its own (as the list opens it), shown and active.
    TFormEmpresaG* edicion(const QString& modoEdicion)
    {
        Estado().Modo = modoEdicion;
        auto* w = new TFormEmpresaG;
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
        w->activateWindow();
        QTest::qWaitForWindowActive(w);
        return w;
    }
    static void escribir(QWidget* caja, const QString& texto)
    {
        caja->setFocus();
        QTest::keyClicks(caja, texto);
    }

private slots:
    void init()
    {
        destruirDatos();
        reiniciarEstado();
        m_home = std::make_unique<CarpetaPrograma>();
        crearMaestra(home());
        esEntINI(ini::Red, ini::Servidor, 1);
        Estado().Servidor = 1;
        Estado().TipoUsuario = QStringLiteral("Administrador");
        crearDatos();
        QVERIFY(AbrirEmpresa(7));
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    }
    void cleanup()
    {
        destruirDatos();
        m_home.reset();
    }

    void ventanaLista()
    {
        auto f = lista();
        QCOMPARE(f->windowTitle(), QStringLiteral("Empresas (ordenado por Código)"));
        QVERIFY(!f->accion(QStringLiteral("ActZoom")));
        QAction* sel = f->accion(QStringLiteral("ActSeleccionar"));
        QVERIFY(sel);
        QCOMPARE(sel->text(), QStringLiteral("Seleccionar"));
        QCOMPARE(sel->toolTip(), QStringLiteral("Seleccionar"));
        QCOMPARE(f->accion(QStringLiteral("ActCerrar"))->toolTip(), QStringLiteral("Cerrar Empresas"));
        const QStringList titulos = {"Código", "Nombre", "Inicio", "Fin"};
        for (int i = 0; i < titulos.size(); ++i)
            QCOMPARE(f->Tabla()->model()->headerData(i, Qt::Horizontal).toString(), titulos[i]);
        QCOMPARE(f->Tabla()->model()->rowCount(), 3);
        QCOMPARE(f->disposicion(), (QStringList{"ActNuevo", "ActModificar", "ActEliminar", "ActBuscar", "-",
                                                "ActSeleccionar", "-", "ActRefrescar", "ActImprimir", "-",
                                                "ActCerrar"}));
    }

    // Creating company 12 through Añadir: its folder holds every template
    // file but the two lock files.
    void crearEmpresa12()
    {
        GrabadorMensajes g;
        auto f = lista();
        bool importarVisible = false;
        enModal([&](QWidget* d) {
            auto* w = qobject_cast<TFormEmpresaG*>(d);
            QVERIFY(w);
            QCOMPARE(w->windowTitle(), QStringLiteral("Nueva Empresa..."));
            QVERIFY(w->TxtCodigo->isEnabled());
            QCOMPARE(w->focusWidget(), w->TxtCodigo);
            importarVisible = w->OpImportar->isVisible();
            QTest::keyClicks(w->TxtCodigo, QStringLiteral("12"));
            escribir(w->TxtNombre, QStringLiteral("Nueva Doce"));
            w->BAceptar->click();
        });
        f->accion(QStringLiteral("ActNuevo"))->trigger();
        QVERIFY(importarVisible);
        QVERIFY(g.mensajes.isEmpty());
        QVERIFY(hayEmpresa(12));
        QCOMPARE(Datos()->TEmpresa->fieldByName(QStringLiteral("AjustarTamano"))->asBoolean(), false);
        QStringList esperados = ficheros(home() + QStringLiteral("tablas"));
        esperados.removeAll(QStringLiteral("PARADOX.LCK"));
        esperados.removeAll(QStringLiteral("PDOXUSRS.LCK"));
        QCOMPARE(ficheros(home() + QStringLiteral("Emp12")), esperados);
        QCOMPARE(esperados.size(), 10);
        QCOMPARE(filasComercial(home() + QStringLiteral("Emp12")), 0);
        // The list comes back where it was, not on the new company.
        QCOMPARE(f->codigoActual(), QStringLiteral("7"));
    }

    // The only company: there is nobody to import from.
    void primeraEmpresa()
    {
        motor::Table* t = Datos()->TEmpresa;
        t->open();
        while (!t->isEmpty())
            t->remove();
        GrabadorMensajes g;
        TFormEmpresaG* w = edicion(modo::Nuevo);
        QVERIFY(!w->OpImportar->isVisible());
        QTest::keyClicks(w->TxtCodigo, QStringLiteral("1"));
        escribir(w->TxtNombre, QStringLiteral("Primera"));
        w->BAceptar->click();
        QVERIFY(g.mensajes.isEmpty());
        QVERIFY(hayEmpresa(1));
        QVERIFY(QFileInfo::exists(home() + QStringLiteral("Emp1/Venta.db")));
    }

    // Mended: a new company whose folder already holds tables keeps them.
    void carpetaExistente()
    {
        const QString carpeta = home() + QStringLiteral("Emp13/");
        QDir().mkpath(carpeta);
        motor::Database::copyFile(home() + QStringLiteral("tablas/Comercial.DB"), carpeta + QStringLiteral("COMERCIAL.DB"));
        {
            motor::Table t;
            t.setFolder(carpeta);
            t.setTableName(QStringLiteral("Comercial.DB"));
            t.open();
            t.insert();
            t.fieldByName(QStringLiteral("Codigo"))->setValue(QStringLiteral("C1"));
            t.fieldByName(QStringLiteral("Nombre"))->setValue(QStringLiteral("Guardado"));
            t.fieldByName(QStringLiteral("NIF"))->setValue(QStringLiteral("12345678-Z"));
            t.post();
        }
        GrabadorMensajes g;
        TFormEmpresaG* w = edicion(modo::Nuevo);
        QTest::keyClicks(w->TxtCodigo, QStringLiteral("13"));
        escribir(w->TxtNombre, QStringLiteral("Reutiliza"));
        w->BAceptar->click();
        QCOMPARE(g.resumen(), QStringList{mensaje(TipoMensaje::Atencion, QStringLiteral("Carpeta existente..."),
                                                  QStringLiteral("La carpeta de la empresa ya contiene ficheros de datos; "
                                                                 "se conservan y no se copian las tablas vacías."))});
        QCOMPARE(filasComercial(carpeta), 1);
        const QStringList hay = ficheros(carpeta);
        QVERIFY(hay.contains(QStringLiteral("COMERCIAL.DB")));
        QVERIFY(!hay.contains(QStringLiteral("Comercial.DB")));
        QVERIFY(hay.contains(QStringLiteral("Venta.db")));
        QCOMPARE(hay.size(), 10);
    }

    // A file that cannot be copied: Aceptar goes on, Cancelar stops and marks the row.
    void copiaFallida_data()
    {
        QTest::addColumn<bool>("seguir");
        QTest::newRow("Aceptar") << true;
        QTest::newRow("Cancelar") << false;
    }
    void copiaFallida()
    {
        QFETCH(bool, seguir);
        const QString carpeta = home() + QStringLiteral("Emp14/");
        QDir().mkpath(carpeta + QStringLiteral("Cobro.DB")); // a folder where a table should go
        GrabadorMensajes g;
        g.responder(seguir);
        Estado().MostrarProgreso = true;
        QString textoProgreso;
        bool progresoVisible = false;
        g.alMostrar = [&](const MensajeGrabado&) {
            progresoVisible = FormI() && FormI()->isVisible();
            textoProgreso = FormI() ? FormI()->L->text() : QString();
        };
        TFormEmpresaG* w = edicion(modo::Nuevo);
        QTest::keyClicks(w->TxtCodigo, QStringLiteral("14"));
        escribir(w->TxtNombre, QStringLiteral("Fallida"));
        w->BAceptar->click();
        QCOMPARE(g.mensajes.size(), 1);
        const MensajeGrabado& m = g.mensajes.first();
        QCOMPARE(m.tipo, TipoMensaje::OK);
        QCOMPARE(m.titulo, QStringLiteral("Error al copiar fichero..."));
        const QString origen = QDir::toNativeSeparators(home() + QStringLiteral("tablas/Cobro.DB"));
        const QString destino = QDir::toNativeSeparators(carpeta + QStringLiteral("Cobro.DB"));
        QCOMPARE(m.texto, QStringLiteral("No se ha podido realizar la copia de ficheros. Inténtelo en otro momento.\n\n"
                                         "Error ->  No se ha podido copiar el fichero: ")
                              + origen + QStringLiteral("\n en la ruta: ") + destino
                              + QStringLiteral("\n\n  · Pulse \"Aceptar\" para continuar con el proceso."
                                               "  · Pulse \"Cancelar\" para anular el proceso."));
        QVERIFY(progresoVisible);
        QCOMPARE(textoProgreso, QStringLiteral("Copiando fichero Cobro.DB"));
        QVERIFY(!FormI()->isVisible());
        QVERIFY(hayEmpresa(14));
        motor::Field* ficherosOk = Datos()->TEmpresa->fieldByName(QStringLiteral("Ficheros"));
        if (seguir) {
            QVERIFY(ficherosOk->isNull() || ficherosOk->asBoolean());
            QVERIFY(QFile::exists(carpeta + QStringLiteral("Venta.db"))); // the next files were copied
        } else {
            QVERIFY(!ficherosOk->isNull());
            QCOMPARE(ficherosOk->asBoolean(), false);
        }
    }

    void eliminarConPreguntas_data()
    {
        QTest::addColumn<QList<bool>>("respuestas");
        QTest::addColumn<bool>("eliminada");
        QTest::newRow("no a la primera") << QList<bool>{false} << false;
        QTest::newRow("no a la segunda") << QList<bool>{true, false} << false;
        QTest::newRow("cancelar la tercera") << QList<bool>{true, true, false} << false;
        QTest::newRow("tres veces sí") << QList<bool>{true, true, true} << true;
    }
    void eliminarConPreguntas()
    {
        QFETCH(QList<bool>, respuestas);
        QFETCH(bool, eliminada);
        GrabadorMensajes g;
        for (bool r : respuestas)
            g.responder(r);
        auto f = lista();
        irA(f.get(), 9);
        f->accion(QStringLiteral("ActEliminar"))->trigger();

        const QString ruta = QDir::toNativeSeparators(home() + QStringLiteral("Emp9"));
        const QStringList preguntas = {
            mensaje(TipoMensaje::Si, TituloEliminar,
                    QStringLiteral("¿Está seguro que desea ELIMINAR la empresa \n\n -> 9 - Borrable\n -> Ruta: ") + ruta
                        + QStringLiteral("\n\n") + Precaucion),
            mensaje(TipoMensaje::Si, TituloEliminar,
                    QStringLiteral("SEGUNDO MENSAJE DE CONFIRMACIÓN:  ¿Está seguro que desea ELIMINAR la empresa "
                                   "\n\n9 - Borrable\n\n\n")
                        + Precaucion),
            mensaje(TipoMensaje::OK, TituloEliminar,
                    QStringLiteral("Se va a proceder a la eliminación de la empresa.\n\n9 - Borrable")),
        };
        QStringList esperado = preguntas.mid(0, respuestas.size());
        if (eliminada)
            esperado << mensaje(TipoMensaje::Info, QStringLiteral("Información..."),
                                QStringLiteral("La empresa se ha eliminado correctamente."));
        QCOMPARE(g.resumen(), esperado);
        QCOMPARE(QFileInfo::exists(home() + QStringLiteral("Emp9")), !eliminada);
        QCOMPARE(hayEmpresa(9), !eliminada);
        QCOMPARE(Datos()->TEmpresa->state(), motor::Dataset::State::Browse);
        QVERIFY(QFileInfo::exists(home() + QStringLiteral("Emp7/Venta.db")));
        QVERIFY(QFileInfo::exists(home() + QStringLiteral("tablas/Venta.db")));
    }

    void eliminarSinCarpeta()
    {
        GrabadorMensajes g;
        auto f = lista();
        irA(f.get(), 8);
        f->accion(QStringLiteral("ActEliminar"))->trigger();
        QCOMPARE(g.resumen(), QStringList{mensaje(TipoMensaje::Info, QStringLiteral("Información..."),
                                                  QStringLiteral("La empresa se ha eliminado correctamente."))});
        QVERIFY(!hayEmpresa(8));
        QCOMPARE(f->Tabla()->model()->rowCount(), 2);
    }

    void eliminarEmpresaActiva()
    {
        GrabadorMensajes g;
        auto f = lista();
        irA(f.get(), 7);
        f->accion(QStringLiteral("ActEliminar"))->trigger();
        QCOMPARE(g.resumen(), QStringList{mensaje(TipoMensaje::Error, QStringLiteral("Empresa activa..."),
                                                  QStringLiteral("No puede eliminar la empresa activa."))});
        QVERIFY(hayEmpresa(7));
        QVERIFY(QFileInfo::exists(home() + QStringLiteral("Emp7")));
    }

    // A company folder reached through a link is never emptied.
    void carpetaFueraDeLaBase()
    {
        QTemporaryDir fuera;
        QFile valioso(fuera.path() + QStringLiteral("/valioso.db"));
        QVERIFY(valioso.open(QIODevice::WriteOnly));
        valioso.close();
        QVERIFY(QFile::link(fuera.path(), home() + QStringLiteral("Emp8")));
        GrabadorMensajes g;
        auto f = lista();
        irA(f.get(), 8);
        f->accion(QStringLiteral("ActEliminar"))->trigger();
        QCOMPARE(g.mensajes.size(), 4);
        QCOMPARE(g.mensajes.last().tipo, TipoMensaje::Error);
        QVERIFY(QFile::exists(fuera.path() + QStringLiteral("/valioso.db")));
        QVERIFY(hayEmpresa(8));
    }

    // Seleccionar (and Enter in the grid) opens the company and closes the window.
    void seleccionar_data()
    {
        QTest::addColumn<int>("como");
        QTest::newRow("Intro en la rejilla") << 0;
        QTest::newRow("tecla C") << 1;
        QTest::newRow("acción") << 2;
    }
    void seleccionar()
    {
        QFETCH(int, como);
        GrabadorMensajes g;
        auto f = lista();
        irA(f.get(), 9);
        if (como == 0)
            QTest::keyClick(f->Tabla(), Qt::Key_Return);
        else if (como == 1)
            QTest::keyClick(f->Tabla(), Qt::Key_C);
        else
            f->accion(QStringLiteral("ActSeleccionar"))->trigger();
        QVERIFY(g.mensajes.isEmpty());
        QCOMPARE(Estado().CodigoEmpresa, 9);
        QCOMPARE(Estado().NombreEmpresa, QStringLiteral("Borrable"));
        QVERIFY(!f->isVisible());
        QVERIFY(!QApplication::overrideCursor());
    }

    // Without a company open, companies can still be added and changed.
    void sinEmpresaAbierta()
    {
        Estado().NombreEmpresa.clear();
        Estado().CodigoEmpresa = app::SinEmpresa;
        GrabadorMensajes g;
        auto f = lista();
        bool abierta = false;
        enModal([&](QWidget* d) {
            abierta = true;
            static_cast<TFormEmpresaG*>(d)->BCancelar->click();
        });
        f->accion(QStringLiteral("ActModificar"))->trigger();
        QVERIFY(abierta);
        QVERIFY(g.mensajes.isEmpty());
        f->accion(QStringLiteral("ActEliminar"))->trigger();
        QCOMPARE(g.resumen(), QStringList{mensaje(TipoMensaje::Atencion, QStringLiteral("Abrir empresa..."),
                                                  QStringLiteral("Abra una empresa para introducir datos."))});
    }

    // Changing the open company's rate reopens it at once.
    void modificarEmpresaAbierta()
    {
        GrabadorMensajes g;
        auto f = lista();
        irA(f.get(), 7);
        enModal([&](QWidget* d) {
            auto* w = qobject_cast<TFormEmpresaG*>(d);
            QCOMPARE(w->windowTitle(), QStringLiteral("Modificar Empresa..."));
            QVERIFY(!w->TxtCodigo->isEnabled());
            QVERIFY(!w->OpImportar->isVisible());
            w->TxtCambio->setFocus();
            w->TxtCambio->selectAll();
            QTest::keyClicks(w->TxtCambio, QStringLiteral("200.5"));
            QCOMPARE(w->TxtCambio->text(), QStringLiteral("200,5"));
            w->BAceptar->click();
        });
        f->accion(QStringLiteral("ActModificar"))->trigger();
        QVERIFY(g.mensajes.isEmpty());
        QCOMPARE(Estado().CambioEmpresa, 200.5);
    }

    void comprobaciones_data()
    {
        QTest::addColumn<QString>("caja");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("mensaje"); // empty: passes
        const QString fechas = QStringLiteral("La fecha de Fin de ejercicio no puede ser menor que la fecha de Inicio.");
        const QString cambio = QStringLiteral("El cambio no puede ser menor ni igual a cero.");
        QTest::newRow("código reservado") << "TxtCodigo" << "-33333" << "Código incorrecto..."
                                          << "El código para la empresa no es correcto.";
        QTest::newRow("código válido") << "TxtCodigo" << "15" << "" << "";
        QTest::newRow("fin igual al inicio") << "TxtFechaFin" << "01/01/24" << "" << "";
        QTest::newRow("fin un día antes") << "TxtFechaFin" << "31/12/23" << "Error..." << fechas;
        QTest::newRow("fin vacío") << "TxtFechaFin" << "" << "Error..." << fechas;
        QTest::newRow("cambio cero") << "TxtCambio" << "0" << "Error..." << cambio;
        QTest::newRow("cambio negativo") << "TxtCambio" << "-1" << "Error..." << cambio;
        QTest::newRow("cambio vacío") << "TxtCambio" << "" << "Error..." << cambio;
        QTest::newRow("cambio válido") << "TxtCambio" << "166,386" << "" << "";
    }
    void comprobaciones()
    {
        QFETCH(QString, caja);
        QFETCH(QString, texto);
        QFETCH(QString, titulo);
        QFETCH(QString, mensaje);
        GrabadorMensajes g;
        TFormEmpresaG* w = edicion(modo::Nuevo);
        Datos()->TEmpresa->fieldByName(QStringLiteral("FechaAlta"))->setValue(QDate(2024, 1, 1));
        auto* box = w->findChild<TDBEdit*>(caja);
        QVERIFY(box);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        if (!texto.isEmpty())
            QTest::keyClicks(box, texto);
        QTest::keyClick(box, Qt::Key_Tab);
        if (mensaje.isEmpty()) {
            QVERIFY2(g.mensajes.isEmpty(), qPrintable(g.resumen().join(QLatin1Char('\n'))));
            QVERIFY(!box->hasFocus());
        } else {
            QCOMPARE(g.resumen(), QStringList{::mensaje(TipoMensaje::Error, titulo, mensaje)});
            QVERIFY(box->hasFocus());
        }
        w->BCancelar->click();
        QVERIFY(!hayEmpresa(15));
    }

    void logotipo_data()
    {
        QTest::addColumn<QString>("formato");
        QTest::addColumn<bool>("valido");
        QTest::newRow("JPEG") << "jpg" << true;
        QTest::newRow("BMP") << "bmp" << true;
        QTest::newRow("PNG") << "png" << true;
        QTest::newRow("ICO") << "ico" << true;
        QTest::newRow("no es una imagen") << "wmf" << false;
    }
    void logotipo()
    {
        QFETCH(QString, formato);
        QFETCH(bool, valido);
        QTemporaryDir dir;
        const QString fichero = dir.path() + QStringLiteral("/logo.") + formato;
        if (valido) {
            QImage img(32, 24, QImage::Format_RGB32);
            img.fill(Qt::darkBlue);
            QVERIFY(img.save(fichero));
        } else {
            QFile f(fichero);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a picture");
        }
        GrabadorMensajes g;
        TFormEmpresaG* w = edicion(modo::Nuevo);
        w->elegirImagen = [&] { return fichero; };
        w->BRuta->click();
        motor::Field* logo = Datos()->TEmpresa->fieldByName(QStringLiteral("Logotipo"));
        if (valido) {
            QVERIFY(g.mensajes.isEmpty());
            QVERIFY(!logo->isNull());
            QCOMPARE(QImage::fromData(logo->asBlob()).size(), QSize(32, 24));
            w->TxtEstrechar->click();
            QVERIFY(w->DBLogo->ajustar());
            QCOMPARE(Datos()->TEmpresa->fieldByName(QStringLiteral("AjustarTamano"))->asBoolean(), true);
            w->SpeedButton1->click();
            QVERIFY(logo->isNull());
        } else {
            QCOMPARE(g.mensajes.size(), 1);
            QCOMPARE(g.mensajes.first().texto, QStringLiteral("No se ha podido abrir la imagen."));
            QVERIFY(logo->isNull());
        }
        w->BCancelar->click();
    }
};

QTEST_MAIN(TestEmpresas)
#include "tst_empresas.moc"
