#pragma once
// A working state on a temporary program folder with the project "Plant" open, for
// tests of editor windows that read and write the project's files.

#include "common/working_state.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

// Installs the state; the previous one is returned for the test to put back.
inline std::unique_ptr<TWorkingState> Install_Test_Project(const QTemporaryDir& Tmp)
{
    auto ws = std::make_unique<TWorkingState>(Tmp.path());
    ws->Project_Name = QStringLiteral("Plant");
    ws->Dir_Project = Tmp.filePath(QStringLiteral("PROJECTS/Plant"));
    QDir().mkpath(ws->Dir_Project);
    ws->Set_Files();
    return Install_Working_State(std::move(ws));
}
