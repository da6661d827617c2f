#include "Soporte.h"
#include "app/Ayuda.h"
#include "app/CErrores.h"
#include "app/UnidadMenuPrincipal.h"
#include "core/Errores.h"
#include "core/EstadoAplicacion.h"
#include "core/Ini.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>

namespace {
QStringList textos(const QList<QAction*>& acciones)
{
    QStringList r;
    for (QAction* a : acciones)
        r << (a->isSeparator() ? QStringLiteral("-") : a->objectName().isEmpty() ? a->text() : a->objectName());
    return r;
}

void restaurarCursor()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

// A stand-in list window that counts how many were made.
struct Fabrica {
    int creadas = 0;
    QString nombre;
    FabricaVentana fabrica()
    {
        return [this] {
            ++creadas;
            auto* w = new QWidget;
            w->setObjectName(nombre);
            w->setWindowTitle(nombre);
            return w;
        };
    }
};

// A stand-in modal window: closes itself as soon as it is shown.
FabricaVentana dialogoQueSeCierra(int* abiertos)
{
    return [abiertos] {
        auto* d = new QDialog;
        d->setAttribute(Qt::WA_DeleteOnClose);
        alAbrirModal([abiertos](QWidget* w) {
            ++*abiertos;
            static_cast<QDialog*>(w)->reject();
        });
        return d;
    };
}
} // namespace

class TstMenuPrincipal : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void acciones_data();
    void acciones();
    void menusYBarras();
    void comandosSinVentanaDesactivados();
    void configuracionPorDefecto();
    void configuracionLeida();
    void unaVentanaHijaPorClase();
    void restauraMinimizada_data();
    void restauraMinimizada();
    void cursorDeshechoSiFallaLaCreacion();
    void cierreDeTodasAntesDeEmpresas_data();
    void cierreDeTodasAntesDeEmpresas();
    void permisos_data();
    void permisos();
    void cerrarNo();
    void cerrarSi();
    void calculadoraYEditorAusentes();
    void pistasEnLaBarraDeEstado();
    void ayuda();
    void menuVentana();
    void acercaDeEInformacion();
    void calendarioSinSeleccionar();

private:
    std::unique_ptr<CarpetaPrograma> m_carpeta;
    std::unique_ptr<GrabadorMensajes> m_mensajes;
    std::unique_ptr<TFormMenuPrincipal> m_f;
};

void TstMenuPrincipal::init()
{
    m_carpeta = std::make_unique<CarpetaPrograma>();
    m_mensajes = std::make_unique<GrabadorMensajes>();
    reiniciarEstado();
    borrarRegistroVentanas();
    m_f = std::make_unique<TFormMenuPrincipal>();
    m_f->lanzarCalculadora = [] { return false; };
    m_f->lanzarEditorTexto = [] { return false; };
}

void TstMenuPrincipal::cleanup()
{
    if (m_f)
        m_f->setAttribute(Qt::WA_DeleteOnClose, false);
    m_f.reset();
    TExceptionLog::destruir();
    borrarRegistroVentanas();
    restaurarCursor();
    m_mensajes.reset();
    m_carpeta.reset();
}

void TstMenuPrincipal::acciones_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    const char* filas[][3] = {
        {"ActEmpresas", "Empresas", "Empresas"},
        {"ActConfiguracion", "Configuración", "Configuración"},
        {"ActUsuarios", "Usuarios", "Gestión de usuarios"},
        {"ActSalir", "Salir", "Cierra esta aplicación"},
        {"ActComerciales", "Comerciales", "Comerciales (altas, bajas, modificaciones, búsquedas, ...)"},
        {"ActAparatos", "Aparatos", "Aparatos (altas, bajas, modificaciones, búsquedas, ...)"},
        {"ActCliente", "Cliente", "Cliente (altas, bajas, modificaciones, búsquedas, ...)"},
        {"ActCobro", "Cobros de clientes", "Cobros (altas, bajas, modificaciones, búsquedas, ...)"},
        {"ActFechaTrabajo", "Fecha de trabajo", "Fecha de trabajo"},
        {"ActInformacion", "Información", "Información del equipo"},
        {"ActAcercaDe", "Acerca de...", "Información de la aplicación"},
        {"ActPlus", "Plus", "Tipos de plus"},
        {"ActVenta", "Ventas", "Ventas de aparatos a clientes por comerciales"},
        {"ActGastosComerciales", "Gastos comerciales", "Gastos de comerciales"},
        {"ActExtras", "Extras", "Extras de comerciales"},
        {"ActCopiaSeguridad", "Copia de seguridad", "Copia de seguridad"},
        {"ActFacturas", "Facturas de comerciales", "Facturas realizadas a comerciales"},
        {"ActCalendario", "Calendario", "Muestra un calendario"},
        {"ActReorganizar", "Reorganizar ficheros", "Actualiza los índices y los datos de los ficheros"},
        {"ActCalculadora", "Calculadora", "Muestra la calculadora de Windows"},
        {"ActBlocNotas", "Bloc de notas", "Muestra el bloc de notas de Windows"},
    };
    for (const auto& f : filas)
        QTest::newRow(f[0]) << QString::fromUtf8(f[0]) << QString::fromUtf8(f[1]) << QString::fromUtf8(f[2]);
}

