#pragma once
// The IO-Link slave editor's work on its three grids, without the window: clearing,
// the bit packing of the process data, the defaults after a Length edit, the row
// checks and the exchange between the grids and IOLink_Slave.xml's model. The
// grids hold rows 1 to 512 (row 0 is the header); column 0 numbers the rows and
// column 1 is the Enable mark "Y"/"N".

#include "common/iolink_slave_file.h"

#include <QString>

class TKvStringGrid;

inline constexpr int IOLink_Grid_Rows = 512;
inline constexpr int IOLink_Max_Byte = 1400;

// Process-data grid columns.
enum : int {
    pd_Enable = 1, pd_Name = 2, pd_Length = 3, pd_Gradient = 4, pd_Offset = 5, pd_UnitCode = 6,
    pd_Position = 7, pd_StartBit = 8, pd_Description = 9, pd_Mnemonic = 10,
};
// Variables grid columns.
enum : int {
    var_Enable = 1, var_Index = 2, var_Name = 3, var_Access = 4, var_Length = 5, var_Gradient = 6,
    var_Offset = 7, var_UnitCode = 8, var_DefaultValue = 9, var_PositionRead = 10, var_StartBitRead = 11,
    var_PositionWrite = 12, var_StartBitWrite = 13, var_Description = 14, var_Mnemonic = 15,
};

// Rows 1 to 512: the row number, "Y" and empty cells (hidden columns too).
void Clear_IOLink_Grid(TKvStringGrid* G);

// Lays the enabled items with a Length one after the other, bit-packed from bit 0
// of byte 0: Position is the byte, Start Bit the bit. Other rows keep theirs. The
// sum is 64-bit, so that Lengths typed before any check cannot overflow it.
void Compile_Pos_Bit(TKvStringGrid* G);

// After a Length edit: empty Gradient, Offset and Unit Code get "1", "0" and "1000".
void Fill_Length_Defaults(TKvStringGrid* G, int Row);

// The stored Access text when it is one of the three items, else "".
QString Get_Var_Access(const QString& Text);

// The checks of the OK button in their order; the message of the first failure, or
// "" when every enabled row up to each table's first empty key is valid.
QString Check_IOLink_Slave_Grids(TKvStringGrid* In, TKvStringGrid* Out, TKvStringGrid* Var,
                                 int Max_Byte_Read = IOLink_Max_Byte, int Max_Byte_Write = IOLink_Max_Byte);

// The grids' texts as the file model holds them (the writer stops at the first empty key).
TIOLink_Slave_Data Get_IOLink_Slave_Data(TKvStringGrid* In, TKvStringGrid* Out, TKvStringGrid* Var);
// Row n of a section fills grid row n + 1; the grids are not cleared first.
void Put_IOLink_Slave_Data(const TIOLink_Slave_Data& Data, TKvStringGrid* In, TKvStringGrid* Out,
                           TKvStringGrid* Var);
