#include "ui/mode_indicator.h"

ModeIndicator::ModeIndicator(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setMinimumWidth(60);
    setAutoFillBackground(true);
    setMode(QStringLiteral("normal"));
}

void ModeIndicator::setMode(const QString &mode)
{
    m_mode = mode;
    setText(mode);
    // normal: green, add: yellow, edit: orange; anything else grey.
    QString colour = QStringLiteral("#c0c0c0");
    if (mode == u"normal")
        colour = QStringLiteral("#7fd67f");
    else if (mode == u"add")
        colour = QStringLiteral("#ffe066");
    else if (mode == u"edit")
        colour = QStringLiteral("#ffa94d");
    setStyleSheet(QStringLiteral("QLabel { background: %1; border: 1px solid #606060; padding: 1px 6px; }")
                      .arg(colour));
}
