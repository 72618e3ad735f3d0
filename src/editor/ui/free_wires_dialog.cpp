#include "editor/ui/free_wires_dialog.h"

#include "app/ui/choice_dialog.h"
#include "app/ui/store_text.h"
#include "editor/ui/ok_abort_buttons.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace tavrel {

TFormFreiDraht::TFormFreiDraht(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormFreiDraht");
    setWindowTitle("Free wires");
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("from nod", this), 0, 1);
    grid->addWidget(new QLabel("to nod", this), 0, 2);
    auto* twoDigits = new QRegularExpressionValidator(QRegularExpression("[0-9]{0,2}"), this);
    for (int k = 0; k < FreeWireCount; ++k) {
        m_on[k] = new QCheckBox(QString::fromStdString(FreeWireCaption(k)), this);
        m_on[k]->setObjectName(QString("CheckWire%1").arg(k + 1));
        m_from[k] = new QLineEdit(this);
        m_from[k]->setObjectName(QString("EditFrom%1").arg(k + 1));
        m_to[k] = new QLineEdit(this);
        m_to[k]->setObjectName(QString("EditTo%1").arg(k + 1));
        for (QLineEdit* edit : {m_from[k], m_to[k]}) {
            edit->setValidator(twoDigits);
            edit->setMaxLength(2);
            edit->setFixedWidth(40);
        }
        grid->addWidget(m_on[k], k + 1, 0);
        grid->addWidget(m_from[k], k + 1, 1);
        grid->addWidget(m_to[k], k + 1, 2);
    }
    layout->addLayout(grid);
    layout->addWidget(OkAbortButtons(this, [this] { ok(); }));
}

void TFormFreiDraht::Load(const TWeiche& weiche) {
    m_weiche = weiche;
    const FreeWireRows rows = FreeWireRowsOf(weiche);
    for (int k = 0; k < FreeWireCount; ++k) {
        m_on[k]->setChecked(rows[k].on);
        m_from[k]->setText(QString::fromStdString(rows[k].from));
        m_to[k]->setText(QString::fromStdString(rows[k].to));
    }
}

void TFormFreiDraht::ok() {
    FreeWireRows rows;
    for (int k = 0; k < FreeWireCount; ++k) {
        rows[k] = {m_on[k]->isChecked(), ToStoreText(m_from[k]->text()),
                   ToStoreText(m_to[k]->text())};
    }
    const std::string error = ApplyFreeWireRows(m_weiche, rows);
    if (!error.empty()) {
        ShowMessage(this, FromStoreText(error));
        return;
    }
    accept();
}

} // namespace tavrel
