#pragma once
// A project folder, the text table and the dialog seam for the Modbus rules windows.

#include "editors_modbus_bacnet/modbus_texts.h"
#include "grid/column_grid.h"
#include "platform/ui/dialogs.h"
#include "shell/common/lang_table.h"
#include "shell/common/working_state.h"

#include "support/file_bytes.h"
#include "support/xmllint.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

template <typename Window>
class TModbusWindowTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Tmp.isValid());
    auto ws = std::make_unique<TWorkingState>(Tmp.path());
    ws->Project_Name = QStringLiteral("Plant");
    ws->Dir_Project = Tmp.filePath(QStringLiteral("PROJECTS/Plant"));
    ASSERT_TRUE(QDir().mkpath(ws->Dir_Project));
    ws->Set_Files();
    Previous = Install_Working_State(std::move(ws));
    Add_Lang_Block_Source(&Modbus_Lang_Blocks);
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
    ASSERT_TRUE(QFile::copy(QStringLiteral(KV_FIXTURES_DIR "/editors_modbus_bacnet/") + QString::fromLatin1(name), file));
    QFile(file).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  }

  // Shows the window modally; act runs while it is open.
  int Show(const std::function<void()>& act = {})
  {
    TModalScope scope([&](TCustomForm*) {
      if (act)
        act();
      return int(mrNone);
    });
    return Form->ShowModal();
  }

  QStringList Messages() const
  {
    QStringList out;
    for (const TDialogRequest& r : Dialogs->Requests)
      if (r.Kind == TDialogRequest::dkMessage)
        out << r.Text;
    return out;
  }

  // The grid's cells of one row from column 1 on, joined by "|".
  static QString Row_Text(TKvStringGrid* g, int r)
  {
    QStringList cells;
    for (int c = 1; c < g->ColCount() + g->NumHiddenColumns(); ++c)
      cells << g->Cells(c, r);
    return cells.join(u'|');
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
};
