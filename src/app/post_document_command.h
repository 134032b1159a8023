#pragma once

#include <QByteArray>
#include <QStringList>

// larderon post-document DATA_DIR: saves one stock document read as JSON from standard input
// through the stock document window's own data class (the same numbering, column values, stock
// check and transactions) and prints its new number. The whole document is one unit: a refused
// line stores nothing of it. arguments are those after the command name. Returns the exit code:
// 0 saved, 1 refused or failed (one line on standard error: the Thai message and an English
// gloss), 2 bad usage.
int PostDocumentCommand(const QStringList &arguments);

// The same with the document given (for the command itself: standard input read whole).
int PostDocument(const QString &dataFolder, const QByteArray &json);

QString PostDocumentUsage();
