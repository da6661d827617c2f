#pragma once
// The only place that knows the operating system.
#include <QString>
#include <QStringList>
#include <memory>

namespace plataforma {

// Program folder: PROVENDA_HOME when set, else the executable's folder when
// writable, else the XDG data folder. Always ends in '/'.
QString carpetaPrograma();
// Program name without extension ("provenda"); INI and LOG are built from it.
QString nombrePrograma();
// carpetaPrograma() + nombrePrograma() + ext (ext like ".INI", ".LOG").
QString rutaConExtension(const QString& ext);

// Single instance per machine: a lock file in the machine's temp folder named
// by the title. adquirir() is false when another live process holds it.
class InstanciaUnica {
public:
    explicit InstanciaUnica(const QString& titulo);
    ~InstanciaUnica();
    bool adquirir();
private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// A folder on a network file system (nfs, cifs, smb3, sshfs, ...) or in UNC form.
bool esRutaDeRed(const QString& ruta);

// Desktop tools; false when none is found.
bool abrirCalculadora();
bool abrirEditorTexto();
bool abrirUrl(const QString& url);

// Automatic start through XDG autostart entries: kind is "Run", "RunOnce" or
// "RunServices"; false when the entry cannot be written or removed.
bool ponerInicioAutomatico(const QString& tipo, bool activo);
bool inicioAutomatico(const QString& tipo);

} // namespace plataforma
