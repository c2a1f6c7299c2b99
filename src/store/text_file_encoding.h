#pragma once
// Text files loaded into and saved from a note. Saving writes the ANSI code page
// (Windows-1252) when every character fits it and UTF-8 with a byte-order mark otherwise, so
// nothing turns into '?'. Loading recognises the byte-order marks, UTF-8 without one and
// falls back to Windows-1252; rich text is left to the rich-text loader; binary and huge
// files are refused.

#include <cstdint>
#include <string>
#include <string_view>

namespace velumbrino {

// A note body is no place for more; a few megabytes of text must still load whole.
inline constexpr std::uint64_t kMaxTextFileBytes = 64ull * 1024 * 1024;

enum class TextEncoding { kAnsi, kUtf8, kUtf8Bom, kUtf16LeBom, kUtf16BeBom };

enum class TextFileRefusal { kNone, kBinary, kTooLarge };

struct LoadedTextFile {
  TextFileRefusal refusal = TextFileRefusal::kNone;
  // The file starts with "{\rtf": the caller loads it as rich text; `text` holds its bytes
  // unchanged.
  bool rich_text = false;
  TextEncoding encoding = TextEncoding::kAnsi;  // pure ASCII reads as kAnsi
  std::string text;                             // UTF-8, line breaks CR LF; empty when refused
};

// Whether a file of this size may be read at all (checked before reading it).
bool TextFileSizeAllowed(std::uint64_t size_bytes);
LoadedTextFile DecodeTextFile(std::string_view bytes);

struct EncodedTextFile {
  TextEncoding encoding = TextEncoding::kAnsi;  // kAnsi or kUtf8Bom
  std::string bytes;
};
// The body's plain text as the file's bytes: every line break as CR LF, one CR LF at the end.
EncodedTextFile EncodeTextFile(std::string_view utf8_text);

// Every CR LF, lone CR and lone LF as CR LF.
std::string ToCrLf(std::string_view text);

}  // namespace velumbrino
