#include "ui/dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QString applicationTitle()
{
    return QApplication::applicationDisplayName();
}

class QtDialogs final : public DialogsPort
{
public:
    void message(QWidget *parent, const QString &text) override
    {
        QMessageBox::information(parent, applicationTitle(), text, QMessageBox::Ok);
    }

    void error(QWidget *parent, const QString &text) override
    {
        QMessageBox::critical(parent, applicationTitle(), text, QMessageBox::Ok);
    }

    bool askYesNo(QWidget *parent, const QString &text) override
    {
        return QMessageBox::question(parent, applicationTitle(), text,
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
               == QMessageBox::Yes;
    }

    bool inputText(QWidget *parent, const QString &title, const QString &prompt,
                   QString &value) override
    {
        bool ok = false;
        const QString answer =
            QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, value, &ok);
        if (ok)
            value = answer;
        return ok;
    }
};

QtDialogs qtDialogs;
DialogsPort *current = nullptr;

} // namespace

DialogsPort &Dialogs()
{
    return current ? *current : qtDialogs;
}

void SetDialogs(DialogsPort *port)
{
    current = port;
}
