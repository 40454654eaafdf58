#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "controls/oxbutton/oxbutton_model.h"

namespace vexa::controls {
namespace {

// Records the button's events and the window work it asks for, in one line.
struct Recorder : OxButtonEvents, OxButtonHost {
  std::string log;
  int width = 80, height = 24;
  bool cursorOver = false, captured = false;
  std::uintptr_t container = 1;
  std::vector<OptionPeer>* form = nullptr;

  void Note(const std::string& s) { log += (log.empty() ? "" : " ") + s; }
  void Click() override { Note("Click"); }
  void DblClick() override { Note("Dbl"); }
  void MouseEnter() override { Note("Enter"); }
  void MouseLeave() override { Note("Leave"); }
  void MouseUp(std::int16_t b, std::int16_t, float, float) override { Note("Up" + std::to_string(b)); }
  void MouseDown(std::int16_t b, std::int16_t, float, float) override { Note("Down" + std::to_string(b)); }
  void KeyDown(std::int16_t k, std::int16_t) override { Note("KeyDown" + std::to_string(k)); }
  void KeyUp(std::int16_t k, std::int16_t) override { Note("KeyUp" + std::to_string(k)); }
  void KeyPress(std::int16_t a) override { Note("Press" + std::to_string(a)); }

  void Repaint() override {}
  void ApplyRegion() override {}
  void EnableWindow(bool) override {}
  int ScaleWidth() override { return width; }
  int ScaleHeight() override { return height; }
  bool PointOverButton(float x, float y) override { return x >= 0 && y >= 0 && x < width && y < height; }
  bool CursorOverButton() override { return cursorOver; }
  bool TrackMouseLeave() override { return true; }
  void CreateTooltip() override { Note("Tip"); }
  bool HasCapture() override { return captured; }
  void SetCapture() override { captured = true; }
  void ReleaseCapture() override { captured = false; }
  void MoveFocus(bool forward) override { Note(forward ? "Next" : "Prev"); }
  std::uintptr_t Container() override { return container; }
  std::vector<OptionPeer> FormButtons() override { return form ? *form : std::vector<OptionPeer>{}; }
  bool IsMenu(MenuHandle m) override { return m == 7; }
  void ShowPopupMenu(MenuHandle, int x, int y, std::uint32_t flags, std::optional<std::uint32_t>) override {
    Note("Menu(" + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(flags) + ")");
  }
  void ShellOpen(const std::wstring&) override {}
  void ShowMessage(const std::wstring&, const std::wstring&) override {}
  bool LoadHandCursor() override { return true; }
  bool ThemesAvailable() override { return false; }
};

struct Ox {
  Recorder r;
  oxbutton b{r, r};
};

// Drives a button through a script: "move x y", "down b shift x y", "up b shift x y",
// "dbl", "leave", "key k shift", "keyup k shift", "char a", "blur", "active 0|1",
// "access", "accessenter", "value 0|1", separated by ';'.
void Drive(oxbutton& b, const std::string& script) {
  std::istringstream steps(script);
  std::string step;
  while (std::getline(steps, step, ';')) {
    std::istringstream in(step);
    std::string op;
    float p[4] = {0, 0, 0, 0};
    in >> op >> p[0] >> p[1] >> p[2] >> p[3];
    auto i = [&](int k) { return static_cast<std::int16_t>(p[k]); };
    if (op == "move") b.MouseMove(p[0], p[1]);
    else if (op == "down") b.MouseDown(i(0), i(1), p[2], p[3]);
    else if (op == "up") b.MouseUp(i(0), i(1), p[2], p[3]);
    else if (op == "dbl") b.DoubleClick();
    else if (op == "leave") b.MouseLeft();
    else if (op == "key") b.KeyDown(i(0), i(1));
    else if (op == "keyup") b.KeyUp(i(0), i(1));
    else if (op == "char") b.KeyPress(i(0));
    else if (op == "blur") b.LostFocus();
    else if (op == "active") b.ParentActivated(p[0] != 0);
    else if (op == "access") b.AccessKeyPressed(false);
    else if (op == "accessenter") b.AccessKeyPressed(true);
    else if (op == "value") b.Set(&OxButtonProperties::value, p[0] != 0);
    else FAIL() << "unknown step " << op;
  }
}

struct Transition {
  const char* name;
  int mode;
  bool popup;
  const char* script;
  const char* events;
  int state;
  bool value;
};

const Transition kTransitions[] = {
    {"ClickInside", 0, false, "move 5 5; down 1 0 5 5; up 1 0 5 5", "Enter Tip Down1 Click Up1", 0, false},
    {"ReleaseOnLeftEdge", 1, false, "down 1 0 5 5; up 1 0 0 5", "Down1 Up1", 2, false},
    {"ReleaseOnTopEdge", 1, false, "down 1 0 5 5; up 1 0 5 0", "Down1 Up1", 2, false},
    {"ReleaseOnRightEdge", 1, false, "down 1 0 5 5; up 1 0 80 5", "Down1 Up1", 2, false},
    {"ReleaseLastPixel", 1, false, "down 1 0 5 5; up 1 0 79 23", "Down1 Click Up1", 2, true},
    {"ReleaseOutside", 0, false, "down 1 0 5 5; move 90 5; up 1 0 90 5", "Down1 Up1", 0, false},
    {"DragOutAndBack", 0, false, "down 1 0 5 5; move 90 5; move 6 6", "Down1 Enter", 2, false},
    {"RightButtonOnlyReleases", 0, false, "down 2 0 5 5; up 2 0 5 5", "Up2", 0, false},
    {"MouseEnterRepeats", 0, false, "move 5 5; move 6 6; move 7 7", "Enter Tip Enter Enter", 1, false},
    {"LeaveEndsHot", 0, false, "move 5 5; leave", "Enter Tip Leave", 0, false},
    {"DoubleClick", 0, false, "down 1 0 5 5; up 1 0 5 5; dbl; up 1 0 5 5", "Down1 Click Up1 Down1 Dbl Click Up1", 0, false},
    {"SpaceClicks", 1, false, "key 32 0; keyup 32 0", "KeyDown32 Click KeyUp32", 2, true},
    {"SpaceRepeatTogglesOnce", 1, false, "key 32 0; key 32 0; keyup 32 0", "KeyDown32 KeyDown32 Click KeyUp32", 2, true},
    {"AltSpaceRaisesNothing", 1, false, "key 32 4", "", 0, false},
    {"SpaceHeldKeepsLookOnLeave", 0, false, "move 5 5; key 32 0; leave", "Enter Tip KeyDown32", 2, false},
    {"OtherKeyCancelsSpace", 0, false, "key 32 0; key 65 0; keyup 32 0", "KeyDown32 KeyDown65 KeyUp32", 0, false},
    {"KeyUpOnlyForSpace", 0, false, "key 65 1; keyup 65 1; keyup 13 0; char 97", "KeyDown65 Press97", 0, false},
    {"EnterClicks", 0, false, "key 13 0", "Click KeyDown13", 0, false},
    {"ArrowsMoveFocus", 0, false, "key 37 0; key 38 0; key 39 0; key 40 0",
     "Prev KeyDown37 Prev KeyDown38 Next KeyDown39 Next KeyDown40", 0, false},
    {"SpaceWhileMouseHeld", 0, false, "move 5 5; down 1 0 5 5; key 32 0; keyup 32 0",
     "Enter Tip Down1 KeyDown32 KeyUp32", 2, false},
    {"FocusLostWhileInside", 0, false, "move 5 5; down 1 0 5 5; blur", "Enter Tip Down1", 1, false},
    {"DeactivatedWhileHot", 0, false, "move 5 5; active 0", "Enter Tip", 0, false},
    {"ValueStaysFalseOnPushButton", 0, false, "value 1", "", 0, false},
    {"ValueSetOnCheckButton", 1, false, "value 1", "", 2, true},
    {"ValueSetOnOptionButton", 2, false, "value 1; value 0", "", 0, false},
    {"AccessKeyTogglesCheck", 1, false, "access", "Click", 2, true},
    {"AccessEnterIgnoredOnCheck", 1, false, "accessenter", "", 0, false},
    {"PopupRaisesNoMouseEvents", 0, true, "move 5 5; down 1 0 5 5; up 1 0 5 5; dbl; up 1 0 5 5",
     "Enter Tip Menu(0,24,2) Menu(0,24,2)", 0, false},
};

class OxTransitions : public ::testing::TestWithParam<Transition> {};

TEST_P(OxTransitions, RaiseTheseEventsAndEndInThisState) {
  const Transition& t = GetParam();
  Ox x;
  auto& [r, b] = x;
  b.Set(&OxButtonProperties::ButtonStyle, 4);
  b.Set(&OxButtonProperties::Mode, t.mode);
  if (t.popup) b.SetPopupMenu(7, 0, 2);
  Drive(b, t.script);
  EXPECT_EQ(r.log, t.events);
  EXPECT_EQ(b.State(), t.state);
  EXPECT_EQ(b.Properties().value, t.value);
}

INSTANTIATE_TEST_SUITE_P(Table, OxTransitions, ::testing::ValuesIn(kTransitions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OxOptionGroup, SelectingClearsOnlyTheSameContainersOptionButtons) {
  struct Member {
    std::uintptr_t container;
    int mode;
    bool value, expected;
  };
  const Member members[] = {{1, 2, true, false}, {1, 2, false, true}, {2, 2, true, true}, {1, 1, true, true}, {1, 2, true, false}};
  std::vector<OptionPeer> form;
  std::vector<std::unique_ptr<Ox>> buttons;
  for (const Member& m : members) {
    auto& x = *buttons.emplace_back(std::make_unique<Ox>());
    x.r.container = m.container;
    x.r.form = &form;
    x.b.Set(&OxButtonProperties::Mode, m.mode);
    x.b.Set(&OxButtonProperties::value, m.value);
    form.push_back({&x.b, m.container});
  }
  Drive(buttons[1]->b, "down 1 0 5 5; up 1 0 5 5");
  for (std::size_t i = 0; i < buttons.size(); ++i) EXPECT_EQ(buttons[i]->b.Properties().value, members[i].expected) << i;
  Drive(buttons[1]->b, "down 1 0 5 5; up 1 0 5 5");  // an option stays selected
  EXPECT_TRUE(buttons[1]->b.Properties().value);
}

TEST(OxPopupMenu, OpensByAlignmentAndOnlyForAMenu) {
  const std::pair<int, const char*> rows[] = {
      {0, "Menu(0,24,2)"},  {1, "Menu(0,0,32)"},  {2, "Menu(0,0,10)"},  {3, "Menu(80,0,2)"}, {4, "Menu(0,0,40)"},
      {5, "Menu(0,24,10)"}, {6, "Menu(80,0,32)"}, {7, "Menu(80,24,2)"}, {8, ""},            {-1, ""}};
  for (const auto& [align, expected] : rows) {
    Ox x;
    auto& [r, b] = x;
    b.SetPopupMenu(7, align, 2);
    Drive(b, "down 1 0 5 5");
    EXPECT_EQ(r.log, expected) << align;
  }
  Ox x;
  auto& [r, b] = x;
  b.SetPopupMenu(3, 0, 0);  // not a menu: still a push button
  Drive(b, "down 1 0 5 5");
  EXPECT_EQ(r.log, "Down1");
  r.cursorOver = true;  // a menu closed by a click on the button: the next press does not reopen it
  b.SetPopupMenu(7, 0, 0);
  Drive(b, "down 1 0 5 5; down 1 0 5 5; up 1 0 5 5; down 1 0 5 5");
  EXPECT_EQ(r.log, "Down1 Menu(0,24,0) Menu(0,24,0)");
}

TEST(OxColors, ShiftColorRoundsHalvesToEvenAndClamps) {
  struct Row {
    OleColor color;
    double amount;
    OleColor expected;
  };
  const Row rows[] = {{0x000000, -0.05, 0x000000}, {0xFFFFFF, 0.03, 0xFFFFFF}, {0x404040, 0.03, 0x484848},
                      {0x000000, 0.5, 0x808080},   {0x010101, 0.5, 0x808080},  {0x020202, 0.5, 0x828282},
                      {0x0000FF, -0.5, 0x000080},  {0xEED2C1, 0.03, 0xF6DAC9}, {0xEED2C1, -0.08, 0xDABEAD},
                      {0x123456, 0.0, 0x123456},   {0xABCDEF, -1.0, 0x000000}};
  for (const Row& r : rows) EXPECT_EQ(ShiftColor(r.color, r.amount), r.expected) << std::hex << r.color << " " << r.amount;
  const SystemColors& sys = ClassicSystemColors();
  EXPECT_EQ(TranslateColor(0x80000012, sys), sys[18]);
  EXPECT_EQ(TranslateColor(0x00123456, sys), 0x123456u);
  EXPECT_EQ(TranslateColor(0x80000040, sys), kInvalidColor);
  EXPECT_EQ(TranslateColor(0x01000005, sys), kInvalidColor);
}

TEST(OxCaption, AccessKeyIsTheCharacterAfterTheFirstLoneAmpersand) {
  const std::pair<const wchar_t*, wchar_t> rows[] = {
      {L"", 0},       {L"&", 0},          {L"S", 0},      {L"&Scan", L's'},  {L"Sc&AN", L'a'}, {L"Scan&", 0},
      {L"A&&B", 0},   {L"A&&B&c", L'c'},  {L"&&&x", L'x'}, {L"a&&b&&c", 0},   {L"&&", 0},       {L"x&&&", 0}};
  for (const auto& [caption, key] : rows) EXPECT_EQ(AccessKeyOf(caption), key) << caption;
}

TEST(OxPersistence, EmptyRecordGivesDefaultsAndSavesOnlyTheCaptionEffect) {
  Ox x;
  auto& [r, b] = x;
  b.Load(PropertyBag{});
  EXPECT_EQ(b.Properties(), OxButtonDefaults(ClassicSystemColors()));
  PropertyBag saved;
  b.Save(saved);
  EXPECT_EQ(saved.Size(), 1u);
  EXPECT_EQ(saved.Read(L"CaptionEffects", -1), 0);
}

TEST(OxPersistence, RoundTripKeepsEveryValueAndReadsKeysWithoutCase) {
  Ox x;
  auto& [r, b] = x;
  b.Load(PropertyBag{{L"buttonstyle", 4},
                     {L"backcolor", 0x404040},
                     {L"caption", std::wstring(L"&Scan")},
                     {L"tooltipicon", 3},
                     {L"TOOLTIPTYPE", 1},
                     {L"righttoleft", true},
                     {L"mode", 1},
                     {L"value", true},
                     {L"pictureopacity", 52},
                     {L"mousepointer", 11},
                     {L"handpointer", true},
                     {L"enabled", false},
                     {L"captionalign", std::wstring(L"2")}});  // wrong kind: default
  const OxButtonProperties& p = b.Properties();
  EXPECT_EQ(p.ButtonStyle, 4);
  EXPECT_EQ(p.ToolTipIcon, 3);
  EXPECT_EQ(p.ToolTipType, 1);
  EXPECT_TRUE(p.RightToLeft && b.RightToLeftLayout());
  EXPECT_EQ(p.CaptionAlign, 1);
  EXPECT_EQ(b.AccessKey(), L's');
  EXPECT_EQ(p.PictureOpacity, 52);
  PropertyBag saved;
  b.Save(saved);
  EXPECT_FALSE(saved.Has(L"CaptionAlign"));
  Ox copy;
  copy.b.Load(saved);
  EXPECT_EQ(copy.b.Properties(), p);
}

TEST(OxPersistence, NewInstanceAndStyleChangeApplyTheStyleDefaults) {
  Ox x;
  auto& [r, b] = x;
  b.InitNew(L"oxbutton1");
  EXPECT_EQ(b.Properties().ButtonStyle, 3);
  EXPECT_EQ(b.Properties().BackColor, 0xFDECE0u);
  EXPECT_EQ(b.Properties().Caption, L"oxbutton1");
  b.Set(&OxButtonProperties::ForeColor, 0x0000FF);
  b.Set(&OxButtonProperties::ButtonStyle, 4);
  EXPECT_EQ(b.Properties().BackColor, ClassicSystemColors()[15]);
  EXPECT_EQ(b.Properties().ForeColor, ClassicSystemColors()[18]);
  EXPECT_TRUE(b.Properties().PicturePushOnHover);
  EXPECT_FALSE(b.Properties().ShowFocusRect);
  b.Set(&OxButtonProperties::ButtonStyle, 13);  // no visual theme here: style 2 instead
  b.PlanPaint(80, 24);
  EXPECT_EQ(b.Properties().ButtonStyle, 2);
  EXPECT_EQ(b.Properties().BackColor, 0xE7EBECu);
}

}  // namespace
}  // namespace vexa::controls
