// Where a document goes on paper, worked out without a printer: how large
// the editor's pixels are on the page, how many lines a page holds, and
// where a row too wide for the page is cut into further lines.
#pragma once

#include <span>
#include <vector>

// The print sizes of the print settings window.
enum TPrintSize { psSameSize = 0, ps200 = 1, ps300 = 2, ps400 = 3, psFitPage = 4 };

// The printable area of a page in device pixels, and the device's resolution.
struct TPrintPage {
  double Width = 0;
  double Height = 0;
  double Dpi = 96;
};

// The editor's measures, in its own pixels (96 to the inch).
struct TPrintSource {
  int CharHeight = 12;
  int RowHeight = 20;
  int LeftMgn = 36;
  double WidestRow = 0;  // the widest row's text in the editor font; for fitting only
};

// All in device pixels.
struct TPrintGeometry {
  double Scale = 1;  // device pixels per editor pixel
  double FontPixels = 0;
  double LineHeight = 0;
  double Left = 0;       // where the text of a line starts
  double TextWidth = 0;  // the room for it
  int LinesPerPage = 1;
};

// Same size prints the editor font at its own point size, 200-400 % multiply
// it, and fitting makes the widest row with its margin fill the page width.
// A line always fits the page height and the text always has room for a
// character, so a page holds at least one line.
TPrintGeometry PrintGeometry(int printSize, const TPrintPage& page, const TPrintSource& source);

// Where the lines of a row begin when its characters (their advances given)
// go on lines at most `width` wide: the index of the first character of
// each line, 0 first. A character wider than a line has a line of its own.
std::vector<int> LineStarts(std::span<const double> advances, double width);
