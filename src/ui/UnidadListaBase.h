#pragma once
// The record list window family. A member supplies a DescripcionLista (its
// small table of values) and overrides only its real departures; everything
// else (actions, keys, tool bar, context menu, sorting, keeping the current
// record, the settings section, permission checks, reference checks, the
// delete question) lives here once.
#include "engine/Motor.h"
#include "ui/ModeloRejilla.h"

#include <QAction>
#include <QKeySequence>
#include <QDialog>
#include <QList>
#include <QPointer>
#include <QSize>
#include <QString>
#include <functional>

class QTableView;
class TFormLista;
class QToolBar;
class QMenu;
class QWidget;

// A delete is refused while `tabla` has a row whose `columna` holds the code.
struct ReferenciaLista {
    QString columna;   // "CodigoComercial"
    QString tabla;     // "Venta"
    QString mensaje;   // "No se puede eliminar el Comercial ya que existen Ventas a su nombre."
};

// An amount column switched between pesetas and euros (currency display).
struct ColumnaImporte {
    int posicion = 0;      // grid column, from 0
    QString pesetas;       // "Importe"
    QString euros;         // "ImporteE"
};

// An action beyond the family's (companies' Seleccionar).
struct AccionExtra {
    QString nombre;        // "ActSeleccionar"
    QString texto;         // "Seleccionar"
    QString pista;
    QChar tecla;           // plain-letter shortcut; null for none
    std::function<void()> ejecutar;
    // Run with the window instead of ejecutar, when set.
    std::function<void(TFormLista*)> ejecutarEn = {};
    // A shortcut with modifiers (users' Ctrl+Delete), active in the window.
    QKeySequence atajo = {};
    // First in the action list instead of after the family's.
    bool alPrincipio = false;
};

struct DescripcionLista {
    QString titulo;                 // caption before showing: "Comerciales"
    QSize tamano{632, 266};         // client area
    int ayuda = 0;                  // help topic
    // The list query and the edit table, fetched when used (the data module
    // can be rebuilt between uses).
    std::function<motor::Query*()> consulta;
    std::function<motor::Table*()> tabla;
    QString primeraLinea = QStringLiteral("SELECT *");
    QString lineaFrom;              // "FROM Comercial"
    QString segundoCampo = QStringLiteral("Nombre");
    QString tablaEsquema;           // labels and formats: "Comercial"
    // Creates the edit window (modal, destroys itself when closed).
    std::function<QDialog*(QWidget* padre)> ventanaEdicion;
    QString seccion;                // "Tabla Comerciales"
    QString prefijoTitulo;          // "Comerciales (ordenado por "
    QString pistaCerrar;            // "Cerrar Comerciales"
    int codigoModo = 0;             // 10
    QList<ColumnaRejilla> columnas; // design widths; empty titles take the schema label
    QList<ReferenciaLista> referencias;
    QString preguntaEliminar;       // "¿Está seguro que desea eliminar el Comercial : "
    QString tituloEliminar;         // "Eliminar Comercial..."
    QString mensajeSinCodigo;       // "Atención, el Comercial actual no tiene código, ..."
    QString mensajeVacio = QStringLiteral("No hay datos.");
    bool conZoom = true;            // users and companies have none
    bool modal = false;             // companies: a modal dialog, not a child window
    bool permisoSinEmpresa = false; // Añadir/Modificar allowed with no company open
    // Currency display (devices, bonus types, records). Empty: no amount actions.
    QList<ColumnaImporte> importes;
    QString pistaPesetas, pistaEuros;
    bool eurosAntesQuePesetas = false; // order of the two in the action list
    QList<AccionExtra> extras;      // appended to the action list
    // Tool bar and context menu, by action name ("-" a separator); empty:
    // the family's own (Añadir, Modificar, Eliminar, Zoom, Localizar, -,
    // Refrescar, Imprimir, -, [Pesetas, Euros, -,] Cerrar).
    QStringList disposicion;
};

class TFormLista : public QDialog {
    Q_OBJECT
public:
    explicit TFormLista(DescripcionLista descripcion, QWidget* parent = nullptr);
    ~TFormLista() override;

