#pragma once
// What the print command sends to the printer: an empty line, the title indented by five
// spaces, then every body line as the control wraps it, indented by 200 twips and cut at 79
// characters, in the printer's own font.

#include <string>
#include <string_view>
#include <vector>

namespace velumbrino {

inline constexpr int kPrintBodyIndentTwips = 200;
inline constexpr std::size_t kPrintLineMaxChars = 79;
inline constexpr std::string_view kPrintTitleIndent = "     ";

// The printer's font and printable area, in twips; positions start at the area's top left.
struct PrintMetrics {
  int line_height_twips = 240;
  int page_height_twips = 15840;
};

struct PrintedLine {
  int x_twips = 0;
  int y_twips = 0;
  std::string text;  // UTF-8
  friend bool operator==(const PrintedLine&, const PrintedLine&) = default;
};
using PrintedPage = std::vector<PrintedLine>;

// A line as the control returns it, without its line-break characters, cut at 79 characters
// (never in the middle of one).
std::string PrintableBodyLine(std::string_view control_line);

// The pages of the print job. A line that would pass the bottom of the page starts a new page
// at its top; every page holds at least one line, whatever the metrics.
std::vector<PrintedPage> LayOutPrintedNote(std::string_view title,
                                           const std::vector<std::string>& body_lines,
                                           const PrintMetrics& metrics);

// The printer, as the print command drives it. BeginDocument also starts the first page;
// NewPage ends the current page and starts the next; EndDocument ends the last page and sends
// the job. Each returns false when the printer refused it.
class PrintSink {
 public:
  virtual ~PrintSink() = default;
  virtual bool BeginDocument(std::string_view document_name) = 0;
  virtual bool PrintLine(int x_twips, int y_twips, std::string_view text) = 0;
  virtual bool NewPage() = 0;
  virtual bool EndDocument() = 0;
};

// Prints the note. The first failure stops the printing; a document that was begun is still
// ended, so what was printed stays in the job. True when everything was printed.
bool PrintNote(PrintSink& sink, std::string_view title, const std::vector<std::string>& body_lines,
               const PrintMetrics& metrics);

}  // namespace velumbrino
