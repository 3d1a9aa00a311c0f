// Reading and setting a dialog's controls by id, whatever widget stands for
// each kind of control. Texts are UTF-8; several-line boxes show every
// "\r\n" of a text as one line break.
#include "app/dialog_renderer/qt_dialog_host.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTableWidget>

#include <stdexcept>

#include "app/desktop.h"

namespace vm {
namespace {

QString FromUtf8(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QStringList ItemTexts(const std::vector<std::string>& items) {
    QStringList texts;
    for (const std::string& item : items)
        texts << FromUtf8(item);
    return texts;
}

template <class T>
T* As(QWidget* control, int id) {
    if (auto* widget = qobject_cast<T*>(control))
        return widget;
    throw std::logic_error("control " + std::to_string(id) + " is not of the kind asked for");
}

}  // namespace

std::string QtDialogHost::Text(int id) const {
    QWidget* control = Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return PathBytes(edit->text());
    if (auto* box = qobject_cast<QPlainTextEdit*>(control))
        return PathBytes(box->toPlainText());
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text().toStdString();
    if (auto* group = qobject_cast<QGroupBox*>(control))
        return group->title().toStdString();
    if (auto* list = qobject_cast<QComboBox*>(control))
        return list->currentText().toStdString();
    if (auto* box = qobject_cast<QListWidget*>(control))
        return box->currentItem() ? box->currentItem()->text().toStdString() : std::string();
    return std::string();
}

void QtDialogHost::SetText(int id, const std::string& text) {
    const Quiet quiet(*this);
    QWidget* control = Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(PathText(text));
        if (edit->isReadOnly())  // a shown path: the file name is what tells paths apart
            edit->setCursorPosition(int(edit->text().size()));
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(control)) {
        box->setPlainText(PathText(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(FromUtf8(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(FromUtf8(text));
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(FromUtf8(text));
    }
}

bool QtDialogHost::Checked(int id) const {
    return As<QAbstractButton>(Control(id), id)->isChecked();
}

void QtDialogHost::SetChecked(int id, bool checked) {
    const Quiet quiet(*this);
    As<QAbstractButton>(Control(id), id)->setChecked(checked);
}

void QtDialogHost::SetItems(int id, const std::vector<std::string>& items) {
    const Quiet quiet(*this);
    QWidget* control = Control(id);
    if (auto* box = qobject_cast<QListWidget*>(control)) {
        box->clear();
        box->addItems(ItemTexts(items));
        box->setCurrentRow(-1);
        return;
    }
    auto* list = As<QComboBox>(control, id);
    list->clear();
    list->addItems(ItemTexts(items));
    list->setCurrentIndex(-1);
    // The open list is wide enough for its longest item (a device's name).
    list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0) + 24);
}

int QtDialogHost::ItemCount(int id) const {
    QWidget* control = Control(id);
    if (auto* box = qobject_cast<QListWidget*>(control))
        return box->count();
    return As<QComboBox>(control, id)->count();
}

int QtDialogHost::Selection(int id) const {
    QWidget* control = Control(id);
    if (auto* box = qobject_cast<QListWidget*>(control))
        return box->currentRow();
    return As<QComboBox>(control, id)->currentIndex();
}

void QtDialogHost::SetSelection(int id, int index) {
    const Quiet quiet(*this);
    QWidget* control = Control(id);
    if (auto* box = qobject_cast<QListWidget*>(control)) {
        box->setCurrentRow(index >= 0 && index < box->count() ? index : -1);
        return;
    }
    auto* list = As<QComboBox>(control, id);
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

void QtDialogHost::SetTable(int id, const std::vector<std::string>& header,
                            const std::vector<std::vector<std::string>>& rows) {
    auto* table = As<QTableWidget>(Control(id), id);
    table->clear();
    table->setColumnCount(int(header.size()));
    table->setHorizontalHeaderLabels(ItemTexts(header));
    table->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        for (int c = 0; c < int(rows[r].size()) && c < int(header.size()); ++c)
            table->setItem(r, c, new QTableWidgetItem(FromUtf8(rows[r][c])));
    }
    table->resizeColumnsToContents();
}

void QtDialogHost::MarkCell(int id, int row, int column, const std::string& note) {
    if (QTableWidgetItem* item = As<QTableWidget>(Control(id), id)->item(row, column)) {
        item->setBackground(QColor(255, 230, 150));
        item->setToolTip(FromUtf8(note));
    }
}

bool QtDialogHost::IsEnabled(int id) const {
    return Control(id)->isEnabled();
}

void QtDialogHost::SetEnabled(int id, bool enabled) {
    Control(id)->setEnabled(enabled);
}

void QtDialogHost::SetVisible(int id, bool visible) {
    Control(id)->setVisible(visible);
}

// An edit given the focus shows its whole text selected, ready to be typed over.
void QtDialogHost::SetFocus(int id) {
    QWidget* control = Control(id);
    control->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
}

void QtDialogHost::SetToolTip(int id, const std::string& text) {
    Control(id)->setToolTip(FromUtf8(text));
}

void QtDialogHost::SetTitle(const std::string& title) {
    setWindowTitle(FromUtf8(title));
}

}  // namespace vm
