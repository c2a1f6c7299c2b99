#include "note/rich_text_body_win.h"

#include <richedit.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <cwchar>
#include <new>

#include "platform/file_system_win.h"
#include "platform/system_library_win.h"
#include "platform/unique_handle.h"
#include "platform/wide_string_win.h"
#include "store/cp1252.h"

namespace velumbrino {

namespace {

// Bodies are small; anything beyond this is not a note body and would only exhaust memory.
constexpr std::uint64_t kMaxLoadBytes = 256LL * 1024 * 1024;
// The control's default limit is 32K characters; a pasted document must not be cut short.
constexpr LPARAM kTextLimit = 0x7FFFFFFE;
constexpr double kMaxFontPoints = 1638.0;  // the largest size RichEdit accepts

// Loaded once and kept for the life of the process: windows of its class may exist until exit.
bool EnsureRichEditLoaded() {
  static const HMODULE library = LoadSystemLibrary(L"Msftedit.dll");
  return library != nullptr;
}

struct ReadCursor {
  const char* data;
  size_t remaining;
};

DWORD CALLBACK ReadFromMemory(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got) {
  auto* cursor = reinterpret_cast<ReadCursor*>(cookie);
  const size_t count = std::min(cursor->remaining, static_cast<size_t>(std::max(wanted, 0L)));
  std::memcpy(buffer, cursor->data, count);
  cursor->data += count;
  cursor->remaining -= count;
  *got = static_cast<LONG>(count);
  return 0;
}

DWORD CALLBACK WriteToString(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* written) {
  auto* out = reinterpret_cast<std::string*>(cookie);
  try {
    out->append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(count));
  } catch (const std::bad_alloc&) {
    *written = 0;
    return 1;  // stops the stream; the caller sees dwError
  }
  *written = count;
  return 0;
}

// Streams `bytes` in as the whole content; false when the control reported an error.
bool StreamIn(HWND window, std::string_view bytes, WPARAM format) {
  ReadCursor cursor{bytes.data(), bytes.size()};
  EDITSTREAM stream{};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&cursor);
  stream.pfnCallback = ReadFromMemory;
  SendMessageW(window, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
  return stream.dwError == 0;
}

bool StartsWithRtf(std::string_view bytes) { return bytes.substr(0, 5) == "{\\rtf"; }

// A freshly loaded body has nothing to undo, is not modified and has the caret at its start.
void ResetAfterLoad(HWND window) {
  SendMessageW(window, EM_EMPTYUNDOBUFFER, 0, 0);
  SendMessageW(window, EM_SETMODIFY, FALSE, 0);
  SendMessageW(window, EM_SETSEL, 0, 0);
}

}  // namespace

