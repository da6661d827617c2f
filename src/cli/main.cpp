// provenda-datos: the data-folder tool (master folder, demo companies).
#include "cli/HerramientaDatos.h"
#include "core/Errores.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>

namespace {

QTextStream& salida()
{
    static QTextStream s(stdout);
    return s;
}

QTextStream& errores()
{
    static QTextStream s(stderr);
    return s;
}

const char* const Uso =
    "Uso:\n"
    "  provenda-datos crear CARPETA [--codigo C] [--nombre N] [--clave K]\n"
    "      Crea la carpeta maestra: Empresa.db, Usuario.DB, la carpeta «tablas» con las\n"
    "      nueve tablas de empresa vacías y el primer usuario, de tipo Administrador\n"
    "      (código ADM y nombre Administrador si no se indican; sin contraseña si no se\n"
    "      indica). No modifica una carpeta que ya tenga tablas maestras.\n"
    "  provenda-datos demo CARPETA [--escala N]\n"
    "      Añade una empresa de demostración con el siguiente código libre (Emp1, Emp2, ...)\n"
    "      y los usuarios de demostración que falten. La escala multiplica el número de\n"
    "      registros (1: unas 500 ventas; 200: 100.000 ventas).\n";

int uso(const QString& motivo = {})
{
    if (!motivo.isEmpty())
        errores() << motivo << "\n";
    errores() << QString::fromUtf8(Uso);
    errores().flush();
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return uso(QStringLiteral("Falta la orden."));
    if (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        salida() << QString::fromUtf8(Uso);
        return 0;
    }
    const QString orden = args.takeFirst();
    if (args.isEmpty() || args.first().startsWith(QLatin1String("--")))
        return uso(QStringLiteral("Falta la carpeta de datos."));
    const QString carpeta = args.takeFirst();

    // Options as "--name value" pairs.
    QMap<QString, QString> opciones;
    while (!args.isEmpty()) {
        const QString o = args.takeFirst();
        if (!o.startsWith(QLatin1String("--")) || args.isEmpty())
            return uso(QStringLiteral("Opción no válida: %1").arg(o));
        opciones.insert(o.mid(2), args.takeFirst());
    }
    auto permitidas = [&](const QStringList& validas) {
        for (auto it = opciones.cbegin(); it != opciones.cend(); ++it)
            if (!validas.contains(it.key()))
                return false;
        return true;
    };

    try {
        if (orden == QLatin1String("crear")) {
            if (!permitidas({QStringLiteral("codigo"), QStringLiteral("nombre"), QStringLiteral("clave")}))
                return uso(QStringLiteral("Opción no válida para crear."));
            herramienta::OpcionesCrear o;
            o.carpeta = carpeta;
            o.codigo = opciones.value(QStringLiteral("codigo"), o.codigo);
            o.nombre = opciones.value(QStringLiteral("nombre"), o.nombre);
            o.clave = opciones.value(QStringLiteral("clave"));
            herramienta::crear(o);
            salida() << "Carpeta maestra creada en " << QDir::toNativeSeparators(QDir(carpeta).absolutePath())
                     << ": Empresa.db, Usuario.DB y 9 tablas en «tablas».\n"
                     << "Usuario " << o.codigo.trimmed().toUpper() << " (Administrador) "
                     << (o.clave.isEmpty() ? "sin contraseña" : "con contraseña") << ".\n";
            return 0;
        }
        if (orden == QLatin1String("demo")) {
            if (!permitidas({QStringLiteral("escala")}))
                return uso(QStringLiteral("Opción no válida para demo."));
            bool ok = true;
            const int escala = opciones.value(QStringLiteral("escala"), QStringLiteral("1")).toInt(&ok);
            if (!ok)
                return uso(QStringLiteral("La escala debe ser un número entero."));
            QElapsedTimer reloj;
            reloj.start();
            const herramienta::ResultadoDemo r = herramienta::demo(carpeta, escala);
            salida() << "Empresa " << r.codigo << " - " << r.nombre << " creada en "
                     << QDir::toNativeSeparators(r.carpeta) << " (" << reloj.elapsed() << " ms):\n"
                     << "  " << r.comerciales << " comerciales, " << r.clientes << " clientes, " << r.aparatos
                     << " aparatos, " << r.plus << " plus,\n"
                     << "  " << r.ventas << " ventas, " << r.cobros << " cobros, " << r.gastos << " gastos, "
                     << r.extras << " extras, " << r.facturas << " facturas.\n";
            if (r.usuariosNuevos > 0)
                salida() << "  " << r.usuariosNuevos << " usuarios de demostración añadidos.\n";
            return 0;
        }
        return uso(QStringLiteral("Orden desconocida: %1").arg(orden));
    } catch (const Excepcion& e) {
        errores() << e.mensaje() << "\n";
        return 1;
    } catch (const std::exception& e) {
        errores() << QString::fromUtf8(e.what()) << "\n";
        return 1;
    }
}
