#pragma once
// The dialog fonts. The dialogs were laid out for "MS Sans Serif" 8 pt and
// "新宋体" 10 pt; on this desktop the nearest fonts that show Chinese stand in.

#include <QFont>

namespace vm {

QFont MainDialogFont();      // main window, About box
QFont SettingsDialogFont();  // serial settings
QFont TahomaDialogFont();    // universal conversion ("Tahoma" 10 pt)
QFont ApplicationFont();     // menus, message boxes, file dialogs

}  // namespace vm
