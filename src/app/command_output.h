#pragma once

#include <QString>
#include <QTextStream>

// What the commands print on standard error. A failure is one line: the Thai message the window
// shows and an English gloss, "larderon COMMAND: <Thai> (<English>)"; texts of the engines that run
// over several lines (the server reports its errors with a "LINE" and a caret) are folded into it.
// Wrong usage names what is wrong and shows the usage.

QTextStream &ErrorStream();

// The text on one line: line breaks become " / ", runs of blanks one blank.
QString OneLine(const QString &text);

// Prints the failure line; returns the exit code of a failure, 1.
int FailCommand(const char *command, const QString &thai, const QString &english);

// Prints what is wrong (when given) and the usage; returns the exit code of wrong usage, 2.
int BadUsage(const char *command, const QString &why, const QString &usage);

// The program reads its arguments as UTF-8; bytes that are not UTF-8 come through as U+FFFD and
// would name another file than the one meant. Prints the failure and answers true for such a name.
bool UnreadableName(const char *command, const QStringList &names);
