#include "note/print_layout.h"

#include <algorithm>

#include "store/text_utils.h"
#include "ui_strings.h"

namespace velumbrino {

namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n' || c == '\v'; }

}  // namespace

std::string PrintableBodyLine(std::string_view control_line) {
  while (!control_line.empty() && IsLineBreak(control_line.back())) control_line.remove_suffix(1);
  return std::string(FirstCharacters(control_line, kPrintLineMaxChars));
}

std::vector<PrintedPage> LayOutPrintedNote(std::string_view title,
                                           const std::vector<std::string>& body_lines,
                                           const PrintMetrics& metrics) {
  const int line_height = std::max(metrics.line_height_twips, 1);
  std::vector<PrintedPage> pages(1);
  int y = 0;
  auto place = [&](int x, std::string text) {
    if (!pages.back().empty() && y + line_height > metrics.page_height_twips) {
      pages.emplace_back();
      y = 0;
    }
    pages.back().push_back({x, y, std::move(text)});
    y += line_height;
  };
  place(0, "");
  place(0, std::string(kPrintTitleIndent) + std::string(title));
  for (const std::string& line : body_lines) {
    place(kPrintBodyIndentTwips, PrintableBodyLine(line));
  }
  return pages;
}

bool PrintNote(PrintSink& sink, std::string_view title, const std::vector<std::string>& body_lines,
               const PrintMetrics& metrics) {
  const std::vector<PrintedPage> pages = LayOutPrintedNote(title, body_lines, metrics);
  if (!sink.BeginDocument(title.empty() ? std::string_view(TXT_PROGRAM_NAME) : title)) {
    return false;
  }
  bool printed = true;
  for (std::size_t page = 0; printed && page < pages.size(); ++page) {
    if (page > 0 && !sink.NewPage()) {
      printed = false;
      break;
    }
    for (const PrintedLine& line : pages[page]) {
      if (!sink.PrintLine(line.x_twips, line.y_twips, line.text)) {
        printed = false;
        break;
      }
    }
  }
  const bool ended = sink.EndDocument();
  return printed && ended;
}

}  // namespace velumbrino
