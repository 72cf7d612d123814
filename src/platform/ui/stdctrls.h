#pragma once
// Standard controls: labels, edits, memos, combo boxes, check and radio boxes,
// buttons, group boxes, list boxes and scroll bars. Each wraps a Qt widget or
// is drawn by us; input goes through WndProc like every control.
#include "platform/core/stringlist.h"
#include "platform/ui/forms.h"

#include <QtCore/QMargins>

class QLineEdit;
class QPlainTextEdit;
class QComboBox;
class QCheckBox;
class QRadioButton;
class QPushButton;
class QListWidget;
class QScrollBar;
class TEditTypingLimit;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };

// Sends a child notification to the parent as WM_COMMAND (the parent reflects
// it back as CN_COMMAND); without a parent the control gets CN_COMMAND directly.
void NotifyParent(TWinControl* child, uint16_t code);

// ---------------------------------------------------------------- label
class TCustomLabel : public TGraphicControl {
    Q_OBJECT
public:
    explicit TCustomLabel(TComponent* AOwner = nullptr);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool Transparent() const { return !(FControlStyle & csOpaque); }
    void SetTransparent(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment a) { FAlignment = a; Invalidate(); }
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout l) { FLayout = l; Invalidate(); }
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool v) { FShowAccelChar = v; AdjustBounds(); Invalidate(); }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* c) { FFocusControl = c; }
    void AdjustBounds();
protected:
    void Paint() override;
    unsigned DrawTextFlags() const;
    void FontChanged() override;
    void TextChanged() override;
    void WndProc(TMessage& m) override;
    bool FAutoSize = true;
    bool FWordWrap = false;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};
class TLabel : public TCustomLabel {
    Q_OBJECT
public:
    explicit TLabel(TComponent* AOwner = nullptr) : TCustomLabel(AOwner) {}
};

// ---------------------------------------------------------------- edit
struct TEditBalloonTip {
    QString Title;
    QString Text;
    int Icon = 0;
};

class TCustomEdit : public TWinControl {
    Q_OBJECT
public:
    explicit TCustomEdit(TComponent* AOwner = nullptr);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    bool ReadOnly() const;
    void SetReadOnly(bool v);
    QChar PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(QChar c);
    int SelStart() const;
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);
    QString SelText() const;
    void SetSelText(const QString& s);
    void SelectAll();
    void ClearSelection();
    void Clear();
    bool Modified() const;
    void SetModified(bool v);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase c);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment a);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool v) { FAutoSelect = v; }
    bool NumbersOnly() const { return FNumbersOnly; }
    void SetNumbersOnly(bool v) { FNumbersOnly = v; }
    void SetEditBorderStyle(TBorderStyle b);
    // Sets the text without OnChange.
    void SetTextNoChange(const QString& s);
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void Undo();
    bool CanUndo() const;
    QLineEdit* LineEdit() const { return FEdit; }
    TNotifyEvent OnChange;
    void WndProc(TMessage& m) override;
    // Key messages the program sends (lParam 0) act on the text as the typed keys
    // would: characters and backspace, cursor keys, Home, End and Delete.
    void DefaultHandler(TMessage& m) override;
    // With paint-over on, PaintOver draws on top of the edit after it has painted
    // itself: the place for a frame over the outer pixels, which a classic edit
    // drew in its non-client area.
    void SetPaintOver(bool on);
    bool PaintOverEnabled() const { return FOverlay != nullptr; }
    // Repaints what PaintOver drew.
    void InvalidatePaintOver();
    // Multi-line mode, chosen by the window style when the window is created:
    // ES_MULTILINE shows the text in lines; without ES_AUTOHSCROLL the lines
    // wrap at the window's width; with ES_WANTRETURN a typed Return inserts a
    // line break (Ctrl+Return always does). Lines are joined by CR LF in the
    // text, and character positions count both characters, as the classic
    // multi-line edit does. A one-line edit takes no line break; so does a
    // multi-line window that scrolls sideways (ES_AUTOHSCROLL) and takes no
    // Return, which shows as one line.
    bool MultiLine() const { return FMulti; }
    bool LineWrap() const { return FWrap; }
    bool WantReturn() const { return FWantReturn; }
    QPlainTextEdit* MultiLineEdit() const { return FMultiEdit; }
protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    virtual void PaintOver(TCanvas* Canvas) { (void)Canvas; }
    friend class TEditOverlay;
    virtual void Change();
    QString GetText() const override;
    void SetTextBuf(const QString& s) override;
    void DoEnter() override;
    QLineEdit* FEdit;
    // MaxLength limits typing and pasting only; text set by the program stays whole.
    int FMaxLength = 0;
    bool FProgramText = false;
    TEditTypingLimit* FLimit = nullptr;
    QChar FPasswordChar;
    TEditCharCase FCharCase = ecNormal;
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSelect = true;
    bool FNumbersOnly = false;
    bool FNoChange = false;
    QWidget* FOverlay = nullptr;
private:
    void SetLineMode(bool Multi, bool Wrap, bool WantReturn);
    // Character positions of the text (CR LF counted as two) and of the multi-line editor (one).
    int ToMultiPos(int Pos) const;
    int FromMultiPos(int Pos) const;
    void SetSelRange(int Start, int End);
    void InsertLineBreak();
    int VisualLineOf(int MultiPos) const;
    QPlainTextEdit* FMultiEdit = nullptr;
    bool FMulti = false, FWrap = false, FWantReturn = false;
    bool FFramed = true;
    QMargins FRectMargins;
};
class TEdit : public TCustomEdit {
    Q_OBJECT
public:
    explicit TEdit(TComponent* AOwner = nullptr) : TCustomEdit(AOwner) {}
};

// Classic edit mask "mask;saveLiterals;blank" (e.g. "!90:00:00;1; ") as a Qt
// input mask; also reports the literal flag and the blank character.
QString ConvertEditMask(const QString& mask, bool* saveLiterals = nullptr, QChar* blank = nullptr);

class TMaskEdit : public TCustomEdit {
    Q_OBJECT
public:
    explicit TMaskEdit(TComponent* AOwner = nullptr);
    QString EditMask() const { return FMask; }
    void SetEditMask(const QString& m);
    // The text as shown, with literals and blanks.
    QString EditText() const;
    bool IsMasked() const { return !FMask.isEmpty(); }
    // False when a required position is empty.
    bool IsComplete() const;
protected:
    QString GetText() const override;
    QString FMask;
    bool FSaveLiterals = true;
    QChar FBlank = QLatin1Char('_');
};

// ---------------------------------------------------------------- memo
class TMemo : public TWinControl {
    Q_OBJECT
public:
    explicit TMemo(TComponent* AOwner = nullptr);
    ~TMemo() override;
    // The lines; changes made through the list show at once.
    TStrings* Lines();
    bool ReadOnly() const;
    void SetReadOnly(bool v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle s);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool v) { FWantReturns = v; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool v) { FWantTabs = v; }
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v) { FMaxLength = v; }
    int SelStart() const;
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);
    void SelectAll();
    void Clear();
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment a);
    QPlainTextEdit* Editor() const { return FMemo; }
    TNotifyEvent OnChange;
    void WndProc(TMessage& m) override;
protected:
    QString GetText() const override;
    void SetTextBuf(const QString& s) override;
    virtual void Change();
    void SyncFromWidget();
    friend class TMemoStrings;
    QPlainTextEdit* FMemo;
    std::unique_ptr<TStringList> FLines;
    bool FSyncing = false;
    bool FWordWrap = true;
    TScrollStyle FScrollBars = ssNone;
    bool FWantReturns = true;
    bool FWantTabs = false;
    int FMaxLength = 0;
    TAlignment FAlignment = taLeftJustify;
};

