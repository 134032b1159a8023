#pragma once

#include <QStringList>

// larderon reset-password DATA_DIR USER [--stdin]: gives an account a new password, typed twice
// on the terminal or read as one line from standard input. Whoever can write the data folder owns
// the data anyway; this is the way back in for a shop that forgot its administrator's password or
// took its accounts from elsewhere (the store holds only salted digests, which cannot be read
// back). arguments are those after the command name. Returns the exit code: 0 done, 1 failed (one
// line on standard error), 2 bad usage.
int ResetPasswordCommand(const QStringList &arguments);

// The usage lines of the command.
QString ResetPasswordUsage();
