#include "platform/ui/dialogs.h"

#include <QtCore/QDir>
#include <QtCore/QPointer>
#include <QtCore/QFileInfo>
#include <QtCore/QRegularExpression>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

namespace {
TDialogResponder* gResponder = nullptr;

struct ButtonInfo { TMsgDlgBtn btn; int result; const char* text; QMessageBox::ButtonRole role; };
// Display order; the first button present is the default answer.
constexpr ButtonInfo kButtons[] = {
    {mbYes, mrYes, "&Yes", QMessageBox::YesRole}, {mbNo, mrNo, "&No", QMessageBox::NoRole},
    {mbOK, mrOk, "OK", QMessageBox::AcceptRole}, {mbAbort, mrAbort, "&Abort", QMessageBox::RejectRole},
    {mbRetry, mrRetry, "&Retry", QMessageBox::AcceptRole}, {mbIgnore, mrIgnore, "&Ignore", QMessageBox::AcceptRole},
    {mbAll, mrAll, "&All", QMessageBox::AcceptRole}, {mbNoToAll, mrNoToAll, "N&o to All", QMessageBox::NoRole},
    {mbYesToAll, mrYesToAll, "Yes to &All", QMessageBox::YesRole}, {mbCancel, mrCancel, "Cancel", QMessageBox::RejectRole},
    {mbClose, mrClose, "&Close", QMessageBox::RejectRole}, {mbHelp, mrHelp, "&Help", QMessageBox::HelpRole},
};

// Result of the index-th button present (0 when out of range: the first one).
int ButtonResult(TMsgDlgButtons b, int index)
{
    int first = mrOk, n = 0;
    bool any = false;
    for (const auto& i : kButtons) {
        if (!(b & i.btn)) continue;
        if (!any) { first = i.result; any = true; }
        if (n++ == index) return i.result;
    }
    return first;
}

int FirstButtonResult(TMsgDlgButtons b) { return ButtonResult(b, 0); }

QString DefaultCaption(TMsgDlgType t)
{
    switch (t) {
    case mtWarning: return QStringLiteral("Warning");
    case mtError: return QStringLiteral("Error");
    case mtInformation: return QStringLiteral("Information");
    case mtConfirmation: return QStringLiteral("Confirm");
    default: return Application->Title();
    }
}

int RunMessage(const TDialogRequest& req)
{
    if (TWinControl* f = GetFocusControl()) f->Perform(WM_CANCELMODE);
    if (gResponder) {
        const TDialogAnswer a = gResponder->Respond(req);
        return a.Result;
    }
    Application->CancelHint();
    const QPointer<QWidget> before = ActiveOrPendingWindow();
    QMessageBox box(before);
    box.setWindowTitle(req.Caption);
    box.setText(req.Text);
    switch (req.DlgType) {
    case mtWarning: box.setIcon(QMessageBox::Warning); break;
    case mtError: box.setIcon(QMessageBox::Critical); break;
    case mtInformation: box.setIcon(QMessageBox::Information); break;
    case mtConfirmation: box.setIcon(QMessageBox::Question); break;
    default: break;
    }
    std::vector<std::pair<QAbstractButton*, int>> map;
    int idx = 0;
    for (const auto& i : kButtons) {
        if (!(req.Buttons & i.btn)) continue;
        QPushButton* b = box.addButton(QString::fromLatin1(i.text), i.role);
        map.emplace_back(b, i.result);
        if (idx == req.DefaultButton) box.setDefaultButton(b);
        if (i.btn == mbCancel || (i.btn == mbNo && !(req.Buttons & mbCancel)) || (i.btn == mbOK && !(req.Buttons & mbCancel)))
            box.setEscapeButton(b);
        ++idx;
    }
    box.exec();
    // The owner of a closed box is active again, as on the classic desktop.
    ReactivateWindow(before);
    for (auto& [b, r] : map) if (box.clickedButton() == b) return r;
    return (req.Buttons & mbCancel) ? int(mrCancel) : FirstButtonResult(req.Buttons);
}
} // namespace

// ---------------------------------------------------------------- responder
TDialogResponder::TDialogResponder() : FPrev(gResponder) { gResponder = this; }
TDialogResponder::~TDialogResponder() { gResponder = FPrev; }
TDialogResponder* DialogResponder() { return gResponder; }

void TDialogResponder::QueueResult(int r)
{
    TDialogAnswer a;
    a.Result = r;
    a.Accepted = r != mrCancel && r != mrNone;
    Answers.push_back(a);
}

