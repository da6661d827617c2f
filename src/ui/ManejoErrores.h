#pragma once
// Errors caught at a window's event handler (a click, a key, a show) are
// handed to the application's error handling here instead of crossing the Qt
// event loop. The program installs the error log's handler (box + log line);
// until then, and in tests, the standard box is shown through msError.
#include <exception>
#include <functional>

// Shows (and logs, with the program's handler) one error. EAbort is silent:
// the operation was already reported. Always called inside the catch block of
// that error, so a handler may rethrow it (`throw;`), for example to reach the
// error log's informarExcepcionActual().
void informarExcepcion(const std::exception& e);
// Replaces the handler (an empty function puts the default back).
void ponerManejadorExcepciones(std::function<void(const std::exception&)> manejador);

// Runs fn; any exception goes to informarExcepcion. True when fn finished.
bool ejecutarProtegido(const std::function<void()>& fn);
