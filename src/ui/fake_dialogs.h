#pragma once

#include "ui/dialogs.h"

#include <QList>
#include <QStringList>

// Scripted dialogs for tests: records every text shown and answers questions and inputs from
// queues filled by the test. An unexpected question or input answers No / cancel and is recorded,
// so a test sees it in shown().
class FakeDialogs final : public DialogsPort
{
public:
    FakeDialogs();
    ~FakeDialogs() override;

    void message(QWidget *parent, const QString &text) override;
    void error(QWidget *parent, const QString &text) override;
    bool askYesNo(QWidget *parent, const QString &text) override;
    bool inputText(QWidget *parent, const QString &title, const QString &prompt,
                   QString &value) override;

    void answerYesNo(bool yes) { m_yesNo.append(yes); }
    // nullopt-like: an empty QString with ok == false means "closed without OK".
    void answerInput(const QString &text, bool ok = true) { m_inputs.append({text, ok}); }

    // Every text shown, in order (messages, errors, questions, input prompts).
    const QStringList &shown() const { return m_shown; }
    const QStringList &messages() const { return m_messages; }
    const QStringList &errors() const { return m_errors; }
    void clear();

private:
    struct Input
    {
        QString text;
        bool ok;
    };
    QList<bool> m_yesNo;
    QList<Input> m_inputs;
    QStringList m_shown;
    QStringList m_messages;
    QStringList m_errors;
};
