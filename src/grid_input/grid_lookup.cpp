#include "grid_input/grid_lookup.h"

#include "grid/kv_string_grid.h"

QString LookupCompletion(TKvStringGrid* Grid, const QString& Typed)
{
    if (!Grid || !Grid->Lookup || Typed.isEmpty()) return QString();
    TStrings* items = Grid->LookupItems();
    const bool cs = Grid->LookupCaseSensitive;
    const QString prefix = cs ? Typed : Typed.toUpper();
    for (int i = 0; i < items->Count(); ++i) {
        const QString item = items->Strings(i);
        if ((cs ? item : item.toUpper()).startsWith(prefix)) return (Typed + item.mid(Typed.length())).left(255);
    }
    return QString();
}
