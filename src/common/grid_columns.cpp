#include "common/grid_columns.h"

void Apply_Grid_Columns(TKvColumnGrid* G, const TGridColumnDef* Defs, int Count)
{
    G->SetColCount(Count);
    for (int c = 0; c < Count; ++c) {
        const TGridColumnDef& d = Defs[c];
        TGridColumnItem* item = G->Columns()->Items(c);
        item->SetHeader(QString::fromLatin1(d.Header));
        item->SetEditor(d.Editor);
        item->SetWidth(d.Width);
        item->SetColor(d.Color);
        item->SetReadOnly(d.ReadOnly);
        if (d.Editor == edDataCheckBox) {
            item->SetCheckTrue(QStringLiteral("Y"));
            item->SetCheckFalse(QStringLiteral("N"));
        }
        if (d.Items)
            for (const QString& s : QString::fromLatin1(d.Items).split(QLatin1Char('|')))
                item->ComboItems()->Add(s);
    }
}
