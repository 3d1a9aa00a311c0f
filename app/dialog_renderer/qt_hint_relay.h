#pragma once
// Passes every mouse movement over a dialog's controls to its hint window, as
// every message of a dialog passes through the dialog first, and takes the
// hint away when the mouse leaves the dialog or the dialog leaves the screen.

#include <QObject>

class QWidget;

namespace vm {

class CHintWnd;

class QtHintRelay : public QObject {
public:
    // Watches the whole application for movements over dialog (its parent).
    QtHintRelay(QWidget* dialog, CHintWnd& hints);
    ~QtHintRelay() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_dialog;
    CHintWnd& m_hints;
};

}  // namespace vm
