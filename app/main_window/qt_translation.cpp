#include "app/main_window/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vm {

bool InstallQtTranslation(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (translator->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"), folder) ||
        translator->load(QStringLiteral("qtbase_zh_CN"), folder)) {
        QCoreApplication::installTranslator(translator);
        return true;
    }
    delete translator;
    return false;
}

}  // namespace vm
