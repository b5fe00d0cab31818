#pragma once

#include "print/PageImage.h"

#include <string>
#include <vector>

// Pages of W x H device pixels as a PDF document of A4 pages, without a
// printer: texts in Helvetica (Latin-1 characters; others print as "?"),
// lines, fills, ellipses and clips as the pages give them. Text cells are
// `nLineHeight` pixels high.
std::string PdfFromPages(const std::vector<PageImage> &pages, int W, int H, int nLineHeight);
