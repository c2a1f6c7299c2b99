// Seeded random user and system events with faults, checked against a model after each restart.
// A failure prints its seed and shrunk sequence; regressions.txt keeps those and runs them first.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "alarm/alarm_dialog.h"
#include "alarm/pending_alarms.h"
#include "dialogs/delete_notes.h"
#include "fake_clock.h"
#include "fake_note_window.h"
#include "fake_shell.h"
#include "mem_files.h"
#include "note/note_style.h"
#include "shell/lifecycle.h"
#include "store/data_folder.h"
#include "store/text_utils.h"

namespace velumbrino::sim {
namespace {

using testing::FakeNoteState;

const std::string kFolder = "/u/Documentos/Velumbrino/";
const std::string kPoison = "{\\rtf1 \\objdata quebra}";  // a body the control chokes on
// The user's own files in the data folder: never touched.
const std::map<std::string, std::string> kUserFiles = {
    {kFolder + "lista de compras.txt", "arroz\r\n"},
    {kFolder + "stickie07.vmb", "minha copia"},
    {kFolder + "Fotos/praia.jpg", "JFIF"},
    {kFolder + "Backup/leia-me.txt", "copias"},
};

// Its body load can kill the process; whole-body replacement ignores read-only, as RichEdit does.
class SimWindow : public testing::FakeNoteWindow {
 public:
  SimWindow(FileSystem& files, std::shared_ptr<FakeNoteState> state)
      : FakeNoteWindow(files, state), files_(files), s_(std::move(state)) {}
  bool LoadBody(const std::string& path) override {
    if (files_.ReadFile(path) == kPoison) {
      throw ProcessDeath{false, static_cast<int>(LeadingNumber(s_->tag))};
    }
    return FakeNoteWindow::LoadBody(path);
  }
  void ReplaceBodyWithText(std::string_view text) override {
    Replace("{\\rtf1 " + std::string(text) + "}");
  }
  void ReplaceBodyWithRtf(std::string_view rtf) override { Replace(std::string(rtf)); }

 private:
  void Replace(std::string body) {
    s_->body = std::move(body);
    MarkBodyModified();
  }
  FileSystem& files_;
  std::shared_ptr<FakeNoteState> s_;
};

struct SimServices : testing::FakeServices {
  std::function<void(int)> alarm_dialog;
  bool ConfirmDeleteNote() override { return true; }
  void ShowAlarmDialog(int note) override { alarm_dialog(note); }
};

// One run of the program: what the controller window holds, with the alarm signal's rules.
struct Process : LifecycleHost, NoteWindowFactory {
  Process(MemFiles& files, const Clock& clock)
      : files(files), notes(files, *this, kFolder), clock(clock) {
    services.alarm_dialog = [this](int n) {
      NoteSettings settings(notes.Settings(), n);
      const AlarmDialogOutcome out = ConfirmAlarmDialog(settings, alarm_answer, this->clock);
      alarm_saved = out.close;
      if (const int p = notes.FindNoteWindow(n); out.close && p) {
        notes.At(p).SetAlarmTimerEnabled(out.timer_enabled);
      }
    };
  }
  void ReportSetAsideBody(int) override {}
  void RestoreFinished() override {
    state.app_ready.MarkStarted();
    CheckAll();  // alarms missed meanwhile fire now, once
  }
  void ReportSaveFailure() override {}
  void ReportNotesCameBack(const std::string&) override {}
  bool RetryHeldFile(const std::string&) override { return retry_held(); }
  std::unique_ptr<NoteWindow> CreateNoteWindow(bool app_ready) override {
    auto state = std::make_shared<FakeNoteState>();
    if (app_ready) state->title = "nova";
    return std::make_unique<SimWindow>(files, state);
  }

  void CheckTick(NoteWindow& note) {
    // The check state lives with the window: a new note under a reused number starts afresh.
    std::erase_if(alarm_states, [&](const auto& entry) {
      for (int p = 1; p <= notes.Count(); ++p) {
        if (notes.At(p).Handle() == entry.first) return false;
      }
      return true;
    });
    const NoteSettings settings(notes.Settings(), note.Tag());
    const AlarmCheckResult r = CheckAlarm(settings, clock, alarm_states[note.Handle()], "");
    if (note.AlarmTimerEnabled() != r.keep_checking) note.SetAlarmTimerEnabled(r.keep_checking);
    if (r.firing) pending.Add(*r.firing);
    if (!state.app_ready.IsReady()) return;
    for (AlarmFiring& firing : pending.TakeAll()) {
      const int n = static_cast<int>(LeadingNumber(firing.note));
      const int p = notes.FindNoteWindow(n);
      if (p == 0) continue;
      NoteSettings fired(notes.Settings(), firing.note);
      if (FinishFiring(fired, firing, "", notes.Count()) == FiringOutcome::kDropped) continue;
      notes.At(p).SetVisible(true);
      dirty.insert(n);
      on_signal(n, firing);
    }
  }
  void CheckAll() {
    for (int p = 1; p <= notes.Count(); ++p) CheckTick(notes.At(p));
  }

