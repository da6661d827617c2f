#include "app/Ayuda.h"

#include "core/EstadoAplicacion.h"
#include "platform/Plataforma.h"

#include <QFileInfo>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QHBoxLayout>

QString carpetaAyuda()
{
    const QString local = plataforma::carpetaPrograma() + QStringLiteral("ayuda/");
    if (QFileInfo::exists(local + QStringLiteral("index.html")))
        return local;
    return QStringLiteral(":/ayuda/");
}

TFormAyuda::TFormAyuda(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("formayuda"));
    setWindowTitle(QStringLiteral("Ayuda de %1...").arg(app::Titulo));
    resize(720, 560);
    auto* capa = new QVBoxLayout(this);
    auto* botones = new QHBoxLayout;
    auto* inicio = new QPushButton(QStringLiteral("&General"), this);
    auto* indice = new QPushButton(QStringLiteral("Í&ndice"), this);
    auto* atras = new QPushButton(QStringLiteral("&Atrás"), this);
    auto* cerrar = new QPushButton(QStringLiteral("&Cerrar"), this);
    botones->addWidget(inicio);
    botones->addWidget(indice);
    botones->addWidget(atras);
    botones->addStretch();
    botones->addWidget(cerrar);
    capa->addLayout(botones);
    Visor = new QTextBrowser(this);
    Visor->setObjectName(QStringLiteral("Visor"));
    Visor->setOpenLinks(true);
    Visor->setOpenExternalLinks(false);
    capa->addWidget(Visor);
    connect(inicio, &QPushButton::clicked, this, [this] { mostrarTema(QStringLiteral("index")); });
    connect(indice, &QPushButton::clicked, this, [this] { mostrarTema(QStringLiteral("indice")); });
    connect(atras, &QPushButton::clicked, Visor, &QTextBrowser::backward);
    connect(Visor, &QTextBrowser::backwardAvailable, atras, &QPushButton::setEnabled);
    connect(cerrar, &QPushButton::clicked, this, &QDialog::close);
    atras->setEnabled(false);
}

void TFormAyuda::mostrarTema(const QString& tema)
{
    const QString carpeta = carpetaAyuda();
    QString archivo = carpeta + tema + QStringLiteral(".html");
    if (!QFileInfo::exists(archivo))
        archivo = carpeta + QStringLiteral("index.html");
    Visor->setSource(carpeta.startsWith(QLatin1Char(':')) ? QUrl(QStringLiteral("qrc") + archivo)
                                                           : QUrl::fromLocalFile(archivo));
}

TFormAyuda* mostrarAyuda(const QString& tema, QWidget* parent)
{
    static QPointer<TFormAyuda> ventana;
    if (!ventana) {
        ventana = new TFormAyuda(parent);
        ventana->setAttribute(Qt::WA_DeleteOnClose);
    }
    ventana->mostrarTema(tema);
    ventana->show();
    ventana->raise();
    ventana->activateWindow();
    return ventana.data();
}
