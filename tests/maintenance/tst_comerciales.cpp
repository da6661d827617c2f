// Sales representatives: the list window and the edit window driven as a user
// would, over a small company folder.
#include "../ui/EmpresaPrueba.h"
#include "app/UnidadMenuPrincipal.h"
#include "core/Ini.h"
#include "core/Mensajes.h"
#include "data/UnidadDatos.h"
#include "maintenance/UnidadComerciales.h"
#include "maintenance/UnidadGComerial.h"
#include "ui/CajasMensaje.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTimer>
#include <QHeaderView>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QToolBar>
#include <QMenu>

namespace {
const QString Info = QStringLiteral("info|Información...|");
QString err(const QString& texto) { return QStringLiteral("error|Error...|") + texto; }

QString ordenSql() { return Datos()->TCComercial->sql().value(2); }
}

class TstComerciales : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    // List window.
    void ordenarPorTitulo();
    void conservaElLugar();
    void restaurarEstado_data();
    void restaurarEstado();
    void ordenarMaloNoLlegaAlSql();
    void eliminarConReferencias_data();
    void eliminarConReferencias();
    void eliminarPregunta_data();
    void eliminarPregunta();
    void listaVacia();
    void registroYaEliminado_data();
    void registroYaEliminado();
    void accionesYTeclas();
    void hijaDelMenuPrincipal();
    void modificarYGuardar();

    // Edit window.
    void codigoDuplicadoYVacio();
    void cajaDeMensajeReal();
    void nombreDuplicadoSinMayusculas();
    void nifSeCompleta();
    void modificarSoloVacios();
    void zoomSoloLectura();
    void introComoTabulador();
    void nifVacioAlGuardar();
    void guardarNuevo();

private:
    TFormComercial* abrirLista();
    TFormComercialG* abrirEdicion(const QString& modo);
    std::unique_ptr<EmpresaPrueba> m_empresa;
    std::unique_ptr<GrabadorMensajes> m_msg;
};

void TstComerciales::init()
{
    m_empresa = std::make_unique<EmpresaPrueba>();
    m_msg = std::make_unique<GrabadorMensajes>();
    m_empresa->comercial(QStringLiteral("C1"), QStringLiteral("Zurita Gómez"), QStringLiteral("11111111-H"));
    m_empresa->comercial(QStringLiteral("C2"), QStringLiteral("Álvarez Ruiz"), QStringLiteral("22222222-J"));
    m_empresa->comercial(QStringLiteral("C3"), QStringLiteral("José Pérez"), QStringLiteral("33333333-P"));
}

void TstComerciales::cleanup()
{
    QList<QPointer<QWidget>> ventanas;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QDialog*>(w))
            ventanas << w;
    for (const QPointer<QWidget>& w : ventanas)
        delete w.data();
    m_msg.reset();
    m_empresa.reset();
}

TFormComercial* TstComerciales::abrirLista()
{
    auto* w = new TFormComercial;
    w->show();
    QApplication::setActiveWindow(w);
    if (!QTest::qWaitForWindowActive(w))
        qWarning("list window not active");
    return w;
}

TFormComercialG* TstComerciales::abrirEdicion(const QString& modo)
{
    Estado().Modo = modo;
    auto* w = new TFormComercialG;
    w->show();
    QApplication::setActiveWindow(w);
    if (!QTest::qWaitForWindowActive(w))
        qWarning("edit window not active");
    return w;
}

// ---------------------------------------------------------------- list

void TstComerciales::ordenarPorTitulo()
{
    TFormComercial* w = abrirLista();
    QCOMPARE(w->windowTitle(), QStringLiteral("Comerciales (ordenado por Código)"));
    QCOMPARE(ordenSql(), QStringLiteral("ORDER BY Codigo,Nombre"));
    w->Tabla()->selectRow(2);
    QCOMPARE(w->codigoActual(), QStringLiteral("C3"));

    // A click on the name title sorts by Nombre twice and keeps the record.
    QHeaderView* h = w->Tabla()->horizontalHeader();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(1) + 10, h->height() / 2));
    QCOMPARE(w->windowTitle(), QStringLiteral("Comerciales (ordenado por Nombre)"));
    QCOMPARE(ordenSql(), QStringLiteral("ORDER BY Nombre,Nombre"));
    QCOMPARE(w->codigoActual(), QStringLiteral("C3"));
    QCOMPARE(w->Tabla()->currentIndex().row(), 1);
    // Spanish order: Álvarez before José before Zurita.
    QCOMPARE(w->modelo()->texto(0, 1), QStringLiteral("Álvarez Ruiz"));
    QCOMPARE(w->modelo()->texto(2, 1), QStringLiteral("Zurita Gómez"));

    w->TablaTitleClick(2);
    QCOMPARE(w->windowTitle(), QStringLiteral("Comerciales (ordenado por N.I.F.)"));
    QCOMPARE(ordenSql(), QStringLiteral("ORDER BY NIF,Nombre"));
    QVERIFY(m_msg->mensajes.isEmpty());
}

