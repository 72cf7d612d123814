// The PROFINET step: the file-name window composes the GSDML name from the typed user
// part, the save dialog gives the folder, and the writer puts the description there; a
// second run keeps the user part and asks before it replaces the file.

#include "editor_user.h"

#include "editors_industrial/profinet_file_name_window.h"
#include "platform/core/files.h"
#include "platform/ui/stdctrls.h"
#include "common/lb_button.h"
#include "shell/main_window.h"

#include <QFile>
#include <QFileInfo>

using ProfinetGsdml = TIndustrialEditorSession;

TEST_F(ProfinetGsdml, TypedNameGoesIntoTheChosenFolderAndIsReplacedOnlyOnYes)
{
  QString gsdml;
  Run([&](TE2eUser& u) {
    TFProfinetFileName* w = FProfinetFileName;
    Open_Window(u, FKalvoraFirmWare->Btn_PROFINET_XML, w);
    u.Click(w->E_XML_User);
    u.Type(QStringLiteral("Line3"));
    u.Wait(QStringLiteral("the user part"), [w] { return w->E_XML_User->Text() == QLatin1String("Line3"); });
    u.Snapshot(w, QStringLiteral("typed"));
    const QString date = u.Ui([w] { return w->L_XML_Fix2->Caption(); });
    gsdml = Project_Dir() + QStringLiteral("/GSDML-V2.25-Norvel-_Line3") + date;
    Close_With(u, w->Btn_OK, w);
    // Only the folder of what the user picks counts: the file takes the composed name.
    u.Choose_File(Project_Dir() + QStringLiteral("/another.xml"));
    u.Wait(QStringLiteral("the GSDML file"), [&] { return FileExists(gsdml); });

    // The second run proposes the same name; No leaves the file alone.
    const qint64 size = QFileInfo(gsdml).size();
    QFile::resize(gsdml, 10);
    Open_Window(u, FKalvoraFirmWare->Btn_PROFINET_XML, w);
    EXPECT_EQ(u.Ui([w] { return w->E_XML_User->Text(); }), QStringLiteral("Line3"));
    Close_With(u, w->Btn_OK, w);
    u.Choose_File(Project_Dir() + QStringLiteral("/x.xml"));
    EXPECT_EQ(u.Message_Text(), QStringLiteral("File already exists! Do you want to overwrite the file?"));
    u.Answer(QStringLiteral("No"));
    EXPECT_EQ(QFileInfo(gsdml).size(), 10);
    Open_Window(u, FKalvoraFirmWare->Btn_PROFINET_XML, w);
    Close_With(u, w->Btn_OK, w);
    u.Choose_File(Project_Dir() + QStringLiteral("/x.xml"));
    u.Answer(QStringLiteral("Yes"));
    u.Wait(QStringLiteral("the GSDML file written again"), [&] { return QFileInfo(gsdml).size() == size; });
  });
  EXPECT_FALSE(FileExists(Project_Dir() + QStringLiteral("/another.xml")));
  ASSERT_TRUE(Well_Formed_Xml(gsdml));
  QFile f(gsdml);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray text = f.readAll();
  EXPECT_TRUE(text.startsWith("\xEF\xBB\xBF<?xml")) << "UTF-8 with its byte-order mark";
  EXPECT_TRUE(text.contains("DNS_CompatibleName=\"SERIAL\""));
}
