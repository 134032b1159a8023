#pragma once

#include <QString>

// Account passwords are never stored as typed: market.PASSWD holds a salted PBKDF2-SHA256 digest
// in the form "pbkdf2-sha256$<iterations>$<salt, base64>$<digest, base64>".

QString HashPassword(const QString &password);
// True when password, compared exactly (letter case and blanks count), is the one hashed in stored.
// A stored text that is not a digest never matches.
bool VerifyPassword(const QString &password, const QString &stored);
bool IsPasswordHash(const QString &stored);