  MemFiles& files;
  NoteCollection notes;
  const Clock& clock;
  DefaultFont font;
  AppState state;
  SimServices services;
  CommandRouter router{notes, state, font, services, "C:/Velumbrino/"};
  Lifecycle life{notes, font, *this};
  PendingAlarms pending;
  std::map<const void*, AlarmState> alarm_states;
  std::function<void(int, const AlarmFiring&)> on_signal;
  std::function<bool()> retry_held;
  AlarmDialogState alarm_answer;
  bool alarm_saved = false;
  std::set<int> dirty;  // changed since their last autosave
};

// Weights while stopped, restoring and ready; menu and tray commands wait until notes are restored.
struct OpRow {
  std::string_view name;
  int stopped, restoring, ready;
  bool menu;
};
constexpr OpRow kOps[] = {
    {"start", 20, 0, 0, false},  {"tick", 0, 30, 0, false},     {"new", 0, 0, 6, true},
    {"type", 0, 2, 10, false},   {"move", 0, 1, 3, false},      {"title", 0, 0, 3, true},
    {"color", 0, 0, 3, true},    {"pin", 0, 0, 2, true},        {"hide", 0, 0, 2, true},
    {"showall", 0, 0, 1, true},  {"alarm", 0, 0, 3, true},      {"clock", 2, 1, 5, false},
    {"delete", 0, 0, 2, true},   {"deletesome", 0, 0, 1, true}, {"deleteall", 0, 0, 1, true},
    {"loadfile", 0, 0, 2, true}, {"autosave", 0, 2, 8, false},  {"close", 0, 1, 3, false},
    {"logoff", 0, 1, 1, false},  {"die", 0, 1, 3, false},       {"power", 0, 1, 1, false},
    {"lock", 2, 1, 2, false},    {"full", 0, 0, 1, false},      {"damage", 1, 0, 0, false},
    {"poison", 1, 0, 0, false}};
constexpr int kOpCount = std::size(kOps);

consteval int Op(std::string_view name) {
  for (int op = 0; op < kOpCount; ++op) {
    if (kOps[op].name == name) return op;
  }
  throw "no such event";
}

// Raw parameters, taken modulo their choices when run: any part of a sequence runs, for shrinking.
struct Event {
  int op;
  int a = 0, b = 0;
};

std::string ToText(const std::vector<Event>& events) {
  std::string text;
  for (const Event& e : events) {
    if (!text.empty()) text += ", ";
    text += std::string(kOps[e.op].name) + " " + std::to_string(e.a) + " " + std::to_string(e.b);
  }
  return text;
}

std::vector<Event> FromText(const std::string& text) {
  std::vector<Event> events;
  std::stringstream items(text);
  for (std::string item; std::getline(items, item, ',');) {
    std::stringstream words(item);
    std::string name;
    Event e{kOpCount};
    words >> name >> e.a >> e.b;
    for (int op = 0; op < kOpCount; ++op) {
      if (name == kOps[op].name) e.op = op;
    }
    if (e.op == kOpCount) throw std::runtime_error("unknown event: " + item);
    events.push_back(e);
  }
  return events;
}

struct Failure {
  std::string kind, detail;
};

// A stored value: what the note shows now, and what the disk may hold for it.
struct Field {
  std::string cur;
  std::set<std::string> ok;
  void Set(const std::string& value) {
    cur = value;
    ok = {value};
  }
};

struct ModelNote {
  Field body, keys, colors, pin;
  bool crashed = false;       // its body brought the program down
  bool crash_unsure = false;  // ...but the record of it may be lost (power, lock, full disk)
  bool loose = false;         // new under the number of a note whose delete failed midway
  bool fresh = false;         // new, not restored yet: its body must be empty
  bool alarm_fired = false, alarm_unsure = false;
};

std::string KeysOf(const FakeNoteState& s) {
  return s.title + "|" + std::to_string(s.top) + "|" + std::to_string(s.left) + "|" +
         (s.visible ? "1" : "0");
}
std::string ColorsOf(const FakeNoteState& s) {
  return std::to_string(s.back) + "|" + std::to_string(s.body_color);
}
// A note with no stored keys restores as this: no title, the design position, shown.
const std::string kDefaultKeys = "|3510|4140|1";
std::string PinOf(const FakeNoteState& s) { return s.pinned ? "1" : "0"; }
const std::string kDefaultColors = ColorsOf(FakeNoteState{});

bool IsDayName(const std::string& name) {
  return name.size() == 10 && name[4] == '-' && name[7] == '-';
}

class Sim {
 public:
  explicit Sim(std::int64_t start_second) {
    for (const auto& [path, bytes] : kUserFiles) {
      files_.CreateDirectories(path.substr(0, path.rfind('/')));
      files_.Put(path, bytes);
    }
    Advance(start_second);
  }

  int restarts = 0, faults = 0;

