#include "platform/Plataforma.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStorageInfo>

namespace plataforma {

namespace {

QString conBarra(QString ruta)
{
    ruta = QDir::fromNativeSeparators(ruta);
    if (!ruta.endsWith(QLatin1Char('/')))
        ruta += QLatin1Char('/');
    return ruta;
}

QString rutaEjecutable()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
#ifdef Q_OS_LINUX
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
#else
    return QString();
#endif
}

bool carpetaEscribible(const QString& carpeta)
{
    if (carpeta.isEmpty())
        return false;
    // QFileInfo::isWritable ignores ACLs and read-only mounts: try for real.
    QFile prueba(conBarra(carpeta) + QStringLiteral(".provenda-escritura"));
    if (!prueba.open(QIODevice::WriteOnly))
        return false;
    prueba.close();
    prueba.remove();
    return true;
}

bool lanzarPrimero(const QStringList& programas, const QStringList& argumentos = {})
{
    for (const QString& p : programas) {
        const QString ruta = QStandardPaths::findExecutable(p);
        if (!ruta.isEmpty() && QProcess::startDetached(ruta, argumentos))
            return true;
    }
    return false;
}

} // namespace

QString carpetaPrograma()
{
    const QString home = qEnvironmentVariable("PROVENDA_HOME");
    if (!home.isEmpty()) {
        QDir().mkpath(home);
        return conBarra(QFileInfo(home).absoluteFilePath());
    }
    const QString exe = rutaEjecutable();
    if (!exe.isEmpty()) {
        const QString carpeta = QFileInfo(exe).absolutePath();
        if (carpetaEscribible(carpeta))
            return conBarra(carpeta);
    }
    const QString datos = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/provenda");
    QDir().mkpath(datos);
    return conBarra(datos);
}

QString nombrePrograma()
{
    // Fixed, so the program, its tools and the tests agree on one settings file.
    return QStringLiteral("provenda");
}

QString rutaConExtension(const QString& ext)
{
    return carpetaPrograma() + nombrePrograma() + ext;
}

// ---------------------------------------------------------------------------

struct InstanciaUnica::Impl {
    std::unique_ptr<QLockFile> cerrojo;
};

InstanciaUnica::InstanciaUnica(const QString& titulo) : d(std::make_unique<Impl>())
{
    // An isolated program folder (tests, captures) gets its own lock, so those
    // runs never meet each other nor a copy the user is running.
    const QString home = qEnvironmentVariable("PROVENDA_HOME");
    const QString carpeta = home.isEmpty() ? QDir::tempPath() : carpetaPrograma();
    QString nombre = titulo;
    for (QChar& c : nombre)
        if (!c.isLetterOrNumber())
            c = QLatin1Char('_');
    d->cerrojo = std::make_unique<QLockFile>(conBarra(carpeta) + nombre + QStringLiteral(".lock"));
    // Never stale by age: only a dead owner frees it (QLockFile checks the PID).
    d->cerrojo->setStaleLockTime(0);
}

InstanciaUnica::~InstanciaUnica() = default;

bool InstanciaUnica::adquirir()
{
    if (d->cerrojo->isLocked())
        return true;
    if (d->cerrojo->tryLock(0))
        return true;
    // Could not even create the lock (no temp folder...): the check is skipped.
    return d->cerrojo->error() != QLockFile::LockFailedError;
}

// ---------------------------------------------------------------------------

