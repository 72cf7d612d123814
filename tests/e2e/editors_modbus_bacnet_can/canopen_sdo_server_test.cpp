// The CANopen SDO server editor from its main-window button: a read and a write object
// typed, the row commands, a refused index, OK, the saved file and the objects shown
// again; then the device's EDS file written from them with the main window's button.

#include "editor_session.h"

#include "editors_can/canopen_sdo_server_window.h"
#include "grid/column_grid.h"
#include "common/lb_button.h"
#include "shell/main_window.h"

#include <QFile>
#include <QRegularExpression>

using CanopenSdoServer = TEditorSession;

TEST_F(CanopenSdoServer, ObjectsTypedAreSavedShownAgainAndWrittenToTheEds)
{
    using E = TCell_Entry;
    const QString read = QStringLiteral("8193|1|4|0|1|2|3|Counter");
    const QString write = QStringLiteral("16384|2|2|5|6|||Command");
    const QString eds = Project_File(QStringLiteral("gateway.eds"));
    Run([&](TE2eUser& u) {
        auto* w = FSet_SDO_Server_Access;
        Open_Editor(u, FKalvoraFirmWare->Btn_SDO_Server_CANopen, w);
        TKvStringGrid* g = w->sga;
        Fill_Row(u, g, 1,
                 {{1, E::Text, "100"}, {2, E::Text, "1"}, {3, E::Text, "4"}, {4, E::Text, "0"}, {5, E::Text, "1"},
                  {6, E::Text, "2"}, {7, E::Text, "3"}, {8, E::Text, "Counter"}});
        u.Click(w->Btn_OK);
        EXPECT_EQ(u.Message_Text(), QStringLiteral("Error row 1!! [SDO in Read] Index must be between 0x2000 and 0x5FFF"));
        u.Answer(QStringLiteral("OK"));
        Type_Cell(u, g, 1, 1, QStringLiteral("8193"));
        Use_Row_Commands(u, w, g, read, QString(7, QLatin1Char('|')));

        u.Click_Tab(w->TS_SDO_Write);
        TKvStringGrid* wg = w->sgb;
        Fill_Row(u, wg, 1,
                 {{1, E::Text, "16384"}, {2, E::Text, "2"}, {3, E::Text, "2"}, {4, E::Text, "5"}, {5, E::Text, "6"},
                  {8, E::Text, "Command"}});
        Wait_Row(u, wg, 1, write);
        u.Snapshot(w, QStringLiteral("typed"));
        Press_OK(u, w, w->Btn_OK);

        Open_Editor(u, FKalvoraFirmWare->Btn_SDO_Server_CANopen, w);
        EXPECT_EQ(Row_Text(u, g, 1), read);
        EXPECT_EQ(Row_Text(u, g, 2), read);
        EXPECT_EQ(Row_Text(u, wg, 1), write);
        u.Click(w->Btn_Cancel);
        u.Wait_Hidden(w);

        Press_Hidden(u, FKalvoraFirmWare->Btn_CANopen_EDS);
        u.Choose_File(eds);
        u.Wait(QStringLiteral("the EDS file"), [&] { return QFile::exists(eds); });
    });
    const QString file = Project_File(QStringLiteral("SDO_Server_CANopen.xml"));
    const QString r = QStringLiteral(
        "Index=8193 SubIndex=1 NByte=4 Address_B1=0 Address_B2=1 Address_B3=2 Address_B4=3 Mnemonic=Counter");
    EXPECT_EQ(Saved_Rows(file, {QStringLiteral("SDO_Read")}), QStringList({r, r}));
    EXPECT_EQ(Saved_Rows(file, {QStringLiteral("SDO_Write")}), 
              QStringList({QStringLiteral(
                  "Index=16384 SubIndex=2 NByte=2 Address_B1=5 Address_B2=6 Address_B3= Address_B4= Mnemonic=Command")}));
    QFile f(eds);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(f.readAll());
    EXPECT_TRUE(text.startsWith(QStringLiteral("[FileInfo]"))) << text.left(200).toStdString();
    // The objects typed, with their sizes and access, among the manufacturer objects.
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r?\n")));
    auto section = [&](const QString& Name) {
        QStringList body;
        for (qsizetype i = lines.indexOf(QLatin1Char('[') + Name + QLatin1Char(']')) + 1;
             i > 0 && i < lines.size() && !lines[i].isEmpty(); ++i)
            body << lines[i];
        return body.join(QLatin1Char(';'));
    };
    EXPECT_EQ(section(QStringLiteral("ManufacturerObjects")), QStringLiteral("SupportedObjects=2;1=0x2001;2=0x4000"));
    EXPECT_EQ(section(QStringLiteral("2001sub1")),
              QStringLiteral("ParameterName=Application Variable;ObjectType=0x7;DataType=0x0007;LowLimit=0x00000000;"
                             "HighLimit=0xFFFFFFFF;DefaultValue=0x00000000;AccessType=ro;PDOMapping=0"));
    EXPECT_EQ(section(QStringLiteral("4000sub2")),
              QStringLiteral("ParameterName=Application Variable;ObjectType=0x7;DataType=0x0006;LowLimit=0x0000;"
                             "HighLimit=0xFFFF;DefaultValue=0x0000;AccessType=rw;PDOMapping=0"));
}
