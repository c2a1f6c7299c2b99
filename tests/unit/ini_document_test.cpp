#include "store/ini_document.h"

#include <gtest/gtest.h>

#include <string>

namespace velumbrino {
namespace {

// Reading (blanks, case, line ends, comments) is compared with the platform's own profile
// functions in ini_differential_test; here, where writes put their lines.
TEST(IniDocumentWrite, UntouchedLinesStayByteForByte) {
  const std::string original = "; top\r\n[1]\rTop = 5175\r  Left = 8760\n\n[2]\r\nTag = 2";
  IniDocument document(original);
  EXPECT_EQ(document.Serialize(), original);
  document.Set("1", "top", "100");
  EXPECT_EQ(document.Serialize(), "; top\r\n[1]\rtop=100\r  Left = 8760\n\n[2]\r\nTag = 2");
}

TEST(IniDocumentWrite, NewKeyGoesAfterLastKeyLineOfItsSection) {
  IniDocument document("[1]\r\nTop=1\r\n\r\n[2]\r\nTop=2\r\n");
  document.Set("1", "Left", "5");
  document.Set("2", "Left", "6");
  EXPECT_EQ(document.Serialize(), "[1]\r\nTop=1\r\nLeft=5\r\n\r\n[2]\r\nTop=2\r\nLeft=6\r\n");
}

TEST(IniDocumentWrite, NewSectionAppendedAndLastLineTerminated) {
  IniDocument document("[1]\rTop=1");
  document.Set("Indice", "TotalForms", "2");
  EXPECT_EQ(document.Serialize(), "[1]\rTop=1\r\n[Indice]\r\nTotalForms=2\r\n");

  IniDocument header_only("[1]");
  header_only.Set("1", "Tag", "1");
  EXPECT_EQ(header_only.Serialize(), "[1]\r\nTag=1\r\n");

  IniDocument empty;
  empty.Set("5", "Alarm", "1");
  EXPECT_EQ(empty.Serialize(), "[5]\r\nAlarm=1\r\n");
}

TEST(IniDocumentWrite, DeleteRemovesOnlyTheKeyLine) {
  IniDocument document("[1]\r\nOnTop=True\r\nColor1=5\r\n[2]\r\nOnTop=False\r\n");
  document.Delete("1", "ONTOP");
  document.Delete("1", "Missing");
  document.Delete("9", "OnTop");
  EXPECT_EQ(document.Serialize(), "[1]\r\nColor1=5\r\n[2]\r\nOnTop=False\r\n");
  EXPECT_EQ(document.Get("1", "OnTop"), std::nullopt);
  // A deleted last key: the next new key goes after the remaining key line.
  document.Delete("1", "Color1");
  document.Set("1", "Color2", "7");
  EXPECT_EQ(document.Serialize(), "[1]\r\nColor2=7\r\n[2]\r\nOnTop=False\r\n");
}

TEST(IniDocumentWrite, DeletingADuplicateKeyUncoversTheNextOne) {
  IniDocument document("[s]\nk=1\nk=2\n");
  document.Delete("s", "k");
  EXPECT_EQ(document.Get("s", "k"), "2");
  EXPECT_EQ(document.Serialize(), "[s]\nk=2\n");
}

TEST(IniDocumentWrite, EmptyValueKeepsTheKey) {
  IniDocument document("[1]\nOnTop=True\n");
  document.Set("1", "OnTop", "");
  EXPECT_EQ(document.Serialize(), "[1]\nOnTop=\n");
  EXPECT_EQ(document.Get("1", "OnTop"), "");
}

TEST(IniDocumentWrite, LineBreaksInValueCannotInjectLines) {
  IniDocument document;
  document.Set("1", "Titulo", "a\r\n[2]\rTop=1\nb");
  EXPECT_EQ(document.Get("1", "Titulo"), "a  [2] Top=1 b");
  EXPECT_EQ(IniDocument(document.Serialize()).Get("2", "Top"), std::nullopt);
}

}  // namespace
}  // namespace velumbrino
