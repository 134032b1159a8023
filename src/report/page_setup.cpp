#include "report/page_setup.h"

#include <algorithm>

PageSetup::PageSetup(double paperWidth, double paperHeight, Orientation orientation)
    : m_width(paperWidth), m_height(paperHeight), m_orientation(orientation)
{
}

PageSetup PageSetup::letter(Orientation orientation)
{
    return PageSetup(215.9, 279.4, orientation);
}

PageSetup PageSetup::a4(Orientation orientation)
{
    return PageSetup(210.0, 297.0, orientation);
}

void PageSetup::setMargins(double left, double top, double right, double bottom)
{
    m_margins = {std::max(0.0, left), std::max(0.0, top), std::max(0.0, right),
                 std::max(0.0, bottom)};
}

double PageSetup::paperWidth() const
{
    return m_orientation == Orientation::Portrait ? m_width : m_height;
}

double PageSetup::paperHeight() const
{
    return m_orientation == Orientation::Portrait ? m_height : m_width;
}

QRectF PageSetup::printableRect() const
{
    return QRectF(m_margins.left, m_margins.top,
                  std::max(0.0, paperWidth() - m_margins.left - m_margins.right),
                  std::max(0.0, paperHeight() - m_margins.top - m_margins.bottom));
}
