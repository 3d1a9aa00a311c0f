#include "app/main_window/about_dlg.h"

#include "app/app_icon.h"
#include "app/app_info.h"
#include "app/control_id.h"
#include "app/dialog_units.h"
#include "app/ui_fonts.h"

#include <QLabel>
#include <QPushButton>

namespace vm {

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setFont(MainDialogFont());
    setWindowTitle(QString::fromUtf8(kAboutCaption));
    const DialogUnits du = DialogUnits::ForFont(font());

    auto* icon = new QLabel(this);
    SetControlId(icon, kStaticId);
    icon->setPixmap(AppIcon().pixmap(du.toPixels(20, 20)));
    du.place(icon, 11, 17, 20, 20);

    auto* name = new QLabel(QString::fromUtf8(kAppTitle), this);
    SetControlId(name, kStaticId);
    name->setTextFormat(Qt::PlainText);
    du.place(name, 40, 10, 133, 8);

    auto* line = new QLabel(QString::fromUtf8(kAboutSecondLine), this);
    SetControlId(line, kStaticId);
    du.place(line, 40, 25, 188, 12);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    SetControlId(ok, 1);
    ok->setDefault(true);
    du.place(ok, 178, 7, 50, 14);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(du.toPixels(235, 55));
}

}  // namespace vm
