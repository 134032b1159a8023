#pragma once

#include <QByteArray>
#include <QString>

// Windows code page 874 (Thai), the single-byte text of the CSV files the program writes.

// Characters the code page cannot represent become '?' and set *ok to false.
QByteArray EncodeWindows874(const QString &text, bool *ok = nullptr);

// Bytes the code page leaves undefined become U+FFFD.
QString DecodeWindows874(const QByteArray &bytes);
