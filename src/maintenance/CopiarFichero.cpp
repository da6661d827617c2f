#include "maintenance/CopiarFichero.h"

#include "core/Errores.h"
#include "core/EstadoAplicacion.h"
#include "core/Mensajes.h"
#include "data/UnidadDatos.h"
#include "engine/Motor.h"
#include "ui/UnidadI.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

QString rutaSinMayusculas(const QString& carpeta, const QString& relativa)
{
    QString actual = carpeta;
    if (!actual.isEmpty() && !actual.endsWith(QLatin1Char('/')) && !actual.endsWith(QLatin1Char('\\')))
        actual += QLatin1Char('/');
    QString base = actual;
    const QStringList partes = QString(relativa).replace(QLatin1Char('\\'), QLatin1Char('/'))
                                   .split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (int i = 0; i < partes.size(); ++i) {
        const QString& parte = partes[i];
        QString elegido = parte;
        const QDir dir(base.isEmpty() ? QStringLiteral(".") : base);
        if (!QFileInfo::exists(dir.filePath(parte))) {
            const QStringList entradas = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            for (const QString& e : entradas)
                if (e.compare(parte, Qt::CaseInsensitive) == 0) {
                    elegido = e;
                    break;
                }
        }
        base += elegido;
        if (i + 1 < partes.size())
            base += QLatin1Char('/');
    }
    return base;
}

bool existeSinMayusculas(const QString& carpeta, const QString& relativa)
{
    return QFileInfo::exists(rutaSinMayusculas(carpeta, relativa));
}

QStringList ficherosQueCoinciden(const QString& carpeta, const QString& mascara)
{
    QDir dir(carpeta);
    // "*.*" means every file, names without a dot included.
    const QString filtro = mascara == QLatin1String("*.*") ? QStringLiteral("*") : mascara;
    dir.setNameFilters({filtro});
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System); // name filters ignore case by default
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}

bool esFicheroDeBloqueo(const QString& nombre)
{
    return nombre.compare(QLatin1String("PARADOX.LCK"), Qt::CaseInsensitive) == 0
        || nombre.compare(QLatin1String("PDOXUSRS.LCK"), Qt::CaseInsensitive) == 0;
}

namespace progreso {

static TFormI* ventana()
{
    return FormI() ? FormI() : crearFormI();
}

void mostrar(const QString& texto)
{
    ventana()->empezar(texto, false);
}

void texto(const QString& texto)
{
    ventana()->paso(texto);
}

void cerrar(bool mostrarBarra)
{
    if (FormI())
        FormI()->terminar(mostrarBarra);
}

} // namespace progreso

namespace {

// Files that are never copied: the two lock files, and SQLite's
// rollback journals (a journal copied beside a consistent copy would be
// played back into it on the next open).
bool noSeCopia(const QString& nombre)
{
    return esFicheroDeBloqueo(nombre) || nombre.endsWith(QLatin1String("-journal"), Qt::CaseInsensitive)
        || nombre.endsWith(QLatin1String("-wal"), Qt::CaseInsensitive)
        || nombre.endsWith(QLatin1String("-shm"), Qt::CaseInsensitive);
}

void marcarFicherosIncompletos()
{
    TDatos* d = Datos();
    if (!d || !d->TEmpresa->isOpen() || d->TEmpresa->isEmpty())
        return;
    motor::Table* t = d->TEmpresa;
    if (t->state() == motor::Dataset::State::Browse)
        t->edit();
    t->fieldByName(QStringLiteral("Ficheros"))->setValue(false);
    t->post();
}

} // namespace

bool CopiarFichero(const QString& origen, const QString& destino, const QString& mascara,
                   const QString& prefijo, bool conservarExistentes)
{
    const QStringList ficheros = ficherosQueCoinciden(origen, mascara);
    const QStringList yaEstan = ficherosQueCoinciden(destino, QStringLiteral("*"));
    const QDir dirOrigen(origen);
    const QDir dirDestino(destino);
    for (const QString& nombre : ficheros) {
        if (noSeCopia(nombre) || (conservarExistentes && yaEstan.contains(nombre, Qt::CaseInsensitive)))
            continue;
        if (Estado().MostrarProgreso)
            progreso::texto(prefijo + nombre);
        const QString de = dirOrigen.filePath(nombre);
        // A file of the same name in another case is the same table: it is
        // replaced, never doubled ("VENTA.DB" beside "Venta.db").
        QString nombreDestino = nombre;
        for (const QString& e : yaEstan)
            if (e.compare(nombre, Qt::CaseInsensitive) == 0)
                nombreDestino = e;
        const QString a = dirDestino.filePath(nombreDestino);
        QString fallo;
        try {
            motor::Database::copyFile(de, a);
        } catch (const Excepcion& e) {
            fallo = e.mensaje();
        }
        if (fallo.isNull())
            continue;
        const bool seguir = msOK(
            QStringLiteral("No se ha podido realizar la copia de ficheros. Inténtelo en otro momento.\n\n"
                           "Error ->  No se ha podido copiar el fichero: ")
                + QDir::toNativeSeparators(de) + QStringLiteral("\n en la ruta: ")
                + QDir::toNativeSeparators(a)
                + QStringLiteral("\n\n  · Pulse \"Aceptar\" para continuar con el proceso."
                                 "  · Pulse \"Cancelar\" para anular el proceso."),
            QStringLiteral("Error al copiar fichero..."));
        if (!seguir) {
            progreso::cerrar();
            while (QApplication::overrideCursor())
                QApplication::restoreOverrideCursor();
            marcarFicherosIncompletos();
            return false;
        }
    }
    return true;
}
