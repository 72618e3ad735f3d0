// The controls of the driver editor's four pages, built from the field tables of the core.
#include "charts/ui/chart_box.h"
#include "driver_editor/driver_editor_actions.h"
#include "driver_editor/ui/driver_editor.h"
#include "foundation/ui/choice_dialog.h"
#include "foundation/ui/store_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tavrel {

namespace {

QPushButton* button(QWidget* parent, const QString& caption, const char* name) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

void DriverEditor::buildWindow() {
    auto* layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName("PageControl");
    m_pages->addTab(buildDriverPage(), "&Driver data");
    m_pages->addTab(buildEnclosurePage(), "&Enclosure && Impedance");
    m_pages->addTab(buildBafflePage(), "&Baffle and position");
    m_pages->addTab(buildMorePage(), "more data");
    layout->addWidget(m_pages);

    auto* row = new QHBoxLayout;
    QPushButton* load = button(this, "Load driver from file ...", "BtnLoad");
    QPushButton* save = button(this, "Save driver to file ...", "BtnSave");
    QPushButton* update = button(this, "update", "BtnUpdate");
    QPushButton* ok = button(this, "Ok", "BtnOk");
    QPushButton* abort = button(this, "Abort", "BtnAbort");
    connect(load, &QPushButton::clicked, this, &DriverEditor::LoadDriver);
    connect(save, &QPushButton::clicked, this, &DriverEditor::SaveDriver);
    connect(update, &QPushButton::clicked, this, &DriverEditor::Update);
    connect(ok, &QPushButton::clicked, this, &DriverEditor::Ok);
    connect(abort, &QPushButton::clicked, this, &DriverEditor::Abort);
    row->addWidget(load);
    row->addWidget(save);
    row->addStretch();
    row->addWidget(update);
    row->addWidget(ok);
    row->addWidget(abort);
    layout->addLayout(row);
    resize(1180, 800);
}

void DriverEditor::addFields(QGridLayout* grid, EditorPage page, int columns) {
    int index = 0;
    const int firstRow = grid->rowCount();
    const auto place = [&](const char* name, const char* caption, QWidget* parent) {
        auto* label = new QLabel(FromStoreText(caption), parent);
        auto* edit = new QLineEdit(parent);
        edit->setObjectName(name);
        edit->setMaximumWidth(160);
        const int row = firstRow + index / columns;
        grid->addWidget(label, row, 2 * (index % columns));
        grid->addWidget(edit, row, 2 * (index % columns) + 1);
        m_edits[name] = edit;
        m_editLabels[name] = label;
        ++index;
    };
    QWidget* parent = grid->parentWidget();
    for (const TextField& field : TextFields()) {
        if (field.page == page) {
            place(field.name, field.caption, parent);
        }
    }
    for (const NumberField& field : NumberFields()) {
        if (field.page == page) {
            place(field.name, field.caption, parent);
        }
    }
}

void DriverEditor::addChecks(QGridLayout* grid, EditorPage page, int row) {
    int column = 0;
    for (const CheckField& field : CheckFields()) {
        if (field.page != page) {
            continue;
        }
        auto* check = new QCheckBox(FromStoreText(field.caption), grid->parentWidget());
        check->setObjectName(field.name);
        grid->addWidget(check, row + column / 2, 2 * (column % 2), 1, 2);
        m_checks[field.name] = check;
        ++column;
    }
}

void DriverEditor::addLists(QGridLayout* grid, EditorPage page, int row) {
    for (const ListField& field : ListFields()) {
        if (field.page != page) {
            continue;
        }
        auto* list = new QComboBox(grid->parentWidget());
        list->setObjectName(field.name);
        for (const char* item : field.items) {
            list->addItem(FromStoreText(item));
        }
        grid->addWidget(new QLabel(FromStoreText(field.caption), grid->parentWidget()), row, 0);
        grid->addWidget(list, row, 1, 1, 3);
        m_lists[field.name] = list;
        ++row;
    }
}

QWidget* DriverEditor::buildDriverPage() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);

    auto* left = new QWidget(page);
    auto* grid = new QGridLayout(left);
    addFields(grid, EditorPage::Driver, 1);
    addLists(grid, EditorPage::Driver, grid->rowCount());
    addChecks(grid, EditorPage::Driver, grid->rowCount());
    grid->setRowStretch(grid->rowCount(), 1);
    layout->addWidget(left);

    auto* right = new QVBoxLayout;
    m_chart = new ChartBox(1, 1, m_placeholder, page);
    m_chart->setObjectName("ChartMeasured");
    m_chart->setMinimumSize(560, 300);
    right->addWidget(m_chart, 3);
    right->addWidget(buildTables(), 2);
    auto* commands = new QHBoxLayout;
    QPushButton* importResponse = button(page, "Import ...", "BtnImportResponse");
    QPushButton* importImpedance = button(page, "Import ...", "BtnImportImpedance");
    QPushButton* level = button(page, "Modify level ...", "BtnModifyLevel");
    QPushButton* fit =
        button(page, "Calculate Re.. and Le.. From impedance response", "BtnFitVoiceCoil");
    QPushButton* fitTs =
        button(page, "Fit Thiele-Small parameters from impedance...", "BtnFitThieleSmall");
    importResponse->setToolTip("Import frequency response");
    importImpedance->setToolTip("Import impedance response");
    connect(importResponse, &QPushButton::clicked, this, [this] { ImportResponse(false); });
    connect(importImpedance, &QPushButton::clicked, this, [this] { ImportResponse(true); });
    connect(level, &QPushButton::clicked, this, &DriverEditor::ModifyLevel);
    connect(fit, &QPushButton::clicked, this, &DriverEditor::FitVoiceCoil);
    connect(fitTs, &QPushButton::clicked, this, &DriverEditor::FitThieleSmall);
    commands->addWidget(new QLabel("Frequency response:", page));
    commands->addWidget(importResponse);
    commands->addWidget(level);
    commands->addSpacing(20);
    commands->addWidget(new QLabel("Impedance:", page));
    commands->addWidget(importImpedance);
    commands->addWidget(fit);
    commands->addWidget(fitTs);
    commands->addStretch();
    right->addLayout(commands);
    m_computedPhase = new QLabel(page);
    m_computedPhase->setObjectName("LabelComputedPhase");
    right->addWidget(m_computedPhase);
    layout->addLayout(right, 1);

    connect(m_checks.at("CheckUseFgangA"), &QCheckBox::toggled, this,
            &DriverEditor::updateDependencies);
    connect(m_checks.at("CheckUseFgangI"), &QCheckBox::toggled, this,
            &DriverEditor::updateDependencies);
    connect(m_lists.at("ListFgangWhich"), &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling) {
            ShowMessage(this, FromStoreText(MeasurementPlaceMessage));
        }
    });
    return page;
}

