// The system's services against the real API: the registry preferences, and the long date the
// insert dialog offers. (The default font the font dialog stores is read back end to end.)
#include <gtest/gtest.h>
#include <windows.h>

#include "dialogs/insert_date_time_win.h"
#include "platform/registry_win.h"

namespace velumbrino {
namespace {

// A key of its own under both roots, removed at the end.
class RegistryTest : public ::testing::Test {
 protected:
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKey);
  }
  static constexpr const wchar_t* kKey = L"Software\\VelumbrinoTest\\Prefs";
};

TEST_F(RegistryTest, ValueWithoutItsNulReadsWhole) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  static const wchar_t kArial[] = {L'A', L'r', L'i', L'a', L'l'};  // no terminating NUL
  ASSERT_EQ(RegSetValueExW(key, L"FontNome", 0, REG_SZ, reinterpret_cast<const BYTE*>(kArial),
                           sizeof kArial),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(GetRegistryValue(HKEY_CURRENT_USER, kKey, "FontNome", "x"), "Arial");
  EXPECT_EQ(GetRegistryValue(HKEY_CURRENT_USER, kKey, "Nada", "padrão"), "padrão");
}

TEST_F(RegistryTest, PreferencesReadUserFirstThenMachineAndWriteUser) {
  ASSERT_TRUE(SetRegistryValue(HKEY_LOCAL_MACHINE, kKey, "FontNome", "Tahoma"));
  ASSERT_TRUE(SetRegistryValue(HKEY_LOCAL_MACHINE, kKey, "FontSize", "12"));
  RegistryPreferences prefs(kKey);
  EXPECT_EQ(prefs.Get("FontNome", "Arial"), "Tahoma");

  ASSERT_TRUE(prefs.Set("FontNome", "Times New Roman"));
  EXPECT_EQ(prefs.Get("FontNome", "Arial"), "Times New Roman");
  EXPECT_EQ(prefs.Get("FontSize", "10"), "12");
  EXPECT_EQ(GetRegistryValue(HKEY_CURRENT_USER, kKey, "FontNome", ""), "Times New Roman");
  EXPECT_EQ(GetRegistryValue(HKEY_LOCAL_MACHINE, kKey, "FontNome", ""), "Tahoma");
}

TEST(SystemLongDateTest, GivesTheSystemFormOfTheDayOrNothing) {
  // The tests run in Portuguese (Brazil); the day of the week is filled in from the date.
  EXPECT_EQ(SystemLongDate({2026, 12, 5, 14, 30, 45}), "sábado, 5 de dezembro de 2026");
  EXPECT_EQ(SystemLongDate({2026, 13, 40, 0, 0, 0}), "");
}

}  // namespace
}  // namespace velumbrino
