#include "guard/keyword_watch_page.h"

namespace vexa::guard {

KeywordWatchPage::KeywordWatchPage(const Desktop& desktop, TitleAlert& alert, KeywordWatchControls controls)
    : desktop_(desktop), alert_(alert), c_(controls) {}

const std::vector<std::wstring>& KeywordWatchPage::DesignKeywords() {
  static const std::vector<std::wstring> words = {L"ANJING", L"BABI",   L"Ngepet", L"TAI",    L"Bangsat", L"FUCK",
                                                  L"MONYET", L"MONKEY", L"BANGKE", L"KON",    L"TOL"};
  return words;
}

const std::wstring& KeywordWatchPage::DesignMessage() {
  static const std::wstring text = L"jangan coba-coba berkata kasar bro\r\n";
  return text;
}

void KeywordWatchPage::Form_Initialize() { c_.timer8.SetInterval(kWatchIntervalMs); }

void KeywordWatchPage::Command3_Click() {
  const std::wstring typed = c_.text2.Text();
  if (!typed.empty()) {
    for (int i = 0; i < c_.list2.Count(); ++i) {
      if (c_.list2.Item(i) == typed) {
        c_.boxes.Show(L"Keyword exist", typed, ui::BoxIcon::Exclamation);
        return;
      }
    }
  }
  c_.list2.Add(typed);
  c_.text2.SetText(L"");
}

void KeywordWatchPage::Command4_Click() {
  const int selected = c_.list2.SelectedIndex();
  if (selected < 0 || selected >= c_.list2.Count()) {
    c_.boxes.Show(L"Please selected item", L"Select", ui::BoxIcon::Information);
    return;
  }
  c_.list2.RemoveAt(selected);
}

void KeywordWatchPage::Text2_Change() {
  if (c_.text2.Text() == L" ") c_.text2.SetText(L"");
}

void KeywordWatchPage::ckWatch_Click() {
  switch (c_.ckWatch.Value()) {
    case 1: c_.timer8.SetEnabled(true); break;
    case 0: c_.timer8.SetEnabled(false); break;
    default: break;
  }
}

void KeywordWatchPage::WatchTitle() {
  for (int i = 0; i < c_.list2.Count(); ++i) ShowTitleAlert(c_.list2.Item(i));
}

bool KeywordWatchPage::TitleHasKeyword(const Desktop& desktop, const std::wstring& title,
                                       const std::wstring& keyword) {
  std::wstring head = title.substr(0, title.find(L'\0'));
  if (head.size() > kTitleChars) head.resize(kTitleChars);
  return desktop.UpperCase(head).find(desktop.UpperCase(keyword)) != std::wstring::npos;
}

void KeywordWatchPage::ShowTitleAlert(const std::wstring& keyword) {
  const WindowId foreground = desktop_.Foreground();
  const std::wstring title = foreground != 0 ? desktop_.Title(foreground) : std::wstring();
  if (TitleHasKeyword(desktop_, title, keyword)) alert_.Show(c_.text3.Text());
}

}  // namespace vexa::guard
