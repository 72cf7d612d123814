#include "dropdown/type_ahead.h"

TTypeAhead::TTypeAhead() : FKeyTimer(std::make_unique<TTimer>())
{
    FKeyTimer->SetEnabled(false);
    FKeyTimer->SetInterval(500);
    FKeyTimer->OnTimer = [this](TObject*) { Clear(); };
}

TTypeAhead::~TTypeAhead() { FKeyTimer->SetEnabled(false); }

const QString& TTypeAhead::Add(WORD Key)
{
    FCurSearch += QChar(Key);
    if (!FKeyTimer->Enabled()) FKeyTimer->SetEnabled(true);
    return FCurSearch;
}

void TTypeAhead::Clear()
{
    FKeyTimer->SetEnabled(false);
    FCurSearch.clear();
}
