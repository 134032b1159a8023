#include "ui/fake_dialogs.h"

FakeDialogs::FakeDialogs()
{
    SetDialogs(this);
}

FakeDialogs::~FakeDialogs()
{
    SetDialogs(nullptr);
}

void FakeDialogs::message(QWidget *, const QString &text)
{
    m_shown.append(text);
    m_messages.append(text);
}

void FakeDialogs::error(QWidget *, const QString &text)
{
    m_shown.append(text);
    m_errors.append(text);
}

bool FakeDialogs::askYesNo(QWidget *, const QString &text)
{
    m_shown.append(text);
    return m_yesNo.isEmpty() ? false : m_yesNo.takeFirst();
}

bool FakeDialogs::inputText(QWidget *, const QString &, const QString &prompt, QString &value)
{
    m_shown.append(prompt);
    if (m_inputs.isEmpty())
        return false;
    const Input input = m_inputs.takeFirst();
    if (input.ok)
        value = input.text;
    return input.ok;
}

void FakeDialogs::clear()
{
    m_shown.clear();
    m_messages.clear();
    m_errors.clear();
}
