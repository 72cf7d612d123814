// The rich edit's RTF subset without a window (runs read and written back),
// and the control: stored bytes kept until an edit, the selection's vertical
// offset through the character-format messages, and the requested size.
#include "platform/ui/forms.h"
#include "platform/ui/richedit.h"
#include "platform/ui/rtf_text.h"

#include <QtWidgets/QTextEdit>
#include <cstring>
#include <gtest/gtest.h>

namespace {
std::vector<uint8_t> Bytes(const char* s) { return std::vector<uint8_t>(s, s + std::strlen(s)); }
std::string Str(const std::vector<uint8_t>& b) { return std::string(b.begin(), b.end()); }

// The parent of a rich edit, noting the size requests reflected to its child.
class TRequestSpy : public TForm {
public:
    std::vector<TRect> Requests;
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_NOTIFY && m.LParam) {
            const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
            if (hdr->code == EN_REQUESTRESIZE) Requests.push_back(reinterpret_cast<const TReqResize*>(m.LParam)->rc);
        }
        TForm::WndProc(m);
    }
};
} // namespace

TEST(RtfRuns, FormatsAreReadPerGroup)
{
    const auto runs = RTF_To_Runs(Bytes("{\\rtf1\\ansi a{\\b b{\\i\\ul c}}{\\up4 d}{\\dn4 e}\\b0 f\\par}"));
    ASSERT_EQ(runs.size(), 6u);
    EXPECT_EQ(runs[0].Text, QStringLiteral("a"));
    EXPECT_TRUE(runs[1].Bold && !runs[1].Italic);
    EXPECT_TRUE(runs[2].Bold && runs[2].Italic && runs[2].Underline);
    EXPECT_EQ(runs[3].OffsetTwips, 40);
    EXPECT_EQ(runs[4].OffsetTwips, -40);
    // \b0 switches bold off; the trailing paragraph end carries no text.
    EXPECT_EQ(runs[5].Text, QStringLiteral("f"));
    EXPECT_FALSE(runs[5].Bold);
}

TEST(RtfRuns, WrittenDocumentsReadBackToTheSameRuns)
{
    std::vector<TRtfRun> runs(4);
    runs[0].Text = QStringLiteral("H");
    runs[1].Text = QStringLiteral("2");
    runs[1].OffsetTwips = -40;
    runs[2].Text = QStringLiteral("O caf\u00e9 {\\}\n\u20ac\u4e2d\ttab");
    runs[3].Text = QStringLiteral("x");
    runs[3].OffsetTwips = 40;
    runs[3].Bold = runs[3].Italic = runs[3].Underline = true;
    const std::vector<uint8_t> rtf = Runs_To_RTF(runs);
    const std::string s = Str(rtf);
    EXPECT_EQ(s.rfind("{\\rtf1\\ansi ", 0), 0u);
    EXPECT_NE(s.find("{\\dn4 2}"), std::string::npos);
    EXPECT_NE(s.find("{\\b\\i\\ul\\up4 x}"), std::string::npos);
    // Windows-1252 characters as \'hh (the euro sign included), the rest as \uN?.
    EXPECT_NE(s.find("caf\\'e9"), std::string::npos);
    EXPECT_NE(s.find("\\'80"), std::string::npos);
    EXPECT_NE(s.find("\\u20013?"), std::string::npos);
    const auto back = RTF_To_Runs(rtf);
    ASSERT_EQ(back.size(), runs.size());
    for (size_t i = 0; i < runs.size(); ++i) {
        EXPECT_EQ(back[i].Text, runs[i].Text) << i;
        EXPECT_TRUE(back[i].SameFormat(runs[i])) << i;
    }
}

TEST(RichEditControl, StoredBytesSurviveUntilTheUserEdits)
{
    TRichEdit e;
    const auto stored = Bytes("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 one\\par two}");
    e.SetRTF(stored);
    EXPECT_EQ(e.RTF(), stored);
    EXPECT_EQ(e.PlainText(), QStringLiteral("one\ntwo"));
    // A typed character makes the document the content.
    e.SetSelStart(3);
    e.Perform(WM_CHAR, 'X', 0);
    EXPECT_EQ(e.PlainText(), QStringLiteral("oneX\ntwo"));
    EXPECT_EQ(RTF_To_Plain_Text(e.RTF()), QStringLiteral("oneX\ntwo"));
    EXPECT_NE(e.RTF(), stored);
}

TEST(RichEditControl, SelectionOffsetThroughTheCharacterFormatMessages)
{
    TRichEdit e;
    e.SetPlainText(QStringLiteral("H2O"));
    e.SetSelStart(1);
    e.SetSelLength(1);
    TCharFormat2 cf;
    cf.dwMask = CFM_OFFSET;
    cf.yOffset = -40;
    EXPECT_EQ(e.Perform(EM_SETCHARFORMAT, SCF_SELECTION, LPARAM(&cf)), 1);
    TCharFormat2 got;
    e.Perform(EM_GETCHARFORMAT, SCF_SELECTION, LPARAM(&got));
    EXPECT_EQ(got.yOffset, -40);
    EXPECT_EQ(e.SelOffset(), -40);
    e.SetSelStart(0);
    e.SetSelLength(1);
    EXPECT_EQ(e.SelOffset(), 0);
    // The offset is written as \dn and comes back.
    EXPECT_NE(Str(e.RTF()).find("{\\dn4 2}"), std::string::npos);
    TRichEdit f;
    f.SetRTF(e.RTF());
    f.SetSelStart(1);
    f.SetSelLength(1);
    EXPECT_EQ(f.SelOffset(), -40);
}

TEST(RichEditControl, EveryChangeReportsTheSizeTheContentAsksFor)
{
    TRequestSpy form;
    form.SetBounds(0, 0, 300, 200);
    auto* e = new TRichEdit(&form);
    e->SetParent(&form);
    e->SetBounds(10, 10, 200, 60);
    e->SetPlainText(QStringLiteral("one"));
    ASSERT_FALSE(form.Requests.empty());
    const int oneLine = form.Requests.back().Height();
    EXPECT_GT(oneLine, 0);
    e->SetSelStart(3);
    e->Perform(WM_CHAR, 13, 0);
    e->Perform(WM_CHAR, 't', 0);
    const TRect& twoLines = form.Requests.back();
    EXPECT_GT(twoLines.Height(), oneLine);
    EXPECT_EQ(twoLines.Height(), e->RequestedSize().cy);
    EXPECT_EQ(e->PlainText(), QStringLiteral("one\nt"));
}
