#pragma once
// Routines the editors share: decimal separators and float text, IP address texts,
// the IO-Link rate code and minimum cycle time, the serial-port list, the text forms of
// the OPC UA and SNMP settings, and the product's Wi-Fi answers. None holds state.

#include "common/opcua_records.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

#pragma pack(push, 1)
struct TOPC_UA_Guid {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
};
#pragma pack(pop)

static_assert(sizeof(TOPC_UA_Guid) == 16);

// --- Numbers and separators ---

// The user's decimal separator: '.' or ','; anything else (or nothing) gives ','.
QChar Get_Decimal_Separator();

// Makes the text use the given separator ('.' turns every ',' into '.', any other
// separator turns every '.' into ',') and converts it with the locale settings.
// A text that is no number gives Value = 1.0 and false.
bool Conv_Str_To_Float(const QString& Text, QChar Separator, float& Value);

// The separator replacement of Conv_Str_To_Float alone.
QString Conv_Decimal_Sep(const QString& Text, QChar Separator);

// --- IO-Link ---

// The trimmed rate text to the device's code: "COM2" 2, "COM3" 3, anything else 1.
int Get_IOLink_Slave_Com(const QString& Text);

// The IO-Link MinCycleTime byte for a frame with the given process data sizes; TimeUs
// receives the time the byte stands for, in microseconds.
uint8_t Calc_IOLink_Min_Cycle_Time(const QString& Com, int InputBits, int OutputBits,
                                   int& TimeUs);

// --- IP address texts ---

// Splits a trimmed dotted text at its first three dots (parts trimmed; the fourth part is
// the whole rest). False when a dot is missing (the parts found so far are stored) or
// when a part is not an integer 0 to 255.
bool Split_IP_Address(const QString& Text, QString& A, QString& B, QString& C, QString& D);

// Four bytes of a dotted text. Returns true on ERROR: an empty text (nothing stored), or
// any part missing, no integer or out of 0 to 255 (stored as 0). False: all four valid.
bool Get_IP_Bytes(const QString& Text, uint8_t& B1, uint8_t& B2, uint8_t& B3, uint8_t& B4);

// "a.b.c.d:port". All outputs are zeroed first and written only when every part is
// valid; returns true then.
bool Get_IP_Port_Bytes(const QString& Text, uint8_t& B1, uint8_t& B2, uint8_t& B3,
                       uint8_t& B4, uint16_t& Port);

// --- Serial ports ---

// Answers whether serial port number n (1-based, as "COMn") is present.
using TSerialPortProbe = std::function<bool(int n)>;

// The device that stands for port n: "/dev/ttyS" + (n - 1).
QString Serial_Device_Path(int n);

// Probes the device of port n: present when it has a UART behind it and opens, or when
// the open is refused because the port is busy or not ours.
bool Probe_Serial_Port(int n);

// Numbers (bare decimal, "3" rather than "COM3") of the serial ports 1 to 256 present.
QStringList Get_COM_Port_List();
QStringList Get_COM_Port_List(const TSerialPortProbe& probe);

// --- Product hooks ---

bool Is_WiFi_Present();                            // this product: false
int Get_WiFi_IP_Count(QString& Text1, QString& Text2);  // empties both, returns 1

// Test seam: answers of another product. An empty function gives back this product's
// answer; each returns the one it replaces.
using TWiFi_Present_Hook = std::function<bool()>;
using TWiFi_IP_Count_Hook = std::function<int(QString& Text1, QString& Text2)>;
TWiFi_Present_Hook Install_WiFi_Present_Hook(TWiFi_Present_Hook Hook);
TWiFi_IP_Count_Hook Install_WiFi_IP_Count_Hook(TWiFi_IP_Count_Hook Hook);

// --- OPC UA texts ---

QString Get_OPC_UA_Node_Type_Str(int Code);
int Get_OPC_UA_Node_Type(const QString& Text);  // case-insensitive
QString Get_OPC_UA_Node_ID_Str(const opcua_structure& Node);
QString Get_OPC_UA_Data_Type_Str(int Code);
QString Get_OPC_UA_Auth_Str(int Code);
int Get_OPC_UA_Auth(const QString& Text);
QString Get_OPC_UA_Sec_Type_Str(int Code);
int Get_OPC_UA_Sec_Type(const QString& Text);
QString Get_OPC_UA_Sec_Policy_Str(int Code);
int Get_OPC_UA_Sec_Policy(const QString& Text);

// --- SNMP ---

// 0 valid OID; 1 longer than 61; 2 a character other than digits and '.'; 3 leading
// '.'; 4 trailing '.'; 5 two '.' in a row; 6 a component above 4294967295. The empty
// text gives 3 (it does not start with a number).
int Check_OID(const QString& Text);

// Trimmed and upper-cased: "AUTH NOPRIV" 1, "AUTH PRIV" 3, empty -1, anything else 0.
int Get_SNMPv3_Sec_Level(const QString& Text);