// ---------------------------------------------------------------- combo box
class TComboBox;
class TCustomComboBox : public TWinControl {
    Q_OBJECT
public:
    explicit TCustomComboBox(TComponent* AOwner = nullptr) : TCustomComboBox(AOwner, csDropDown) {}
    // Born with its style, so a list-only combo never builds the editor it would drop.
    TCustomComboBox(TComponent* AOwner, TComboBoxStyle style);
    ~TCustomComboBox() override;
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle s);
    TStrings* Items();
    int ItemIndex() const;
    // Programmatic selection: no OnChange, as the classic control.
    void SetItemIndex(int i);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int n);
    bool DroppedDown() const;
    void SetDroppedDown(bool v);
    int DroppedWidth() const { return FDroppedWidth; }
    void SetDroppedWidth(int w);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int h) { FItemHeight = h; }
    // Height of the selection field, apart from the list's items (CB_SETITEMHEIGHT
    // with index -1); the control is the field plus its 3-pixel edges.
    int SelectionFieldHeight() const { return FHeight - 6; }
    void SetSelectionFieldHeight(int h) { SetHeight(h + 6); }
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool v);
    int SelStart() const;
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);
    QString SelText() const;
    // Also done on every focus gain of an editable combo (WM_SETFOCUS).
    void SelectAll();
    void Clear();
    void AddItem(const QString& s, TObject* obj) { Items()->AddObject(s, obj); }
    QComboBox* Combo() const { return FCombo; }
    TNotifyEvent OnChange, OnSelect, OnCloseUp, OnDropDown;
    void WndProc(TMessage& m) override;
    void SyncItems();
protected:
    virtual void Change();
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();
    // A list-only combo selects the next item starting with a typed character
    // (case-insensitive, wrapping around) and eats the character.
    void KeyPress(QChar& Key) override;
    QString GetText() const override;
    void SetTextBuf(const QString& s) override;
    bool HandleQtEvent(QObject* target, QEvent* e) override;
    void ApplyStyle();
    friend class KvComboWidget;
    QComboBox* FCombo;
    std::unique_ptr<TStringList> FItems;
    TComboBoxStyle FStyle = csDropDown;
    int FDropDownCount = 8;
    int FDroppedWidth = 0;
    int FMaxLength = 0;
    bool FSorted = false;
    int FItemHeight = 16;
    bool FAutoComplete = true;
    bool FSyncing = false;
    bool FDropped = false;
    bool FOpeningList = false;
};
class TComboBox : public TCustomComboBox {
    Q_OBJECT
public:
    explicit TComboBox(TComponent* AOwner = nullptr) : TCustomComboBox(AOwner) {}
    TComboBox(TComponent* AOwner, TComboBoxStyle style) : TCustomComboBox(AOwner, style) {}
};

// ---------------------------------------------------------------- buttons
class TButtonControl : public TWinControl {
    Q_OBJECT
public:
    explicit TButtonControl(TComponent* AOwner = nullptr);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v) { FWordWrap = v; }
protected:
    // True when `ch` is the accelerator of the caption ("&Save" -> S).
    bool IsAccel(QChar ch) const;
    bool FWordWrap = false;
    bool FClicksDisabled = false;
};

class TCheckBox : public TButtonControl {
    Q_OBJECT
public:
    explicit TCheckBox(TComponent* AOwner = nullptr);
    bool Checked() const { return FState == cbChecked; }
    // Fires OnClick when the value changes (also when set by the program).
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState s);
    // Changes the value without OnClick.
    void SetCheckedNoClick(bool v);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment a);
    QCheckBox* Box() const { return FBox; }
    void WndProc(TMessage& m) override;
protected:
    QString GetText() const override;
    void SetTextBuf(const QString& s) override;
    void Toggle();
    QCheckBox* FBox;
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TAlignment FAlignment = taRightJustify;
};

class TRadioButton : public TButtonControl {
    Q_OBJECT
public:
    explicit TRadioButton(TComponent* AOwner = nullptr);
    bool Checked() const { return FChecked; }
    // Checking one unchecks the other radio buttons of the same parent.
    void SetChecked(bool v);
    QRadioButton* Radio() const { return FRadio; }
    void WndProc(TMessage& m) override;
protected:
    QString GetText() const override;
    void SetTextBuf(const QString& s) override;
    QRadioButton* FRadio;
    bool FChecked = false;
};

