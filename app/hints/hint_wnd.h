#pragma once
// Hover hints: a box of help text beside the control of a dialog over which the
// mouse rests. The owner registers a list of lines per control id once and
// passes every mouse movement on; the hint window finds the control under the
// mouse, takes away the box it showed before and shows the new control's box.
// There is no timer and no delay: the box appears on the first movement over a
// control and stays until the mouse moves onto another control or the bare
// dialog.
//
// The box is a borderless child widget of the owner, kept above its controls,
// at the rectangle that the placement rules give, in the hint's colours with
// the Courier New font and an etched frame.

#include <QColor>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "dialogs/hint_geometry.h"

class QPaintEvent;

namespace vm {

// One registered hint.
class CHintItem {
public:
    int m_nControlId = 0;
    int m_nLineCount = 0;
    std::vector<std::string> m_lines;  // UTF-8, in display order
    QColor m_crText;
    QColor m_crBackground;
};

// The box on screen. It lets the mouse through to the controls beneath it.
class CHintBox : public QWidget {
    Q_OBJECT
public:
    explicit CHintBox(QWidget* owner);

    void ShowItem(const CHintItem& item, const HintRect& box, int fontHeight);
    const CHintItem& item() const { return m_item; }
    int fontHeight() const { return m_nFontHeight; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CHintItem m_item;
    int m_nFontHeight = kHintFontHeight;
};

class CHintWnd {
public:
    CHintWnd() = default;
    virtual ~CHintWnd();
    CHintWnd(const CHintWnd&) = delete;
    CHintWnd& operator=(const CHintWnd&) = delete;

    // The dialog whose client coordinates are used throughout and whose direct
    // children are the controls. Called once, before any other operation.
    void SetOwner(QWidget* owner);
    // Registers a copy of lines for the control; false when it cannot be stored.
    bool AddHint(int controlId, const std::vector<std::string>& lines, const QColor& background,
                 const QColor& text);
    // A mouse movement at point (owner's client coordinates).
    void RelayMouseMove(const QPoint& point);
    // The mouse left the dialog (or the dialog lost the screen): the box goes.
    void RelayMouseLeave();

    // The first hint registered for the id, or nullptr; remembers the id
    // looked up (0 when nothing was found).
    const CHintItem* FindHint(int controlId);
    void ShowHint(int controlId);
    void HideHint(int controlId);
    void DrawHint(const CHintItem& item);

    // Box rectangle beside the control, from the current size.
    virtual void CalcHintRect(int controlId, HintRect& rect);
    // Box size for the lines at the current font height.
    virtual void CalcHintSize(const std::vector<std::string>& lines);

    // State as the window sees it: the id looked up last and the box's size
    // (width and height 0 while no box is shown).
    int currentId() const { return m_nCurrentId; }
    const HintBoxSize& boxSize() const { return m_size; }
    // The box widget (nullptr before SetOwner), for the owner's screenshots and tests.
    const CHintBox* box() const { return m_box; }

private:
    QWidget* ChildFromPoint(const QPoint& point) const;
    QWidget* ChildById(int controlId) const;

    QWidget* m_pOwner = nullptr;
    HintBoxSize m_size;
    std::vector<std::unique_ptr<CHintItem>> m_items;
    int m_nCurrentId = 0;
    QPointer<CHintBox> m_box;
};

}  // namespace vm
