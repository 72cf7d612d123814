#pragma once
// A project with the text table, the dialog seam and one rule editor window of the MQTT
// and SNMP editors, and the checks their tests share.

#include "opcua_test_files.h"

#include "platform/ui/dialogs.h"
#include "shell/common/lang_table.h"
#include "shell/common/working_state.h"

#include "support/file_bytes.h"
#include "support/modal_show.h"
#include "support/test_project.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>

// xmllint on the file: an empty text when it passes or the checker is missing.
inline QString Xmllint_Failure(const QString& path)
{
  const QString lint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
  if (lint.isEmpty())
    return QString();
  QProcess p;
  p.start(lint, {QStringLiteral("--noout"), path});
  p.waitForFinished(10000);
  return p.exitCode() == 0 ? QString() : QString::fromLocal8Bit(p.readAllStandardError());
}

template <typename Window>
class TITWindowTest : public ::testing::Test {
protected:
  using TBlocks = std::vector<TLangBlock> (*)();
  explicit TITWindowTest(std::initializer_list<TBlocks> Blocks) : FBlocks(Blocks) {}

  void SetUp() override
  {
    ASSERT_TRUE(Tmp.isValid());
    Previous = Install_Test_Project(Tmp);
    for (TBlocks b : FBlocks)
      Add_Lang_Block_Source(b);
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

  // Copies a fixture of tests/fixtures/editors_it to the project file, writable.
  static void Use_Fixture(const char* Name, const QString& File)
  {
    QFile::remove(File);
    ASSERT_TRUE(QFile::copy(It_Fixture(Name), File));
    QFile(File).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  }
  int Show(const std::function<void()>& act = {}) { return Show_Modal(Form.get(), act); }
  QStringList Messages() const { return Message_Texts(*Dialogs); }

  // Fills a row's cells from column 1.
  static void Set_Row(TKvStringGrid* g, int r, const QStringList& cells)
  {
    for (int c = 0; c < cells.size(); ++c)
      g->SetCells(c + 1, r, cells.at(c));
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

  QTemporaryDir Tmp;
  std::unique_ptr<TWorkingState> Previous;
  std::unique_ptr<TDialogResponder> Dialogs;
  std::unique_ptr<Window> Form;

private:
  std::vector<TBlocks> FBlocks;
};
