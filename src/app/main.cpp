#include "app/Arranque.h"
#include "app/CErrores.h"
#include "app/UnidadClaves.h"
#include "app/UnidadMenuPrincipal.h"

int main(int argc, char** argv)
{
    TAplicacion aplicacion(argc, argv);
    arranque::ejecutarLogin = [] { return ejecutarClaves(); };
    return arranque::ejecutar(aplicacion);
}
