#include "Capturas.h"
#include "app/CErrores.h"
#include "app/UnidadMenuPrincipal.h"
#include "app/Ventanas.h"
#include "core/EstadoAplicacion.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QLabel>

namespace {
// The frame as the user sees it after the login, with two list windows open.
QWidget* menuPrincipal(bool conHijas)
{
    registrarVentanasPrograma();
    auto* f = new TFormMenuPrincipal;
    f->setWindowTitle(QStringLiteral("7 - Ventas Norte"));
    if (conHijas) {
        Estado().VentanasMaximizadas = false;
        for (const char* t : {"Comerciales", "Clientes"}) {
            auto* w = new QLabel(QStringLiteral("Lista de %1").arg(QString::fromLatin1(t)));
            w->setAlignment(Qt::AlignCenter);
            w->setWindowTitle(QString::fromLatin1(t));
            QMdiSubWindow* sub = f->Mdi->addSubWindow(w);
            sub->resize(420, 260);
            sub->move(f->Mdi->subWindowList().size() * 40, f->Mdi->subWindowList().size() * 30);
        }
    }
    return f;
}

RegistroCaptura r1("menu-principal", [] { return menuPrincipal(false); }, {1024, 700});
RegistroCaptura r2("menu-principal-ventanas", [] { return menuPrincipal(true); }, {1024, 700});
} // namespace