RichTextBody::RichTextBody(HWND parent, int control_id, const RECT& bounds) {
  if (!EnsureRichEditLoaded()) return;
  // No WS_HSCROLL and no ES_AUTOHSCROLL: lines wrap at the body's width. The vertical bar
  // appears only when the text overflows (no ES_DISABLENOSCROLL).
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE |
                      ES_WANTRETURN | ES_AUTOVSCROLL;
  window_ = CreateWindowExW(
      0, MSFTEDIT_CLASS, L"", style, bounds.left, bounds.top, bounds.right - bounds.left,
      bounds.bottom - bounds.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (!window_) return;
  SendMessageW(window_, EM_EXLIMITTEXT, 0, kTextLimit);
  SendMessageW(window_, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_MOUSEEVENTS | ENM_SELCHANGE);

  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  // Every member, not just face and size: the control starts from the System font, which
  // is bold, and that would leak into every new note.
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_BOLD | CFM_WEIGHT | CFM_ITALIC |
                  CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR;
  format.dwEffects = CFE_AUTOCOLOR;
  format.wWeight = FW_NORMAL;
  format.yHeight = 195;  // 9.75 pt in twips
  format.bCharSet = DEFAULT_CHARSET;
  wcscpy_s(format.szFaceName, L"Arial");
  SendMessageW(window_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  SendMessageW(window_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  SetBackColor(back_color_);
}

RichTextBody::~RichTextBody() {
  // The parent may have destroyed the control already, together with itself.
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

bool RichTextBody::LoadFile(const std::wstring& path) {
  if (!window_) return false;
  const std::optional<std::string> bytes = ReadWholeFile(path, kMaxLoadBytes);
  if (!bytes) return false;
  return LoadBytes(*bytes);
}

bool RichTextBody::LoadBytes(std::string_view bytes) {
  if (!window_) return false;
  if (StartsWithRtf(bytes) && StreamIn(window_, bytes, SF_RTF)) {
    ResetAfterLoad(window_);
    return true;
  }
  // Not RTF, or RTF the control rejected: show the bytes as Windows-1252 text rather
  // than nothing. Converted here so the result does not depend on the system code page.
  return LoadText(Widen(Cp1252ToUtf8(bytes)));
}

bool RichTextBody::LoadText(std::wstring_view text) {
  if (!window_) return false;
  // One CR per line break, the control's own paragraph mark: a CR LF that the stream splits
  // between two reads would otherwise become two breaks (Wine's control does that).
  std::wstring paragraphs;
  paragraphs.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
    paragraphs.push_back(text[i] == L'\n' ? L'\r' : text[i]);
  }
  const bool loaded = StreamIn(window_,
                               std::string_view(reinterpret_cast<const char*>(paragraphs.data()),
                                                paragraphs.size() * sizeof(wchar_t)),
                               SF_TEXT | SF_UNICODE);
  ResetAfterLoad(window_);
  return loaded;
}

bool RichTextBody::Modified() const {
  return window_ && SendMessageW(window_, EM_GETMODIFY, 0, 0) != 0;
}

void RichTextBody::SetModified(bool modified) {
  if (window_) SendMessageW(window_, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
}

void RichTextBody::ShowReadOnlyText(const std::wstring& text) {
  if (!window_) return;
  StreamIn(window_,
           std::string_view(reinterpret_cast<const char*>(text.data()),
                            text.size() * sizeof(wchar_t)),
           SF_TEXT | SF_UNICODE);
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_ITALIC | CFM_COLOR;
  format.dwEffects = CFE_ITALIC;
  format.crTextColor = GetSysColor(COLOR_GRAYTEXT);
  SendMessageW(window_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  SendMessageW(window_, EM_SETREADONLY, TRUE, 0);
  SendMessageW(window_, EM_EMPTYUNDOBUFFER, 0, 0);
  SendMessageW(window_, EM_SETMODIFY, FALSE, 0);
  SendMessageW(window_, EM_SETSEL, 0, 0);
}

std::string RichTextBody::SaveRtf() const {
  std::string out;
  if (!window_) return out;
  EDITSTREAM stream{};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&out);
  stream.pfnCallback = WriteToString;
  SendMessageW(window_, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  if (stream.dwError != 0) out.clear();
  return out;
}

bool RichTextBody::SaveFile(const std::wstring& path) const {
  const std::string rtf = SaveRtf();
  // An empty result means the stream failed: writing it would wipe the stored body.
  if (rtf.empty()) return false;
  return WinFileSystem().WriteFileAtomic(Narrow(path), rtf);
}

namespace {

// The selection's character format; `mask` asks for the members the caller needs, and the
// returned dwMask keeps only those that are uniform over the selection.
CHARFORMAT2W SelectionFormat(HWND window, DWORD mask) {
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  format.dwMask = mask;
  if (!window) {
    format.dwMask = 0;
    return format;
  }
  SendMessageW(window, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  return format;
}

void ApplySelectionFormat(HWND window, CHARFORMAT2W& format) {
  if (!window) return;
  format.cbSize = sizeof(format);
  SendMessageW(window, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  // A format change is a change of the body, whether or not the control flags it.
  SendMessageW(window, EM_SETMODIFY, TRUE, 0);
}

std::optional<bool> SelectionEffect(HWND window, DWORD mask, DWORD effect) {
  const CHARFORMAT2W format = SelectionFormat(window, mask);
  if (!(format.dwMask & mask)) return std::nullopt;
  return (format.dwEffects & effect) != 0;
}

void SetSelectionEffect(HWND window, DWORD mask, DWORD effect, bool value) {
  CHARFORMAT2W format{};
  format.dwMask = mask;
  format.dwEffects = value ? effect : 0;
  ApplySelectionFormat(window, format);
}

}  // namespace

std::optional<std::wstring> RichTextBody::SelFontName() const {
  const CHARFORMAT2W format = SelectionFormat(window_, CFM_FACE);
  if (!(format.dwMask & CFM_FACE)) return std::nullopt;
  return std::wstring(format.szFaceName);
}

void RichTextBody::SetSelFontName(const std::wstring& name) {
  // The control keeps a face name of at most LF_FACESIZE - 1 characters; a longer or empty
  // name is no font at all.
  if (name.empty() || name.size() >= LF_FACESIZE) return;
  CHARFORMAT2W format{};
  format.dwMask = CFM_FACE | CFM_CHARSET;
  format.bCharSet = DEFAULT_CHARSET;
  wcsncpy_s(format.szFaceName, name.c_str(), _TRUNCATE);
  ApplySelectionFormat(window_, format);
}

std::optional<double> RichTextBody::SelFontSize() const {
  const CHARFORMAT2W format = SelectionFormat(window_, CFM_SIZE);
  if (!(format.dwMask & CFM_SIZE)) return std::nullopt;
  return format.yHeight / 20.0;
}

void RichTextBody::SetSelFontSize(double points) {
  if (!std::isfinite(points) || points <= 0) return;
  CHARFORMAT2W format{};
  format.dwMask = CFM_SIZE;
  format.yHeight = std::lround(std::min(points, kMaxFontPoints) * 20.0);
  if (format.yHeight <= 0) format.yHeight = 1;
  ApplySelectionFormat(window_, format);
}

std::optional<bool> RichTextBody::SelBold() const {
  return SelectionEffect(window_, CFM_BOLD, CFE_BOLD);
}
void RichTextBody::SetSelBold(bool value) {
  SetSelectionEffect(window_, CFM_BOLD, CFE_BOLD, value);
}
std::optional<bool> RichTextBody::SelItalic() const {
  return SelectionEffect(window_, CFM_ITALIC, CFE_ITALIC);
}
void RichTextBody::SetSelItalic(bool value) {
  SetSelectionEffect(window_, CFM_ITALIC, CFE_ITALIC, value);
}
std::optional<bool> RichTextBody::SelUnderline() const {
  return SelectionEffect(window_, CFM_UNDERLINE, CFE_UNDERLINE);
}
void RichTextBody::SetSelUnderline(bool value) {
  SetSelectionEffect(window_, CFM_UNDERLINE, CFE_UNDERLINE, value);
}
std::optional<bool> RichTextBody::SelStrikeThru() const {
  return SelectionEffect(window_, CFM_STRIKEOUT, CFE_STRIKEOUT);
}
void RichTextBody::SetSelStrikeThru(bool value) {
  SetSelectionEffect(window_, CFM_STRIKEOUT, CFE_STRIKEOUT, value);
}

std::optional<COLORREF> RichTextBody::SelColor() const {
  const CHARFORMAT2W format = SelectionFormat(window_, CFM_COLOR);
  if (!(format.dwMask & CFM_COLOR)) return std::nullopt;
  // "Automatic" colour is the system's window-text colour.
  if (format.dwEffects & CFE_AUTOCOLOR) return GetSysColor(COLOR_WINDOWTEXT);
  return format.crTextColor;
}

void RichTextBody::SetSelColor(COLORREF color) {
  CHARFORMAT2W format{};
  format.dwMask = CFM_COLOR;
  format.dwEffects = 0;  // clears CFE_AUTOCOLOR
  format.crTextColor = color & 0x00FFFFFF;
  ApplySelectionFormat(window_, format);
}

std::wstring RichTextBody::SelText() const {
  if (!window_) return {};
  CHARRANGE range{};
  SendMessageW(window_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  if (range.cpMax <= range.cpMin) return {};
  // Each paragraph mark may grow to CR LF: room for twice the characters.
  const size_t capacity = static_cast<size_t>(range.cpMax - range.cpMin) * 2 + 1;
  std::wstring text(capacity, L'\0');
  GETTEXTEX request{};
  request.cb = static_cast<DWORD>(capacity * sizeof(wchar_t));
  request.flags = GT_SELECTION | GT_USECRLF;
  request.codepage = 1200;  // UTF-16
  const LRESULT length = SendMessageW(window_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request),
                                      reinterpret_cast<LPARAM>(text.data()));
  text.resize(
      static_cast<size_t>(std::clamp<LRESULT>(length, 0, static_cast<LRESULT>(capacity) - 1)));
  return text;
}

void RichTextBody::SetSelText(const std::wstring& text) {
  if (!window_) return;
  SendMessageW(window_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageW(window_, EM_SETMODIFY, TRUE, 0);
}

long RichTextBody::SelStart() const {
  CHARRANGE range{};
  if (window_) SendMessageW(window_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range.cpMin;
}

void RichTextBody::SetSelStart(long start) {
  if (!window_) return;
  // As with the classic control: moving the start collapses the selection to a caret.
  CHARRANGE range{std::max(start, 0L), std::max(start, 0L)};
  SendMessageW(window_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

long RichTextBody::SelLength() const {
  CHARRANGE range{};
  if (window_) SendMessageW(window_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range.cpMax - range.cpMin;
}

void RichTextBody::SetSelLength(long length) {
  if (!window_) return;
  CHARRANGE range{};
  SendMessageW(window_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  // The control clamps a range past the end; a negative length selects nothing.
  const long end =
      length > 0 && range.cpMin <= LONG_MAX - length ? range.cpMin + length : range.cpMin;
  range.cpMax = end;
  SendMessageW(window_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

std::wstring RichTextBody::Text() const {
  if (!window_) return {};
  GETTEXTLENGTHEX measure{};
  measure.flags = GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS;
  measure.codepage = 1200;
  const LRESULT length =
      SendMessageW(window_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&measure), 0);
  if (length <= 0) return {};
  const size_t capacity = static_cast<size_t>(length) + 1;
  std::wstring text(capacity, L'\0');
  GETTEXTEX request{};
  request.cb = static_cast<DWORD>(capacity * sizeof(wchar_t));
  request.flags = GT_USECRLF;
  request.codepage = 1200;
  const LRESULT copied = SendMessageW(window_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request),
                                      reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return text;
}

std::vector<std::wstring> RichTextBody::Lines() const {
  std::vector<std::wstring> lines;
  if (!window_) return lines;
  const LRESULT count = SendMessageW(window_, EM_GETLINECOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT start = SendMessageW(window_, EM_LINEINDEX, static_cast<WPARAM>(i), 0);
    const LRESULT length =
        start < 0 ? 0 : SendMessageW(window_, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
    // EM_GETLINE takes the room in the buffer's first WORD and may add the line's CR.
    std::wstring line(static_cast<size_t>(std::clamp<LRESULT>(length, 0, 0xFFF0)) + 2, L'\0');
    line[0] = static_cast<wchar_t>(line.size());
    const LRESULT copied = SendMessageW(window_, EM_GETLINE, static_cast<WPARAM>(i),
                                        reinterpret_cast<LPARAM>(line.data()));
    line.resize(
        static_cast<size_t>(std::clamp<LRESULT>(copied, 0, static_cast<LRESULT>(line.size()))));
    while (!line.empty() &&
           (line.back() == L'\r' || line.back() == L'\n' || line.back() == L'\v')) {
      line.pop_back();
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

void RichTextBody::SetBackColor(COLORREF color) {
  back_color_ = color & 0x00FFFFFF;
  if (window_) SendMessageW(window_, EM_SETBKGNDCOLOR, 0, back_color_);
}

void RichTextBody::SetFocus() {
  if (window_) ::SetFocus(window_);
}

std::optional<POINT> RichTextBody::CaretScreenPoint() const {
  if (!window_ || GetFocus() != window_) return std::nullopt;
  POINT caret{};
  RECT client{};
  if (!GetCaretPos(&caret) || !GetClientRect(window_, &client) || !PtInRect(&client, caret)) {
    return std::nullopt;
  }
  ClientToScreen(window_, &caret);
  return caret;
}

}  // namespace velumbrino
