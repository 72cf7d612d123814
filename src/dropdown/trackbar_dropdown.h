#pragma once
// A drop-down edit holding an integer between Min and Max. The popup is a
// horizontal track bar; while typing is off the value also moves with Up and
// Down (by Frequency, only inside the range) and by dragging the mouse
// sideways over the edit (PageSize pixels per unit).
#include "dropdown/kv_dropdown.h"

class TTrackBar;

class TKvTrackBarDropDown : public TKvCustomDropDown {
    Q_OBJECT
public:
    explicit TKvTrackBarDropDown(TComponent* AOwner = nullptr);

    TTrackBar* TrackBar() const { return FTrackBar; }
    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    int Frequency() const { return FFrequency; }
    void SetFrequency(int Value);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int Value);
    int Position() const { return FPosition; }
    void SetPosition(int Value);
    TNotifyEvent OnTrackChange;

    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void WndProc(TMessage& Message) override;
    // The edit's text changed: OnChange, then the text as the position (kept
    // when it is no decimal integer).
    void Change() override;

protected:
    void TrackChanged();

    TTrackBar* FTrackBar = nullptr;
    int FMin = 0;
    int FFrequency = 1;
    int FPageSize = 2;
    int FMax = 10;
    int FPosition = 0;
    bool FMouseDraging = false;
    int FMouseX = 0;
};
