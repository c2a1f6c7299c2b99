// The body's modify flag over the real control: what decides whether a body is written back.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <richedit.h>

#include <string>

#include "note/rich_text_body_win.h"

namespace velumbrino {
namespace {

class BodyModifiedTest : public testing::Test {
 protected:
  void SetUp() override {
    parent_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr);
    body_ = std::make_unique<RichTextBody>(parent_, 1, RECT{0, 0, 300, 300});
    ASSERT_NE(body_->hWnd(), nullptr);
    Load();
  }
  void TearDown() override {
    body_.reset();
    DestroyWindow(parent_);
  }
  void Load() {
    ASSERT_TRUE(body_->LoadBytes("{\\rtf1\\ansi texto \\u945?\\par}"));
    ASSERT_FALSE(body_->Modified()) << "a freshly loaded body is unchanged";
  }

  HWND parent_ = nullptr;
  std::unique_ptr<RichTextBody> body_;
};

TEST_F(BodyModifiedTest, EveryChangeThroughTheControlSetsTheFlag) {
  SendMessageW(body_->hWnd(), WM_CHAR, L'x', 0);
  EXPECT_TRUE(body_->Modified()) << "typing";

  Load();
  body_->SetSelText(L"12/05/2024");
  EXPECT_TRUE(body_->Modified()) << "insert date";

  Load();
  body_->SetSelStart(0);
  body_->SetSelLength(3);
  body_->SetSelBold(true);
  EXPECT_TRUE(body_->Modified()) << "font";

  // Neither a cut nor a paste is flagged by Wine's control: the note window marks them itself.
  body_->SetModified(false);
  EXPECT_FALSE(body_->Modified());
}

TEST_F(BodyModifiedTest, ReadingSelectingAndScrollingLeaveItClear) {
  body_->SetSelStart(0);
  body_->SetSelLength(5);
  (void)body_->SelText();
  (void)body_->Text();
  (void)body_->SaveRtf();
  body_->SetBackColor(RGB(10, 20, 30));
  SendMessageW(body_->hWnd(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_FALSE(body_->Modified());
}

TEST_F(BodyModifiedTest, ReadOnlyTextStandsInUnmodifiedAndRefusesTyping) {
  body_->ShowReadOnlyText(L"O texto desta nota não foi aberto.");
  EXPECT_FALSE(body_->Modified());
  EXPECT_EQ(body_->Text(), L"O texto desta nota não foi aberto.");
  SendMessageW(body_->hWnd(), WM_CHAR, L'x', 0);
  EXPECT_EQ(body_->Text(), L"O texto desta nota não foi aberto.");
  EXPECT_NE(GetWindowLongPtrW(body_->hWnd(), GWL_STYLE) & ES_READONLY, 0);
}

}  // namespace
}  // namespace velumbrino
