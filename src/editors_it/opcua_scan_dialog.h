#pragma once
// The browse dialog of the OPC UA client editor: 100 ms after it is shown it has the
// browse library walk the server, lists every variable found with its access, and lets
// the user mark which ones to read and which ones to write. The editor reads the result
// and the marks after OK.

#include "editors_it/opcua_browse.h"
#include "platform/ui/forms.h"

#include <vector>

class TKvColumnGrid;
class TLabel;
class TLbButton;
class TPanel;
class TTimer;

class TFOPC_UA_Scan_Server : public TForm {
public:
  enum : int { Col_Read = 1, Col_Write = 2 };

  explicit TFOPC_UA_Scan_Server(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFOPC_UA_Scan_Server"); }

  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TLabel* LWaiting = nullptr;
  TKvColumnGrid* KCG_OPC_UA_Scan_Var = nullptr;
  TPanel* P_Button = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;
  TLbButton* Btn_SelectAllRead = nullptr;
  TLbButton* Btn_ClearAllRead = nullptr;
  TLbButton* Btn_SelectAllWrite = nullptr;
  TLbButton* Btn_ClearAllWrite = nullptr;
  TTimer* Timer_Scan = nullptr;

  // The server to browse, set by the editor before the show; its texts go to the
  // library as 8-bit copies that live through the browse.
  TOPC_UA_Server Server;
  // The browse result; kept until the next browse starts.
  std::vector<TOPC_UA_Browsed_Variable> List_Var;

  void FormCreate(TObject* Sender);
  void Set_Lang();
  void FormShow(TObject* Sender);
  void Erase_Table();
  void Show_Variables_List();
  void Timer_ScanTimer(TObject* Sender);
  // Shared by the Read and the Write buttons: the sender says which column.
  void Btn_SelectAllReadClick(TObject* Sender);
  void Btn_ClearAllReadClick(TObject* Sender);

  // The marks of one column after OK, one per found variable.
  std::vector<bool> Marks(int Col) const;
};

extern TFOPC_UA_Scan_Server* FOPC_UA_Scan_Server;