QWidget* DriverEditor::buildTables() {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    for (std::size_t t = 0; t < MeasuredTables().size(); ++t) {
        const MeasuredTable& spec = MeasuredTables()[t];
        auto* table = new QTableWidget(MeasuredTableRowCount, 2, box);
        table->setObjectName(spec.name);
        table->setHorizontalHeaderLabels({"Hz", FromStoreText(spec.valueCaption)});
        table->horizontalHeader()->setDefaultSectionSize(62);
        table->verticalHeader()->setDefaultSectionSize(20);
        table->setToolTip(spec.caption);
        auto* column = new QVBoxLayout;
        column->addWidget(new QLabel(spec.caption, box));
        column->addWidget(table);
        row->addLayout(column);
        m_tables[t] = table;
        connect(table, &QTableWidget::itemChanged, this, [this] {
            if (!m_filling) {
                applyControls();
                refreshChart();
            }
        });
    }
    return box;
}

QWidget* DriverEditor::buildEnclosureChoice() {
    auto* group = new QGroupBox("Enclosure");
    auto* column = new QVBoxLayout(group);
    m_enclosure = new QButtonGroup(group);
    for (const EnclosureChoice& choice : EnclosureChoices()) {
        auto* radio = new QRadioButton(choice.caption, group);
        radio->setObjectName(QString("RadioTyp%1").arg(choice.typ));
        m_enclosure->addButton(radio, choice.typ);
        column->addWidget(radio);
    }
    connect(m_enclosure, &QButtonGroup::idClicked, this, &DriverEditor::enclosureSettingChanged);
    return group;
}

