#include "dialogs/control_row.h"

namespace vm {

const ControlRow* DialogTemplate::Find(int id) const {
    for (std::size_t i = 0; i < rowCount; ++i) {
        if (rows[i].id == id)
            return &rows[i];
    }
    return nullptr;
}

}  // namespace vm
