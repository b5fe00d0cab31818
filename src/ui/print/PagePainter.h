#pragma once

#include "print/PageImage.h"

#include <QFont>

class QPaintDevice;
class QPainter;

// "Arial" whose cell (ascent plus descent) is `cellHeight` device pixels,
// weight 200, sans-serif: the page font at the printer's resolution.
QFont MakePageFont(int cellHeight, QPaintDevice *device);

// Character height plus external leading of the font on the device.
int PageLineHeight(const QFont &font, QPaintDevice *device);

// Text width in device pixels with the painter's current font.
int PageTextWidth(const QPainter &painter, const std::string &text);

// Replays a page's steps; texts are placed by their top-left corner.
void PaintPage(QPainter &painter, const PageImage &page);
