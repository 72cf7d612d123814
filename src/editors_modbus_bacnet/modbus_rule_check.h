#pragma once
// The row check of the Modbus master rules, shared by the serial-line and the TCP editor:
// the same fields in the same order, told apart by their columns and message texts. The
// quantity limits are those of the Modbus application protocol (read: 2000 coils or
// inputs, 125 registers; write: 1968 coils, 123 registers).

#include "common/rule_table.h"

#include <QString>
#include <QStringList>

class TKvStringGrid;

// Column colours of the Modbus rule grids.
constexpr TColor Modbus_Color_Enable = 0xB0D8FF;
constexpr TColor Modbus_Color_Slave = 0xFEFAE0;     // address, port, slave, type, address, count
constexpr TColor Modbus_Color_Timing = 0xA8FFA8;    // poll time, on change, on command, max error
constexpr TColor Modbus_Color_Position = 0xF4D6FC;  // position and start bit
constexpr TColor Modbus_Color_Swap = 0xA8FFFF;
constexpr TColor Modbus_Color_Topic = 0xFFD5D5;

QStringList Modbus_Read_Types();   // "Coil Status", "Input Status", "Holding Register", "Input Register"
QStringList Modbus_Write_Types();  // "Coil Status", "Holding Register"
QStringList Modbus_Bit_Items();    // "0" .. "7"
// "0" .. Count - 1.
QStringList Modbus_Position_Items(int Count);

// Columns (real indexes) and message texts of one grid; -1 leaves a field out.
struct TModbus_Fields {
  int IP_Address = -1, Port = -1, Slave_ID = -1, Type = -1, Address = -1, NPoint = -1, Poll_Time = -1,
      Max_Error = -1, Position = -1, Bit = -1;
};

struct TModbus_Rule_Check {
  bool Write = false;          // write rules: coil type only, other limits, poll time from 0
  TModbus_Fields Cols;
  TModbus_Fields Texts;
  int Extent_Text = -1;
  int NByte = 1500;            // size of the data array the rules map into
};

// True when the text is not a valid dotted IPv4 address. The text is taken as typed:
// blanks before a number pass, blanks after it do not.
bool Check_IP_Address(const QString& IP_Address);

// Read rules of "Input Status" or "Coil Status", write rules of "Coil Status" (trimmed,
// any letter case) move single bits; every other type moves registers.
bool Modbus_Bit_Type(const QString& Type, bool Write);

// The last byte a rule occupies in its data array.
qint64 Modbus_Last_Byte(bool BitType, int Position, int NPoint, int StartBit);

TRuleFailure Check_Modbus_Row(const TModbus_Rule_Check& C, TKvStringGrid* G, int Row);
