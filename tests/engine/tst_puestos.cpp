// Several seats on one NET folder (two sessions in this process): record
// locks, deletions seen by the other seat, expiry of a dead seat, exclusive
// opens, and the maintenance operations (pack, copy while writing).
#include "Fixture.h"

#include <QFileInfo>
#include <QTest>
#include <QThread>
#include <atomic>
#include <sqlite3.h>

using namespace motor;

namespace {

struct Puesto {
    std::unique_ptr<Session> sesion;
    std::unique_ptr<Database> db;
    std::unique_ptr<Table> comercial;

    Puesto(const QString& nombre, const QString& net, const QString& carpeta)
    {
        sesion = std::make_unique<Session>(nombre);
        sesion->setNetDir(net);
        sesion->setUserName(nombre);
        sesion->open();
        db = std::make_unique<Database>(sesion.get(), QStringLiteral("Provenda"));
        db->setPath(carpeta);
        comercial = std::make_unique<Table>();
        comercial->setDatabase(db.get());
        comercial->setTableName(QStringLiteral("Comercial.DB"));
        comercial->open();
    }
    ~Puesto()
    {
        comercial.reset();
        db.reset();
        sesion.reset();
    }
};

int codigoDe(const std::function<void()>& f)
{
    try {
        f();
    } catch (const EDBEngineError& e) {
        return e.codigo();
    }
    return 0;
}

QString integridad(const QString& fichero)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(fichero.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    QString r = QStringLiteral("no abre");
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        r = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    sqlite3_close_v2(db);
    return r;
}

} // namespace

class TestPuestos : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_tmp;
    QString net() const { return m_tmp.path() + QStringLiteral("/NET"); }
    QString carpeta() const { return m_tmp.path() + QStringLiteral("/Emp1"); }
    std::unique_ptr<Puesto> a, b;