  // Runs the events, then a close and a last start; the first broken rule, if any.
  std::optional<Failure> Run(const std::vector<Event>& events,
                             const std::function<Event(Sim&)>& next = {}, int length = 0) {
    try {
      for (const Event& e : events) Step(e);
      for (int i = 0; next && i < length; ++i) {
        recorded.push_back(next(*this));
        Step(recorded.back());
      }
      for (int i = 0; proc_ && restoring_ && i < 10000; ++i) Step({Op("tick")});
      if (proc_) Step({Op("close")});
      Advance(3600);
      Step({Op("start")});
      for (int i = 0; proc_ && restoring_ && i < 10000; ++i) Step({Op("tick")});
    } catch (const Failure& failure) {
      return failure;
    }
    return std::nullopt;
  }

  bool Running() const { return proc_ != nullptr; }
  bool Restoring() const { return restoring_; }
  std::vector<Event> recorded;

 private:
  [[noreturn]] static void Fail(const std::string& kind, const std::string& detail) {
    throw Failure{kind, detail};
  }
  [[noreturn]] static void Fail(const std::string& kind, int n, const std::string& detail) {
    Fail(kind, "note " + std::to_string(n) + detail);
  }

  LocalTime Now() const { return clock_.now; }
  void Advance(std::int64_t seconds) {
    t_ += seconds;
    files_.now = t_;
    const AlarmMinute m = t_ / 60;
    const AlarmDate d = DateOfMinute(m);
    const int minute = static_cast<int>(m % kMinutesPerDay), second = static_cast<int>(t_ % 60);
    clock_.now = {d.year, d.month, d.day, minute / 60, minute % 60, second};
    // The system writes its caches out within half a minute.
    if (seconds >= 30) files_.FlushAll();
  }

  FakeNoteState& State(int position) {
    return *static_cast<FakeNoteState*>(proc_->notes.At(position).Handle());
  }
  int NumberAt(int position) { return static_cast<int>(LeadingNumber(State(position).tag)); }
  std::vector<int> OpenNotes() {
    std::vector<int> numbers;
    for (int p = 1; proc_ && p <= proc_->notes.Count(); ++p) numbers.push_back(NumberAt(p));
    return numbers;
  }
  // The note an event's parameter picks among the open ones; 0 when none is open.
  int Pick(int a) {
    const int count = proc_ ? proc_->notes.Count() : 0;
    return count ? NumberAt(a % count + 1) : 0;
  }
  FakeNoteState* Window(int n) {
    const int p = proc_ ? proc_->notes.FindNoteWindow(n) : 0;
    return p ? &State(p) : nullptr;
  }
  void Touch(int n, Field ModelNote::*field, std::optional<std::string> intended = {},
             std::optional<std::string> saved = {}) {
    touched_.push_back({n, field, std::move(intended), std::move(saved)});
  }

  void Step(const Event& e) {
    if (std::getenv("SIM_TRACE")) std::printf("  %s\n", ToText({e}).c_str());
    const int failures = step_failures_ = files_.write_failures;
    touched_.clear();
    fired_.clear();
    RecordDayState();
    bool died = false;
    try {
      Exec(e);
    } catch (const ProcessDeath& death) {
      died = true;
      Die(death, files_.write_failures != failures);
    }
    const bool clean = !died && files_.write_failures == failures;
    for (int n : OpenNotes()) Observe(n);
    for (auto& [n, field, intended, saved] : touched_) {
      auto it = notes_.find(n);
      if (it == notes_.end()) continue;
      Field& f = it->second.*field;
      const std::string value = saved.value_or(f.cur);
      if (clean) f.ok = {value};
      f.ok.insert(value);
      if (!clean && intended) f.ok.insert(*intended);
    }
    for (int n : fired_) {
      if (!clean && notes_.count(n)) notes_[n].alarm_unsure = true;
    }
    if (!clean && (e.op == Op("new") || kOps[e.op].name.starts_with("delete"))) {
      adopt_ = true;  // a note may come back, or a new one be there after all
      tainted_.insert(deleting_.begin(), deleting_.end());
    }
    deleting_.clear();
    RecordDayState();
  }

  void Observe(int n) {
    auto it = notes_.find(n);
    if (it == notes_.end() || !Window(n)) return;
    const FakeNoteState& s = *Window(n);
    it->second.keys.cur = KeysOf(s);
    it->second.colors.cur = ColorsOf(s);
    it->second.pin.cur = PinOf(s);
  }