void TstMenuPrincipal::acciones()
{
    QFETCH(QString, nombre);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    QAction* a = m_f->accion(nombre);
    QVERIFY(a);
    QCOMPARE(a->text(), caption);
    QCOMPARE(a->statusTip(), hint);
    QCOMPARE(a->toolTip(), hint);
    QVERIFY(!a->icon().isNull());
}

void TstMenuPrincipal::menusYBarras()
{
    QCOMPARE(m_f->acciones().size(), 21);
    QCOMPARE(m_f->windowTitle(), QStringLiteral("Menú Principal - Gestión de productos"));
    QStringList menus;
    for (QAction* a : m_f->menuBar()->actions())
        menus << a->text();
    QCOMPARE(menus, (QStringList{"  Global  ", "  Datos  ", "  Informes  ", "  Herramientas  ", "  Ventana  ",
                                 "  Ayuda  "}));
    QCOMPARE(textos(m_f->MnuGlobal->actions()),
             (QStringList{"ActFechaTrabajo", "-", "ActEmpresas", "-", "ActInformacion", "-", "ActSalir"}));
    QCOMPARE(textos(m_f->MnuDatos->actions()),
             (QStringList{"ActComerciales", "ActGastosComerciales", "ActExtras", "ActFacturas", "-", "ActAparatos",
                          "ActCliente", "ActPlus", "-", "ActCobro", "ActVenta"}));
    QCOMPARE(m_f->MnuInformes->actions().size(), 1);
    QCOMPARE(m_f->MnuComisiones->text(), QStringLiteral("Comisiones por comercial"));
    QCOMPARE(textos(m_f->MnuHerramientas->actions()),
             (QStringList{"ActConfiguracion", "ActUsuarios", "ActCopiaSeguridad", "-", "ActReorganizar", "-",
                          "ActCalendario", "ActCalculadora", "ActBlocNotas"}));
    QCOMPARE(textos(m_f->MnuVentana->actions()),
             (QStringList{"Cerrar todas", "Minimizar todas", "Abrir todas", "-", "Cascada", "Mosaico",
                          "Ordenar iconos"}));
    QCOMPARE(textos(m_f->MnuAyuda->actions()), (QStringList{"General", "Índice", "-", "ActAcercaDe"}));
    QCOMPARE(m_f->MnuGeneral->shortcut(), QKeySequence(Qt::Key_F1));
    QCOMPARE(m_f->MnuIndice->statusTip(), QStringLiteral("Muestra el índice de la ayuda"));
    QCOMPARE(textos(m_f->PopupMenu1->actions()),
             (QStringList{"ActComerciales", "ActGastosComerciales", "ActExtras", "-", "ActAparatos", "ActCliente",
                          "ActPlus", "-", "ActCobro", "ActVenta", "-", "ActEmpresas", "-", "ActSalir"}));

    // Button bar: buttons 26 wide, separators 8 wide, in the given order.
    QStringList bb;
    for (QObject* o : m_f->BB->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w)
            continue;
        if (auto* b = qobject_cast<QToolButton*>(w)) {
            QCOMPARE(b->width(), 26);
            bb << b->defaultAction()->objectName();
        } else {
            QCOMPARE(w->width(), 8);
            bb << QStringLiteral("|");
        }
    }
    QCOMPARE(bb, (QStringList{"ActEmpresas", "|", "ActComerciales", "ActGastosComerciales", "ActExtras",
                              "ActFacturas", "|", "ActAparatos", "ActCliente", "ActPlus", "|", "ActCobro",
                              "ActVenta", "|", "ActCopiaSeguridad", "|", "ActSalir"}));
    QCOMPARE(m_f->BC->windowTitle(), QStringLiteral("Orvento  -  Menú principal"));
    QCOMPARE(m_f->BEPanel0->width(), 600);
    QCOMPARE(m_f->BEPanel1->width(), 10);
}

