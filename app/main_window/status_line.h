#pragma once
// The main window's status line (control 1010): one read-only line that holds
// the whole status text (for copying and for tests), and shows it whole when
// it fits. A longer text is shown with the part that does not fit left out in
// the middle — of its path when it names one, so the start of the note and the
// file's name stay readable — and the whole text is its tooltip.

#include <QLineEdit>

class QFontMetrics;

namespace vm {

class CStatusLine : public QLineEdit {
public:
    explicit CStatusLine(QWidget* parent = nullptr);

    // What the line shows now: the text, or its shortened form.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowWholeAsTip();
    int TextRoom() const;
};

// text as it fits into width pixels: whole when it fits, else shortened by an
// ellipsis in the middle of the path that follows its first "：/" (or of the
// whole text when there is none or the rest alone would not fit).
QString ElidedStatus(const QString& text, const QFontMetrics& metrics, int width);

}  // namespace vm