  // `unrecorded`: a write failed in the step, so the record of a crashing load may be missing.
  void Die(const ProcessDeath& death, bool unrecorded) {
    ++faults;
    if (const int n = death.crashed_note; n && notes_.count(n)) {
      // Unless the record of the first fall could not be written or read (a lock, a full disk).
      if (notes_[n].crashed && !notes_[n].crash_unsure && !record_locked_ &&
          files_.read_failures == start_read_failures_) {
        Fail("crash-again", n, "'s body brought the program down twice");
      }
      notes_[n].crashed = true;
      notes_[n].crash_unsure = unrecorded;
      fell_loading_.insert(n);
    }
    // A death in a named load looks like a fall in it; after a power cut, in an earlier one too.
    auto record_fall = [&](bool power) {
      const auto marker = files_.files.find(kFolder + kLoadMarkerFileName);
      if (marker == files_.files.end()) return;
      const std::optional<int> loading = ParseLoadMarker(marker->second.bytes).loading;
      if (loading && (!power || seen_.count(*loading))) fell_loading_.insert(*loading);
    };
    record_fall(false);
    if (death.power) {
      files_.LosePower();
      record_fall(true);
      for (auto& [n, m] : notes_) m.crash_unsure = m.crash_unsure || m.crashed;
    }
    Gone();
  }

  void Autosave(int n) {
    if (!Window(n)) return;
    // An alarm later in the step may show the note again without a save.
    Observe(n);
    Touch(n, &ModelNote::body, {}, notes_[n].body.cur);
    Touch(n, &ModelNote::keys, {}, notes_[n].keys.cur);
    proc_->life.NoteChanged(n, Now());
    RecordDayState();
  }

  void AutosaveAll() {
    for (int dirty : std::set<int>(std::exchange(proc_->dirty, {}))) Autosave(dirty);
  }
  void Gone() {
    proc_.reset();
    restoring_ = false;
  }
  // A command of a note's menu that changes what its autosave writes.
  void Command(CommandId command, int n) {
    proc_->router.Run(command, n);
    proc_->dirty.insert(n);
  }