void TstMenuPrincipal::comandosSinVentanaDesactivados()
{
    // Nothing plugged in: only the main window's own commands work.
    QStringList activas;
    for (QAction* a : m_f->acciones())
        if (a->isEnabled())
            activas << a->objectName();
    QCOMPARE(activas, (QStringList{"ActSalir", "ActCalculadora", "ActBlocNotas"}));
    Fabrica comerciales;
    registrarVentana(QStringLiteral("ActComerciales"), comerciales.fabrica());
    QVERIFY(m_f->ActComerciales->isEnabled());
    QVERIFY(m_f->ActComerciales->isVisible());
    QVERIFY(!m_f->ActVenta->isEnabled());
}

void TstMenuPrincipal::configuracionPorDefecto()
{
    QVERIFY(!m_f->BC->isVisibleTo(m_f.get())); // hidden until the settings are loaded
    m_f->show();
    QCOMPARE(Estado().FechaTrabajo, QDate::currentDate());
    QVERIFY(Estado().MostrarProgreso && Estado().VentanasMaximizadas && Estado().MostrarBotonesVentanas
            && Estado().MostrarBarraBotones && Estado().MostrarBarraEstado && Estado().BotonesPlanos);
    QVERIFY(m_f->BC->isVisible());
    QVERIFY(m_f->BE->isVisible());
    for (QToolButton* b : m_f->BB->findChildren<QToolButton*>())
        QVERIFY(b->autoRaise());
    // The hourglass is left for the login to take away.
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QVERIFY(!QFile::exists(rutaIniPrograma()));
}

void TstMenuPrincipal::configuracionLeida()
{
    QFile f(rutaIniPrograma());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[APLICACION]\nflat=0\nMostrar barra de estado=0\nMostrar barras de botones=1\n"
            "Estado Carga ventanas=0\nProgreso=0\n");
    f.close();
    m_f->show();
    QVERIFY(!Estado().BotonesPlanos && !Estado().MostrarBarraEstado && !Estado().VentanasMaximizadas
            && !Estado().MostrarProgreso);
    QVERIFY(Estado().MostrarBarraBotones && Estado().MostrarBotonesVentanas);
    QVERIFY(!m_f->BE->isVisible());
    QVERIFY(m_f->BC->isVisible());
    for (QToolButton* b : m_f->BB->findChildren<QToolButton*>())
        QVERIFY(!b->autoRaise());
}

void TstMenuPrincipal::unaVentanaHijaPorClase()
{
    Fabrica comerciales{0, QStringLiteral("FormComercial")};
    Fabrica clientes{0, QStringLiteral("formcliente")};
    registrarVentana(QStringLiteral("ActComerciales"), comerciales.fabrica());
    registrarVentana(QStringLiteral("ActCliente"), clientes.fabrica());
    m_f->show();
    m_f->ActComerciales->trigger();
    m_f->ActCliente->trigger();
    m_f->ActComerciales->trigger(); // found by name whatever its case
    QCOMPARE(comerciales.creadas, 1);
    QCOMPARE(clientes.creadas, 1);
    QCOMPARE(m_f->ventanasHijas().size(), 2);
    QCOMPARE(m_f->Mdi->activeSubWindow()->widget()->objectName(), QStringLiteral("FormComercial"));
    QVERIFY(m_f->Mdi->activeSubWindow()->isMaximized()); // VentanasMaximizadas by default
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor); // only FormShow's one is left
    QApplication::restoreOverrideCursor();
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(m_f->updatesEnabled());

    // A closed child is made anew next time.
    m_f->CerrarTodas();
    QTRY_VERIFY(m_f->ventanasHijas().isEmpty());
    m_f->ActComerciales->trigger();
    QCOMPARE(comerciales.creadas, 2);
}

