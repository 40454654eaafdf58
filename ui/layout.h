#pragma once
// A window's controls as data: rows of kind, parent, caption and place in
// twips relative to the parent, created in table order (first on top) and
// placed again when the DPI changes. The main window's frame and each
// feature's panel add their own rows to the one layout of the window.
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "controls/paint/palette.h"
#include "controls/property_bag.h"
#include "ui/adapters.h"
#include "ui/scoped.h"

namespace vexa::ui {

enum class Kind {
  Panel,        // picture box: a plain child window with a back colour
  Label,        // static text; transparent to the mouse unless kNotify
  Button,       // oxbutton
  CheckBox,     // stock check box
  Toggle,       // mm_checkbox
  Edit,         // single-line text box
  Memo,         // multi-line text box with a vertical scroll bar
  ListBox,      // stock list box
  ListView,     // report list view with one column and no header
  HScroll,      // horizontal scroll bar
  Spinner,      // ucFirefoxWait
  ProgressXp,   // ProgressBarXP
  Vista,        // VistaProgress
  StdProgress,  // stock progress bar
  Radio,        // option button
  Frame,        // group box without caption
  Hosted,       // created by its panel, placed by the layout
};

enum Flags : unsigned {
  kHidden = 1u << 0,
  kDisabled = 1u << 1,
  kBold = 1u << 2,
  kTitleFont = 1u << 3,    // large product title
  kHeaderText = 1u << 4,   // white text on a header strip
  kNotify = 1u << 5,       // label that takes clicks
  kChecked = 1u << 6,      // check box, toggle or option button starts set
  kMono = 1u << 7,         // fixed-pitch font
  kNarrow = 1u << 8,       // condensed title font
  kHeaderPanel = 1u << 9,  // panel painted as a header strip
  kGreen = 1u << 10,       // green text
  kTitlePanel = 1u << 11,  // panel in the title strip's colour
  kTab = 1u << 12,         // tab caption font
  kBadge = 1u << 13,       // text on a dark badge
  kGroupStart = 1u << 14,  // first option button of a group
};

// Parents a row can name besides another row of the same window.
enum Slot : int { kOnForm = -1, kOnPage = -2, kOnOptions = -3 };

struct ControlRow {
  int id;
  int parent;  // a Slot or the id of an earlier row
  Kind kind;
  const wchar_t* caption;
  int x, y, w, h;  // twips
  unsigned flags = 0;
  const controls::PropertyBag* properties = nullptr;  // a skinned control's persisted values
};

// The windows a panel's rows go into, and what its "<< Back" does.
struct Site {
  HWND page = nullptr;
  HWND options = nullptr;  // the Option page, for a feature's settings
  std::function<void()> back;
};

// The look of the window's surfaces.
inline constexpr COLORREF kTitleColor = controls::palette::kSlate;
inline constexpr COLORREF kPageColor = controls::palette::kPage;
inline constexpr COLORREF kHeaderColor = controls::palette::kAccent;
inline constexpr COLORREF kBadgeColor = controls::palette::kBadge;
inline constexpr COLORREF kTextColor = controls::palette::kInk;

// The panel window class: fills itself with its colour and hands what its
// children report (commands, notifications, colours, scrolls) and its own
// mouse presses to the top-level window.
inline constexpr wchar_t kPanelClass[] = L"VexaPanel";
void RegisterPanelClass();
// Sent by a panel to its top-level window on a press: wParam = panel,
// lParam = point in the panel.
inline constexpr UINT kPanelLeftDown = WM_APP + 10;
inline constexpr UINT kPanelRightDown = WM_APP + 11;
// Sent by a panel to its top-level window after filling itself, to paint
// artwork: wParam = HDC, lParam = panel.
inline constexpr UINT kPanelPaintArt = WM_APP + 12;
// A panel's colour.
COLORREF PanelColor(HWND panel);
void SetPanelColor(HWND panel, COLORREF color);

class Layout {
 public:
  void Begin(HWND form, int dpi);
  int Dpi() const { return dpi_; }
  HWND Form() const { return form_; }

  // Creates the rows' controls, in order, each below those before it.
  void Add(std::span<const ControlRow> rows, const Site& site = {});
  // A control its panel created for a Hosted row.
  void Adopt(int id, HWND hwnd) { controls_[id] = hwnd; }

  HWND Control(int id) const;
  // Attaches each adapter to the control of its id.
  void Attach(std::initializer_list<std::pair<Attached*, int>> adapters) const {
    for (auto [adapter, id] : adapters) adapter->Attach(Control(id));
  }
  const ControlRow* Row(int id) const;
  RECT Rect(int x, int y, int w, int h) const;
  RECT RectOf(const ControlRow& row) const { return Rect(row.x, row.y, row.w, row.h); }
  HWND ParentOf(const ControlRow& row) const;

  // Places every control again and gives it its font at the new DPI.
  void ChangeDpi(int dpi);

  HFONT FontFor(unsigned flags) const;
  HFONT TabFont(bool bold) const { return bold ? tabBold_.get() : tab_.get(); }
  HBRUSH Brush(COLORREF color);

  // WM_CTLCOLOR* of a control: its parent's colour (formBack for controls
  // on the window itself), the text colour its flags ask for unless `text`
  // says otherwise.
  HBRUSH CtlColor(HDC dc, HWND control, COLORREF formBack, std::optional<COLORREF> text);

 private:
  struct Placed {
    const ControlRow* row;
    HWND parent;
  };
  HWND Create(const ControlRow& row, HWND parent);
  void MakeFonts();
  int ColumnWidth(const RECT& list) const;

  HWND form_ = nullptr;
  int dpi_ = 96;
  std::vector<Placed> placed_;
  std::map<int, HWND> controls_;
  std::map<COLORREF, ScopedGdi<HBRUSH>> brushes_;
  ScopedGdi<HFONT> normal_, bold_, header_, title_, narrow_, mono_, tab_, tabBold_;
};

// A feature's part of a window: its rows, its adapters and page, and its
// handlers. The window forwards what it does not handle itself.
class Panel {
 public:
  virtual ~Panel() = default;
  // Creates the panel's controls through the window's layout.
  virtual void Create(Layout& layout, const Site& site) = 0;
  // The window's load step.
  virtual void Load() {}
  // True when the command, tick, notification or scroll was this panel's.
  virtual bool OnCommand(int id, int code) { return false; }
  virtual bool OnTimer(UINT_PTR id) { return false; }
  virtual bool OnNotify(const NMHDR& header, LRESULT& result) { return false; }
  virtual bool OnHScroll(HWND bar, int code, int pos) { return false; }
  // A text colour of one of the panel's labels that changes as it runs.
  virtual std::optional<COLORREF> TextColor(int id) const { return std::nullopt; }
};

}  // namespace vexa::ui
