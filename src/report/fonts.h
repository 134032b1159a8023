#pragma once

#include "report/report_types.h"

#include <QString>

// Which installed face prints a face that a layout asks for.
struct FaceChoice
{
    QString family;
    // Multiplies the point size the layout gives (1 when the face asked for is installed).
    double sizeFactor = 1.0;
};

// True when fontconfig knows a face of this family (case-insensitive).
bool HasFontFamily(const QString &family);

// The face asked for when it is installed; otherwise, for the Thai UPC faces, the first installed
// TLWG face of a short list with its size factor; otherwise the face asked for, left to
// fontconfig's own substitution.
FaceChoice SubstituteFace(const QString &requested);

// The font as the painter draws it: the request with SubstituteFace's family at the effective
// point size, the style as asked.
FontRequest ResolveFont(const FontRequest &request);

// Distance from the top of a text element's frame to the baseline of its first line, in
// millimetres. One rule for every face, taken from the size the layout asks for, so that texts of
// different faces in one row sit on one line whatever their own ascents are.
double BaselineOffsetMm(const FontRequest &request);
