#pragma once
// Message boxes, file and folder dialogs. Every one goes through the dialog
// seam: a test installs a TDialogResponder that records the request and gives
// the scripted answer, so nothing blocks.
#include "platform/ui/forms.h"

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <deque>
#include <functional>
#include <vector>

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : unsigned {
    mbYes = 0x1, mbNo = 0x2, mbOK = 0x4, mbCancel = 0x8, mbAbort = 0x10, mbRetry = 0x20,
    mbIgnore = 0x40, mbAll = 0x80, mbNoToAll = 0x100, mbYesToAll = 0x200, mbHelp = 0x400,
    mbClose = 0x800,
};
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbYesNo = mbYes | mbNo;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;
constexpr TMsgDlgButtons mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

// MessageBox flags and answers (the answers equal the modal results).
enum : unsigned {
    MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2, MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5, MB_ICONERROR = 0x10, MB_ICONSTOP = 0x10, MB_ICONHAND = 0x10,
    MB_ICONQUESTION = 0x20, MB_ICONWARNING = 0x30, MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40, MB_ICONASTERISK = 0x40, MB_DEFBUTTON1 = 0x0, MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200, MB_APPLMODAL = 0x0, MB_SYSTEMMODAL = 0x1000, MB_TASKMODAL = 0x2000,
    MB_TOPMOST = 0x40000, MB_SETFOREGROUND = 0x10000,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

struct TDialogRequest {
    enum TKind { dkMessage, dkOpenFile, dkSaveFile, dkFolder };
    TKind Kind = dkMessage;
    QString Text;          // message text
    QString Caption;       // window title
    TMsgDlgType DlgType = mtInformation;
    TMsgDlgButtons Buttons = mbOK;
    int DefaultButton = 0; // index among the buttons, MessageBox only
    QString Filter;        // file dialogs
    int FilterIndex = 1;
    QString InitialDir;
    QString FileName;
    QString DefaultExt;
};

struct TDialogAnswer {
    int Result = mrNone;      // messages: the button's modal result
    bool Accepted = false;    // file and folder dialogs
    QString FileName;         // chosen file or folder
    QStringList Files;        // multi-selection
    int FilterIndex = 1;
};

// Records every request; answers from the queue, or through Handler, or by
// default (messages: the first button; dialogs: cancelled). Installing one
// replaces the real dialogs until it is destroyed.
class TDialogResponder {
public:
    TDialogResponder();
    virtual ~TDialogResponder();
    TDialogResponder(const TDialogResponder&) = delete;
    TDialogResponder& operator=(const TDialogResponder&) = delete;

    std::vector<TDialogRequest> Requests;
    std::deque<TDialogAnswer> Answers;
    std::function<TDialogAnswer(const TDialogRequest&)> Handler;

    void QueueResult(int modalResult);
    void QueueFile(const QString& fileName, int filterIndex = 1);
    void QueueCancel();
    int MessageCount() const;
    // Text of the last message box, or empty.
    QString LastText() const;

    virtual TDialogAnswer Respond(const TDialogRequest& r);
private:
    TDialogResponder* FPrev;
};
TDialogResponder* DialogResponder();

// Message box with the buttons given; returns the modal result of the button.
int MessageDlg(const QString& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx = 0);
int MessageDlg(const QString& caption, const QString& msg, TMsgDlgType type, TMsgDlgButtons buttons, int defaultButton = -1);
void ShowMessage(const QString& msg);
// MessageBox-style call with MB_* flags; returns IDOK, IDYES, ...
int MessageBox(const QString& text, const QString& caption, unsigned flags);

enum TOpenOption : unsigned {
    ofReadOnly = 0x1, ofOverwritePrompt = 0x2, ofHideReadOnly = 0x4, ofNoChangeDir = 0x8,
    ofAllowMultiSelect = 0x200, ofExtensionDifferent = 0x400, ofPathMustExist = 0x800,
    ofFileMustExist = 0x1000, ofCreatePrompt = 0x2000, ofEnableSizing = 0x800000,
};
using TOpenOptions = unsigned;

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    // "Text files (*.txt)|*.txt|All files (*.*)|*.*"
    QString Filter;
    int FilterIndex = 1;
    QString DefaultExt;
    QString InitialDir;
    QString FileName;
    QString Title;
    TOpenOptions Options = ofHideReadOnly | ofEnableSizing;
    QStringList Files;
    virtual bool Execute();
protected:
    virtual TDialogRequest::TKind Kind() const { return TDialogRequest::dkOpenFile; }
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* AOwner = nullptr) : TOpenDialog(AOwner) {}
protected:
    TDialogRequest::TKind Kind() const override { return TDialogRequest::dkSaveFile; }
};

// Folder picker; true and `directory` set when the user chose one.
bool SelectDirectory(const QString& caption, const QString& root, QString& directory);

// Filter helpers: the (description, patterns) pairs of a filter string, and
// whether a file name matches a ";"-separated pattern list, ignoring case.
std::vector<std::pair<QString, QString>> ParseDialogFilter(const QString& filter);
bool MatchesFilterPattern(const QString& fileName, const QString& patterns);
// The file name with DefaultExt added when it has no extension.
QString ApplyDefaultExt(const QString& fileName, const QString& defaultExt);