  void Exec(const Event& e) {
    const bool ready = proc_ && !restoring_;
    const int n = Pick(e.a);
    FakeNoteState* w = Window(n);
    if (kOps[e.op].menu && !ready) return;
    if (proc_ && e.op != Op("tick") && e.op != Op("clock")) Advance(1);
    switch (e.op) {
      case Op("start"): {
        if (proc_) return;
        ++restarts;
        const PrepareResult prepared = PrepareDataFolder(files_, kFolder, "ana");
        proc_ = std::make_unique<Process>(files_, clock_);
        proc_->on_signal = [this](int n, const AlarmFiring& f) { Fired(n, f); };
        restoring_ = true;
        seen_.clear();
        start_read_failures_ = files_.read_failures;
        start_write_failures_ = files_.write_failures;
        // The user waits a minute for the other program once, then gives up on this start.
        proc_->retry_held = [this, waited = false]() mutable {
          if (std::exchange(waited, true)) return false;
          Advance(60);
          return true;
        };
        if (!proc_->life.Start(Now(), prepared == PrepareResult::kFailed)) Gone();
        return;
      }
      case Op("tick"): {
        if (!proc_ || !restoring_) return;
        const int before = proc_->notes.Count();
        const bool done = proc_->life.RestoreTick();
        for (int p = before + 1; p <= proc_->notes.Count(); ++p) CheckRestored(p);
        if (done) {
          restoring_ = false;
          CheckAfterRestart();
        }
        return;
      }
      case Op("new"): {
        const int before = proc_->notes.Count();
        proc_->router.NewNote();
        if (proc_->notes.Count() == before) return;  // refused, and the user told
        const int number = NumberAt(before + 1);
        if (notes_.count(number))
          Fail("dup-number", "a new note took open note " + std::to_string(number) + "'s number");
        ModelNote& m = notes_[number];
        m.body.Set("");
        m.keys.ok = leftover_keys_.count(number) ? leftover_keys_[number] : std::set{kDefaultKeys};
        m.colors.Set(kDefaultColors);
        m.pin.Set("0");
        m.loose = tainted_.count(number) > 0;
        m.fresh = true;
        proc_->dirty.insert(number);
        return;
      }
      case Op("type"):
        if (!w || !w->set_aside_text.empty()) return;  // read-only: nothing goes in
        w->body = "{\\rtf1 digitado " + std::to_string(e.b) + "}";
        notes_[n].body.cur = w->body;
        proc_->dirty.insert(n);
        return;
      case Op("move"):
        if (!w) return;
        w->top = e.b % 9000;
        w->left = e.b / 9000 % 12000;
        proc_->dirty.insert(n);
        return;
      case Op("title"):
        proc_->services.title_answer = "titulo " + std::to_string(e.b % 100);
        return Command(CommandId::kTitle, n);
      case Op("hide"):
        return Command(CommandId::kHideNote, n);
      case Op("showall"):
        proc_->router.Run(CommandId::kShowAll);
        for (int open : OpenNotes()) proc_->dirty.insert(open);
        return;
      case Op("color"): {
        if (!w) return;
        FakeNoteState chosen;  // the classic colours, or a custom one
        const bool classic = e.b % 3 == 0;
        if (!classic) {
          chosen.body_color = static_cast<Color>(e.b * 7919) & 0xFFFFFF;
          chosen.back = CustomWindowColor(chosen.body_color);
          proc_->services.dialogs.color_choice = chosen.body_color;
        }
        Touch(n, &ModelNote::colors, ColorsOf(chosen));
        proc_->router.Run(classic ? CommandId::kClassic : CommandId::kCustomColor, n);
        return;
      }
      case Op("pin"):
        if (!w) return;
        Touch(n, &ModelNote::pin, w->pinned ? "0" : "1");
        proc_->router.Run(CommandId::kPin, n);
        return;
      case Op("alarm"): {
        if (!w) return;
        const AlarmMinute m = MinuteOf(Now()) + 1 + e.b / 4 % 90;
        AlarmDialogState& a = proc_->alarm_answer = {};
        a.use_alarm = e.b % 4 != 0;
        a.daily = e.b % 4 == 1;
        a.date_text = FormatAlarmDate(DateOfMinute(m));
        a.time_text = FormatAlarmTime(
            AlarmTime{static_cast<int>(m % kMinutesPerDay / 60), static_cast<int>(m % 60), 0});
        fired_.push_back(n);  // unsure unless the step is clean
        proc_->router.Run(CommandId::kAlarm, n);
        if (proc_->alarm_saved) notes_[n].alarm_fired = notes_[n].alarm_unsure = false;
        return;
      }
      case Op("clock"): {
        if (!proc_) {
          Advance(e.b % 3 == 0 ? 86400 : 600);
          return;
        }
        AutosaveAll();
        const int kind = e.b % 8;
        if (kind == 7) {  // the computer slept for days; alarms missed meanwhile fire now
          Advance(86400 * (e.a % 3 + 1));
          if (!restoring_) proc_->CheckAll();
          return;
        }
        if (kind == 6) Advance((86400 - t_ % 86400) - 120);  // to just before midnight
        for (int minute = 0; minute < (e.a % 10) + 1; ++minute) {
          Advance(60);
          if (restoring_) continue;
          for (int p = 1; p <= proc_->notes.Count(); ++p) {
            if (proc_->notes.At(p).AlarmTimerEnabled()) proc_->CheckTick(proc_->notes.At(p));
          }
        }
        return;
      }
      case Op("delete"):
        Deleting({n}, [&] { proc_->router.Run(CommandId::kDeleteNote, n); });
        return;
      case Op("deletesome"):
      case Op("deleteall"): {
        NoteListChoice& choice = proc_->services.list_answer;
        choice = {e.op == Op("deleteall") ? NoteListAction::kAll : NoteListAction::kSelected, {}};
        std::vector<int> doomed;
        for (int p = 1; p <= proc_->notes.Count(); ++p) {
          choice.selected.push_back(e.op == Op("deleteall") || (e.a >> (p % 16)) & 1);
          if (choice.selected.back()) doomed.push_back(NumberAt(p));
        }
        Deleting(doomed, [&] { proc_->router.Run(CommandId::kDeleteNotes); });
        // A config.cfg held open is kept, with the sections a reused number finds again.
        if (e.op == Op("deleteall") && proc_->notes.Count() == 0 &&
            !files_.files.count(kFolder + kSettingsFileName))
          leftover_keys_.clear();
        return;
      }
      case Op("loadfile"): {
        if (!w) return;
        proc_->services.dialogs.file_choice = "C:/texto.txt";
        proc_->services.files["C:/texto.txt"] = "carregado " + std::to_string(e.b);
        const std::string before = w->body;  // a read-only body may refuse it
        Command(CommandId::kLoadFile, n);
        if (w->body != before) notes_[n].body.cur = w->body;
        return;
      }
      case Op("autosave"):
        if (!proc_) return;
        Advance(2);
        AutosaveAll();
        return;
      case Op("close"):
      case Op("logoff"):  // log-off ends the program the same way, then the system flushes
        if (!proc_) return;
        for (int open : OpenNotes()) Touch(open, &ModelNote::body), Touch(open, &ModelNote::keys);
        proc_->life.Shutdown();
        if (const auto it = files_.files.find(kFolder + kLoadMarkerFileName);
            it != files_.files.end() && files_.Locked(it->first)) {
          // Held open through the exit: a record the program could not clear is a fall to it.
          if (const auto loading = ParseLoadMarker(it->second.bytes).loading)
            fell_loading_.insert(*loading);
        }
        for (int open : OpenNotes()) Observe(open);
        Gone();
        if (e.op == Op("logoff")) files_.FlushAll();
        return;
      case Op("die"):
        if (!proc_) return;
        files_.die_at = files_.writes + e.a % 8 + 1;
        files_.die_phase = e.b % 3;
        files_.die_with_power = e.b % 7 == 6;
        return;
      case Op("power"):
        if (proc_) throw ProcessDeath{true};
        return;
      case Op("lock"): {
        std::vector<std::string> paths;
        for (const auto& [path, file] : files_.files) {
          if (path.starts_with(kFolder) && !kUserFiles.count(path)) paths.push_back(path);
        }
        if (paths.empty()) return;
        const std::string& path = paths[e.a % paths.size()];
        files_.locked_until[path] = t_ + 3 + e.b % 120;
        if (std::getenv("SIM_TRACE"))
          std::printf("    (%s held %d s)\n", path.c_str(), 3 + e.b % 120);
        record_locked_ |= path == kFolder + kLoadMarkerFileName;
        ++faults;
        return;
      }
      case Op("full"):
        files_.disk_full_until = t_ + 3 + e.b % 120;
        ++faults;
        return;
      case Op("damage"):
      case Op("poison"): {
        if (proc_ || notes_.empty()) return;  // another program, while this one is not running
        auto it = std::next(notes_.begin(), e.a % notes_.size());
        const std::string bytes =
            e.op == Op("poison") ? kPoison : "{\\rtf1 estrag" + std::to_string(e.b);
        files_.Put(kFolder + BodyFileName(std::to_string(it->first)), bytes);
        it->second.body.Set(bytes);
        ++faults;
        return;
      }
    }
  }

