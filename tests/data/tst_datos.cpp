#include "core/EstadoAplicacion.h"
#include "data/Esquema.h"
#include "data/UnidadDatos.h"
#include "support/Soporte.h"

#include <QDir>
#include <QTest>
#include <memory>

using motor::Dataset;

namespace {
const QString Eliminado = QStringLiteral("El registro actual ha sido ELIMINADO por otro usuario. Pulse refrescar para actualizar los cambios.");
const QString EnUso = QStringLiteral("El registro actual está siendo modificado por otro usuario. Espere a que éste termine para modificarlo.");
const QString Duplicado = QStringLiteral("Ya existe un registro con este valor. Cámbielo o cancele las modificaciones.");
}

// A master folder (the program folder) with one company "Emp1", the data
// module on it, and a second seat (session, database, tables) on the same NET.
class TestDatos : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void creacion();
    void netConRutaServidor();
    void busquedasYConsultas();
    void mensajes_data();
    void mensajes();
    void registroEnUso_data();
    void registroEnUso();
    void registroEliminado();
    void claveDuplicadaConservaLoTecleado();
    void otrosErroresPasan();
    void cambiosVistosPorOtroPuesto();
    void contarConParametros();
    void empresaInexistente();

private:
    void anadeComercial(motor::Table* t, const QString& codigo, const QString& nombre);
    std::unique_ptr<CarpetaPrograma> m_prog;
    QString m_emp;
    std::unique_ptr<motor::Session> m_s2;
    std::unique_ptr<motor::Database> m_db2;
};

void TestDatos::init()
{
    m_prog = std::make_unique<CarpetaPrograma>();
    reiniciarEstado();
    Estado().Servidor = 1;
    const QString base = m_prog->ruta();
    for (const QString& n : esquema::tablasMaestras())
        motor::Database::createTable(base, esquema::tabla(n).definicion());
    m_emp = base + "Emp1";
    for (const QString& n : esquema::tablasEmpresa())
        motor::Database::createTable(m_emp, esquema::tabla(n).definicion());

    crearDatos();
    Datos()->apuntarEmpresa(m_emp);

    m_s2 = std::make_unique<motor::Session>("S2");
    m_s2->setNetDir(base + "NET");
    m_s2->setPrivateDir(base + "TEMP2");
    m_s2->setUserName("otro");
    m_s2->open();
    m_db2 = std::make_unique<motor::Database>(m_s2.get(), "Otro");
    m_db2->setPath(m_emp);
    m_db2->open();
}

void TestDatos::cleanup()
{
    m_db2.reset();
    if (m_s2)
        m_s2->close();
    m_s2.reset();
    destruirDatos();
    m_prog.reset();
}

void TestDatos::anadeComercial(motor::Table* t, const QString& codigo, const QString& nombre)
{
    if (!t->isOpen())
        t->open();
    t->insert();
    t->fieldByName("Codigo")->setValue(codigo);
    t->fieldByName("NIF")->setValue("12345678Z");
    t->fieldByName("Nombre")->setValue(nombre);
    t->post();
}

void TestDatos::creacion()
{
    TDatos* d = Datos();
    QVERIFY(d);
    QCOMPARE(d->Session1->name(), QStringLiteral("S1"));
    QVERIFY(d->Session1->isActive());
    QCOMPARE(d->Session1->privateDir(), m_prog->ruta() + "TEMP");
    QCOMPARE(d->Session1->netDir(), m_prog->ruta() + "NET");
    QCOMPARE(d->DB->name(), QStringLiteral("Provenda"));
    QCOMPARE(d->TComercialGasto->tableName(), QStringLiteral("Gasto.DB"));
    QCOMPARE(d->TVenta->tableName(), QStringLiteral("Venta.db"));
    QCOMPARE(d->TVenta->database(), d->DB);
    QCOMPARE(d->TC->database(), d->DB);
    QCOMPARE(d->carpetaUsuarios(), m_prog->ruta());
    QCOMPARE(d->tabla("TCComercialGasto"), d->TComercialGasto);
    QCOMPARE(d->TComercialGasto->objectName(), QStringLiteral("TComercialGasto"));
    QCOMPARE(d->TCVenta->objectName(), QStringLiteral("TCVenta"));
    QCOMPARE(d->consulta("Empresa"), d->TCEmpresa);
    QCOMPARE(d->tablas().size(), 11);

    // Tests rebuild it: a new instance replaces the old one.
    TDatos* otro = crearDatos();
    QCOMPARE(Datos(), otro);
    destruirDatos();
    QVERIFY(!Datos());
}

