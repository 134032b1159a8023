#pragma once

#include "report/page_model.h"

#include <QPointF>

class QPainter;

// Draws one page of the page model with painter. devicePerMm is the device's units per millimetre;
// origin is where the sheet's top-left corner falls on the device, in device units. The preview,
// the printer and PDF files all draw through this one function.
void PaintPage(QPainter &painter, const Page &page, double devicePerMm, QPointF origin = {});

// Device units per millimetre of a paint device at its logical resolution.
double DevicePerMm(const class QPaintDevice &device);