void TstMenuPrincipal::restauraMinimizada_data()
{
    QTest::addColumn<bool>("maximizadas");
    QTest::newRow("VentanasMaximizadas on") << true;
    QTest::newRow("VentanasMaximizadas off") << false;
}

void TstMenuPrincipal::restauraMinimizada()
{
    QFETCH(bool, maximizadas);
    Fabrica comerciales{0, QStringLiteral("formcomercial")};
    registrarVentana(QStringLiteral("ActComerciales"), comerciales.fabrica());
    m_f->show();
    restaurarCursor();
    Estado().VentanasMaximizadas = maximizadas;
    m_f->ActComerciales->trigger();
    QMdiSubWindow* sub = m_f->ventanasHijas().value(0);
    QVERIFY(sub);
    QCOMPARE(sub->isMaximized(), maximizadas);
    sub->showMinimized();
    QVERIFY(sub->isMinimized());
    m_f->ActComerciales->trigger();
    QCOMPARE(comerciales.creadas, 1);
    QVERIFY(!sub->isMinimized());
    QCOMPARE(sub->isMaximized(), maximizadas);
    QVERIFY(!QApplication::overrideCursor());
}

void TstMenuPrincipal::cursorDeshechoSiFallaLaCreacion()
{
    registrarVentana(QStringLiteral("ActVenta"), []() -> QWidget* {
        throw EDatabaseError(QStringLiteral("Tabla no encontrada."));
    });
    m_f->show();
    restaurarCursor();
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, m_f->AbrirVentanaHija(fabricaVentana("ActVenta"), "formventa"));
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(m_f->updatesEnabled());
    QVERIFY(m_f->ventanasHijas().isEmpty());
}

void TstMenuPrincipal::cierreDeTodasAntesDeEmpresas_data()
{
    QTest::addColumn<QString>("accion");
    QTest::addColumn<QString>("texto");
    QTest::newRow("ActEmpresas") << "ActEmpresas" << "Antes de abrir EMPRESAS debe cerrar todas las ventanas.";
    QTest::newRow("ActReorganizar") << "ActReorganizar"
                                    << "Antes de organizar los ficheros debe cerrar todas las ventanas.";
}

void TstMenuPrincipal::cierreDeTodasAntesDeEmpresas()
{
    QFETCH(QString, accion);
    QFETCH(QString, texto);
    Fabrica comerciales{0, QStringLiteral("formcomercial")};
    registrarVentana(QStringLiteral("ActComerciales"), comerciales.fabrica());
    int abiertos = 0;
    registrarVentana(accion, dialogoQueSeCierra(&abiertos));
    m_f->show();
    restaurarCursor();
    m_f->ActComerciales->trigger();
    m_f->accion(accion)->trigger();
    QCOMPARE(abiertos, 0);
    QCOMPARE(m_mensajes->resumen(), QStringList{mensaje(TipoMensaje::Info, "Cierre todas las ventanas...", texto)});

    m_mensajes->limpiar();
    m_f->CerrarTodas();
    QTRY_VERIFY(m_f->ventanasHijas().isEmpty());
    m_f->accion(accion)->trigger();
    QCOMPARE(abiertos, 1);
    QVERIFY(m_mensajes->mensajes.isEmpty());
}

void TstMenuPrincipal::permisos_data()
{
    QTest::addColumn<QString>("accion");
    QTest::addColumn<QString>("tipoUsuario");
    QTest::addColumn<bool>("abre");
    const QString admin = QStringLiteral("Administrador");
    QTest::newRow("users: Administrador") << "ActUsuarios" << admin << true;
    QTest::newRow("users: Totales") << "ActUsuarios" << "Totales" << false;
    QTest::newRow("backup: Administrador") << "ActCopiaSeguridad" << admin << true;
    QTest::newRow("backup: Consulta/Modific.") << "ActCopiaSeguridad" << "Consulta/Modific." << false;
    QTest::newRow("working date: Listados") << "ActFechaTrabajo" << "Listados" << false;
    QTest::newRow("working date: Consulta") << "ActFechaTrabajo" << "Consulta" << false;
    QTest::newRow("working date: Restringido") << "ActFechaTrabajo" << "Restringido" << false;
    QTest::newRow("working date: Consulta/Modific.") << "ActFechaTrabajo" << "Consulta/Modific." << true;
    QTest::newRow("working date: Totales") << "ActFechaTrabajo" << "Totales" << true;
    QTest::newRow("configuration: Administrador, no company") << "ActConfiguracion" << admin << true;
    QTest::newRow("configuration: Totales") << "ActConfiguracion" << "Totales" << false;
}

