#pragma once
// Test support: a temporary program folder, a message-box recorder with
// scripted answers, and a helper that answers a modal dialog opened by exec().
#include "core/Mensajes.h"

#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>

// A temporary program folder: PROVENDA_HOME points at it while the object lives,
// so tests never touch real settings. ruta() ends in '/'. XDG_CONFIG_HOME points
// at ruta() + "xdg/" too (automatic-start entries). Both are put back on exit.
class CarpetaPrograma {
public:
    CarpetaPrograma();
    ~CarpetaPrograma();
    QString ruta() const;
    QString archivo(const QString& nombre) const { return ruta() + nombre; }
private:
    QTemporaryDir m_dir;
    QByteArray m_anterior;
    bool m_habia = false;
    QByteArray m_anteriorXdg;
    bool m_habiaXdg = false;
};

struct MensajeGrabado {
    TipoMensaje tipo;
    QString texto;
    QString titulo;
};

// Replaces the message sink while it lives. Each box is recorded; a question
// (msSi, msOK) is answered with the next scripted answer, or with the default
// (first) button when the script is empty (true for Yes/OK). Error, info and
// warning boxes do not use up scripted answers.
class GrabadorMensajes : public SumideroMensajes {
public:
    GrabadorMensajes();
    ~GrabadorMensajes() override;
    void responder(bool respuesta);             // queue one answer
    void responder(std::initializer_list<bool> respuestas);
    // Runs when a box is shown (for example to check focus or state), before answering.
    std::function<void(const MensajeGrabado&)> alMostrar;
    bool mostrar(TipoMensaje tipo, const QString& texto, const QString& titulo) override;
    QList<MensajeGrabado> mensajes;
    void limpiar() { mensajes.clear(); }
    // "kind|caption|text" of every box, for one-line QCOMPAREs.
    QStringList resumen() const;
private:
    QList<bool> m_respuestas;
    SumideroMensajes* m_anterior = nullptr;
};

// "kind|caption|text" for one expected box (kind as nombreTipoMensaje()).
QString mensaje(TipoMensaje tipo, const QString& titulo, const QString& texto);

// Runs fn on the next modal widget that becomes active (a dialog opened with
// exec()), polling from the event loop for at most msMax. fn usually answers
// it (clicks a button, calls reject()). Call it before the code that opens
// the dialog.
void alAbrirModal(std::function<void(QWidget* dialogo)> fn, int msMax = 5000);