void TestDatos::netConRutaServidor()
{
    destruirDatos();
    QDir().mkpath(m_prog->ruta() + "srv");
    Estado().RutaServidor = QDir::toNativeSeparators(m_prog->ruta() + "srv");
    crearDatos();
    QCOMPARE(Datos()->Session1->netDir(), m_prog->ruta() + "srv/NET");
}

void TestDatos::busquedasYConsultas()
{
    TDatos* d = Datos();
    anadeComercial(d->TComercial, "0001", "Ana Zurita");
    d->TCliente->open();
    d->TCliente->insert();
    d->TCliente->fieldByName("Codigo")->setValue("C1");
    d->TCliente->fieldByName("Nombre")->setValue("José Álvarez");
    d->TCliente->post();
    d->TAparato->open();
    d->TAparato->insert();
    d->TAparato->fieldByName("Codigo")->setValue("A1");
    d->TAparato->fieldByName("Nombre")->setValue("Purificador");
    d->TAparato->post();

    d->TVenta->open();
    for (int i = 1; i <= 2; ++i) {
        d->TVenta->insert();
        d->TVenta->fieldByName("Codigo")->setValue(i);
        d->TVenta->fieldByName("CodigoComercial")->setValue("0001");
        d->TVenta->fieldByName("CodigoCliente")->setValue(i == 1 ? "C1" : "ZZ");
        d->TVenta->fieldByName("CodigoAparato")->setValue("A1");
        d->TVenta->post();
    }
    QVERIFY(d->TVenta->locate("Codigo", 1));
    QCOMPARE(d->TVenta->fieldByName("NombreCliente")->asString(), QStringLiteral("José Álvarez"));
    QCOMPARE(d->TVenta->fieldByName("NombreComercial")->asString(), QStringLiteral("Ana Zurita"));
    QCOMPARE(d->TVenta->fieldByName("NombreAparato")->asString(), QStringLiteral("Purificador"));
    QVERIFY(d->TVenta->locate("Codigo", 2));
    QVERIFY(d->TVenta->fieldByName("NombreCliente")->asString().isEmpty());

    // Every design query runs; the joined ones show only complete rows.
    for (motor::Query* q : d->consultas()) {
        q->open();
        QVERIFY2(q->isOpen(), qPrintable(q->objectName()));
        q->close();
    }
    d->TCVenta->open();
    QCOMPARE(d->TCVenta->recordCount(), 1);
    QCOMPARE(d->TCVenta->fieldByName("Comercial")->asString(), QStringLiteral("Ana Zurita"));
    QCOMPARE(d->TCVenta->fieldByName("Cliente")->asString(), QStringLiteral("José Álvarez"));
    QCOMPARE(d->TCVenta->fieldByName("Aparato")->asString(), QStringLiteral("Purificador"));

    d->TComercial->edit();
    d->TComercial->fieldByName("IVA")->setValue(true);
    d->TComercial->post();
    d->TFactura->open();
    d->TFactura->insert();
    d->TFactura->fieldByName("Codigo")->setValue("2004/1");
    d->TFactura->fieldByName("CodigoComercial")->setValue("0001");
    d->TFactura->post();
    QVERIFY(d->TFactura->fieldByName("LIVA")->asBoolean());
    d->TCFactura->open();
    QCOMPARE(d->TCFactura->recordCount(), 1);
    QVERIFY(d->TCFactura->fieldByName("LIVA")->asBoolean());
}

