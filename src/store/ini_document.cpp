#include "store/ini_document.h"

#include <cstdint>
#include <unordered_map>
#include <utility>

#include "store/text_utils.h"

namespace velumbrino {

namespace {

enum class LineEnd : std::uint8_t { kNone, kCr, kLf, kCrLf };

// "[name]" after optional blanks; the name runs to the last ']' of the line.
std::optional<std::string_view> SectionName(std::string_view line) {
  std::string_view text = Trim(line);
  if (text.empty() || text.front() != '[') return std::nullopt;
  const std::size_t close = text.rfind(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(text.substr(1, close - 1));
}

// The key name of a "key=value" line; nullopt for anything else.
std::optional<std::string_view> KeyName(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  std::string_view key = Trim(line.substr(0, equals));
  if (key.empty()) return std::nullopt;
  return key;
}

std::string_view ValueOf(std::string_view line) {
  const std::size_t equals = line.find('=');
  return Trim(line.substr(equals + 1));
}

// A written value must stay on its own line.
std::string OneLine(std::string_view value) {
  std::string out(value);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

}  // namespace

struct IniDocument::Impl {
  struct Line {
    std::string text;  // without its line end
    LineEnd end = LineEnd::kCrLf;
    bool removed = false;  // deleted keys stay as tombstones until the section is compacted
  };

  struct Section {
    std::vector<Line> lines;  // lines[0] is the header, except for the lines before any section
    // Lower-cased key -> live lines holding it, in file order (the first one answers).
    std::unordered_map<std::string, std::vector<std::size_t>> keys;
    std::size_t last_key_line = 0;  // the header when the section has no key line
    std::size_t removed_count = 0;
  };

  // sections[0] holds the lines before the first header; its keys belong to no section.
  std::vector<Section> sections{1};
  std::unordered_map<std::string, std::size_t> first_section;  // lower-cased name -> index

  static void IndexKeys(Section& section, bool has_header) {
    section.keys.clear();
    section.last_key_line = 0;
    if (!has_header) return;
    for (std::size_t i = 1; i < section.lines.size(); ++i) {
      const Line& line = section.lines[i];
      if (line.removed) continue;
      if (auto key = KeyName(line.text)) {
        section.keys[LowerAscii(*key)].push_back(i);
        section.last_key_line = i;
      }
    }
  }

  void Compact(Section& section) {
    std::vector<Line> live;
    live.reserve(section.lines.size() - section.removed_count);
    for (Line& line : section.lines) {
      if (!line.removed) live.push_back(std::move(line));
    }
    section.lines = std::move(live);
    section.removed_count = 0;
    IndexKeys(section, true);
  }

  Section* FindSection(std::string_view name) {
    auto found = first_section.find(LowerAscii(Trim(name)));
    return found == first_section.end() ? nullptr : &sections[found->second];
  }
  const Section* FindSection(std::string_view name) const {
    return const_cast<Impl*>(this)->FindSection(name);
  }
};

IniDocument::IniDocument(std::string_view bytes) : impl_(std::make_shared<Impl>()) {
  Impl& impl = *impl_;
  std::size_t position = 0;
  while (position < bytes.size()) {
    std::size_t end = position;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    Impl::Line line;
    line.text.assign(bytes.substr(position, end - position));
    if (end == bytes.size()) {
      line.end = LineEnd::kNone;
      position = end;
    } else if (bytes[end] == '\n') {
      line.end = LineEnd::kLf;
      position = end + 1;
    } else if (end + 1 < bytes.size() && bytes[end + 1] == '\n') {
      line.end = LineEnd::kCrLf;
      position = end + 2;
    } else {
      line.end = LineEnd::kCr;  // a lone CR ends a line too
      position = end + 1;
    }
    if (auto name = SectionName(line.text)) {
      impl.first_section.emplace(LowerAscii(*name), impl.sections.size());
      impl.sections.emplace_back();
    }
    impl.sections.back().lines.push_back(std::move(line));
  }
  for (std::size_t i = 1; i < impl.sections.size(); ++i) Impl::IndexKeys(impl.sections[i], true);
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  if (!impl_) return std::nullopt;
  const Impl::Section* found = impl_->FindSection(section);
  if (!found) return std::nullopt;
  auto lines = found->keys.find(LowerAscii(Trim(key)));
  if (lines == found->keys.end() || lines->second.empty()) return std::nullopt;
  return std::string(ValueOf(found->lines[lines->second.front()].text));
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view key_name = Trim(key);
  if (key_name.empty()) return;  // "=value" would be no key at all
  if (!impl_) {
    impl_ = std::make_shared<Impl>();
  } else if (impl_.use_count() > 1) {
    impl_ = std::make_shared<Impl>(*impl_);  // copies share the text until one of them writes
  }
  std::string text(key_name);
  text += '=';
  text += OneLine(value);
  Impl::Section* target = impl_->FindSection(section);
  if (!target) {
    const std::string_view name = Trim(section);
    impl_->first_section.emplace(LowerAscii(name), impl_->sections.size());
    target = &impl_->sections.emplace_back();
    std::string header = "[";
    header += name;
    header += ']';
    target->lines.push_back({std::move(header), LineEnd::kCrLf, false});
  }
  std::string lower_key = LowerAscii(key_name);
  auto existing = target->keys.find(lower_key);
  if (existing != target->keys.end() && !existing->second.empty()) {
    target->lines[existing->second.front()].text = std::move(text);  // keeps its line end
    return;
  }
  // After the section's last key line; only blank, comment and removed lines follow it, so
  // no indexed line moves.
  const std::size_t at = target->last_key_line + 1;
  target->lines.insert(target->lines.begin() + static_cast<std::ptrdiff_t>(at),
                       {std::move(text), LineEnd::kCrLf, false});
  target->keys[std::move(lower_key)] = {at};
  target->last_key_line = at;
}

void IniDocument::Delete(std::string_view section, std::string_view key) {
  if (!impl_) return;
  {
    const Impl::Section* found = impl_->FindSection(section);
    if (!found) return;
    auto lines = found->keys.find(LowerAscii(Trim(key)));
    if (lines == found->keys.end() || lines->second.empty()) return;
  }
  if (impl_.use_count() > 1) impl_ = std::make_shared<Impl>(*impl_);
  Impl::Section& target = *impl_->FindSection(section);
  auto lines = target.keys.find(LowerAscii(Trim(key)));
  const std::size_t index = lines->second.front();
  lines->second.erase(lines->second.begin());
  if (lines->second.empty()) target.keys.erase(lines);
  Impl::Line& line = target.lines[index];
  line.removed = true;
  line.text.clear();
  line.text.shrink_to_fit();
  ++target.removed_count;
  if (index == target.last_key_line) {
    std::size_t previous = index;
    while (previous > 0) {
      --previous;
      const Impl::Line& candidate = target.lines[previous];
      if (previous == 0 || (!candidate.removed && KeyName(candidate.text))) break;
    }
    target.last_key_line = previous;
  }
  // Tombstones keep deletes cheap; drop them once they outnumber the live lines.
  if (target.removed_count > 16 && target.removed_count * 2 > target.lines.size()) {
    impl_->Compact(target);
  }
}

std::string IniDocument::Serialize() const {
  std::string out;
  if (!impl_) return out;
  std::size_t size = 0;
  for (const Impl::Section& section : impl_->sections) {
    for (const Impl::Line& line : section.lines) size += line.text.size() + 2;
  }
  out.reserve(size);
  bool needs_end = false;  // the previous line was the file's unterminated last line
  for (const Impl::Section& section : impl_->sections) {
    for (const Impl::Line& line : section.lines) {
      if (line.removed) continue;
      if (needs_end) out += "\r\n";
      out += line.text;
      switch (line.end) {
        case LineEnd::kNone:
          break;
        case LineEnd::kCr:
          out += '\r';
          break;
        case LineEnd::kLf:
          out += '\n';
          break;
        case LineEnd::kCrLf:
          out += "\r\n";
          break;
      }
      needs_end = line.end == LineEnd::kNone;
    }
  }
  return out;
}

}  // namespace velumbrino
