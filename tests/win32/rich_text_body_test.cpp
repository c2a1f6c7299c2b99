// The note body over the real Msftedit control: saving and loading, the selection members, and
// the modify flag that decides whether a body is written back.
#include <gtest/gtest.h>
#include <windows.h>

#include "note/rich_text_body_win.h"
// after windows.h
#include <richedit.h>

#include <climits>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "win_test_support.h"

namespace velumbrino {
namespace {

class RichTextBodyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A hidden top-level window is all the control needs as a parent.
    parent_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr);
  }
  void TearDown() override {
    for (const std::wstring& path : files_) DeleteFileW(path.c_str());
    DestroyWindow(parent_);
  }
  std::wstring File(const wchar_t* name) {
    files_.push_back(win_test::TempPath(L"body", name));
    return files_.back();
  }
  // Selects [start, start + length) in control offsets (one character per line break).
  static void Select(RichTextBody& body, long start, long length) {
    body.SetSelStart(start);
    body.SetSelLength(length);
  }
  // Appends `text` at the end and leaves it selected.
  static void AppendSelected(RichTextBody& body, const std::wstring& text) {
    body.SetSelStart(LONG_MAX);
    const long start = body.SelStart();
    body.SetSelText(text);
    Select(body, start, static_cast<long>(text.size()));
  }

  HWND parent_ = nullptr;
  RECT bounds_{2, 20, 182, 190};
  std::vector<std::wstring> files_;
};

// Every format member of the selection, as one comparable value.
struct Format {
  std::optional<std::wstring> face;
  std::optional<double> size;
  std::optional<bool> bold, italic, underline, strike;
  std::optional<COLORREF> color;
  bool operator==(const Format&) const = default;
};

Format FormatOf(const RichTextBody& body) {
  return {body.SelFontName(),  body.SelFontSize(),   body.SelBold(), body.SelItalic(),
          body.SelUnderline(), body.SelStrikeThru(), body.SelColor()};
}

TEST_F(RichTextBodyTest, SavedRtfKeepsTextFontsColoursAndStyles) {
  // Each span is appended and formatted in turn; its text without the trailing break or space
  // is checked in the copies.
  const struct {
    std::wstring appended, checked;
    Format format;
  } spans[] = {
      {L"Alfa ", L"Alfa", {L"Courier New", 14, true, false, false, false, RGB(0, 0, 255)}},
      {L"beta\r", L"beta", {L"Times New Roman", 10.5, false, true, true, false, RGB(128, 0, 0)}},
      {L"gama ação", L"gama ação", {L"Tahoma", 8, false, false, false, true, RGB(0, 128, 0)}},
  };
  RichTextBody source(parent_, 1, bounds_);
  for (const auto& span : spans) {
    AppendSelected(source, span.appended);
    source.SetSelFontName(*span.format.face);
    source.SetSelFontSize(*span.format.size);
    source.SetSelBold(*span.format.bold);
    source.SetSelItalic(*span.format.italic);
    source.SetSelUnderline(*span.format.underline);
    source.SetSelStrikeThru(*span.format.strike);
    source.SetSelColor(*span.format.color);
  }
  const std::string rtf = source.SaveRtf();
  ASSERT_EQ(rtf.rfind("{\\rtf", 0), 0u);

  auto check = [&](RichTextBody& copy) {
    EXPECT_EQ(copy.Text(), source.Text());
    long start = 0;
    for (const auto& span : spans) {
      Select(copy, start, static_cast<long>(span.checked.size()));
      EXPECT_EQ(copy.SelText(), span.checked);
      EXPECT_TRUE(FormatOf(copy) == span.format) << start;
      start += static_cast<long>(span.appended.size());
    }
  };
  RichTextBody from_memory(parent_, 2, bounds_);
  ASSERT_TRUE(from_memory.LoadBytes(rtf));
  check(from_memory);

  const std::wstring path = File(L"round.vmb");
  ASSERT_TRUE(source.SaveFile(path));
  RichTextBody from_file(parent_, 3, bounds_);
  ASSERT_TRUE(from_file.LoadFile(path));
  check(from_file);

  // A save that cannot be written says so.
  EXPECT_FALSE(source.SaveFile(win_test::TempPath(L"body", L"no_such_folder\\x.vmb")));
}

