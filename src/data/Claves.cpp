#include "data/Claves.h"

#include "core/Errores.h"

#include <QByteArray>
#include <sodium.h>

namespace claves {

namespace {
void iniciaSodio()
{
    static const bool listo = sodium_init() >= 0;
    if (!listo)
        throw Excepcion(QStringLiteral("No se puede iniciar la biblioteca de claves."));
}
} // namespace

QString hash(const QString& clave)
{
    if (clave.isEmpty())
        return {};
    iniciaSodio();
    const QByteArray c = clave.toUtf8();
    char salida[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(salida, c.constData(), static_cast<unsigned long long>(c.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw Excepcion(QStringLiteral("No hay memoria suficiente para calcular la clave."));
    const QString r = QString::fromLatin1(salida);
    sodium_memzero(salida, sizeof salida);
    return r;
}

bool tieneClave(const QVariant& almacenada)
{
    return !almacenada.isNull() && !almacenada.toString().isEmpty();
}

bool verifica(const QVariant& almacenada, const QString& tecleada)
{
    if (!tieneClave(almacenada))
        return true;
    const QByteArray h = almacenada.toString().toLatin1();
    if (!h.startsWith("$argon2") || h.size() >= crypto_pwhash_STRBYTES)
        return false;
    iniciaSodio();
    const QByteArray t = tecleada.toUtf8();
    return crypto_pwhash_str_verify(h.constData(), t.constData(),
                                    static_cast<unsigned long long>(t.size())) == 0;
}

} // namespace claves
