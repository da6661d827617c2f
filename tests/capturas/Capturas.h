#pragma once
// Captures: every window rendered offscreen to a PNG file. A window is added
// by a .cpp file in this folder with one static registration:
//
//   static RegistroCaptura r("menu-principal", [] { return new TFormMenuPrincipal; }, {1024, 700});
//
// Before each capture the program makes a fresh temporary program folder
// (PROVENDA_HOME), rebuilds the application state and records message boxes
// instead of showing them. crear() may set up data (Estado(), settings, a
// master folder with provenda-datos) before building the window; the widget is
// shown, given time to lay out, grabbed and destroyed.
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>

struct RegistroCaptura {
    RegistroCaptura(const char* nombre, std::function<QWidget*()> crear, QSize tamano = {});
};

// The temporary program folder of the capture being made (ends in '/').
QString carpetaCaptura();
