#pragma once
// The Modbus master rules editor of the serial line: the twin of the TCP editor without
// the slave's address and port, kept in ModbusM_SetAccess.xml. Only the read grid shows
// hints: its headers that of the real column, its data cells their own text.

#include "editors_modbus_bacnet/modbus_master_window.h"

#include <vector>

class TFSetAccess : public TModbus_Master_Window {
public:
  explicit TFSetAccess(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFSetAccess"); }

  // Per read rule row (index row - 1): the item last picked in its Topic drop-down, -1 none.
  std::vector<int> ComboItem_Topic;

  // The hint when it lies inside the list and its entry equals Topic, else the first
  // entry equal to Topic, else -1.
  int Get_Index_From_Topic(const QString& Topic, int Index) const;

  // The window's own names of the frame's OK and Insert Row.
  void bitbtn1Click(TObject* Sender) { Btn_OKClick(Sender); }
  void Btn_InsertRowClick(TObject* Sender) { Btn_InsRowClick(Sender); }
  // OnComboChange of the read grid: a choice in the Topic column is remembered per row.
  void ComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection);

protected:
  QString Project_File() const override;
  void Before_Clear() override;
  void Before_Load() override;
  void Grid_Hint(int G, int ARow, int ACol, QString& Hint) override;
  void Combo_Change(int G, int ACol, int ARow, int AItemIndex, const QString& ASelection) override;
};

extern TFSetAccess* FSetAccess;
