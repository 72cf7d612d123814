#pragma once
// Shared set-up of the scanner windows' tests: a project folder in a temporary program
// folder, the English texts, and message boxes and dialogs answered by the test.

#include "enip_outputs/enip_master_texts.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/working_state.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

class EnipWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Tmp.isValid());
        auto ws = std::make_unique<TWorkingState>(Tmp.path());
        ws->Create_Program_Folders();
        ws->Project_Name = QStringLiteral("P1");
        ws->Dir_Project = ws->Dir_Projects + QStringLiteral("/P1");
        ASSERT_TRUE(QDir().mkpath(ws->Dir_Project));
        ws->Set_Files();
        Saved = Install_Working_State(std::move(ws));
        Add_Lang_Block_Source(&EnipMaster_Lang_Blocks);
        Init_Lang_Table();
        Dialogs = std::make_unique<TDialogResponder>();
    }

    void TearDown() override
    {
        Dialogs.reset();
        Install_Working_State(std::move(Saved));
    }

    QStringList Messages() const
    {
        QStringList out;
        for (const TDialogRequest& r : Dialogs->Requests)
            if (r.Kind == TDialogRequest::dkMessage)
                out << r.Text;
        return out;
    }

    QTemporaryDir Tmp;
    std::unique_ptr<TWorkingState> Saved;
    std::unique_ptr<TDialogResponder> Dialogs;
};

// Saves a window's picture into the build folder; false when nothing was drawn.
inline bool Save_Window_Png(QWidget* w, const char* name, QImage* out = nullptr)
{
    const QImage img = w->grab().toImage();
    if (out)
        *out = img;
    return !img.isNull() && img.save(QStringLiteral(KV_TEST_BINARY_DIR "/") + QString::fromLatin1(name));
}
