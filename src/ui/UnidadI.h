#pragma once
// TFormI: the small progress window shared by the long file operations. It is
// created hidden at start-up and lives for the whole run (FormI()).
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// A thin strip that shows that work is going on (no percentage).
class AnimacionProceso : public QWidget {
    Q_OBJECT
public:
    enum Clip { Ninguno, CopiarArchivo };
    explicit AnimacionProceso(QWidget* parent = nullptr);
    void ponerClip(Clip c) { m_clip = c; update(); }
    Clip clip() const { return m_clip; }
    void setActive(bool activa);
    bool active() const;
    int fotograma() const { return m_fotograma; }
    static constexpr int FotogramaParada = 8;
    static constexpr int Fotogramas = 16;
protected:
    void paintEvent(QPaintEvent*) override;
private:
    QTimer* m_temporizador;
    Clip m_clip = Ninguno;
    int m_fotograma = FotogramaParada;
};

class TFormI : public QDialog {
    Q_OBJECT
public:
    explicit TFormI(QWidget* parent = nullptr);

    AnimacionProceso* Animacion = nullptr;
    QLabel* L = nullptr;
    QProgressBar* B = nullptr;
    QPushButton* BCancelar = nullptr;

    static QString textoPorDefecto() { return QStringLiteral("Realizando proceso, espere por favor..."); }

    // The usual road of a long operation (only when MostrarProgreso is on):
    // empezar() puts the text, hides B, starts the copy clip when asked and
    // shows the window without making it modal; paso() replaces the text and
    // repaints; terminar() hides it again.
    void empezar(const QString& texto, bool clipCopia);
    void paso(const QString& texto);
    void terminar(bool mostrarBarra = false);
};

// The shared instance (nullptr before crearFormI()).
TFormI* FormI();
TFormI* crearFormI();
void destruirFormI();
