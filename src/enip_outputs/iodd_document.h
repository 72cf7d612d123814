#pragma once
// The IO-Link device description (IODD 1.1) of the converter's IO-Link slave
// side: the data read from the project and the line template it fills.

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

struct TVariable {
    int Index = 60;
    QString Name;
    QString Description;
    QString Access;  // "ro", "wo", "rw" or empty
    int Length = 0;  // bits
    float Gradient = 1.0f;
    int Offset = 0;
    int UnitCode = 0;
    int DefaultValue = 0;
};

struct TProcessData {
    QString Name;
    QString Description;
    int Length = 0;  // bits
    float Gradient = 1.0f;
    int Offset = 0;
    int UnitCode = 0;
};

struct TIODD_Data {
    QVector<TVariable> Variables;
    QVector<TProcessData> Input;
    QVector<TProcessData> Output;
    // Summed wide: the Lengths come from a hand-editable file.
    qint64 Input_Bits = 0;
    qint64 Output_Bits = 0;
    QString Bit_Rate = QStringLiteral("COM1");
    int Min_Cycle_Time = 0;  // microseconds
    // Rows left out because a section holds more than the editor does.
    QStringList Warnings;
};

// Reads the IO-Link rate of ParGen.xml, as the general-parameters window
// reads it, and the enabled rows of IOLink_Slave.xml, at most Max_IOLink_Par
// per section (missing files keep the defaults). A slave file that is not
// well-formed XML raises EXmlError.
TIODD_Data Load_IODD_Data(const QString& parGenPath, const QString& ioLinkSlavePath);

// What would make the document invalid for the IODD schema, as one message
// naming the variable or item; empty when the data can be written.
QString Check_IODD_Data(const TIODD_Data& data);

// The whole document, lines ending in CR LF, UTF-8 without byte-order mark.
// crc is the stamp text (empty for the first pass).
QByteArray Build_IODD_Document(const TIODD_Data& data, const QString& crc, const QDate& date);

// Bit length of one process-data direction as written: raised to a whole
// number of bytes above 16 bits.
qint64 IODD_PD_Bit_Length(const QVector<TProcessData>& items);

QString Get_IODD_Access(const QString& text);
QString Get_Date_Str(const QDate& date);       // YYYYMMDD
QString Get_Date_Str_Dash(const QDate& date);  // YYYY-MM-DD
QString Get_Device_Code();
QString Get_Device_Id();
// "Norvel-MB31804-YYYYMMDD-IODD1.1"
QString IODD_Base_Name(const QDate& date);
// A float with the 15 significant digits of the general format, written as a
// plain decimal number (no exponent) with a decimal point.
QString IODD_Float_Str(float value);
// Text for an XML attribute value.
QString IODD_Escape(const QString& text);
