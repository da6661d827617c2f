#pragma once
// TFormMenuPrincipal: the application's frame (MDI), its commands, menus,
// button bar and status bar, and the helpers that open windows.
#include <QMainWindow>
#include <QMap>
#include <functional>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QToolBar;
class QToolButton;

// Window registry: a command's window is plugged in by the command's name
// ("ActComerciales", "ActEmpresas", ...). Commands whose window is not
// registered stay visible and disabled. A registration made while the main
// window exists enables its command at once. "ActAcercaDe" and
// "ActInformacion" share one window: registering either enables both.
using FabricaVentana = std::function<QWidget*()>;
void registrarVentana(const QString& accion, FabricaVentana crear);
FabricaVentana fabricaVentana(const QString& accion);
void borrarRegistroVentanas();

class TFormMenuPrincipal : public QMainWindow {
    Q_OBJECT
public:
    // FormCreate: hooks the error log (program name + ".LOG"). The caller shows
    // the window (maximized at start-up).
    explicit TFormMenuPrincipal(QWidget* parent = nullptr);
    ~TFormMenuPrincipal() override;
    static TFormMenuPrincipal* instancia();

    static QString tituloInicial() { return QStringLiteral("Menú Principal - Gestión de productos"); }

    QMdiArea* Mdi = nullptr;
    QToolBar* BC = nullptr;      // the docking bar that holds BB
    QWidget* BB = nullptr;       // the button bar
    QStatusBar* BE = nullptr;
    QLabel* BEPanel0 = nullptr;  // 600 px: hints
    QLabel* BEPanel1 = nullptr;  // 10 px
    QMenu* MnuGlobal = nullptr;
    QMenu* MnuDatos = nullptr;
    QMenu* MnuInformes = nullptr;
    QMenu* MnuHerramientas = nullptr;
    QMenu* MnuVentana = nullptr;
    QMenu* MnuAyuda = nullptr;
    QMenu* PopupMenu1 = nullptr;

    QAction* ActEmpresas = nullptr;
    QAction* ActConfiguracion = nullptr;
    QAction* ActUsuarios = nullptr;
    QAction* ActSalir = nullptr;
    QAction* ActComerciales = nullptr;
    QAction* ActAparatos = nullptr;
    QAction* ActCliente = nullptr;
    QAction* ActCobro = nullptr;
    QAction* ActFechaTrabajo = nullptr;
    QAction* ActInformacion = nullptr;
    QAction* ActAcercaDe = nullptr;
    QAction* ActPlus = nullptr;
    QAction* ActVenta = nullptr;
    QAction* ActGastosComerciales = nullptr;
    QAction* ActExtras = nullptr;
    QAction* ActCopiaSeguridad = nullptr;
    QAction* ActFacturas = nullptr;
    QAction* ActCalendario = nullptr;
    QAction* ActReorganizar = nullptr;
    QAction* ActCalculadora = nullptr;
    QAction* ActBlocNotas = nullptr;

    QAction* MnuComisiones = nullptr;  // "Informes": no command
    QAction* MnuCerrarTodas = nullptr;
    QAction* MnuMinimizarTodas = nullptr;
    QAction* MnuAbrirTodas = nullptr;
    QAction* MnuCascada = nullptr;
    QAction* MnuMosaico = nullptr;
    QAction* MnuOrdenarIconos = nullptr;
    QAction* MnuGeneral = nullptr;
    QAction* MnuIndice = nullptr;

    // The main menu's tag: 10 when the about window opens in information mode,
    // 0 in about mode. The about window reads it when it is shown.
    int Tag = 0;

    // Desktop tools (replaceable in tests); false when none is found.
    std::function<bool()> lanzarCalculadora;
    std::function<bool()> lanzarEditorTexto;

    // Every command by its name ("ActEmpresas", ...), in the order of the table.
    QList<QAction*> acciones() const { return m_acciones; }
    QAction* accion(const QString& nombre) const;

    // One child window per kind (object name, case-insensitive): an open one is
    // brought to the front (restored maximized or normal when minimized), else
    // a new one is created. Busy cursor and frozen drawing are always undone.
    QWidget* AbrirVentanaHija(const FabricaVentana& crear, const QString& nombre);
    // Shows the window of that name modally, creating it when there is none.
    QWidget* AbrirVentanaModal(const FabricaVentana& crear, const QString& nombre);
    QWidget* buscarVentanaHija(const QString& nombre) const;
    QList<QMdiSubWindow*> ventanasHijas() const;

    // Reads the six display settings into the state and applies them.
    void CargarConfiguracion();
    // Enables the commands whose window is registered.
    void actualizarAcciones();

    void CerrarTodas();
    void MinimizarTodas();
    void AbrirTodas();
    void OrdenarIconos();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool event(QEvent* e) override;

private:
    void crearAcciones();
    void crearMenus();
    void crearBarras();
    void FormShow();
    void ejecutarAccion(const QString& nombre);
    void abrirAcercaDe(bool informacion);
    bool hayVentanasHijas(const QString& mensaje);
    bool esAdministrador();
    void rellenarMenuVentana();

    QList<QAction*> m_acciones;
    QList<QAction*> m_listaVentanas;
    QList<QToolButton*> m_botones;
    bool m_mostrada = false;
};
