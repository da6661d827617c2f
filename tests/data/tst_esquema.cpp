#include "data/Esquema.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using esquema::Carpeta;
using motor::FieldType;

class TestEsquema : public QObject {
    Q_OBJECT
private slots:
    void tablas_data();
    void tablas();
    void buscaPorCualquierNombre();
    void etiquetas_data();
    void etiquetas();
    void coherencia();
    void definicion();
    void consultas();
    void ficheroSinMayusculas();
};

void TestEsquema::tablas_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("fichero");
    QTest::addColumn<int>("carpeta");
    QTest::addColumn<QString>("objeto");
    QTest::addColumn<QString>("consulta");
    const int E = int(Carpeta::Empresa), M = int(Carpeta::Maestra);
    QTest::newRow("Comercial") << "Comercial" << "Comercial.DB" << E << "TComercial" << "TCComercial";
    QTest::newRow("Cliente") << "Cliente" << "Cliente.DB" << E << "TCliente" << "TCCliente";
    QTest::newRow("Aparato") << "Aparato" << "Aparato.DB" << E << "TAparato" << "TCAparato";
    QTest::newRow("Plus") << "Plus" << "Plus.DB" << E << "TPlus" << "TCPlus";
    QTest::newRow("Venta") << "Venta" << "Venta.db" << E << "TVenta" << "TCVenta";
    QTest::newRow("Cobro") << "Cobro" << "Cobro.DB" << E << "TCobro" << "TCCobro";
    QTest::newRow("Gasto") << "Gasto" << "Gasto.DB" << E << "TComercialGasto" << "TCComercialGasto";
    QTest::newRow("Extra") << "Extra" << "Extra.DB" << E << "TExtra" << "TCExtra";
    QTest::newRow("Factura") << "Factura" << "Factura.db" << E << "TFactura" << "TCFactura";
    QTest::newRow("Usuario") << "Usuario" << "Usuario.DB" << M << "TUsuario" << "TCUsuario";
    QTest::newRow("Empresa") << "Empresa" << "Empresa.db" << M << "TEmpresa" << "TCEmpresa";
}

void TestEsquema::tablas()
{
    QFETCH(QString, nombre);
    QFETCH(QString, fichero);
    QFETCH(int, carpeta);
    QFETCH(QString, objeto);
    QFETCH(QString, consulta);
    const esquema::Tabla& t = esquema::tabla(nombre);
    QCOMPARE(t.fichero, fichero);
    QCOMPARE(int(t.carpeta), carpeta);
    QCOMPARE(t.objeto, objeto);
    QCOMPARE(t.consulta, consulta);
    QCOMPARE(esquema::tablas().size(), 11);
    QCOMPARE(esquema::tablasEmpresa().size(), 9);
}

void TestEsquema::buscaPorCualquierNombre()
{
    QCOMPARE(esquema::buscaTabla("venta.DB")->nombre, QStringLiteral("Venta"));
    QCOMPARE(esquema::buscaTabla("tcomercialgasto")->nombre, QStringLiteral("Gasto"));
    QCOMPARE(esquema::buscaTabla("TCFactura")->nombre, QStringLiteral("Factura"));
    QVERIFY(!esquema::buscaTabla("Comercial; drop table Venta"));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, esquema::tabla("Nada"));
    QVERIFY(esquema::campo("comercial", "nif"));
    QVERIFY(!esquema::campo("Comercial", "Nada"));
    QVERIFY(!esquema::campo("Nada", "NIF"));
}

void TestEsquema::etiquetas_data()
{
    QTest::addColumn<QString>("tabla");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("deTabla");
    QTest::addColumn<QString>("deConsulta");
    QTest::newRow("nif") << "Comercial" << "NIF" << "N.I.F." << "N.I.F.";
    QTest::newRow("codigo") << "Comercial" << "Codigo" << "Código" << "Código";
    QTest::newRow("sin etiqueta") << "Venta" << "Fecha" << "Fecha" << "Fecha";
    QTest::newRow("euros") << "Aparato" << "ImporteVentaE" << "Importe Venta (€)" << "Importe Venta (€)";
    QTest::newRow("clave") << "Usuario" << "Clave" << "Clave" << "Contraseña";
    QTest::newRow("inicio") << "Empresa" << "FechaAlta" << "FechaAlta" << "Inicio";
    QTest::newRow("fin") << "Empresa" << "FechaBaja" << "FechaBaja" << "Fin";
    QTest::newRow("email") << "Cliente" << "EMail" << "EMail" << "E-Mail";
    QTest::newRow("busqueda") << "Venta" << "NombreComercial" << "Nombre Comercial" << "";
    QTest::newRow("unida comercial") << "Factura" << "Comercial" << "" << "Comercial";
    QTest::newRow("unida aparato") << "Venta" << "Aparato" << "" << "Aparato";
    QTest::newRow("cobro sin aparato") << "Cobro" << "Aparato" << "" << "";
    QTest::newRow("gasto cliente") << "Gasto" << "Cliente" << "" << "";
}

void TestEsquema::etiquetas()
{
    QFETCH(QString, tabla);
    QFETCH(QString, campo);
    QFETCH(QString, deTabla);
    QFETCH(QString, deConsulta);
    QCOMPARE(esquema::etiqueta(tabla, campo), deTabla);
    QCOMPARE(esquema::etiquetaConsulta(tabla, campo), deConsulta);
}

