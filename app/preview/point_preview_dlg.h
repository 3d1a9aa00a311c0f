#pragma once
// 预览: the points of the pane or of a file, drawn to scale with east to the
// right and north up, for a look at a download before it is exported. Names
// (and codes on demand), wheel zoom, drag pan, fit-all, a scale bar, the
// number of points and the extent; a click on a point shows its name, X, Y, Z
// and code. Lines that hold no point are counted and listed beside the view.
// A window of its own beside the main window, closed by the user.

#include "export/point_set.h"
#include "export/point_view_frame.h"

#include <QDialog>

#include <memory>
#include <string>

class QGraphicsScene;
class QLabel;
class QListWidget;

namespace vm {

class CPointCloudItem;
class CPointView;

class CPointPreviewDlg : public QDialog {
    Q_OBJECT
public:
    // Control ids of the window, the same on Windows.
    enum : int {
        kOpenId = kPreviewOpenId,
        kFitId = kPreviewFitId,
        kNamesId = kPreviewNamesId,
        kCodesId = kPreviewCodesId,
        kExportId = kPreviewExportId,
        kViewId = kPreviewViewId,
        kSummaryId = kPreviewSummaryId,
        kPickedId = kPreviewPickedId,
        kOtherLinesId = kPreviewOtherLinesId,
    };

    explicit CPointPreviewDlg(QWidget* parent = nullptr);
    ~CPointPreviewDlg() override;

    // Shows the points of bytes; source names them in the title.
    void ShowBytes(const std::string& bytes, const std::string& source,
                   PointFileKind kind = PointFileKind::Auto,
                   const LayoutColumns& layout = LayoutColumns());
    // Reads path and shows its points; tells the user and returns false when
    // it cannot be read (the points shown stay).
    bool ShowFile(const std::string& path, PointFileKind kind = PointFileKind::Auto,
                  const LayoutColumns& layout = LayoutColumns());

    void OnOpenFile();
    void OnFitAll();
    void OnExportPng();
    void OnPointPicked(long long index);

    const PointSet& Points() const { return *m_set; }
    CPointView* View() const { return m_view; }
    CPointCloudItem* Item() const { return m_item; }

private:
    void CreateControls();

    std::unique_ptr<PointSet> m_set;
    QGraphicsScene* m_scene = nullptr;
    CPointView* m_view = nullptr;
    CPointCloudItem* m_item = nullptr;
    QLabel* m_summary = nullptr;
    QLabel* m_picked = nullptr;
    QListWidget* m_otherLines = nullptr;
};

// Opens a preview window over parent showing bytes (it deletes itself when closed).
CPointPreviewDlg* OpenPointPreview(QWidget* parent, const std::string& bytes,
                                   const std::string& source,
                                   PointFileKind kind = PointFileKind::Auto,
                                   const LayoutColumns& layout = LayoutColumns());

// The PNG file dialog of the export.

}  // namespace vm
