#pragma once
// The print job on a device context: a printer's (or, in tests, a metafile's). Twips become
// device units with the context's own resolution; positions start at the printable area's top
// left, which is the origin of a printer context.

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "note/print_layout.h"

namespace velumbrino {

class PrintSinkWin : public PrintSink {
 public:
  // `dc` stays the caller's; it must outlive the sink.
  explicit PrintSinkWin(HDC dc) : dc_(dc) {}
  PrintSinkWin(const PrintSinkWin&) = delete;
  PrintSinkWin& operator=(const PrintSinkWin&) = delete;
  // A job begun and not ended (the sink dropped midway) is aborted.
  ~PrintSinkWin() override;

  // The line height of the context's current font and the height of its printable area.
  PrintMetrics Metrics() const;

  bool BeginDocument(std::string_view document_name) override;
  bool PrintLine(int x_twips, int y_twips, std::string_view text) override;
  bool NewPage() override;
  bool EndDocument() override;

 private:
  int ToDeviceX(int twips) const;
  int ToDeviceY(int twips) const;

  HDC dc_;
  bool in_document_ = false;
};

// Prints the note on the printer the dialog chose, as one job; false when the printer could
// not be opened or refused part of the job.
bool PrintNoteOnPrinter(HDC printer, std::string_view title,
                        const std::vector<std::string>& body_lines);

}  // namespace velumbrino
