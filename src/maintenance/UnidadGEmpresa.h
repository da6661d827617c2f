#pragma once
// The company edit window, a member of the edit-window family. A new
// company's folder is made and filled from the template folder after the row
// is posted; a change to the open company reopens it.
#include "ui/UnidadEdicionBase.h"

#include <functional>

class QCheckBox;
class QFrame;
class QToolButton;
class TDBCheckBox;
class TDBImage;

class TFormEmpresaG : public TFormEdicion {
    Q_OBJECT
public:
    explicit TFormEmpresaG(QWidget* parent = nullptr);

    TDBEdit* DBEdit7 = nullptr;        // CIF
    TDBEdit* TxtFechaInicio = nullptr;
    TDBEdit* TxtFechaFin = nullptr;
    TDBEdit* DBEdit8 = nullptr;        // Domicilio
    TDBEdit* DBEdit9 = nullptr;        // Poblacion
    TDBEdit* DBEdit11 = nullptr;       // CP
    TDBEdit* DBEdit10 = nullptr;       // Provincia
    TDBEdit* DBEdit12 = nullptr;       // Telefono
    TDBEdit* DBEdit13 = nullptr;       // Fax
    TDBEdit* DBEdit14 = nullptr;       // Email
    TDBEdit* DBEdit4 = nullptr;        // Moneda
    TDBEdit* TxtCambio = nullptr;
    TDBCheckBox* TxtEstrechar = nullptr;
    TDBEdit* DBEdit1 = nullptr;        // Inscripcion
    TDBEdit* DBEdit16 = nullptr;       // Nota
    TDBImage* DBLogo = nullptr;
    QToolButton* BRuta = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QCheckBox* OpImportar = nullptr;
    QFrame* Panel = nullptr;

    // The picture dialog (empty text: cancelled); replaceable for tests.
    std::function<QString()> elegirImagen;
    // The import window, given the new company's code; replaceable for tests.
    std::function<void(QWidget* padre, int codigo)> abrirImportar;

    void BRutaClick();
    void SpeedButton1Click();
    void TxtEstrecharClick();
    bool TxtCodigoEmpresaExit();
    bool TxtFechaFinExit();
    bool TxtCambioExit();

    // Fills a new company's folder from the template folder (the lock files
    // removed); a folder that already holds some of the tables keeps them,
    // after a warning. False when the copy was cancelled.
    static bool crearFicherosEmpresa(int codigo);

    // Picture formats read for the logo (Qt image readers).
    static QStringList filtrosImagen();

protected:
    void showEvent(QShowEvent* e) override;
    void alMostrarNuevo() override;
    void alMostrarModificar() override;
    QWidget* focoAlFallar() const override;
    // Reached only after a successful post (Aceptar): the new company's files,
    // the import, the reopening of the open company.
    void accept() override;

private:
    TDBEdit* caja(const QString& campo, const QString& nombre);
    bool m_hayEmpresas = false;
    bool m_contado = false;
};
