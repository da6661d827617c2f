#include "ui/GrupoMoneda.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>

namespace {
const QString Pesetas = QStringLiteral("Pesetas");
const QString Euros = QStringLiteral("Euros");
}

GrupoMoneda::GrupoMoneda(QLabel* lMoneda, QLabel* iPeseta, QLabel* iEuro, QAbstractButton* bCambio, QObject* parent)
    : QObject(parent), m_l(lMoneda), m_ip(iPeseta), m_ie(iEuro)
{
    if (m_l && m_l->text().isEmpty())
        m_l->setText(Pesetas);
    if (m_ip)
        m_ip->setVisible(true);
    if (m_ie)
        m_ie->setVisible(false);
    if (bCambio) {
        if (bCambio->toolTip().isEmpty())
            bCambio->setToolTip(QStringLiteral("Cambio de moneda"));
        connect(bCambio, &QAbstractButton::clicked, this, &GrupoMoneda::cambiar);
    }
}

void GrupoMoneda::anadirCaja(TDBEdit* caja, const QString& campoPesetas, const QString& campoEuros, bool conMas)
{
    m_cajas.append({caja, campoPesetas, campoEuros, conMas});
    caja->ponerNumerico(true);
    caja->enlazar(caja->dataset(), enEuros() ? campoEuros : campoPesetas);
    caja->installEventFilter(this);
    if (!m_focoElegido && !m_foco)
        m_foco = caja;
}

bool GrupoMoneda::enEuros() const
{
    // The label's caption is the state.
    return m_l && m_l->text().compare(Pesetas, Qt::CaseInsensitive) != 0;
}

void GrupoMoneda::cambiar()
{
    const bool aEuros = !enEuros();
    for (const Caja& c : m_cajas) {
        c.caja->confirmar();
        c.caja->enlazar(c.caja->dataset(), aEuros ? c.euros : c.pesetas);
    }
    if (m_ip)
        m_ip->setVisible(!aEuros);
    if (m_ie)
        m_ie->setVisible(aEuros);
    if (m_l)
        m_l->setText(aEuros ? Euros : Pesetas);
    if (m_foco) {
        m_foco->setFocus(Qt::OtherFocusReason);
        m_foco->selectAll();
    }
}

bool GrupoMoneda::derivar(double cambio)
{
    if (!(cambio > 0))
        return false;
    const bool euros = enEuros();
    for (const Caja& c : m_cajas) {
        motor::Dataset* ds = c.caja->dataset();
        if (!ds)
            continue;
        c.caja->confirmar();
        motor::Field* pts = ds->fieldByName(c.pesetas);
        motor::Field* eur = ds->fieldByName(c.euros);
        // Full precision both ways: the display rounds, the field does not.
        if (euros)
            pts->setValue(eur->asFloat() * cambio);
        else
            eur->setValue(pts->asFloat() / cambio);
    }
    return true;
}

bool GrupoMoneda::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->text() == QLatin1String("+")) {
            for (const Caja& c : m_cajas)
                if (c.caja == o && c.conMas) {
                    cambiar();
                    return true;
                }
        }
    }
    return QObject::eventFilter(o, e);
}

void GrupoMoneda::crearIndicadores(QWidget* padre, int x, int y, QLabel*& lMoneda, QLabel*& iPeseta, QLabel*& iEuro)
{
    lMoneda = new QLabel(Pesetas, padre);
    lMoneda->setObjectName(QStringLiteral("LMoneda"));
    QFont f = lMoneda->font();
    f.setBold(true);
    lMoneda->setFont(f);
    QPalette p = lMoneda->palette();
    p.setColor(QPalette::WindowText, QColor(0x80, 0, 0));   // maroon
    lMoneda->setPalette(p);
    lMoneda->setGeometry(x + 20, y + 3, 60, 16);
    iPeseta = new QLabel(QStringLiteral("₧"), padre);
    iPeseta->setObjectName(QStringLiteral("IPeseta"));
    iPeseta->setGeometry(x, y, 18, 21);
    iPeseta->setAlignment(Qt::AlignCenter);
    iEuro = new QLabel(QStringLiteral("€"), padre);
    iEuro->setObjectName(QStringLiteral("IEuro"));
    iEuro->setGeometry(x, y, 18, 21);
    iEuro->setAlignment(Qt::AlignCenter);
    iEuro->hide();
}
