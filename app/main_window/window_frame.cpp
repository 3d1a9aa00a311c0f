#include "app/main_window/window_frame.h"

#include "app/control_id.h"
#include "app/main_window/main_dlg.h"
#include "common/ini_file.h"
#include "common/user_paths.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QToolBar>

#include <algorithm>

namespace vm {
namespace {

constexpr int kMargin = 3;
constexpr int kGap = 4;

}  // namespace

WindowPlacement LoadWindowPlacement(const std::string& iniPath) {
    WindowPlacement p;
    const auto get = [&](const char* key) {
        return int(IniGetInt(iniPath, kWindowSection, key, 0));
    };
    p.frame = QRect(get("x"), get("y"), get("width"), get("height"));
    if (p.frame.width() <= 0 || p.frame.height() <= 0)
        p.frame = QRect();
    p.maximized = get("maximized") != 0;
    return p;
}

void SaveWindowPlacement(const std::string& iniPath, const WindowPlacement& placement) {
    const QRect& f = placement.frame;
    for (const auto& [key, value] : {std::pair<const char*, int>{"x", f.x()},
                                     {"y", f.y()},
                                     {"width", f.width()},
                                     {"height", f.height()},
                                     {"maximized", placement.maximized ? 1 : 0}})
        IniWriteInt(iniPath, kWindowSection, key, value);
}

QRect FittedPlacement(const QRect& stored, const QSize& templateSize,
                      const std::vector<QRect>& screens, const QMargins& frame) {
    const QSize frameSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QSize wanted = stored.isEmpty() ? templateSize : stored.size();
    // The screen the stored window overlaps most; none: the primary, centred.
    const QRect outer(stored.topLeft(), wanted + frameSize);
    const QRect* screen = nullptr;
    long long most = 0;
    for (const QRect& s : screens) {
        const QRect common = s.intersected(outer);
        const long long area = common.isEmpty() ? 0 : 1LL * common.width() * common.height();
        if (!stored.isEmpty() && area > most) {
            most = area;
            screen = &s;
        }
    }
    const QRect available =
        screen ? *screen : (screens.empty() ? QRect(0, 0, 1366, 728) : screens.front());
    const QSize size =
        wanted.expandedTo(kMainWindowMinimum).boundedTo(available.size() - frameSize);
    const QSize whole = size + frameSize;
    QPoint topLeft =
        screen ? stored.topLeft()
               : available.center() - QPoint(whole.width(), whole.height()) / 2 + QPoint(1, 1);
    topLeft.setX(std::clamp(topLeft.x(), available.left(), available.right() - whole.width() + 1));
    topLeft.setY(std::clamp(topLeft.y(), available.top(), available.bottom() - whole.height() + 1));
    return QRect(topLeft, size);
}

CWindowFrame::CWindowFrame(CMainDlg& dlg) : QObject(&dlg), m_dlg(dlg) {
    setObjectName(QStringLiteral("windowFrame"));
    m_dlg.setMinimumSize(kMainWindowMinimum);
    m_dlg.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_dlg.setSizeGripEnabled(true);
    m_dlg.setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    m_dlg.installEventFilter(this);
}

void CWindowFrame::LayOut() {
    const int width = m_dlg.width();
    const int height = m_dlg.height();
    const int menuHeight = m_dlg.menuBar()->sizeHint().height();
    const int barHeight = m_dlg.toolBar()->sizeHint().height();
    m_dlg.menuBar()->setGeometry(0, 0, width, menuHeight);
    m_dlg.toolBar()->setGeometry(0, menuHeight, width, barHeight);

    // The status row: the status line, then whatever sits beside it (the
    // upload's progress and stop button) from the right edge leftwards.
    const int rowHeight = std::max(m_dlg.m_editStatus->sizeHint().height(), 22);
    const int rowTop = height - kMargin - rowHeight;
    int right = width - kMargin;
    for (QWidget* extra : m_dlg.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!extra->property(kStatusExtraProperty).toBool() || extra->isHidden())
            continue;
        const int w = extra->sizeHint().width();
        right -= w;
        extra->setGeometry(right, rowTop, w, rowHeight);
        right -= kGap;
    }
    m_dlg.m_editStatus->setGeometry(kMargin, rowTop, std::max(right - kMargin, 10), rowHeight);
    const int paneTop = menuHeight + barHeight;
    m_dlg.m_editText->setGeometry(kMargin, paneTop, width - 2 * kMargin,
                                  std::max(rowTop - kGap - paneTop, 10));
}

void CWindowFrame::Restore(const std::string& iniPath) {
    const WindowPlacement stored = LoadWindowPlacement(iniPath);
    std::vector<QRect> screens;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        screens.push_back(primary->availableGeometry());
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            screens.push_back(screen->availableGeometry());
    }
    const QRect fitted = FittedPlacement(stored.frame, m_dlg.size(), screens);
    m_dlg.resize(fitted.size());
    m_dlg.move(fitted.topLeft());
    if (stored.maximized)
        m_dlg.setWindowState(m_dlg.windowState() | Qt::WindowMaximized);
    LayOut();
}

void CWindowFrame::Save(const std::string& iniPath) const {
    WindowPlacement p;
    p.maximized = m_dlg.isMaximized();
    p.frame = p.maximized ? m_dlg.normalGeometry() : QRect(m_dlg.pos(), m_dlg.size());
    SaveWindowPlacement(iniPath, p);
}

bool CWindowFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_dlg) {
        if (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest)
            LayOut();
        else if (event->type() == QEvent::Hide && !m_dlg.isMinimized())
            Save(UserIniPath());
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vm
