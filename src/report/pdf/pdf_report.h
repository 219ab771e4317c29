#pragma once
// The calculation report as a PDF: A4 pages, Chinese text in an embedded
// CJK font, the figures painted as vectors, a footer with the page number on
// every page. Uses only Qt's painting module.

#include <QByteArray>
#include <string>

#include "report/calc_report.h"

namespace kuma {

// Lays the report out on pages and returns the bytes of the PDF file.
QByteArray RenderPdfReport(const CalcReport& report);
// Renders the report and writes it atomically; raises kuma::Error when the
// file cannot be written (an existing file stays as it was).
void WritePdfReport(const std::string& path, const CalcReport& report);

}  // namespace kuma
