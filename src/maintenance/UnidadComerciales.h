#pragma once
// Sales representatives list: the first member of the list-window family.
#include "ui/UnidadListaBase.h"

class TFormComercial : public TFormLista {
    Q_OBJECT
public:
    explicit TFormComercial(QWidget* parent = nullptr);
    static DescripcionLista descripcionComerciales();
};
