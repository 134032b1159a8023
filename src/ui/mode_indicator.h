#pragma once

#include <QLabel>

// The coloured indicator of an editing window's mode text ("normal", "add", "edit").
class ModeIndicator : public QLabel
{
    Q_OBJECT
public:
    explicit ModeIndicator(QWidget *parent = nullptr);

    // Background colours of the three modes (CSS colour names or #rrggbb).
    struct Colours
    {
        QString normal = QStringLiteral("#7fd67f"); // green
        QString add = QStringLiteral("#ffe066");    // yellow
        QString edit = QStringLiteral("#ffa94d");   // orange
    };
    // A window whose indicator has colours of its own.
    void setColours(const Colours &colours);

    void setMode(const QString &mode);
    QString mode() const { return m_mode; }

    static bool isEditing(const QString &mode) { return mode == u"add" || mode == u"edit"; }

private:
    QString m_mode;
    Colours m_colours;
};
