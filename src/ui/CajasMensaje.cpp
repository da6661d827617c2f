#include "ui/CajasMensaje.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <memory>

QMessageBox* CajasMensaje::crearCaja(TipoMensaje tipo, const QString& texto, const QString& titulo)
{
    // No owner window: the box belongs to the application.
    auto* caja = new QMessageBox;
    caja->setWindowTitle(titulo);
    caja->setText(texto);
    caja->setTextFormat(Qt::PlainText);
    // Qt's own button texts would be English without a translation installed.
    auto boton = [caja](QMessageBox::StandardButton b, const QString& texto) {
        QPushButton* p = caja->addButton(b);
        p->setText(texto);
        return p;
    };
    switch (tipo) {
    case TipoMensaje::Error:
        caja->setIcon(QMessageBox::Critical);
        caja->setDefaultButton(boton(QMessageBox::Ok, QStringLiteral("Aceptar")));
        break;
    case TipoMensaje::Info:
        caja->setIcon(QMessageBox::Information);
        caja->setDefaultButton(boton(QMessageBox::Ok, QStringLiteral("Aceptar")));
        break;
    case TipoMensaje::Atencion:
        caja->setIcon(QMessageBox::Warning);
        caja->setDefaultButton(boton(QMessageBox::Ok, QStringLiteral("Aceptar")));
        break;
    case TipoMensaje::Si: {
        caja->setIcon(QMessageBox::Question);
        caja->setDefaultButton(boton(QMessageBox::Yes, QStringLiteral("&Sí")));
        boton(QMessageBox::No, QStringLiteral("&No"));
        break;
    }
    case TipoMensaje::OK: {
        caja->setIcon(QMessageBox::Warning);
        caja->setDefaultButton(boton(QMessageBox::Ok, QStringLiteral("Aceptar")));
        caja->setEscapeButton(boton(QMessageBox::Cancel, QStringLiteral("Cancelar")));
        break;
    }
    }
    return caja;
}

bool CajasMensaje::mostrar(TipoMensaje tipo, const QString& texto, const QString& titulo)
{
    std::unique_ptr<QMessageBox> caja(crearCaja(tipo, texto, titulo));
    caja->exec();
    const auto pulsado = caja->standardButton(caja->clickedButton());
    return pulsado == QMessageBox::Yes || pulsado == QMessageBox::Ok;
}

void instalarCajasMensaje()
{
    static CajasMensaje cajas;
    if (mensajesGuionados())
        return;
    // A sink already in place (a test's recorder) stays.
    if (SumideroMensajes* previo = ponerSumideroMensajes(&cajas))
        ponerSumideroMensajes(previo);
}
