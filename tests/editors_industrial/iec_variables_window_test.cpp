// The IEC 61850 server variables editor on a temporary project: its checks under both
// decimal separators, the defaults of a new window and of a loaded row, the fixture's
// round trip, a language file and the buttons that show hints, typed rows and a picture.

#include "editors_industrial/iec_variables_window.h"

#include "editors_industrial/iec_variables_texts.h"
#include "grid/column_grid.h"
#include "platform/core/format_settings.h"
#include "common/lb_button.h"

#include "support/file_bytes.h"
#include "support/grid_typing.h"
#include "support/grid_user_input.h"
#include "support/lang_block_check.h"
#include "support/rule_window_test.h"
#include "support/xmllint.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QtTest/QTest>

namespace {

using W = TFIEC61850_Variables;

// Name to Mnemonic of a variable that passes every check.
QStringList Good_Row()
{
  return {"Y", "Level", "Int", "2", "N", "10", "", "None", "None", "N", "N", "tank"};
}

class IecVariablesWindow : public TRuleWindowTest<W> {
protected:
  IecVariablesWindow() : TRuleWindowTest<W>({&IEC_Variables_Lang_Blocks}, "editors_industrial") {}

  QString File() const { return WS().Name_File_IEC61850_Variables; }
  TKvStringGrid* G() const { return Form->KCG; }

