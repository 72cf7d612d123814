// The GSDML file-name dialog: the date of its creation, the name OK composes from the
// user's part, the part kept between openings, its texts and a picture.

#include "editors_industrial/profinet_file_name_window.h"

#include "editors_industrial/profinet_name_texts.h"
#include "platform/core/datetime.h"
#include "platform/ui/stdctrls.h"
#include "common/lb_button.h"

#include "support/lang_block_check.h"
#include "support/modal_show.h"
#include "support/test_project.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class ProfinetFileName : public ::testing::Test {
protected:
  void SetUp() override
  {
    Previous = Install_Test_Project(Tmp);
    Add_Lang_Block_Source(&Profinet_Name_Lang_Blocks);
    Init_Lang_Table();
    Clock.NowValue = EncodeDate(2026, 3, 7) + 0.75;
    TClockScope clock(Clock);
    Form = std::make_unique<TFProfinetFileName>();
    Form->DoCreate();
  }
  void TearDown() override
  {
    Form.reset();
    Remove_Lang_Block_Source(&Profinet_Name_Lang_Blocks);
    Init_Lang_Table();
    Install_Working_State(std::move(Previous));
  }

  // Opens the dialog, types the user part and presses OK; the modal result.
  int Ok_With(const QString& user)
  {
    return Show_Modal(Form.get(), [&] {
      Form->E_XML_User->SetText(user);
      Form->Btn_OK->Click();
    });
  }

  QTemporaryDir Tmp;
  std::unique_ptr<TWorkingState> Previous;
  TManualClock Clock;
  std::unique_ptr<TFProfinetFileName> Form;
};

TEST_F(ProfinetFileName, TheDateOfCreationEndsTheName)
{
  EXPECT_EQ(Form->L_XML_Fix1->Caption(), QStringLiteral("GSDML-V2.25-Norvel-"));
  EXPECT_EQ(Form->L_XML_Fix2->Caption(), QStringLiteral("-20260307.xml"));
  EXPECT_EQ(Form->ClientWidth(), 540);
  EXPECT_EQ(Form->ClientHeight(), 205);
  EXPECT_EQ(Form->BorderStyle(), bsSingle);
  EXPECT_EQ(Form->BorderIcons(), TBorderIcons(biSystemMenu));
  // Later openings keep the suffix of the program's start.
  Clock.NowValue = EncodeDate(2027, 1, 1);
  TClockScope later(Clock);
  EXPECT_EQ(Ok_With(QStringLiteral("Line3")), mrOk);
  EXPECT_EQ(Form->Name_File_XML, QStringLiteral("GSDML-V2.25-Norvel-_Line3-20260307.xml"));
}

TEST_F(ProfinetFileName, OkComposesTheNameFromTheUserPartWithoutPathCharacters)
{
  const struct {
    const char* User;
    const char* Name;
  } table[] = {
      {"   ", "GSDML-V2.25-Norvel--20260307.xml"},
      {"_Line3", "GSDML-V2.25-Norvel-_Line3-20260307.xml"},
      {"../a/b:c", "GSDML-V2.25-Norvel-_..abc-20260307.xml"},
  };
  for (const auto& t : table) {
    EXPECT_EQ(Ok_With(QString::fromLatin1(t.User)), mrOk) << t.User;
    EXPECT_EQ(Form->Name_File_XML, QString::fromLatin1(t.Name)) << t.User;
  }
  // The user part stays for the next opening; Cancel keeps the last name.
  EXPECT_EQ(Show_Modal(Form.get(), [&] {
              EXPECT_EQ(Form->E_XML_User->Text(), QStringLiteral("../a/b:c"));
              Form->Btn_Cancel->Click();
            }),
            mrCancel);
}

TEST_F(ProfinetFileName, SetLangAndAPicture)
{
  Load_Lang_Lines({"STR4800 = Nome del file GSDML", "STR4802 = Scegliere il nome", "STR4804 = Parte utente",
                   "STR4807 = Annulla"});
  Form->Set_Lang();
  EXPECT_EQ(Form->Caption(), QStringLiteral("Nome del file GSDML"));
  EXPECT_EQ(Form->L_Select_Name->Caption(), QStringLiteral("Scegliere il nome"));
  EXPECT_EQ(Form->L_UsedPart->Caption(), QStringLiteral("Parte utente"));
  EXPECT_EQ(Form->L_FixPart_1->Caption(), QStringLiteral("Fixed Part"));
  EXPECT_EQ(Form->Btn_Cancel->Caption(), QStringLiteral("Annulla"));
  EXPECT_EQ(Form->L_XML_Fix1->Caption(), QStringLiteral("GSDML-V2.25-Norvel-"));
  Show_Modal(Form.get(), [&] {
    Form->E_XML_User->SetText(QStringLiteral("Line3"));
    QApplication::processEvents();
    const QImage img = Form->grab().toImage();
    EXPECT_EQ(img.width(), 540);
    EXPECT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/profinet_file_name.png")));
  });
}

}  // namespace
