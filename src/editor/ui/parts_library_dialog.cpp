#include "editor/ui/parts_library_dialog.h"

#include "app/ui/store_text.h"
#include "editor/ui/ok_abort_buttons.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tavrel {

namespace {

constexpr const char* PageCaptions[PartsPageCount] = {"resistors", "inductances", "capacitores"};
constexpr const char* PageNames[PartsPageCount] = {"ListResistors", "ListInductances",
                                                   "ListCapacitors"};
constexpr const char* LeftOutNames[PartsPageCount] = {"resistors", "inductances", "capacitors"};

QString leftOutText(const PartsLists& lists) {
    QStringList parts;
    for (int p = 0; p < PartsPageCount; ++p) {
        if (lists.leftOut[p] > 0) {
            parts << QString("%1 %2").arg(lists.leftOut[p]).arg(LeftOutNames[p]);
        }
    }
    if (parts.isEmpty()) {
        return {};
    }
    return QString("Not listed (a list holds %1 entries): %2")
        .arg(MaxPartsPerKind)
        .arg(parts.join(", "));
}

} // namespace

TFormWParts::TFormWParts(std::string partsDir, QWidget* parent)
    : QDialog(parent), m_partsDir(std::move(partsDir)) {
    setObjectName("TFormWParts");
    setWindowTitle("Crossover network parts");
    resize(760, 460);
    auto* layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName("PageControl");
    for (int p = 0; p < PartsPageCount; ++p) {
        auto* list = new QListWidget(m_pages);
        list->setObjectName(PageNames[p]);
        // Entries run down and wrap into columns, four of them across the page.
        list->setFlow(QListView::TopToBottom);
        list->setWrapping(true);
        list->setResizeMode(QListView::Adjust);
        list->setGridSize(QSize(180, 18));
        const auto page = static_cast<PartsPage>(p);
        connect(list, &QListWidget::itemClicked, this,
                [this, list, page](QListWidgetItem* item) { choose(page, list->row(item)); });
        connect(list, &QListWidget::itemDoubleClicked, this,
                [this, list, page](QListWidgetItem* item) {
                    choose(page, list->row(item));
                    accept();
                });
        m_views[p] = list;
        m_pages->addTab(list, PageCaptions[p]);
    }
    layout->addWidget(m_pages, 1);
    m_selected = new QLabel("selected:", this);
    m_selected->setObjectName("LabelSelected");
    layout->addWidget(m_selected);
    m_leftOut = new QLabel(this);
    m_leftOut->setObjectName("LabelLeftOut");
    layout->addWidget(m_leftOut);
    layout->addWidget(OkAbortButtons(this));
}

void TFormWParts::SetWanted(const ChosenPart& wanted) {
    m_wanted = wanted;
    PartsPage page{};
    if (PageOfPartType(wanted.kind, page)) {
        m_pages->setCurrentIndex(static_cast<int>(page));
    }
}

void TFormWParts::RestrictToType(int typ) {
    PartsPage page{};
    if (!PageOfPartType(typ, page)) {
        return;
    }
    for (int p = 0; p < PartsPageCount; ++p) {
        m_pages->setTabVisible(p, p == static_cast<int>(page));
    }
    m_pages->setCurrentIndex(static_cast<int>(page));
}

void TFormWParts::SetPage(PartsPage page) {
    m_pages->setCurrentIndex(static_cast<int>(page));
}

PartsPage TFormWParts::activePage() const {
    return static_cast<PartsPage>(m_pages->currentIndex());
}

void TFormWParts::Fill() {
    m_lists = ReadPartsDirectory(m_partsDir);
    for (int p = 0; p < PartsPageCount; ++p) {
        m_views[p]->clear();
        for (const PartsEntry& entry : m_lists.pages[p]) {
            m_views[p]->addItem(FromStoreText(entry.text));
        }
    }
    m_leftOut->setText(leftOutText(m_lists));
    m_leftOut->setVisible(!m_leftOut->text().isEmpty());
    m_selected->setText("selected:");
    m_chosen = {};
    PartsPage page{};
    if (!PageOfPartType(m_wanted.kind, page) || page != activePage()) {
        return;
    }
    const int row = PreselectedEntry(m_lists, page, m_wanted);
    if (row >= 0) {
        m_views[static_cast<int>(page)]->setCurrentRow(row);
        choose(page, row);
    }
}

void TFormWParts::ChooseRow(int index) {
    m_views[static_cast<int>(activePage())]->setCurrentRow(index);
    choose(activePage(), index);
}

void TFormWParts::choose(PartsPage page, int index) {
    const auto& entries = m_lists.page(page);
    if (index < 0 || index >= static_cast<int>(entries.size())) {
        return;
    }
    m_selected->setText("selected: " + FromStoreText(entries[index].text));
    m_chosen = ChooseEntry(m_lists, page, index);
}

void TFormWParts::showEvent(QShowEvent* event) {
    Fill();
    QDialog::showEvent(event);
}

} // namespace tavrel
