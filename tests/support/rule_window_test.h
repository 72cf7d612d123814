#pragma once
// A test fixture for one rule editor window: the project "Plant" on a temporary program
// folder, the text table with the window's blocks, the dialog seam and the window,
// created as the program creates it.

#include "grid/kv_string_grid.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/working_state.h"

#include "support/modal_show.h"
#include "support/test_project.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>

template <typename Window>
class TRuleWindowTest : public ::testing::Test {
protected:
  // The window's text blocks, and its fixture folder below the tests' fixtures.
  TRuleWindowTest(std::initializer_list<TLangBlockSource> Lang, const char* Fixture_Folder)
      : FLang(Lang), FFixtures(QStringLiteral(KV_FIXTURES_DIR "/") + QString::fromLatin1(Fixture_Folder) + u'/')
  {
  }

  void SetUp() override
  {
    ASSERT_TRUE(Tmp.isValid());
    Previous = Install_Test_Project(Tmp);
    for (TLangBlockSource s : FLang)
      Add_Lang_Block_Source(s);
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

  // Puts the fixture file name in place of file, writable.
  void Use_Fixture(const char* name, const QString& file)
  {
    QFile::remove(file);
    ASSERT_TRUE(QFile::copy(FFixtures + QString::fromLatin1(name), file));
    QFile(file).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  }

  // Shows the window modally; act runs while it is open.
  int Show(const std::function<void()>& act = {}) { return Show_Modal(Form.get(), act); }
  QStringList Messages() const { return Message_Texts(*Dialogs); }

  // The grid's cells of one row from column 1 on, hidden columns too, joined by "|".
  static QString Row_Text(TKvStringGrid* g, int r)
  {
    QStringList cells;
    for (int c = 1; c < g->ColCount() + g->NumHiddenColumns(); ++c)
      cells << g->Cells(c, r);
    return cells.join(u'|');
  }

  // Runs the window's check: Message empty, it passes without a word; else it fails with
  // exactly that one error message.
  void Expect_Check(const char* Message)
  {
    EXPECT_EQ(Form->Controllo_dati(), *Message == 0);
    if (*Message) {
      ASSERT_EQ(Messages().size(), 1);
      EXPECT_EQ(Messages().at(0), QString::fromUtf8(Message));
      EXPECT_EQ(Dialogs->Requests.at(0).DlgType, mtError);
    } else {
      EXPECT_TRUE(Messages().isEmpty()) << Messages().join(u'\n').toStdString();
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

  static void Set_Row(TKvStringGrid* g, int r, const QStringList& cells)
  {
    for (int c = 0; c < cells.size(); ++c)
      g->SetCells(c + 1, r, cells.at(c));
  }

  QTemporaryDir Tmp;
  std::unique_ptr<TWorkingState> Previous;
  std::unique_ptr<TDialogResponder> Dialogs;
  std::unique_ptr<Window> Form;

private:
  std::vector<TLangBlockSource> FLang;
  QString FFixtures;
};
