#pragma once
// The login window: decides where the master data lives, creates the data
// module, lists users and companies, checks the chosen user's password and
// opens the chosen company.
#include <QColor>
#include <QDialog>
#include <QString>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStatusBar;
class QTableView;
class QTimer;
class ModeloRejilla;
namespace motor { class Query; }

// The round status light at the right of the login's status bar.
class IndicadorRedondo : public QWidget {
    Q_OBJECT
public:
    explicit IndicadorRedondo(QWidget* parent = nullptr);
    QColor color() const { return m_color; }
    void ponerColor(const QColor& c);
    QSize sizeHint() const override { return {16, 16}; }
protected:
    void paintEvent(QPaintEvent*) override;
private:
    QColor m_color;
};

// Colours of the backup-age light and of the password box.
namespace colores {
inline const QColor Verde(0x00, 0x80, 0x00);
inline const QColor Amarillo(0xFF, 0xFF, 0x00);
inline const QColor Purpura(0x80, 0x00, 0x80);
inline const QColor Rojo(0xFF, 0x00, 0x00);
inline const QColor Azul(0x00, 0x00, 0xFF);
inline const QColor Plata(0xC0, 0xC0, 0xC0);
inline const QColor ClaveConClave(0x90, 0xEE, 0x90); // light green: the user has a password
}

// Age of the last backup (days) -> colour: up to 2 green, 3-4 yellow,
// 5-9 purple, 10 and more red.
QColor colorCopiaSeguridad(int dias);

class TFormClaves : public QDialog {
    Q_OBJECT
public:
    // Runs the creation steps (settings, master folder, data module, lists).
    explicit TFormClaves(QWidget* parent = nullptr);
    ~TFormClaves() override;

    // Replaceable for tests: the folder browser (empty text = cancelled) and
    // the network-path test.
    std::function<QString()> elegirCarpeta;
    std::function<bool(const QString&)> esRutaDeRed;

    bool ClaveCorrecta = false;
    // True once the window asked the application to end (Cancelar, a changed
    // server folder, closing without an accepted password).
    bool terminarAplicacion() const { return m_terminar; }

    QLabel* LNombre = nullptr;
    QLabel* LVersion = nullptr;
    QLabel* LAcceso = nullptr;
    QLabel* LEjecuciones = nullptr;
    QLabel* LApagado = nullptr;
    QListWidget* ListBox1 = nullptr;
    QCheckBox* OpServidor = nullptr;
    QPushButton* BRuta = nullptr;
    QLabel* LWEB = nullptr;
    QTableView* TListaUsuarios = nullptr;
    QTableView* TListaEmpresas = nullptr;
    QLineEdit* TxtClave = nullptr;
    QPushButton* BAceptar = nullptr;
    QPushButton* BCancelar = nullptr;
    QStatusBar* BE = nullptr;
    QLabel* PanelBE = nullptr;       // the status bar's one panel
    IndicadorRedondo* LI = nullptr;
    QTimer* TTemporizador = nullptr;
    motor::Query* TTabla = nullptr;  // users
    motor::Query* TE = nullptr;      // companies

    static QString direccionWeb();   // address shown by LWEB

public slots:
    void BAceptarClick();
    void BCancelarClick();
    void BRutaClick();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void reject() override;

private:
    void construir();
    void FormCreate();
    void FormShow();
    void usuarioCambiado();
    void empresaCambiada();
    void TTemporizadorTimer();
    void TListaEmpresasEnter();

    ModeloRejilla* m_usuarios = nullptr;
    ModeloRejilla* m_empresas = nullptr;
    bool m_mostrada = false;
    bool m_terminar = false;
    bool m_parpadeo = false;
};

// Runs the login modally. True when a user was accepted; false when the
// application must end.
bool ejecutarClaves(QWidget* parent = nullptr);
