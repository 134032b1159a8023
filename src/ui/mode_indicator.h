#pragma once

#include <QLabel>

// The coloured indicator of an editing window's mode text ("normal", "add", "edit").
class ModeIndicator : public QLabel
{
    Q_OBJECT
public:
    explicit ModeIndicator(QWidget *parent = nullptr);

    void setMode(const QString &mode);
    QString mode() const { return m_mode; }

    static bool isEditing(const QString &mode) { return mode == u"add" || mode == u"edit"; }

private:
    QString m_mode;
};
