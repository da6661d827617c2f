// Single-seat behaviour of the engine: storage of every field type, SQL over
// attached tables, errors on post, locate, lookups, collation, signals.
#include "Fixture.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

using namespace motor;

class TestMotor : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_tmp;
    std::unique_ptr<Session> m_sesion;
    std::unique_ptr<Database> m_db;
    QString carpeta() const { return m_tmp.path() + QStringLiteral("/Emp1"); }

private slots:
    void init()
    {
        QDir(carpeta()).removeRecursively();
        fixture::creaEmpresa(carpeta());
        m_sesion = std::make_unique<Session>(QStringLiteral("S1"));
        m_sesion->setNetDir(m_tmp.path() + QStringLiteral("/NET"));
        m_db = std::make_unique<Database>(m_sesion.get(), QStringLiteral("Provenda"));
        m_db->setPath(carpeta());
        m_db->open();
    }
    void cleanup()
    {
        m_db.reset();
        m_sesion.reset();
    }

    void creaYListaTablas()
    {
        QCOMPARE(m_db->tableNames(), QStringList({"Cobro", "Comercial", "Venta"}));
        QVERIFY_THROWS_EXCEPTION(EDBEngineError, Database::createTable(carpeta(), fixture::venta()));
        const auto defs = Database::fieldDefs(carpeta() + "/Comercial.DB");
        QCOMPARE(defs.size(), 6);
        QCOMPARE(defs[1].name, QString("NIF"));
        QCOMPARE(defs[1].size, 20);
        QVERIFY(defs[1].required);
        QCOMPARE(defs[3].type, FieldType::Float);
        // a table file that arrives after the database opened is reachable from SQL
        auto gasto = fixture::cobro();
        gasto.name = "Gasto";
        gasto.fileName = "Gasto.DB";
        Database::createTable(carpeta(), gasto);
        Query q;
        q.setDatabase(m_db.get());
        q.setSql({"select count(*) C from gasto"});
        q.open();
        QCOMPARE(q.fieldByName("C")->asInteger(), 0);
        QCOMPARE(m_db->tableNames().size(), 4);
    }

    void tiposRedondos()
    {
        Table t;
        t.setDatabase(m_db.get());
        t.setTableName("venta.DB");   // file names match case-insensitively
        t.open();
        const QByteArray foto("\x00\xff\x10jpeg", 7);
        t.insert();
        t.fieldByName("codigo")->setValue(7);
        t.fieldByName("Importe")->setValue(1234567.5);
        t.fieldByName("CodigoComercial")->setValue("C1");
        t.fieldByName("Fecha")->setValue(QDate(2024, 2, 29));
        t.fieldByName("Cobrada")->setValue(true);
        t.fieldByName("Foto")->setValue(foto);
        t.post();
        t.close();
        t.open();
        QCOMPARE(t.recordCount(), 1);
        QCOMPARE(t.fieldByName("Codigo")->value(), QVariant(7));
        QCOMPARE(t.fieldByName("Importe")->asFloat(), 1234567.5);
        QCOMPARE(t.fieldByName("Importe")->asString(), QString("1234567,5"));
        QCOMPARE(t.fieldByName("Fecha")->asDate(), QDate(2024, 2, 29));
        QCOMPARE(t.fieldByName("Fecha")->asString(), QString("29/02/24"));
        QCOMPARE(t.fieldByName("Cobrada")->value(), QVariant(true));
        QCOMPARE(t.fieldByName("Foto")->asBlob(), foto);

        Query q;
        q.setDatabase(m_db.get());
        q.setSql({"select v.*, v.Importe * 2 Doble, count(*) over () C from venta v", "where Fecha between :d1 and :d2"});
        q.setParam("d1", QDate(2024, 1, 1));
        q.setParam(":D2", QDate(2024, 12, 31));
        q.open();
        QCOMPARE(q.recordCount(), 1);
        QCOMPARE(q.fieldByName("Fecha")->value(), QVariant(QDate(2024, 2, 29)));
        QCOMPARE(q.fieldByName("Cobrada")->value(), QVariant(true));
        QCOMPARE(q.fieldByName("Importe")->type(), FieldType::Currency);
        QCOMPARE(q.fieldByName("Doble")->asFloat(), 2469135.0);
        QCOMPARE(q.fieldByName("C")->asInteger(), 1);
        QVERIFY(q.locate("Fecha", QDate(2024, 2, 29)));
        QVERIFY(q.locate("Fecha", "29/02/24"));
        QVERIFY(!q.locate("Fecha", QDate(2024, 3, 1)));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, q.fieldByName("Importe")->setValue(1));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, q.fieldByName("NoExiste"));
    }

    void conversiones_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QVariant>("entrada");
        QTest::addColumn<QVariant>("guardado");
        QTest::newRow("fecha corta") << "Fecha" << QVariant("05/03/24") << QVariant(QDate(2024, 3, 5));
        QTest::newRow("fecha 49") << "Fecha" << QVariant("1/1/49") << QVariant(QDate(2049, 1, 1));
        QTest::newRow("fecha 50") << "Fecha" << QVariant("1/1/50") << QVariant(QDate(1950, 1, 1));
        QTest::newRow("fecha iso") << "Fecha" << QVariant("2024-03-05") << QVariant(QDate(2024, 3, 5));
        QTest::newRow("importe coma") << "Importe" << QVariant("1.234,5") << QVariant(1234.5);
        QTest::newRow("importe punto") << "Importe" << QVariant("12.5") << QVariant(12.5);
        QTest::newRow("texto vacío es nulo") << "CodigoComercial" << QVariant("") << QVariant();
        QTest::newRow("lógico texto") << "Cobrada" << QVariant("Sí") << QVariant(true);
    }
    void conversiones()
    {
        QFETCH(QString, campo);
        QFETCH(QVariant, entrada);
        QFETCH(QVariant, guardado);
        Table t;
        t.setDatabase(m_db.get());
        t.setTableName("Venta.db");
        t.open();
        t.insert();
        t.fieldByName("Codigo")->setValue(1);
        t.fieldByName(campo)->setValue(entrada);
        t.post();
        t.refresh();
        QCOMPARE(t.fieldByName(campo)->value(), guardado);
        t.edit();
        QVERIFY_THROWS_EXCEPTION(EConvertError, t.fieldByName("Fecha")->setValue("31/02/24x"));
        QVERIFY_THROWS_EXCEPTION(EConvertError, t.fieldByName("Importe")->setValue("doce"));
        t.cancel();
    }

    void comillasIntactas()
    {
        Table t;
        t.setDatabase(m_db.get());
        t.setTableName("Comercial.DB");
        t.open();
        const QString raro = QStringLiteral("O'Brien \"el \"\" raro\"; DROP TABLE Comercial; --");
        fixture::alta(t, "A1", raro);
        fixture::alta(t, "A'2", "Otro");
        t.close();
        t.open();
        QVERIFY(t.locate("Nombre", raro));
        QCOMPARE(t.fieldByName("Nombre")->asString(), raro);
        Query q;
        q.setDatabase(m_db.get());
        q.setSql({"SELECT count(NIF) C FROM Comercial", "WHERE Nombre = :n OR Codigo = :c"});
        q.setParam("n", raro);
        q.setParam("c", "A'2");
        q.open();
        QCOMPARE(q.fieldByName("C")->asInteger(), 2);
    }

    void obligatorioYClave()
    {
        Table t;
        t.setDatabase(m_db.get());
        t.setTableName("Comercial.DB");
        t.open();
        fixture::alta(t, "A1", "Ana");
        t.insert();
        t.fieldByName("Codigo")->setValue("A2");
        t.fieldByName("Nombre")->setValue("Sin NIF");
        try {
            t.post();
            QFAIL("post without NIF");
        } catch (const EDBEngineError&) {
            QFAIL("a required field is not an engine error");
        } catch (const EDatabaseError& e) {
            QCOMPARE(e.mensaje(), QString("El campo 'NIF' debe tener un valor."));
            QCOMPARE(e.clase(), QString("EDatabaseError"));
        }
        QCOMPARE(t.state(), Dataset::State::Insert);
        t.fieldByName("NIF")->setValue("   ");   // blanks are a value, not an empty field
        t.fieldByName("Codigo")->setValue("A1");
        int codigo = 0;
        try {
            t.post();
        } catch (const EDBEngineError& e) {
            codigo = e.codigo();
        }
        QCOMPARE(codigo, int(EDBEngineError::ClaveDuplicada));
        QCOMPARE(t.state(), Dataset::State::Insert);           // left open for correction
        QCOMPARE(t.fieldByName("Nombre")->asString(), QString("Sin NIF"));
        // the hook reports it and the failure becomes a silent abort
        int vistos = 0;
        t.onPostError = [&](const EDBEngineError& e) { vistos += e.codigo() == 9729; return true; };
        QVERIFY_THROWS_EXCEPTION(EAbort, t.post());
        QCOMPARE(vistos, 1);
        t.fieldByName("Codigo")->setValue("A2");
        t.post();
        QCOMPARE(t.recordCount(), 2);
        QCOMPARE(t.fieldByName("Codigo")->asString(), QString("A2"));
    }

    void ordenPorClave()
    {
        Table t;
        t.setDatabase(m_db.get());
        t.setTableName("Comercial.DB");
        t.open();
        for (const char* c : {"M", "B", "Z", "A"})
            fixture::alta(t, c, QString("Nombre %1").arg(c));
        auto codigos = [&] {
            QStringList r;
            for (int i = 0; i < t.recordCount(); ++i)
                r << t.valueAt(i, t.fieldIndex("Codigo")).toString();
            return r;
        };
        QCOMPARE(codigos(), QStringList({"A", "B", "M", "Z"}));
        QCOMPARE(t.fieldByName("Codigo")->asString(), QString("A"));   // the posted record is current
        QCOMPARE(t.recNo(), 0);
        t.locate("Codigo", "B");
        t.edit();
        t.fieldByName("Codigo")->setValue("P");   // a new key moves the record
        t.post();
        QCOMPARE(codigos(), QStringList({"A", "M", "P", "Z"}));
        QCOMPARE(t.recNo(), 2);
        QCOMPARE(t.fieldByName("Nombre")->asString(), QString("Nombre B"));
        t.refresh();   // the stored order agrees
        QCOMPARE(codigos(), QStringList({"A", "M", "P", "Z"}));
        QCOMPARE(t.fieldByName("Codigo")->asString(), QString("P"));
    }

    void autoincremento()
    {
        Table t;
        t.setDatabase(m_db.get());
        t.setTableName("Cobro.DB");
        t.open();
        for (int i = 0; i < 3; ++i) {
            t.insert();
            t.fieldByName("Importe")->setValue(i * 10.0);
            t.post();
            QCOMPARE(t.fieldByName("Codigo")->asInteger(), i + 1);
        }
        t.remove();
        t.insert();
        t.post();
        QCOMPARE(t.fieldByName("Codigo")->asInteger(), 4);   // never reused
    }

    void localizar_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QVariant>("valor");
        QTest::addColumn<int>("opciones");
        QTest::addColumn<QString>("codigo");   // empty: not found
        const int ci = Dataset::CaseInsensitive, pk = Dataset::PartialKey;
        QTest::newRow("exacto") << "Nombre" << QVariant("José Pérez") << 0 << "B";
        QTest::newRow("exacto distingue mayúsculas") << "Nombre" << QVariant("josé pérez") << 0 << "";
        QTest::newRow("sin mayúsculas") << "Nombre" << QVariant("JOSÉ PÉREZ") << ci << "B";
        QTest::newRow("parcial") << "Nombre" << QVariant("José") << pk << "B";
        QTest::newRow("parcial no es exacto") << "Nombre" << QVariant("José") << 0 << "";
        QTest::newRow("parcial sin mayúsculas") << "Nombre" << QVariant("ñan") << (ci | pk) << "C";
        QTest::newRow("parcial con acento no es sin acento") << "Nombre" << QVariant("jose") << (ci | pk) << "";
        QTest::newRow("número") << "CP" << QVariant(28001) << 0 << "C";
        QTest::newRow("número como texto") << "CP" << QVariant("28001") << 0 << "C";
        QTest::newRow("lógico") << "IVA" << QVariant(true) << 0 << "B";
        QTest::newRow("no hay") << "Nombre" << QVariant("Zz") << (ci | pk) << "";
    }
    void localizar()
    {
        QFETCH(QString, campo);
        QFETCH(QVariant, valor);
        QFETCH(int, opciones);
        QFETCH(QString, codigo);
        Table t;
        t.setDatabase(m_db.get());
        t.setTableName("Comercial.DB");
        t.open();
        fixture::alta(t, "A", "Ana");
        fixture::alta(t, "B", "José Pérez");
        fixture::alta(t, "C", "Ñandú");
        t.locate("Codigo", "B");
        t.edit();
        t.fieldByName("IVA")->setValue(true);
        t.post();
        t.locate("Codigo", "C");
        t.edit();
        t.fieldByName("CP")->setValue(28001);
        t.post();
        t.first();
        QCOMPARE(t.locate(campo, valor, opciones), !codigo.isEmpty());
        QCOMPARE(t.fieldByName("Codigo")->asString(), codigo.isEmpty() ? QString("A") : codigo);

        Query q;
        q.setDatabase(m_db.get());
        q.setSql({"select * from comercial order by Codigo"});
        q.open();
        QCOMPARE(q.locate(campo, valor, opciones), !codigo.isEmpty());
        QCOMPARE(q.fieldByName("Codigo")->asString(), codigo.isEmpty() ? QString("A") : codigo);
    }

    void busquedas()
    {
        Table com;
        com.setDatabase(m_db.get());
        com.setTableName("Comercial.DB");
        com.open();
        fixture::alta(com, "C1", "Ana");
        Table v;
        v.setDatabase(m_db.get());
        v.setTableName("Venta.db");
        v.addLookup({"NombreComercial", "CodigoComercial", &com, "Codigo", "Nombre", FieldType::String, 255});
        v.open();
        QSignalSpy cambios(&v, &Dataset::fieldChanged);
        v.insert();
        v.fieldByName("Codigo")->setValue(1);
        v.fieldByName("CodigoComercial")->setValue("C1");
        QVERIFY(cambios.contains({QString("NombreComercial")}));
        QCOMPARE(v.fieldByName("NombreComercial")->asString(), QString("Ana"));
        v.post();
        v.insert();
        v.fieldByName("Codigo")->setValue(2);
        v.fieldByName("CodigoComercial")->setValue("XX");
        v.post();
        QVERIFY(v.fieldByName("NombreComercial")->isNull());
        QVERIFY(v.fieldByName("NombreComercial")->isLookup());
        QCOMPARE(v.valueAt(0, v.fieldIndex("NombreComercial")), QVariant("Ana"));
        QCOMPARE(v.valueAt(1, v.fieldIndex("NombreComercial")), QVariant());
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, v.fieldByName("NombreComercial")->setValue("x"));
        // a change on the source shows at once
        com.edit();
        com.fieldByName("Nombre")->setValue("Ana María");
        com.post();
        QCOMPARE(v.valueAt(0, v.fieldIndex("NombreComercial")), QVariant("Ana María"));
        QVERIFY(v.locate("NombreComercial", "ana m", Dataset::CaseInsensitive | Dataset::PartialKey));
        QCOMPARE(v.fieldByName("Codigo")->asInteger(), 1);
    }

    void mayusculasYOrden()
    {
        Table t;
        t.setDatabase(m_db.get());
        t.setTableName("Comercial.DB");
        t.open();
        const QStringList nombres = {"Zurita", "Álvarez", "Núñez", "nuño", "Nuñez", "Ávila", "avila", "Ñu", "Oca", "José"};
        for (int i = 0; i < nombres.size(); ++i)
            fixture::alta(t, QString::number(i), nombres[i]);
        Query q;
        q.setDatabase(m_db.get());
        q.setSql({"select count(*) C from comercial where upper(Nombre) = upper(:n) and lower(Nombre) = :m"});
        q.setParam("n", "JOSÉ");
        q.setParam("m", "josé");
        q.open();
        QCOMPARE(q.fieldByName("C")->asInteger(), 1);
        // LIKE folds case beyond ASCII; accents still count
        const QList<std::pair<QString, int>> patrones = {{"álv%", 1}, {"_UÑ%", 2}, {"%A", 4}, {"a_ila", 1}, {"%z", 3}, {"%", 10}};
        for (const auto& [patron, cuantos] : patrones) {
            q.setSql({"select count(*) C from comercial where Nombre like :p"});
            q.setParam("p", patron);
            q.open();
            QVERIFY2(q.fieldByName("C")->asInteger() == cuantos, qPrintable(patron));
        }
        q.close();
        q.setSql({"select Nombre from comercial order by Nombre"});
        q.open();
        QStringList orden;
        for (q.first(); !q.eof(); q.next())
            orden << q.fieldByName("Nombre")->asString();
        // accents sort with their letter, ñ after n, case folded
        QCOMPARE(orden, QStringList({"Álvarez", "avila", "Ávila", "José", "Nuñez", "Núñez", "nuño", "Ñu", "Oca", "Zurita"}));
    }

    void senales()
    {
        Table t;
        t.setDatabase(m_db.get());
        t.setTableName("Comercial.DB");
        QSignalSpy estado(&t, &Dataset::stateChanged);
        QSignalSpy reinicio(&t, &Dataset::dataReset);
        QSignalSpy actual(&t, &Dataset::currentChanged);
        QSignalSpy campo(&t, &Dataset::fieldChanged);
        QSignalSpy guardado(&t, &Table::afterPost);
        t.open();
        QCOMPARE(estado.count(), 1);
        QCOMPARE(reinicio.count(), 1);
        t.insert();
        QCOMPARE(t.state(), Dataset::State::Insert);
        t.fieldByName("codigo")->setValue("A");
        QCOMPARE(campo.takeFirst(), QVariantList({QString("Codigo")}));
        t.fieldByName("NIF")->setValue("1");
        t.fieldByName("Nombre")->setValue("x");
        t.post();
        QCOMPARE(guardado.count(), 1);
        QCOMPARE(estado.count(), 3);
        QCOMPARE(reinicio.count(), 2);
        actual.clear();
        fixture::alta(t, "B", "y");
        t.first();
        t.next();
        QVERIFY(actual.count() >= 2);
        QVERIFY(!t.eof());
        t.next();
        QVERIFY(t.eof());
        QCOMPARE(t.recNo(), 1);
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, t.fieldByName("Nombre")->setValue("fuera de edición"));
        t.remove();
        QCOMPARE(reinicio.count(), 4);
        QCOMPARE(t.recordCount(), 1);
        t.close();
        QCOMPARE(t.state(), Dataset::State::Inactive);
        QVERIFY(t.fieldByName("Nombre")->isNull());   // fields outlive close()
    }

    void carpetaDirectaYSinSesion()
    {
        // The master tables: named by folder, through the default session.
        Table t;
        t.setFolder(carpeta());
        t.setTableName("Comercial.DB");
        t.open();
        QCOMPARE(t.database()->session(), m_sesion.get());
        fixture::alta(t, "M", "Maestro");
        t.edit();   // holds a lock while its session goes first
        Table u;
        u.setDatabase(m_db.get());
        u.setTableName("Comercial.DB");
        u.open();
        u.locate("Codigo", "M");
        u.edit();
        m_sesion.reset();
        m_db.reset();   // a database may outlive its session (sibling objects)
        QCOMPARE(u.state(), Dataset::State::Inactive);
        QCOMPARE(t.state(), Dataset::State::Inactive);   // closed with its session's folder database
        Query q;
        q.setFolder(carpeta());
        q.setSql({"select * from Comercial"});
        q.open();   // no session at all: a private database
        QCOMPARE(q.recordCount(), 1);
    }

    void ficheroAjenoYLimite()
    {
        QFile otro(carpeta() + "/CS.ini");
        QVERIFY(otro.open(QIODevice::WriteOnly));
        otro.write("[Copia]\n");
        otro.close();
        m_db->close();
        m_db->open();
        QCOMPARE(m_db->tableNames().size(), 3);
        m_db->close();
        for (int i = 0; i < 8; ++i) {
            auto def = fixture::cobro();
            def.name = QString("T%1").arg(i);
            def.fileName = def.name + ".DB";
            Database::createTable(carpeta(), def);
        }
        QVERIFY_THROWS_EXCEPTION(EDBEngineError, m_db->open());
        QVERIFY(!m_db->isOpen());
    }
};

QTEST_GUILESS_MAIN(TestMotor)
#include "tst_motor.moc"
