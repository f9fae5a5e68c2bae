#pragma once

#include <QString>

// Passwords are kept as Argon2id hashes, never in clear.
namespace PasswordHash {

QString hash(const QString &password);
bool isHash(const QString &stored);
// True when the password matches a stored hash. A stored value that is no
// hash (written by an older program) is compared as it stands.
bool verify(const QString &stored, const QString &password);

} // namespace PasswordHash
