#pragma once
// The dialog in which one MQTT topic or template text is written, with the table of the
// keywords such a text may hold below it. The caller puts the text into the rich edit,
// shows the dialog and takes the plain text back on OK; the dialog checks nothing.

#include "platform/ui/forms.h"

#include <QStringList>

class TKvStringGrid;
class TLabel;
class TLbButton;
class TPanel;
class TRichEdit;
class TSplitter;

class TFTopicTemplate : public TForm {
public:
  explicit TFTopicTemplate(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFTopicTemplate"); }

  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TPanel* Panel1 = nullptr;
  TRichEdit* RE_TopicTemplate = nullptr;
  TSplitter* Splitter1 = nullptr;
  TPanel* P_Legend = nullptr;
  TLabel* L_List_Keywords = nullptr;
  TKvStringGrid* KSG_Keywords = nullptr;
  TPanel* P_Button = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;

  // Set by the caller before the show: 1 for a template, 0 for a topic (the captions);
  // the caller's working mode; 0 for the publish grid, 1 for the subscribe grid.
  int TopicTemplate = 0;
  int Working_Mode = 1;
  int Pub_Sub = 0;

  void FormCreate(TObject* Sender);
  void Set_Lang();
  void FormShow(TObject* Sender);
  // The keyword table from the keyword and description lists (both empty in this build:
  // the header and one empty row).
  void Laod_Keywords();
};

extern TFTopicTemplate* FTopicTemplate;
