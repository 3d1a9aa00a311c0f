#pragma once
// Qt's own texts (the standard buttons, the file dialogs) in the user's
// language: Qt's translation for the locale from the system's Qt translations,
// or Simplified Chinese, the program's own language, when the locale has none.

class QCoreApplication;

namespace vm {

// Installs the translation on app; false when no translation could be loaded
// (the standard texts then stay in English).
bool InstallQtTranslation(QCoreApplication& app);

}  // namespace vm
