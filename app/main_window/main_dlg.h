#pragma once
// The program's main window (dialog 102): menu 129, toolbar 179, the text pane
// (control 1007) and the status line (control 1010). Every user action is a
// command of this window; see main_commands.h for the table of ids, captions
// and handlers.
//
// What other commands use:
//  - m_strText: the pane's bytes exactly as received, opened or typed (GBK, or
//    UTF-8 when the text is valid UTF-8). Never decoded by the core.
//  - m_strStatus: the status line's text, UTF-8 (the core's messages).
//  - UpdateData(true) takes the controls into these members, UpdateData(false)
//    shows the members in the controls; PaneLineCount() is the pane control's
//    line count (the download's status line).
//  - StopComm(), SavePaneToWorkFile(), the comm timer (timer 1, 300 ms, whose
//    ticks call OnTimer(CMainDlg&)), and the window itself as the parent of
//    dialogs and message boxes.

#include "app/main_window/pane_codec.h"
#include "app/main_window/pane_growth.h"

#include <QDialog>
#include <QTimer>

#include <string>

class QMenu;

class QLineEdit;
class QMenuBar;
class QPlainTextEdit;
class QToolBar;

namespace vm {

struct MenuItem;

// The object names of the File menu's two lists.
inline constexpr const char* kRecentDownloadsMenuName = "recentDownloads";
inline constexpr const char* kRecentFilesMenuName = "recentFiles";

class CMainDlg : public QDialog {
    Q_OBJECT
public:
    explicit CMainDlg(QWidget* parent = nullptr);
    ~CMainDlg() override;

    std::string m_strText;    // the pane's bytes
    std::string m_strStatus;  // the status line, UTF-8

    QPlainTextEdit* m_editText = nullptr;  // control 1007
    QLineEdit* m_editStatus = nullptr;     // control 1010

    // true: controls -> members; false: members -> controls. Bytes the user
    // did not edit come back exactly as they were shown. Always true.
    bool UpdateData(bool saveAndValidate = true);

    // The pane control's line count: one more than the CR LF pairs of the text
    // it shows now (which may differ from m_strText until UpdateData(false)).
    long long PaneLineCount() const;

    // A long text is put into the pane in steps, so the window keeps answering
    // while it fills; meanwhile the pane is read-only and UpdateData(true)
    // gives the whole text.
    bool IsPaneLoading() const { return !m_pendingText.isEmpty(); }

    // Closes the serial port and stops the comm timer; the transfer mode stays.
    void StopComm();
    // StopComm, take the user's edits, write the pane to the work file
    // (owner-only). On failure shows the reason and returns false.
    bool SavePaneToWorkFile();

    // Timer 1: a 300 ms tick that calls OnTimer(*this) while it runs.
    void StartCommTimer();
    void StopCommTimer();
    bool IsCommTimerActive() const { return m_commTimer.isActive(); }

    // Runs the handler of a menu or toolbar command id; false for an unknown id.
    bool OnCommand(int id);

    // Escape and the close box: the unsaved-pane guard may keep the window open.
    void reject() override;

    // Command handlers of this window.
    void OnFileNew();
    void OnFileOpen();
    // Reads path into the pane: the one way 打开, a dropped file and a recent
    // file take. A file that cannot be read is reported and changes nothing.
    bool OpenPaneFile(const std::string& path);
    void OnFileSaveAs();
    void OnFileExit();
    void OnComSetting();
    void OnNotepad();
    void OnCalculator();
    void OnHelp();

    QMenuBar* menuBar() const { return m_menuBar; }
    QToolBar* toolBar() const { return m_toolBar; }

private:
    void OnInitDialog();
    void CreateControls();
    void CreateMenu();
    void AddCommand(QMenu* popup, const MenuItem& item);
    void CreateToolBar();
    void LayOutAroundToolBar();
    void ShowStatus(const std::string& status);
    void ShowPaneBytes(const std::string& bytes);
    void LoadNextChunk();
    void StopLoading();

    QMenuBar* m_menuBar = nullptr;
    QToolBar* m_toolBar = nullptr;
    QTimer m_commTimer;
    std::string m_shownBytes;  // the bytes the pane was last given or taken from
    PaneEncoding m_paneEncoding = PaneEncoding::Gbk;
    PaneGrowth m_paneGrowth;     // appends a download's new bytes
    long long m_shownLines = 1;  // CountPaneLines(m_shownBytes), kept running
    QString m_pendingText;       // the whole text while the pane is still filling
    qsizetype m_pendingPos = 0;
    QTimer m_loadTimer;
};

}  // namespace vm