void TDialogResponder::QueueFile(const QString& f, int filterIndex)
{
    TDialogAnswer a;
    a.Result = mrOk;
    a.Accepted = true;
    a.FileName = f;
    a.Files = QStringList{f};
    a.FilterIndex = filterIndex;
    Answers.push_back(a);
}

void TDialogResponder::QueueCancel()
{
    TDialogAnswer a;
    a.Result = mrCancel;
    a.Accepted = false;
    Answers.push_back(a);
}

int TDialogResponder::MessageCount() const
{
    int n = 0;
    for (const auto& r : Requests) if (r.Kind == TDialogRequest::dkMessage) ++n;
    return n;
}

QString TDialogResponder::LastText() const
{
    for (auto it = Requests.rbegin(); it != Requests.rend(); ++it)
        if (it->Kind == TDialogRequest::dkMessage) return it->Text;
    return QString();
}

TDialogAnswer TDialogResponder::Respond(const TDialogRequest& r)
{
    Requests.push_back(r);
    if (!Answers.empty()) {
        TDialogAnswer a = Answers.front();
        Answers.pop_front();
        return a;
    }
    if (Handler) return Handler(r);
    TDialogAnswer a;
    if (r.Kind == TDialogRequest::dkMessage) { a.Result = ButtonResult(r.Buttons, r.DefaultButton); a.Accepted = true; }
    else { a.Result = mrCancel; a.Accepted = false; }
    return a;
}

// ---------------------------------------------------------------- message boxes
int MessageDlg(const QString& msg, TMsgDlgType type, TMsgDlgButtons buttons, int)
{
    return MessageDlg(DefaultCaption(type), msg, type, buttons, -1);
}

int MessageDlg(const QString& caption, const QString& msg, TMsgDlgType type, TMsgDlgButtons buttons, int defaultButton)
{
    TDialogRequest req;
    req.Kind = TDialogRequest::dkMessage;
    req.Text = msg;
    req.Caption = caption;
    req.DlgType = type;
    req.Buttons = buttons;
    req.DefaultButton = defaultButton < 0 ? 0 : defaultButton;
    return RunMessage(req);
}

void ShowMessage(const QString& msg)
{
    TDialogRequest req;
    req.Text = msg;
    req.Caption = Application->Title();
    req.DlgType = mtCustom;
    req.Buttons = mbOK;
    RunMessage(req);
}

int MessageBox(const QString& text, const QString& caption, unsigned flags)
{
    TDialogRequest req;
    req.Text = text;
    req.Caption = caption;
    switch (flags & 0x0F) {
    case MB_OKCANCEL: req.Buttons = mbOK | mbCancel; break;
    case MB_ABORTRETRYIGNORE: req.Buttons = mbAbortRetryIgnore; break;
    case MB_YESNOCANCEL: req.Buttons = mbYesNoCancel; break;
    case MB_YESNO: req.Buttons = mbYesNo; break;
    case MB_RETRYCANCEL: req.Buttons = mbRetry | mbCancel; break;
    default: req.Buttons = mbOK; break;
    }
    switch (flags & 0xF0) {
    case MB_ICONERROR: req.DlgType = mtError; break;
    case MB_ICONQUESTION: req.DlgType = mtConfirmation; break;
    case MB_ICONWARNING: req.DlgType = mtWarning; break;
    case MB_ICONINFORMATION: req.DlgType = mtInformation; break;
    default: req.DlgType = mtCustom; break;
    }
    req.DefaultButton = int((flags & 0xF00) >> 8);
    return RunMessage(req);
}

// ---------------------------------------------------------------- file dialogs
std::vector<std::pair<QString, QString>> ParseDialogFilter(const QString& filter)
{
    std::vector<std::pair<QString, QString>> out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) out.emplace_back(parts[i], parts[i + 1]);
    return out;
}

bool MatchesFilterPattern(const QString& fileName, const QString& patterns)
{
    const QString name = QFileInfo(fileName).fileName();
    for (const QString& p : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString pat = p.trimmed();
        if (pat == QLatin1String("*.*") || pat == QLatin1String("*")) return true;
        const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pat),
                                    QRegularExpression::CaseInsensitiveOption);
        if (re.match(name).hasMatch()) return true;
    }
    return false;
}

