#include "note/print_sink_win.h"

#include <string>

#include "platform/twips.h"
#include "platform/wide_string_win.h"

namespace velumbrino {

namespace {

int DotsPerInch(HDC dc, int index) { return SafeDpi(GetDeviceCaps(dc, index)); }

}  // namespace

PrintSinkWin::~PrintSinkWin() {
  if (in_document_) AbortDoc(dc_);
}

PrintMetrics PrintSinkWin::Metrics() const {
  PrintMetrics metrics;
  const int dpi_y = DotsPerInch(dc_, LOGPIXELSY);
  TEXTMETRICW text{};
  if (GetTextMetricsW(dc_, &text) && text.tmHeight > 0) {
    metrics.line_height_twips = PixelsToTwips(text.tmHeight + text.tmExternalLeading, dpi_y);
  }
  const int page_pixels = GetDeviceCaps(dc_, VERTRES);
  if (page_pixels > 0) metrics.page_height_twips = PixelsToTwips(page_pixels, dpi_y);
  return metrics;
}

int PrintSinkWin::ToDeviceX(int twips) const {
  return TwipsToPixels(twips, DotsPerInch(dc_, LOGPIXELSX));
}

int PrintSinkWin::ToDeviceY(int twips) const {
  return TwipsToPixels(twips, DotsPerInch(dc_, LOGPIXELSY));
}

bool PrintSinkWin::BeginDocument(std::string_view document_name) {
  const std::wstring name = Widen(document_name);
  DOCINFOW info{};
  info.cbSize = sizeof(info);
  info.lpszDocName = name.c_str();
  if (StartDocW(dc_, &info) <= 0) return false;
  in_document_ = true;
  if (StartPage(dc_) <= 0) return false;
  // Lines are placed by their top left corner.
  SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  SetBkMode(dc_, TRANSPARENT);
  return true;
}

bool PrintSinkWin::PrintLine(int x_twips, int y_twips, std::string_view text) {
  if (text.empty()) return true;
  const std::wstring wide = Widen(text);
  return TextOutW(dc_, ToDeviceX(x_twips), ToDeviceY(y_twips), wide.c_str(),
                  static_cast<int>(wide.size())) != FALSE;
}

bool PrintSinkWin::NewPage() {
  if (EndPage(dc_) <= 0 || StartPage(dc_) <= 0) return false;
  SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  SetBkMode(dc_, TRANSPARENT);
  return true;
}

bool PrintSinkWin::EndDocument() {
  if (!in_document_) return false;
  const bool page_ended = EndPage(dc_) > 0;
  in_document_ = false;
  // A page the printer refused still ends the document: what was printed stays in the job.
  const bool ended = EndDoc(dc_) > 0;
  return page_ended && ended;
}

bool PrintNoteOnPrinter(HDC printer, std::string_view title,
                        const std::vector<std::string>& body_lines) {
  if (!printer) return false;
  PrintSinkWin sink(printer);
  return PrintNote(sink, title, body_lines, sink.Metrics());
}

}  // namespace velumbrino
