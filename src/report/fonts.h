#pragma once

#include "report/report_types.h"

#include <QFont>
#include <QString>

// Which installed face prints a face that a layout asks for.
struct FaceChoice
{
    QString family;
    // Multiplies the point size the layout gives (1 when the face asked for is installed).
    double sizeFactor = 1.0;
};

// The face asked for when it is installed; otherwise, for the Thai UPC faces, the first installed
// TLWG face of a short list with its size factor; otherwise the face asked for, left to the
// system's own substitution.
FaceChoice SubstituteFace(const QString &requested);

// The font the painter draws a requested font with: SubstituteFace's family and factor, bold,
// italic and underline as asked. The point size is the effective one, before any device scaling.
QFont ResolveFont(const FontRequest &request);