  QString Check_Message()
  {
    Dialogs->Requests.clear();
    const bool passed = Form->Controllo_dati();
    const QStringList texts = Messages();
    EXPECT_EQ(passed, texts.isEmpty());
    return texts.value(0);
  }
};

TEST_F(IecVariablesWindow, TheChecksInTheirOrder)
{
  Form->FormShow(Form.get());
  struct Case {
    int Col;
    const char* Text;
    const char* Message;  // empty: passes
  } const cases[] = {
      {W::Col_Length, "0", "Error row 1!! Length must be between 1 and 4"},
      {W::Col_Length, "4", ""},
      {W::Col_Length, "5", "Error row 1!! Length must be between 1 and 4"},
      {W::Col_Position, "1437", ""},
      {W::Col_Position, "1438", "Error row 1!! Position must be between 0 and 1437"},
      {W::Col_Position, "", "Error row 1!! Position must be between 0 and 1437"},
      {W::Col_Type, "Digital (Bit)", "Error row 1!! Start Bit must be Selected "},
      {W::Col_Type, "digital (bit)", ""},  // only the exact text needs a Start Bit
      {W::Col_Conversion, " ", "Error row 1!! Conversion must be Selected "},
      {W::Col_Factor, "", "Error row 1!! Molt. Factor must be a valid Float"},
      {W::Col_Factor, " none ", ""},
      {W::Col_Factor, "ten", "Error row 1!! Molt. Factor must be a valid Float"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Message);
    QStringList row = Good_Row();
    row[c.Col - 1] = QString::fromLatin1(c.Text);
    Set_Row(G(), 1, row);
    EXPECT_EQ(Check_Message(), QString::fromLatin1(c.Message));
  }
  // A disabled variable and those after an empty Name are not checked.
  QStringList off = Good_Row();
  off[0] = "N";
  off[W::Col_Length - 1] = "9";
  Set_Row(G(), 1, off);
  QStringList bad = Good_Row();
  bad[W::Col_Position - 1] = "2000";
  Set_Row(G(), 3, bad);
  EXPECT_EQ(Check_Message(), QString());
}

TEST_F(IecVariablesWindow, TheFactorTakesEitherSeparatorUnderEitherLocale)
{
  Form->FormShow(Form.get());
  for (const QChar separator : {QChar(u'.'), QChar(u',')}) {
    TFormatSettings fs;
    fs.DecimalSeparator = separator;
    fs.ThousandSeparator = separator == u'.' ? u',' : u'.';
    TFormatSettingsScope scope(fs);
    for (const char* factor : {"2.5", "2,5", "-0.001"}) {
      QStringList row = Good_Row();
      row[W::Col_Factor - 1] = QString::fromLatin1(factor);
      Set_Row(G(), 1, row);
      EXPECT_EQ(Check_Message(), QString()) << factor << " under " << separator.toLatin1();
      EXPECT_EQ(G()->Cells(W::Col_Factor, 1), QString::fromLatin1(factor));  // kept as typed
    }
    QStringList row = Good_Row();
    row[W::Col_Factor - 1] = QStringLiteral("1.234,5");
    Set_Row(G(), 1, row);
    EXPECT_EQ(Check_Message(), QStringLiteral("Error row 1!! Molt. Factor must be a valid Float"));
  }
}

TEST_F(IecVariablesWindow, ANewWindowShowsFiftyRowsAndOkWritesTheRootAndTheCommentOnly)
{
  EXPECT_EQ(Show([&] {
              EXPECT_EQ(G()->RowCount(), 51);
              EXPECT_EQ(G()->Cells(0, 50), QStringLiteral("50"));
              EXPECT_EQ(G()->Cells(W::Col_Enable, 50), QStringLiteral("Y"));
              EXPECT_EQ(G()->Cells(W::Col_Name, 1), QString());
              Form->Btn_OK->Click();
            }),
            mrOk);
  EXPECT_EQ(Read_All(File()), QByteArray("<IEC61850_Variables/>\r\n<!--SW_VERSION = 1.000-->\r\n"));
}

TEST_F(IecVariablesWindow, LoadedRowsTakeTheDefaultsOfMissingAttributes)
{
  Write_All(File(), "<Any><row Name=\"v\"/><row Enable=\"N\" Name=\"w\" ReadOnly=\"Y\" Swap=\"Y\" SwapWord=\"Y\" Type=\"Int\"/></Any>");
  Show([&] {
    EXPECT_EQ(Row_Text(G(), 1), QStringLiteral("Y|v|||N|||||N|N|"));
    EXPECT_EQ(Row_Text(G(), 2), QStringLiteral("N|w|Int||Y|||||Y|Y|"));
    EXPECT_TRUE(Messages().isEmpty());
  });
}

TEST_F(IecVariablesWindow, AFixtureRoundTripsByteForByte)
{
  Use_Fixture("IEC61850_Variables.xml", File());
  const QByteArray before = Read_All(File());
  EXPECT_EQ(Show([&] { Form->Btn_OK->Click(); }), mrOk);
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(u'\n').toStdString();
  EXPECT_EQ(Read_All(File()), before);
  EXPECT_EQ(Xmllint_Failure(File()), QString());
}

TEST_F(IecVariablesWindow, SetLangAndOnlyTheClipboardButtonsShowHints)
{
  Load_Lang_Lines({"STR3500 = Variabili IEC61850", "STR3506 = Copia riga", "STR3512 = Copia i campi",
                   "STR3534 = Fattore", "STR3545 = Scambia le parole", "STR3528 = Descrizione"});
  Form->Set_Lang();
  EXPECT_EQ(Form->Caption(), QStringLiteral("Variabili IEC61850"));
  EXPECT_EQ(Form->Btn_CopyRow->Caption(), QStringLiteral("Copia riga"));
  EXPECT_EQ(Form->Btn_CopyRow->Hint(), QStringLiteral("Copia i campi"));
  EXPECT_EQ(Form->KCG->Columns()->Items(W::Col_Factor)->Header(), QStringLiteral("Fattore"));
  QString hint;
  G()->OnGridHint(G(), 0, W::Col_SwapWord, hint);
  EXPECT_EQ(hint, QStringLiteral("Scambia le parole"));
  G()->OnGridHint(G(), 0, W::Col_Mnemonic, hint);
  EXPECT_EQ(hint, QStringLiteral("Descrizione"));
  G()->OnGridHint(G(), 4, W::Col_Mnemonic, hint);
  EXPECT_EQ(hint, QString());  // rule cells have none
  EXPECT_TRUE(Form->Btn_CopyRow->ShowHint());
  EXPECT_TRUE(Form->Btn_PasteRow->ShowHint());
  for (TLbButton* b : {Form->Btn_OK, Form->Btn_Cancel, Form->Btn_DelRow, Form->Btn_InsRow})
    EXPECT_FALSE(b->ShowHint()) << b->Name().toStdString();
  EXPECT_FALSE(G()->ShowHint());
}

TEST_F(IecVariablesWindow, TypedRowsSurviveOkAndReopeningAndRenderToPng)
{
  Show([&] {
    Form->Show();
    QApplication::processEvents();
    G()->SetFocus();
    Type_Cell(G(), W::Col_Name, 1, QStringLiteral("Alarm"));
    Pick(G(), W::Col_Type, 1, 2);  // Digital (Bit)
    Type_Cell(G(), W::Col_Length, 1, QStringLiteral("1"));
    Type_Cell(G(), W::Col_Position, 1, QStringLiteral("1437"));
    Pick(G(), W::Col_StartBit, 1, 5);
    Pick(G(), W::Col_Conversion, 1, 0);
    Type_In_Cell(G(), W::Col_Factor, 1, QStringLiteral("2,5"));
    Type_Cell(G(), W::Col_Mnemonic, 1, QStringLiteral("bell"));
    G()->FocusCell(W::Col_ReadOnly, 1);
    QTest::keyClick(Focus(G()), Qt::Key_Space);
    QApplication::processEvents();
    EXPECT_TRUE(Form->grab().toImage().save(QStringLiteral(KV_TEST_BINARY_DIR "/iec61850_variables.png")));
    Form->Btn_OK->Click();
    EXPECT_EQ(Form->ModalResult(), mrOk);
  });
  EXPECT_TRUE(Read_All(File()).contains(
      "<row Enable=\"Y\" Name=\"Alarm\" Type=\"Digital (Bit)\" Length=\"1\" ReadOnly=\"Y\" Position=\"1437\" "
      "StartBit=\"5\" Conversion=\"None\" MultiplicationFactor=\"2,5\" Swap=\"\" SwapWord=\"\" Mnemonic=\"bell\"/>"))
      << Read_All(File()).toStdString();
  Show([&] { EXPECT_EQ(Row_Text(G(), 1), QStringLiteral("Y|Alarm|Digital (Bit)|1|Y|1437|5|None|2,5|||bell")); });
}

}  // namespace
