#include "win/export_command_host.h"

#include <iterator>
#include <list>
#include <map>
#include <mutex>
#include <thread>

#include "win/desktop.h"
#include "win/window_text.h"

namespace vm::win32 {
namespace {

constexpr UINT kJobDoneMessage = WM_APP + 40;
constexpr wchar_t kJobWindowClass[] = L"VeltraMarlinExportJobs";

struct Job {
    HWND owner = nullptr;
    int statusId = 0;
    std::function<void(ExportCommandHost&)> done;
    std::thread thread;
};

std::list<Job>& Jobs() {
    static std::list<Job> jobs;
    return jobs;
}

// The job whose thread posted its end: joined, reported to a window that
// still exists, and forgotten.
void EndJob(Job* ended) {
    for (auto it = Jobs().begin(); it != Jobs().end(); ++it) {
        if (&*it != ended)
            continue;
        it->thread.join();
        if (IsWindow(it->owner)) {
            Win32ExportHost host(it->owner, it->statusId);
            it->done(host);
        }
        Jobs().erase(it);
        return;
    }
}

LRESULT CALLBACK JobWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kJobDoneMessage)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    EndJob(reinterpret_cast<Job*>(lParam));
    return 0;
}

// A message-only window on the window's thread that hears of ended jobs.
HWND JobWindow() {
    static HWND window = [] {
        WNDCLASSW cls{};
        cls.lpfnWndProc = JobWindowProc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = kJobWindowClass;
        RegisterClassW(&cls);
        return CreateWindowExW(0, kJobWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               cls.hInstance, nullptr);
    }();
    return window;
}

// The files the delayed viewer opens, by timer id.
std::map<UINT_PTR, std::string>& Pending() {
    static std::map<UINT_PTR, std::string> pending;
    return pending;
}

void CALLBACK OpenWhenDue(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    const auto it = Pending().find(id);
    if (it == Pending().end())
        return;
    const std::string path = it->second;
    Pending().erase(it);
    if (!desktop().ViewFile(hwnd, path))
        desktop().MessageBox(hwnd, kNoViewerMessage + path, {}, MsgButtons::Ok, MsgIcon::Stop);
}

}  // namespace

void Win32ExportHost::MessageBox(const std::string& text, const std::string& caption) {
    desktop().MessageBox(m_hwnd, text, caption, MsgButtons::Ok, MsgIcon::None);
}

std::optional<std::string> Win32ExportHost::AskOpenFile(const FileDialogRequest& request) {
    return desktop().AskOpenFile(m_hwnd, request);
}

std::optional<std::string> Win32ExportHost::AskSaveFile(const FileDialogRequest& request) {
    return desktop().AskSaveFile(m_hwnd, request);
}

void Win32ExportHost::ShowStatus(const std::string& status) {
    SetOneLineText(GetDlgItem(m_hwnd, m_statusId), status);
}

void Win32ExportHost::ViewFile(const std::string& path) {
    if (!desktop().ViewFile(m_hwnd, path))
        MessageBox(kNoViewerMessage + path, {});
}

void Win32ExportHost::ViewFileLater(const std::string& path, int delayMs) {
    static UINT_PTR nextId = 0x5E00;
    const UINT_PTR id = nextId++;
    Pending()[id] = path;
    SetTimer(m_hwnd, id, UINT(delayMs), OpenWhenDue);
}

void Win32ExportHost::RunInBackground(std::function<void()> work,
                                      std::function<void(ExportCommandHost&)> done) {
    const HWND jobs = JobWindow();
    Job& job = Jobs().emplace_back();
    job.owner = m_hwnd;
    job.statusId = m_statusId;
    job.done = std::move(done);
    Job* posted = &job;
    job.thread = std::thread([work = std::move(work), jobs, posted] {
        work();
        PostMessageW(jobs, kJobDoneMessage, 0, reinterpret_cast<LPARAM>(posted));
    });
}

void Win32ExportHost::PrintTable(std::shared_ptr<const vm::PrintTable> table,
                                 const std::string& title) {
    const std::string failure = desktop().PrintTable(m_hwnd, *table, title);
    if (!failure.empty())
        desktop().MessageBox(m_hwnd, failure, {}, MsgButtons::Ok, MsgIcon::Stop);
}

void FinishExportJobs() {
    for (Job& job : Jobs()) {
        if (job.thread.joinable())
            job.thread.join();
    }
    Jobs().clear();
}

}  // namespace vm::win32
