#include "dialogs/dialog.h"

namespace vm {

const std::vector<ControlHint>& Dialog::Hints() const {
    static const std::vector<ControlHint> none;
    return none;
}

}  // namespace vm
