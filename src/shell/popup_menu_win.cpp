#include "shell/popup_menu_win.h"

#include <algorithm>
#include <set>

#include "platform/wide_string_win.h"
#include "shell/menu_pictures_win.h"

namespace velumbrino {

struct PopupMenu::ItemData {
  std::wstring caption;
  MenuPicture picture = MenuPicture::kNone;
  bool separator = false;
};

namespace {

// Sizes at 96 dpi; Px gives them at the screen's resolution, which the menu font follows too.
constexpr int kGutterWidth = 24;  // the picture column
constexpr int kTextLeft = kGutterWidth + 8;
constexpr int kItemHeight = 22;
constexpr int kSeparatorHeight = 7;
constexpr int kPictureSize = 16;
constexpr int kArrowRoom = 24;  // on the right, for the submenu arrow the system draws

constexpr COLORREF kMenuBack = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kGutter = RGB(0xE3, 0xEB, 0xF8);
constexpr COLORREF kSelectFill = RGB(0xC1, 0xD2, 0xEE);
constexpr COLORREF kSelectEdge = RGB(0x31, 0x6A, 0xC5);
constexpr COLORREF kCheckFill = RGB(0xFF, 0xE7, 0xA2);
constexpr COLORREF kText = RGB(0x00, 0x00, 0x00);
constexpr COLORREF kGreyText = RGB(0xA0, 0xA0, 0xA0);
constexpr COLORREF kSeparatorLine = RGB(0xC5, 0xC5, 0xC5);

int MenuDpi() {
  static const int dpi = [] {
    window_dc screen(nullptr);
    const int found = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return found > 0 ? found : 96;
  }();
  return dpi;
}

int Px(int at_96) { return MulDiv(at_96, MenuDpi(), 96); }

// Tahoma 8.25 pt at the screen's DPI, made once for the run.
HFONT MenuFont() {
  static unique_font font = [] {
    LOGFONTW description{};
    description.lfHeight = -MulDiv(825, MenuDpi(), 7200);
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(description.lfFaceName, L"Tahoma", LF_FACESIZE);
    return unique_font(CreateFontIndirectW(&description));
  }();
  return font.get();
}

void DrawItem(const DRAWITEMSTRUCT& item, const PopupMenu::ItemData& data) {
  HDC dc = item.hDC;
  const RECT& rect = item.rcItem;
  const bool disabled = (item.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  const bool selected = (item.itemState & ODS_SELECTED) != 0 && !disabled;
  const bool checked = (item.itemState & ODS_CHECKED) != 0;

  unique_brush back(CreateSolidBrush(kMenuBack));
  FillRect(dc, &rect, back.get());
  unique_brush gutter(CreateSolidBrush(kGutter));
  RECT gutter_rect{rect.left, rect.top, rect.left + Px(kGutterWidth), rect.bottom};
  FillRect(dc, &gutter_rect, gutter.get());

  if (data.separator) {
    const int y = (rect.top + rect.bottom) / 2;
    DrawMenuLine(dc, rect.left + Px(kTextLeft), y, rect.right - 2, y, kSeparatorLine);
    return;
  }

  if (selected) {
    DrawMenuBox(dc, rect.left + 1, rect.top, rect.right - 2, rect.bottom - 1, kSelectFill,
                kSelectEdge);
  }
  const int cell = Px(kPictureSize);
  const int cell_x = rect.left + (Px(kGutterWidth) - cell) / 2;
  const int cell_y = rect.top + (rect.bottom - rect.top - cell) / 2;
  if (checked) {
    DrawMenuBox(dc, cell_x - Px(2), cell_y - Px(2), cell_x + cell + Px(1), cell_y + cell + Px(1),
                selected ? RGB(0xFF, 0xC8, 0x70) : kCheckFill, kSelectEdge);
  }
  if (data.picture != MenuPicture::kNone) {
    DrawMenuPicture(dc, cell_x, cell_y, data.picture, disabled, MenuDpi());
  } else if (checked) {
    DrawMenuCheckMark(dc, cell_x + cell / 2, cell_y + cell / 2, disabled ? kGreyText : kText,
                      MenuDpi());
  }

  scoped_select font(dc, MenuFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, disabled ? kGreyText : kText);
  RECT text_rect{rect.left + Px(kTextLeft), rect.top, rect.right - Px(4), rect.bottom};
  DrawTextW(dc, data.caption.c_str(), -1, &text_rect,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// Every item of every live PopupMenu: item data of owner-drawn items of anything else the owner
// shows is never taken for ours (nor dereferenced).
std::set<const PopupMenu::ItemData*>& LiveItems() {
  static std::set<const PopupMenu::ItemData*> items;
  return items;
}

const PopupMenu::ItemData* OurItem(ULONG_PTR item_data) {
  const auto* data = reinterpret_cast<const PopupMenu::ItemData*>(item_data);
  return LiveItems().count(data) ? data : nullptr;
}

}  // namespace

// Built in the body: BuildLevel fills items_ and places_, which must exist first.
PopupMenu::PopupMenu(const std::vector<MenuItemSpec>& items) { menu_.reset(BuildLevel(items)); }

PopupMenu::~PopupMenu() {
  for (const auto& item : items_) LiveItems().erase(item.get());
}

HMENU PopupMenu::BuildLevel(const std::vector<MenuItemSpec>& items) {
  HMENU menu = CreatePopupMenu();
  UINT position = 0;
  for (const MenuItemSpec& entry : items) {
    auto data = std::make_unique<ItemData>();
    data->caption = Widen(entry.caption);
    data->picture = entry.picture;
    data->separator = entry.IsSeparator();

    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_STATE;
    info.fType = MFT_OWNERDRAW | (data->separator ? MFT_SEPARATOR : 0);
    info.fState = MFS_ENABLED;
    info.wID = static_cast<UINT>(entry.id);
    info.dwItemData = reinterpret_cast<ULONG_PTR>(data.get());
    if (!entry.submenu.empty()) {
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = BuildLevel(entry.submenu);
    }
    InsertMenuItemW(menu, position, TRUE, &info);
    if (!data->separator) places_[entry.id] = {menu, position};
    LiveItems().insert(data.get());
    items_.push_back(std::move(data));
    ++position;
  }
  return menu;
}

void PopupMenu::SetEnabled(CommandId id, bool enabled) {
  const auto place = places_.find(id);
  if (place == places_.end()) return;
  EnableMenuItem(place->second.parent, place->second.position,
                 MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}

void PopupMenu::SetChecked(CommandId id, bool checked) {
  const auto place = places_.find(id);
  if (place == places_.end()) return;
  CheckMenuItem(place->second.parent, place->second.position,
                MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void PopupMenu::Prepare(const MenuContext& context) {
  for (const auto& [id, place] : places_) {
    if (const CommandRow* row = FindCommand(id)) {
      SetEnabled(id, ItemEnabled(*row, context));
      SetChecked(id, ItemChecked(*row, context));
    }
  }
}

bool PopupMenu::IsEnabled(CommandId id) const {
  const auto place = places_.find(id);
  if (place == places_.end()) return false;
  const UINT state = GetMenuState(place->second.parent, place->second.position, MF_BYPOSITION);
  return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

bool PopupMenu::IsChecked(CommandId id) const {
  const auto place = places_.find(id);
  if (place == places_.end()) return false;
  const UINT state = GetMenuState(place->second.parent, place->second.position, MF_BYPOSITION);
  return state != static_cast<UINT>(-1) && (state & MF_CHECKED);
}

CommandId PopupMenu::Track(HWND owner, int x, int y) {
  // Without the owner in the foreground the menu would not close when the user clicks
  // elsewhere; the WM_NULL afterwards lets the next opening work the first time.
  SetForegroundWindow(owner);
  const BOOL chosen = TrackPopupMenuEx(menu_.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN,
                                       x, y, owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
  return static_cast<CommandId>(chosen);
}

bool PopupMenu::HandleOwnerDrawMessage(UINT message, WPARAM, LPARAM lparam, LRESULT& result) {
  if (message == WM_MEASUREITEM) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
    if (!measure || measure->CtlType != ODT_MENU) return false;
    const ItemData* data = OurItem(measure->itemData);
    if (!data) return false;
    if (data->separator) {
      measure->itemWidth = static_cast<UINT>(Px(kTextLeft));
      measure->itemHeight = static_cast<UINT>(Px(kSeparatorHeight));
    } else {
      window_dc screen(nullptr);
      scoped_select font(screen.get(), MenuFont());
      SIZE size{};
      GetTextExtentPoint32W(screen.get(), data->caption.c_str(),
                            static_cast<int>(data->caption.size()), &size);
      measure->itemWidth = static_cast<UINT>(Px(kTextLeft) + size.cx + Px(kArrowRoom));
      measure->itemHeight = static_cast<UINT>(std::max<LONG>(Px(kItemHeight), size.cy + Px(8)));
    }
    result = TRUE;
    return true;
  }
  if (message == WM_DRAWITEM) {
    const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
    if (!draw || draw->CtlType != ODT_MENU) return false;
    const ItemData* data = OurItem(draw->itemData);
    if (!data) return false;
    DrawItem(*draw, *data);
    result = TRUE;
    return true;
  }
  return false;
}

}  // namespace velumbrino
