#pragma once
// Filter expressions: the test that decides whether one cell text passes a
// filter or search condition typed by the user.
//
//   conditions   abc, a*c, ?b?, !a* (negated), >5, >=01/12/2019, <"x"
//   operators    & (and), | ; ^ (or), combined strictly left to right
//   groups       (a|b)&c
//
// Comparisons are numeric when both sides are numbers in the locale's
// notation, by date-time when both are dates in the short date order, else
// by character code.

#include <QChar>
#include <QString>
#include <initializer_list>

#include "platform/core/datetime.h"

bool MatchFilterExpression(const QString& Expression, const QString& Value, bool CaseSensitive);
bool MatchFilterCondition(const QString& Condition, const QString& Value, bool CaseSensitive);
bool MatchCondition(const QString& Condition, const QString& Value);

// A date (with an optional time) in the locale's short date order and separators.
bool ParseLocaleDateTime(const QString& Text, TDateTime& DateTime);

QString RemoveSpacesOutsideQuotes(const QString& Text);
// 1-based position of the ")" that closes the first "(", 0 when there is none.
int MatchingParenPos(const QString& Text);
// The first character of Text found in Chars outside double quotes, with its
// 1-based position; QChar(0) and Pos = -1 when there is none.
QChar FindCharOutsideQuotes(std::initializer_list<QChar> Chars, const QString& Text, int& Pos);
// Locale decimal separators become ".", thousand separators go.
QString NormalizeNumberText(const QString& Text);
