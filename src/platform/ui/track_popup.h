#pragma once
// A menu that waits for the user's choice: shown at a screen point, it returns
// the identifier of the chosen item, 0 when it was dismissed. Tests install a
// handler that answers in place of the menu and sees what would be shown.
#include "platform/ui/controls.h"

#include <functional>
#include <vector>

struct TTrackMenuItem {
    int Id = 0;
    QString Caption;
};

int TrackPopupMenu(const std::vector<TTrackMenuItem>& Items, const TPoint& ScreenPos, TWinControl* Owner);

using TTrackPopupHandler = std::function<int(const std::vector<TTrackMenuItem>& Items, const TPoint& ScreenPos)>;
// Replaces the menu for the lifetime of the object.
class TTrackPopupScope {
public:
    explicit TTrackPopupScope(TTrackPopupHandler Handler);
    ~TTrackPopupScope();
    TTrackPopupScope(const TTrackPopupScope&) = delete;
    TTrackPopupScope& operator=(const TTrackPopupScope&) = delete;
private:
    TTrackPopupHandler FSaved;
};
