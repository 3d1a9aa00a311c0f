#pragma once
// The application icon (resource 128): a total station on its tripod.

#include <QIcon>

namespace vm {

QIcon AppIcon();

}  // namespace vm
