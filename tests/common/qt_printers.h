#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

#include <ostream>

// Readable values in failure messages. GoogleTest finds these through argument-dependent lookup,
// so they live in the global namespace like the Qt types.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QDate &d, std::ostream *os)
{
    *os << (d.isValid() ? d.toString(Qt::ISODate).toStdString() : std::string("(no date)"));
}

inline void PrintTo(const QByteArray &b, std::ostream *os)
{
    *os << "0x" << b.toHex(' ').toStdString();
}
