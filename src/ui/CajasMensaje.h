#pragma once
// The program's message-box sink: a QMessageBox per kind, Spanish buttons,
// first button the default, Escape on msOK counts as Cancel.
#include "core/Mensajes.h"

class QMessageBox;

class CajasMensaje : public SumideroMensajes {
public:
    bool mostrar(TipoMensaje tipo, const QString& texto, const QString& titulo) override;
    // Builds the box without showing it (the caller owns it); used by mostrar()
    // and by tests that inspect icons and buttons.
    static QMessageBox* crearCaja(TipoMensaje tipo, const QString& texto, const QString& titulo);
};

// Installs one CajasMensaje as the sink unless a scripted run (PROVENDA_MENSAJES)
// is on or another sink is already installed.
void instalarCajasMensaje();
