#include "store/ini_document.h"

#include <gtest/gtest.h>

#include <string>

#include "store/data_folder.h"

namespace velumbrino {
namespace {

TEST(IniDocumentRead, FirstRunFileWithCrOnlyLinesAndSpacedKeys) {
  const IniDocument seed(WelcomeSettingsBytes());
  const IniDocument plain(
      "[Indice]\r\nTotalForms=1\r\n[1]\r\nTop=5175\r\nLeft=8760\r\nTag=1\r\n"
      "Titulo=Bem Vindo !\r\nVisivel=True\r\nOnTop=True\r\n");
  for (const IniDocument* document : {&seed, &plain}) {
    EXPECT_EQ(document->Get("Indice", "TotalForms"), "1");
    EXPECT_EQ(document->Get("1", "Top"), "5175");
    EXPECT_EQ(document->Get("1", "Left"), "8760");
    EXPECT_EQ(document->Get("1", "Titulo"), "Bem Vindo !");
    EXPECT_EQ(document->Get("1", "Visivel"), "True");
    EXPECT_EQ(document->Get("1", "OnTop"), "True");
  }
}

TEST(IniDocumentRead, NamesIgnoreCaseAndBlanks) {
  const IniDocument document("\t[ Nota ]  \n  Cor\t =\t azul claro \t\nx=1");
  EXPECT_EQ(document.Get("nota", "COR"), "azul claro");
  EXPECT_EQ(document.Get(" NOTA ", " cor "), "azul claro");
  EXPECT_EQ(document.Get("Nota", "x"), "1");  // last line without a line end
  EXPECT_EQ(document.Get("Nota", "Corx"), std::nullopt);
  EXPECT_EQ(document.Get("Outra", "Cor"), std::nullopt);
}

TEST(IniDocumentRead, MixedLineEndsAndEmptyValues) {
  const IniDocument document("[a]\rk1=1\nk2=2\r\nk3=\r\r\nk4 =   \n");
  EXPECT_EQ(document.Get("a", "k1"), "1");
  EXPECT_EQ(document.Get("a", "k2"), "2");
  EXPECT_EQ(document.Get("a", "k3"), "");
  EXPECT_EQ(document.Get("a", "k4"), "");
}

TEST(IniDocumentRead, FirstSectionAndFirstKeyWin) {
  const IniDocument document("k=outside\n[s]\nk=1\nk=2\n[S]\nk=3\nonly=4\n");
  EXPECT_EQ(document.Get("s", "k"), "1");
  // A repeated section is never reached, as with the profile functions.
  EXPECT_EQ(document.Get("s", "only"), std::nullopt);
  EXPECT_EQ(document.Get("", "k"), std::nullopt);  // keys before any section belong to none
}

TEST(IniDocumentRead, ValueKeepsEqualsSignsAndInnerBlanks) {
  const IniDocument document("[s]\nPath = C:\\a b\\x=y.wav  \n; comment line\nnoequals\n");
  EXPECT_EQ(document.Get("s", "Path"), "C:\\a b\\x=y.wav");
  EXPECT_EQ(document.Get("s", "noequals"), std::nullopt);
}

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

TEST(IniDocumentWrite, CopiesAreIndependent) {
  IniDocument original("[s]\nk=1\n");
  IniDocument copy = original;
  copy.Set("s", "k", "2");
  copy.Delete("s", "k");
  EXPECT_EQ(original.Get("s", "k"), "1");
  EXPECT_EQ(original.Serialize(), "[s]\nk=1\n");
}

TEST(IniDocumentWrite, ManyDeletesAndSetsKeepOrder) {
  IniDocument document("[s]\r\na=0\r\n; keep\r\n");
  for (int round = 0; round < 100; ++round) {
    document.Set("s", "k" + std::to_string(round), std::to_string(round));
    if (round % 2 == 0) document.Delete("s", "k" + std::to_string(round));
  }
  const IniDocument reread(document.Serialize());
  for (int round = 0; round < 100; ++round) {
    const auto expected = round % 2 == 0 ? std::nullopt : std::optional(std::to_string(round));
    EXPECT_EQ(document.Get("s", "k" + std::to_string(round)), expected);
    EXPECT_EQ(reread.Get("s", "k" + std::to_string(round)), expected);
  }
  const std::string bytes = document.Serialize();
  EXPECT_EQ(bytes.substr(0, 10), "[s]\r\na=0\r\n");
  EXPECT_EQ(bytes.substr(bytes.size() - 8), "; keep\r\n");
}

}  // namespace
}  // namespace velumbrino
