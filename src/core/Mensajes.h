#pragma once
// The five message boxes. Every message to the user goes through them; they
// route to a replaceable sink (QMessageBox in the program, a recorder in tests,
// a file when PROVENDA_MENSAJES names one).
#include <QString>

enum class TipoMensaje { Error, Info, Atencion, Si, OK };

// Name of the kind as the scripted-run file writes it: error, info, atencion, si, ok.
QString nombreTipoMensaje(TipoMensaje tipo);

class SumideroMensajes {
public:
    virtual ~SumideroMensajes() = default;
    // Shows one box and answers true for Yes/OK, false for No/Cancel/Escape.
    // Error, Info and Atencion have one button; their answer is ignored.
    virtual bool mostrar(TipoMensaje tipo, const QString& texto, const QString& titulo) = 0;
};

// The sink in force. With none set: the PROVENDA_MENSAJES file sink when that
// variable names a file, otherwise a sink that prints to stderr and answers the
// default (first) button.
SumideroMensajes* sumideroMensajes();
// Replaces the sink (nullptr puts back the default); returns the previous one.
// The caller keeps ownership.
SumideroMensajes* ponerSumideroMensajes(SumideroMensajes* sumidero);
// True while PROVENDA_MENSAJES is set: the program's own QMessageBox sink must
// not replace the file sink.
bool mensajesGuionados();

void msError(const QString& texto, const QString& titulo);
void msInfo(const QString& texto, const QString& titulo);
void msAtencion(const QString& texto, const QString& titulo);
bool msSi(const QString& texto, const QString& titulo);
bool msOK(const QString& texto, const QString& titulo);
