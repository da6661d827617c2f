#include "Capturas.h"
#include "app/Ayuda.h"
#include "ui/UnidadI.h"

#include <QLabel>
#include <QProgressBar>

namespace {
RegistroCaptura r1("ayuda", [] {
    auto* a = new TFormAyuda;
    a->mostrarTema(QStringLiteral("index"));
    return a;
});

RegistroCaptura r2("progreso", [] {
    auto* f = new TFormI;
    f->Animacion->ponerClip(AnimacionProceso::CopiarArchivo);
    f->L->setText(QStringLiteral("Realizando copia de seguridad, espere por favor...\n\nComercial.DB"));
    f->B->setVisible(false);
    return f;
});
} // namespace
