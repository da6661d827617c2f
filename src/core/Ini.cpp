#include "core/Ini.h"

#include "core/Errores.h"
#include "core/Regional.h"
#include "platform/Plataforma.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

bool mismoNombre(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// UTF-8; a file written by an 8-bit code page still reads (as Latin-1).
QString decodifica(const QByteArray& datos)
{
    QByteArray d = datos;
    if (d.startsWith("\xEF\xBB\xBF"))
        d.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString texto = utf8.decode(d);
    if (utf8.hasError())
        texto = QString::fromLatin1(d);
    return texto;
}

// A value must stay on its line.
QString unaLinea(QString s)
{
    s.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
}

} // namespace

ArchivoIni::ArchivoIni(QString ruta) : m_ruta(std::move(ruta))
{
    QFile f(m_ruta);
    if (!f.open(QIODevice::ReadOnly)) {
        // Present but unreadable: reads give the defaults, and a write must
        // not replace the file with only the new key.
        m_ilegible = f.exists();
        return;
    }
    const QString texto = decodifica(f.readAll());
    f.close();
    Seccion* actual = nullptr;
    const QStringList lineas = texto.split(QLatin1Char('\n'));
    for (QString linea : lineas) {
        linea = linea.trimmed();
        if (linea.isEmpty() || linea.startsWith(QLatin1Char(';')))
            continue;
        if (linea.startsWith(QLatin1Char('['))) {
            const qsizetype fin = linea.indexOf(QLatin1Char(']'));
            const QString nombre = (fin < 0 ? linea.mid(1) : linea.mid(1, fin - 1)).trimmed();
            actual = &buscaOCrea(nombre);
            continue;
        }
        const qsizetype igual = linea.indexOf(QLatin1Char('='));
        if (igual <= 0 || !actual)
            continue;
        const QString clave = linea.left(igual).trimmed();
        const QString valor = linea.mid(igual + 1).trimmed();
        bool hecho = false;
        for (auto& par : actual->valores) {
            if (mismoNombre(par.first, clave)) { // the first one wins, as the system's reader did
                hecho = true;
                break;
            }
        }
        if (!hecho)
            actual->valores.append({clave, valor});
    }
}

const ArchivoIni::Seccion* ArchivoIni::busca(const QString& seccion) const
{
    for (const Seccion& s : m_secciones)
        if (mismoNombre(s.nombre, seccion))
            return &s;
    return nullptr;
}

ArchivoIni::Seccion& ArchivoIni::buscaOCrea(const QString& seccion)
{
    for (Seccion& s : m_secciones)
        if (mismoNombre(s.nombre, seccion))
            return s;
    m_secciones.append({seccion, {}});
    return m_secciones.last();
}

bool ArchivoIni::existeSeccion(const QString& seccion) const
{
    return busca(seccion) != nullptr;
}

bool ArchivoIni::existe(const QString& seccion, const QString& clave) const
{
    const Seccion* s = busca(seccion);
    if (!s)
        return false;
    for (const auto& par : s->valores)
        if (mismoNombre(par.first, clave))
            return true;
    return false;
}

QStringList ArchivoIni::claves(const QString& seccion) const
{
    QStringList r;
    if (const Seccion* s = busca(seccion))
        for (const auto& par : s->valores)
            r << par.first;
    return r;
}

QString ArchivoIni::leeCadena(const QString& seccion, const QString& clave, const QString& defecto) const
{
    if (const Seccion* s = busca(seccion))
        for (const auto& par : s->valores)
            if (mismoNombre(par.first, clave))
                return par.second;
    return defecto;
}

int ArchivoIni::leeEntero(const QString& seccion, const QString& clave, int defecto) const
{
    const QString v = leeCadena(seccion, clave, QString());
    bool ok = false;
    const int n = v.toInt(&ok, 10);
    return ok ? n : defecto;
}

bool ArchivoIni::leeBooleano(const QString& seccion, const QString& clave, bool defecto) const
{
    return leeEntero(seccion, clave, defecto ? 1 : 0) != 0;
}

QDate ArchivoIni::leeFecha(const QString& seccion, const QString& clave, const QDate& defecto) const
{
    const auto f = regional::leeFecha(leeCadena(seccion, clave, QString()));
    return f ? *f : defecto;
}

QTime ArchivoIni::leeHora(const QString& seccion, const QString& clave, const QTime& defecto) const
{
    const auto h = regional::leeHora(leeCadena(seccion, clave, QString()));
    return h ? *h : defecto;
}

QDateTime ArchivoIni::leeFechaHora(const QString& seccion, const QString& clave, const QDateTime& defecto) const
{
    const auto fh = regional::leeFechaHora(leeCadena(seccion, clave, QString()));
    return fh ? *fh : defecto;
}

