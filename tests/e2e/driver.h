#pragma once
// Drives the real program as a user would: starts it in a folder of its own,
// finds its windows and controls, clicks, reads captions, answers message
// boxes, opens the tray menu and saves screenshots.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace vexa::e2e {

void SetProgramPath(const char* path);
const std::wstring& ProgramPath();
// Folder for screenshots (created on demand).
std::wstring ArtifactFolder();

// A fresh-named folder under the temporary folder: "vexa-e2e-<name>".
std::wstring Scratch(const wchar_t* name);
// True when running under Wine (the registry and folder tests need its prefix).
bool UnderWine();

// Polls `done` every 20 ms until it holds or `ms` pass; true when it held.
bool WaitFor(const std::function<bool()>& done, int ms = 8000);

std::wstring TextOf(HWND hwnd);
std::wstring ClassOf(HWND hwnd);

// Environment variables (name, value) to start the program with.
using EnvVars = std::vector<std::pair<std::wstring, std::wstring>>;

class Program {
 public:
  // Copies the program into `folder` (created fresh) and starts it there.
  explicit Program(const std::wstring& folder);
  // The same, with these variables added to the test's own environment
  // (replacing any of the same name).
  Program(const std::wstring& folder, const EnvVars& env);
  // Starts another copy of the same executable.
  explicit Program(const Program& first, int);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  DWORD pid() const { return pi_.dwProcessId; }
  const std::wstring& Folder() const { return folder_; }
  std::wstring LogPath() const { return folder_ + L"\\VexaLog.Log"; }
  bool Running() const;
  // Waits for the process to end; true when it did within ms.
  bool WaitExit(int ms = 8000) const;
  // Ends the process (only ever this program, by its handle).
  void Kill();

  // The program's top-level window with this caption (visible or not).
  HWND Window(const std::wstring& caption) const;
  // Waits for a top-level window of this process with the caption.
  HWND WaitWindow(const std::wstring& caption, bool visible, int ms = 8000) const;
  // A message box of this process, or null.
  HWND MessageBoxWindow() const;
  HWND WaitMessageBox(int ms = 8000) const;
  // A popup menu window of this process, or null.
  HWND MenuWindow() const;

  HWND Form1() const { return Window(L"VexaUtility Solace"); }
  HWND Form2() const { return Window(L"Form2"); }

  // Opens the tray menu as the shell would (right button up over the icon)
  // and picks item 1 ("Show") or 2 ("Exit") with the keyboard.
  bool TrayMenu(int item);
  // Whether the shell holds the program's tray icon.
  bool TrayIconPresent() const;

 private:
  std::wstring folder_;
  std::wstring exe_;
  PROCESS_INFORMATION pi_{};
};

// A control of a window by its id (searched through all descendants).
HWND ControlById(HWND root, int id);
// Posts a click to a button-like control (BM_CLICK).
void Click(HWND control);
// Milliseconds a WM_NULL round trip to the window takes; -1 when it does not
// come back within ms (the window's thread is not answering).
int RoundTripMs(HWND window, int ms = 2000);
// Posts a left press and release at a client point of a window.
void ClickAt(HWND window, int x, int y);
// Text of a message box (its static text) and whether it shows an icon of a kind.
std::wstring MessageBoxText(HWND box);
// Closes a message box with its OK button.
void AnswerOk(HWND box);
// The topmost visible direct child of `parent` at the centre of `child`'s area:
// tells whether `child` is on view or covered.
bool OnView(HWND parent, HWND child);
// Sends a click and waits for its handler to finish; false when it has not
// within `ms` (the program is stuck). Not for a click that opens a modal box:
// use Click for those.
bool ClickAndWait(HWND control, int ms = 3000);
// Replaces a control's text as a paste would (an edit then notifies EN_CHANGE).
bool SetTextOf(HWND control, const std::wstring& text);

// List boxes of another process (a list that keeps its strings hands them
// across processes).
int ListBoxCount(HWND list);
std::wstring ListBoxText(HWND list, int index);
std::vector<std::wstring> ListBoxLines(HWND list);
LRESULT ListBoxData(HWND list, int index);
int ListBoxSelection(HWND list);  // -1 when none
// Clicks a line as the user would, scrolled into view first.
void ClickListBoxLine(HWND list, int index);

// List views of another process: the text is read through a buffer placed in
// that process (the message carries a pointer that must be valid there).
int ListViewCount(HWND list);
std::wstring ListViewText(HWND list, int row, int col = 0);
std::vector<std::wstring> ListViewRows(HWND list, int col = 0);

// The standard icon a message box shows, told by its pixels on the screen
// (icon handles do not cross processes).
enum class BoxIcon { None, Stop, Exclamation, Information, Question, Unknown };
BoxIcon MessageBoxIcon(HWND box);

// A file beside the test program (the helper programs built with it).
std::wstring BesideTests(const wchar_t* name);

// Saves a screenshot of a window as a BMP in the artifact folder.
void Screenshot(HWND window, const std::wstring& name);
// Reads a whole file; "<missing>" when it cannot be opened.
std::string ReadFileBytes(const std::wstring& path);

// Waits for the splash to end and the tray icon, then opens the main window
// with the tray menu's "Show"; null when any of that fails.
HWND ShowMainWindow(Program& program);
// Clicks one of the main window's four tabs (0 Home ... 3 Option).
void ClickTab(HWND form1, int index);
// Position of a progress bar (PBM_GETPOS).
int ProgressValue(HWND bar);
// Runs a command line and waits for it; its exit code, or -1 when it could not
// be started or did not end within ms.
long RunAndWait(const std::wstring& commandLine, int ms = 60000);
// Names (without folder) of the files in a folder that match a wildcard.
std::vector<std::wstring> FilesIn(const std::wstring& folder, const std::wstring& pattern);

// A report list view of another process. Messages that carry a pointer are
// given a buffer inside the program's own memory (text, item, rectangle).
// Every row's text of columns 0 .. columns-1, read in one go.
std::vector<std::vector<std::wstring>> ListViewTable(HWND list, int columns);
// The row's small icon (0-based image index); -1 when it cannot be read.
int ListViewImage(HWND list, int row);
// The row's state image: 1 an empty check box, 2 a ticked one, 0 none.
int ListViewStateImage(HWND list, int row);
// Sets the row's state image (LVM_SETITEMSTATE); row -1 sets every row.
bool ListViewSetStateImage(HWND list, int row, int image);
// A client point on the row's state image (its check box), found with the
// list's own hit test after scrolling the row into view.
bool ListViewStateIconPoint(HWND list, int row, POINT& at);

}  // namespace vexa::e2e
