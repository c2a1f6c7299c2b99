// Benchmarks run under Wine (scripts/bench.sh): settings throughput of our INI engine next to
// the profile-string functions, and the exit save of real note windows. Prints table rows.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>

#include "note/note_window_win.h"
#include "platform/clock_win.h"
#include "platform/file_system_win.h"
#include "platform/wide_string_win.h"
#include "store/note_collection.h"
#include "store/settings_file.h"

using namespace velumbrino;
using Timer = std::chrono::steady_clock;

namespace {

double Ms(Timer::time_point since) {
  return std::chrono::duration<double, std::milli>(Timer::now() - since).count();
}

class QuietHost : public NoteWindowHost {
 public:
  bool AppReady() const override { return false; }
  void BodyPressed(NoteWindow&, bool, int, int) override {}
  void PinClicked(NoteWindow&) override {}
  void NoteNeedsSave(NoteWindow&) override {}
};

constexpr const char* kReadKeys[] = {"Opacidade", "Titulo", "Top",   "Left",   "Color1",
                                     "Color2",    "Alarm",  "OnTop", "Visivel"};

void SettingsThroughput(const std::string& folder, int n) {
  const std::string ours_path = folder + "ours.cfg";
  const std::string theirs_path = folder + "profile.cfg";
  DeleteFileW(Widen(ours_path).c_str());
  DeleteFileW(Widen(theirs_path).c_str());

  // Our save: every key of every note in one batch, one atomic write.
  SettingsFile ours(WinFileSystem(), ours_path);
  auto began = Timer::now();
  std::vector<IniEdit> edits{{"Indice", "TotalForms", std::to_string(n)}};
  for (int i = n; i >= 1; --i) {
    const std::string tag = std::to_string(i);
    edits.push_back({tag, "Top", std::to_string(1500 + i)});
    edits.push_back({tag, "Left", std::to_string(3000 + i)});
    edits.push_back({tag, "Tag", tag});
    edits.push_back({tag, "Titulo", "Nota numero " + tag});
    edits.push_back({tag, "Visivel", "True"});
  }
  ours.Apply(edits);
  const double ours_save = Ms(began);

  began = Timer::now();
  const std::wstring wpath = Widen(theirs_path);
  WritePrivateProfileStringA("Indice", "TotalForms", std::to_string(n).c_str(),
                             theirs_path.c_str());
  for (int i = n; i >= 1; --i) {
    const std::string tag = std::to_string(i);
    WritePrivateProfileStringA(tag.c_str(), "Top", std::to_string(1500 + i).c_str(),
                               theirs_path.c_str());
    WritePrivateProfileStringA(tag.c_str(), "Left", std::to_string(3000 + i).c_str(),
                               theirs_path.c_str());
    WritePrivateProfileStringA(tag.c_str(), "Tag", tag.c_str(), theirs_path.c_str());
    WritePrivateProfileStringA(tag.c_str(), "Titulo", ("Nota numero " + tag).c_str(),
                               theirs_path.c_str());
    WritePrivateProfileStringA(tag.c_str(), "Visivel", "True", theirs_path.c_str());
  }
  const double theirs_save = Ms(began);

  // The restore's reads: every key restore reads, for every note (a fresh reader: file read
  // and parsed once, then read through one snapshot as restore does).
  began = Timer::now();
  SettingsFile reader(WinFileSystem(), ours_path);
  const SettingsFile::Snapshot snapshot(reader);
  std::size_t total = reader.ReadIniValue("Indice", "TotalForms", "0").size();
  for (int i = 1; i <= n; ++i) {
    const std::string tag = std::to_string(i);
    for (const char* key : kReadKeys) total += reader.ReadIniValue(tag, key, "").size();
  }
  const double ours_read = Ms(began);

  began = Timer::now();
  char buffer[255];
  total += GetPrivateProfileStringA("Indice", "TotalForms", "0", buffer, 255, theirs_path.c_str());
  for (int i = 1; i <= n; ++i) {
    const std::string tag = std::to_string(i);
    for (const char* key : kReadKeys) {
      total += GetPrivateProfileStringA(tag.c_str(), key, "", buffer, 255, theirs_path.c_str());
    }
  }
  const double theirs_read = Ms(began);
  std::printf("settings save   N=%-5d ours %9.2f ms  profile API %10.1f ms  ratio %7.0fx\n", n,
              ours_save, theirs_save, theirs_save / ours_save);
  std::printf("settings reads  N=%-5d ours %9.2f ms  profile API %10.1f ms  ratio %7.0fx\n", n,
              ours_read, theirs_read, theirs_read / ours_read);
  std::fflush(stdout);
  if (total == 0) std::printf("\n");
}

void ExitSave(const std::string& root, int n) {
  const std::string folder = root + "exit" + std::to_string(n) + "\\";
  WinFileSystem().CreateDirectories(folder);
  QuietHost host;
  SystemClock clock;
  NoteWindowFactoryWin factory(host, clock);
  NoteCollection notes(WinFileSystem(), factory, folder);
  const std::string body = folder + "seed.rtf";
  WinFileSystem().WriteFileAtomic(
      body,
      "{\\rtf1\\ansi Primeiro paragrafo de uma nota de tamanho comum, com algumas palavras."
      "\\par Segundo paragrafo: leite, pao, cafe, ligar para a Ana.\\par Terceiro.\\par}\r\n");
  auto began = Timer::now();
  for (int i = 1; i <= n; ++i) {
    NoteWindow& note = notes.CreateNote(std::to_string(i), false, DefaultFont{}, false);
    note.LoadBody(body);
    note.SetTitle("Nota " + std::to_string(i));
  }
  const double create = Ms(began);
  began = Timer::now();
  notes.SaveAllNotes();
  const double save = Ms(began);
  std::printf("exit save       N=%-5d %9.1f ms (%.3f ms per note; creating the windows took %.0f ms)\n",
              n, save, save / n, create);
  std::fflush(stdout);
  // The windows are left to the process end, as the program does.
  ExitProcess(0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench settings <folder\\> | exit-save <folder\\> <n>\n");
    return 1;
  }
  const std::string folder = Narrow(argv[2]);
  CreateDirectoryW(argv[2], nullptr);
  if (std::wcscmp(argv[1], L"settings") == 0) {
    for (int n : {10, 100, 1000}) SettingsThroughput(folder, n);
  } else if (std::wcscmp(argv[1], L"exit-save") == 0 && argc == 4) {
    ExitSave(folder, _wtoi(argv[3]));
  }
  return 0;
}
