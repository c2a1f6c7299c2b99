#include "note/print_layout.h"

#include <gtest/gtest.h>

namespace velumbrino {
namespace {

// Records what the printer receives, and can refuse the n-th line.
class FakePrintSink : public PrintSink {
 public:
  bool BeginDocument(std::string_view name) override {
    events.push_back("begin " + std::string(name));
    return true;
  }
  bool PrintLine(int x, int y, std::string_view text) override {
    if (fail_at_line-- == 0) return false;
    events.push_back(std::to_string(x) + "," + std::to_string(y) + " [" + std::string(text) + "]");
    return true;
  }
  bool NewPage() override {
    events.push_back("page");
    return true;
  }
  bool EndDocument() override {
    events.push_back("end");
    return true;
  }
  std::vector<std::string> events;
  int fail_at_line = -1;
};

TEST(PrintNote, PageBreaksKeepEveryLine) {
  // Room for four lines a page: the two header lines and two body lines, then three more.
  const auto pages = LayOutPrintedNote("T", {"1", "2", "3", "4", "5"}, PrintMetrics{250, 1000});
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].size(), 4u);
  EXPECT_EQ(pages[1], (PrintedPage{{200, 0, "3"}, {200, 250, "4"}, {200, 500, "5"}}));

  FakePrintSink sink;
  EXPECT_TRUE(PrintNote(sink, "", {"1", "2", "3"}, PrintMetrics{250, 1000}));
  EXPECT_EQ(sink.events.front(), "begin Velumbrino");
  EXPECT_EQ(sink.events[5], "page");

  // A page smaller than a line still takes one line a page instead of looping.
  EXPECT_EQ(LayOutPrintedNote("T", {"1"}, PrintMetrics{0, 0}).size(), 3u);
}

TEST(PrintNote, FirstFailureStopsButEndsTheDocument) {
  FakePrintSink sink;
  sink.fail_at_line = 2;
  EXPECT_FALSE(PrintNote(sink, "T", {"1", "2"}, PrintMetrics{}));
  EXPECT_EQ(sink.events, (std::vector<std::string>{"begin T", "0,0 []", "0,240 [     T]", "end"}));
}

}  // namespace
}  // namespace velumbrino
