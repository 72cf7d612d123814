#pragma once
// The checks of the BACnet client rules: which object types, properties and data types a
// rule may name, how many bytes each takes, how a routed destination is written, and the
// byte-count hint of the read grid's Property cells. Texts are compared trimmed and
// upper-cased. Only the destination-address check shows a message box itself.

#include "common/rule_table.h"

#include <QString>

class TKvStringGrid;

// Results of Check_Property besides a read-only property's byte count (1 to 49).
enum : int {
  BACnet_Prop_Invalid = -1,
  BACnet_Prop_Present_Value = 50,
  BACnet_Prop_Proprietary = 51,
};

// The object type's code (1 to 15, or 128 to 1023 for a proprietary type typed as its
// number); -1 when the text names no type the rule kind allows.
int Check_Object_Type(const QString& Text, bool ForWrite);
// The property's result for the object type code; negative when invalid.
int Check_Property(const QString& Text, bool ForWrite, int ObjectTypeCode);
// Non-negative when the write rule's data type is accepted (or not checked).
int Check_Data_Type(const QString& Text, int ObjectTypeCode, int PropertyResult);
// The one data type a Present Value write accepts, by name; empty when none is named.
QString Aspected_Data_Type_Value(int ObjectTypeCode, int PropertyResult);
// The largest NByte of a write rule by its Data Type text.
int Check_Num_Byte_Max(const QString& DataType);
// True when the routed address (N bytes, comma-separated) is wrong. Its message (read or
// write prefix, the row) is shown here; an empty address fails without one.
bool Check_Dest_Add(const QString& Text, int N, bool IsRead, int Row);

// The hint of a read rule's Property cell from the row's Object Type and Property texts.
QString BACnet_Read_Property_Hint(const QString& ObjectType, const QString& Property);

// The checks of one enabled row of the read grid (write: the write grid) for the BACnet
// type; the key has been found not empty. A failure whose message was already shown is
// silent.
TRuleFailure Check_BACnet_Read_Row(TKvStringGrid* G, int Row, int BACnetType);
TRuleFailure Check_BACnet_Write_Row(TKvStringGrid* G, int Row, int BACnetType);
