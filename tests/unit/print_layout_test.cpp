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

TEST(PrintNote, BlankLineTitleThenWrappedLines) {
  FakePrintSink sink;
  EXPECT_TRUE(PrintNote(sink, "03/mar - 09:05", {"Comprar pão\r", "e leite", "amanhã\r"},
                        PrintMetrics{240, 15840}));
  EXPECT_EQ(sink.events,
            (std::vector<std::string>{"begin 03/mar - 09:05", "0,0 []",
                                      "0,240 [     03/mar - 09:05]", "200,480 [Comprar pão]",
                                      "200,720 [e leite]", "200,960 [amanhã]", "end"}));
}

TEST(PrintNote, LongLinesAreCutAt79Characters) {
  const std::string ascii(100, 'a');
  std::string accented;
  for (int i = 0; i < 100; ++i) accented += "é";
  EXPECT_EQ(PrintableBodyLine(ascii), std::string(79, 'a'));
  EXPECT_EQ(PrintableBodyLine(accented).size(), 79u * 2);  // 79 characters, none split
  EXPECT_EQ(PrintableBodyLine(std::string(79, 'b') + "\r\n"), std::string(79, 'b'));
  EXPECT_EQ(PrintableBodyLine("\r"), "");
}

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