double ArchivoIni::leeReal(const QString& seccion, const QString& clave, double defecto) const
{
    const auto r = regional::leeReal(leeCadena(seccion, clave, QString()));
    return r ? *r : defecto;
}

void ArchivoIni::escribeCadena(const QString& seccion, const QString& clave, const QString& valor)
{
    Seccion& s = buscaOCrea(seccion);
    const QString v = unaLinea(valor).trimmed();
    for (auto& par : s.valores) {
        if (mismoNombre(par.first, clave)) {
            par.second = v; // keeps the spelling already in the file
            return;
        }
    }
    s.valores.append({clave, v});
}

void ArchivoIni::escribeEntero(const QString& seccion, const QString& clave, int valor)
{
    escribeCadena(seccion, clave, QString::number(valor));
}

void ArchivoIni::escribeBooleano(const QString& seccion, const QString& clave, bool valor)
{
    escribeCadena(seccion, clave, valor ? QStringLiteral("1") : QStringLiteral("0"));
}

void ArchivoIni::escribeFecha(const QString& seccion, const QString& clave, const QDate& valor)
{
    escribeCadena(seccion, clave, regional::fechaCorta(valor));
}

void ArchivoIni::escribeHora(const QString& seccion, const QString& clave, const QTime& valor)
{
    escribeCadena(seccion, clave, regional::hora(valor));
}

void ArchivoIni::escribeReal(const QString& seccion, const QString& clave, double valor)
{
    escribeCadena(seccion, clave, regional::real(valor));
}

void ArchivoIni::borraClave(const QString& seccion, const QString& clave)
{
    for (Seccion& s : m_secciones) {
        if (!mismoNombre(s.nombre, seccion))
            continue;
        for (qsizetype i = 0; i < s.valores.size(); ++i) {
            if (mismoNombre(s.valores[i].first, clave)) {
                s.valores.removeAt(i);
                return;
            }
        }
    }
}

void ArchivoIni::guardar() const
{
    QString texto;
    for (const Seccion& s : m_secciones) {
        if (!texto.isEmpty())
            texto += QLatin1Char('\n');
        texto += QLatin1Char('[') + s.nombre + QStringLiteral("]\n");
        for (const auto& par : s.valores)
            texto += par.first + QLatin1Char('=') + par.second + QLatin1Char('\n');
    }
    if (m_ilegible)
        throw EInOutError(QStringLiteral("No se puede leer el archivo de configuración %1.")
                              .arg(QDir::toNativeSeparators(m_ruta)));
    QSaveFile f(m_ruta);
    if (!f.open(QIODevice::WriteOnly) || f.write(texto.toUtf8()) < 0 || !f.commit()) {
        const QString motivo = f.errorString();
        f.cancelWriting();
        throw EInOutError(QStringLiteral("No se puede escribir el archivo de configuración %1: %2")
                              .arg(QDir::toNativeSeparators(m_ruta), motivo));
    }
}

// ---------------------------------------------------------------------------

QString rutaIniPrograma()
{
    return plataforma::rutaConExtension(QStringLiteral(".INI"));
}

bool leBoolINI(const QString& s, const QString& c, bool d) { return ArchivoIni(rutaIniPrograma()).leeBooleano(s, c, d); }
int leEntINI(const QString& s, const QString& c, int d) { return ArchivoIni(rutaIniPrograma()).leeEntero(s, c, d); }
QString leCadINI(const QString& s, const QString& c, const QString& d) { return ArchivoIni(rutaIniPrograma()).leeCadena(s, c, d); }
QDate leFechaINI(const QString& s, const QString& c, const QDate& d) { return ArchivoIni(rutaIniPrograma()).leeFecha(s, c, d); }
double leFloatINI(const QString& s, const QString& c, double d) { return ArchivoIni(rutaIniPrograma()).leeReal(s, c, d); }

void esBoolINI(const QString& s, const QString& c, bool v)
{
    ArchivoIni a(rutaIniPrograma());
    a.escribeBooleano(s, c, v);
    a.guardar();
}

void esEntINI(const QString& s, const QString& c, int v)
{
    ArchivoIni a(rutaIniPrograma());
    a.escribeEntero(s, c, v);
    a.guardar();
}

void esCadINI(const QString& s, const QString& c, const QString& v)
{
    ArchivoIni a(rutaIniPrograma());
    a.escribeCadena(s, c, v);
    a.guardar();
}

void esFechaINI(const QString& s, const QString& c, const QDate& v)
{
    ArchivoIni a(rutaIniPrograma());
    a.escribeFecha(s, c, v);
    a.guardar();
}

void esFloatINI(const QString& s, const QString& c, double v)
{
    ArchivoIni a(rutaIniPrograma());
    a.escribeReal(s, c, v);
    a.guardar();
}
