#pragma once
// Rich edit: holds its content as RTF bytes and shows the plain text of it.
//
// Only what the windows use so far is here: the content, hint, position, visibility and
// enabled state (the rest of a control's behaviour comes from TCustomControl). Editing,
// selection and formatted display come later, with the grid's rich-text cells; until
// then the control is drawn by us as a sunken box with its plain text and takes no
// typing.
#include "platform/ui/controls.h"

#include <cstdint>
#include <vector>

class TRichEdit : public TCustomControl {
    Q_OBJECT
public:
    explicit TRichEdit(TComponent* AOwner = nullptr);

    // The content as stored (RTF, or plain text when it is no RTF document).
    const std::vector<uint8_t>& RTF() const { return FRTF; }
    void SetRTF(const std::vector<uint8_t>& Bytes);
    // The shown text: the RTF's plain text. Setting it stores it as a plain RTF document.
    QString PlainText() const { return FPlain; }
    void SetPlainText(const QString& Text);
    // Empties the document.
    void Clear();

protected:
    void Paint() override;

private:
    std::vector<uint8_t> FRTF;
    QString FPlain;
};

// Plain text of an RTF document: control words and groups of destinations dropped,
// "\par" and "\line" as line breaks, "\'hh" in Windows-1252, "\uN" as UTF-16. Bytes
// that do not start with "{\rtf" are taken as Windows-1252 text.
QString RTF_To_Plain_Text(const std::vector<uint8_t>& Bytes);