  // Runs a delete; the notes whose windows went are gone from the model.
  void Deleting(const std::vector<int>& numbers, const std::function<void()>& run) {
    deleting_ = numbers;
    try {
      run();
    } catch (const ProcessDeath&) {
      for (int n : numbers) Forget(n);
      throw;
    }
    for (int n : numbers) {
      if (!Window(n)) Forget(n);
    }
  }
  void Forget(int n) {
    auto it = notes_.find(n);
    if (it == notes_.end()) return;
    leftover_keys_[n] = it->second.keys.ok;  // the section keeps them (number reuse)
    leftover_keys_[n].insert(kDefaultKeys);
    notes_.erase(it);
  }

  void Fired(int n, const AlarmFiring& firing) {
    fired_.push_back(n);
    auto it = notes_.find(n);
    if (firing.daily || it == notes_.end()) return;
    ModelNote& m = it->second;
    if (m.alarm_fired && !m.alarm_unsure) {
      Fail("alarm-twice", n, "'s one-time alarm fired twice");
    }
    m.alarm_fired = true;
  }

  std::string DiskBody(int n) {
    auto it = files_.files.find(kFolder + BodyFileName(std::to_string(n)));
    return it == files_.files.end() ? "" : it->second.bytes;
  }

  void Expect(Field& field, const std::string& seen, const char* kind, int n, const char* what) {
    if (!field.ok.count(seen)) {
      std::string expected;
      for (const std::string& v : field.ok) expected += " '" + v + "'";
      Fail(kind, n,
           " restored with " + std::string(what) + " '" + seen + "', expected one of" + expected);
    }
    // After a start that could not read everything, the disk may still hold the older values.
    if (files_.read_failures != start_read_failures_)
      field.cur = seen, field.ok.insert(seen);
    else
      field.Set(seen);
  }

  void CheckRestored(int position) {
    FakeNoteState& s = State(position);
    const int n = NumberAt(position);
    if (!seen_.insert(n).second) Fail("dup-number", "two notes numbered " + std::to_string(n));
    const bool read_only = !s.set_aside_text.empty();
    const std::string body = read_only ? DiskBody(n) : s.body;
    auto it = notes_.find(n);
    if (it == notes_.end()) {
      if (!adopt_ && !tainted_.count(n)) Fail("extra-note", n, " appeared, never created");
      ModelNote& m = notes_[n];
      m.body.Set(body);
      m.keys.Set(KeysOf(s));
      m.colors.Set(ColorsOf(s));
      m.pin.Set(PinOf(s));
      m.crashed = proc_->notes.LoadMarker().IsSetAside(n);  // as it was before it went
      return;
    }
    ModelNote& m = it->second;
    // A note under the number of a note whose delete met a fault may inherit its record.
    if (proc_->notes.LoadMarker().IsSetAside(n) && !m.crashed && !fell_loading_.count(n) &&
        !tainted_.count(n)) {
      Fail("set-aside", n, " set aside, its body never brought the program down");
    }
    Expect(m.body, body, m.fresh && !body.empty() ? "old-text-in-new-note" : "text-lost", n,
           "body");
    m.fresh = false;
    Expect(m.keys, KeysOf(s), "settings-lost", n, "title|top|left|visible");
    if (m.loose) m.colors.ok.insert(ColorsOf(s)), m.pin.ok.insert(PinOf(s));
    m.loose = false;
    Expect(m.colors, ColorsOf(s), "settings-lost", n, "colours");
    Expect(m.pin, PinOf(s), "settings-lost", n, "pin");
  }