bool esRutaDeRed(const QString& ruta)
{
    if (ruta.size() > 2 && ruta.at(0) == QLatin1Char('\\') && ruta.at(1) == QLatin1Char('\\')
        && ruta.at(2) != QLatin1Char('\\'))
        return true;
    if (ruta.isEmpty() || !QFileInfo::exists(ruta))
        return false;
    const QStorageInfo info(ruta);
    if (!info.isValid())
        return false;
    const QString tipo = QString::fromLatin1(info.fileSystemType()).toLower();
    static const QStringList red = {
        QStringLiteral("nfs"), QStringLiteral("nfs4"), QStringLiteral("cifs"), QStringLiteral("smb3"),
        QStringLiteral("smbfs"), QStringLiteral("smb2"), QStringLiteral("sshfs"), QStringLiteral("fuse.sshfs"),
        QStringLiteral("afs"), QStringLiteral("ncpfs"), QStringLiteral("9p"), QStringLiteral("davfs"),
        QStringLiteral("fuse.davfs"), QStringLiteral("glusterfs"), QStringLiteral("fuse.glusterfs"),
        QStringLiteral("ceph"), QStringLiteral("fuse.gvfsd-fuse")};
    return red.contains(tipo);
}

bool abrirCalculadora()
{
#ifdef Q_OS_WIN
    return lanzarPrimero({QStringLiteral("calc.exe")});
#else
    return lanzarPrimero({QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                          QStringLiteral("mate-calc"), QStringLiteral("galculator"),
                          QStringLiteral("qalculate-gtk"), QStringLiteral("qalculate-qt"),
                          QStringLiteral("speedcrunch"), QStringLiteral("xcalc")});
#endif
}

bool abrirEditorTexto()
{
#ifdef Q_OS_WIN
    return lanzarPrimero({QStringLiteral("notepad.exe")});
#else
    return lanzarPrimero({QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"),
                          QStringLiteral("kwrite"), QStringLiteral("kate"), QStringLiteral("mousepad"),
                          QStringLiteral("pluma"), QStringLiteral("xed"), QStringLiteral("featherpad"),
                          QStringLiteral("leafpad"), QStringLiteral("l3afpad"), QStringLiteral("geany"),
                          QStringLiteral("xedit")});
#endif
}

bool abrirUrl(const QString& url)
{
#ifdef Q_OS_WIN
    return QProcess::startDetached(QStringLiteral("cmd"), {QStringLiteral("/c"), QStringLiteral("start"), QString(), url});
#else
    if (lanzarPrimero({QStringLiteral("xdg-open")}, {url}))
        return true;
    return lanzarPrimero({QStringLiteral("gio")}, {QStringLiteral("open"), url});
#endif
}

// ---------------------------------------------------------------------------

namespace {
QString archivoAutoarranque(const QString& tipo)
{
    const QString carpeta = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/autostart/");
    return carpeta + QStringLiteral("provenda-") + tipo.toLower() + QStringLiteral(".desktop");
}

QString citar(const QString& s)
{
    QString r = s;
    r.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + r + QLatin1Char('"');
}
} // namespace

bool ponerInicioAutomatico(const QString& tipo, bool activo)
{
    if (tipo != QLatin1String("Run") && tipo != QLatin1String("RunOnce") && tipo != QLatin1String("RunServices"))
        return false;
    const QString archivo = archivoAutoarranque(tipo);
    if (!activo)
        return !QFileInfo::exists(archivo) || QFile::remove(archivo);
    if (!QDir().mkpath(QFileInfo(archivo).absolutePath()))
        return false;
    const QString exe = rutaEjecutable();
    QString exec = citar(exe);
    if (tipo == QLatin1String("RunOnce")) {
        // The entry removes itself before starting the program.
        exec = QStringLiteral("sh -c %1").arg(
            citar(QStringLiteral("rm -f '%1'; exec '%2'").arg(archivo, exe)));
    }
    QSaveFile f(archivo);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QByteArray texto = "[Desktop Entry]\nType=Application\nName=Provenda\n";
    texto += "Exec=" + exec.toUtf8() + "\n";
    texto += "X-GNOME-Autostart-enabled=true\n";
    if (tipo == QLatin1String("RunServices"))
        texto += "X-GNOME-Autostart-Phase=Initialization\n";
    f.write(texto);
    return f.commit();
}

bool inicioAutomatico(const QString& tipo)
{
    return QFileInfo::exists(archivoAutoarranque(tipo));
}

} // namespace plataforma
