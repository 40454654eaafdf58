#pragma once
// The Cleaner page of the main window and the cleaner's toggles on the
// Option page: their controls, the page that drives them, and ListView1.
#include "cleaner/cleaner_page.h"
#include "cleaner/win32/junk_list_view.h"
#include "ui/adapters.h"
#include "ui/layout.h"

namespace vexa::cleaner {

// Control ids, by design name.
enum CleanerControl : int {
  Label3 = 402, Label12, Label8, Label9, Label10, Label11, Label6, Label7, Label4, Label5, ListView1, Check1,
  Command1, Command2, UCP,
  ck1 = 1102, Label15, ck2, Label16, ck3, Label17,
};
enum CleanerTimer : UINT_PTR { Timer1 = 1, Timer3 = 3 };

class CleanerPanel : public ui::Panel {
 public:
  explicit CleanerPanel(const CleanerServices& services);

  void Create(ui::Layout& layout, const ui::Site& site) override;
  void Load() override;
  bool OnCommand(int id, int code) override;
  bool OnTimer(UINT_PTR id) override;
  bool OnNotify(const NMHDR& header, LRESULT& result) override { return listView1_.OnNotify(header, result); }

  CleanerPage& Page() { return page_; }

 private:
  ui::WinCaption Label3_, Label12_, Label5_, Label7_, Label9_, Label11_;
  ui::WinSpinner UCP_;
  ui::WinTimer Timer1_{Timer1, 2000}, Timer3_{Timer3, 1000};
  ui::WinButton Command2_;
  ui::WinToggle Check1_, ck1_, ck2_, ck3_;
  CleanerPage page_;
  JunkListView listView1_;
};

}  // namespace vexa::cleaner