void TstComerciales::conservaElLugar()
{
    TFormComercial* w = abrirLista();
    w->Tabla()->selectRow(1);
    QCOMPARE(w->codigoActual(), QStringLiteral("C2"));

    // The letter A opens the edit window in "nuevo"; after it the list is
    // back on the record it was on, not on the new one.
    QString titulo, modo;
    alAbrirModal([&](QWidget* d) {
        auto* g = qobject_cast<TFormComercialG*>(d);
        titulo = d->windowTitle();
        modo = Estado().Modo;
        if (!g)
            return;
        g->TxtCodigo->setFocus();
        QTest::keyClicks(g->TxtCodigo, QStringLiteral("c0"));
        QTest::keyClick(g->TxtCodigo, Qt::Key_Tab);
        QTest::keyClicks(g->TxtNIF, QStringLiteral("44444444-A"));
        QTest::keyClick(g->TxtNIF, Qt::Key_Tab);
        QTest::keyClicks(g->TxtNombre, QStringLiteral("Aaron Nuevo"));
        QTest::keyClick(g->TxtNombre, Qt::Key_Tab);
        g->BAceptar->click();
    });
    QTest::keyClick(w->Tabla(), Qt::Key_A);
    QCOMPARE(titulo, QStringLiteral("Nuevo Comercial..."));
    QCOMPARE(modo, QStringLiteral("nuevo"));
    QVERIFY2(m_msg->mensajes.isEmpty(), qPrintable(m_msg->resumen().join(QLatin1Char('\n'))));
    QCOMPARE(Datos()->TCComercial->recordCount(), 4);
    QCOMPARE(w->codigoActual(), QStringLiteral("C2"));
    QCOMPARE(w->Tabla()->currentIndex().row(), 2);

    // Refrescar keeps it too, through a change made elsewhere.
    m_empresa->comercial(QStringLiteral("A1"), QStringLiteral("Antes"));
    QTest::keyClick(w->Tabla(), Qt::Key_R);
    QCOMPARE(Datos()->TCComercial->recordCount(), 5);
    QCOMPARE(w->codigoActual(), QStringLiteral("C2"));
}

void TstComerciales::restaurarEstado_data()
{
    QTest::addColumn<bool>("guardar");
    QTest::addColumn<QString>("lugar");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("orden");
    QTest::newRow("guardado") << true << "C1" << "C1" << "Comerciales (ordenado por Nombre)" << "ORDER BY Nombre,Nombre";
    QTest::newRow("lugar que ya no existe") << true << "XX" << "C2" << "Comerciales (ordenado por Nombre)" << "ORDER BY Nombre,Nombre";
    QTest::newRow("sin guardar estado") << false << "C3" << "C1" << "Comerciales (ordenado por Código)" << "ORDER BY Codigo,Nombre";
}

void TstComerciales::restaurarEstado()
{
    QFETCH(bool, guardar);
    QFETCH(QString, lugar);
    QFETCH(QString, codigo);
    QFETCH(QString, titulo);
    QFETCH(QString, orden);
    {
        ArchivoIni f(rutaIniPrograma());
        f.escribeBooleano(ini::Aplicacion, ini::GuardarEstadoVentanas, guardar);
        f.escribeCadena(QStringLiteral("Tabla Comerciales"), ini::Lugar, lugar);
        f.escribeCadena(QStringLiteral("Tabla Comerciales"), ini::Ordenar, QStringLiteral("Nombre"));
        f.escribeCadena(QStringLiteral("Tabla Comerciales"), ini::LabelOrdenar, QStringLiteral("Nombre"));
        f.escribeEntero(QStringLiteral("Tabla Comerciales"), QStringLiteral("Nombre"), 200);
        f.guardar();
    }
    TFormComercial* w = abrirLista();
    QCOMPARE(w->windowTitle(), titulo);
    QCOMPARE(ordenSql(), orden);
    QCOMPARE(w->codigoActual(), codigo);
    // Saved widths apply whatever the switch says; others keep their design width.
    QCOMPARE(w->Tabla()->columnWidth(1), 200);
    QCOMPARE(w->Tabla()->columnWidth(0), 41);
    QCOMPARE(w->Tabla()->columnWidth(7), 75);

    // Closing writes every key.
    w->Tabla()->selectRow(2);
    w->Tabla()->setColumnWidth(2, 90);
    const QString actual = w->codigoActual();
    QPointer<TFormComercial> p(w);
    QTest::keyClick(w->Tabla(), Qt::Key_Escape);
    QTRY_VERIFY(p.isNull());
    const ArchivoIni f(rutaIniPrograma());
    QCOMPARE(f.leeCadena(QStringLiteral("Tabla Comerciales"), ini::Lugar, QString()), actual);
    QCOMPARE(f.leeCadena(QStringLiteral("Tabla Comerciales"), ini::Ordenar, QString()), guardar ? QStringLiteral("Nombre") : QStringLiteral("Codigo"));
    QCOMPARE(f.leeCadena(QStringLiteral("Tabla Comerciales"), ini::LabelOrdenar, QString()), guardar ? QStringLiteral("Nombre") : QStringLiteral("Código"));
    QCOMPARE(f.leeEntero(QStringLiteral("Tabla Comerciales"), QStringLiteral("NIF"), 0), 90);
    QCOMPARE(f.leeEntero(QStringLiteral("Tabla Comerciales"), QStringLiteral("Provincia"), 0), 75);
    QVERIFY(!Datos()->TCComercial->isOpen());
}