void TstMenuPrincipal::permisos()
{
    QFETCH(QString, accion);
    QFETCH(QString, tipoUsuario);
    QFETCH(bool, abre);
    int abiertos = 0;
    if (accion == QLatin1String("ActUsuarios"))
        registrarVentana(accion, [&abiertos] { ++abiertos; return new QWidget; });
    else
        registrarVentana(accion, dialogoQueSeCierra(&abiertos));
    m_f->show();
    restaurarCursor();
    Estado().TipoUsuario = tipoUsuario;
    m_f->accion(accion)->trigger();
    QCOMPARE(abiertos, abre ? 1 : 0);
    if (abre)
        QCOMPARE(m_mensajes->resumen(), QStringList());
    else
        QCOMPARE(m_mensajes->resumen(), QStringList{mensaje(TipoMensaje::Error, "Permiso restringido...",
                                                            "No tiene permiso para ejecutar esta opción.")});
}

void TstMenuPrincipal::cerrarNo()
{
    Fabrica comerciales{0, QStringLiteral("formcomercial")};
    registrarVentana(QStringLiteral("ActComerciales"), comerciales.fabrica());
    m_f->show();
    restaurarCursor();
    m_f->ActComerciales->trigger();
    m_mensajes->responder(false);
    m_f->ActSalir->trigger();
    QCOMPARE(m_mensajes->resumen(), QStringList{mensaje(TipoMensaje::Si, "Cerrar aplicación...",
                                                        "¿Está seguro que desea cerrar la aplicación?")});
    QVERIFY(m_f->isVisible());
    QCOMPARE(m_f->ventanasHijas().size(), 1);
    QVERIFY(!QFile::exists(rutaIniPrograma()));
}

void TstMenuPrincipal::cerrarSi()
{
    Fabrica comerciales{0, QStringLiteral("formcomercial")};
    registrarVentana(QStringLiteral("ActComerciales"), comerciales.fabrica());
    esEntINI(ini::Aplicacion, ini::Ejecuciones, 3);
    m_f->show();
    restaurarCursor();
    m_f->ActComerciales->trigger();
    m_mensajes->responder(true);
    QVERIFY(m_f->close());
    QVERIFY(!m_f->isVisible());
    QTRY_VERIFY(m_f->ventanasHijas().isEmpty());
    const ArchivoIni a(rutaIniPrograma());
    QCOMPARE(a.leeFecha(ini::Aplicacion, ini::UltimoAcceso, {}), QDate::currentDate());
    QCOMPARE(a.leeCadena(ini::Aplicacion, ini::CerradaBien, {}), QStringLiteral("1"));
    QCOMPARE(a.leeEntero(ini::Aplicacion, ini::Ejecuciones, 0), 3);
}

void TstMenuPrincipal::calculadoraYEditorAusentes()
{
    m_f->ActCalculadora->trigger();
    m_f->ActBlocNotas->trigger();
    QCOMPARE(m_mensajes->resumen(),
             (QStringList{mensaje(TipoMensaje::Info, "Calculadora...",
                                  "No se ha encontrado ninguna calculadora en este equipo."),
                          mensaje(TipoMensaje::Info, "Bloc de notas...",
                                  "No se ha encontrado ningún editor de textos en este equipo.")}));
    m_mensajes->limpiar();
    int lanzadas = 0;
    m_f->lanzarCalculadora = [&lanzadas] { ++lanzadas; return true; };
    m_f->ActCalculadora->trigger();
    QCOMPARE(lanzadas, 1);
    QVERIFY(m_mensajes->mensajes.isEmpty());
}

void TstMenuPrincipal::pistasEnLaBarraDeEstado()
{
    m_f->show();
    restaurarCursor();
    QToolButton* b = m_f->BB->findChild<QToolButton*>(QStringLiteral("BB_ActVenta"));
    QVERIFY(b);
    QStatusTipEvent pista(b->statusTip());
    QApplication::sendEvent(b, &pista); // propagates to the frame, as hovering does
    QCOMPARE(m_f->BEPanel0->text(), QStringLiteral("Ventas de aparatos a clientes por comerciales"));
}

