#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Document numbers: the 4-character prefix, the kind digit (together the number's head) and a
// 6-digit running number with leading zeros, ABCD1000001. Each head runs on its own.

inline constexpr int kRunningDigits = 6;

// The question asked before the first document of a head is saved.
QString FirstNumberTitle();
QString FirstNumberPrompt();
QString FirstNumberDefault(); // "000001", also the answer of a dialog closed without OK

// The messages of a refused number.
QString NotANumberMessage();     // the answer is not a number
QString NotSixDigitsMessage();   // the answer does not have 6 characters
QString CannotNumberMessage();   // the number cannot be formed
QString CannotSaveMessage();     // the save stops for want of a number
QString NumbersUsedUpMessage(const QString &head);

// The check of an answer to the first-number question: valid when it is exactly 6 digits. The
// messages a refused answer shows, in order: "not a number" when it holds anything but digits,
// "not 6 digits" when its length is not 6, and "cannot form the number" when it is no number.
struct FirstNumberCheck
{
    bool valid = false;
    QStringList messages;
};
FirstNumberCheck CheckFirstNumber(const QString &answer);

// The number after the highest one of its head: the same head and the running number plus one.
// nullopt when the running part is not 6 digits or is already 999999: a seventh digit would not
// fit the 11-character column.
std::optional<QString> NextDocumentNumber(const QString &last);