void TstComerciales::ordenarMaloNoLlegaAlSql()
{
    {
        ArchivoIni f(rutaIniPrograma());
        f.escribeBooleano(ini::Aplicacion, ini::GuardarEstadoVentanas, true);
        f.escribeCadena(QStringLiteral("Tabla Comerciales"), ini::Ordenar,
                        QStringLiteral("Nombre; DROP TABLE Comercial; --"));
        f.escribeCadena(QStringLiteral("Tabla Comerciales"), ini::LabelOrdenar, QStringLiteral("Nombre"));
        f.guardar();
    }
    TFormComercial* w = abrirLista();
    QCOMPARE(ordenSql(), QStringLiteral("ORDER BY Codigo,Nombre"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Comerciales (ordenado por Código)"));
    QCOMPARE(Datos()->TCComercial->recordCount(), 3);
    QVERIFY(m_msg->mensajes.isEmpty());

    // A sort field named in another case is a column all the same.
    w->close();
    {
        ArchivoIni f(rutaIniPrograma());
        f.escribeCadena(QStringLiteral("Tabla Comerciales"), ini::Ordenar, QStringLiteral("poblacion"));
        f.guardar();
    }
    abrirLista();
    QCOMPARE(ordenSql(), QStringLiteral("ORDER BY Poblacion,Nombre"));
}

void TstComerciales::eliminarConReferencias_data()
{
    QTest::addColumn<QString>("tabla");
    QTest::addColumn<QString>("mensaje");
    for (const QString& t : {QStringLiteral("Venta"), QStringLiteral("Cobro"), QStringLiteral("Gasto"),
                             QStringLiteral("Extra"), QStringLiteral("Factura")}) {
        const QString plural = t + QLatin1Char('s');
        QTest::newRow(qPrintable(t)) << t
            << QStringLiteral("No se puede eliminar el Comercial ya que existen %1 a su nombre.").arg(plural);
    }
}

void TstComerciales::eliminarConReferencias()
{
    QFETCH(QString, tabla);
    QFETCH(QString, mensaje);
    QVariantMap fila{{QStringLiteral("CodigoComercial"), QStringLiteral("C2")}};
    if (tabla == QLatin1String("Venta") || tabla == QLatin1String("Factura"))
        fila.insert(QStringLiteral("Codigo"), tabla == QLatin1String("Venta") ? QVariant(1) : QVariant(QStringLiteral("F1")));
    m_empresa->fila(tabla, fila);
    // A reference to another representative does not count.
    TFormComercial* w = abrirLista();
    w->Tabla()->selectRow(0);
    QTest::keyClick(w->Tabla(), Qt::Key_Minus);
    QVERIFY2(m_msg->resumen() == QStringList{QStringLiteral("si|Eliminar Comercial...|¿Está seguro que desea eliminar el Comercial : Zurita Gómez?")},
             qPrintable(m_msg->resumen().join(QLatin1Char('\n'))));
    m_msg->limpiar();
    QCOMPARE(Datos()->TCComercial->recordCount(), 2);

    w->Tabla()->selectRow(0);
    QCOMPARE(w->codigoActual(), QStringLiteral("C2"));
    QTest::keyClick(w->Tabla(), Qt::Key_Minus);
    QCOMPARE(m_msg->resumen(), QStringList{Info + mensaje});
    QCOMPARE(Datos()->TCComercial->recordCount(), 2);
}

void TstComerciales::eliminarPregunta_data()
{
    QTest::addColumn<bool>("respuesta");
    QTest::addColumn<int>("quedan");
    QTest::newRow("sí") << true << 2;
    QTest::newRow("no") << false << 3;
}

void TstComerciales::eliminarPregunta()
{
    QFETCH(bool, respuesta);
    QFETCH(int, quedan);
    TFormComercial* w = abrirLista();
    w->Tabla()->selectRow(2);
    m_msg->responder(respuesta);
    QTest::keyClick(w->Tabla(), Qt::Key_E);
    QCOMPARE(m_msg->resumen(),
             QStringList{QStringLiteral("si|Eliminar Comercial...|¿Está seguro que desea eliminar el Comercial : José Pérez?")});
    QCOMPARE(Datos()->TCComercial->recordCount(), quedan);
    motor::Table* t = Datos()->TComercial;
    t->refresh();
    QCOMPARE(t->locate(QStringLiteral("Codigo"), QStringLiteral("C3")), !respuesta);
}

void TstComerciales::listaVacia()
{
    for (const QString& c : {QStringLiteral("C1"), QStringLiteral("C2"), QStringLiteral("C3")}) {
        Datos()->TComercial->locate(QStringLiteral("Codigo"), c);
        Datos()->TComercial->remove();
    }
    TFormComercial* w = abrirLista();
    // Every action but Añadir, Refrescar and Cerrar says there is nothing.
    for (Qt::Key k : {Qt::Key_M, Qt::Key_E, Qt::Key_Z, Qt::Key_L, Qt::Key_I, Qt::Key_Asterisk, Qt::Key_Minus})
        QTest::keyClick(w->Tabla(), k);
    QTest::keyClick(w->Tabla(), Qt::Key_Return);
    QCOMPARE(m_msg->resumen(), QStringList(8, Info + QStringLiteral("No hay datos.")));
    m_msg->limpiar();
    QTest::keyClick(w->Tabla(), Qt::Key_R);
    QVERIFY(m_msg->mensajes.isEmpty());
    QTest::keyClick(w->Tabla(), Qt::Key_S);
    const ArchivoIni f(rutaIniPrograma());
    QVERIFY(f.existe(QStringLiteral("Tabla Comerciales"), ini::Lugar));
    QCOMPARE(f.leeCadena(QStringLiteral("Tabla Comerciales"), ini::Lugar, QStringLiteral("x")), QString());
}

void TstComerciales::registroYaEliminado_data()
{
    QTest::addColumn<int>("tecla");
    QTest::newRow("Modificar") << int(Qt::Key_M);
    QTest::newRow("Eliminar") << int(Qt::Key_E);
}

void TstComerciales::registroYaEliminado()
{
    // The list still shows a record that another seat has deleted: neither
    // Modificar nor Eliminar may act on whatever record the table is on.
    QFETCH(int, tecla);
    TFormComercial* w = abrirLista();
    w->Tabla()->selectRow(1);
    motor::Table* t = Datos()->TComercial;
    t->refresh();
    QVERIFY(t->locate(QStringLiteral("Codigo"), QStringLiteral("C2")));
    t->remove();
    bool abierta = false;
    alAbrirModal([&](QWidget* d) { abierta = true; d->close(); }, 300);
    QTest::keyClick(w->Tabla(), Qt::Key(tecla));
    QTest::qWait(350);
    QVERIFY(!abierta);
    QCOMPARE(m_msg->resumen(), QStringList{QStringLiteral(
        "error|Registro eliminado...|El registro actual ha sido ELIMINADO por otro usuario. Pulse refrescar para actualizar los cambios.")});
    QCOMPARE(Datos()->TCComercial->recordCount(), 2);
    t->refresh();
    QCOMPARE(t->recordCount(), 2);
    QCOMPARE(t->state(), motor::Dataset::State::Browse);
}

void TstComerciales::accionesYTeclas()
{
    Estado().MostrarBotonesVentanas = true;
    Estado().BotonesPlanos = false;
    TFormComercial* w = abrirLista();
    QStringList textos;
    for (QAction* a : w->acciones())
        textos << a->objectName() + QLatin1Char('=') + a->text() + QLatin1Char('/') + a->toolTip() + QLatin1Char('/')
                      + a->shortcut().toString();
    QCOMPARE(textos, (QStringList{
        QStringLiteral("ActNuevo=Añadir/Añadir/A"), QStringLiteral("ActEliminar=Eliminar/Eliminar/E"),
        QStringLiteral("ActModificar=Modificar/Modificar/M"), QStringLiteral("ActRefrescar=Refrescar/Refrescar/R"),
        QStringLiteral("ActCerrar=Cerrar/Cerrar Comerciales/S"), QStringLiteral("ActImprimir=Imprimir/Imprimir/I"),
        QStringLiteral("ActBuscar=Localizar/Localizar/L"), QStringLiteral("ActZoom=Zoom/Zoom/Z")}));
    QVERIFY(w->CB()->isVisible());
    QStringList barra;
    for (QAction* a : w->BB()->actions())
        barra << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(barra.join(QLatin1Char(',')), QStringLiteral("Añadir,Modificar,Eliminar,Zoom,Localizar,-,Refrescar,Imprimir,-,Cerrar"));
    auto* b = qobject_cast<QToolButton*>(w->BB()->widgetForAction(w->accion(QStringLiteral("ActNuevo"))));
    QVERIFY(b && !b->autoRaise());
    QCOMPARE(b->width(), 29);
    QStringList menu;
    for (QAction* a : w->PopupMenu1()->actions())
        menu << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(menu, barra);
    // The locate and report windows do not exist yet: off on a full list.
    QVERIFY(!w->accion(QStringLiteral("ActBuscar"))->isEnabled());
    QVERIFY(!w->accion(QStringLiteral("ActImprimir"))->isEnabled());

    // Zoom hands the current code; Enter in the grid is Modificar, with the
    // table put in edit state on the chosen record.
    w->Tabla()->selectRow(1);
    QString codigo, modo, titulo;
    motor::Dataset::State estado{};
    alAbrirModal([&](QWidget* d) {
        codigo = Estado().CodigoActual;
        modo = Estado().Modo;
        titulo = d->windowTitle();
        QTest::keyClick(d, Qt::Key_Escape);
    });
    QTest::keyClick(w->Tabla(), Qt::Key_Z);
    QCOMPARE(modo, QStringLiteral("zoom"));
    QCOMPARE(codigo, QStringLiteral("C2"));
    QCOMPARE(titulo, QStringLiteral("Visualizar Comercial..."));
    alAbrirModal([&](QWidget* d) {
        modo = Estado().Modo;
        titulo = d->windowTitle();
        estado = Datos()->TComercial->state();
        codigo = Datos()->TComercial->fieldByName(QStringLiteral("Codigo"))->asString();
        QTest::keyClick(d, Qt::Key_Escape);
    });
    QTest::keyClick(w->Tabla(), Qt::Key_Return);
    QCOMPARE(modo, QStringLiteral("modificar"));
    QCOMPARE(titulo, QStringLiteral("Modificar Comercial..."));
    QCOMPARE(estado, motor::Dataset::State::Edit);
    QCOMPARE(codigo, QStringLiteral("C2"));
    QCOMPARE(Datos()->TComercial->state(), motor::Dataset::State::Browse);
    QVERIFY(m_msg->mensajes.isEmpty());

    // A user who may only look is refused by the permission check.
    Estado().TipoUsuario = QStringLiteral("Consulta");
    QTest::keyClick(w->Tabla(), Qt::Key_Plus);
    QCOMPARE(m_msg->resumen(), QStringList{QStringLiteral("error|Permiso restringido...|No tiene permiso para ejecutar esta opción.")});
}

void TstComerciales::hijaDelMenuPrincipal()
{
    // Opened by the main window's command as a child window; Esc closes the
    // child, writing its section, and a second command opens a fresh one.
    registrarVentana(QStringLiteral("ActComerciales"), [] { return new TFormComercial; });
    {
        TFormMenuPrincipal f;
        f.show();
        f.ActComerciales->trigger();
        QCOMPARE(f.Mdi->subWindowList().size(), 1);
        QPointer<QMdiSubWindow> sub = f.Mdi->subWindowList().first();
        auto* w = qobject_cast<TFormComercial*>(sub->widget());
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Comerciales (ordenado por Código)"));
        w->Tabla()->selectRow(2);
        QTest::keyClick(w->Tabla(), Qt::Key_Escape);
        QTRY_VERIFY(sub.isNull());
        const ArchivoIni archivo(rutaIniPrograma());
        QCOMPARE(archivo.leeCadena(QStringLiteral("Tabla Comerciales"), ini::Lugar, QString()), QStringLiteral("C3"));
        f.ActComerciales->trigger();
        QCOMPARE(f.Mdi->subWindowList().size(), 1);
        f.Mdi->closeAllSubWindows();
    }
    borrarRegistroVentanas();
}

void TstComerciales::modificarYGuardar()
{
    TFormComercial* w = abrirLista();
    w->TablaTitleClick(1);   // by name: Álvarez, José, Zurita
    w->Tabla()->selectRow(1);
    QCOMPARE(w->codigoActual(), QStringLiteral("C3"));
    alAbrirModal([&](QWidget* d) {
        auto* g = qobject_cast<TFormComercialG*>(d);
        if (!g)
            return;
        g->TxtNombre->setFocus();
        g->TxtNombre->selectAll();
        QTest::keyClicks(g->TxtNombre, QStringLiteral("Ana Cambiada"));
        QTest::mouseClick(g->BAceptar, Qt::LeftButton);
    });
    QTest::keyClick(w->Tabla(), Qt::Key_Asterisk);
    QVERIFY2(m_msg->mensajes.isEmpty(), qPrintable(m_msg->resumen().join(QLatin1Char('\n'))));
    // Re-sorted by name, the list is still on the modified record.
    QCOMPARE(w->codigoActual(), QStringLiteral("C3"));
    QCOMPARE(w->Tabla()->currentIndex().row(), 1);
    QCOMPARE(w->modelo()->texto(1, 1), QStringLiteral("Ana Cambiada"));
    QCOMPARE(Datos()->TComercial->state(), motor::Dataset::State::Browse);

    // Cancelar by mouse from an emptied name box: no message, nothing stored.
    bool enfocada = false;
    alAbrirModal([&](QWidget* d) {
        auto* g = qobject_cast<TFormComercialG*>(d);
        if (!g)
            return;
        g->TxtNombre->setFocus();
        g->TxtNombre->selectAll();
        QTest::keyClick(g->TxtNombre, Qt::Key_Delete);
        enfocada = QApplication::focusWidget() == g->TxtNombre;
        QTest::mouseClick(g->BCancelar, Qt::LeftButton);
    });
    QTest::keyClick(w->Tabla(), Qt::Key_M);
    QVERIFY(enfocada);
    QVERIFY2(m_msg->mensajes.isEmpty(), qPrintable(m_msg->resumen().join(QLatin1Char('\n'))));
    QCOMPARE(w->modelo()->texto(1, 1), QStringLiteral("Ana Cambiada"));
}

// ---------------------------------------------------------------- edit

void TstComerciales::codigoDuplicadoYVacio()
{
    TFormComercialG* g = abrirEdicion(QStringLiteral("nuevo"));
    QCOMPARE(g->windowTitle(), QStringLiteral("Nuevo Comercial..."));
    QCOMPARE(Datos()->TComercial->state(), motor::Dataset::State::Insert);
    QVERIFY(g->OpIVA->isChecked());
    QVERIFY(!g->OpIVA->modificado());
    QCOMPARE(QApplication::focusWidget(), g->TxtCodigo);

    QTest::keyClicks(g->TxtCodigo, QStringLiteral("c2"));
    QCOMPARE(g->TxtCodigo->text(), QStringLiteral("C2"));
    QTest::keyClick(g->TxtCodigo, Qt::Key_Tab);
    QCOMPARE(m_msg->resumen(), QStringList{err(QStringLiteral("Ya existe un Comercial con este código."))});
    QCOMPARE(QApplication::focusWidget(), g->TxtCodigo);
    QCOMPARE(g->TxtCodigo->selectedText(), QStringLiteral("C2"));

    m_msg->limpiar();
    QTest::keyClick(g->TxtCodigo, Qt::Key_Backspace);
    QCOMPARE(g->TxtCodigo->text(), QString());
    QTest::keyClick(g->TxtCodigo, Qt::Key_Tab);
    QCOMPARE(m_msg->resumen(), QStringList{err(QStringLiteral("El código debe contener un valor."))});
    QCOMPARE(QApplication::focusWidget(), g->TxtCodigo);

    // "+" in the code box is not typed.
    QTest::keyClicks(g->TxtCodigo, QStringLiteral("c+9"));
    QCOMPARE(g->TxtCodigo->text(), QStringLiteral("C9"));

    // Esc still cancels.
    m_msg->limpiar();
    QPointer<TFormComercialG> p(g);
    QTest::keyClick(g->TxtCodigo, Qt::Key_Escape);
    QTRY_VERIFY(p.isNull() || !p->isVisible());
    QVERIFY(m_msg->mensajes.isEmpty());
    QCOMPARE(Datos()->TComercial->state(), motor::Dataset::State::Browse);
}

void TstComerciales::cajaDeMensajeReal()
{
    // The program's own boxes: a modal QMessageBox shown while the focus is
    // moving must not set off the check of the box the focus was going to.
    CajasMensaje cajas;
    SumideroMensajes* anterior = ponerSumideroMensajes(&cajas);
    TFormComercialG* g = abrirEdicion(QStringLiteral("nuevo"));
    QStringList vistos;
    QTimer respondedor;
    connect(&respondedor, &QTimer::timeout, this, [&] {
        if (auto* m = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            vistos << m->windowTitle() + QLatin1Char('|') + m->text();
            m->buttons().first()->click();
        }
    });
    respondedor.start(20);
    QTest::keyClick(g->TxtCodigo, Qt::Key_Tab);
    QTRY_VERIFY(!vistos.isEmpty());
    QTest::qWait(200);
    ponerSumideroMensajes(anterior);
    // The offscreen platform has no window manager to give the window back
    // its activation once the box is gone.
    QApplication::setActiveWindow(g);
    QVERIFY(QTest::qWaitForWindowActive(g));
    QCOMPARE(vistos, QStringList{QStringLiteral("Error...|El código debe contener un valor.")});
    QCOMPARE(QApplication::focusWidget(), g->TxtCodigo);
    QVERIFY(g->isVisible());
}

void TstComerciales::nombreDuplicadoSinMayusculas()
{
    TFormComercialG* g = abrirEdicion(QStringLiteral("nuevo"));
    g->TxtNombre->setFocus();
    teclear(g->TxtNombre, QStringLiteral("JOSÉ PÉREZ"));
    QTest::keyClick(g->TxtNombre, Qt::Key_Tab);
    QCOMPARE(m_msg->resumen(), QStringList{err(QStringLiteral("Ya existe un Comercial con este nombre."))});
    QCOMPARE(QApplication::focusWidget(), g->TxtNombre);
    QCOMPARE(g->TxtNombre->selectedText(), QStringLiteral("JOSÉ PÉREZ"));
    m_msg->limpiar();
    g->TxtNombre->selectAll();
    QTest::keyClick(g->TxtNombre, Qt::Key_Delete);
    QTest::keyClick(g->TxtNombre, Qt::Key_Tab);
    QCOMPARE(m_msg->resumen(), QStringList{err(QStringLiteral("El nombre debe contener un valor."))});
    // The message did not set off the check of the box the focus had gone to.
    QCOMPARE(QApplication::focusWidget(), g->TxtNombre);

    // A click on Aceptar that fails the check of the box it leaves does not
    // go on to accept.
    m_msg->limpiar();
    QTest::mouseClick(g->BAceptar, Qt::LeftButton);
    QCOMPARE(m_msg->resumen(), QStringList{err(QStringLiteral("El nombre debe contener un valor."))});
    QVERIFY(g->isVisible());
    QCOMPARE(Datos()->TComercial->state(), motor::Dataset::State::Insert);
    QCOMPARE(QApplication::focusWidget(), g->TxtNombre);
}

void TstComerciales::nifSeCompleta()
{
    TFormComercialG* g = abrirEdicion(QStringLiteral("nuevo"));
    g->TxtNIF->setFocus();
    QTest::keyClicks(g->TxtNIF, QStringLiteral("12345678"));
    QTest::keyClick(g->TxtNIF, Qt::Key_Tab);
    QVERIFY(m_msg->mensajes.isEmpty());
    QCOMPARE(Datos()->TComercial->fieldByName(QStringLiteral("NIF"))->asString(), QStringLiteral("12345678-Z"));
    QCOMPARE(g->TxtNIF->text(), QStringLiteral("12345678-Z"));
    QCOMPARE(QApplication::focusWidget(), g->TxtNombre);
    // Leaving it again changes nothing.
    g->TxtNIF->setFocus();
    QTest::keyClick(g->TxtNIF, Qt::Key_Tab);
    QCOMPARE(g->TxtNIF->text(), QStringLiteral("12345678-Z"));
    QVERIFY(m_msg->mensajes.isEmpty());
    // An existing NIF (after completion) is a duplicate in "nuevo".
    g->TxtNIF->setFocus();
    g->TxtNIF->selectAll();
    QTest::keyClicks(g->TxtNIF, QStringLiteral("22222222"));
    QTest::keyClick(g->TxtNIF, Qt::Key_Tab);
    QCOMPARE(m_msg->resumen(), QStringList{err(QStringLiteral("Ya existe un Comercial con este NIF."))});
    QCOMPARE(g->TxtNIF->text(), QStringLiteral("22222222-J"));
    QCOMPARE(QApplication::focusWidget(), g->TxtNIF);
}

void TstComerciales::modificarSoloVacios()
{
    motor::Table* t = Datos()->TComercial;
    QVERIFY(t->locate(QStringLiteral("Codigo"), QStringLiteral("C1")));
    t->edit();
    t->fieldByName(QStringLiteral("NIF"))->setValue(QStringLiteral("87654321"));
    TFormComercialG* g = abrirEdicion(QStringLiteral("modificar"));
    QCOMPARE(g->windowTitle(), QStringLiteral("Modificar Comercial..."));
    QVERIFY(!g->TxtCodigo->isEnabled());
    QVERIFY(g->BSeleccionar->isHidden());
    QCOMPARE(QApplication::focusWidget(), g->TxtNIF);
    // An existing whole-number NIF gets its letter when the box is left.
    QTest::keyClick(g->TxtNIF, Qt::Key_Tab);
    QCOMPARE(g->TxtNIF->text(), QStringLiteral("87654321-X"));
    // Another representative's name and NIF are not duplicates here.
    g->TxtNombre->selectAll();
    teclear(g->TxtNombre, QStringLiteral("José Pérez"));
    QTest::keyClick(g->TxtNombre, Qt::Key_Tab);
    g->TxtNIF->setFocus();
    g->TxtNIF->selectAll();
    QTest::keyClicks(g->TxtNIF, QStringLiteral("33333333-P"));
    QTest::keyClick(g->TxtNIF, Qt::Key_Tab);
    QVERIFY2(m_msg->mensajes.isEmpty(), qPrintable(m_msg->resumen().join(QLatin1Char('\n'))));
    g->TxtNIF->setFocus();
    g->TxtNIF->selectAll();
    QTest::keyClick(g->TxtNIF, Qt::Key_Delete);
    QTest::keyClick(g->TxtNIF, Qt::Key_Tab);
    QCOMPARE(m_msg->resumen(), QStringList{err(QStringLiteral("El NIF debe contener un valor."))});
    QCOMPARE(QApplication::focusWidget(), g->TxtNIF);
    QTest::keyClick(g->TxtNIF, Qt::Key_Escape);
    QCOMPARE(t->state(), motor::Dataset::State::Browse);
    QCOMPARE(t->fieldByName(QStringLiteral("Nombre"))->asString(), QStringLiteral("Zurita Gómez"));
}

void TstComerciales::zoomSoloLectura()
{
    Estado().CodigoActual = QStringLiteral("C3");
    TFormComercialG* g = abrirEdicion(QStringLiteral("zoom"));
    QCOMPARE(g->windowTitle(), QStringLiteral("Visualizar Comercial..."));
    QCOMPARE(g->TxtNombre->text(), QStringLiteral("José Pérez"));
    QVERIFY(g->BAceptar->isHidden());
    QVERIFY(g->BSeleccionar->isHidden());
    QVERIFY(!g->TxtTipo->isEnabled());
    QCOMPARE(QApplication::focusWidget(), g->BCancelar);
    g->TxtNombre->setFocus();
    QTest::keyClicks(g->TxtNombre, QStringLiteral("xyz"));
    g->DBMemo1->setFocus();
    QTest::keyClicks(g->DBMemo1, QStringLiteral("abc"));
    QCOMPARE(g->TxtNombre->text(), QStringLiteral("José Pérez"));
    QCOMPARE(g->DBMemo1->toPlainText(), QString());
    QCOMPARE(Datos()->TComercial->state(), motor::Dataset::State::Browse);
    QPointer<TFormComercialG> p(g);
    QTest::keyClick(g->DBMemo1, Qt::Key_Escape);
    QTRY_VERIFY(p.isNull() || !p->isVisible());
    QVERIFY(m_msg->mensajes.isEmpty());
}

void TstComerciales::introComoTabulador()
{
    TFormComercialG* g = abrirEdicion(QStringLiteral("nuevo"));
    QTest::keyClicks(g->TxtCodigo, QStringLiteral("n1"));
    QTest::keyClick(g->TxtCodigo, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), g->TxtNIF);
    g->DBMemo1->setFocus();
    QTest::keyClicks(g->DBMemo1, QStringLiteral("linea"));
    QTest::keyClick(g->DBMemo1, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), g->BAceptar);
    QCOMPARE(g->DBMemo1->toPlainText(), QStringLiteral("linea"));
    QVERIFY(m_msg->mensajes.isEmpty());
}

