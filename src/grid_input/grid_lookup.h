#pragma once
// Completion of typed text from the grid's lookup list, shared by the text
// editor and the edit-with-button editor.
#include <QString>

class TKvStringGrid;

// The first entry of the grid's LookupItems that begins with Typed (compared
// upper-cased unless LookupCaseSensitive): the typed characters followed by
// the rest of the entry, at most 255 characters. Empty when Lookup is off, the
// list is empty, nothing is typed or no entry begins with it.
QString LookupCompletion(TKvStringGrid* Grid, const QString& Typed);
