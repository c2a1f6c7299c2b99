#include "store/settings_file.h"

#include "store/cp1252.h"
#include "store/ini_document.h"

namespace velumbrino {

namespace {

// The program's reads went through a 255-byte buffer: one byte for the terminating NUL.
constexpr std::size_t kMaxValueLength = 254;

}  // namespace

struct SettingsFile::Cache {
  std::optional<std::uint64_t> stamp;
  IniDocument document;
  // The file is there but could not be read (another program holds it): the document is
  // what was read before, or nothing, and must not be written back as the file.
  bool held = false;

  // The cached document while the file's stamp is unchanged; otherwise the file read again.
  // A missing file is an empty document.
  static const IniDocument& Current(FileSystem& files, const std::string& path,
                                    std::shared_ptr<Cache>& cache, bool snapshot = false) {
    if (snapshot && cache && !cache->held) return cache->document;
    const std::optional<std::uint64_t> stamp = files.Stamp(path);
    // A missing file has no stamp to compare, so it is looked at every time.
    if (!cache || cache->stamp != stamp || !stamp || cache->held) {
      std::optional<std::string> bytes = stamp ? files.ReadFile(path) : std::nullopt;
      if (stamp && !bytes) {
        if (!cache) cache = std::make_shared<Cache>();
        cache->held = true;  // read again next time
        return cache->document;
      }
      cache = std::make_shared<Cache>(Cache{stamp, IniDocument(bytes ? *bytes : std::string())});
    }
    return cache->document;
  }
};

SettingsFile::SettingsFile(FileSystem& files, std::string path)
    : files_(files), path_(std::move(path)) {}

std::string SettingsFile::ReadIniValue(std::string_view section, std::string_view key,
                                       std::string_view default_value) const {
  const IniDocument& document = Cache::Current(files_, path_, cache_, snapshots_ > 0);
  std::optional<std::string> value = document.Get(Utf8ToCp1252(section), Utf8ToCp1252(key));
  if (!value || value->empty()) return std::string(default_value);
  if (value->size() > kMaxValueLength) value->resize(kMaxValueLength);
  return Cp1252ToUtf8(*value);
}

bool SettingsFile::WriteKey(std::string_view section, std::string_view key,
                            std::string_view value) {
  return Apply({IniEdit{std::string(section), std::string(key), std::string(value)}});
}

bool SettingsFile::DeleteKey(std::string_view section, std::string_view key) {
  return Apply({IniEdit{std::string(section), std::string(key), std::nullopt}});
}

bool SettingsFile::Apply(const std::vector<IniEdit>& edits) {
  // The edits go into a copy: when the write fails, the cache keeps what the file still holds.
  IniDocument edited = Cache::Current(files_, path_, cache_);
  if (cache_->held) return false;
  const std::string before = edited.Serialize();
  for (const IniEdit& edit : edits) {
    const std::string section = Utf8ToCp1252(edit.section);
    const std::string key = Utf8ToCp1252(edit.key);
    if (edit.value) {
      edited.Set(section, key, Utf8ToCp1252(*edit.value));
    } else {
      edited.Delete(section, key);
    }
  }
  std::string bytes = edited.Serialize();
  if (bytes == before && cache_->stamp) return true;  // nothing changed on an existing file
  if (bytes.empty() && !cache_->stamp) return true;   // deletes on a missing file
  if (!files_.WriteFileAtomic(path_, bytes)) return false;
  cache_ = std::make_shared<Cache>(Cache{files_.Stamp(path_), std::move(edited)});
  return true;
}

}  // namespace velumbrino