// Rules every table must keep: a key, euro twins, masks, lookups that resolve.
void TestEsquema::coherencia()
{
    for (const esquema::Tabla& t : esquema::tablas()) {
        const esquema::Campo* clave = t.campo("Codigo");
        QVERIFY2(clave && !clave->esBusqueda(), qPrintable(t.nombre));
        for (const esquema::Campo& c : t.campos) {
            const QString donde = t.nombre + "." + c.nombre;
            if (c.esPesetas()) {
                const esquema::Campo* e = t.campo(t.campoEuros(c.nombre));
                QVERIFY2(e, qPrintable(donde));
                QCOMPARE(e->tipo, FieldType::Float);
                QCOMPARE(e->formato, esquema::FormatoEuros);
            }
            if (c.tipo == FieldType::Date)
                QCOMPARE(c.mascara, esquema::MascaraFecha);
            if (c.esBusqueda()) {
                const esquema::Campo* k = t.campo(c.busqueda->campoClave);
                QVERIFY2(k && !k->esBusqueda(), qPrintable(donde));
                const esquema::Tabla* o = esquema::buscaTabla(c.busqueda->tablaOrigen);
                QVERIFY2(o && o->carpeta == Carpeta::Empresa, qPrintable(donde));
                QVERIFY2(o->campo(c.busqueda->campoResultado), qPrintable(donde));
                QVERIFY2(!t.campoConsulta(c.nombre) || c.nombre == "LIVA", qPrintable(donde));
            }
        }
    }
    QCOMPARE(esquema::campo("Venta", "Cobrada")->textosBool, esquema::TextosSiNo);
    QCOMPARE(esquema::campo("Comercial", "IVA")->textosBool, esquema::TextosSiNo);
    QCOMPARE(esquema::campo("Comercial", "NIF")->ancho, 12);
    QCOMPARE(esquema::campo("Factura", "DNIComercial")->busqueda->campoResultado, QStringLiteral("NIF"));
    QCOMPARE(esquema::tabla("Aparato").campoEuros("ImporteComision"), QStringLiteral("ImporteComisionE"));
    QCOMPARE(esquema::tabla("Aparato").campoEuros("Nombre"), QString());
}

void TestEsquema::definicion()
{
    const motor::TableDef v = esquema::tabla("Venta").definicion();
    QCOMPARE(v.fileName, QStringLiteral("Venta.db"));
    QCOMPARE(v.keyField, QStringLiteral("Codigo"));
    QCOMPARE(v.fields.size(), 11); // 14 declared, 3 lookups
    for (const motor::FieldDef& f : v.fields)
        QVERIFY(!f.name.startsWith("Nombre"));

    auto busca = [](const motor::TableDef& d, const QString& n) {
        for (const motor::FieldDef& f : d.fields)
            if (f.name == n)
                return f;
        return motor::FieldDef{};
    };
    const motor::TableDef c = esquema::tabla("Comercial").definicion();
    QCOMPARE(busca(c, "NIF").size, 20);
    QVERIFY(busca(c, "NIF").required);
    QVERIFY(busca(c, "Nombre").required);
    QVERIFY(!busca(c, "Codigo").required);
    QCOMPARE(busca(c, "CCCDC").size, 2);
    QCOMPARE(busca(c, "Observacion").type, FieldType::Memo);
    // A crypto_pwhash_str hash is about 100 characters.
    QVERIFY(busca(esquema::tabla("Usuario").definicion(), "Clave").size >= 100);
    QCOMPARE(busca(esquema::tabla("Cobro").definicion(), "Codigo").type, FieldType::AutoInc);
    QCOMPARE(busca(esquema::tabla("Empresa").definicion(), "Logotipo").type, FieldType::Graphic);
    QVERIFY(busca(esquema::tabla("Empresa").definicion(), "Nombre").required);
}

void TestEsquema::consultas()
{
    for (const esquema::Tabla& t : esquema::tablas()) {
        const QString sql = t.sqlConsulta.join(' ');
        QVERIFY2(!sql.contains("co.Comercial"), qPrintable(t.consulta));
        QVERIFY2(sql.contains("from " + t.nombre.toLower()), qPrintable(t.consulta));
    }
    QCOMPARE(esquema::tabla("Venta").sqlConsulta.size(), 5);
    QCOMPARE(esquema::tabla("Venta").sqlConsulta.first(),
             QStringLiteral("select  c.*, co.Nombre Comercial, cl.Nombre Cliente, ap.Nombre Aparato"));
    QVERIFY(esquema::tabla("Factura").sqlConsulta.join(' ').contains("co.IVA LIVA"));
    QCOMPARE(esquema::campoConsulta("Factura", "LIVA")->tipo, FieldType::Boolean);
    QCOMPARE(esquema::campoConsulta("Venta", "Cliente")->tamano, 150);
}

void TestEsquema::ficheroSinMayusculas()
{
    QTemporaryDir dir;
    const esquema::Tabla& c = esquema::tabla("Comercial");
    QVERIFY(!esquema::existeFichero(dir.path(), c));
    QCOMPARE(esquema::rutaFichero(dir.path(), c), dir.path() + "/Comercial.DB");
    QFile f(dir.path() + "/comercial.db");
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(esquema::existeFichero(dir.path() + "/", c));
    QCOMPARE(esquema::rutaFichero(dir.path(), c), dir.path() + "/comercial.db");
}

QTEST_GUILESS_MAIN(TestEsquema)
#include "tst_esquema.moc"