void TstComerciales::nifVacioAlGuardar()
{
    TFormComercialG* g = abrirEdicion(QStringLiteral("nuevo"));
    QTest::keyClicks(g->TxtCodigo, QStringLiteral("n1"));
    g->TxtNombre->setFocus();
    QTest::keyClicks(g->TxtNombre, QStringLiteral("Sin Nif"));
    m_msg->limpiar();
    // Aceptar pressed through its accelerator: the name box is not left.
    QTest::keyClick(g->TxtNombre, Qt::Key_A, Qt::AltModifier);
    QTRY_COMPARE(m_msg->mensajes.size(), 1);
    QCOMPARE(m_msg->mensajes[0].tipo, TipoMensaje::Error);
    QCOMPARE(m_msg->mensajes[0].titulo, QStringLiteral("Error..."));
    QVERIFY2(m_msg->mensajes[0].texto.startsWith(QStringLiteral("Se ha producido el siguiente error:")),
             qPrintable(m_msg->mensajes[0].texto));
    QVERIFY(g->isVisible());
    QCOMPARE(Datos()->TComercial->state(), motor::Dataset::State::Insert);
    QCOMPARE(QApplication::focusWidget(), g->TxtNIF);
    QCOMPARE(g->TxtNombre->text(), QStringLiteral("Sin Nif"));
}

