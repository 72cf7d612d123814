#pragma once
// Rich edit: an editable document that holds its content as RTF bytes.
//
// The stored bytes are handed back unchanged until the user edits; from the
// first change on, RTF() writes the document anew (the subset of rtf_text.h:
// bold, italic, underline, the vertical offset, paragraphs). The selection's
// character format is read and set with EM_GETCHARFORMAT / EM_SETCHARFORMAT
// (SCF_SELECTION and a TCharFormat2), the formatting rectangle with EM_SETRECT.
// After every change of the content the control reports the size the content
// asks for: WM_NOTIFY with EN_REQUESTRESIZE to its parent, which reflects it to
// the control as CN_NOTIFY (a control without a parent gets CN_NOTIFY itself).
#include "platform/ui/controls.h"
#include "platform/ui/rtf_text.h"

#include <cstdint>
#include <vector>

class QTextEdit;
class TRichTextWidget;

// The character format record of the rich edit messages (the fields the program uses).
enum : unsigned {
    CFM_BOLD = 0x00000001, CFM_ITALIC = 0x00000002, CFM_UNDERLINE = 0x00000004, CFM_OFFSET = 0x10000000,
    CFE_BOLD = 0x0001, CFE_ITALIC = 0x0002, CFE_UNDERLINE = 0x0004,
};
enum : UINT { EM_GETCHARFORMAT = 0x043A, EM_SETCHARFORMAT = 0x0444, SCF_SELECTION = 0x0001 };
enum : uint16_t { EN_SELCHANGE = 0x0702, EN_REQUESTRESIZE = 0x0701 };
struct TCharFormat2 {
    unsigned cbSize = 92;
    unsigned dwMask = 0;
    unsigned dwEffects = 0;
    int yHeight = 0;
    // Vertical offset in twips: positive raised, negative lowered.
    int yOffset = 0;
};
// EN_REQUESTRESIZE: the rectangle the content needs, in pixels.
struct TReqResize {
    NMHDR nmhdr;
    TRect rc;
};

class TRichEdit : public TWinControl {
    Q_OBJECT
public:
    explicit TRichEdit(TComponent* AOwner = nullptr);
    ~TRichEdit() override;

    // The content as stored (RTF, or plain text when it is no RTF document);
    // after an edit the RTF of the document.
    const std::vector<uint8_t>& RTF() const;
    void SetRTF(const std::vector<uint8_t>& Bytes);
    // The shown text: the RTF's plain text. Setting it stores it as a plain RTF document.
    QString PlainText() const { return FPlain; }
    void SetPlainText(const QString& Text);
    // Empties the document.
    void Clear();
    // The document as runs of one format.
    std::vector<TRtfRun> Runs() const;

    // ---- selection (character positions of the plain text)
    int SelStart() const;
    void SetSelStart(int Value);
    int SelLength() const;
    void SetSelLength(int Value);
    void SelectAll();
    // The vertical offset of the selection's first character (of the typing
    // format without a selection), and setting it on the whole selection.
    int SelOffset() const;
    void SetSelOffset(int Twips);

    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    bool ReadOnly() const;
    void SetReadOnly(bool Value);
    // The size the content asks for at the present formatting width.
    TSize RequestedSize() const;

    TNotifyEvent OnChange, OnSelectionChange;
    void WndProc(TMessage& Message) override;
    QTextEdit* Editor() const;

protected:
    void DefaultHandler(TMessage& Message) override;
    void CreateWnd() override;
    virtual void Change();
    virtual void SelectionChange();

private:
    void LoadDocument();
    void DocumentChanged();
    void SendRequestResize();
    TRichTextWidget* FEdit;
    mutable std::vector<uint8_t> FRTF;
    mutable bool FDocChanged = false;
    QString FPlain;
    bool FLoading = false;
    bool FHideSelection = true;
    bool FExplicitRect = false;
};