  void CheckAfterRestart() {
    for (auto& [n, m] : notes_) {
      if (!Window(n)) Fail("note-lost", n, " is gone");
    }
    // What must hold on disk, read as the program would with no lock in the way.
    const auto locks = std::exchange(files_.locked_until, {});
    SettingsFile settings(files_, kFolder + kSettingsFileName);
    const std::vector<int> index = IndexFile(files_, kFolder + kIndexFileName).Numbers();
    const AlarmMinute now = MinuteOf(Now());
    for (int n = 1; n <= 40; ++n) {
      const NoteSettings keys(settings, n);
      const bool listed = std::find(index.begin(), index.end(), n) != index.end();
      if (!listed && !adopt_ && !tainted_.count(n) &&
          (keys.Read(NoteKey::kColor1, "") != "" || keys.Read(NoteKey::kOnTop, "") != "" ||
           keys.Read(NoteKey::kAlarm, "") != "")) {
        Fail("stale-keys", n, " is deleted, its colours, pin or alarm stay in config.cfg");
      }
      const AlarmKeys alarm = ReadAlarmKeys(keys, "");
      const auto date = ParseAlarmDate(alarm.data);
      const auto hora = ParseAlarmTime(alarm.hora);
      if (listed && alarm.alarm == "1" && alarm.diariamente != "1" && date && hora &&
          MinuteOf(*date, *hora) < now && !(notes_.count(n) && notes_[n].alarm_unsure) &&
          files_.write_failures == step_failures_ && files_.read_failures == start_read_failures_) {
        Fail("alarm-armed", n, "'s one-time alarm stays armed in the past");
      }
    }
    files_.locked_until = locks;
    for (const auto& [path, bytes] : kUserFiles) {
      auto it = files_.files.find(path);
      if (it == files_.files.end() || it->second.bytes != bytes)
        Fail("user-file", path + " was touched");
    }
    for (const auto& [day, digest] : Digests(kFolder + "Backup/", true)) {
      if (!day_states_[day].count(digest))
        Fail("backup", "Backup/" + day + " is no snapshot of the notes taken that day");
    }
    // A lock may lose a fall's record, so it may recur; a body taken in unindexed comes next start.
    if (files_.read_failures == start_read_failures_ &&
        files_.write_failures == start_write_failures_)
      adopt_ = false;
    for (auto& [n, m] : notes_)
      m.crash_unsure |= m.crashed && files_.read_failures != start_read_failures_;
  }

  std::map<std::string, std::size_t> Digests(const std::string& folder, bool days) {
    std::map<std::string, std::string> contents;
    for (const auto& [path, file] : files_.files) {
      if (!path.starts_with(folder)) continue;
      const std::string rest = path.substr(folder.size());
      const std::size_t slash = rest.find('/');
      const std::string name = rest.substr(slash == std::string::npos ? 0 : slash + 1);
      const bool backed_up =
          name == kIndexFileName || name == kSettingsFileName || BodyFileNumber(name);
      if (backed_up && (days ? slash != std::string::npos && IsDayName(rest.substr(0, slash))
                             : slash == std::string::npos)) {
        contents[days ? rest.substr(0, slash) : ""] += name + "\n" + file.bytes + "\n";
      }
    }
    std::map<std::string, std::size_t> digests;
    for (const auto& [day, text] : contents) digests[day] = std::hash<std::string>{}(text);
    return digests;
  }
  void RecordDayState() { day_states_[BackupDayName(Now())].insert(Digests(kFolder, false)[""]); }

