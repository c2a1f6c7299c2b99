#include "store/note_keys.h"

namespace velumbrino {

std::string_view KeyName(NoteKey key) {
  switch (key) {
    case NoteKey::kTop: return "Top";
    case NoteKey::kLeft: return "Left";
    case NoteKey::kTag: return "Tag";
    case NoteKey::kTitulo: return "Titulo";
    case NoteKey::kVisivel: return "Visivel";
    case NoteKey::kOnTop: return "OnTop";
    case NoteKey::kColor1: return "Color1";
    case NoteKey::kColor2: return "Color2";
    case NoteKey::kOpacidade: return "Opacidade";
    case NoteKey::kAlarm: return "Alarm";
    case NoteKey::kDiariamente: return "Diariamente";
    case NoteKey::kTocarSom: return "TocarSom";
    case NoteKey::kSom: return "Som";
    case NoteKey::kPath: return "Path";
    case NoteKey::kData: return "Data";
    case NoteKey::kHora: return "Hora";
    case NoteKey::kHoraAntes: return "HoraAntes";
  }
  return {};
}

std::string ReadNoteKey(const SettingsFile& settings, std::string_view number, NoteKey key,
                        std::string_view default_value) {
  return settings.ReadIniValue(number, KeyName(key), default_value);
}

std::string NoteSettings::Read(NoteKey key, std::string_view default_value) const {
  return ReadNoteKey(settings_, section_, key, default_value);
}

bool NoteSettings::Write(NoteKey key, std::string_view value) {
  return settings_.WriteKey(section_, KeyName(key), value);
}

bool NoteSettings::Delete(NoteKey key) { return settings_.DeleteKey(section_, KeyName(key)); }

std::vector<IniEdit> NoteSettings::Edits(const std::vector<NoteKeyEdit>& edits) const {
  std::vector<IniEdit> result;
  result.reserve(edits.size());
  for (const NoteKeyEdit& edit : edits) {
    result.push_back({section_, std::string(KeyName(edit.key)), edit.value});
  }
  return result;
}

bool NoteSettings::Apply(const std::vector<NoteKeyEdit>& edits) {
  return settings_.Apply(Edits(edits));
}

}  // namespace velumbrino
