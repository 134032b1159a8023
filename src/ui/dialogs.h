#pragma once

#include <QString>

class QWidget;

// Every message, Yes/No question and one-line input of the program goes through this port, so the
// windows never call QMessageBox directly and tests can answer the dialogs from a script.
class DialogsPort
{
public:
    virtual ~DialogsPort() = default;

    // Plain information box with one OK button.
    virtual void message(QWidget *parent, const QString &text) = 0;
    // Error box for failures reported by the store or the system (the toolkit's standard error box).
    virtual void error(QWidget *parent, const QString &text) = 0;
    // Yes/No question; true for Yes.
    virtual bool askYesNo(QWidget *parent, const QString &text) = 0;
    // One-line input dialog with a default text. Returns false when the user closed it without OK;
    // value then still holds the default.
    virtual bool inputText(QWidget *parent, const QString &title, const QString &prompt,
                           QString &value) = 0;
};

// The port in use: Qt's dialogs unless a test installed another one.
DialogsPort &Dialogs();
// Installs a port (nullptr restores Qt's dialogs). The caller keeps ownership.
void SetDialogs(DialogsPort *port);
