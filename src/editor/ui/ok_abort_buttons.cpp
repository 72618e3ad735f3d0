#include "editor/ui/ok_abort_buttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace tavrel {

QDialogButtonBox* OkAbortButtons(QDialog* dialog, std::function<void()> onOk) {
    auto* buttons = new QDialogButtonBox(dialog);
    buttons->addButton("&Ok", QDialogButtonBox::AcceptRole)->setObjectName("BtnOk");
    buttons->addButton("&Abort", QDialogButtonBox::RejectRole)->setObjectName("BtnAbort");
    if (!onOk) {
        onOk = [dialog] { dialog->accept(); };
    }
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, std::move(onOk));
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace tavrel