class TButton : public TButtonControl {
    Q_OBJECT
public:
    explicit TButton(TComponent* AOwner = nullptr);
    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v) { FCancel = v; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult r) { FModalResult = r; }
    // Sets the form's ModalResult, then fires OnClick.
    void Click() override;
    QPushButton* PushButton() const { return FButton; }
    void WndProc(TMessage& m) override;
protected:
    QString GetText() const override;
    void SetTextBuf(const QString& s) override;
    QPushButton* FButton;
    bool FDefault = false;
    bool FCancel = false;
    TModalResult FModalResult = 0;
};

// ---------------------------------------------------------------- group box
class TGroupBox : public TCustomControl {
    Q_OBJECT
public:
    explicit TGroupBox(TComponent* AOwner = nullptr);
    void AlignControls(TControl* AControl, TRect& Rect) override;
protected:
    void Paint() override;
    void TextChanged() override { Invalidate(); }
};

// ---------------------------------------------------------------- list boxes
class TCustomListBox : public TWinControl {
    Q_OBJECT
public:
    explicit TCustomListBox(TComponent* AOwner = nullptr);
    ~TCustomListBox() override;
    TStrings* Items();
    int Count() const;
    int ItemIndex() const;
    void SetItemIndex(int i);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool v);
    bool Selected(int i) const;
    void SetSelected(int i, bool v);
    int SelCount() const;
    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    int TopIndex() const;
    void SetTopIndex(int i);
    int ItemAtPos(const TPoint& p, bool existing) const;
    TRect ItemRect(int i) const;
    void Clear();
    // The list widget is made when the control first needs it (its window is created,
    // it is shown, or a caller asks about rows): a list box on a window that is never
    // opened costs no item view.
    QListWidget* List() const;
    void SyncItems();
    void WndProc(TMessage& m) override;
protected:
    virtual void ItemsChanged() {}
    // The list widget was just made: a descendant connects its own signals here.
    virtual void ListCreated() {}
    void CreateWnd() override;
    void showEvent(QShowEvent* e) override;
    QListWidget* FList = nullptr;
    std::unique_ptr<TStringList> FItems;
    bool FMultiSelect = false;
    bool FSorted = false;
    bool FSyncing = false;
};
class TListBox : public TCustomListBox {
    Q_OBJECT
public:
    explicit TListBox(TComponent* AOwner = nullptr) : TCustomListBox(AOwner) {}
};

class TCheckListBox : public TCustomListBox {
    Q_OBJECT
public:
    explicit TCheckListBox(TComponent* AOwner = nullptr);
    bool Checked(int i) const;
    void SetChecked(int i, bool v);
    TCheckBoxState State(int i) const;
    void SetState(int i, TCheckBoxState s);
    bool ItemEnabled(int i) const;
    void SetItemEnabled(int i, bool v);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool v) { FAllowGrayed = v; }
    TNotifyEvent OnClickCheck;
protected:
    void ItemsChanged() override;
    void ListCreated() override;
    bool FAllowGrayed = false;
    bool FSettingCheck = false;
};

// ---------------------------------------------------------------- scroll bar
class TScrollBar : public TWinControl {
    Q_OBJECT
public:
    explicit TScrollBar(TComponent* AOwner = nullptr);
    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind k);
    int Min() const;
    int Max() const;
    int Position() const;
    void SetMin(int v) { SetParams(Position(), v, Max()); }
    void SetMax(int v) { SetParams(Position(), Min(), v); }
    void SetPosition(int v) { SetParams(v, Min(), Max()); }
    void SetParams(int position, int min, int max);
    int SmallChange() const;
    void SetSmallChange(int v);
    int LargeChange() const;
    void SetLargeChange(int v);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int v);
    QScrollBar* Bar() const { return FBar; }
    TNotifyEvent OnChange;
    std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)> OnScroll;
protected:
    QScrollBar* FBar;
    TScrollBarKind FKind = sbHorizontal;
    int FPageSize = 0;
    bool FSetting = false;
};
