#pragma once
// The program's main window (dialog 102): menu 129, toolbar 179, the text pane
// (control 1007) and the status line (control 1010), one small function per
// message. Every user action is a command id of the menu or toolbar.

#include "win/win32.h"

#include <string>
#include <vector>

#include "dialogs/pane_guard.h"
#include "win/serial_transfer.h"
#include "win/text_pane.h"

namespace vm::win32 {

inline constexpr const wchar_t* kMainWindowClass = L"VeltraMarlinMainWindow";
inline constexpr int kPaneId = 1007;
inline constexpr int kStatusId = 1010;
inline constexpr int kToolBarId = 0xE800;
inline constexpr int kUploadBarId = 2131;

class MainWindow {
public:
    MainWindow() = default;
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    static bool Register(HINSTANCE instance);
    // Makes the window at its remembered place and shows it.
    bool Create(HINSTANCE instance, int show);
    HWND Window() const { return m_hwnd; }
    HACCEL Accelerators() const { return m_accelerators; }

    // At start-up: offers to restore a download that did not end normally.
    void OfferRestore();

    // Reads path into the pane: the one way 打开, a dropped file and a file
    // named on the command line take. A file that cannot be read is reported
    // and changes nothing.
    bool OpenPaneFile(const std::string& path);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    BOOL OnCreate(HWND hwnd, LPCREATESTRUCT create);
    void OnSize(HWND hwnd, UINT state, int width, int height);
    void OnCommand(HWND hwnd, int id, HWND control, UINT code);
    LRESULT OnNotify(HWND hwnd, int id, NMHDR* header);
    void OnDropFiles(HWND hwnd, HDROP drop);
    void OnClose(HWND hwnd);
    void OnDestroy(HWND hwnd);
    void OnTimer(HWND hwnd, UINT id);
    void OnInitMenuPopup(HWND hwnd, HMENU menu, UINT item, BOOL windowMenu);

    void RunCommand(int command);
    void OnFileNew();
    void OnFileOpen();
    void OnFileSaveAs();
    void OnFileExit();
    void OnNotepad();
    void OnHelp();
    void OnUniversalConvert();
    void OnSaveDxf();
    void OnSaveExcel();
    void OnPrintTable();
    void OnDownloadConvert();
    // Writes the pane to the work file the exports read (owner-only); on
    // failure tells the user why and returns false.
    bool SavePaneToWorkFile();
    void OnDownload();
    void OnUpload();
    void OnUploadMessage(std::string* text);
    void OnUploadFinished(WPARAM transfer);
    // 最近下载 and the start-up offer: a journaled download into the pane.
    bool RestoreDownload(const std::string& id);
    void ShowStart(const TransferStart& start, const std::string& pane);
    // 停止 (menu, toolbar, Esc) while a transfer runs.
    void OnStopTransfer();
    // Shows a tick's pane and status and notes where the pane is kept.
    void ShowTick(const TickResult& tick, const std::string& pane, bool download);
    // Closes the port and stops the 300 ms tick.
    void StopComm();
    // The 300 ms tick runs or ends, and 停止 is enabled while it runs.
    void StartTick();
    void EndTick();
    // The upload's progress bar beside the status line: lines sent of the
    // file's lines, shown only while an upload runs.
    void ShowUploadProgress();

    // The unsaved-pane guard: true when the pane may be replaced.
    bool ConfirmDiscardPane();
    PaneGuardHooks GuardHooks();

    void NoteFile(const std::string& path);
    void OpenRecentFile(size_t index);
    void ShowStatus(const std::string& status);
    bool AskYesNo(const std::string& question);

    HWND m_hwnd = nullptr;
    HWND m_toolBar = nullptr;
    HWND m_status = nullptr;
    HWND m_uploadBar = nullptr;
    HFONT m_font = nullptr;
    TextPane m_pane;
    SerialTransfer m_transfer;
    HACCEL m_accelerators = nullptr;
    std::wstring m_tipText;                // the tooltip being shown
    std::vector<std::string> m_recentIds;  // the downloads 最近下载 lists now
    bool m_ticking = false;                // the 300 ms tick runs: a transfer is on
    CPaneKeeping m_kept;                   // where the pane's text is kept on disk
};

}  // namespace vm::win32
