// The note body over the real Msftedit control: loading, saving and the selection members.
#include <gtest/gtest.h>
#include <windows.h>

#include "note/rich_text_body_win.h"
// after windows.h
#include <richedit.h>

#include <climits>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "store/data_folder.h"
#include "win_test_support.h"

namespace velumbrino {
namespace {

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

class RichTextBodyTest : public testing::Test {
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

TEST_F(RichTextBodyTest, NewBodyIsEmptyArialAndYellowAndNotifiesItsParent) {
  RichTextBody body(parent_, 101, bounds_);
  ASSERT_NE(body.hWnd(), nullptr);
  EXPECT_EQ(GetParent(body.hWnd()), parent_);
  EXPECT_EQ(GetDlgCtrlID(body.hWnd()), 101);
  EXPECT_EQ(body.Text(), L"");
  EXPECT_EQ(std::tuple(body.SelFontName(), body.SelFontSize(), body.SelBold(), body.SelItalic(),
                       body.SelUnderline(), body.BackColor()),
            std::tuple(L"Arial", 9.75, false, false, false, RGB(0xFF, 0xFF, 0x87)));
  const LRESULT mask = SendMessageW(body.hWnd(), EM_GETEVENTMASK, 0, 0);
  EXPECT_EQ(mask & (ENM_CHANGE | ENM_MOUSEEVENTS | ENM_SELCHANGE),
            ENM_CHANGE | ENM_MOUSEEVENTS | ENM_SELCHANGE);
}

TEST_F(RichTextBodyTest, WelcomeBodyRendersGreetingWithItsFonts) {
  RichTextBody body(parent_, 1, bounds_);
  ASSERT_TRUE(body.LoadBytes(WelcomeBodyBytes("João")));
  const std::wstring text = body.Text();
  const std::wstring greeting =
      L"\r\nOla João agora você tem um aplicativo que lhe ajudará a gerenciar os seus recados "
      L"de forma simples. O Velumbrino é simples, fácil de operar e muito útil no seu dia a dia.";
  EXPECT_EQ(text.substr(0, greeting.size()), greeting) << text.c_str();

  Select(body, 0, 1);  // the empty first line
  EXPECT_EQ(std::tuple(body.SelFontName(), body.SelFontSize()), std::tuple(L"Tahoma", 8.0));
  Select(body, 1, 40);  // inside the greeting
  EXPECT_EQ(std::tuple(body.SelFontName(), body.SelFontSize(), body.SelItalic(), body.SelBold(),
                       body.SelColor()),
            std::tuple(L"Times New Roman", 10.0, true, false, RGB(128, 0, 0)));
  // The closing full stop is black; control offsets count the first line break once.
  Select(body, static_cast<long>(greeting.size()) - 1 - 1, 1);
  EXPECT_EQ(std::tuple(body.SelText(), body.SelColor()), std::tuple(L".", RGB(0, 0, 0)));
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

TEST_F(RichTextBodyTest, PlainTextBadAndMissingFiles) {
  RichTextBody body(parent_, 1, bounds_);
  const std::wstring plain = File(L"plain.txt");
  ASSERT_TRUE(WriteBytes(plain, "a\xe7\xe3o\r\nlinha 2 \\par {x}"));
  ASSERT_TRUE(body.LoadFile(plain));
  EXPECT_EQ(body.Text(), L"ação\r\nlinha 2 \\par {x}");

  // A missing file leaves the body as it was.
  EXPECT_FALSE(body.LoadFile(win_test::TempPath(L"body", L"missing.vmb")));
  EXPECT_EQ(body.Text(), L"ação\r\nlinha 2 \\par {x}");

  // Truncated and malformed RTF load something without crashing.
  const std::string welcome = WelcomeBodyBytes("Ana");
  for (size_t cut : {size_t{5}, size_t{30}, welcome.size() / 2, welcome.size() - 3}) {
    EXPECT_TRUE(body.LoadBytes(welcome.substr(0, cut))) << cut;
    body.Text();
  }
  body.LoadBytes("{\\rtf1{{{{\\fonttbl{\\f0\\'zz}}\\colortbl;\\red999;}\\bin999999 x");
  body.Text();

  const std::wstring empty = File(L"empty.vmb");
  ASSERT_TRUE(WriteBytes(empty, ""));
  EXPECT_TRUE(body.LoadFile(empty));
  EXPECT_EQ(body.Text(), L"");

  // Beyond the control's default 32K limit. (Many lines: Wine wraps one 100K-character
  // word very slowly.)
  std::string big;
  while (big.size() < 100000) big += "uma linha de texto comum\r\n";
  ASSERT_TRUE(body.LoadBytes(big));
  EXPECT_EQ(body.Text().size(), big.size());
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

TEST_F(RichTextBodyTest, SelTextInsertsAtCaretAndReplacesSelection) {
  RichTextBody body(parent_, 1, bounds_);
  ASSERT_TRUE(body.LoadBytes("abcdef"));
  body.SetSelStart(3);
  body.SetSelText(L"XY");
  EXPECT_EQ(std::tuple(body.Text(), body.SelStart(), body.SelLength()),
            std::tuple(L"abcXYdef", 5, 0));

  Select(body, 0, 2);
  EXPECT_EQ(body.SelText(), L"ab");
  body.SetSelText(L"Z");
  EXPECT_EQ(std::pair(body.Text(), body.SelStart()), std::pair(std::wstring(L"ZcXYdef"), 1L));
  // The insertion can be undone like typing.
  EXPECT_NE(SendMessageW(body.hWnd(), EM_CANUNDO, 0, 0), 0);

  Select(body, 2, -4);
  EXPECT_EQ(body.SelLength(), 0);
  Select(body, 0, 1000);  // clamped to the text (and its final paragraph mark)
  EXPECT_EQ(body.SelText().substr(0, 7), L"ZcXYdef");
  EXPECT_LE(body.SelLength(), 8);
}

}  // namespace
}  // namespace velumbrino
