#pragma once
// Drives the real program as a user would: starts it in a folder of its own,
// finds its windows and controls, clicks, reads captions and lists of the
// other process, answers message boxes, works the tray menu and saves
// screenshots (build/e2e-artifacts, or VEXA_E2E_ARTIFACTS).
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/support.h"

namespace vexa::e2e {

using test::UnderWine;
using test::WaitFor;

// Set once from the command line: the VexaUtility.exe under test.
void SetProgramPath(const char* path);

// Variables laid over the test's own environment; an empty value removes one.
using EnvVars = std::vector<std::pair<std::wstring, std::wstring>>;

// A process this test started; ended by its handle if it still runs when
// the object goes.
class Process {
 public:
  Process(const std::wstring& exe, const std::wstring& args = L"", const EnvVars& env = {},
          const std::wstring& folder = L"");
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  bool Running() const;
  bool WaitExit(int ms = 8000) const;
  long ExitCode() const;  // -1 while it runs
  DWORD Id() const { return pi_.dwProcessId; }

 protected:
  PROCESS_INFORMATION pi_{};
};

class Program : public Process {
 public:
  // Starts the program from `folder`; `fresh`: the folder is emptied first
  // and gets its own copy of the executable.
  explicit Program(const std::wstring& folder, const EnvVars& env = {}, bool fresh = true);

  const std::wstring& Folder() const { return folder_; }
  std::wstring Exe() const { return folder_ + L"\\VexaUtility.exe"; }
  std::string Log() const { return test::ReadBytes(folder_ + L"\\VexaLog.Log"); }

  // A top-level window of the program with this caption (message boxes aside).
  HWND Window(const std::wstring& caption) const;
  HWND WaitWindow(const std::wstring& caption, bool visible, int ms = 8000) const;
  HWND Box() const;  // a message box on view, or null
  HWND WaitBox(int ms = 8000) const;

  // The tray menu as the shell opens it (right button up over the icon),
  // item 1 "Show" or 2 "Exit" picked with the keyboard.
  bool TrayMenu(int item) const;
  bool TrayIconPresent() const;  // the shell holds the icon of the splash window

 private:
  HWND Find(bool (*kind)(HWND), const std::wstring& caption = L"") const;
  std::wstring folder_;
};

HWND ControlById(HWND root, int id);
std::wstring TextOf(HWND window);
// True when `child` is what shows at its own centre: on view, not covered.
bool OnView(HWND child);
void Click(HWND control);                           // posted: for a click that opens a modal box
// Sent: false when the handler has not returned in time. Meanwhile this
// thread's own windows answer nothing.
bool ClickAndWait(HWND control, int ms = 3000);
bool SetTextOf(HWND control, const std::wstring& text);  // as a paste would
int CheckOf(HWND control);  // BM_GETCHECK
LRESULT Ask(HWND control, UINT msg, WPARAM wp = 0, LPARAM lp = 0);  // sent, with a time limit
// Puts the pointer over the control's centre, as a user's mouse would.
void HoverOver(HWND control);
// The real mouse and keyboard: a left click at the control's centre, a key
// pressed and let go in `window` (brought to the front first; the key goes
// where its keyboard focus is).
void ClickWithMouse(HWND control);
void PressKey(HWND window, WORD key);
// The program's tooltip on view with this text, or null.
HWND TipShowing(const Program& program, const std::wstring& text);

std::wstring BoxText(HWND box);
void AnswerOk(HWND box);

// Lists of another process: a list box's lines, a list view's cells (read
// through a buffer placed in that process).
std::vector<std::wstring> ListBoxLines(HWND list);
bool ClickListBoxLine(HWND list, int index);  // true once the line is selected
std::vector<std::vector<std::wstring>> ListViewRows(HWND list, int columns = 1);

void Screenshot(HWND window, const std::wstring& name);
// A file beside this test program (the helpers built with it).
std::wstring BesideTests(const wchar_t* name);

// The program the journeys share: started once per run with its services
// on a loopback stand-in (answering kShortUrl) and with TEMP, HOMEPATH and
// SystemRoot removed from its environment, its splash waited out and its
// main window shown from the tray. "Exit" ends it after the last test.
struct Shared {
  Shared();
  test::LoopbackServer standIn;
  Program program;
  HWND form1 = nullptr;
  bool splashSpinnerTurned = false;  // the splash's spinner played while it showed
  HWND C(int id) const { return ControlById(form1, id); }
};
inline const std::string kShortUrl = "https://is.gd/Vx3aB";
Shared& App();
// Picks "Exit" from its tray menu, if it was started, and lets it go; true
// when it ended and left no icon behind.
bool EndApp();
// Puts the shared program back on view, with no box open, on a tab
// (0 Home ... 3 Option).
HWND OnTab(int index);
// The Toolbox tab, then one of its buttons; true once `control` is on view.
bool OpenTool(int button, int control);

}  // namespace vexa::e2e
