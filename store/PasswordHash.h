#pragma once

#include <QString>

// The authorisation code is stored as a libsodium password hash, never as the
// code itself.
namespace PasswordHash {

// Throws QuillError when libsodium cannot hash (out of memory).
QString hash(const QString& code);
// Whether the typed code matches the stored value. A stored value that is not
// a libsodium hash (a ledger made before hashing) is compared as plain text.
bool matches(const QString& stored, const QString& typed);
bool isHash(const QString& stored);

} // namespace PasswordHash
