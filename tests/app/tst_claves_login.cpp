// The login window driven offscreen, and the permission table.
#include "app/UnidadClaves.h"
#include "core/EstadoAplicacion.h"
#include "core/Ini.h"
#include "data/Claves.h"
#include "data/Esquema.h"
#include "data/UnidadDatos.h"
#include "engine/Motor.h"
#include "ui/Permisos.h"
#include "../support/FixturaMaestra.h"
#include "../support/Soporte.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString TituloClave = QStringLiteral("Comprobación de clave de acceso...");

// A master folder: the two master tables, the template folder, two users
// (ADM with a password, CON without), company 7 with its folder and company 8
// without one.
void crearMaestra(const QString& carpeta)
{
    const auto sesion = abrirSesionFixtura(carpeta);
    crearTablasMaestras(carpeta);
    {
        motor::Table u;
        u.setFolder(carpeta);
        u.setTableName(QStringLiteral("Usuario.DB"));
        u.open();
        const struct { const char* codigo; const char* nombre; const char* tipo; const char* clave; } usuarios[] = {
            {"ADM", "Administradora", "Administrador", "secreto"},
            {"CON", "Consultas", "Consulta", ""},
        };
        for (const auto& x : usuarios) {
            u.insert();
            u.fieldByName(QStringLiteral("Codigo"))->setValue(QString::fromUtf8(x.codigo));
            u.fieldByName(QStringLiteral("Nombre"))->setValue(QString::fromUtf8(x.nombre));
            u.fieldByName(QStringLiteral("Tipo"))->setValue(QString::fromUtf8(x.tipo));
            u.fieldByName(QStringLiteral("Clave"))->setValue(claves::hash(QString::fromUtf8(x.clave)));
            u.post();
        }
    }
    {
        motor::Table e;
        e.setFolder(carpeta);
        e.setTableName(QStringLiteral("Empresa.db"));
        e.open();
        const struct { int codigo; const char* nombre; } empresas[] = {{7, "Ventas Norte"}, {8, "Sin carpeta"}};
        for (const auto& x : empresas) {
            e.insert();
            e.fieldByName(QStringLiteral("Codigo"))->setValue(x.codigo);
            e.fieldByName(QStringLiteral("Nombre"))->setValue(QString::fromUtf8(x.nombre));
            e.fieldByName(QStringLiteral("Moneda"))->setValue(QStringLiteral("Euro"));
            e.fieldByName(QStringLiteral("Cambio"))->setValue(166.386);
            e.fieldByName(QStringLiteral("FechaAlta"))->setValue(QDate(2024, 1, 1));
            e.fieldByName(QStringLiteral("FechaBaja"))->setValue(QDate(2024, 12, 31));
            e.post();
        }
    }
    QDir().mkpath(carpeta + QStringLiteral("Emp7"));
    for (const esquema::Tabla& t : esquema::tablas())
        if (t.carpeta == esquema::Carpeta::Empresa)
            motor::Database::copyFile(esquema::rutaFichero(carpeta + QStringLiteral("tablas/"), t),
                                      carpeta + QStringLiteral("Emp7/") + t.fichero);
    sesion->close();
}

void escribirCopia(const QString& carpetaEmpresa, const QDate& fecha)
{
    ArchivoIni cs(carpetaEmpresa + QStringLiteral("/CS.ini"));
    cs.escribeFecha(ini::CopiaSeguridad, ini::Fecha, fecha);
    cs.guardar();
}

QModelIndex fila(QTableView* v, int f) { return v->model()->index(f, 0); }

void elegirFila(QTableView* v, const QString& codigo)
{
    for (int r = 0; r < v->model()->rowCount(); ++r)
        if (v->model()->index(r, 0).data().toString() == codigo) {
            v->setFocus();
            v->selectionModel()->setCurrentIndex(fila(v, r), QItemSelectionModel::ClearAndSelect
                                                                 | QItemSelectionModel::Rows);
            return;
        }
    QFAIL(qPrintable(QStringLiteral("no row ") + codigo));
}

void dobleClic(QTableView* v, int f)
{
    const QPoint p = v->visualRect(fila(v, f)).center();
    // A double click is a press on the row followed by the second click.
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, p);
}

} // namespace

class TestClaves : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<CarpetaPrograma> m_home;
    std::unique_ptr<TFormClaves> abrir()
    {
        auto f = std::make_unique<TFormClaves>();
        f->show();
        f->activateWindow();
        if (!QTest::qWaitForWindowActive(f.get()))
            qWarning("login window not active");
        return f;
    }
    QString home() const { return m_home->ruta(); }

