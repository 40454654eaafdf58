#pragma once
// The engines' pages on the main window: each page's controls adapted to the
// page's interfaces, and the page itself. The window forwards clicks and
// timer ticks here.
#include <windows.h>

#include <memory>

#include "app/app_context.h"
#include "app/control_ids.h"
#include "app/win/adapters.h"
#include "cleaner/cleaner_page.h"
#include "cleaner/win32/junk_list_view.h"
#include "guard/keyword_watch_page.h"
#include "guard/logger_block_page.h"
#include "guard/mod_blok_logger.h"
#include "guard/win32/alert_window.h"
#include "guard/win32/page_controls.h"
#include "guard/window_list_page.h"
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

  // The main window's initialise and load steps, as far as the pages go.
  void Form_Initialize();
  void Form_Load();

  // True when the notification or tick was a page's.
  bool OnCommand(int id, int code);
  bool OnNotify(const NMHDR& header, LRESULT& result) { return listView1_.OnNotify(header, result); }
  bool OnTimer(UINT_PTR id);

  // ListView1 is the cleaner's owner-data list; it creates its own window.
  HWND CreateListView1(HWND parent, const RECT& rect) { return listView1_.Create(parent, ListView1, rect); }

  // "Proccess Viewer" opens the viewer with a fresh window list.
  void RefreshWindowList() { windows_.cmdRefresh_Click(); }

 private:
  // Cleaner.
  WinCaption Label3_, Label12_, Label5_, Label7_, Label9_, Label11_;
  WinSpinner UCP_;
  WinTimer Timer1_, Timer3_;
  WinButton Command2_;
  WinToggle Check1_, ck1_, ck2_, ck3_;
  cleaner::CleanerPage cleaner_;
  cleaner::JunkListView listView1_;
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
  // Logger blocker.
  WinButton oxbutton1_, oxbutton2_;
  guard::win32::ListViewRows listView2_;
  WinProgressBar PB_;
  WinAnimatedBar PB2_;
  WinSpinner UCP1_;
  WinTimer Timer2_;
  guard::win32::ScrollBarLevel blog_;
  guard::ModBlokLogger blok_;
  guard::LoggerBlockPage logger_;
  // Process viewer.
  guard::win32::ListBoxLines list1_;
  ::vexa::win32::ScopedGdi<HFONT> list1Font_;
  WinToggle chk1_, chk2_;
  guard::WindowListPage windows_;
  // Keyword blocker.
  guard::win32::ListBoxStrings list2_;
  WinCaption Text2_, Text3_;
  WinToggle ckWatch_;
  WinTimer Timer8_;
  guard::win32::AlertWindow form5_;
  guard::KeywordWatchPage keywords_;
};

template <typename Lookup>
Form1Pages::Form1Pages(AppContext& app, HWND form, Lookup control, ui::MessageBoxes& boxes, ui::EventPump& pump)
    : Label3_(control(Label3)),
      Label12_(control(Label12)),
      Label5_(control(Label5)),
      Label7_(control(Label7)),
      Label9_(control(Label9)),
      Label11_(control(Label11)),
      UCP_(control(UCP)),
      Timer1_(form, Timer1, 2000),
      Timer3_(form, Timer3, 1000),
      Command2_(control(Command2)),
      Check1_(control(Check1)),
      ck1_(control(ck1)),
      ck2_(control(ck2)),
      ck3_(control(ck3)),
      cleaner_({Label3_, Label12_, Label5_, Label7_, Label9_, Label11_, UCP_, Timer1_, Timer3_, Command2_, Check1_, ck1_,
                ck2_, ck3_, boxes},
               app.files, app.env, *app.log),
      listView1_(cleaner_.ListView1()),
      PB1_(control(PB1)),
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
      tlongDblClick_(control(Tlong), [this] { url_.Tlong_DblClick(); }),
      oxbutton1_(control(oxbutton1)),
      oxbutton2_(control(oxbutton2)),
      listView2_(control(ListView2)),
      PB_(control(PB)),
      PB2_(control(PB2)),
      UCP1_(control(UCP1)),
      Timer2_(form, Timer2, 100),
      blog_(control(BLog)),
      blok_(app.processes, *app.log, boxes, pump),
      logger_(blok_, {oxbutton1_, oxbutton2_, listView2_, PB_, PB2_, UCP1_, Timer2_, blog_}),
      list1_(control(List1)),
      list1Font_(guard::win32::UseFixedPitchFont(control(List1))),
      chk1_(control(chk1)),
      chk2_(control(chk2)),
      windows_(app.desktop, list1_, chk1_, chk2_, pump),
      list2_(control(List2)),
      Text2_(control(Text2)),
      Text3_(control(Text3)),
      ckWatch_(control(ckWatch)),
      Timer8_(form, Timer8, 1000),
      form5_(form),
      keywords_(app.desktop, form5_, {list2_, Text2_, Text3_, ckWatch_, Timer8_, boxes}) {}

}  // namespace vexa::app
