#include "shell/lifecycle.h"

#include "note/autosave.h"

#include <gtest/gtest.h>

#include "fake_note_window.h"
#include "fault_files.h"
#include "temp_folder.h"

namespace velumbrino {
namespace {

using testing::FakeNoteWindowFactory;
using testing::TempFolder;

constexpr LocalTime kMorning{2026, 12, 7, 9, 30, 0};

class LifecycleTest : public ::testing::Test, public LifecycleHost {
 protected:
  LifecycleTest() {
    dir_.Write("indice.dat", ",1,2,3,\r\n");
    dir_.Write("config.cfg", "[1]\r\nTitulo=um\r\n[2]\r\nTitulo=dois\r\n[3]\r\nTitulo=tres\r\n");
    for (const char* n : {"1", "2", "3"}) {
      dir_.Write(std::string("stickie") + n + ".vmb", std::string("{\\rtf1 corpo ") + n + "}");
    }
  }
  void Start() { life_.Start(kMorning, /*prepare_failed=*/false); }

  void ReportSetAsideBody(int number) override { events_.push_back("set aside " + std::to_string(number)); }
  void ReportNotesCameBack(const std::string& notice) override { events_.push_back(notice); }
  void RestoreFinished() override { events_.push_back("finished"); }
  void ReportSaveFailure() override { events_.push_back("save failure"); }

  TempFolder dir_;
  FakeNoteWindowFactory factory_{StdFileSystem()};
  NoteCollection notes_{StdFileSystem(), factory_, dir_.Path()};
  DefaultFont font_;
  Lifecycle life_{notes_, font_, *this};
  std::vector<std::string> events_;
};

// A close request while notes are still restored (an uninstall, a log-off) once left the
// body-load record naming the note loaded last, and the next start set it aside.
TEST_F(LifecycleTest, ACloseDuringStartUpKeepsEveryNoteHealthyForTheNextStart) {
  Start();
  life_.RestoreTick();
  life_.RestoreTick();
  factory_.created[0]->body = "{\\rtf1 digitado}";
  life_.Shutdown();
  EXPECT_EQ(dir_.Read("indice.dat"), ",1,2,3,\r\n");
  EXPECT_EQ(dir_.Read("stickie1.vmb"), "{\\rtf1 digitado}");
  EXPECT_FALSE(dir_.Exists("carregando.dat"));
  EXPECT_FALSE(dir_.Exists("Backup/2026-12-07.parcial"));

  FakeNoteWindowFactory factory(StdFileSystem());
  NoteCollection notes(StdFileSystem(), factory, dir_.Path());
  Lifecycle next(notes, font_, *this);
  next.Start(kMorning, false);
  while (!next.RestoreTick()) {
  }
  EXPECT_EQ(events_, std::vector<std::string>{"finished"});
  for (const auto& note : factory.created) EXPECT_EQ(note->set_aside_text, "") << note->tag;
}

// Reads of one file fail although it is there (held by another program).
class UnreadableBodyFiles : public testing::FullDiskFileSystem {
 public:
  std::optional<std::string> ReadFile(const std::string& path) override {
    if (path.ends_with(unreadable)) return std::nullopt;
    return FullDiskFileSystem::ReadFile(path);
  }
  std::string unreadable = "stickie1.vmb";
};

// A body held open at start once opened empty and writable, and the exit saved it empty.
TEST_F(LifecycleTest, ABodyUnreadableAtStartIsShownReadOnlyAndReadAgainNextTime) {
  UnreadableBodyFiles files;
  files.writes_left = -1;
  for (const char* unreadable : {"stickie1.vmb", "none"}) {
    files.unreadable = unreadable;
    FakeNoteWindowFactory factory(files);
    NoteCollection notes(files, factory, dir_.Path());
    Lifecycle life(notes, font_, *this);
    life.Start(kMorning, false);
    while (!life.RestoreTick()) {
    }
    const bool kept = files.unreadable != "none";
    const auto& one = *factory.created[static_cast<size_t>(notes.FindNoteWindow(1) - 1)];
    EXPECT_EQ(one.set_aside_text, kept ? UnreadableBodyText("stickie1.vmb") : "");
    EXPECT_EQ(one.body, kept ? "" : "{\\rtf1 corpo 1}");
    EXPECT_EQ(notes.StoredBodyKept(1), kept);
    life.NoteChanged(1, kMorning);
    life.Shutdown();
    EXPECT_EQ(dir_.Read("stickie1.vmb"), "{\\rtf1 corpo 1}");
  }
}

TEST(Autosave, APauseInTheChangesOrHalfAMinuteOfThemSavesTheNote) {
  EXPECT_EQ(AutosaveDelayMs(0), 2000u);
  EXPECT_EQ(AutosaveDelayMs(27000), 2000u);
  EXPECT_EQ(AutosaveDelayMs(29500), 500u);
  EXPECT_EQ(AutosaveDelayMs(600000), 0u);  // typing for ten minutes without a pause
}

}  // namespace
}  // namespace velumbrino
