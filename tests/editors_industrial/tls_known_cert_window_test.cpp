// The known TLS server certificates on a temporary project: an empty list, the Enable
// boxes on load and save, the end of the list, the boxes under Delete and Insert, a PEM
// certificate pasted into a cell, the fixture's round trip, a language file, typed rows
// and a picture. Nothing opens a connection: a certificate is text to this window.

#include "editors_industrial/tls_known_cert_window.h"

#include "editors_industrial/tls_cert_texts.h"
#include "grid/kv_string_grid.h"
#include "platform/ui/clipboard.h"
#include "common/lb_button.h"

#include "support/file_bytes.h"
#include "support/grid_typing.h"
#include "support/lang_block_check.h"
#include "support/rule_window_test.h"
#include "support/xmllint.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QtTest/QTest>

namespace {

using W = TFTLS_Server_Known_Cert;

class TlsKnownCertWindow : public TRuleWindowTest<W> {
protected:
  TlsKnownCertWindow() : TRuleWindowTest<W>({&TLS_Cert_Lang_Blocks}, "editors_industrial") {}

  QString File() const { return WS().Name_File_TLS_Known_Cert; }
  TKvStringGrid* G() const { return Form->KSG; }
  bool Checked(int r) const
  {
    bool state = false;
    G()->GetCheckBoxState(W::Col_Enable, r, state);
    return state;
  }
  QString Pem() const { return QString::fromLatin1(Read_All(QStringLiteral(KV_FIXTURES_DIR "/editors_industrial/tls_server_cert.pem"))); }
};

TEST_F(TlsKnownCertWindow, AnEmptyListWritesTheRootAndTheCommentOnly)
{
  EXPECT_EQ(Show([&] {
              EXPECT_EQ(G()->RowCount(), 11);
              EXPECT_EQ(G()->ColCount(), 4);
              EXPECT_TRUE(Checked(10));
              EXPECT_EQ(G()->RowHeights(1), W::Cert_Row_Height);
              Form->Btn_OK->Click();
            }),
            mrOk);
  EXPECT_EQ(Read_All(File()), QByteArray("<TLS_Server_Known_Cert/>\r\n<!--SW_VERSION = 1.000-->\r\n"));
}

TEST_F(TlsKnownCertWindow, OnlyAStoredNClearsTheBoxAndRowsAfterAnEmptyCertificateAreNotStored)
{
  Write_All(File(), "<TLS_Server_Known_Cert><row Enable=\"N\" Certificate=\"a\" Mnemonic=\"x\"/>"
                    "<row Enable=\"n\" Certificate=\"b\"/><row Certificate=\"c\"/></TLS_Server_Known_Cert>");
  Show([&] {
    EXPECT_FALSE(Checked(1));
    EXPECT_TRUE(Checked(2));
    EXPECT_TRUE(Checked(3));
    EXPECT_EQ(G()->Cells(W::Col_Mnemonic, 2), QString());
    G()->SetCheckBoxState(W::Col_Enable, 3, false);
    G()->SetCells(W::Col_Certificate, 5, QStringLiteral("after the gap"));
    Dialogs->QueueResult(mrYes);  // rows after the end are dropped: yes
    Form->Btn_OK->Click();
  });
  const QByteArray saved = Read_All(File());
  EXPECT_EQ(saved, QByteArray("<TLS_Server_Known_Cert><row Enable=\"N\" Certificate=\"a\" Mnemonic=\"x\"/>"
                              "<row Enable=\"Y\" Certificate=\"b\" Mnemonic=\"\"/>"
                              "<row Enable=\"N\" Certificate=\"c\" Mnemonic=\"\"/></TLS_Server_Known_Cert>\r\n"
                              "<!--SW_VERSION = 1.000-->\r\n"));
}

TEST_F(TlsKnownCertWindow, CheckStatesFollowDeleteAndInsert)
{
  Show([&] {
    for (int r = 1; r <= 3; ++r)
      G()->SetCells(W::Col_Certificate, r, QStringLiteral("c%1").arg(r));
    G()->SetCheckBoxState(W::Col_Enable, 2, false);
    G()->SetRow(1);
    Dialogs->QueueResult(mrYes);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Are you sure to delete the Row number 1")});
    EXPECT_EQ(G()->Cells(W::Col_Certificate, 1), QStringLiteral("c2"));
    EXPECT_FALSE(Checked(1));
    EXPECT_TRUE(Checked(2));
    EXPECT_TRUE(Checked(10));  // the emptied last row is checked
    G()->SetRow(1);
    Form->Btn_InsRow->Click();
    EXPECT_TRUE(Checked(1));
    EXPECT_EQ(G()->Cells(W::Col_Certificate, 1), QString());
    EXPECT_FALSE(Checked(2));
    EXPECT_EQ(G()->Cells(W::Col_Certificate, 2), QStringLiteral("c2"));
    EXPECT_TRUE(Checked(3));
  });
}

TEST_F(TlsKnownCertWindow, APastedPemCertificateKeepsItsLinesThroughOkAndReopening)
{
  const QString pem = Pem();
  ASSERT_TRUE(pem.startsWith(QStringLiteral("-----BEGIN CERTIFICATE-----\n")));
  Show([&] {
    Form->Show();
    QApplication::processEvents();
    G()->SetFocus();
    G()->FocusCell(W::Col_Certificate, 1);
    QTest::keyClick(G(), Qt::Key_F2);
    Clipboard()->SetAsText(pem);
    QTest::keyClick(Focus(G()), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(Focus(G()), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(G()->Cells(W::Col_Certificate, 1), pem);
    Type_Cell(G(), W::Col_Mnemonic, 1, QStringLiteral("IED 1"));
    QApplication::processEvents();
    EXPECT_TRUE(Form->grab().toImage().save(QStringLiteral(KV_TEST_BINARY_DIR "/tls_known_cert.png")));
    Form->Btn_OK->Click();
  });
  EXPECT_EQ(Form->ModalResult(), mrOk);
  EXPECT_TRUE(Read_All(File()).contains("-----BEGIN CERTIFICATE-----&#10;MII"));
  EXPECT_EQ(Xmllint_Failure(File()), QString());
  Show([&] {
    EXPECT_EQ(G()->Cells(W::Col_Certificate, 1), pem);
    EXPECT_EQ(G()->Cells(W::Col_Mnemonic, 1), QStringLiteral("IED 1"));
  });
}

TEST_F(TlsKnownCertWindow, AFixtureRoundTripsByteForByte)
{
  Use_Fixture("TLS_Known_Cert.xml", File());
  const QByteArray before = Read_All(File());
  EXPECT_EQ(Show([&] {
              EXPECT_EQ(G()->Cells(W::Col_Certificate, 1), Pem());
              Form->Btn_OK->Click();
            }),
            mrOk);
  EXPECT_EQ(Read_All(File()), before);
  EXPECT_EQ(Xmllint_Failure(File()), QString());
}

TEST_F(TlsKnownCertWindow, SetLangAndOnlyTheButtonsShowHints)
{
  Load_Lang_Lines({"STR3600 = Certificati noti", "STR3603 = Annulla", "STR3609 = Esci senza salvare",
                   "STR3616 = Certificato", "STR3619 = Inserire il certificato"});
  Form->Set_Lang();
  EXPECT_EQ(Form->Caption(), QStringLiteral("Certificati noti"));
  EXPECT_EQ(Form->Btn_Cancel->Caption(), QStringLiteral("Annulla"));
  EXPECT_EQ(Form->Btn_Cancel->Hint(), QStringLiteral("Esci senza salvare"));
  EXPECT_EQ(G()->Cells(W::Col_Certificate, 0), QStringLiteral("Certificato"));
  QString hint;
  G()->OnGridHint(G(), 0, W::Col_Certificate, hint);
  EXPECT_EQ(hint, QStringLiteral("Inserire il certificato"));
  for (TLbButton* b : {Form->Btn_OK, Form->Btn_Cancel, Form->Btn_DelRow, Form->Btn_InsRow, Form->Btn_CopyRow,
                       Form->Btn_PasteRow})
    EXPECT_TRUE(b->ShowHint()) << b->Name().toStdString();
  EXPECT_FALSE(G()->ShowHint());
}

TEST_F(TlsKnownCertWindow, TypedRowsSurviveOkAndReopening)
{
  Show([&] {
    Form->Show();
    QApplication::processEvents();
    G()->SetFocus();
    Type_Cell(G(), W::Col_Certificate, 1, QStringLiteral("first"));
    Type_Cell(G(), W::Col_Mnemonic, 1, QStringLiteral("one"));
    Type_Cell(G(), W::Col_Certificate, 2, QStringLiteral("second"));
    G()->FocusCell(W::Col_Enable, 2);
    QTest::keyClick(Focus(G()), Qt::Key_Space);
    QApplication::processEvents();
    Form->Btn_OK->Click();
  });
  EXPECT_EQ(Form->ModalResult(), mrOk);
  Show([&] {
    EXPECT_EQ(G()->Cells(W::Col_Certificate, 1), QStringLiteral("first"));
    EXPECT_EQ(G()->Cells(W::Col_Mnemonic, 1), QStringLiteral("one"));
    EXPECT_TRUE(Checked(1));
    EXPECT_EQ(G()->Cells(W::Col_Certificate, 2), QStringLiteral("second"));
    EXPECT_FALSE(Checked(2));
  });
}

}  // namespace
