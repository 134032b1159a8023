#pragma once

#include <QFont>

// The one face every window of the program is drawn with. The windows of fixed size (the login
// window is 337 or 513 pixels high) are laid out for it, so they look the same on every desktop
// whatever font the desktop prefers: Loma from the TLWG Thai fonts, which the program installs,
// at 11 pixels, the height of an 8-point character on a 96-dpi screen.
QFont ProgramFont();

// Makes ProgramFont() the font of the whole application, replacing the desktop's default and the
// desktop's fonts for particular kinds of widget. Called once at start, before any window exists.
void ApplyProgramFont();
