#include "app/ui_fonts.h"

#include <QStringList>

namespace vm {
namespace {

QFont FontOf(const QStringList& families, int pointSize) {
    QFont font;
    font.setFamilies(families);
    font.setPointSize(pointSize);
    return font;
}

const QStringList kSans = {"Noto Sans CJK SC", "WenQuanYi Micro Hei", "Droid Sans Fallback",
                           "Sans Serif"};
const QStringList kSong = {"NSimSun",          "Noto Serif CJK SC",   "AR PL UMing CN",
                           "Noto Sans CJK SC", "WenQuanYi Micro Hei", "Serif"};

}  // namespace

QFont MainDialogFont() {
    return FontOf(kSans, 9);
}
QFont SettingsDialogFont() {
    return FontOf(kSong, 10);
}
// "Tahoma" first; the families after it show the Chinese captions.
QFont TahomaDialogFont() {
    return FontOf({"Tahoma", "Noto Sans CJK SC", "WenQuanYi Micro Hei", "Sans Serif"}, 10);
}
QFont ApplicationFont() {
    return FontOf(kSans, 10);
}

}  // namespace vm
