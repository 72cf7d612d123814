#pragma once
// A project folder, the CANopen texts and the dialog seam for the CANopen editor windows.

#include "editors_can/canopen_texts.h"
#include "editors_can/canopen_window.h"
#include "grid/column_grid.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/dialogs.h"
#include "shell/common/lang_table.h"
#include "shell/common/lb_button.h"
#include "shell/common/working_state.h"

#include "support/file_bytes.h"
#include "support/xmllint.h"
#include "support/modal_show.h"
#include "support/test_project.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

template <typename Window>
class TCANopenWindowTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Tmp.isValid());
    Previous = Install_Test_Project(Tmp);
    Add_Lang_Block_Source(&PDO_Lang_Blocks);
    Add_Lang_Block_Source(&SDO_Client_Lang_Blocks);
    Add_Lang_Block_Source(&SDO_Server_Lang_Blocks);
    Init_Lang_Table();
    Dialogs = std::make_unique<TDialogResponder>();
    Form = std::make_unique<Window>();
    Form->DoCreate();
  }

  void TearDown() override
  {
    Form.reset();
    Dialogs.reset();
    Install_Working_State(std::move(Previous));
  }

  void Use_Fixture(const char* name, const QString& file)
  {
    QFile::remove(file);
    ASSERT_TRUE(QFile::copy(QStringLiteral(KV_FIXTURES_DIR "/editors_can/") + QString::fromLatin1(name), file));
    QFile(file).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  }

  int Show(const std::function<void()>& act = {}) { return Show_Modal(Form.get(), act); }
  QStringList Messages() const { return Message_Texts(*Dialogs); }

  // The cells of one row from column 1 on, joined by "|".
  static QString Row_Text(TKvStringGrid* g, int r)
  {
    QStringList cells;
    for (int c = 1; c < g->ColCount(); ++c)
      cells << g->Cells(c, r);
    return cells.join(u'|');
  }

  static void Set_Row(TKvStringGrid* g, int r, const QStringList& cells)
  {
    for (int c = 0; c < cells.size(); ++c)
      g->SetCells(c + 1, r, cells.at(c));
  }

  // Runs the check on Row_Count rows of Good, with the listed cells of row Row replaced,
  // in grid G; gives the one message shown, empty when the check passed.
  struct TCase {
    const char* Name;
    int G;
    int Row;
    std::vector<std::pair<int, const char*>> Cells;  // column, text
    const char* Message;                             // empty: the rows pass
  };
  void Run_Check_Cases(const std::vector<TCase>& Cases, const QStringList& Good0, const QStringList& Good1)
  {
    for (const TCase& c : Cases) {
      SCOPED_TRACE(c.Name);
      Form->FormShow(nullptr);
      Dialogs->Requests.clear();
      TKvStringGrid* g = Form->Grids[size_t(c.G)];
      for (int r = 1; r <= 3; ++r)
        Set_Row(g, r, c.G == 0 ? Good0 : Good1);
      for (const auto& [col, text] : c.Cells)
        g->SetCells(col, c.Row, QString::fromUtf8(text));
      // A failure leaves the page that was active.
      Form->PageControl1->SetActivePage(Form->Sheets[1]);
      const bool ok = Form->Controllo_dati();
      EXPECT_EQ(ok, *c.Message == 0);
      EXPECT_EQ(Form->PageControl1->ActivePage(), Form->Sheets[1]);
      if (*c.Message) {
        ASSERT_EQ(Messages().size(), 1);
        EXPECT_EQ(Messages().at(0), QString::fromUtf8(c.Message));
        EXPECT_EQ(Dialogs->Requests.at(0).DlgType, mtError);
      } else {
        EXPECT_TRUE(Messages().isEmpty()) << Messages().join(u'\n').toStdString();
      }
    }
  }

  // Renders the open window to Name in the build folder.
  void Render(const char* Name)
  {
    QApplication::processEvents();
    const QImage img = Form->grab().toImage();
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.width(), Form->ClientWidth());
    EXPECT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/") + QString::fromLatin1(Name)));
  }

  QTemporaryDir Tmp;
  std::unique_ptr<TWorkingState> Previous;
  std::unique_ptr<TDialogResponder> Dialogs;
  std::unique_ptr<Window> Form;
};


// Rows of a section: N copies of Row.
inline QByteArray Repeat_Rows(const QByteArray& Row, int N)
{
  QByteArray out;
  for (int i = 0; i < N; ++i)
    out += Row;
  return out;
}