    const DescripcionLista& descripcion() const { return m_d; }

    // Sort state.
    QString CampoOrden;
    QString EtiquetaOrden;

    // Operations of the family.
    void FormShow();
    void FormClose();
    void ordenar(const QString& campo, const QString& segundo);
    void refrescar() { ordenar(CampoOrden, m_d.segundoCampo); }
    void TablaTitleClick(int columna);
    virtual void ActNuevoExecute();
    virtual void ActModificarExecute();
    virtual void ActEliminarExecute();
    virtual void ActZoomExecute();
    virtual void ActBuscarExecute();
    virtual void ActImprimirExecute();
    virtual void ActRefrescarExecute();
    virtual void ActCerrarExecute();
    // Enter and a double click in the grid (Modificar unless a member departs).
    virtual void TablaDblClick();
    // Pesetas/euros (currency display).
    void MostrarEuros(bool euros);
    bool muestraEuros() const { return m_euros; }
    void ActPtsExecute();
    void ActEurosExecute();

    // Actions by name ("ActNuevo", ...), in the family's list order.
    QAction* accion(const QString& nombre) const;
    QList<QAction*> acciones() const { return m_acciones; }

    QTableView* Tabla() const { return m_tabla; }
    ModeloRejilla* modelo() const { return m_modelo; }
    QToolBar* BB() const { return m_bb; }
    QWidget* CB() const { return m_cb; }
    QMenu* PopupMenu1() const { return m_menu; }

    motor::Query* consulta() const;
    motor::Table* tablaEdicion() const;
    // The current record's Codigo as text (empty when the list is empty).
    QString codigoActual() const;

    // Opens a companion window (locate, report) given the list and its mode
    // code; unset until those windows exist, and then their actions are
    // disabled while the list holds records.
    static std::function<void(TFormLista*, int)>& abrirLocalizar();
    static std::function<void(TFormLista*, int)>& abrirImprimir();

    // The tool bar's and the menu's sequence in force.
    QStringList disposicion() const;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void reject() override;

    // Hooks for departures.
    virtual void antesDeMostrar() {}   // users and companies point their data sets first
    virtual void antesDeOrdenar() {}   // users point their list query again before each sort
    // Whether the current record has a null code (Modificar's test).
    virtual bool codigoNulo() const;
    // Runs one action, catching errors for the application's handling.
    void ejecutar(const std::function<void()>& fn);
    // Creates the edit window and shows it modally.
    void abrirEdicion();
    bool listaVacia() const;
    // Shows msInfo(mensaje) under "Información..." and answers true when the list is empty.
    bool avisarSiVacia(const QString& mensaje) const;
    // Opens (or re-reads) the edit table and moves it to the record with that
    // code. When another seat deleted it: the data module's "ELIMINADO"
    // message, the list re-read, and false.
    bool situarTablaEdicion(motor::Table* t, const QString& codigo);
    // Localizar and Imprimir: empty-list message, permission "localizar", then
    // the window given the list's mode code.
    void abrirConModo(const std::function<void(TFormLista*, int)>& abrir);
    // Moves a dataset to the record with that code; false when none has it.
    static bool irACodigo(motor::Dataset* ds, const QString& codigo);

private:
    void crearAcciones();
    void crearBarraYMenu();
    void actualizarAcciones();
    bool teclaAccion(QKeyEvent* e);
    void sincronizarRejilla();
    void filaElegida(int fila);
    void ponerTitulo();
    QString campoColumnaValido(const QString& campo) const;

    DescripcionLista m_d;
    QList<QAction*> m_acciones;
    QList<QChar> m_teclas;        // plain-letter key of each action
    QTableView* m_tabla = nullptr;
    ModeloRejilla* m_modelo = nullptr;
    QWidget* m_cb = nullptr;
    QToolBar* m_bb = nullptr;
    QMenu* m_menu = nullptr;
    bool m_mostrada = false;
    bool m_cerrada = false;
    bool m_sincronizando = false;
    bool m_euros = false;
};
