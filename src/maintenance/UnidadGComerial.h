#pragma once
// Sales representative edit window: the first member of the edit-window family.
#include "ui/UnidadEdicionBase.h"

class QLabel;
class QToolButton;

class TFormComercialG : public TFormEdicion {
    Q_OBJECT
public:
    explicit TFormComercialG(QWidget* parent = nullptr);
    static DescripcionEdicion descripcionComercial();

    TDBComboBox* TxtTipo = nullptr;
    TDBEdit* DBEdit4 = nullptr;     // Direccion
    TDBEdit* DBEdit5 = nullptr;     // Poblacion
    TDBEdit* DBEdit6 = nullptr;     // Provincia
    TDBEdit* TxtCP = nullptr;
    TDBEdit* TxtTelefono = nullptr;
    TDBCheckBox* OpIVA = nullptr;
    TDBMemo* DBMemo1 = nullptr;

protected:
    void alMostrarNuevo() override;
    void alMostrarZoom() override;
};
