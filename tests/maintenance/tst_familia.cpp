// The list-window family with a member declared only by its descriptor: the
// bonus types, whose amount column switches between pesetas and euros.
#include "../ui/EmpresaPrueba.h"
#include "core/Ini.h"
#include "core/Mensajes.h"
#include "data/UnidadDatos.h"
#include "maintenance/UnidadFamiliaMaestros.h"
#include "ui/UnidadListaBase.h"

#include <QApplication>
#include <QPointer>
#include <QTableView>
#include <QTest>
#include <QToolBar>

namespace {
DescripcionLista descripcionPlus() { return familia::listaPlus(); }
const QString Seccion = QStringLiteral("Tabla Plus");
}

class TstFamilia : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_empresa = std::make_unique<EmpresaPrueba>();
        m_msg = std::make_unique<GrabadorMensajes>();
        m_empresa->fila(QStringLiteral("Plus"), {{QStringLiteral("Codigo"), QStringLiteral("P1")},
                                                 {QStringLiteral("Nombre"), QStringLiteral("Diez ventas")},
                                                 {QStringLiteral("NVentasD"), 10.0},
                                                 {QStringLiteral("NVentasH"), 19.0},
                                                 {QStringLiteral("Importe"), 1000.0},
                                                 {QStringLiteral("ImporteE"), 6.01}});
        // Venta rows name no bonus type: nothing refuses the delete.
        m_empresa->fila(QStringLiteral("Venta"), {{QStringLiteral("Codigo"), 1}, {QStringLiteral("CodigoComercial"), QStringLiteral("P1")}});
    }
    void cleanup()
    {
        QList<QPointer<QWidget>> v;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<QDialog*>(w))
                v << w;
        for (const QPointer<QWidget>& w : v)
            delete w.data();
        m_msg.reset();
        m_empresa.reset();
    }

    void pesetasYEuros()
    {
        auto* w = new TFormLista(descripcionPlus());
        w->show();
        QStringList acciones;
        for (QAction* a : w->acciones())
            acciones << a->objectName() + QLatin1Char('/') + a->toolTip() + QLatin1Char('/') + a->shortcut().toString();
        QCOMPARE(acciones.mid(8), (QStringList{QStringLiteral("ActEuros/Muestra los importes en euros/U"),
                                               QStringLiteral("ActPts/Muestra los importes en pesetas/P")}));
        QStringList barra;
        for (QAction* a : w->BB()->actions())
            barra << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(barra.join(QLatin1Char(',')),
                 QStringLiteral("Añadir,Modificar,Eliminar,Zoom,Localizar,-,Refrescar,Imprimir,-,Pesetas,Euros,-,Cerrar"));

        QVERIFY(!w->muestraEuros());
        QVERIFY(w->accion(QStringLiteral("ActPts"))->isChecked());
        QCOMPARE(w->modelo()->tituloColumna(4), QStringLiteral("Importe"));
        QCOMPARE(w->modelo()->texto(0, 4), QStringLiteral("1.000 Pts"));
        // "Pesetas" while pesetas are shown switches to euros, and back.
        QTest::keyClick(w->Tabla(), Qt::Key_P);
        QVERIFY(w->muestraEuros());
        QVERIFY(w->accion(QStringLiteral("ActEuros"))->isChecked());
        QVERIFY(!w->accion(QStringLiteral("ActPts"))->isChecked());
        QCOMPARE(w->modelo()->tituloColumna(4), QStringLiteral("Importe (€)"));
        QCOMPARE(w->modelo()->texto(0, 4), QStringLiteral("6,01"));
        QTest::keyClick(w->Tabla(), Qt::Key_U);
        QVERIFY(!w->muestraEuros());
        QTest::keyClick(w->Tabla(), Qt::Key_U);
        QVERIFY(w->muestraEuros());
        QCOMPARE(w->Tabla()->columnWidth(4), 96);
        w->Tabla()->setColumnWidth(4, 120);
        w->close();
        const ArchivoIni f(rutaIniPrograma());
        QCOMPARE(f.leeCadena(Seccion, ini::PtsEuros, QString()), QStringLiteral("ImporteE"));
        // The width is stored under the field the column showed.
        QCOMPARE(f.leeEntero(Seccion, QStringLiteral("ImporteE"), 0), 120);
        QVERIFY(!f.existe(Seccion, QStringLiteral("Importe")));
        QVERIFY(m_msg->mensajes.isEmpty());
    }

    void monedaAlAbrir_data()
    {
        QTest::addColumn<bool>("guardar");
        QTest::addColumn<bool>("mostrarEuros");
        QTest::addColumn<QString>("ptsEuros");
        QTest::addColumn<bool>("euros");
        QTest::newRow("guardado en euros") << true << false << "ImporteE" << true;
        QTest::newRow("guardado en pesetas") << true << true << "importe" << false;
        QTest::newRow("sin clave aún") << true << true << "" << false;
        QTest::newRow("valor desconocido") << true << false << "Otra" << true;
        QTest::newRow("sin guardar, euros") << false << true << "Importe" << true;
        QTest::newRow("sin guardar, pesetas") << false << false << "ImporteE" << false;
    }

    void monedaAlAbrir()
    {
        QFETCH(bool, guardar);
        QFETCH(bool, mostrarEuros);
        QFETCH(QString, ptsEuros);
        QFETCH(bool, euros);
        {
            ArchivoIni f(rutaIniPrograma());
            f.escribeBooleano(ini::Aplicacion, ini::GuardarEstadoVentanas, guardar);
            f.escribeBooleano(ini::Aplicacion, ini::MostrarImportesEuros, mostrarEuros);
            if (!ptsEuros.isEmpty())
                f.escribeCadena(Seccion, ini::PtsEuros, ptsEuros);
            f.escribeEntero(Seccion, QStringLiteral("ImporteE"), 111);
            f.guardar();
        }
        auto* w = new TFormLista(descripcionPlus());
        w->show();
        QCOMPARE(w->muestraEuros(), euros);
        QCOMPARE(w->modelo()->columna(4).campo, euros ? QStringLiteral("ImporteE") : QStringLiteral("Importe"));
        QCOMPARE(w->Tabla()->columnWidth(4), euros ? 111 : 96);
    }

    void eliminarSinReferencias()
    {
        auto* w = new TFormLista(descripcionPlus());
        w->show();
        m_msg->responder(true);
        QTest::keyClick(w->Tabla(), Qt::Key_E);
        QCOMPARE(m_msg->resumen(), QStringList{QStringLiteral("si|Eliminar Plus...|¿Está seguro que desea eliminar el Plus : Diez ventas?")});
        QCOMPARE(Datos()->TCPlus->recordCount(), 0);
        QCOMPARE(w->windowTitle(), QStringLiteral("Plus (ordenado por Código)"));
    }

    void accionesPropias()
    {
        // An action of the member's own, first in the list, with Ctrl+Delete
        // (the users' "contrl"), and one run with the window (Seleccionar).
        int suprimir = 0;
        QString visto;
        DescripcionLista d = descripcionPlus();
        d.extras = {{QStringLiteral("ActControlarSuprimir"), QStringLiteral("contrl"), QString(), QChar(),
                     [&] { ++suprimir; }, {}, QKeySequence(Qt::CTRL | Qt::Key_Delete), true},
                    {QStringLiteral("ActSeleccionar"), QStringLiteral("Seleccionar"), QStringLiteral("Seleccionar"),
                     QLatin1Char('C'), {}, [&](TFormLista* w) { visto = w->codigoActual(); }}};
        auto* w = new TFormLista(d);
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(w->acciones().first()->objectName(), QStringLiteral("ActControlarSuprimir"));
        QCOMPARE(w->acciones().last()->objectName(), QStringLiteral("ActSeleccionar"));
        QTest::keyClick(w->Tabla(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(suprimir, 1);
        QTest::keyClick(w->Tabla(), Qt::Key_C);
        QCOMPARE(visto, QStringLiteral("P1"));
        QCOMPARE(Datos()->TCPlus->recordCount(), 1);
        QVERIFY(m_msg->mensajes.isEmpty());
    }

    void clientes()
    {
        m_empresa->fila(QStringLiteral("Cliente"), {{QStringLiteral("Codigo"), QStringLiteral("K1")},
                                                    {QStringLiteral("Nombre"), QStringLiteral("Bar Pepe")},
                                                    {QStringLiteral("NIF"), QStringLiteral("B12345678")}});
        m_empresa->fila(QStringLiteral("Cobro"), {{QStringLiteral("CodigoCliente"), QStringLiteral("K1")}});
        auto* w = new TFormLista(familia::listaClientes());
        w->show();
        w->TablaTitleClick(1);
        QCOMPARE(w->windowTitle(), QStringLiteral("Clientes (ordenado por NIF/CIF)"));
        QCOMPARE(Datos()->TCCliente->sql().value(2), QStringLiteral("ORDER BY NIF,Nombre"));
        QTest::keyClick(w->Tabla(), Qt::Key_Minus);
        QCOMPARE(m_msg->resumen(), QStringList{QStringLiteral(
            "info|Información...|No se puede eliminar el Cliente ya que existen Cobros a su nombre.")});
    }

    void aparatos()
    {
        m_empresa->fila(QStringLiteral("Aparato"), {{QStringLiteral("Codigo"), QStringLiteral("A1")},
                                                    {QStringLiteral("Nombre"), QStringLiteral("Tele")},
                                                    {QStringLiteral("ImporteComision"), 2000.0},
                                                    {QStringLiteral("ImporteComisionE"), 12.02}});
        auto* w = new TFormLista(familia::listaAparatos());
        w->show();
        QCOMPARE(w->modelo()->tituloColumna(2), QStringLiteral("Importe Comisión"));
        // E belongs to Eliminar, first in the list: the euros action has no key.
        m_msg->responder(false);
        QTest::keyClick(w->Tabla(), Qt::Key_E);
        QCOMPARE(m_msg->resumen(), QStringList{QStringLiteral("si|Eliminar Aparato...|¿Está seguro que desea eliminar el Aparato: Tele?")});
        QVERIFY(!w->muestraEuros());
        w->accion(QStringLiteral("ActEuros"))->trigger();
        QStringList campos;
        for (int i = 0; i < w->modelo()->columnCount(); ++i)
            campos << w->modelo()->columna(i).campo;
        QCOMPARE(campos, (QStringList{QStringLiteral("Codigo"), QStringLiteral("Nombre"), QStringLiteral("ImporteComisionE"),
                                      QStringLiteral("Plus"), QStringLiteral("ImporteVentaE"), QStringLiteral("ImporteCompraE")}));
        QCOMPARE(w->modelo()->tituloColumna(2), QStringLiteral("Importe Comisión (€)"));
        QCOMPARE(w->modelo()->texto(0, 2), QStringLiteral("12,02"));
    }

    void usuarios()
    {
        auto* w = new TFormLista(familia::listaUsuarios());
        w->show();
        QCOMPARE(w->acciones().first()->objectName(), QStringLiteral("ActControlarSuprimir"));
        QVERIFY(!w->accion(QStringLiteral("ActZoom")));
        QStringList barra;
        for (QAction* a : w->BB()->actions())
            barra << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(barra.join(QLatin1Char(',')), QStringLiteral("Añadir,Modificar,Eliminar,Localizar,-,Refrescar,Imprimir,-,Cerrar"));
        QCOMPARE(Datos()->TCUsuario->sql().value(0), QStringLiteral("SELECT  *"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Usuarios (ordenado por Código)"));
        QTest::keyClick(w->Tabla(), Qt::Key_Z);
        QVERIFY(m_msg->mensajes.isEmpty());
    }

private:
    std::unique_ptr<EmpresaPrueba> m_empresa;
    std::unique_ptr<GrabadorMensajes> m_msg;
};

QTEST_MAIN(TstFamilia)
#include "tst_familia.moc"
