#include "app/control_table.h"

#include "app/app_icon.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include <algorithm>

namespace vm {
namespace {

QWidget* NewControl(ControlKind kind, const QString& caption, QWidget* parent) {
    switch (kind) {
        case ControlKind::Group:
            return new QGroupBox(caption, parent);
        case ControlKind::Label:
            return new QLabel(caption, parent);
        case ControlKind::Check:
            return new QCheckBox(caption, parent);
        case ControlKind::Edit:
            return new QLineEdit(parent);
        case ControlKind::ShownPath: {
            auto* box = new QLineEdit(parent);
            box->setReadOnly(true);
            box->setFocusPolicy(Qt::NoFocus);
            return box;
        }
        case ControlKind::Icon:
            return new QLabel(parent);
        case ControlKind::PathBox: {
            auto* box = new QPlainTextEdit(parent);
            box->setLineWrapMode(QPlainTextEdit::NoWrap);
            box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            box->setTabChangesFocus(true);
            return box;
        }
        case ControlKind::StatusBox: {
            auto* status = new QPlainTextEdit(parent);
            status->setReadOnly(true);
            return status;
        }
        case ControlKind::Radio:
            return new QRadioButton(caption, parent);
        case ControlKind::List:
            return new QComboBox(parent);
        case ControlKind::ListBox:
            return new QListWidget(parent);
        case ControlKind::Table: {
            auto* table = new QTableWidget(parent);
            table->setEditTriggers(QAbstractItemView::NoEditTriggers);
            table->verticalHeader()->setVisible(false);
            table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
            return table;
        }
        case ControlKind::Canvas:
            return new QWidget(parent);
        case ControlKind::DefaultButton: {
            auto* button = new QPushButton(caption, parent);
            button->setDefault(true);
            return button;
        }
        case ControlKind::FocusButton:
            return new QPushButton(caption, parent);  // a dialog's buttons are auto-default
        case ControlKind::Button:
            break;
    }
    auto* button = new QPushButton(caption, parent);
    button->setAutoDefault(false);
    return button;
}

// A label with room for more than one line wraps its text from the top, as a
// static text does; a list opens as tall as its row says; the icon fills its box.
void Finish(QWidget* control, const ControlRow& row, const DialogUnits& units) {
    constexpr int kTwoLines = 16;  // dialog units: a line is 8
    if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setTextFormat(Qt::PlainText);
        if (row.kind == ControlKind::Icon)
            label->setPixmap(AppIcon().pixmap(units.toPixels(row.width, row.height)));
        else if (row.height >= kTwoLines) {
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        }
    }
    if (auto* list = qobject_cast<QComboBox*>(control); list && row.listHeight > 0)
        list->setMaxVisibleItems(std::max(1, (row.listHeight - row.height) / 8));
}

QWidget* MakeControl(const ControlRow& row, QWidget* parent, const DialogUnits& units) {
    QWidget* control = NewControl(row.kind, QString::fromUtf8(row.caption), parent);
    Finish(control, row, units);
    if (row.id != kStaticId)
        SetControlId(control, row.id);
    units.place(control, row.x, row.y, row.width, row.height);
    return control;
}

}  // namespace

DialogUnits MakeControls(QWidget* dialog, int width, int height, const ControlRow* rows,
                         std::size_t count) {
    const DialogUnits units = DialogUnits::ForFont(dialog->font());
    dialog->setFixedSize(units.toPixels(width, height));
    for (std::size_t i = 0; i < count; ++i)
        MakeControl(rows[i], dialog, units);
    return units;
}

void FillNumbered(const QWidget* dialog, std::initializer_list<int> listIds, int count) {
    for (const int id : listIds) {
        QComboBox* list = FindControl<QComboBox>(dialog, id);
        for (int n = 1; n <= count; ++n)
            list->addItem(QString::number(n));
    }
}

void EnableControls(const QWidget* dialog, std::initializer_list<int> ids, bool enable) {
    for (const int id : ids)
        FindControl<QWidget>(dialog, id)->setEnabled(enable);
}

void ShowRunning(QWidget* dialog, bool running) {
    EnableControls(dialog, {1, 2}, !running);
    if (running)
        dialog->setCursor(Qt::BusyCursor);
    else
        dialog->unsetCursor();
}

}  // namespace vm