private slots:
    void init()
    {
        QDir(carpeta()).removeRecursively();
        QDir(net()).removeRecursively();
        fixture::creaEmpresa(carpeta());
        a = std::make_unique<Puesto>(QStringLiteral("ana"), net(), carpeta());
        b = std::make_unique<Puesto>(QStringLiteral("benito"), net(), carpeta());
        fixture::alta(*a->comercial, "C1", "Uno");
        fixture::alta(*a->comercial, "C2", "Dos");
        b->comercial->refresh();
    }
    void cleanup()
    {
        a.reset();
        b.reset();
    }

    void registroEnUso()
    {
        a->comercial->locate("Codigo", "C1");
        b->comercial->locate("Codigo", "C1");
        a->comercial->edit();
        int visto = 0;
        b->comercial->onEditError = [&](const EDBEngineError& e) { visto = e.codigo(); return false; };
        QCOMPARE(codigoDe([&] { b->comercial->edit(); }), int(EDBEngineError::RegistroBloqueado));
        QCOMPARE(visto, int(EDBEngineError::RegistroBloqueado));
        QCOMPARE(b->comercial->state(), Dataset::State::Browse);
        QCOMPARE(codigoDe([&] { b->comercial->remove(); }), int(EDBEngineError::RegistroBloqueado));
        // another record is free
        b->comercial->locate("Codigo", "C2");
        b->comercial->edit();
        b->comercial->cancel();
        // the lock goes with the post; the change reaches the other seat on refresh
        a->comercial->fieldByName("Nombre")->setValue("Uno bis");
        a->comercial->post();
        b->comercial->locate("Codigo", "C1");
        QCOMPARE(b->comercial->fieldByName("Nombre")->asString(), QString("Uno"));
        b->comercial->refresh();
        QCOMPARE(b->comercial->fieldByName("Codigo")->asString(), QString("C1"));   // same record kept
        QCOMPARE(b->comercial->fieldByName("Nombre")->asString(), QString("Uno bis"));
        b->comercial->edit();
        QCOMPARE(b->comercial->state(), Dataset::State::Edit);
        // closing releases it too
        b->comercial->close();
        a->comercial->locate("Codigo", "C1");
        a->comercial->edit();
        a->comercial->cancel();
    }

    void editarReleeElRegistro()
    {
        a->comercial->locate("Codigo", "C2");
        a->comercial->edit();
        a->comercial->fieldByName("Nombre")->setValue("Dos nuevo");
        a->comercial->post();
        b->comercial->locate("Codigo", "C2");
        b->comercial->edit();   // no refresh: edit reads the stored record
        QCOMPARE(b->comercial->fieldByName("Nombre")->asString(), QString("Dos nuevo"));
        b->comercial->cancel();
    }

    void eliminadoPorOtro()
    {
        a->comercial->locate("Codigo", "C2");
        a->comercial->remove();
        QCOMPARE(a->comercial->recordCount(), 1);
        QVERIFY(b->comercial->locate("Codigo", "C2"));
        bool informado = false;
        b->comercial->onEditError = [&](const EDBEngineError& e) {
            informado = e.codigo() == EDBEngineError::RegistroEliminado;
            return true;
        };
        QVERIFY_THROWS_EXCEPTION(EAbort, b->comercial->edit());
        QVERIFY(informado);
        QCOMPARE(b->comercial->state(), Dataset::State::Browse);
        QCOMPARE(codigoDe([&] { b->comercial->remove(); }), int(EDBEngineError::RegistroEliminado));
        b->comercial->refresh();
        QCOMPARE(b->comercial->recordCount(), 1);
        // re-creating the key from the other seat is a duplicate on this one
        QCOMPARE(codigoDe([&] { fixture::alta(*b->comercial, "C1", "Otra vez"); }), int(EDBEngineError::ClaveDuplicada));
    }

    void puestoMuertoPierdeSusBloqueos()
    {
        a->sesion->setUserName("un nombre de usuario largo");
        QCOMPARE(b->sesion->connectedUsers(), QStringList({"un nombre de u", "benito"}));
        // ana stops beating and declares she is dead after 300 ms of silence
        a->sesion->setHeartbeat(0, 300);
        a->comercial->locate("Codigo", "C1");
        a->comercial->edit();
        b->comercial->locate("Codigo", "C1");
        QCOMPARE(codigoDe([&] { b->comercial->edit(); }), int(EDBEngineError::RegistroBloqueado));
        QTest::qWait(450);
        QCOMPARE(b->sesion->connectedUsers(), QStringList({"benito"}));
        b->comercial->edit();
        QCOMPARE(b->comercial->state(), Dataset::State::Edit);
        b->comercial->cancel();
    }

    void latidoMantieneVivo()
    {
        a->sesion->setHeartbeat(50, 300);
        a->comercial->locate("Codigo", "C1");
        a->comercial->edit();
        QTest::qWait(600);   // the timer beats meanwhile
        b->comercial->locate("Codigo", "C1");
        QCOMPARE(codigoDe([&] { b->comercial->edit(); }), int(EDBEngineError::RegistroBloqueado));
        QCOMPARE(b->sesion->connectedUsers().size(), 2);
        a->sesion->close();
        QCOMPARE(b->sesion->connectedUsers(), QStringList({"benito"}));
        b->comercial->edit();
        b->comercial->cancel();
    }

    void exclusiva()
    {
        Table t;
        t.setDatabase(a->db.get());
        t.setTableName("Venta.db");
        t.setExclusive(true);
        t.open();
        Table otra;
        otra.setDatabase(b->db.get());
        otra.setTableName("Venta.db");
        QCOMPARE(codigoDe([&] { otra.open(); }), TablaEnUso);
        QVERIFY(!otra.isOpen());
        t.close();
        otra.open();
        QCOMPARE(codigoDe([&] { t.open(); }), TablaEnUso);   // exclusive needs nobody else
    }

    void exclusivaRechazada()
    {
        Table t;
        t.setDatabase(a->db.get());
        t.setTableName("Comercial.DB");
        t.setExclusive(true);
        QCOMPARE(codigoDe([&] { t.open(); }), TablaEnUso);   // benito has it open
        QCOMPARE(codigoDe([&] { a->comercial->pack(); }), TablaEnUso);
        b->comercial->close();
        t.open();
        t.reindex();
        QCOMPARE(t.recordCount(), 2);
    }

    void empaquetar()
    {
        b->comercial->close();
        Table& t = *a->comercial;
        // many rows and many deletes, in two statements (each post would fsync)
        Query sql;
        sql.setDatabase(a->db.get());
        sql.setSql({"WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 2999)",
                    "INSERT INTO Comercial(Codigo, NIF, Nombre) SELECT printf('K%04d', i), 'X', printf('%.400c', 'x') || i FROM n"});
        QCOMPARE(sql.execSql(), 3000);
        sql.setSql({"DELETE FROM Comercial WHERE Codigo LIKE 'K%' AND CAST(substr(Codigo, 2) AS INTEGER) % 100 <> 7"});
        QCOMPARE(sql.execSql(), 2970);
        t.refresh();
        for (int i = 0; i < 5; ++i) {   // and some through the table
            t.last();
            t.remove();
        }
        QStringList antes;
        for (t.first(); !t.eof(); t.next())
            antes << t.fieldByName("Codigo")->asString() + t.fieldByName("Nombre")->asString();
        const QString fichero = carpeta() + "/Comercial.DB";
        const qint64 tamAntes = QFileInfo(fichero).size();
        t.pack();
        const qint64 tamDespues = QFileInfo(fichero).size();
        QVERIFY2(tamDespues * 4 < tamAntes, qPrintable(QString("%1 -> %2").arg(tamAntes).arg(tamDespues)));
        QStringList despues;
        for (t.first(); !t.eof(); t.next())
            despues << t.fieldByName("Codigo")->asString() + t.fieldByName("Nombre")->asString();
        QCOMPARE(despues, antes);
        QCOMPARE(despues.size(), 27);
        fixture::alta(t, "NEW", "after pack");   // statements work after the rewrite
    }

    void copiaMientrasOtroEscribe()
    {
        std::atomic<bool> parar{false};
        std::atomic<int> escritos{0};
        QString errorHilo;
        // The writer seat runs in its own thread with its own session and connection.
        QThread* hilo = QThread::create([&] {
            try {
                Puesto p(QStringLiteral("escritor"), net(), carpeta());
                Table v;
                v.setDatabase(p.db.get());
                v.setTableName("Venta.db");
                v.open();
                for (int i = 1; !parar; ++i) {
                    v.insert();
                    v.fieldByName("Codigo")->setValue(i);
                    v.fieldByName("Importe")->setValue(i * 1.5);
                    v.fieldByName("Foto")->setValue(QByteArray(3000, char(i)));
                    v.post();
                    ++escritos;
                    QThread::msleep(3);   // a busy seat, not a tight loop that starves every reader
                }
            } catch (const Excepcion& e) {
                errorHilo = e.mensaje();
            }
        });
        hilo->start();
        while (escritos < 5)
            QThread::msleep(5);
        const QString destino = m_tmp.path() + "/copia/Venta.db";
        QDir().mkpath(m_tmp.path() + "/copia");
        int previo = -1;
        for (int i = 0; i < 10; ++i) {
            Database::copyFile(carpeta() + "/Venta.db", destino);   // replaces the last copy
            QCOMPARE(integridad(destino), QString("ok"));
            Query q;
            q.setFolder(m_tmp.path() + "/copia");
            q.setSession(a->sesion.get());
            q.setSql({"select count(*) C, coalesce(max(Codigo), 0) M, sum(length(Foto)) B from Venta"});
            q.open();
            const int n = q.fieldByName("C")->asInteger();
            QCOMPARE(q.fieldByName("M")->asInteger(), n);   // a whole prefix of the writes
            QCOMPARE(q.fieldByName("B")->asInteger(), n * 3000);
            QVERIFY(n >= previo);
            previo = n;
            q.database()->close();
            QThread::msleep(10);
        }
        parar = true;
        hilo->wait();
        delete hilo;
        QVERIFY2(errorHilo.isEmpty(), qPrintable(errorHilo));
        QVERIFY(escritos > 5);
        // a plain file is copied as it is
        QFile ini(carpeta() + "/CS.ini");
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Copia]\nFecha=1\n");
        ini.close();
        Database::copyFile(carpeta() + "/CS.ini", m_tmp.path() + "/copia/CS.ini");
        QFile c(m_tmp.path() + "/copia/CS.ini");
        QVERIFY(c.open(QIODevice::ReadOnly));
        QCOMPARE(c.readAll(), QByteArray("[Copia]\nFecha=1\n"));
        QVERIFY_THROWS_EXCEPTION(EInOutError, Database::copyFile(carpeta() + "/falta.db", m_tmp.path() + "/copia/x.db"));
    }
};

QTEST_GUILESS_MAIN(TestPuestos)
#include "tst_puestos.moc"
