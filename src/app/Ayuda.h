#pragma once
// Help pages of our own (ayuda/*.html, topics by number) shown in the program.
#include <QDialog>
#include <QString>

class QTextBrowser;

class TFormAyuda : public QDialog {
    Q_OBJECT
public:
    explicit TFormAyuda(QWidget* parent = nullptr);
    QTextBrowser* Visor = nullptr;
    // "index" (general view), "indice" (contents and index) or a topic number.
    void mostrarTema(const QString& tema);
};

// Folder the pages are read from: the program folder's "ayuda/" when it has an
// index page, else the pages built into the program.
QString carpetaAyuda();
// Shows the help window (one, reused) on a topic; returns it.
TFormAyuda* mostrarAyuda(const QString& tema, QWidget* parent = nullptr);
