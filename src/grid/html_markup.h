#pragma once
// Routines that read and rewrite the grid's mini-HTML without drawing it: the
// attributes of in-cell controls and their values, escaping, plain text,
// search-hit highlighting, and the colour and number forms of attribute values.
// Text positions given to and returned by VisibleToHTMLIndex are 1-based, as
// the highlighting that uses them counts them.

#include <QString>

#include "platform/ui/graphics.h"

// The attributes of one <CONTROL> tag, as written (TYPE upper-cased, VALUE and
// PROP with their entities resolved).
struct THTMLControlTag {
    QString Type, ID, Value, Width, Height, Prop, MaxLen;
};
THTMLControlTag ParseHTMLControlTag(const QString& AttrText);

bool HasHTMLControl(const QString& Text);
bool GetHTMLControlValue(const QString& Text, const QString& ID, QString& Value);
QString GetHTMLControlProp(const QString& Text, const QString& ID);
int GetHTMLControlMaxLen(const QString& Text, const QString& ID);
// Rewrites the first control with that ID; false (Text unchanged) when there is none.
bool SetHTMLControlValue(QString& Text, const QString& ID, const QString& NewValue);
QString ClearHTMLRadioControls(const QString& Text);
// The edit field after the control ID (the first one for an empty ID); empty at the end.
QString NextHTMLEditControl(const QString& Text, const QString& ID);

QString EscapeHTMLText(const QString& Text, bool Full);
QString UnescapeHTMLText(const QString& Text, bool Full);
QString SpacesToNbsp(const QString& Text);
QString HTMLToPlainText(const QString& Text);
QString StripHTMLTags(const QString& Text);
int VisibleToHTMLIndex(const QString& Text, int N);
QString HighlightHTMLText(const QString& Text, const QString& SearchText, const QString& Tag, bool MatchCase);
QString UnhighlightHTMLText(const QString& Text, const QString& Tag);

// Attribute values.
TColor HTMLColorByName(const QString& Name);
TColor HTMLHexColor(const QString& Value);
// Leading decimal (or "$" hexadecimal) number after optional spaces and a
// sign; 0 when the text starts with none.
int HTMLNumber(const QString& Text);
// The whole text as such a number.
bool HTMLTryNumber(const QString& Text, int& Value);
// The value between the first two double quotes after the first occurrence of
// Name (found ignoring case); empty without quotes.
QString HTMLAttribute(const QString& AttrText, const QString& Name);
