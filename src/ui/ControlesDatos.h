#pragma once
// Data-aware boxes. Each one shows a field of the current record of a
// motor::Dataset, follows the dataset's signals, writes the user's edits to the
// field at once (so a check run when the box is left reads the field), and is
// read-only while the dataset is not in edit or insert state.
//
// ControlDatos is the base every box shares: the binding, its label and the
// modified-tracking (a value set from code does not mark the box modified; a
// user edit does). crearControl() maps a schema field's type to its box.
#include "data/Esquema.h"
#include "engine/Motor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QString>
#include <QVariant>

class ControlDatos;

// The QObject side of the base: connections and signals.
class EnlaceCampo : public QObject {
    Q_OBJECT
public:
    explicit EnlaceCampo(ControlDatos* control, QWidget* widget);
    void enlazar(motor::Dataset* ds, const QString& campo);
signals:
    void editadoPorUsuario();   // the user changed the value
private:
    friend class ControlDatos;
    ControlDatos* m_control;
};

class ControlDatos {
public:
    explicit ControlDatos(QWidget* widget);
    virtual ~ControlDatos() = default;

    // Binds the box to a field of a dataset (a table or a query) and shows it.
    void enlazar(motor::Dataset* ds, const QString& campo);
    motor::Dataset* dataset() const { return m_ds; }
    motor::Table* tabla() const;
    QString nombreCampo() const { return m_campo; }
    motor::Field* campo() const;   // nullptr while closed or when the field is missing

    // The label naming the box; its buddy is set to the box (accelerators).
    void ponerEtiqueta(QLabel* etiqueta);
    QLabel* etiqueta() const { return m_etiqueta; }

    // True after a user edit, until the record is shown anew.
    bool modificado() const { return m_modificado; }
    // The dataset accepts changes (edit or insert state).
    bool editable() const;

    // Writes a value typed but not yet stored (masked and numeric boxes store
    // on leaving); called before posting.
    virtual void confirmar() {}
    // Shows the field's current value again (and the read-only state).
    void refrescar();

    QWidget* widget() const { return m_widget; }
    EnlaceCampo* enlace() const { return m_enlace; }

protected:
    // Puts the field's value into the box; never marks it modified.
    virtual void mostrar(motor::Field* f) = 0;
    virtual void ponerSoloLectura(bool soloLectura) = 0;
    // A user edit: stores the value in the field and marks the box modified.
    // Answers false (and shows the field again) when the dataset refuses it.
    bool escribir(const QVariant& valor);
    bool cargando() const { return m_cargando; }

private:
    friend class EnlaceCampo;
    void alCambiarCampo(const QString& nombre);
    QWidget* m_widget;
    EnlaceCampo* m_enlace;
    QPointer<motor::Dataset> m_ds;
    QString m_campo;
    QPointer<QLabel> m_etiqueta;
    bool m_modificado = false;
    bool m_cargando = false;
    bool m_escribiendo = false;
    QList<QMetaObject::Connection> m_conexiones;
};

// Edit box: text, numbers (a typed "." becomes ","), dates through an edit mask.
class TDBEdit : public QLineEdit, public ControlDatos {
    Q_OBJECT
public:
    explicit TDBEdit(QWidget* parent = nullptr);
    // Letters typed are forced to upper case.
    void ponerMayusculas(bool si) { m_mayusculas = si; }
    bool mayusculas() const { return m_mayusculas; }
    // An edit mask in the schema's form ("!99/99/00;1;_"): the text is stored
    // when the box is left.
    void ponerMascara(const QString& mascaraEsquema);
    // Numeric box: "." typed as ",", the value stored as a number.
    void ponerNumerico(bool si) { m_numerico = si; }
    void confirmar() override;
protected:
    void mostrar(motor::Field* f) override;
    void ponerSoloLectura(bool soloLectura) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
private:
    void alEditar(const QString& texto);
    bool guardarTexto(const QString& texto, bool alSalir);
    bool m_mayusculas = false;
    bool m_numerico = false;
    bool m_conMascara = false;
    bool m_pendiente = false;
};

// Check box: ticked stores true, cleared stores false.
class TDBCheckBox : public QCheckBox, public ControlDatos {
    Q_OBJECT
public:
    explicit TDBCheckBox(const QString& texto = QString(), QWidget* parent = nullptr);
protected:
    void mostrar(motor::Field* f) override;
    void ponerSoloLectura(bool soloLectura) override;
    void nextCheckState() override;
private:
    bool m_soloLectura = false;
};

// Drop-down list, choice only, items kept sorted.
class TDBComboBox : public QComboBox, public ControlDatos {
    Q_OBJECT
public:
    explicit TDBComboBox(QWidget* parent = nullptr);
    void ponerElementos(const QStringList& elementos);
protected:
    void mostrar(motor::Field* f) override;
    void ponerSoloLectura(bool soloLectura) override;
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void showPopup() override;
private:
    bool m_soloLectura = false;
};

// Multi-line box with a vertical scroll bar. Enter moves the focus on, as Tab.
class TDBMemo : public QPlainTextEdit, public ControlDatos {
    Q_OBJECT
public:
    explicit TDBMemo(QWidget* parent = nullptr);
protected:
    void mostrar(motor::Field* f) override;
    void ponerSoloLectura(bool soloLectura) override;
    void keyPressEvent(QKeyEvent* e) override;
};

// Picture box over a graphic field; stretches the picture when asked.
class TDBImage : public QLabel, public ControlDatos {
    Q_OBJECT
public:
    explicit TDBImage(QWidget* parent = nullptr);
    void ponerAjustar(bool si);
    bool ajustar() const { return m_ajustar; }
    // Stores a picture in the field (PNG bytes); a null image clears it.
    bool ponerImagen(const QImage& imagen);
    QImage imagen() const { return m_imagen; }
protected:
    void mostrar(motor::Field* f) override;
    void ponerSoloLectura(bool) override {}
    void resizeEvent(QResizeEvent* e) override;
private:
    void pintar();
    QImage m_imagen;
    bool m_ajustar = false;
};

// The box for a schema field: check box for logicals, memo for memos, picture
// box for graphics, edit box otherwise (numeric for numbers and money, masked
// for dates). Not bound yet: call enlazar().
ControlDatos* crearControl(const esquema::Campo& campo, QWidget* parent);

// Moves a dataset to the record whose Codigo is the text given (a number for
// integer codes); false, with the cursor unchanged, when none has it.
bool localizarCodigo(motor::Dataset* ds, const QString& codigo);

// The Qt input mask for a schema edit mask ("!99/99/00;1;_" -> "99/99/00;_"
// with Qt's digit letters).
QString mascaraQt(const QString& mascaraEsquema);
