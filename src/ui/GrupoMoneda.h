#pragma once
// One pesetas/euros group of an edit window: the label LMoneda ("Pesetas" or
// "Euros", which is the group's state), the two signs IPeseta and IEuro, the
// button BCambio and the amount boxes it switches. The toggle only changes
// which field the boxes edit; derivar() computes the other currency when the
// record is accepted.
#include "ui/ControlesDatos.h"

#include <QList>
#include <QObject>
#include <QString>

class QAbstractButton;
class QLabel;

class GrupoMoneda : public QObject {
    Q_OBJECT
public:
    // The widgets may come from the window's layout; crearIndicadores() makes
    // the standard label and signs.
    GrupoMoneda(QLabel* lMoneda, QLabel* iPeseta, QLabel* iEuro, QAbstractButton* bCambio, QObject* parent);

    // A box of the group (already bound to its table) with its pesetas and
    // euro fields; it is bound to the field of the currency shown. With conMas a typed "+" toggles the group and
    // is not typed.
    void anadirCaja(TDBEdit* caja, const QString& campoPesetas, const QString& campoEuros, bool conMas = true);
    // The box that takes the focus after a toggle (null: none, the collection
    // window's habit); by default the first box.
    void ponerCajaFoco(TDBEdit* caja) { m_foco = caja; m_focoElegido = true; }

    bool enEuros() const;
    QLabel* LMoneda() const { return m_l; }
    QLabel* IPeseta() const { return m_ip; }
    QLabel* IEuro() const { return m_ie; }

    // BCambioClick: switches every box to the other currency's field.
    void cambiar();
    // On accept, for each box in order: label "Pesetas" gives euro = pesetas /
    // rate, "Euros" gives pesetas = euro × rate; an empty field counts as 0.
    // False (nothing written) when the rate is not above zero.
    bool derivar(double cambio);

    // The standard label (bold, maroon) and signs, children of padre at x, y.
    static void crearIndicadores(QWidget* padre, int x, int y, QLabel*& lMoneda, QLabel*& iPeseta, QLabel*& iEuro);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    struct Caja { TDBEdit* caja; QString pesetas; QString euros; bool conMas; };
    QList<Caja> m_cajas;
    QLabel* m_l;
    QLabel* m_ip;
    QLabel* m_ie;
    TDBEdit* m_foco = nullptr;
    bool m_focoElegido = false;
};
