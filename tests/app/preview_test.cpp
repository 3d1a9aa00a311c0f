// The point preview window: it draws each point where its coordinates say
// (east right, north up), a click shows the point, lines that are not points
// are listed, the view exports as PNG, and the menu and the conversion
// dialogs open it on the right data.
#include "tests/app/main_window_fixture.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>

#include "app/dialog_renderer/qt_dialog_host.h"
#include "app/preview/point_cloud_item.h"
#include "app/preview/point_preview_dlg.h"
#include "app/preview/point_view.h"
#include "dialogs/universal/universal_convert_dialog.h"

#include <cstdio>

namespace vm::test {
namespace {

class PreviewTest : public MainWindowTest {
protected:
    CPointPreviewDlg* Preview() { return Window().findChild<CPointPreviewDlg*>(); }
    // Renders the view offscreen as the user would see it.
    QImage Grab(CPointPreviewDlg& dlg) {
        dlg.resize(600, 500);
        dlg.show();
        QCoreApplication::processEvents();
        return dlg.View()->viewport()->grab().toImage();
    }
    QPoint OnScreen(CPointPreviewDlg& dlg, const PreviewPoint& p) {
        return dlg.View()->mapFromScene(dlg.Item()->ScenePos(p));
    }
    void ClickAt(CPointPreviewDlg& dlg, QPoint at) {
        QWidget* viewport = dlg.View()->viewport();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(viewport, &event);
        }
    }
};

bool IsColour(const QImage& image, QPoint at, QColor colour) {
    return image.pixelColor(at) == colour;
}

// Four points at the corners and one station in the middle of a 100 m square:
// each drawn at its place, north up and east right, in its own colour; a
// click finds the station and shows its values.
TEST_F(PreviewTest, pointsAreDrawnWhereTheirCoordinatesSayAndAClickShowsThem) {
    ShowInPane(
        "ATMOS 20\r\nSS SW,1,\r\nXYZ 1000000,5000000,1\r\nSS NW,1,\r\nXYZ 1100000,5000000,2\r\n"
        "SS NE,1,\r\nXYZ 1100000,5100000,3\r\nSS SE,1,\r\nXYZ 1000000,5100000,4\r\n"
        "STN S1,1,\r\nXYZ 1050000,5050000,50500\r\n");
    ASSERT_TRUE(Window().OnCommand(32901)) << "预览 in the 转换 menu";
    CPointPreviewDlg& dlg = *Preview();
    ASSERT_EQ(dlg.Points().points.size(), 5u);
    const QImage image = Grab(dlg);
    const std::vector<PreviewPoint>& p = dlg.Points().points;
    const QPoint sw = OnScreen(dlg, p[0]), nw = OnScreen(dlg, p[1]), ne = OnScreen(dlg, p[2]);
    EXPECT_LT(nw.y(), sw.y()) << "north is up";
    EXPECT_GT(ne.x(), nw.x()) << "east is right";
    EXPECT_EQ(sw.x() - nw.x(), 0);
    EXPECT_GT(ne.x() - nw.x(), 300) << "the first view shows all points, not a blob";
    EXPECT_EQ(
        Ctl<QLabel>(dlg, CPointPreviewDlg::kSummaryId)->text().toStdString(),
        "点数: 5 (测站 1)  范围: X 1000.000 – 1100.000 米, Y 5000.000 – 5100.000 米  非点行: 6");
    for (size_t i = 0; i < 4; ++i)
        EXPECT_TRUE(IsColour(image, OnScreen(dlg, p[i]), QColor(0, 0, 200))) << i;
    EXPECT_TRUE(IsColour(image, OnScreen(dlg, p[4]), QColor(220, 0, 0))) << "station";
    EXPECT_TRUE(IsColour(image, (sw + nw) / 2, Qt::white)) << "nothing between points";

    ClickAt(dlg, OnScreen(dlg, p[4]) + QPoint(3, 2));
    EXPECT_EQ(dlg.Item()->Selected(), 4);
    EXPECT_EQ(Ctl<QLabel>(dlg, CPointPreviewDlg::kPickedId)->text().toStdString(),
              "点名: S1  X: 1050.000  Y: 5050.000  Z: 50.500  编码:   (测站)");
    EXPECT_EQ(dlg.windowTitle().toStdString(), "预览 - 文本窗口");
    // The lines that are not XYZ records are listed, not drawn.
    EXPECT_EQ(Ctl<QListWidget>(dlg, CPointPreviewDlg::kOtherLinesId)->count(), 6);
    EXPECT_EQ(Ctl<QListWidget>(dlg, CPointPreviewDlg::kOtherLinesId)->item(0)->text(),
              "1: ATMOS 20");

    // Panned, the points move with the view.
    dlg.View()->horizontalScrollBar()->setValue(dlg.View()->horizontalScrollBar()->value() + 40);
    const QImage panned = dlg.View()->viewport()->grab().toImage();
    EXPECT_EQ(OnScreen(dlg, p[2]).x(), ne.x() - 40);
    EXPECT_TRUE(IsColour(panned, OnScreen(dlg, p[2]), QColor(0, 0, 200)));
    EXPECT_TRUE(IsColour(panned, ne, Qt::white));

    // Zoomed in on the south-west corner, the scale bar shrinks with the view.
    const double wide = dlg.View()->ScaleBarLength();
    const QPoint corner = OnScreen(dlg, p[0]);
    dlg.View()->Zoom(8, corner);
    EXPECT_LT(dlg.View()->ScaleBarLength(), wide);
    EXPECT_LE((OnScreen(dlg, p[0]) - corner).manhattanLength(), 1) << "zoom about the mouse";
}

TEST_F(PreviewTest, exportWritesTheViewAsPngAndAFailedWriteIsReported) {
    CPointPreviewDlg dlg;
    dlg.ShowBytes("A,10,20,0,\r\nB,30,40,0,\r\n", "f.txt");
    Grab(dlg);
    const std::string png = dir.file("view.png");
    desk.answerFile(png);
    Click(dlg, CPointPreviewDlg::kExportId);
    QImage written(QString::fromStdString(png));
    EXPECT_EQ(written.size(), dlg.View()->viewport()->size());
    EXPECT_EQ(desk.callsOf(DesktopCall::SaveFile)[0].request.filter, kPngFilter);

    desk.answerFile(dir.file("no-such-folder/view.png"));
    Click(dlg, CPointPreviewDlg::kExportId);
    ASSERT_EQ(desk.messages().size(), 1u);
    EXPECT_EQ(desk.messages()[0], kPngWriteFailed + dir.file("no-such-folder/view.png"));
}

// 100,000 points: opened, fitted, drawn and panned.
TEST_F(PreviewTest, hundredThousandPointsOpenAndDraw) {
    std::string bytes;
    for (int i = 0; i < 100000; ++i) {
        char line[80];
        std::snprintf(line, sizeof line, "P%d,%d.%03d,%d.%03d,10,\r\n", i, 3500000 + i % 317,
                      i % 1000, 500000 + i / 317, i % 997);
        bytes += line;
    }
    CPointPreviewDlg dlg;
    dlg.ShowBytes(bytes, "big.txt");
    EXPECT_EQ(dlg.Points().points.size(), 100000u);
    Grab(dlg);
    QScrollBar* across = dlg.View()->horizontalScrollBar();
    across->setValue(across->value() + 15);  // as a drag pans
    dlg.View()->viewport()->grab();
}

// Both conversion dialogs' 预览 buttons open the window through the dialog host;
// what each passes is tested on the descriptions in tests/dialogs.
TEST_F(PreviewTest, universalConversionPreviewsItsTargetInTheTargetLayout) {
    // Universal conversion: the target file as the target layout shown reads it.
    UniversalConvertDialog description(dir.file("ConfigFile.ini"));
    QtDialogHost convert(description);
    convert.Open();
    for (const auto& [list, index] : {std::pair{1044, 1}, {1045, 2}, {1048, 4}})
        Ctl<QComboBox>(convert, list)->setCurrentIndex(index);
    const std::string target = dir.write("t.txt", "12 502.100 512.345 45.6\r\n");
    Ctl<QLineEdit>(convert, 1056)->setText(QString::fromStdString(target));
    Click(convert, 1062);  // the target is space separated
    Click(convert, kPreviewButtonId);
    auto* preview = convert.findChild<CPointPreviewDlg*>();
    ASSERT_NE(preview, nullptr);
    ASSERT_EQ(preview->Points().points.size(), 1u);
    EXPECT_EQ(preview->Points().points[0].north, 502.1);
}

}  // namespace
}  // namespace vm::test
