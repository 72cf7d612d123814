#include "platform/ui/track_popup.h"

#include <QMenu>

namespace {
TTrackPopupHandler& Handler()
{
    static TTrackPopupHandler h;
    return h;
}
} // namespace

int TrackPopupMenu(const std::vector<TTrackMenuItem>& Items, const TPoint& ScreenPos, TWinControl* Owner)
{
    if (Handler()) return Handler()(Items, ScreenPos);
    QMenu menu(Owner);
    for (const TTrackMenuItem& i : Items) {
        if (i.Caption == QLatin1String("-")) { menu.addSeparator(); continue; }
        QAction* a = menu.addAction(i.Caption);
        a->setData(i.Id);
    }
    QAction* chosen = menu.exec(QPoint(ScreenPos.X, ScreenPos.Y));
    return chosen ? chosen->data().toInt() : 0;
}

TTrackPopupScope::TTrackPopupScope(TTrackPopupHandler H) : FSaved(Handler()) { Handler() = std::move(H); }
TTrackPopupScope::~TTrackPopupScope() { Handler() = std::move(FSaved); }
