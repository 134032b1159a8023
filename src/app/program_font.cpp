#include "app/program_font.h"

#include <QApplication>

QFont ProgramFont()
{
    QFont font(QStringLiteral("Loma"));
    font.setPixelSize(11);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void ApplyProgramFont()
{
    QApplication::setFont(ProgramFont());
}
