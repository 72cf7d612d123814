// The list of known TLS server certificates behind its step button: certificates typed,
// one disabled, each row command, OK, the file and a second opening.

#include "editor_user.h"

#include "editors_industrial/tls_known_cert_window.h"
#include "grid/kv_string_grid.h"
#include "common/lb_button.h"
#include "shell/main_window.h"

using TlsKnownCertificates = TIndustrialEditorSession;

namespace {
constexpr int Enable = TFTLS_Server_Known_Cert::Col_Enable;
constexpr int Cert = TFTLS_Server_Known_Cert::Col_Certificate;
constexpr int Mnemonic = TFTLS_Server_Known_Cert::Col_Mnemonic;
}  // namespace

TEST_F(TlsKnownCertificates, TypedCertificatesAreSavedAndShownAgain)
{
  Run([&](TE2eUser& u) {
    TFTLS_Server_Known_Cert* w = FTLS_Server_Known_Cert;
    TKvStringGrid* g = w->KSG;
    Open_Window(u, FKalvoraFirmWare->Btn_TLS_List_Certificates, w);
    Type_Cell(u, g, Cert, 1, QStringLiteral("MIIBszCCAVmgAwIBAgIU"));
    Type_Cell(u, g, Mnemonic, 1, QStringLiteral("Broker"));
    Type_Cell(u, g, Cert, 2, QStringLiteral("MIIC+zCCAeOgAwIBAgIJ"));
    Click_Check(u, g, Enable, 2);

    // Row 2 goes to row 3 by copy and paste; an inserted row is deleted again; No keeps a row.
    Select_Row(u, g, 2);
    u.Click(w->Btn_CopyRow);
    Select_Row(u, g, 3);
    u.Click(w->Btn_PasteRow);
    u.Wait(QStringLiteral("the pasted row"), [g] { return g->Cells(Cert, 3) == QLatin1String("MIIC+zCCAeOgAwIBAgIJ"); });
    EXPECT_FALSE(Checked(u, g, Enable, 3));
    Select_Row(u, g, 1);
    u.Click(w->Btn_InsRow);
    u.Wait(QStringLiteral("the inserted row"), [g] { return g->Cells(Mnemonic, 2) == QLatin1String("Broker"); });
    EXPECT_TRUE(Checked(u, g, Enable, 1));
    EXPECT_EQ(Answer_After(u, w->Btn_DelRow, QStringLiteral("No")), QStringLiteral("Are you sure to delete the Row number 1"));
    EXPECT_EQ(Cell(u, g, Mnemonic, 2), QStringLiteral("Broker"));
    Answer_After(u, w->Btn_DelRow, QStringLiteral("Yes"));
    u.Wait(QStringLiteral("the deleted row"), [g] { return g->Cells(Mnemonic, 1) == QLatin1String("Broker"); });
    u.Snapshot(w, QStringLiteral("typed"));
    Close_With(u, w->Btn_OK, w);

    Open_Window(u, FKalvoraFirmWare->Btn_TLS_List_Certificates, w);
    EXPECT_EQ(Cell(u, g, Cert, 1), QStringLiteral("MIIBszCCAVmgAwIBAgIU"));
    EXPECT_FALSE(Checked(u, g, Enable, 2));
    EXPECT_EQ(Cell(u, g, Cert, 3), QStringLiteral("MIIC+zCCAeOgAwIBAgIJ"));
    u.Snapshot(w, QStringLiteral("reopened"));
    // The window shown again takes the keys; Cancel drops what they typed.
    Type_Cell(u, g, Mnemonic, 3, QStringLiteral("Spare"));
    Close_With(u, w->Btn_Cancel, w);
  });

  const auto rows = Saved_Rows(WS().Name_File_TLS_Known_Cert);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (TSaved_Row{{"Enable", "Y"}, {"Certificate", "MIIBszCCAVmgAwIBAgIU"}, {"Mnemonic", "Broker"}}));
  EXPECT_EQ(rows[1], (TSaved_Row{{"Enable", "N"}, {"Certificate", "MIIC+zCCAeOgAwIBAgIJ"}, {"Mnemonic", ""}}));
  EXPECT_EQ(rows[2], rows[1]);
}