QWidget* DriverEditor::buildDampingSliders() {
    auto* group = new QGroupBox("Damping material");
    auto* row = new QHBoxLayout(group);
    auto* scale = new QVBoxLayout;
    scale->addWidget(new QLabel("no wool", group));
    scale->addStretch();
    scale->addWidget(new QLabel("loosely filled", group));
    scale->addStretch();
    scale->addWidget(new QLabel("stuffed", group));
    row->addLayout(scale);
    for (std::size_t i = 0; i < DampingFields().size(); ++i) {
        const DampingField& field = DampingFields()[i];
        auto* box = new QWidget(group);
        auto* column = new QVBoxLayout(box);
        auto* slider = new QSlider(Qt::Vertical, box);
        slider->setObjectName(field.name);
        slider->setRange(0, 4);
        slider->setPageStep(1);
        slider->setInvertedAppearance(true); // "no wool" at the top
        slider->setTickPosition(QSlider::TicksRight);
        slider->setMinimumHeight(120);
        auto* label = new QLabel(field.caption, box);
        label->setWordWrap(true);
        label->setMaximumWidth(110);
        column->addWidget(slider, 1, Qt::AlignHCenter);
        column->addWidget(label);
        row->addWidget(box);
        m_sliders[i] = slider;
        m_sliderBoxes[i] = box;
        connect(slider, &QSlider::valueChanged, this, &DriverEditor::enclosureSettingChanged);
    }
    return group;
}

QWidget* DriverEditor::buildEnclosurePage() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    left->addWidget(buildEnclosureChoice());

    auto* fields = new QWidget(page);
    auto* grid = new QGridLayout(fields);
    addFields(grid, EditorPage::Enclosure, 1);
    m_radiatorTuning = new QLabel(fields);
    m_radiatorTuning->setObjectName("LabelRadiatorTuning");
    grid->addWidget(m_radiatorTuning, grid->rowCount(), 0, 1, 2);
    grid->setColumnStretch(2, 1);
    addChecks(grid, EditorPage::Enclosure, grid->rowCount());
    auto* hints = new QHBoxLayout;
    QPushButton* volumeHint = button(fields, "? volume increase factor", "BtnHintVolume");
    QPushButton* massHint = button(fields, "? mb and fmb", "BtnHintMass");
    hints->addWidget(volumeHint);
    hints->addWidget(massHint);
    hints->addStretch();
    grid->addLayout(hints, grid->rowCount(), 0, 1, 2);
    connect(volumeHint, &QPushButton::clicked, this, &DriverEditor::ShowVolumeHint);
    connect(massHint, &QPushButton::clicked, this, &DriverEditor::ShowMassHint);
    connect(m_checks.at("CheckExplicit"), &QCheckBox::toggled, this,
            &DriverEditor::enclosureSettingChanged);
    left->addWidget(fields);
    left->addWidget(buildDampingSliders());
    left->addStretch();
    layout->addLayout(left, 2);

    auto* derived = new QGroupBox(" Calculated data ", page);
    auto* column = new QVBoxLayout(derived);
    for (int i = 0; i < 27; ++i) {
        auto* label = new QLabel(derived);
        label->setObjectName(QString("LabelDerived%1").arg(i + 1));
        column->addWidget(label);
        m_derived.push_back(label);
    }
    column->addStretch();
    layout->addWidget(derived, 1);
    return page;
}

QWidget* DriverEditor::buildBafflePage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    addFields(grid, EditorPage::Baffle, 3);
    grid->addWidget(new QLabel("Diffraction at baffle", page), grid->rowCount(), 0);
    addChecks(grid, EditorPage::Baffle, grid->rowCount());
    m_checks.at("CheckGemGeh")->setEnabled(false); // set in the common housing dialog only
    addLists(grid, EditorPage::Baffle, grid->rowCount());
    grid->setRowStretch(grid->rowCount(), 1);
    grid->setColumnStretch(6, 1);
    return page;
}

QWidget* DriverEditor::buildMorePage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    addFields(grid, EditorPage::More, 2);
    grid->setRowStretch(grid->rowCount(), 1);
    grid->setColumnStretch(4, 1);
    return page;
}

} // namespace tavrel
