#pragma once

#include <QDate>
#include <QString>

// Date texts as stored in the database and shown on screen: "dd/mm/yyyy", day and month with two
// digits, the year in the Buddhist era (Christian year + 543). The empty date is "  /  /    ".

// The days a date text can hold: from 1 January of the Christian year 1 ("01/01/0544") to
// 31 December of the Buddhist year 9999. Date pickers keep to this range.
QDate FirstDateOfText();
QDate LastDateOfText();

// The date text of d, always 10 characters: Buddhist years below 1000 keep four digits with
// leading zeros. A null or invalid QDate (no date), and a day outside the range above, gives the
// empty date text; every other text reads back with TextToDate.
QString DateToText(const QDate &d);

// Reads a date text. A text that is not 10 characters long once trimmed, or that does not name a
// real day, gives a null QDate and the message for the user in *message (empty on success). The
// caller shows the message; this library has no windows.
QDate TextToDate(const QString &t, QString *message = nullptr);

// True when t is a 10-character "dd/mm/yyyy" text of a real day in the Buddhist era. Anything
// else, including non-digits where digits belong, answers false.
bool IsValidDateText(const QString &t);

// True when t reads as a finite number: optional sign, digits with at most one decimal point and
// an optional exponent ("2.5E-3"), surrounding blanks allowed; "nan" and "inf" are not numbers.
// Otherwise false with the message for the user in *message.
bool IsNumberText(const QString &t, QString *message = nullptr);

// The date texts of the first and of the last day of month m (1-12) of a Buddhist-era year. A
// month outside 1-12 gives the empty text.
QString MonthStartText(int m, int buddhistYear);
QString MonthEndText(int m, int buddhistYear);

// The trimmed t with "0"s in front up to width w; blank text gives the empty text and a text of
// w characters or more is returned trimmed.
QString ZeroPad(const QString &t, int w);

// The characters of t before its first blank; a text without a blank, or beginning with one,
// gives the empty text.
QString FirstWord(const QString &t);

// The sort and range key "yyyymmdd" of a date text (characters 7-10, 4-5, 1-2), the same key the
// SQL statements build with substr(d,7,4)||substr(d,4,2)||substr(d,1,2).
QString DateKey(const QString &dateText);
QString DateKey(const QDate &d);
