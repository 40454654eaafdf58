#pragma once
// The URL shortener panel of the main window.
#include "shortener/url_shortener_page.h"
#include "ui/adapters.h"
#include "ui/layout.h"

namespace vexa::shortener {

// Control ids, by design name.
enum UrlControl : int {
  Label40 = 901, Label42, Tlong, frameServices, Option1, Option2, Option3, Label43, C, Tout, oxbutton16,
};

class UrlPanel : public ui::Panel {
 public:
  explicit UrlPanel(const UrlShortenerServices& services);

  void Create(ui::Layout& layout, const ui::Site& site) override;
  bool OnCommand(int id, int code) override;

  UrlShortenerPage& Page() { return page_; }

 private:
  ui::WinCaption Tlong_, Tout_;
  ui::WinToggle Option1_, Option2_, Option3_;
  ui::WinButton C_;
  UrlShortenerPage page_;
  ui::DoubleClickHook tlongDblClick_{[this] { page_.Tlong_DblClick(); }};
  std::function<void()> back_;
};

}  // namespace vexa::shortener