private slots:
    void init()
    {
        destruirDatos();
        reiniciarEstado();
        m_home = std::make_unique<CarpetaPrograma>();
    }
    void cleanup()
    {
        destruirDatos();
        m_home.reset();
    }

    // First run with the tables next to the program: this seat holds the data.
    void primeraEjecucion()
    {
        crearMaestra(home());
        GrabadorMensajes g;
        auto f = abrir();
        QCOMPARE(Estado().Servidor, 1);
        QVERIFY(f->OpServidor->isChecked());
        QVERIFY(!f->OpServidor->isEnabled());
        QCOMPARE(f->LEjecuciones->text(), QStringLiteral("Nº Ejecuciones: 0"));
        QCOMPARE(f->LApagado->text(), QStringLiteral("Se cerró correctamente: No"));
        QVERIFY(f->LAcceso->text().startsWith(QStringLiteral("Último acceso: ")));
        ArchivoIni ini(rutaIniPrograma());
        QCOMPARE(ini.leeEntero(ini::Red, ini::Servidor, 0), 1);
        QCOMPARE(ini.leeEntero(ini::Aplicacion, ini::Ejecuciones, 0), 1);
        QCOMPARE(f->TListaUsuarios->model()->rowCount(), 2);
        QCOMPARE(f->TListaUsuarios->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Código"));
        QCOMPARE(f->TListaEmpresas->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Inicio"));
        QCOMPARE(f->TListaEmpresas->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Fin"));
        QCOMPARE(f->windowTitle(), QStringLiteral("Selección de usuario..."));
        QVERIFY(!f->TTemporizador->isActive());
        QVERIFY(g.mensajes.isEmpty());
    }

    // The data on a server folder: read from there, OpServidor cleared.
    void datosEnServidor()
    {
        QTemporaryDir servidor;
        const QString ruta = servidor.path() + QLatin1Char('/');
        crearMaestra(ruta);
        esEntINI(ini::Red, ini::Servidor, 0);
        esCadINI(ini::Red, ini::RutaServidor, ruta);
        GrabadorMensajes g;
        auto f = abrir();
        QVERIFY(!f->OpServidor->isChecked());
        QCOMPARE(f->TListaUsuarios->model()->rowCount(), 2);
        elegirFila(f->TListaUsuarios, QStringLiteral("CON"));
        elegirFila(f->TListaEmpresas, QStringLiteral("7"));
        f->BAceptar->click();
        QVERIFY(g.mensajes.isEmpty());
        QCOMPARE(Estado().CodigoEmpresa, 7);
        QCOMPARE(QDir(Datos()->DB->path()).canonicalPath(), QDir(ruta + QStringLiteral("Emp7")).canonicalPath());
        destruirDatos();
    }

    // A user without a password logs in by double-clicking the company.
    void sinClave()
    {
        crearMaestra(home());
        GrabadorMensajes g;
        auto f = abrir();
        elegirFila(f->TListaUsuarios, QStringLiteral("CON"));
        QCOMPARE(f->TxtClave->palette().color(QPalette::Base), colores::Plata);
        elegirFila(f->TListaEmpresas, QStringLiteral("7"));
        dobleClic(f->TListaEmpresas, f->TListaEmpresas->currentIndex().row());
        QVERIFY(g.mensajes.isEmpty());
        QVERIFY(f->ClaveCorrecta);
        QVERIFY(!f->terminarAplicacion());
        QCOMPARE(f->result(), int(QDialog::Accepted));
        QVERIFY(!f->isVisible());
        QCOMPARE(Estado().TipoUsuario, QStringLiteral("Consulta"));
        QCOMPARE(Estado().CodigoUsuario, QStringLiteral("CON"));
        QCOMPARE(Estado().CodigoEmpresa, 7);
        QCOMPARE(Estado().NombreEmpresa, QStringLiteral("Ventas Norte"));
        QCOMPARE(Estado().CambioEmpresa, 166.386);
        QCOMPARE(Estado().FechaFinEjercicio, QDate(2024, 12, 31));
        ArchivoIni ini(rutaIniPrograma());
        QCOMPARE(ini.leeCadena(ini::Usuario, ini::Codigo, QString()), QStringLiteral("CON"));
        QCOMPARE(ini.leeCadena(ini::Usuario, ini::Tipo, QString()), QStringLiteral("Consulta"));
        QCOMPARE(ini.leeEntero(ini::Empresa, ini::Codigo, 0), 7);
        QVERIFY(Datos()->DB->isOpen());
    }

    // With a password: Enter in the companies grid goes to the password box,
    // a wrong password is refused and kept selected, the right one logs in.
    void conClave()
    {
        crearMaestra(home());
        GrabadorMensajes g;
        auto f = abrir();
        elegirFila(f->TListaUsuarios, QStringLiteral("ADM"));
        QCOMPARE(f->TxtClave->palette().color(QPalette::Base), colores::ClaveConClave);
        QTest::keyClick(f->TListaUsuarios, Qt::Key_Return);
        QVERIFY(f->TListaEmpresas->hasFocus());
        elegirFila(f->TListaEmpresas, QStringLiteral("7"));
        QTest::keyClick(f->TListaEmpresas, Qt::Key_Return);
        QVERIFY(f->TxtClave->hasFocus());
        QVERIFY(g.mensajes.isEmpty());

        QTest::keyClicks(f->TxtClave, QStringLiteral("Secreto"));
        bool focoDuranteMensaje = false;
        g.alMostrar = [&](const MensajeGrabado&) { focoDuranteMensaje = true; };
        QTest::keyClick(f->TxtClave, Qt::Key_Return);
        QCOMPARE(g.resumen(), QStringList{mensaje(TipoMensaje::Error, TituloClave,
                                                  QStringLiteral("Clave incorrecta para el usuario actual."))});
        QVERIFY(focoDuranteMensaje);
        QVERIFY(f->isVisible());
        QVERIFY(!f->ClaveCorrecta);
        QVERIFY(f->TxtClave->hasFocus());
        QCOMPARE(f->TxtClave->text(), QStringLiteral("Secreto"));
        QCOMPARE(f->TxtClave->selectedText(), QStringLiteral("Secreto"));
        QCOMPARE(Estado().TipoUsuario, QString());

        g.limpiar();
        QTest::keyClicks(f->TxtClave, QStringLiteral("secreto")); // replaces the selection
        QTest::keyClick(f->TxtClave, Qt::Key_Return);
        QVERIFY(g.mensajes.isEmpty());
        QVERIFY(f->ClaveCorrecta);
        QVERIFY(!f->isVisible());
        QCOMPARE(Estado().TipoUsuario, QStringLiteral("Administrador"));
        QCOMPARE(Estado().CodigoEmpresa, 7);
    }

    // The remembered user and company are preselected.
    void recordados()
    {
        crearMaestra(home());
        esCadINI(ini::Usuario, ini::Codigo, QStringLiteral("CON"));
        esEntINI(ini::Empresa, ini::Codigo, 8);
        auto f = abrir();
        QCOMPARE(f->TTabla->fieldByName(QStringLiteral("Codigo"))->asString(), QStringLiteral("CON"));
        QCOMPARE(f->TListaUsuarios->currentIndex().data().toString(), QStringLiteral("CON"));
        QCOMPARE(f->TListaEmpresas->currentIndex().data().toString(), QStringLiteral("8"));
    }

    // A company whose folder is missing: the message, no company, the login ends.
    void empresaSinCarpeta()
    {
        crearMaestra(home());
        GrabadorMensajes g;
        auto f = abrir();
        elegirFila(f->TListaUsuarios, QStringLiteral("CON"));
        elegirFila(f->TListaEmpresas, QStringLiteral("8"));
        f->BAceptar->click();
        QCOMPARE(g.resumen(), QStringList{mensaje(TipoMensaje::Error, QStringLiteral("Abrir empresa..."),
                                                  QStringLiteral("Debe crear los ficheros de la empresa antes de abrirla."))});
        QCOMPARE(Estado().CodigoEmpresa, app::SinEmpresa);
        QCOMPARE(Estado().NombreEmpresa, QString());
        QVERIFY(f->ClaveCorrecta);
        QVERIFY(!f->isVisible());
        QCOMPARE(ArchivoIni(rutaIniPrograma()).leeEntero(ini::Empresa, ini::Codigo, 0), 8);
    }

    // No company at all: the login goes on with its warning.
    void sinEmpresas()
    {
        crearMaestra(home());
        {
            motor::Table e;
            e.setFolder(home());
            e.setTableName(QStringLiteral("Empresa.db"));
            e.open();
            while (!e.isEmpty())
                e.remove();
        }
        GrabadorMensajes g;
        auto f = abrir();
        elegirFila(f->TListaUsuarios, QStringLiteral("CON"));
        f->BAceptar->click();
        QCOMPARE(g.resumen(), QStringList{mensaje(TipoMensaje::Atencion, QStringLiteral("No hay empresas..."),
                                                  QStringLiteral("Debe crear una empresa y abrirla para poder trabajar."))});
        QVERIFY(!f->isVisible());
        QCOMPARE(Estado().TipoUsuario, QStringLiteral("Consulta"));
    }

    // The master folder cannot be found: only BRuta and Cancelar stay useful.
    void sinCarpetaMaestra()
    {
        esEntINI(ini::Red, ini::Servidor, 0);
        esCadINI(ini::Red, ini::RutaServidor, home() + QStringLiteral("noesta/"));
        auto f = abrir();
        QVERIFY(!Datos());
        QVERIFY(!f->BAceptar->isEnabled());
        QVERIFY(!f->TxtClave->isEnabled());
        QVERIFY(!f->TListaUsuarios->isEnabled());
        QVERIFY(!f->TListaEmpresas->isEnabled());
        QVERIFY(f->BRuta->isEnabled());
        QVERIFY(f->BCancelar->isEnabled());
        QCOMPARE(f->PanelBE->text(), QStringLiteral("ATENCIÓN: la ruta del servidor [  ") + home()
                                         + QStringLiteral("noesta/  ] no se encuentra."));
        QVERIFY(f->TTemporizador->isActive());
        QCOMPARE(f->TTemporizador->interval(), 500);
        // It blinks: red, then the window colour.
        QTRY_COMPARE_WITH_TIMEOUT(f->LI->color(), colores::Rojo, 1500);
        QTRY_COMPARE_WITH_TIMEOUT(f->LI->color(), f->palette().color(QPalette::Window), 1500);
        f->BCancelar->click();
        QVERIFY(f->terminarAplicacion());
        QVERIFY(!f->isVisible());
    }

    void indicadorCopia_data()
    {
        QTest::addColumn<int>("dias"); // -1: no CS.ini
        QTest::addColumn<QColor>("color");
        QTest::newRow("sin CS.ini") << -1 << colores::Rojo;
        QTest::newRow("hoy") << 0 << colores::Verde;
        QTest::newRow("2 días") << 2 << colores::Verde;
        QTest::newRow("3 días") << 3 << colores::Amarillo;
        QTest::newRow("exactamente 5") << 5 << colores::Purpura;
        QTest::newRow("9 días") << 9 << colores::Purpura;
        QTest::newRow("exactamente 10") << 10 << colores::Rojo;
        QTest::newRow("40 días") << 40 << colores::Rojo;
    }
    void indicadorCopia()
    {
        QFETCH(int, dias);
        QFETCH(QColor, color);
        crearMaestra(home());
        if (dias >= 0)
            escribirCopia(home() + QStringLiteral("Emp7"), QDate::currentDate().addDays(-dias));
        auto f = abrir();
        elegirFila(f->TListaEmpresas, QStringLiteral("8"));
        elegirFila(f->TListaEmpresas, QStringLiteral("7"));
        QCOMPARE(f->LI->color(), color);
        if (dias < 0)
            QCOMPARE(f->PanelBE->text(), QStringLiteral("No existe información sobre copia de seguridad de esta empresa."));
        else
            QCOMPARE(f->PanelBE->text(), QStringLiteral("La última copia de seguridad de esta empresa la realizó hace ")
                                             + QString::number(dias) + QStringLiteral(" días"));
    }

    // BRuta: a folder without the tables, a local folder, a network folder.
    void cambiarRuta_data()
    {
        QTest::addColumn<bool>("conTablas");
        QTest::addColumn<bool>("deRed");
        QTest::newRow("sin tablas") << false << true;
        QTest::newRow("local") << true << false;
        QTest::newRow("red") << true << true;
    }
    void cambiarRuta()
    {
        QFETCH(bool, conTablas);
        QFETCH(bool, deRed);
        crearMaestra(home());
        QTemporaryDir servidor;
        const QString ruta = servidor.path();
        if (conTablas) {
            QDir().mkpath(ruta + QStringLiteral("/Tablas"));
            QFile db(ruta + QStringLiteral("/Tablas/COMERCIAL.DB")); // names ignore case
            QVERIFY(db.open(QIODevice::WriteOnly));
        }
        GrabadorMensajes g;
        auto f = abrir();
        QString probada;
        f->elegirCarpeta = [&] { return ruta; };
        f->esRutaDeRed = [&](const QString& r) { probada = r; return deRed; };
        f->BRuta->click();
        const QString guardada = leCadINI(ini::Red, ini::RutaServidor, QStringLiteral("nada"));
        if (!conTablas) {
            QCOMPARE(g.resumen(), QStringList{mensaje(TipoMensaje::Atencion, QStringLiteral("Ruta no válida..."),
                                                      QStringLiteral("No se ha encontrado la base de datos en la ruta: \n\n")
                                                          + ruta + QStringLiteral("\n\nCompruebe que el servidor está activo y en red."))});
            QVERIFY(f->isVisible());
            QCOMPARE(guardada, QStringLiteral("nada"));
        } else if (!deRed) {
            QCOMPARE(probada, ruta);
            QCOMPARE(g.resumen(), QStringList{mensaje(TipoMensaje::Error, QStringLiteral("Error en la ruta..."),
                                                      QStringLiteral("La ruta seleccionada: \n\n") + ruta
                                                          + QStringLiteral("\n\n no está en formato BNC:\n\n"
                                                                           "\\\\NOMBRESERVIDOR\\RECURSOCOMPARTIDO."))});
            QVERIFY(f->isVisible());
            QVERIFY(!f->terminarAplicacion());
            QCOMPARE(guardada, QStringLiteral("nada"));
        } else {
            QCOMPARE(g.resumen(), QStringList{mensaje(TipoMensaje::Info, QStringLiteral("Atención..."),
                                                      QStringLiteral("La aplicación se cerrará para que los cambios tengan efecto."))});
            QCOMPARE(guardada, ruta + QLatin1Char('/'));
            QCOMPARE(Estado().Servidor, 1); // unchanged
            QVERIFY(f->terminarAplicacion());
            QVERIFY(!f->isVisible());
        }
    }

    void permisos_data()
    {
        // Columns: Administrador, Consulta, Consulta/Modific., Listados, Restringido, Totales.
        QTest::addColumn<QString>("clase");
        QTest::addColumn<QString>("permitidos");
        QTest::newRow("usuarios") << "usuarios" << "100000";
        QTest::newRow("consulta") << "consulta" << "111101";
        QTest::newRow("modificacion") << "modificacion" << "101001";
        QTest::newRow("altas/bajas") << "altas/bajas" << "101001";
        QTest::newRow("localizar") << "localizar" << "111111";
        QTest::newRow("zoom") << "zoom" << "111111";
    }
    void permisos()
    {
        QFETCH(QString, clase);
        QFETCH(QString, permitidos);
        const QStringList tipos = {"Administrador", "Consulta", "Consulta/Modific.", "Listados", "Restringido", "Totales"};
        Estado().NombreEmpresa = QStringLiteral("Ventas Norte");
        for (int i = 0; i < tipos.size(); ++i) {
            Estado().TipoUsuario = tipos[i];
            GrabadorMensajes g;
            const bool esperado = permitidos[i] == QLatin1Char('1');
            QCOMPARE(ComprobarUsuario(clase, false), esperado);
            const QStringList msgs = esperado ? QStringList()
                : QStringList{mensaje(TipoMensaje::Error, QStringLiteral("Permiso restringido..."),
                                      QStringLiteral("No tiene permiso para ejecutar esta opción."))};
            QCOMPARE(g.resumen(), msgs);
        }
    }

    void permisosSinEmpresa()
    {
        Estado().TipoUsuario = QStringLiteral("Administrador");
        GrabadorMensajes g;
        QVERIFY(!ComprobarUsuario(QStringLiteral("zoom"), false));
        QCOMPARE(g.resumen(), QStringList{mensaje(TipoMensaje::Atencion, QStringLiteral("Abrir empresa..."),
                                                  QStringLiteral("Abra una empresa para introducir datos."))});
        g.limpiar();
        QVERIFY(ComprobarUsuario(QStringLiteral("usuarios"), true));
        Estado().TipoUsuario = QStringLiteral("Listados");
        QVERIFY(!ComprobarUsuario(QStringLiteral("altas/bajas"), true));
        QCOMPARE(g.resumen(), QStringList{mensaje(TipoMensaje::Error, QStringLiteral("Permiso restringido..."),
                                                  QStringLiteral("No tiene permiso para ejecutar esta opción."))});
    }

    // Opening a company sets the main window's caption.
    void abrirEmpresaTitulo()
    {
        crearMaestra(home());
        Estado().Servidor = 1;
        crearDatos();
        QWidget principal;
        principal.setWindowTitle(QStringLiteral("Menú Principal - Gestión de productos"));
        ponerVentanaPrincipal(&principal);
        QVERIFY(AbrirEmpresa(7));
        QCOMPARE(principal.windowTitle(), QStringLiteral("7 - Ventas Norte"));
        QVERIFY(!AbrirEmpresa(99)); // no such company: nothing changes
        QCOMPARE(Estado().CodigoEmpresa, 7);
        ponerVentanaPrincipal(nullptr);
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    }
};

QTEST_MAIN(TestClaves)
#include "tst_claves_login.moc"