QString ApplyDefaultExt(const QString& fileName, const QString& defaultExt)
{
    if (fileName.isEmpty() || defaultExt.isEmpty()) return fileName;
    if (!QFileInfo(fileName).suffix().isEmpty()) return fileName;
    QString ext = defaultExt;
    // Written as a pattern ("*.eds") or with its dot: the extension is what follows.
    if (ext.startsWith(QLatin1String("*."))) ext = ext.mid(2);
    else if (ext.startsWith(QLatin1Char('.'))) ext = ext.mid(1);
    return fileName + QLatin1Char('.') + ext;
}

namespace {
// The dialog's line for one filter entry: the description, then its patterns in the
// parentheses the dialog reads them from (separated by spaces, or the dialog would take a
// comma for part of a pattern). A description that already ends with the same patterns
// ("EDS files (*.eds)", "SCL Files (*.scd, *.icd)") is not followed by them a second time.
QString NameFilterLine(const QString& desc, const QString& patterns)
{
    QStringList pats;
    for (const QString& p : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) pats << p.trimmed();
    const QString listed = QStringLiteral("(") + pats.join(QLatin1Char(' ')) + QLatin1Char(')');
    QString text = desc.trimmed();
    static const QRegularExpression tail(QStringLiteral("\\s*\\(([^()]*)\\)$"));
    const QRegularExpressionMatch m = tail.match(text);
    if (m.hasMatch()
        && m.captured(1).split(QRegularExpression(QStringLiteral("[,;\\s]+")), Qt::SkipEmptyParts) == pats)
        text.truncate(m.capturedStart());
    return text + QLatin1Char(' ') + listed;
}
} // namespace

bool TOpenDialog::Execute()
{
    TDialogRequest req;
    req.Kind = Kind();
    req.Caption = Title;
    req.Filter = Filter;
    req.FilterIndex = FilterIndex;
    req.InitialDir = InitialDir;
    req.FileName = FileName;
    req.DefaultExt = DefaultExt;
    TDialogAnswer a;
    if (gResponder) {
        a = gResponder->Respond(req);
    } else {
        Application->CancelHint();
        QStringList filters;
        for (const auto& [desc, pats] : ParseDialogFilter(Filter)) filters << NameFilterLine(desc, pats);
        const QPointer<QWidget> before = ActiveOrPendingWindow();
        QFileDialog dlg(before, Title, InitialDir);
        dlg.setOption(QFileDialog::DontUseNativeDialog, true);
        // Patterns match whatever the case of the file name, as on the classic desktop.
        dlg.setFilter(dlg.filter() & ~QDir::CaseSensitive);
        dlg.setNameFilters(filters);
        if (FilterIndex >= 1 && FilterIndex <= filters.size()) dlg.selectNameFilter(filters[FilterIndex - 1]);
        if (!FileName.isEmpty()) dlg.selectFile(FileName);
        if (req.Kind == TDialogRequest::dkSaveFile) {
            dlg.setAcceptMode(QFileDialog::AcceptSave);
            if (!(Options & ofOverwritePrompt)) dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
            dlg.setDefaultSuffix(DefaultExt);
        } else {
            dlg.setFileMode((Options & ofAllowMultiSelect) ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
        }
        a.Accepted = dlg.exec() == QDialog::Accepted;
        ReactivateWindow(before);
        if (a.Accepted) {
            a.Files = dlg.selectedFiles();
            a.FileName = a.Files.value(0);
            a.FilterIndex = int(filters.indexOf(dlg.selectedNameFilter())) + 1;
        }
    }
    if (!a.Accepted || a.FileName.isEmpty()) return false;
    FileName = ApplyDefaultExt(QDir::toNativeSeparators(a.FileName), DefaultExt);
    Files = a.Files.isEmpty() ? QStringList{FileName} : a.Files;
    if (a.FilterIndex >= 1) FilterIndex = a.FilterIndex;
    return true;
}

bool SelectDirectory(const QString& caption, const QString& root, QString& directory)
{
    TDialogRequest req;
    req.Kind = TDialogRequest::dkFolder;
    req.Caption = caption;
    req.InitialDir = directory.isEmpty() ? root : directory;
    TDialogAnswer a;
    if (gResponder) {
        a = gResponder->Respond(req);
    } else {
        const QPointer<QWidget> before = ActiveOrPendingWindow();
        const QString d = QFileDialog::getExistingDirectory(before, caption, req.InitialDir,
                                                            QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
        ReactivateWindow(before);
        a.Accepted = !d.isEmpty();
        a.FileName = d;
    }
    if (!a.Accepted || a.FileName.isEmpty()) return false;
    directory = QDir::toNativeSeparators(a.FileName);
    return true;
}
