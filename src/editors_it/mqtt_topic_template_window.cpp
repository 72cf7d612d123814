// The topic template dialog.

#include "editors_it/mqtt_topic_template_window.h"

#include "grid/kv_string_grid.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/richedit.h"
#include "platform/ui/stdctrls.h"
#include "common/lang_table.h"
#include "common/window_look.h"
#include "common/working_state.h"

TFTopicTemplate* FTopicTemplate = nullptr;

namespace {

constexpr int Client_Width = 635;
constexpr int Client_Height = 396;
constexpr int Legend_Height = 108;
constexpr int Button_Height = 40;
constexpr int Splitter_Height = 3;
constexpr int Keyword_Width = 200;
constexpr int Description_Width = 380;
constexpr int Header_Height = 22;

}  // namespace

TFTopicTemplate::TFTopicTemplate(TComponent* AOwner) : TForm(AOwner)
{
  SetName(QStringLiteral("FTopicTemplate"));
  Apply_Shell_Look(this, Client_Width, Client_Height);
  const TTitlePanel title = Make_Title_Panel(this);
  P_Title = title.P_Title;
  L_SW_Code = title.L_SW_Code;
  L_SW_Desc = title.L_SW_Desc;

  Splitter1 = new TSplitter(this);
  Splitter1->SetName(QStringLiteral("Splitter1"));
  Splitter1->SetParent(this);
  Splitter1->SetAlign(alBottom);
  Splitter1->SetHeight(Splitter_Height);

  P_Legend = Make_Plain_Panel(this, QStringLiteral("P_Legend"), Legend_Height, alBottom);
  L_List_Keywords = Make_Label(this, P_Legend, QStringLiteral("L_List_Keywords"), 8, 4, true);
  KSG_Keywords = new TKvStringGrid(this);
  KSG_Keywords->SetName(QStringLiteral("KSG_Keywords"));
  KSG_Keywords->SetParent(P_Legend);
  KSG_Keywords->SetBounds(8, 22, Client_Width - 16, Legend_Height - 26);
  KSG_Keywords->SetColCount(2);
  KSG_Keywords->SetRowCount(2);
  KSG_Keywords->SetFixedCols(0);
  KSG_Keywords->SetFixedRows(1);
  KSG_Keywords->SetRowHeights(0, Header_Height);
  KSG_Keywords->SetColWidths(0, Keyword_Width);
  KSG_Keywords->SetColWidths(1, Description_Width);
  KSG_Keywords->SetOptions(KSG_Keywords->Options() | goEditing);

  P_Button = Make_Button_Panel(this);
  Btn_OK = Make_Button(this, P_Button, QStringLiteral("Btn_OK"), 16, 6, 110, 28);
  Btn_OK->SetCaption(QStringLiteral("OK"));
  Btn_OK->SetModalResult(mrOk);
  Btn_Cancel = Make_Button(this, P_Button, QStringLiteral("Btn_Cancel"), 134, 6, 110, 28);
  Btn_Cancel->SetCaption(QStringLiteral("Cancel"));
  Btn_Cancel->SetModalResult(mrCancel);

  // Bottom-aligned controls stack by their design tops: the buttons lowest, the legend
  // above them, the splitter above the legend.
  DisableAlign();
  P_Button->SetTop(Client_Height - Button_Height);
  P_Legend->SetTop(Client_Height - Button_Height - Legend_Height);
  Splitter1->SetTop(Client_Height - Button_Height - Legend_Height - Splitter_Height);
  EnableAlign();

  Panel1 = Make_Plain_Panel(this, QStringLiteral("Panel1"), 0, alClient);
  RE_TopicTemplate = new TRichEdit(this);
  RE_TopicTemplate->SetName(QStringLiteral("RE_TopicTemplate"));
  RE_TopicTemplate->SetParent(Panel1);
  RE_TopicTemplate->SetAlign(alClient);
  TFont font;
  font.SetName(QStringLiteral("Tahoma"));
  font.SetSize(8);
  RE_TopicTemplate->SetFont(font);

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

void TFTopicTemplate::FormCreate(TObject*)
{
  L_SW_Code->SetCaption(WS().SW_Code);
  Set_Lang();
}

void TFTopicTemplate::Set_Lang()
{
  SetCaption(Lang_Str(4000));
  L_SW_Desc->SetCaption(Lang_Str(4002));
  L_List_Keywords->SetCaption(Lang_Str(4004));
  KSG_Keywords->SetCells(0, 0, Lang_Str(4005));
  KSG_Keywords->SetCells(1, 0, Lang_Str(4006));
  Btn_OK->SetCaption(Lang_Str(4007));
  Btn_Cancel->SetCaption(Lang_Str(4008));
}

void TFTopicTemplate::FormShow(TObject*)
{
  SetCaption(Lang_Str(TopicTemplate != 0 ? 4001 : 4000));
  L_SW_Desc->SetCaption(Lang_Str(TopicTemplate != 0 ? 4003 : 4002));
  Laod_Keywords();
  if (RE_TopicTemplate->CanFocus())
    RE_TopicTemplate->SetFocus();
}

void TFTopicTemplate::Laod_Keywords()
{
  // No product offers keywords yet: the lists stay empty.
  const QStringList keywords;
  const QStringList descriptions;
  const int n = int(keywords.size());
  if (n > 0) {
    KSG_Keywords->SetRowCount(n + 1);
    for (int i = 0; i < n; ++i) {
      KSG_Keywords->SetCells(0, i + 1, keywords.at(i));
      KSG_Keywords->SetCells(1, i + 1, i < descriptions.size() ? descriptions.at(i) : QString());
      KSG_Keywords->SetReadOnly(0, i + 1, false);
      KSG_Keywords->SetReadOnly(1, i + 1, true);
    }
    return;
  }
  KSG_Keywords->SetRowCount(2);
  KSG_Keywords->SetCells(0, 1, QString());
  KSG_Keywords->SetCells(1, 1, QString());
  KSG_Keywords->SetReadOnly(0, 1, false);
  KSG_Keywords->SetReadOnly(1, 1, true);
}
