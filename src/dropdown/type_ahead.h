#pragma once
// Type-ahead text of the list pickers: key codes taken as characters, collected
// for 500 ms from the first key. Further keys do not restart the timer, so a
// search holds only what was typed within that time.
#include <memory>

#include <QtCore/QString>

#include "platform/ui/extctrls.h"
#include "platform/ui/keys.h"

class TTypeAhead {
public:
    TTypeAhead();
    ~TTypeAhead();

    // Appends the key's code as a character and starts the timer if it is not running.
    const QString& Add(WORD Key);
    const QString& Text() const { return FCurSearch; }
    // Stops the timer and clears the text, as the timer's end does.
    void Clear();
    TTimer* Timer() const { return FKeyTimer.get(); }

private:
    std::unique_ptr<TTimer> FKeyTimer;
    QString FCurSearch;
};
