#pragma once
// A test fixture for the started program: its windows created in their order on a
// temporary program folder, with the project "Plant" open as the open dialog leaves it.

#include "platform/core/files.h"
#include "shell/common/working_state.h"
#include "shell/main_window.h"
#include "shell/program_windows.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

  QTemporaryDir Dir;
  std::unique_ptr<TWorkingState> Saved;
};
