// The classes WINDOWREGISTER registers: the main class with the chosen cursor and icon, and
// the hover-button class once.
#include "framework/window/hover_button.h"
#include "framework/window/ogl_window.h"
#include "framework/window/window_procedure.h"
#include "framework/window/window_state.h"

#include <platform/win32.h>

#include <gtest/gtest.h>

namespace orvex::test {
namespace {

WNDCLASSEXA main_class() {
  WNDCLASSEXA wc{};
  EXPECT_TRUE(GetClassInfoExA(0, "GLWindow", &wc));
  return wc;
}

TEST(WindowClasses, MainClassTakesTheChosenStandardCursor) {
  struct Case {
    std::int32_t kind;
    int cursor; // the standard cursor's identifier
  };
  const Case cases[] = {
      {ARROW, 32512},   {IBEAM, 32513},       {WAIT, 32514},     {CROSS, 32515},
      {UPARROW, 32516}, {SIZE, 32640},        {SIZENWSE, 32642}, {SIZENESW, 32643},
      {SIZEWE, 32644},  {SIZENS, 32645},      {SIZEALL, 32646},  {NOCURSOR, 32648},
      {HAND, 32649},    {APPSTARTING, 32650}, {HELP, 32651},
  };
  for (const Case& c : cases) {
    SETTYPECURSOR = c.kind;
    SETTYPEICON = GENERIC;
    ASSERT_TRUE(WINDOWREGISTER()) << "cursor kind " << c.kind;
    WNDCLASSEXA wc = main_class();
    EXPECT_NE(wc.hCursor, 0u) << "cursor kind " << c.kind;
    EXPECT_EQ(wc.hCursor, LoadCursorA(0, MAKEINTRESOURCEA(c.cursor))) << "cursor kind " << c.kind;
    EXPECT_EQ(wc.hIcon, LoadIconA(0, IDI_APPLICATION)) << "cursor kind " << c.kind;
    EXPECT_EQ(wc.lpfnWndProc, &GLWNDPROC);
    EXPECT_EQ(wc.style, CS_HREDRAW | CS_VREDRAW);
    EXPECT_TRUE(UnregisterClassA("GLWindow", 0));
  }
}

TEST(WindowClasses, MainClassWithoutAUsableChoiceHasNoCursorOrIcon) {
  struct Case {
    const char* choice;
    std::int32_t cursor_kind, icon_kind;
    const char* file;
  };
  const Case cases[] = {
      {"nothing chosen", 0, 0, nullptr},
      {"kinds beyond the tables", 17, 3, nullptr},
      {"files that do not exist", FILECURSOR, FILEICON, "/nonexistent/orvex.cur"},
  };
  for (const Case& c : cases) {
    SETTYPECURSOR = c.cursor_kind;
    SETTYPEICON = c.icon_kind;
    CURSORFILE = ICONFILE = c.file;
    ASSERT_TRUE(WINDOWREGISTER()) << c.choice;
    WNDCLASSEXA wc = main_class();
    EXPECT_EQ(wc.hCursor, 0u) << c.choice;
    EXPECT_EQ(wc.hIcon, 0u) << c.choice;
    EXPECT_TRUE(UnregisterClassA("GLWindow", 0));
  }
}

TEST(WindowClasses, HoverButtonClassIsRegisteredOnce) {
  SETTYPECURSOR = ARROW;
  SETTYPEICON = GENERIC;
  ASSERT_TRUE(WINDOWREGISTER());
  WNDCLASSEXA wc{};
  ASSERT_TRUE(GetClassInfoExA(0, SZHOVERCLASS, &wc));
  EXPECT_EQ(wc.lpfnWndProc, &HOVERBUTTONHANDLER);
  EXPECT_EQ(wc.style, 0u);
  EXPECT_EQ(wc.hCursor, LoadCursorA(0, IDC_ARROW));
  EXPECT_EQ(wc.hbrBackground, GetStockObject(NULL_BRUSH));
  EXPECT_EQ(WINDOWCLASSEX.lpfnWndProc, &HOVERBUTTONHANDLER);

  // A second registration finds the class and leaves it as it is.
  EXPECT_TRUE(UnregisterClassA("GLWindow", 0));
  WINDOWCLASSEX = WNDCLASSEXA{};
  ASSERT_TRUE(WINDOWREGISTER());
  EXPECT_EQ(WINDOWCLASSEX.lpfnWndProc, &HOVERBUTTONHANDLER) << "filled from the known class";
  EXPECT_FALSE(RegisterClassExA(&WINDOWCLASSEX)) << "still registered once";
}

} // namespace
} // namespace orvex::test
