// Printing a document as text, page by page, on a printer or into a PDF
// file: the rows as they stand (CR and TAB each in a blank character's
// place), in black, without colours or row numbers.
#pragma once

class QPrinter;
class TCustomAFEdit;

// Prints every row of `edit` at a print size of the print settings; the
// copies and orientation are the printer's. False when the printer failed.
bool PrintDocument(const TCustomAFEdit& edit, int printSize, QPrinter& printer);
