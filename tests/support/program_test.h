#pragma once
// A test fixture for the started program: its windows created in their order on a
// temporary program folder, with the project "Plant" open as the open dialog leaves it.

#include "platform/core/files.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialogs.h"
#include "common/lb_button.h"
#include "common/working_state.h"
#include "shell/main_window.h"
#include "shell/program_windows.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class TProgramTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Dir.isValid());
    Saved = Install_Working_State(std::make_unique<TWorkingState>(Dir.path()));
    Create_Program_Windows();
    WS().Project_Name = QStringLiteral("Plant");
    WS().Dir_Project = PathJoin(WS().Dir_Projects, QStringLiteral("Plant"));
    ASSERT_TRUE(QDir().mkpath(WS().Dir_Project));
    WS().Set_Files();
  }
  void TearDown() override
  {
    if (FKalvoraFirmWare)
      Destroy_Program_Windows();
    Install_Working_State(std::move(Saved));
  }

  // Runs a hidden step button's click as a click would; Act runs in each window it shows
  // modally. The class names of the windows shown, in order. A failure reaches the
  // failure report.
  QStringList Click_Step(TLbButton* Button, const std::function<void(TCustomForm*)>& Act = {})
  {
    QStringList shown;
    TModalScope scope([&](TCustomForm* f) {
      shown << f->ClassName();
      if (Act)
        Act(f);
      return int(mrNone);
    });
    EXPECT_FALSE(Button->Visible());
    TControl::Guard([&] { FKalvoraFirmWare->Btn_Click(Button); });
    return shown;
  }

  QTemporaryDir Dir;
  std::unique_ptr<TWorkingState> Saved;
};
