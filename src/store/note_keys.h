#pragma once
// The keys of config.cfg: every key name is spelt here and nowhere else. A note's keys are
// read and written through NoteSettings, so a misspelt key cannot compile.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/settings_file.h"

namespace velumbrino {

inline constexpr std::string_view kIndexSection = "Indice";
inline constexpr std::string_view kTotalFormsKey = "TotalForms";

// The keys of a note's own section (named by its number).
enum class NoteKey {
  kTop, kLeft, kTag, kTitulo, kVisivel,  // written at exit and by the autosave
  kOnTop, kColor1, kColor2, kOpacidade,  // written at once by their commands
  // The alarm, written by the alarm dialog in this order.
  kAlarm, kDiariamente, kTocarSom, kSom, kPath, kData, kHora, kHoraAntes,
};

inline constexpr std::array<NoteKey, 8> kAlarmKeys = {
    NoteKey::kAlarm, NoteKey::kDiariamente, NoteKey::kTocarSom, NoteKey::kSom,
    NoteKey::kPath,  NoteKey::kData,        NoteKey::kHora,     NoteKey::kHoraAntes};

std::string_view KeyName(NoteKey key);
// A note's key; a missing or empty value gives the default.
std::string ReadNoteKey(const SettingsFile& settings, std::string_view number, NoteKey key,
                        std::string_view default_value);

struct NoteKeyEdit {
  NoteKey key;
  std::optional<std::string> value;  // nullopt deletes the key
};

// One note's section of config.cfg.
class NoteSettings {
 public:
  NoteSettings(SettingsFile& settings, std::string number)
      : settings_(settings), section_(std::move(number)) {}
  NoteSettings(SettingsFile& settings, int number)
      : NoteSettings(settings, std::to_string(number)) {}

  const std::string& Section() const { return section_; }
  SettingsFile& File() const { return settings_; }
  // A missing or empty value gives the default (at most 254 characters come back).
  std::string Read(NoteKey key, std::string_view default_value) const;
  // False when config.cfg could not be written; the old file then stays whole.
  bool Write(NoteKey key, std::string_view value);
  bool Delete(NoteKey key);
  // Every edit in one write of the file.
  bool Apply(const std::vector<NoteKeyEdit>& edits);
  // The same edits as IniEdits, for batches that span several sections.
  std::vector<IniEdit> Edits(const std::vector<NoteKeyEdit>& edits) const;

 private:
  SettingsFile& settings_;
  std::string section_;
};

}  // namespace velumbrino
