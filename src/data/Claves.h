#pragma once
// User passwords: stored as libsodium crypto_pwhash_str hashes (Argon2id) in
// Usuario.Clave, never in clear; never shown or printed.
#include <QString>
#include <QVariant>

namespace claves {

// Hash of a password for Usuario.Clave; an empty password gives an empty
// text (no password). Throws Excepcion when the hashing fails (out of memory).
QString hash(const QString& clave);
// True when the typed password matches the stored value. A user without a
// password (null or empty) is accepted whatever is typed, as the login does;
// a stored value that is not a hash never matches.
bool verifica(const QVariant& almacenada, const QString& tecleada);
// The user has a password: the stored value is neither null nor empty.
bool tieneClave(const QVariant& almacenada);

} // namespace claves
