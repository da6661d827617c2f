#pragma once
// The one place where the windows of the other units are plugged into the main
// window's commands. The start-up and the captures call it.
void registrarVentanasPrograma();
