#pragma once
// The field model of the date-time picker: a format in the picker's own
// letters (d dd M MM yy yyyy h hh H HH m mm s ss t tt, MMM MMMM ddd dddd
// for names, text in '...' as it is) cut into fields, the value shown through them, and the keys that edit
// it: digits typed into the current field, Left and Right between fields, Up
// and Down stepping the current field within its range. A field is never left
// by typing (the picker's users move on themselves); a full field starts over
// with the next digit. Without a window, so tests drive it directly.
#include "platform/core/datetime.h"

#include <QString>
#include <vector>

enum TDateTimeFieldKind { dfkDay, dfkMonth, dfkYear, dfkHour12, dfkHour24, dfkMinute, dfkSecond, dfkAmPm };

struct TDateTimeFormatPart {
    bool IsField = false;
    TDateTimeFieldKind Kind = dfkDay;
    int Letters = 1;      // 1 or 2; yy or yyyy; MMM and MMMM show the month's name
    QString Literal;
    int WeekdayLetters = 0;   // ddd or dddd: the day's name, shown but not edited
};

class TDateTimeFields {
public:
    void SetFormat(const QString& Format);
    const std::vector<TDateTimeFormatPart>& Parts() const { return FParts; }
    int FieldCount() const { return int(FFields.size()); }
    TDateTimeFieldKind FieldKind(int Index) const { return FParts[size_t(FFields[size_t(Index)])].Kind; }
    int CurrentField() const { return FCurrent; }
    void SetCurrentField(int Index);

    TDateTime Value() const { return FValue; }
    void SetValue(TDateTime V);
    // Equal limits: none.
    void SetLimits(TDateTime Min, TDateTime Max);

    QString Text() const;
    QString FieldText(int Index) const;
    // The format as Qt's date-time display format.
    QString QtFormat() const;

    void NextField();
    void PrevField();
    // Up (+1) or Down (-1) on the current field; returns true when the value changed.
    bool Step(int Delta);
    // A digit typed into the current field; returns true when the value changed.
    bool TypeDigit(int Digit);

private:
    int FieldValue(TDateTimeFieldKind k) const;
    bool Apply(TDateTimeFieldKind k, int v);
    std::vector<TDateTimeFormatPart> FParts;
    std::vector<int> FFields;   // indexes of the field parts
    int FCurrent = 0;
    TDateTime FValue = 0;
    TDateTime FMin = 0, FMax = 0;
    int FTyped = 0;             // digits typed into the current field so far
    int FTypedValue = 0;
};