void TstMenuPrincipal::ayuda()
{
    m_f->show();
    restaurarCursor();
    m_f->MnuGeneral->trigger();
    auto* ventana = m_f->findChild<TFormAyuda*>();
    QVERIFY(ventana);
    QVERIFY(ventana->isVisible());
    QCOMPARE(ventana->Visor->documentTitle(), QStringLiteral("Ayuda de Torbelin Provenda"));
    m_f->MnuIndice->trigger();
    QCOMPARE(m_f->findChildren<TFormAyuda*>().size(), 1);
    QCOMPARE(ventana->Visor->documentTitle(), QStringLiteral("Índice de la ayuda"));
    ventana->mostrarTema(QStringLiteral("1010"));
    QCOMPARE(ventana->Visor->documentTitle(), QStringLiteral("Ventanas de lista"));
    ventana->mostrarTema(QStringLiteral("99999")); // unknown topic: the general page
    QCOMPARE(ventana->Visor->documentTitle(), QStringLiteral("Ayuda de Torbelin Provenda"));
    ventana->close();
}

void TstMenuPrincipal::menuVentana()
{
    Fabrica a{0, QStringLiteral("formcomercial")}, b{0, QStringLiteral("formcliente")};
    registrarVentana(QStringLiteral("ActComerciales"), a.fabrica());
    registrarVentana(QStringLiteral("ActCliente"), b.fabrica());
    m_f->show();
    restaurarCursor();
    m_f->ActComerciales->trigger();
    m_f->ActCliente->trigger();
    m_f->MnuMinimizarTodas->trigger();
    for (QMdiSubWindow* s : m_f->ventanasHijas())
        QVERIFY(s->isMinimized());
    m_f->MnuAbrirTodas->trigger();
    for (QMdiSubWindow* s : m_f->ventanasHijas())
        QVERIFY(!s->isMinimized() && !s->isMaximized());
    // The window menu lists the open children after its own items.
    emit m_f->MnuVentana->aboutToShow();
    QStringList lista = textos(m_f->MnuVentana->actions()).mid(7);
    QCOMPARE(lista, (QStringList{"-", "&1 formcomercial", "&2 formcliente"}));
    m_f->MnuCerrarTodas->trigger();
    QTRY_VERIFY(m_f->ventanasHijas().isEmpty());
}

void TstMenuPrincipal::acercaDeEInformacion()
{
    int creadas = 0;
    registrarVentana(QStringLiteral("ActAcercaDe"), [&creadas] {
        ++creadas;
        return new QDialog; // kept after closing: found again by its name
    });
    QVERIFY(m_f->ActInformacion->isEnabled());
    QString titulo;
    int tag = -1;
    auto responder = [&] {
        alAbrirModal([&](QWidget* w) {
            titulo = w->windowTitle();
            tag = m_f->Tag;
            QCOMPARE(w->objectName(), QStringLiteral("formacercade"));
            static_cast<QDialog*>(w)->reject();
        });
    };
    responder();
    m_f->ActInformacion->trigger();
    QCOMPARE(tag, 10);
    QCOMPARE(titulo, QStringLiteral("Información general..."));
    responder();
    m_f->ActAcercaDe->trigger();
    QCOMPARE(tag, 0);
    QCOMPARE(creadas, 1);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("formacercade"))
            delete w;
}

void TstMenuPrincipal::calendarioSinSeleccionar()
{
    bool seleccionarActiva = true;
    QPointer<QDialog> calendario;
    registrarVentana(QStringLiteral("ActCalendario"), [&] {
        auto* d = new QDialog;
        auto* a = new QAction(QStringLiteral("Seleccionar"), d);
        a->setObjectName(QStringLiteral("ActSeleccionar"));
        calendario = d;
        alAbrirModal([&, a](QWidget* w) {
            seleccionarActiva = a->isEnabled();
            static_cast<QDialog*>(w)->reject();
        });
        return d;
    });
    m_f->ActCalendario->trigger();
    QVERIFY(!seleccionarActiva);
    QVERIFY(!calendario); // created anew for each use and gone afterwards
}

QTEST_MAIN(TstMenuPrincipal)
#include "tst_menuprincipal.moc"
