#pragma once
// The small tables of values that make the other master-data windows members
// of the list and edit families: clients, devices, bonus types and users.
// A member class supplies the edit window factory and overrides only its
// departures, for example:
//
//   TFormCliente::TFormCliente(QWidget* p) : TFormLista(conEdicion(familia::listaClientes(),
//       [](QWidget* w) { return new TFormClienteG(w); }), p) {}
#include "ui/UnidadEdicionBase.h"
#include "ui/UnidadListaBase.h"

namespace familia {

DescripcionLista listaClientes();
DescripcionLista listaAparatos();
DescripcionLista listaPlus();
DescripcionLista listaUsuarios();   // deletes by its own rules (override ActEliminarExecute)

DescripcionEdicion edicionCliente();
DescripcionEdicion edicionAparato();
DescripcionEdicion edicionPlus();
DescripcionEdicion edicionUsuario(); // checks on Aceptar, not on leaving boxes

// The descriptor with its edit window factory set.
DescripcionLista conEdicion(DescripcionLista d, std::function<QDialog*(QWidget*)> fabrica);

} // namespace familia
