#include "app/Arranque.h"
#include "app/CErrores.h"

int main(int argc, char** argv)
{
    TAplicacion aplicacion(argc, argv);
    // The login window is plugged in through arranque::ejecutarLogin (Arranque.h).
    return arranque::ejecutar(aplicacion);
}
