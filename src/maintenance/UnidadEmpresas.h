#pragma once
// The companies list: a modal member of the list-window family over the
// master folder, with Seleccionar (opens the chosen company) and its own
// delete, which removes the company's folder after three questions.
#include "ui/UnidadListaBase.h"

class TFormEmpresas : public TFormLista {
    Q_OBJECT
public:
    explicit TFormEmpresas(QWidget* parent = nullptr);

    void ActModificarExecute() override;
    void ActEliminarExecute() override;
    void ActBuscarExecute() override;
    void TablaDblClick() override;
    void ActSeleccionarExecute();

protected:
    void antesDeMostrar() override;
    bool codigoNulo() const override { return false; } // no missing-code test
};

// Removes the files of a company folder and the folder itself, refusing any
// folder that is not "Emp<code>" directly inside the base folder (a link or a
// bad path never leads the deletion elsewhere). Entries that cannot be
// removed are skipped. False when the folder was refused.
bool eliminarCarpetaEmpresa(int codigo);
