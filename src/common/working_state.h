#pragma once
// The program's working state: project and program folders, product texts, the options
// of the settings file, the last device address, the 28 project file paths and the shared
// string lists. One instance serves the program (WS()); tests make their own on a
// temporary program folder.

#include "platform/core/exceptions.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// Product constants.
inline const QString Kv_SW_Code = QStringLiteral("TK27518");
inline const QString Kv_SW_Desc = QStringLiteral("IO-Link Slave / EtherNet/IP Master - Converter");
inline const QString Kv_Main_Caption =
    QStringLiteral("Norvel - Configurator TK27518 - IO-Link Slave / EtherNet/IP Master ");
inline const QString Kv_SW_Version = QStringLiteral("1.001");

inline const QString Default_IP_Address = QStringLiteral("192.168.2.205");
inline const QString Default_Language = QStringLiteral("English");
inline const QString Settings_File_Name = QStringLiteral("Kalvora.xml");

// The settings file could not be written; Message() names the file.
class ESettingsWriteError : public EInOutError {
public:
  ESettingsWriteError(const QString& file, const QString& message)
      : EInOutError(message), File(file) {}
  QString File;
};

class TWorkingState {
public:
  // Sets the program folders below dirExe (nothing is created or read yet).
  explicit TWorkingState(const QString& dirExe);

  QString Project_Name;
  QString Dir_Project;  // empty: no project open
  QString Dir_Exe;
  QString Dir_Master;
  QString Dir_Projects;
  QString Dir_Language;
  QString Dir_IODD;

  QString Main_Caption = Kv_Main_Caption;
  QString SW_Code = Kv_SW_Code;
  QString SW_Desc = Kv_SW_Desc;

  QString Last_IP_Address = Default_IP_Address;
  int Update_Option = 0;  // not stored
  bool Update_Read_Back = true;  // not stored
  QString Language_Name = Default_Language;
  bool Enable_Internet = false;
  bool Enable_Update = false;
  bool Enable_Jump_Field_Tables = false;
  bool Double_Click_Auto_Size = false;
  QString Dir_Last_EDE;  // not stored

  // Project file paths, built by Set_Files.
  QString Name_File_ParGen;
  QString Name_File_IOLink_Slave;
  QString Name_File_ModbusM_SetAccess;
  QString Name_File_ModbusTCPM_SetAccess;
  QString Name_File_BACnet_Master_Access;
  QString Name_File_BACnet_Slave;
  QString Name_File_CAN_Rec_Frames;
  QString Name_File_CAN_Send_Frames;
  QString Name_File_SDO_Server_CANopen;
  QString Name_File_SDO_Client_CANopen;
  QString Name_File_PDO_CANopen;
  QString Name_File_DNETM_Net;
  QString Name_File_DNETM_DefOff;
  QString Name_File_EtherCAT_Slave;
  QString Name_File_EtherNetIP_Master_Rules;
  QString Name_File_IEC_61850_Client;
  QString Name_File_TLS_Known_Cert;
  QString Name_File_IEC61850_Variables;
  QString Name_File_J1939_Rec_Frames;
  QString Name_File_J1939_Send_Frames;
  QString Name_File_MQTT_Set_Topic;
  QString Name_File_NMEA_Rec_Frames;
  QString Name_File_NMEA_Send_Frames;
  QString Name_File_OPC_UA_Client;
  QString Name_File_OPC_UA_Server;
  QString Name_File_S7_Protocol;
  QString Name_File_SNMP_Manager;
  QString Name_File_SNMP_Trap;

  // Shared lists: the grid row clipboard with its check-box marks, and the MIB writer's lists.
  QStringList SL_Copy_Row;
  std::vector<bool> Copy_Row_Check;
  QStringList SL_MIB_Var_Read;
  QStringList SL_MIB_Var_Write;

  // Creates MASTER, PROJECTS, LANGUAGE and IODD below Dir_Exe when missing, in that
  // order (one level; a failure is not reported).
  void Create_Program_Folders();

  // Recomputes the 28 project file paths from Dir_Project.
  void Set_Files();

  // Dir_Exe + "Kalvora.xml".
  QString Settings_File() const;

  // Reads the seven stored values, each falling back to its default when missing or
  // unreadable. A missing or not well-formed file gives all defaults. Dir_Project is
  // not read here (see Reopen_Last_Project).
  void Read_Setting();

  // Writes the settings file whole (atomically). Throws ESettingsWriteError naming the
  // file when it cannot be written; the old file then stays.
  void Save_Setting() const;

  // Dir_Project := Dir_Projects + Project_Name when that folder exists, else empty.
  // Project_Name is kept either way (and written back at close). A name that is not a
  // plain folder name ("..", or holding a separator) opens no project. Returns whether a
  // project is open.
  bool Reopen_Last_Project();

  // Start-up of the state: folders, settings, project reopen, project paths and empty
  // shared lists. The main window then calls Load_Language (lang_table.h), labels itself
  // by Dir_Project (empty: no project open) and enables its update-check timer by
  // Update_Check_Enabled(). At close it calls Save_Setting and shows the message of an
  // ESettingsWriteError, then closes all the same.
  void Start_Up();

  // The update-check timer runs only when both options are on.
  bool Update_Check_Enabled() const;

  // All 28 project file paths in their fixed order.
  QStringList Project_Files() const;

  // The 28 project file names in their fixed order.
  static const QStringList& Project_File_Names();
};

// The program's working state. Created on first use on the program folder.
TWorkingState& WS();

// Replaces the program's working state (tests install one on a temporary folder);
// returns the previous one.
std::unique_ptr<TWorkingState> Install_Working_State(std::unique_ptr<TWorkingState> ws);
