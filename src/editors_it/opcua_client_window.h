#pragma once
// The OPC UA client rules editor: the servers the device connects to as a client (upper
// grid, changed only through the server dialog) and, per server, the variables it reads
// and writes (two grids on tabs). The server list is the data while the window is open;
// the variable grids are an editing view of the selected server, written back when a
// grid loses the focus, when a button is used and after each row command.

#include "editors_it/opcua_client_file.h"
#include "platform/ui/forms.h"
#include "common/rule_table.h"

#include <QStringList>

#include <cstdint>
#include <vector>

class TKvColumnGrid;
class TKvStringGrid;
class TLabel;
class TLbButton;
class TPageControl;
class TPanel;
class TSplitter;
class TTabSheet;

// The bytes a data type takes in the device's data area, by name (case-insensitive);
// 0 for an unknown name.
int GetLenVarType(const QString& Type);

class TFOPC_UA_Client_Access : public TForm {
public:
  explicit TFOPC_UA_Client_Access(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFOPC_UA_Client_Access"); }

  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TPanel* P_OPC_UA_Server_List = nullptr;
  TLabel* L_Server_List_Title = nullptr;
  TKvColumnGrid* KCG_OPC_UA_Server = nullptr;
  TLbButton* Btn_Add_Server = nullptr;
  TLbButton* Btn_Modify_Server = nullptr;
  TLbButton* Btn_Delete_Server = nullptr;
  TLbButton* Btn_Scan_Server = nullptr;
  TPanel* P_OPC_UA_Var_List = nullptr;
  TLabel* L_Variables_List_Title = nullptr;
  TPageControl* PC_OPC_UA_Vars = nullptr;
  TTabSheet* TS_OPC_UA_Var_Read = nullptr;
  TTabSheet* TS_OPC_UA_Var_Write = nullptr;
  TKvColumnGrid* KCG_OPC_UA_Var_R = nullptr;
  TKvColumnGrid* KCG_OPC_UA_Var_W = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;
  TLbButton* Btn_DelRow = nullptr;
  TLbButton* Btn_InsRow = nullptr;
  TLbButton* Btn_CopyRow = nullptr;
  TLbButton* Btn_PasteRow = nullptr;
  TLbButton* Btn_AutoPosition = nullptr;

  std::vector<TOPC_UA_Server> OPC_UA_Server_List;
  int Ind_Server = -1;
  bool Do_Copy_Read = false;
  bool Do_Copy_Write = false;
  QStringList Hint_Server_List, Hint_Var_R_List, Hint_Var_W_List;
  // The file was not loaded whole: OK asks before replacing it.
  bool Partial_Load = false;

  void FormCreate(TObject* Sender);
  void Set_Lang();
  void FormShow(TObject* Sender);
  bool Controllo_Dati();
  void Btn_OKClick(TObject* Sender);

  // The selected server's index (server grid row - 1), or -1.
  int Selected_Server() const;
  void Add_Server();
  void Modify_Server();
  void Delete_Server();
  void Btn_AutoPositionClick(TObject* Sender);
  // Browses the selected server and adds the variables marked in the browse dialog.
  void Scan_Server();
  // The browse dialog's marked variables appended to the selected server's lists, at
  // most up to the grid's rows; returns how many did not fit.
  int Add_Variables_In_Read();
  int Add_Variables_In_Write();
  // The read and write starts of the selected server: after the server listed above it.
  void Start_Position(int Server, int64_t& Read, int64_t& Write) const;

  void Show_OPC_UA_Server_List();
  void Show_OPC_UA_Var_List();
  void Save_Variable_in_Read(int Server);
  void Save_Variable_in_Write(int Server);

  // Grid events.
  void KCG_OPC_UA_ServerClickCell(TObject* Sender, int ARow, int ACol);
  void KCG_OPC_UA_ServerDblClickCell(TObject* Sender, int ARow, int ACol);
  void KCG_OPC_UA_Var_Enter(TObject* Sender);
  void KCG_OPC_UA_Var_Exit(TObject* Sender);
  void GridHint(TObject* Sender, int ARow, int ACol, QString& Hint);

  void Btn_DelRowClick(TObject* Sender);
  void Btn_InsRowClick(TObject* Sender);
  void Btn_CopyRowClick(TObject* Sender);
  void Btn_PasteRowClick(TObject* Sender);

private:
  // The variable grid of the active tab.
  TKvColumnGrid* Active_Var_Grid() const;
  // A button was used: the variable grid being edited is written back first, as its
  // focus exit would (a programmatic click takes no focus).
  void Leave_Var_Grid();
  void Save_Var_Grid(TKvColumnGrid* G);
  void Show_Load_Report(const TOPC_UA_Client_Load& Load);

  TRuleGrid FServer_Desc, FRead_Desc, FWrite_Desc;
  TKvColumnGrid* FEditing = nullptr;  // the variable grid Ind_Server belongs to
};

extern TFOPC_UA_Client_Access* FOPC_UA_Client_Access;
