#include "app/Arranque.h"
#include "app/CErrores.h"

int main(int argc, char** argv)
{
    TAplicacion aplicacion(argc, argv);
    return arranque::ejecutar(aplicacion);
}