void TestDatos::mensajes_data()
{
    QTest::addColumn<bool>("alEditar");
    QTest::addColumn<QString>("tabla");
    QTest::addColumn<int>("codigo");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("texto");
    QTest::newRow("editar 8708") << true << "Comercial" << 8708 << "Registro eliminado..." << Eliminado;
    QTest::newRow("editar 9727 comercial") << true << "Cliente" << 9727 << "Nombre duplicado..."
        << "Ya existe un comercial con este nombre. Cambie el nombre o cancele las modificaciones.";
    QTest::newRow("editar 9727 usuario") << true << "Usuario" << 9727 << "Nombre duplicado..."
        << "Ya existe un usuario con este nombre. Cambie el nombre o cancele las modificaciones.";
    QTest::newRow("editar 10241") << true << "Venta" << 10241 << "Registro en uso..." << EnUso;
    QTest::newRow("editar otro") << true << "Empresa" << 1 << "Error al editar..."
        << "Se ha producido un error al intentar editar el registro.";
    QTest::newRow("guardar 9729") << false << "Factura" << 9729 << "Valor duplicado..." << Duplicado;
    QTest::newRow("guardar 10241") << false << "Usuario" << 10241 << "Error al validar..."
        << "Se ha producido un error al intentar guardar los datos del registro actual.";
    QTest::newRow("guardar otro") << false << "Comercial" << 1 << "Error al validar..."
        << "Se ha producido un error al intentar guardar los datos del registro actual.";
}

// The handlers as installed on the tables: the message for each code.
void TestDatos::mensajes()
{
    QFETCH(bool, alEditar);
    QFETCH(QString, tabla);
    QFETCH(int, codigo);
    QFETCH(QString, titulo);
    QFETCH(QString, texto);
    GrabadorMensajes g;
    motor::Table* t = Datos()->tabla(tabla);
    QVERIFY(t);
    const EDBEngineError e(codigo, "motor");
    const bool abandona = alEditar ? t->onEditError(e) : t->onPostError(e);
    QVERIFY(abandona);
    QCOMPARE(g.resumen(), QStringList{mensaje(TipoMensaje::Error, titulo, texto)});
}

void TestDatos::registroEnUso_data()
{
    QTest::addColumn<QString>("tabla");
    QTest::newRow("tabla de empresa") << "Comercial";
    QTest::newRow("tabla maestra") << "Usuario";
}

// The other seat holds the record: refused with 10241, the record stays in browse.
void TestDatos::registroEnUso()
{
    QFETCH(QString, tabla);
    TDatos* d = Datos();
    motor::Table* t = d->tabla(tabla);
    motor::Table otro;
    if (tabla == "Comercial") {
        anadeComercial(t, "0001", "Ana");
        otro.setDatabase(m_db2.get());
    } else {
        t->open();
        t->insert();
        t->fieldByName("Codigo")->setValue("ADM");
        t->post();
        otro.setSession(m_s2.get());
        otro.setFolder(m_prog->ruta());
    }
    otro.setTableName(esquema::tabla(tabla).fichero);
    otro.open();
    otro.edit();

    GrabadorMensajes g;
    t->refresh();
    QVERIFY_THROWS_EXCEPTION(EAbort, t->edit());
    QCOMPARE(g.resumen(), QStringList{mensaje(TipoMensaje::Error, "Registro en uso...", EnUso)});
    QCOMPARE(t->state(), Dataset::State::Browse);
    otro.cancel();
    t->edit();
    QCOMPARE(t->state(), Dataset::State::Edit);
    t->cancel();
}

void TestDatos::registroEliminado()
{
    TDatos* d = Datos();
    anadeComercial(d->TComercial, "0001", "Ana");
    motor::Table otro;
    otro.setDatabase(m_db2.get());
    otro.setTableName("Comercial.DB");
    otro.open();
    QVERIFY(otro.locate("Codigo", "0001"));
    otro.remove();

    GrabadorMensajes g;
    QVERIFY_THROWS_EXCEPTION(EAbort, d->TComercial->edit());
    QCOMPARE(g.resumen(), QStringList{mensaje(TipoMensaje::Error, "Registro eliminado...", Eliminado)});
    QCOMPARE(d->TComercial->state(), Dataset::State::Browse);
}

