#pragma once
// The templates of every described dialog, for the desktop programs' checks
// that each control is made as its row says.

#include <vector>

#include "dialogs/control_row.h"

namespace vm {

std::vector<const DialogTemplate*> EveryDialogTemplate();

}  // namespace vm
