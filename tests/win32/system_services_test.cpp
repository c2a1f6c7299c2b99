// The registry preferences against the real API.
#include <gtest/gtest.h>
#include <windows.h>

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

  ASSERT_TRUE(SetRegistryValue(HKEY_CURRENT_USER, kKey, "FontSize", "12"));
  EXPECT_EQ(GetRegistryValue(HKEY_CURRENT_USER, kKey, "FontSize", "10"), "12");
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

  ASSERT_TRUE(SaveDefaultFont(prefs, {"Verdana", "14", true, true, false}));
  const DefaultFont font = LoadDefaultFont(prefs);
  EXPECT_EQ(font.face, "Verdana");
  EXPECT_TRUE(font.bold && font.italic && !font.underline);
  EXPECT_EQ(GetRegistryValue(HKEY_CURRENT_USER, kKey, "FontItalico", ""), "True");
}

}  // namespace
}  // namespace velumbrino