void TestDatos::claveDuplicadaConservaLoTecleado()
{
    TDatos* d = Datos();
    anadeComercial(d->TComercial, "0001", "Ana");
    GrabadorMensajes g;
    d->TComercial->insert();
    d->TComercial->fieldByName("Codigo")->setValue("0001");
    d->TComercial->fieldByName("NIF")->setValue("87654321X");
    d->TComercial->fieldByName("Nombre")->setValue("Otra Ana");
    QVERIFY_THROWS_EXCEPTION(EAbort, d->TComercial->post());
    QCOMPARE(g.resumen(), QStringList{mensaje(TipoMensaje::Error, "Valor duplicado...", Duplicado)});
    QCOMPARE(d->TComercial->state(), Dataset::State::Insert);
    QCOMPARE(d->TComercial->fieldByName("Nombre")->asString(), QStringLiteral("Otra Ana"));
    QCOMPARE(d->TComercial->fieldByName("Codigo")->asString(), QStringLiteral("0001"));
    // The user corrects the code and the post goes through.
    d->TComercial->fieldByName("Codigo")->setValue("0002");
    d->TComercial->post();
    QCOMPARE(d->TComercial->recordCount(), 2);
}

// A required field left empty is no engine error: no message, the error goes on.
void TestDatos::otrosErroresPasan()
{
    TDatos* d = Datos();
    GrabadorMensajes g;
    d->TComercial->open();
    d->TComercial->insert();
    d->TComercial->fieldByName("Codigo")->setValue("0003");
    bool pasa = false;
    try {
        d->TComercial->post();
    } catch (const EAbort&) {
    } catch (const EDatabaseError& e) {
        pasa = !dynamic_cast<const EDBEngineError*>(&e);
    }
    QVERIFY(pasa);
    QVERIFY(g.mensajes.isEmpty());
    d->TComercial->cancel();
}

void TestDatos::cambiosVistosPorOtroPuesto()
{
    TDatos* d = Datos();
    motor::Query otro;
    otro.setDatabase(m_db2.get());
    otro.addLine("SELECT count(*) C FROM Comercial");
    otro.open();
    QCOMPARE(otro.fieldByName("C")->asInteger(), 0);
    anadeComercial(d->TComercial, "0001", "Ana");
    otro.refresh();
    QCOMPARE(otro.fieldByName("C")->asInteger(), 1);
    d->TComercial->remove();
    otro.refresh();
    QCOMPARE(otro.fieldByName("C")->asInteger(), 0);
}

void TestDatos::contarConParametros()
{
    TDatos* d = Datos();
    anadeComercial(d->TComercial, "0001", "José \"Pepe\" O'Neill");
    QCOMPARE(d->contar("Comercial", "Nombre", "José \"Pepe\" O'Neill"), 1);
    QVERIFY(!d->existe("Comercial", "Nombre", "JOSÉ \"PEPE\" O'NEILL"));
    QVERIFY(d->existe("Comercial", "Nombre", "JOSÉ \"PEPE\" O'NEILL", true));
    QVERIFY(!d->existe("Comercial", "Nombre", "\" OR 1=1 OR \"", true));
    QVERIFY(d->existe("Comercial", "NIF", "12345678Z"));
    QVERIFY(!d->existe("Venta", "CodigoComercial", "0001"));

    // Master tables are read in their folder.
    d->TUsuario->open();
    d->TUsuario->insert();
    d->TUsuario->fieldByName("Codigo")->setValue("ADM");
    d->TUsuario->fieldByName("Nombre")->setValue("Administrador");
    d->TUsuario->post();
    QVERIFY(d->existe("Usuario", "Codigo", "adm", true));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, d->contar("Comercial", "Nombre; DROP TABLE Venta", "x"));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, d->contar("Venta", "NombreCliente", "x"));
}

void TestDatos::empresaInexistente()
{
    QVERIFY_THROWS_EXCEPTION(EDBEngineError, Datos()->apuntarEmpresa(m_prog->ruta() + "Emp99"));
    QVERIFY(!Datos()->DB->isOpen());
}

QTEST_GUILESS_MAIN(TestDatos)
#include "tst_datos.moc"
