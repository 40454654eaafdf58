#pragma once
// The engines' pages on the main window: each page's controls adapted to the
// page's interfaces, and the page itself. The window forwards clicks and
// timer ticks here.
#include <windows.h>

#include <memory>

#include "app/app_context.h"
#include "app/control_ids.h"
#include "app/win/adapters.h"
#include "registry/registry_repair_page.h"
#include "registry/start_with_windows.h"
#include "shortener/url_shortener_page.h"
#include "shortener/win32/url_page_controls_win32.h"

namespace vexa::app {

class Form1Pages {
 public:
  // control(id) gives the window of a control of the main window.
  template <typename Lookup>
  Form1Pages(AppContext& app, HWND form, Lookup control, ui::MessageBoxes& boxes, ui::EventPump& pump);

  // True when the click or tick was a page's.
  bool OnClick(int id);
  bool OnTimer(UINT_PTR id);

 private:
  // Registry repair.
  WinProgressBar PB1_;
  WinCaption lblStat_, Label26_;
  WinButton oxbutton12_, oxbutton13_, oxbutton14_;
  WinTimer Timer4_, Timer5_;
  RegistryRepairPage registry_;
  // Start with Windows.
  WinToggle ckStar_;
  StartWithWindows star_;
  // URL shortener.
  win32::EditText Tlong_, Tout_;
  win32::OptionButton Option1_, Option2_, Option3_;
  WinButton C_;
  UrlShortenerPage url_;
  win32::DoubleClickHook tlongDblClick_;
};

template <typename Lookup>
Form1Pages::Form1Pages(AppContext& app, HWND form, Lookup control, ui::MessageBoxes& boxes, ui::EventPump& pump)
    : PB1_(control(PB1)),
      lblStat_(control(lblStat)),
      Label26_(control(Label26)),
      oxbutton12_(control(oxbutton12)),
      oxbutton13_(control(oxbutton13)),
      oxbutton14_(control(oxbutton14)),
      Timer4_(form, Timer4, kRepairTickMs),
      Timer5_(form, Timer5, kDotsTickMs),
      registry_({PB1_, lblStat_, Label26_, oxbutton12_, oxbutton13_, oxbutton14_, Timer4_, Timer5_},
                {app.registry, app.systemFolders, app.files, app.clock, *app.log, boxes, pump}),
      ckStar_(control(ckStar)),
      star_(app.registry, app.env, ckStar_),
      Tlong_(control(Tlong)),
      Tout_(control(Tout)),
      Option1_(control(Option1)),
      Option2_(control(Option2)),
      Option3_(control(Option3)),
      C_(control(C)),
      url_({Tlong_, Tout_, Option1_, Option2_, Option3_, C_},
           {app.http, app.connection, boxes, pump, *app.log, app.files, app.env}),
      tlongDblClick_(control(Tlong), [this] { url_.Tlong_DblClick(); }) {}

}  // namespace vexa::app
