#include "platform/PasswordHash.h"

#include <sodium.h>

#include <stdexcept>

namespace PasswordHash {
namespace {
void initSodium()
{
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw std::runtime_error("libsodium could not be initialised");
}
} // namespace

QString hash(const QString &password)
{
    initSodium();
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw std::runtime_error("out of memory while hashing a password");
    return QString::fromLatin1(out);
}

bool isHash(const QString &stored)
{
    return stored.startsWith(QLatin1String("$argon2id$"));
}

bool verify(const QString &stored, const QString &password)
{
    if (!isHash(stored))
        return stored == password;
    initSodium();
    const QByteArray h = stored.toLatin1();
    const QByteArray utf8 = password.toUtf8();
    return crypto_pwhash_str_verify(h.constData(), utf8.constData(), static_cast<unsigned long long>(utf8.size())) == 0;
}

} // namespace PasswordHash
