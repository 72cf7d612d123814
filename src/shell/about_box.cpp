// The about box. Its texts are fixed English texts, not taken from the text table.

#include "shell/about_box.h"

#include "common/maker_identity.h"
#include "platform/core/shell_open.h"
#include "common/working_state.h"
#include "shell/shell_look.h"
#include "shell/version_check.h"

TFAbout* FAbout = nullptr;

TFAbout::TFAbout(TComponent* AOwner) : TForm(AOwner)
{
    SetName(QStringLiteral("FAbout"));
    OnShow = [this](TObject*) { FormShow(); };

    Apply_Shell_Look(this, 425, 148);
    Font()->SetColor(0x333333);
    SetCaption(QStringLiteral("About..."));

    Image2 = new TImage(this);
    Image2->SetName(QStringLiteral("Image2"));
    Image2->SetParent(this);
    Image2->SetBounds(32, 24, 81, 81);
    Image2->SetStretch(true);
    Image2->SetCursor(crHandPoint);
    Image2->OnClick = [this](TObject*) { Label4Click(); };
    const QImage img = Read_Plain_Bmp(Program_Picture(QStringLiteral("Btn_Info.bmp")));
    if (!img.isNull()) {
        auto bmp = std::make_unique<TBitmap>();
        bmp->SetImage(img);
        Image2->Picture()->SetGraphic(std::move(bmp));
        // The picture's key colour (its bottom-left pixel) shows the box behind.
        Image2->SetTransparent(true);
    }

    auto label = [this](const char* name, int left, int top, const char* text) {
        TLabel* l = Make_Label(this, this, QString::fromLatin1(name), left, top);
        l->SetCaption(QString::fromLatin1(text));
        return l;
    };
    Label1 = label("Label1", 128, 24, "Software Kalvora ");
    Label1->Font()->SetStyle(fsBold);
    Label1->Font()->SetHeight(-13);
    Label2 = label("Label2", 128, 39, "");
    Label6 = label("Label6", 128, 62, "Software Code : ");
    Label9 = label("Label9", 240, 62, "");
    Label3 = label("Label3", 128, 77, "Version :");
    Label10 = label("Label10", 240, 77, "");
    Label8 = label("Label8", 128, 93, "Document Code :");
    Label12 = label("Label12", 240, 93, "");
    Label4 = label("Label4", 316, 131, maker::Web_Address);
    Label4->Font()->SetColor(clBlue);
    Label4->Font()->SetStyle(fsUnderline);
    Label4->SetCursor(crHandPoint);
    // The address is longer than the place was made for: keep it inside the box.
    if (Label4->Left() + Label4->Width() > ClientWidth() - 8)
        Label4->SetLeft(ClientWidth() - 8 - Label4->Width());
    Label4->OnClick = [this](TObject*) { Label4Click(); };

    LbButton1 = Make_Button(this, this, QStringLiteral("LbButton1"), 32, 115, 81, 22);
    LbButton1->SetKind(bkOK);
    LbButton1->SetCaption(QStringLiteral("OK"));
}

void TFAbout::FormShow()
{
    Label2->SetCaption(Kv_SW_Desc);
    Label9->SetCaption(QStringLiteral("TK27518"));
    Label10->SetCaption(QStringLiteral("1.001"));
    Label12->SetCaption(QStringLiteral("QD58731"));
    SetClientWidth(425);
    SetClientHeight(148);
}

void TFAbout::Label4Click() { ShellOpen(Home_Page_Url()); }
