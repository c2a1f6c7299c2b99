#include "store/text_file_encoding.h"

#include "store/cp1252.h"
#include "store/text_utils.h"

namespace velumbrino {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr std::string_view kRtfStart = "{\\rtf";
constexpr char32_t kReplacement = 0xFFFD;

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = Utf8SequenceAt(bytes, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

bool IsAscii(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Malformed sequences become U+FFFD, one per byte.
std::string RepairUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = Utf8SequenceAt(bytes, i);
    if (length == 0) {
      AppendUtf8(out, kReplacement);
      ++i;
    } else {
      out.append(bytes, i, length);
      i += length;
    }
  }
  return out;
}

// UTF-16 without its mark; unpaired surrogates and an odd last byte become U+FFFD. Returns
// false when a NUL character shows the data is not text.
bool DecodeUtf16(std::string_view bytes, bool big_endian, std::string& out) {
  out.reserve(bytes.size());
  const auto unit_at = [&](std::size_t i) -> char32_t {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return big_endian ? (first << 8) | second : (second << 8) | first;
  };
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    const char32_t unit = unit_at(i);
    if (unit == 0) return false;
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t next = unit_at(i + 2);
      if (next >= 0xDC00 && next <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
        i += 2;
        continue;
      }
    }
    AppendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : unit);
  }
  if (i < bytes.size()) AppendUtf8(out, kReplacement);
  return true;
}

LoadedTextFile Refused(TextFileRefusal refusal) {
  LoadedTextFile file;
  file.refusal = refusal;
  return file;
}

}  // namespace

std::string ToCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      out += "\r\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

bool TextFileSizeAllowed(std::uint64_t size_bytes) { return size_bytes <= kMaxTextFileBytes; }

LoadedTextFile DecodeTextFile(std::string_view bytes) {
  if (!TextFileSizeAllowed(bytes.size())) return Refused(TextFileRefusal::kTooLarge);
  LoadedTextFile file;
  if (bytes.starts_with(kRtfStart)) {
    file.rich_text = true;
    file.text = std::string(bytes);
    return file;
  }
  if (bytes.starts_with(kUtf16LeBom) || bytes.starts_with(kUtf16BeBom)) {
    const bool big_endian = bytes.starts_with(kUtf16BeBom);
    std::string text;
    if (!DecodeUtf16(bytes.substr(2), big_endian, text)) return Refused(TextFileRefusal::kBinary);
    file.encoding = big_endian ? TextEncoding::kUtf16BeBom : TextEncoding::kUtf16LeBom;
    file.text = ToCrLf(text);
    return file;
  }
  // Outside UTF-16 a NUL byte is never text.
  if (bytes.find('\0') != std::string_view::npos) return Refused(TextFileRefusal::kBinary);
  if (bytes.starts_with(kUtf8Bom)) {
    file.encoding = TextEncoding::kUtf8Bom;
    file.text = ToCrLf(RepairUtf8(bytes.substr(kUtf8Bom.size())));
  } else if (IsAscii(bytes)) {
    file.encoding = TextEncoding::kAnsi;
    file.text = ToCrLf(bytes);
  } else if (IsValidUtf8(bytes)) {
    file.encoding = TextEncoding::kUtf8;
    file.text = ToCrLf(bytes);
  } else {
    file.encoding = TextEncoding::kAnsi;
    file.text = ToCrLf(Cp1252ToUtf8(bytes));
  }
  return file;
}

EncodedTextFile EncodeTextFile(std::string_view utf8_text) {
  const std::string text = ToCrLf(utf8_text) + "\r\n";
  EncodedTextFile file;
  std::string ansi = Utf8ToCp1252(text);
  // Every character fits exactly when the bytes read back as the same text. Bytes that would
  // also pass for UTF-8 ("Ã©") would load as other characters, so those get the mark too.
  if (Cp1252ToUtf8(ansi) == text && (IsAscii(ansi) || !IsValidUtf8(ansi))) {
    file.encoding = TextEncoding::kAnsi;
    file.bytes = std::move(ansi);
  } else {
    file.encoding = TextEncoding::kUtf8Bom;
    file.bytes = std::string(kUtf8Bom) + RepairUtf8(text);
  }
  return file;
}

}  // namespace velumbrino
