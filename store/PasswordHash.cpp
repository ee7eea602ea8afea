#include "store/PasswordHash.h"

#include "store/QuillError.h"

#include <sodium.h>

namespace PasswordHash {

namespace {
void initialise() {
    if (sodium_init() < 0)
        throw QuillError(QStringLiteral("libsodium could not be initialised"));
}
} // namespace

QString hash(const QString& code) {
    initialise();
    const QByteArray utf8 = code.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    // Argon2id with 2 passes over 19 MiB (OWASP's baseline): about 25 ms here,
    // so the gate stays instant. The cost is written into the hash string, so
    // codes hashed with other costs still verify.
    constexpr unsigned long long passes = 2;
    constexpr std::size_t memory = 19u << 20;
    if (crypto_pwhash_str(out, utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                          passes, memory) != 0)
        throw QuillError(QStringLiteral("Out of memory while hashing the password"));
    return QString::fromLatin1(out);
}

bool isHash(const QString& stored) {
    return stored.startsWith(QLatin1String("$argon2"));
}

bool matches(const QString& stored, const QString& typed) {
    if (!isHash(stored))
        return stored == typed;
    initialise();
    const QByteArray hashText = stored.toLatin1();
    const QByteArray utf8 = typed.toUtf8();
    if (hashText.size() >= crypto_pwhash_STRBYTES)
        return false;
    char buffer[crypto_pwhash_STRBYTES] = {};
    std::copy(hashText.begin(), hashText.end(), buffer);
    return crypto_pwhash_str_verify(buffer, utf8.constData(),
                                    static_cast<unsigned long long>(utf8.size())) == 0;
}

} // namespace PasswordHash
