#pragma once

#include <QRectF>
#include <QSizeF>

// Paper and margins of a report, all lengths in millimetres.
enum class Orientation { Portrait, Landscape };

struct Margins
{
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

class PageSetup
{
public:
    PageSetup() = default;
    // width and height of the sheet as it comes out of the printer in portrait; Landscape turns it.
    PageSetup(double paperWidth, double paperHeight,
              Orientation orientation = Orientation::Portrait);

    static PageSetup letter(Orientation orientation = Orientation::Portrait); // 8.5 x 11 inches
    static PageSetup a4(Orientation orientation = Orientation::Portrait);

    // A negative margin (a top margin taken from the settings can leave the bottom margin below
    // zero) is treated as 0.
    void setMargins(double left, double top, double right, double bottom);
    const Margins &margins() const { return m_margins; }

    Orientation orientation() const { return m_orientation; }
    // The sheet as laid out, after the orientation is applied.
    double paperWidth() const;
    double paperHeight() const;
    QSizeF paperSize() const { return {paperWidth(), paperHeight()}; }
    // The area inside the margins, in millimetres from the top-left corner of the sheet.
    QRectF printableRect() const;

private:
    double m_width = 215.9;
    double m_height = 279.4;
    Orientation m_orientation = Orientation::Portrait;
    Margins m_margins;
};
