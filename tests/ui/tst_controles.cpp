// Data-aware boxes and the grid model over a real company folder.
#include "EmpresaPrueba.h"
#include "core/Mensajes.h"
#include "data/UnidadDatos.h"
#include "ui/ControlesDatos.h"
#include "ui/GrupoMoneda.h"
#include "ui/ModeloRejilla.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

class TstControles : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_empresa = std::make_unique<EmpresaPrueba>();
        m_empresa->comercial(QStringLiteral("B"), QStringLiteral("Beatriz Ñúñez"), QStringLiteral("22222222-J"));
        m_empresa->comercial(QStringLiteral("A"), QStringLiteral("Álvaro Ruiz"), QStringLiteral("11111111-H"));
        motor::Table* t = Datos()->TComercial;
        t->locate(QStringLiteral("Codigo"), QStringLiteral("B"));
        t->edit();
        t->fieldByName(QStringLiteral("IVA"))->setValue(false);
        t->fieldByName(QStringLiteral("CP"))->setValue(28001.0);
        t->post();
    }
    void cleanup() { m_empresa.reset(); }

    void rejillaBajoElProbador()
    {
        motor::Query* q = Datos()->TCComercial;
        q->setSql({QStringLiteral("SELECT *"), QStringLiteral("FROM Comercial"), QStringLiteral("ORDER BY Codigo,Nombre")});
        q->open();
        ModeloRejilla m;
        QAbstractItemModelTester probador(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        m.ponerDataset(q, QStringLiteral("Comercial"));
        m.ponerColumnas({{QStringLiteral("Codigo"), QString(), 41},
                         {QStringLiteral("NIF"), QString(), 68},
                         {QStringLiteral("IVA"), QString(), 36},
                         {QStringLiteral("CP"), QStringLiteral("Postal"), 50}});
        QCOMPARE(m.rowCount(), 2);
        QCOMPARE(m.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Código"));
        QCOMPARE(m.headerData(1, Qt::Horizontal).toString(), QStringLiteral("N.I.F."));
        QCOMPARE(m.headerData(2, Qt::Horizontal).toString(), QStringLiteral("I.V.A. Facturas"));
        QCOMPARE(m.headerData(3, Qt::Horizontal).toString(), QStringLiteral("Postal"));
        QCOMPARE(m.texto(0, 0), QStringLiteral("A"));
        QCOMPARE(m.texto(0, 2), QStringLiteral("Sí"));
        QCOMPARE(m.texto(1, 2), QStringLiteral("No"));
        QCOMPARE(m.texto(0, 3), QString());
        QCOMPARE(m.texto(1, 3), QStringLiteral("28001"));
        const auto alin = [&](int c) { return Qt::Alignment(m.data(m.index(1, c), Qt::TextAlignmentRole).toInt()); };
        QVERIFY(alin(3) & Qt::AlignRight);
        QVERIFY(alin(0) & Qt::AlignLeft);

        // A re-run with another row resets the model (the tester checks it).
        m_empresa->comercial(QStringLiteral("C"), QStringLiteral("Carmen Díaz"));
        q->close();
        q->setSql({QStringLiteral("SELECT *"), QStringLiteral("FROM Comercial"), QStringLiteral("ORDER BY Nombre,Nombre")});
        q->open();
        QCOMPARE(m.rowCount(), 3);
        // Spanish order: Á sorts with A, before B and C.
        QCOMPARE(m.texto(0, 0), QStringLiteral("A"));
        QCOMPARE(m.texto(1, 0), QStringLiteral("B"));
        m.ponerCampoColumna(1, QStringLiteral("Nombre"));
        QCOMPARE(m.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Nombre"));
        QCOMPARE(m.texto(1, 1), QStringLiteral("Beatriz Ñúñez"));
        q->close();
        QCOMPARE(m.rowCount(), 0);
    }

    void valorDesdeCodigoNoMarcaModificado()
    {
        motor::Table* t = Datos()->TComercial;
        QVERIFY(t->locate(QStringLiteral("Codigo"), QStringLiteral("A")));
        QWidget ventana;
        auto* caja = new TDBEdit(&ventana);
        caja->enlazar(t, QStringLiteral("Nombre"));
        QSignalSpy editado(caja->enlace(), &EnlaceCampo::editadoPorUsuario);
        ventana.show();
        QCOMPARE(caja->text(), QStringLiteral("Álvaro Ruiz"));
        QVERIFY(caja->isReadOnly());

        t->edit();
        QVERIFY(!caja->isReadOnly());
        t->fieldByName(QStringLiteral("Nombre"))->setValue(QStringLiteral("Desde código"));
        QCOMPARE(caja->text(), QStringLiteral("Desde código"));
        QVERIFY(!caja->modificado());
        QCOMPARE(editado.count(), 0);

        caja->setFocus();
        QTest::keyClicks(caja, QStringLiteral("!"));
        QVERIFY(caja->modificado());
        QCOMPARE(editado.count(), 1);
        QCOMPARE(t->fieldByName(QStringLiteral("Nombre"))->asString(), QStringLiteral("Desde código!"));
        t->cancel();
        QCOMPARE(caja->text(), QStringLiteral("Álvaro Ruiz"));
        QVERIFY(!caja->modificado());
    }

    void enConsultaNadaCambia()
    {
        motor::Table* t = Datos()->TComercial;
        QVERIFY(t->locate(QStringLiteral("Codigo"), QStringLiteral("B")));
        QWidget ventana;
        auto* caja = new TDBEdit(&ventana);
        caja->enlazar(t, QStringLiteral("Nombre"));
        auto* marca = new TDBCheckBox(QStringLiteral("IVA"), &ventana);
        marca->move(0, 30);
        marca->enlazar(t, QStringLiteral("IVA"));
        auto* tipo = new TDBComboBox(&ventana);
        tipo->move(0, 60);
        tipo->ponerElementos({QStringLiteral("Técnico"), QStringLiteral("Jefe"), QStringLiteral("Comercial")});
        tipo->enlazar(t, QStringLiteral("Tipo"));
        ventana.show();
        QCOMPARE(tipo->itemText(0), QStringLiteral("Comercial"));
        QCOMPARE(tipo->itemText(2), QStringLiteral("Técnico"));
        QCOMPARE(tipo->currentText(), QStringLiteral("Comercial"));

        caja->setFocus();
        QTest::keyClicks(caja, QStringLiteral("xyz"));
        QTest::mouseClick(marca, Qt::LeftButton);
        tipo->setFocus();
        QTest::keyClick(tipo, Qt::Key_End);
        QCOMPARE(t->state(), motor::Dataset::State::Browse);
        QCOMPARE(caja->text(), QStringLiteral("Beatriz Ñúñez"));
        QVERIFY(!marca->isChecked());
        QCOMPARE(tipo->currentText(), QStringLiteral("Comercial"));
        QCOMPARE(t->fieldByName(QStringLiteral("Nombre"))->asString(), QStringLiteral("Beatriz Ñúñez"));

        t->edit();
        QTest::mouseClick(marca, Qt::LeftButton);
        QVERIFY(t->fieldByName(QStringLiteral("IVA"))->asBoolean());
        QTest::keyClick(tipo, Qt::Key_End);
        QCOMPARE(t->fieldByName(QStringLiteral("Tipo"))->asString(), QStringLiteral("Técnico"));
        t->cancel();
    }

    void mayusculasYNumeros()
    {
        motor::Table* t = Datos()->TComercial;
        t->insert();
        QWidget ventana;
        auto* codigo = static_cast<TDBEdit*>(crearControl(*esquema::campo(QStringLiteral("Comercial"), QStringLiteral("Codigo")), &ventana));
        codigo->ponerMayusculas(true);
        codigo->enlazar(t, QStringLiteral("Codigo"));
        auto* cp = static_cast<TDBEdit*>(crearControl(*esquema::campo(QStringLiteral("Comercial"), QStringLiteral("CP")), &ventana));
        cp->move(0, 30);
        cp->enlazar(t, QStringLiteral("CP"));
        ventana.show();
        QCOMPARE(codigo->maxLength(), 4);
        codigo->setFocus();
        teclear(codigo, QStringLiteral("ñb1"));
        QCOMPARE(codigo->text(), QStringLiteral("ÑB1"));
        QCOMPARE(t->fieldByName(QStringLiteral("Codigo"))->asString(), QStringLiteral("ÑB1"));
        cp->setFocus();
        QTest::keyClicks(cp, QStringLiteral("12.5"));
        QCOMPARE(cp->text(), QStringLiteral("12,5"));
        QCOMPARE(t->fieldByName(QStringLiteral("CP"))->asFloat(), 12.5);
        t->cancel();
    }

    void fechaConMascara()
    {
        motor::Table* t = Datos()->TEmpresa;
        t->open();
        t->insert();
        QWidget ventana;
        auto* fecha = static_cast<TDBEdit*>(crearControl(*esquema::campo(QStringLiteral("Empresa"), QStringLiteral("FechaAlta")), &ventana));
        fecha->enlazar(t, QStringLiteral("FechaAlta"));
        auto* otra = new QLineEdit(&ventana);
        otra->move(0, 30);
        ventana.show();
        QApplication::setActiveWindow(&ventana);
        QVERIFY(QTest::qWaitForWindowActive(&ventana));
        QVERIFY(!fecha->inputMask().isEmpty());
        fecha->setFocus();
        fecha->setCursorPosition(0);
        QTest::keyClicks(fecha, QStringLiteral("070304"));
        QCOMPARE(fecha->text(), QStringLiteral("07/03/04"));
        otra->setFocus();
        QCOMPARE(t->fieldByName(QStringLiteral("FechaAlta"))->asDate(), QDate(2004, 3, 7));
        t->cancel();
    }

    void introEnMemoPasaAlSiguiente()
    {
        motor::Table* t = Datos()->TComercial;
        t->edit();
        QWidget ventana;
        auto* lay = new QVBoxLayout(&ventana);
        auto* memo = new TDBMemo(&ventana);
        memo->enlazar(t, QStringLiteral("Observacion"));
        auto* boton = new QPushButton(QStringLiteral("&Aceptar"), &ventana);
        lay->addWidget(memo);
        lay->addWidget(boton);
        ventana.show();
        QApplication::setActiveWindow(&ventana);
        QVERIFY(QTest::qWaitForWindowActive(&ventana));
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        memo->setFocus();
        QTest::keyClicks(memo, QStringLiteral("uno"));
        QTest::keyClick(memo, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), boton);
        QCOMPARE(t->fieldByName(QStringLiteral("Observacion"))->asString(), QStringLiteral("uno"));
        t->cancel();
    }

    void imagen()
    {
        motor::Table* t = Datos()->TEmpresa;
        t->open();
        t->insert();
        QWidget ventana;
        auto* logo = static_cast<TDBImage*>(crearControl(*esquema::campo(QStringLiteral("Empresa"), QStringLiteral("Logotipo")), &ventana));
        logo->enlazar(t, QStringLiteral("Logotipo"));
        auto* otro = new TDBImage(&ventana);
        otro->enlazar(t, QStringLiteral("Logotipo"));
        otro->setGeometry(0, 0, 40, 20);
        otro->ponerAjustar(true);
        QImage roja(4, 4, QImage::Format_RGB32);
        roja.fill(Qt::red);
        QVERIFY(logo->ponerImagen(roja));
        QVERIFY(!t->fieldByName(QStringLiteral("Logotipo"))->isNull());
        QVERIFY(logo->modificado());
        // The other box follows the field; stretched to its size.
        QCOMPARE(otro->imagen().size(), QSize(4, 4));
        QCOMPARE(otro->pixmap().size(), QSize(40, 20));
        QVERIFY(!otro->modificado());
        QVERIFY(logo->ponerImagen(QImage()));
        QVERIFY(t->fieldByName(QStringLiteral("Logotipo"))->isNull());
        QVERIFY(otro->imagen().isNull());
        t->cancel();
        QVERIFY(!logo->ponerImagen(roja));   // browsing: nothing stored
    }

    void grupoMoneda()
    {
        motor::Table* t = Datos()->TPlus;
        t->open();
        t->insert();
        QWidget ventana;
        auto* caja = new TDBEdit(&ventana);
        caja->enlazar(t, QStringLiteral("Importe"));
        auto* boton = new QPushButton(QStringLiteral("&P/E"), &ventana);
        boton->move(0, 60);
        QLabel *l, *ip, *ie;
        GrupoMoneda::crearIndicadores(&ventana, 0, 30, l, ip, ie);
        GrupoMoneda g(l, ip, ie, boton, &ventana);
        g.anadirCaja(caja, QStringLiteral("Importe"), QStringLiteral("ImporteE"));
        ventana.show();
        QApplication::setActiveWindow(&ventana);
        QVERIFY(QTest::qWaitForWindowActive(&ventana));
        QCOMPARE(l->text(), QStringLiteral("Pesetas"));
        QVERIFY(!g.enEuros());
        caja->setFocus();
        QTest::keyClicks(caja, QStringLiteral("1000"));
        QTest::keyClick(boton, Qt::Key_Space);   // BCambio
        QVERIFY(g.enEuros());
        QCOMPARE(l->text(), QStringLiteral("Euros"));
        QVERIFY(ie->isVisibleTo(&ventana) && !ip->isVisibleTo(&ventana));
        QCOMPARE(caja->nombreCampo(), QStringLiteral("ImporteE"));
        QCOMPARE(caja->text(), QString());
        QCOMPARE(QApplication::focusWidget(), caja);
        // "+" toggles back and is not typed.
        QTest::keyClicks(caja, QStringLiteral("+"));
        QVERIFY(!g.enEuros());
        QCOMPARE(caja->text(), QStringLiteral("1000"));
        QVERIFY(g.derivar(200));
        QCOMPARE(t->fieldByName(QStringLiteral("ImporteE"))->asFloat(), 5.0);
        // Typed in euros: the pesetas come from the euros, unrounded.
        g.cambiar();
        caja->selectAll();
        QTest::keyClicks(caja, QStringLiteral("2.5"));
        QVERIFY(g.derivar(166.386));
        QCOMPARE(t->fieldByName(QStringLiteral("Importe"))->asFloat(), 2.5 * 166.386);
        QVERIFY(!g.derivar(0));
        t->cancel();
    }

private:
    std::unique_ptr<EmpresaPrueba> m_empresa;
};

QTEST_MAIN(TstControles)
#include "tst_controles.moc"
