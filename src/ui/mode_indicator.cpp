#include "ui/mode_indicator.h"

ModeIndicator::ModeIndicator(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setMinimumWidth(60);
    setAutoFillBackground(true);
    setMode(QStringLiteral("normal"));
}

void ModeIndicator::setColours(const Colours &colours)
{
    m_colours = colours;
    setMode(m_mode);
}

void ModeIndicator::setMode(const QString &mode)
{
    m_mode = mode;
    setText(mode);
    // Anything but the three modes is grey.
    QString colour = QStringLiteral("#c0c0c0");
    if (mode == u"normal")
        colour = m_colours.normal;
    else if (mode == u"add")
        colour = m_colours.add;
    else if (mode == u"edit")
        colour = m_colours.edit;
    setStyleSheet(QStringLiteral("QLabel { background: %1; border: 1px solid #606060; padding: 1px 6px; }")
                      .arg(colour));
}
