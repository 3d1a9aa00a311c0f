// The README's pictures of the main window, the point preview and the
// universal conversion's preview, taken on a
// real X server at 1366×768 (one command line):
//   VM_SCREENSHOT_DIR=docs xvfb-run -s "-screen 0 1366x768x24" env QT_QPA_PLATFORM=xcb
//   build/tests/test_app --gtest_filter='ReadmeScreenshots*'
// Skipped unless VM_SCREENSHOT_DIR names the folder to write to.
#include "tests/app/main_window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QLineEdit>
#include <QScreen>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/dialog_renderer/qt_dialog_host.h"
#include "dialogs/download_convert_dialog.h"
#include "app/preview/point_preview_dlg.h"
#include "common/user_paths.h"
#include "dialogs/universal/universal_convert_dialog.h"

namespace vm::test {
namespace {

// A small traverse survey as the instrument sends it: stations and the points
// measured around them, with codes.
std::string SurveyText() {
    std::string text = "UNITS m,d\r\nATMOS 20,1013\r\n";
    const char* codes[] = {"TREE", "WALL", "KERB", "LAMP"};
    int n = 1;
    for (int s = 0; s < 4; ++s) {
        const double sn = 3520100 + 60 * s, se = 512300 + 45 * s * s;
        char line[160];
        std::snprintf(line, sizeof line, "STN K%d,1.500,\r\nXYZ %.0f,%.0f,%d\r\n", s + 1, sn * 1000,
                      se * 1000, 45000 + 300 * s);
        text += line;
        for (int i = 0; i < 40; ++i, ++n) {
            const double a = i * 0.157 + s, r = 20 + 15 * std::sin(i * 0.7);
            std::snprintf(line, sizeof line, "SS P%d,1.500,%s\r\nXYZ %.0f,%.0f,%.0f\r\n", n,
                          codes[i % 4], (sn + r * std::cos(a)) * 1000,
                          (se + r * std::sin(a)) * 1000, (45 + std::sin(a)) * 1000);
            text += line;
        }
    }
    return text;
}

void Save(QWidget& window, const std::string& dir, const char* name) {
    window.show();
    window.raise();
    RunEventsUntil([] { return false; }, 800);
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_TRUE(screen->grabWindow(0).save(QString::fromStdString(dir + "/" + name)));
}

class ReadmeScreenshots : public MainWindowTest {};

TEST_F(ReadmeScreenshots, mainWindowAndPointPreviewAt1366x768) {
    const char* dir = std::getenv("VM_SCREENSHOT_DIR");
    if (!dir)
        GTEST_SKIP() << "set VM_SCREENSHOT_DIR to take the README's screenshots";
    const std::string survey = SurveyText();
    ShowInPane(survey);
    Window().m_strStatus = "收到数据行数: 331  11342 字节, 1.2 KB/s";
    Window().UpdateData(false);
    Window().setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    Save(Window(), dir, "screenshot-window-1366.png");

    CPointPreviewDlg* preview = OpenPointPreview(&Window(), survey, "文本窗口");
    preview->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    preview->OnFitAll();
    preview->OnPointPicked(45);
    Save(*preview, dir, "screenshot-preview.png");

    const std::string source = this->dir.write(
        "points.txt",
        "12,K3,512.345,502.1,45.6\r\n13,,520.1,505.2,46.1\r\n14,TREE,530.5,509.9,46.8\r\n");
    UniversalConvertDialog universal(UserIniPath());
    QtDialogHost convert(universal, &Window());
    convert.Open();
    const std::pair<int, int> lists[] = {{1039, 1}, {1040, 2}, {1041, 3}, {1047, 4}, {1043, 5},
                                         {1044, 2}, {1045, 1}, {1048, 4}, {1052, 5}};
    for (const auto& [list, index] : lists)
        convert.findChild<QComboBox*>(QString::number(list))->setCurrentIndex(index);
    convert.findChild<QLineEdit*>(QStringLiteral("1055"))->setText(QString::fromStdString(source));
    Save(convert, dir, "screenshot-universal.png");
    convert.hide();

    // The download conversion dialog with a hint beside the layout list.
    CDownloadConvertDlg description;
    QtDialogHost download(description, &Window());
    download.Open();
    description.m_strCoordFile = "/home/surveyor/data/site-07.txt";
    description.m_strStatus =
        "开始转换........\r\n原文件:/home/surveyor/data/site-07.txt\r\n"
        "转换到:/home/surveyor/out/site-07-cass.txt转换保存成功!";
    description.UpdateData(download, false);
    download.show();
    QWidget* list = download.findChild<QWidget*>(QStringLiteral("1077"));
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), list->mapToGlobal(QPointF(5, 5)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list, &move);
    RunEventsUntil([] { return false; }, 300);
    ASSERT_TRUE(
        download.grab().save(QString::fromStdString(dir + std::string("/screenshot-convert.png"))));
}

}  // namespace
}  // namespace vm::test
