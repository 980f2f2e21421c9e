#pragma once

#include <QString>

#include "app/PrintDialog.h"
#include "view/PrintLayout.h"

class QFont;
class QPainter;
class QPaintDevice;
class QPagedPaintDevice;

namespace stonewise {

class PrintJob;

// The program's Gothic at a print font's height in device pixels of `device`, and its weight.
QFont printFont(const PrintFont& font);
// Measures texts as they will be painted on `device`.
PrintTextMeasure printMeasure(QPaintDevice* device);
// Paints a laid-out page; `turned` paints the portrait page across a landscape sheet of
// `sheetWidth` device pixels.
void paintPrintPage(QPainter& painter, const PrintPage& page, bool turned, double sheetWidth);
// Lays the job out on the printable area of `device` and paints its one page; false when the
// device refuses to start or to finish the page.
bool printOnDevice(QPagedPaintDevice& device, const PrintJob& job);
// Writes the job's page as an A4 PDF file at `path`; false when the file could not be written.
bool writePrintPdf(const QString& path, const PrintJob& job);

} // namespace stonewise