void TstComerciales::guardarNuevo()
{
    TFormComercialG* g = abrirEdicion(QStringLiteral("nuevo"));
    QTest::keyClicks(g->TxtCodigo, QStringLiteral("n1"));
    QTest::keyClick(g->TxtCodigo, Qt::Key_Return);
    QTest::keyClicks(g->TxtNIF, QStringLiteral("12345678"));
    QTest::keyClick(g->TxtNIF, Qt::Key_Return);
    teclear(g->TxtNombre, QStringLiteral("Íñigo Nuevo"));
    QTest::keyClick(g->TxtNombre, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), g->TxtTipo);
    QTest::keyClick(g->TxtTipo, Qt::Key_End);
    QPointer<TFormComercialG> p(g);
    g->BAceptar->setFocus();
    QTest::keyClick(g->BAceptar, Qt::Key_Return);
    QTRY_VERIFY(p.isNull() || !p->isVisible());
    QVERIFY2(m_msg->mensajes.isEmpty(), qPrintable(m_msg->resumen().join(QLatin1Char('\n'))));
    motor::Table* t = Datos()->TComercial;
    QCOMPARE(t->state(), motor::Dataset::State::Browse);
    t->refresh();
    QVERIFY(t->locate(QStringLiteral("Codigo"), QStringLiteral("N1")));
    QCOMPARE(t->fieldByName(QStringLiteral("Nombre"))->asString(), QStringLiteral("Íñigo Nuevo"));
    QCOMPARE(t->fieldByName(QStringLiteral("NIF"))->asString(), QStringLiteral("12345678-Z"));
    QCOMPARE(t->fieldByName(QStringLiteral("Tipo"))->asString(), QStringLiteral("Técnico"));
    QVERIFY(t->fieldByName(QStringLiteral("IVA"))->asBoolean());
}

QTEST_MAIN(TstComerciales)
#include "tst_comerciales.moc"
