#pragma once

// The PostgreSQL driver warns on standard error when it cannot free a prepared statement inside a
// transaction that has already failed; the statement goes with the transaction's end or the
// session, and the failure itself is reported where it happened. This filter keeps that warning
// off standard error (commands promise one line there) and passes every other message on.
void InstallDriverMessageFilter();
