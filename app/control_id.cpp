#include "app/control_id.h"

#include <QVariant>

namespace vm {

void SetControlId(QObject* control, int id) {
    control->setObjectName(QString::number(id));
    control->setProperty(kControlIdProperty, id);
}

int ControlId(const QObject* control) {
    const QVariant id = control ? control->property(kControlIdProperty) : QVariant();
    return id.isValid() ? id.toInt() : kStaticId;
}

}  // namespace vm
