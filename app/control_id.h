#pragma once
// Every control carries its numeric id: the object name is the number and the
// property "controlId" holds it, so code and tests find a control by id.

#include <QObject>
#include <QString>

#include "dialogs/control_row.h"

namespace vm {

inline constexpr const char* kControlIdProperty = "controlId";

void SetControlId(QObject* control, int id);

// The id of control, or kStaticId when it has none.
int ControlId(const QObject* control);

// The child of parent (at any depth) with that id, or nullptr.
template <class T = QObject>
T* FindControl(const QObject* parent, int id) {
    return parent ? parent->findChild<T*>(QString::number(id)) : nullptr;
}

}  // namespace vm
