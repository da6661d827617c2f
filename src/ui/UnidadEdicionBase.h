#pragma once
// The record edit window family: a modal dialog over the data module's edit
// table in one of the modes "nuevo", "modificar", "zoom" (Estado().Modo).
// The base holds what every member shares: captions per mode, Enter as Tab,
// Esc as Cancelar, no title-bar buttons, Aceptar (post, and on failure focus
// the member's box with the window still open), Cancelar, and the checks of
// the code, name and tax-identifier boxes when they are left. A member builds
// its boxes, registers them (TxtCodigo, TxtNombre, TxtNIF, ...) and overrides
// only its departures.
#include "engine/Motor.h"
#include "ui/ControlesDatos.h"

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <QSize>
#include <QString>
#include <functional>

class GrupoMoneda;
class QAbstractButton;
class QPushButton;

struct DescripcionEdicion {
    QString titulo;                  // before showing: "Alta/Modificación comercial"
    QSize tamano{392, 328};          // client area
    std::function<motor::Table*()> tabla;
    QString tablaEsquema;            // schema table of the duplicate checks: "Comercial"
    QString tituloNuevo, tituloModificar, tituloZoom;
    // Devices, bonus types and users open their table on every showing.
    bool abrirSiempre = false;
    // Closing closes the general query TC (users: not).
    bool cerrarTC = true;
    // Box-exit messages; an empty text leaves that check out.
    QString codigoVacio = QStringLiteral("El código debe contener un valor.");
    QString codigoDuplicado;         // "Ya existe un Comercial con este código."
    QString nombreVacio;             // "El nombre debe contener un valor."
    QString nombreDuplicado;         // "Ya existe un Comercial con este nombre."
    QString nifVacio;                // "El NIF debe contener un valor."
    QString nifDuplicado;            // "Ya existe un Comercial con este NIF."
    // Mode code of the selection window opened from the code box; 0: none.
    int tagSeleccion = 0;
    // Without a selection window, "+" in the code box is still swallowed (bonus types).
    bool tragarMas = false;
};

class TFormEdicion : public QDialog {
    Q_OBJECT
public:
    explicit TFormEdicion(DescripcionEdicion descripcion, QWidget* parent = nullptr);
    ~TFormEdicion() override;

    const DescripcionEdicion& descripcion() const { return m_d; }
    motor::Table* tabla() const;
    QString modo() const { return m_modo; }

    // Boxes and buttons the member registers (any may stay null).
    TDBEdit* TxtCodigo = nullptr;
    TDBEdit* TxtNombre = nullptr;
    TDBEdit* TxtNIF = nullptr;
    QAbstractButton* BSeleccionar = nullptr;
    QPushButton* BAceptar = nullptr;
    QPushButton* BCancelar = nullptr;
    // The box that takes the focus when posting fails; when showing in
    // "nuevo" / "modificar" (null: the first box of the tab order).
    QWidget* focoFallo = nullptr;
    QWidget* focoNuevo = nullptr;
    QWidget* focoModificar = nullptr;

    // Operations of the family.
    void FormShow();
    void FormClose();
    void BAceptarClick();
    void BCancelarClick();
    virtual void BSeleccionarClick();
    // Box-exit checks: true when the box passes (a failure has shown its
    // message, selected the box's text and put the focus back).
    bool TxtCodigoExit();
    bool TxtNombreExit();
    bool TxtNIFExit();

    // Adds a check run when `caja` is left; fn answers false after showing
    // its message (the base then selects the text and puts the focus back).
    void ponerComprobacion(QWidget* caja, std::function<bool()> fn);

    // A pesetas/euros group: toggled once on showing when "Introducir
    // Importes Euros" is on, and derived (in the order added) before posting.
    void ponerGrupoMoneda(GrupoMoneda* grupo) { m_grupos << grupo; }
    const QList<GrupoMoneda*>& gruposMoneda() const { return m_grupos; }

    // Every data-aware box of the window.
    QList<ControlDatos*> controles() const;

protected:
    // Call at the end of the member's constructor: wires the registered
    // boxes and buttons to the family's handlers.
    void terminarConstruccion();

    // Departures, run at the end of FormShow's mode step.
    virtual void alMostrarNuevo() {}        // the record was inserted: preset values
    virtual void alMostrarModificar() {}
    virtual void alMostrarZoom() {}
    // Run by Aceptar before posting (currency derivation); false stops.
    virtual bool antesDeGuardar() { return true; }
    // Where the focus goes when posting fails.
    virtual QWidget* focoAlFallar() const { return focoFallo; }

    // Shows a check's message, selects the box's text and focuses it again.
    void fallo(QWidget* caja, const QString& mensaje, const QString& titulo = QStringLiteral("Error..."));
    bool editable() const;

    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void reject() override;

private:
    void volverACaja(QWidget* caja);
    bool comprobarAlSalir(QWidget* caja, Qt::FocusReason razon);

    DescripcionEdicion m_d;
    QString m_modo;
    QHash<QWidget*, std::function<bool()>> m_comprobaciones;
    QList<GrupoMoneda*> m_grupos;
    bool m_mostrada = false;
    bool m_cerrada = false;
    bool m_comprobando = false;
    bool m_falloReciente = false;   // the last click failed a box's check
    bool m_filtro = false;
};
