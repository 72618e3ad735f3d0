#include "app/ui/copy_driver_dialog.h"

#include "app/driver_copy.h"
#include "app/ui/store_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tavrel {

TFormCopyDriver::TFormCopyDriver(const TProjekt& projekt, QWidget* parent)
    : QDialog(parent), m_project(std::make_unique<TProjekt>(projekt)) {
    setObjectName("TFormCopyDriver");
    setWindowTitle("Copy / exchange driver");
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    m_source = new QComboBox(this);
    m_source->setObjectName("CBSource");
    m_operation = new QComboBox(this);
    m_operation->setObjectName("CBOperation");
    m_operation->addItems({"copy to", "exchange with"});
    m_target = new QComboBox(this);
    m_target->setObjectName("CBTarget");
    grid->addWidget(new QLabel("Driver", this), 0, 0);
    grid->addWidget(m_source, 1, 0);
    grid->addWidget(m_operation, 1, 1);
    grid->addWidget(new QLabel("Driver", this), 0, 2);
    grid->addWidget(m_target, 1, 2);
    layout->addLayout(grid);
    m_enclosure = new QCheckBox("incl. enclosure data", this);
    m_enclosure->setObjectName("CheckBoxEnclosure");
    m_baffle = new QCheckBox("incl. baffle data", this);
    m_baffle->setObjectName("CheckBoxBaffle");
    layout->addWidget(m_enclosure);
    layout->addWidget(m_baffle);
    auto* execute = new QPushButton("Execute now", this);
    execute->setObjectName("BtnExecute");
    connect(execute, &QPushButton::clicked, this, &TFormCopyDriver::ExecuteNow);
    layout->addWidget(execute);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton("Ok", QDialogButtonBox::AcceptRole)->setObjectName("BtnOk");
    buttons->addButton("Abort", QDialogButtonBox::RejectRole)->setObjectName("BtnAbort");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    fillDriverLists();
    m_target->setCurrentIndex(m_target->count() > 1 ? 1 : 0);
}

void TFormCopyDriver::fillDriverLists() {
    for (QComboBox* list : {m_source, m_target}) {
        const int selected = std::max(list->currentIndex(), 0);
        list->clear();
        for (int slot = 0; slot < ChassisCount(*m_project); ++slot) {
            list->addItem(FromStoreText(DriverSlotText(*m_project, slot)));
        }
        list->setCurrentIndex(std::min(selected, list->count() - 1));
    }
}

void TFormCopyDriver::ExecuteNow() {
    const DriverCopyOptions options{m_enclosure->isChecked(), m_baffle->isChecked()};
    const int source = m_source->currentIndex();
    const int target = m_target->currentIndex();
    if (source < 0 || target < 0) {
        return;
    }
    if (m_operation->currentIndex() == 0) {
        CopyDriverSlot(*m_project, source, target, options);
    } else {
        ExchangeDriverSlots(*m_project, source, target, options);
    }
    fillDriverLists();
}

} // namespace tavrel
