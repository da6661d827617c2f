#include "core/Utilidades.h"
#include "data/Claves.h"
#include "data/Esquema.h"
#include "engine/Motor.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

namespace {

struct Salida {
    int codigo = -1;
    QString out, err;
};

Salida ejecuta(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(PROVENDA_DATOS), args);
    if (!p.waitForFinished(120000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

QByteArray huella(const QString& carpeta)
{
    QCryptographicHash h(QCryptographicHash::Sha256);
    QDir dir(carpeta);
    for (const QString& f : dir.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        h.addData(f.toUtf8());
        const QFileInfo fi(dir.filePath(f));
        if (fi.isDir()) {
            h.addData(huella(fi.filePath()));
        } else {
            QFile file(fi.filePath());
            if (file.open(QIODevice::ReadOnly))
                h.addData(file.readAll());
        }
    }
    return h.result();
}

// One value of an SQL statement over a folder of tables.
QVariant valor(const QString& carpeta, const QString& sql)
{
    motor::Query q;
    q.setFolder(carpeta);
    q.addLine(sql);
    q.open();
    const QVariant v = q.field(0)->value();
    q.close();
    return v;
}

} // namespace

class TestHerramienta : public QObject {
    Q_OBJECT
private slots:
    void crear();
    void crearConUsuarioYClave();
    void segundoCrearNoToca_data();
    void segundoCrearNoToca();
    void demo();
    void demoDeterminista();
    void demoSinCarpetaMaestra();
    void argumentos_data();
    void argumentos();
};

void TestHerramienta::crear()
{
    QTemporaryDir dir;
    const QString base = dir.path() + "/maestra";
    const Salida s = ejecuta({"crear", base});
    QCOMPARE(s.codigo, 0);
    QVERIFY(QFile::exists(base + "/Empresa.db"));
    QVERIFY(QFile::exists(base + "/Usuario.DB"));
    for (const QString& n : esquema::tablasEmpresa()) {
        const esquema::Tabla& t = esquema::tabla(n);
        const QString f = base + "/tablas/" + t.fichero;
        QVERIFY2(QFile::exists(f), qPrintable(f));
        QCOMPARE(motor::Database::fieldDefs(f).size(), t.definicion().fields.size());
        QCOMPARE(valor(base + "/tablas", "SELECT count(*) FROM " + t.nombre).toInt(), 0);
    }
    QCOMPARE(valor(base, "SELECT count(*) FROM Empresa").toInt(), 0);
    QCOMPARE(valor(base, "SELECT count(*) FROM Usuario").toInt(), 1);
    QCOMPARE(valor(base, "SELECT Codigo FROM Usuario").toString(), QStringLiteral("ADM"));
    QCOMPARE(valor(base, "SELECT Nombre FROM Usuario").toString(), QStringLiteral("Administrador"));
    QCOMPARE(valor(base, "SELECT Tipo FROM Usuario").toString(), QStringLiteral("Administrador"));
    QVERIFY(!claves::tieneClave(valor(base, "SELECT Clave FROM Usuario")));
}

void TestHerramienta::crearConUsuarioYClave()
{
    QTemporaryDir dir;
    const QString clave = QStringLiteral("Muñeca'7\"");
    const Salida s = ejecuta({"crear", dir.path(), "--codigo", "jefe", "--nombre", "Jefa de Ventas", "--clave", clave});
    QCOMPARE(s.codigo, 0);
    QVERIFY(!s.out.contains(clave) && !s.err.contains(clave));
    QCOMPARE(valor(dir.path(), "SELECT Codigo FROM Usuario").toString(), QStringLiteral("JEFE"));
    const QVariant guardada = valor(dir.path(), "SELECT Clave FROM Usuario");
    QVERIFY(claves::verifica(guardada, clave));
    QVERIFY(!claves::verifica(guardada, "otra"));
    QFile f(dir.path() + "/Usuario.DB");
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(!f.readAll().contains(clave.toUtf8()));
}

void TestHerramienta::segundoCrearNoToca_data()
{
    QTest::addColumn<QString>("existente");
    QTest::newRow("carpeta ya creada") << "";
    QTest::newRow("solo usuarios, en minúsculas") << "usuario.db";
    QTest::newRow("solo una plantilla") << "tablas/Venta.db";
}

void TestHerramienta::segundoCrearNoToca()
{
    QFETCH(QString, existente);
    QTemporaryDir dir;
    if (existente.isEmpty()) {
        QCOMPARE(ejecuta({"crear", dir.path()}).codigo, 0);
    } else {
        QDir().mkpath(QFileInfo(dir.filePath(existente)).path());
        QFile f(dir.filePath(existente));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("datos del usuario");
    }
    const QByteArray antes = huella(dir.path());
    const Salida s = ejecuta({"crear", dir.path(), "--clave", "x"});
    QVERIFY(s.codigo > 0);
    QVERIFY2(s.err.contains("ya contiene tablas maestras"), qPrintable(s.err));
    QCOMPARE(huella(dir.path()), antes);
}

void TestHerramienta::demo()
{
    QTemporaryDir dir;
    QCOMPARE(ejecuta({"crear", dir.path()}).codigo, 0);
    const Salida s = ejecuta({"demo", dir.path()});
    QVERIFY2(s.codigo == 0, qPrintable(s.err));
    const QString emp = dir.path() + "/Emp1";

    // The engine opens the company and its joins as the program does.
    motor::Database db(nullptr, "Provenda");
    db.setPath(emp);
    db.open();
    QCOMPARE(db.tableNames().size(), 9);
    auto cuenta = [&](const QString& sql) {
        motor::Query q;
        q.setDatabase(&db);
        q.addLine(sql);
        q.open();
        return q.field(0)->asInteger();
    };
    QCOMPARE(cuenta("SELECT count(*) FROM Venta"), 500);
    QCOMPARE(cuenta("SELECT count(*) FROM Venta c, Comercial co, Cliente cl, Aparato ap WHERE c.CodigoCliente = cl.Codigo"
                    " AND c.CodigoComercial = co.Codigo AND c.CodigoAparato = ap.Codigo"), 500);
    QVERIFY(cuenta("SELECT count(*) FROM Comercial") >= 10);
    QVERIFY(cuenta("SELECT count(*) FROM Cliente") >= 100);
    for (const char* t : {"Aparato", "Plus", "Cobro", "Gasto", "Extra", "Factura"})
        QVERIFY2(cuenta(QStringLiteral("SELECT count(*) FROM %1").arg(t)) > 0, t);
    QCOMPARE(cuenta("SELECT count(*) FROM Cobro c, Cliente cl WHERE c.CodigoCliente = cl.Codigo"),
             cuenta("SELECT count(*) FROM Cobro"));

    // Valid NIF letters; euro twins at 166.386.
    motor::Table com;
    com.setDatabase(&db);
    com.setTableName("Comercial.DB");
    com.open();
    for (com.first(); !com.eof(); com.next()) {
        const QString nif = com.fieldByName("NIF")->asString();
        QCOMPARE(nif.size(), 10);
        QCOMPARE(nif.at(8), QLatin1Char('-'));
        QCOMPARE(LetraNif(nif.left(8)), nif.at(9));
    }
    motor::Table ven;
    ven.setDatabase(&db);
    ven.setTableName("Venta.db");
    ven.open();
    for (ven.first(); !ven.eof(); ven.next()) {
        const double pts = ven.fieldByName("Importe")->asFloat();
        QVERIFY(pts > 0);
        QVERIFY(std::fabs(ven.fieldByName("ImporteE")->asFloat() * 166.386 - pts) < 1e-6);
        QVERIFY(ven.fieldByName("Fecha")->asDate().year() == 2004);
    }

    QCOMPARE(valor(dir.path(), "SELECT Codigo FROM Empresa").toInt(), 1);
    QCOMPARE(valor(dir.path(), "SELECT Moneda FROM Empresa").toString(), QStringLiteral("pta"));
    QCOMPARE(valor(dir.path(), "SELECT Cambio FROM Empresa").toDouble(), 166.386);
    QVERIFY(!valor(dir.path(), "SELECT Nombre FROM Empresa").toString().isEmpty());
    QCOMPARE(valor(dir.path(), "SELECT FechaAlta FROM Empresa").toDate(), QDate(2004, 1, 1));
    QCOMPARE(valor(dir.path(), "SELECT count(*) FROM Usuario WHERE Tipo = 'Consulta'").toInt(), 1);
    const int usuarios = valor(dir.path(), "SELECT count(*) FROM Usuario").toInt();
    QVERIFY(usuarios > 2);

    // A second demo adds Emp2 and leaves Emp1 and the users as they were.
    const QByteArray antes = huella(emp);
    const Salida s2 = ejecuta({"demo", dir.path()});
    QVERIFY2(s2.codigo == 0, qPrintable(s2.err));
    QVERIFY(QFileInfo(dir.path() + "/Emp2").isDir());
    QCOMPARE(huella(emp), antes);
    QCOMPARE(valor(dir.path(), "SELECT count(*) FROM Empresa").toInt(), 2);
    QCOMPARE(valor(dir.path(), "SELECT count(*) FROM Usuario").toInt(), usuarios);
}

void TestHerramienta::demoDeterminista()
{
    QTemporaryDir a, b;
    for (const QTemporaryDir* d : {&a, &b}) {
        QCOMPARE(ejecuta({"crear", d->path()}).codigo, 0);
        QCOMPARE(ejecuta({"demo", d->path(), "--escala", "3"}).codigo, 0);
    }
    const QString sql = "SELECT count(*) || '|' || sum(Importe) || '|' || max(Fecha) || '|' || min(CodigoCliente) FROM Venta";
    QCOMPARE(valor(a.path() + "/Emp1", sql), valor(b.path() + "/Emp1", sql));
    QCOMPARE(valor(a.path() + "/Emp1", "SELECT count(*) FROM Venta").toInt(), 1500);
    QCOMPARE(valor(a.path() + "/Emp1", "SELECT group_concat(NIF) FROM Comercial"),
             valor(b.path() + "/Emp1", "SELECT group_concat(NIF) FROM Comercial"));
}

void TestHerramienta::demoSinCarpetaMaestra()
{
    QTemporaryDir dir;
    const Salida s = ejecuta({"demo", dir.path()});
    QCOMPARE(s.codigo, 1);
    QVERIFY2(s.err.contains("provenda-datos crear"), qPrintable(s.err));
    QVERIFY(!QFileInfo(dir.path() + "/Emp1").exists());
}

void TestHerramienta::argumentos_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("codigo");
    QTest::newRow("sin orden") << QStringList{} << 2;
    QTest::newRow("orden desconocida") << QStringList{"borrar", "x"} << 2;
    QTest::newRow("sin carpeta") << QStringList{"crear"} << 2;
    QTest::newRow("opcion ajena") << QStringList{"demo", "x", "--clave", "k"} << 2;
    QTest::newRow("escala no numerica") << QStringList{"demo", "x", "--escala", "mucha"} << 2;
    QTest::newRow("codigo largo") << QStringList{"crear", "@TMP", "--codigo", "ABCDE"} << 1;
}

void TestHerramienta::argumentos()
{
    QFETCH(QStringList, args);
    QFETCH(int, codigo);
    QTemporaryDir dir;
    args.replaceInStrings("@TMP", dir.path());
    const Salida s = ejecuta(args);
    QCOMPARE(s.codigo, codigo);
    QVERIFY(!s.err.isEmpty());
    QVERIFY(!QFile::exists(dir.path() + "/Usuario.DB"));
}

QTEST_GUILESS_MAIN(TestHerramienta)
#include "tst_herramienta.moc"