// Plain, truncated, empty and very large body files are loaded end to end.
TEST_F(RichTextBodyTest, MissingFileKeepsTheBodyAndMalformedRtfLoadsWithoutACrash) {
  RichTextBody body(parent_, 1, bounds_);
  ASSERT_TRUE(body.LoadBytes("texto"));
  EXPECT_FALSE(body.LoadFile(win_test::TempPath(L"body", L"missing.vmb")));
  EXPECT_EQ(body.Text(), L"texto");
  body.LoadBytes("{\\rtf1{{{{\\fonttbl{\\f0\\'zz}}\\colortbl;\\red999;}\\bin999999 x");
  body.Text();
}

TEST_F(RichTextBodyTest, SelectionMembersReportMixedValuesAsNothing) {
  RichTextBody body(parent_, 1, bounds_);
  ASSERT_TRUE(body.LoadBytes("negrito normal"));
  Select(body, 0, 7);
  body.SetSelBold(true);
  body.SetSelColor(RGB(255, 0, 0));
  body.SetSelFontName(L"Tahoma");
  body.SetSelFontSize(12);

  Select(body, 3, 8);  // half bold; italic is uniform over both halves
  EXPECT_EQ(std::tuple(body.SelBold(), body.SelColor(), body.SelFontName(), body.SelFontSize(),
                       body.SelItalic()),
            std::tuple(std::nullopt, std::nullopt, std::nullopt, std::nullopt, false));
  Select(body, 0, 7);
  EXPECT_EQ(std::tuple(body.SelBold(), body.SelColor(), body.SelFontName(), body.SelFontSize()),
            std::tuple(true, RGB(255, 0, 0), L"Tahoma", 12.0));
  Select(body, 8, 6);
  EXPECT_EQ(std::tuple(body.SelBold(), body.SelFontName()), std::tuple(false, L"Arial"));

  // Nonsense sizes and names change nothing.
  Select(body, 0, 7);
  body.SetSelFontSize(-3);
  body.SetSelFontName(L"");
  EXPECT_EQ(std::tuple(body.SelFontSize(), body.SelFontName()), std::tuple(12.0, L"Tahoma"));
}

// A freshly loaded body is unchanged; every change through the control sets the flag.
TEST_F(RichTextBodyTest, EveryChangeSetsTheModifyFlagAndNothingElseDoes) {
  RichTextBody body(parent_, 1, bounds_);
  const auto load = [&] {
    ASSERT_TRUE(body.LoadBytes("{\\rtf1\\ansi texto \\u945?\\par}"));
    ASSERT_FALSE(body.Modified());
  };
  const std::pair<const char*, std::function<void()>> changes[] = {
      {"typing", [&] { SendMessageW(body.hWnd(), WM_CHAR, L'x', 0); }},
      {"insert date", [&] { body.SetSelText(L"12/05/2024"); }},
      {"font",
       [&] {
         Select(body, 0, 3);
         body.SetSelBold(true);
       }},
  };
  for (const auto& [name, change] : changes) {
    load();
    change();
    EXPECT_TRUE(body.Modified()) << name;
  }
  // Neither a cut nor a paste is flagged by Wine's control: the note window marks them itself.
  body.SetModified(false);
  EXPECT_FALSE(body.Modified());

  // Reading, selecting, colouring the background and scrolling leave it clear.
  load();
  Select(body, 0, 5);
  (void)body.SelText();
  (void)body.Text();
  (void)body.SaveRtf();
  body.SetBackColor(RGB(10, 20, 30));
  SendMessageW(body.hWnd(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_FALSE(body.Modified());
}

}  // namespace
}  // namespace velumbrino
