#pragma once
// The program as app/main.cpp starts it, for real-window tests: a program folder of the
// test's own (with the files the build puts beside the executable), the windows created
// in their fixed order, the main window shown, and the user driving it.

#include "e2e_user.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class TLbButton;
class TWorkingState;

class TProgramSession : public ::testing::Test {
protected:
    TProgramSession();
    ~TProgramSession() override;
    void SetUp() override;
    void TearDown() override;

    // Starts the program as app/main.cpp does (its windows created in their order, the
    // main window shown; only on the first call) and runs Script as its user.
    void Run(const std::function<void(TE2eUser&)>& Script);

    // For tests that start past step 1: a project folder made as the new-project dialog
    // makes it and named in the settings as the last one used, so that the program opens
    // it at start; with From, the files of that folder are copied into it first. Call
    // before the first Run.
    void Open_Project(const QString& Name, const QString& From = QString());

    // Presses a step button this build keeps hidden, as its click would: the user has no
    // other way to reach the window behind it. The window it shows modally opens on the
    // program's thread; the user goes on at once.
    static void Press_Hidden(TE2eUser& User, TLbButton* Button);

    // The program folder (the folder that holds the executable in the field).
    QString Program_Dir() const { return FDir.path(); }

private:
    QTemporaryDir FDir;
    std::unique_ptr<TWorkingState> FSaved_State;
};
