#pragma once

#include "lang/Translate.h"
#include "print/PageImage.h"
#include "records/SampleArray.h"
#include "records/StatData.h"

#include <cstddef>
#include <vector>

// Geometry of the table pages in printer device pixels: F the line unit
// (font height, first line), G the character unit, J the font's line height
// on the printer, R the line positions per page.
struct TableGeometry {
  int W = 0, H = 0, F = 0, G = 0, J = 0, R = 0;
};

TableGeometry MakeTableGeometry(int W, int H, int lineHeight);

// Where sample number n (from 1) goes: page from 1, line position (the
// headings sit on 7 of page 1 and on 0 of later pages), and whether it ends
// its page.
struct TableRowPlace {
  int page = 1;
  int line = 0;
  bool endsPage = false;
};
TableRowPlace PlaceTableRow(const TableGeometry &g, std::size_t n);

// Top edge of a line position.
int TableLineY(const TableGeometry &g, int line);

// Pages for `count` samples; a table that exactly fills its last page still
// gets the page its headings were started on.
int TablePageCount(const TableGeometry &g, std::size_t count);

// Every page of the table, its labels through `tr`. Nothing for an empty array.
std::vector<PageImage> LayoutTable(const TableGeometry &g, const CSampleArray &samples, const StatData &stat,
                                   const PrintTime &now, FTranslate tr = SourceText);
