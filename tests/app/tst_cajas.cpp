#include "Soporte.h"
#include "core/Mensajes.h"
#include "ui/CajasMensaje.h"
#include "ui/UnidadI.h"

#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace {
QStringList botones(QMessageBox* c)
{
    QStringList r;
    for (QAbstractButton* b : c->buttons())
        r << b->text();
    return r;
}
} // namespace

class TstCajas : public QObject {
    Q_OBJECT
private slots:
    void formas_data();
    void formas();
    void respuestas_data();
    void respuestas();
    void formI();
};

void TstCajas::formas_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("icono");
    QTest::addColumn<QStringList>("textos");
    QTest::newRow("msError") << int(TipoMensaje::Error) << int(QMessageBox::Critical) << QStringList{"Aceptar"};
    QTest::newRow("msInfo") << int(TipoMensaje::Info) << int(QMessageBox::Information) << QStringList{"Aceptar"};
    QTest::newRow("msAtencion") << int(TipoMensaje::Atencion) << int(QMessageBox::Warning) << QStringList{"Aceptar"};
    QTest::newRow("msSi") << int(TipoMensaje::Si) << int(QMessageBox::Question) << QStringList{"&Sí", "&No"};
    QTest::newRow("msOK") << int(TipoMensaje::OK) << int(QMessageBox::Warning) << QStringList{"Aceptar", "Cancelar"};
}

void TstCajas::formas()
{
    QFETCH(int, tipo);
    QFETCH(int, icono);
    QFETCH(QStringList, textos);
    std::unique_ptr<QMessageBox> c(CajasMensaje::crearCaja(TipoMensaje(tipo), "Texto\n\nsegundo", "Título..."));
    QCOMPARE(int(c->icon()), icono);
    QCOMPARE(c->windowTitle(), QStringLiteral("Título..."));
    QCOMPARE(c->text(), QStringLiteral("Texto\n\nsegundo"));
    QCOMPARE(botones(c.get()), textos);
    QCOMPARE(c->defaultButton()->text(), textos.first()); // the first button is the default
    QVERIFY(!c->parentWidget());
}

void TstCajas::respuestas_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("tecla");
    QTest::addColumn<bool>("respuesta");
    QTest::newRow("msOK Escape is Cancel") << int(TipoMensaje::OK) << int(Qt::Key_Escape) << false;
    QTest::newRow("msOK Enter is OK") << int(TipoMensaje::OK) << int(Qt::Key_Return) << true;
    QTest::newRow("msSi Enter is Yes") << int(TipoMensaje::Si) << int(Qt::Key_Return) << true;
    QTest::newRow("msSi N is No") << int(TipoMensaje::Si) << int(Qt::Key_N) << false;
}

void TstCajas::respuestas()
{
    QFETCH(int, tipo);
    QFETCH(int, tecla);
    QFETCH(bool, respuesta);
    CajasMensaje cajas;
    SumideroMensajes* anterior = ponerSumideroMensajes(&cajas);
    QString titulo;
    alAbrirModal([&](QWidget* w) {
        titulo = w->windowTitle();
        QTest::keyClick(w, Qt::Key(tecla), tecla == Qt::Key_N ? Qt::AltModifier : Qt::NoModifier);
    });
    const bool r = TipoMensaje(tipo) == TipoMensaje::OK ? msOK(QStringLiteral("¿Seguir?"), QStringLiteral("Copiar..."))
                                                          : msSi(QStringLiteral("¿Seguir?"), QStringLiteral("Copiar..."));
    ponerSumideroMensajes(anterior);
    QCOMPARE(titulo, QStringLiteral("Copiar..."));
    QCOMPARE(r, respuesta);
}

void TstCajas::formI()
{
    TFormI* f = crearFormI();
    QCOMPARE(FormI(), f);
    QCOMPARE(crearFormI(), f); // one for the whole run
    QVERIFY(!f->isVisible());
    QCOMPARE(f->size(), QSize(314, 180));
    QCOMPARE(f->L->text(), QStringLiteral("Realizando proceso, espere por favor..."));
    QCOMPARE(f->B->minimum(), 0);
    QCOMPARE(f->B->maximum(), 100);
    QVERIFY(!f->BCancelar->isVisibleTo(f));
    QCOMPARE(f->BCancelar->text(), QStringLiteral("&Cancelar"));
    QVERIFY(!f->Animacion->active());
    QCOMPARE(f->Animacion->height(), 16);
    QCOMPARE(f->Animacion->toolTip(), QStringLiteral("Realizando proceso"));
    QCOMPARE(f->cursor().shape(), Qt::WaitCursor);
    QVERIFY(!(f->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(f->windowFlags() & Qt::WindowMaximizeButtonHint));

    f->empezar(QStringLiteral("Realizando copia de seguridad, espere por favor..."), true);
    QVERIFY(f->isVisible());
    QVERIFY(!f->isModal());
    QVERIFY(!f->B->isVisible());
    QVERIFY(f->Animacion->active());
    QCOMPARE(f->Animacion->clip(), AnimacionProceso::CopiarArchivo);
    f->paso(QStringLiteral("Comercial.DB"));
    QCOMPARE(f->L->text(), QStringLiteral("Comercial.DB"));
    f->terminar(true);
    QVERIFY(!f->isVisible());
    QVERIFY(!f->Animacion->active());
    QCOMPARE(f->Animacion->fotograma(), AnimacionProceso::FotogramaParada);
    QVERIFY(f->B->isVisibleTo(f));
    destruirFormI();
    QVERIFY(!FormI());
}

QTEST_MAIN(TstCajas)
#include "tst_cajas.moc"