  MemFiles files_;
  testing::FakeClock clock_;
  std::int64_t t_ = 0;
  std::unique_ptr<Process> proc_;
  bool restoring_ = false;
  std::set<int> seen_;  // notes restored by this start
  std::map<int, ModelNote> notes_;
  std::map<int, std::set<std::string>> leftover_keys_;
  std::map<std::string, std::set<std::size_t>> day_states_;
  bool adopt_ = false;  // a note may appear that the model cannot name (a step died)
  int step_failures_ = 0;
  int start_read_failures_ = 0;  // before this start: an unreadable config.cfg hides alarms
  int start_write_failures_ = 0;
  std::set<int> tainted_;  // numbers whose delete failed midway: their keys may linger
  // Died (maybe) in their load. The record still counts after a delete: a lock may leave it stale.
  std::set<int> fell_loading_;
  bool record_locked_ = false;  // carregando.dat was held open: a fall may repeat
  std::vector<int> deleting_;
  struct Touched {
    int n;
    Field ModelNote::*field;
    std::optional<std::string> intended;
    std::optional<std::string> saved;  // what an autosave wrote, if the step changes it later
  };
  std::vector<Touched> touched_;
  std::vector<int> fired_;
};

Event RandomEvent(std::mt19937& rng, const Sim& sim) {
  auto weight = [&](const OpRow& row) {
    return !sim.Running() ? row.stopped : sim.Restoring() ? row.restoring : row.ready;
  };
  int total = 0;
  for (const OpRow& row : kOps) total += weight(row);
  int r = static_cast<int>(rng() % total), op = 0;
  while ((r -= weight(kOps[op])) >= 0) ++op;
  return {op, static_cast<int>(rng() % 1000), static_cast<int>(rng() % 100000)};
}

std::int64_t StartSecond(std::uint64_t seed) {
  // 2026-12-07, some time of the evening, so that midnight comes soon.
  return MinuteOf(AlarmDate{2026, 12, 7}, 18, 0) * 60 + static_cast<std::int64_t>(seed % 300) * 60;
}

struct Outcome {
  std::optional<Failure> failure;
  std::vector<Event> events;
  int restarts = 0, faults = 0;
};

Outcome RunSequence(std::uint64_t seed, const std::vector<Event>& events, bool random) {
  Sim sim(StartSecond(seed));
  std::mt19937 rng(static_cast<std::mt19937::result_type>(seed));
  const int length = random ? 20 + static_cast<int>(rng() % 200) : 0;
  auto failure = sim.Run(
      events, [&](Sim& s) { return RandomEvent(rng, s); }, length);
  std::vector<Event> all = events;
  all.insert(all.end(), sim.recorded.begin(), sim.recorded.end());
  return {std::move(failure), std::move(all), sim.restarts, sim.faults};
}

// Delta debugging over the event list: the smallest list found that fails the same way.
std::vector<Event> Shrink(std::uint64_t seed, std::vector<Event> events, const std::string& kind) {
  auto fails = [&](const std::vector<Event>& candidate) {
    const auto failure = RunSequence(seed, candidate, false).failure;
    return failure && failure->kind == kind;
  };
  std::size_t parts = 2;
  while (events.size() >= 2) {
    const std::size_t chunk = (events.size() + parts - 1) / parts;
    bool reduced = false;
    for (std::size_t start = 0; start < events.size(); start += chunk) {
      std::vector<Event> candidate(events.begin(), events.begin() + start);
      candidate.insert(candidate.end(), events.begin() + std::min(events.size(), start + chunk),
                       events.end());
      if (fails(candidate)) {
        events = std::move(candidate);
        parts = std::max<std::size_t>(parts - 1, 2);
        reduced = true;
        break;
      }
    }
    if (reduced) continue;
    if (parts >= events.size()) break;
    parts = std::min(parts * 2, events.size());
  }
  return events;
}

double Env(const char* name, double fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::atof(value) : fallback;
}

int Main(int argc, char** argv) {
  double seconds = Env("SIM_SECONDS", 60);
  if (argc == 3 && std::string(argv[1]) == "--seconds") seconds = std::atof(argv[2]);
  const auto begin = std::chrono::steady_clock::now();
  long sequences = 0, restarts = 0, faults = 0;
  bool failed = false;
  std::set<std::string> known_kinds;
  int known = 0;
  auto count = [&](const Outcome& out) {
    ++sequences, restarts += out.restarts, faults += out.faults;
  };
  // The regression cases first (none with SIM_HUNT=1, to time how soon a fault is found).
  std::ifstream cases(std::getenv("SIM_REGRESSIONS") ? std::getenv("SIM_REGRESSIONS")
                                                     : SIM_REGRESSIONS);
  for (std::string line; !Env("SIM_HUNT", 0) && std::getline(cases, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::stringstream words(line);
    std::string name, state, kind, events;
    std::uint64_t seed = 0;
    words >> name >> state >> kind >> seed;
    std::getline(words, events);
    const Outcome out = RunSequence(seed, FromText(events), false);
    count(out);
    if (state == "known" && out.failure && out.failure->kind == kind) {
      ++known;
      known_kinds.insert(kind);
    } else if (state == "known" && !out.failure) {
      std::printf("%s passes now: mark it 'fixed' in tests/sim/regressions.txt\n", name.c_str());
      failed = true;
    } else if (out.failure) {
      std::printf("%s: %s: %s\n", name.c_str(), out.failure->kind.c_str(),
                  out.failure->detail.c_str());
      failed = true;
    }
  }
  const auto now = std::chrono::system_clock::now().time_since_epoch().count();
  const auto base = static_cast<unsigned long long>(Env("SIM_SEED", now % 1000000007));
  for (unsigned long long seed = base; !failed; ++seed) {
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    if (elapsed >= seconds) break;
    const Outcome out = RunSequence(seed, {}, true);
    count(out);
    if (!out.failure || known_kinds.count(out.failure->kind)) continue;
    const std::vector<Event> shrunk = Shrink(seed, out.events, out.failure->kind);
    const Failure again = RunSequence(seed, shrunk, false).failure.value();
    std::printf(
        "FAILED after %.1f s, %ld sequences: seed %llu (SIM_SEED=%llu repeats it)\n%s: %s\n"
        "shrunk to %zu of %zu events, as a line of tests/sim/regressions.txt:\n<name> known %s "
        "%llu %s\n",
        elapsed, sequences, seed, seed, again.kind.c_str(), again.detail.c_str(), shrunk.size(),
        out.events.size(), again.kind.c_str(), seed, ToText(shrunk).c_str());
    failed = true;
  }
  std::printf("SIMULATION: %ld sequences, %ld restarts, %ld faults injected, result %s", sequences,
              restarts, faults, failed ? "FAIL" : "PASS");
  if (known) std::printf(" (%d known faults not yet fixed)", known);
  std::printf("\n");
  return failed ? 1 : 0;
}

}  // namespace
}  // namespace velumbrino::sim

int main(int argc, char** argv) { return velumbrino::sim::Main(argc, argv); }
