#include "driver_editor/ui/driver_editor.h"

#include "charts/ui/chart_box.h"
#include "driver_editor/derived_data.h"
#include "driver_editor/driver_editor_actions.h"
#include "driver_editor/measured_chart.h"
#include "foundation/ui/choice_dialog.h"
#include "foundation/ui/store_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>

namespace tavrel {

namespace {

struct EnclosureVisibility {
    const char* name;
    std::initializer_list<int> types;
    bool explicitOnly;
};

// Which enclosure fields each type uses; the loss and air-load factors are typed in only
// with explicit input, otherwise the damping sliders set them.
const EnclosureVisibility EnclosureFields[] = {
    {"EditVb", {1, 2, 3, 4, 5}, false}, {"Editfb", {2, 4}, false},
    {"EditVbf", {3, 4}, false},         {"Editfbf", {3, 4}, false},
    {"EditvV", {1, 2, 3, 4, 5}, true},  {"Editmb", {1, 2, 3, 4, 5}, true},
    {"Editfmb", {1, 2, 3, 4, 5}, true}, {"EditQl", {1, 2, 3, 4, 5}, true},
    {"EditQb", {2, 4, 5}, true},        {"EditQk", {2, 4}, true},
    {"EditvVf", {3, 4}, true},          {"EditQbf", {3, 4}, true},
    {"EditQkf", {3, 4}, true},          {"EditAport", {2, 4}, false},
    {"EditAportf", {3, 4}, false},      {"EditPRn", {5}, false},
    {"EditPRSd", {5}, false},           {"EditPRVas", {5}, false},
    {"EditPRfs", {5}, false},           {"EditPRQms", {5}, false},
    {"EditPRmadd", {5}, false},         {"EditPRxmax", {5}, false},
};
const std::initializer_list<int> SliderTypes[] = {
    {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}, {2, 4}, {3, 4}, {3, 4}};

bool contains(std::initializer_list<int> types, int typ) {
    return std::find(types.begin(), types.end(), typ) != types.end();
}

DriverEditor::FileChooser& fileChooser() {
    static DriverEditor::FileChooser instance;
    return instance;
}

} // namespace

void DriverEditor::SetFileChooser(FileChooser chooser) {
    fileChooser() = std::move(chooser);
}

DriverEditor::DriverEditor(const QImage& placeholder, QWidget* parent)
    : QDialog(parent), m_records(std::make_unique<DriverRecords>()),
      m_opened(std::make_unique<DriverRecords>()), m_placeholder(placeholder) {
    setObjectName("TFormChassis");
    setWindowTitle("Edit driver and enclosure");
    setModal(false);
    buildWindow();
    connectPreview();
}

DriverEditor::~DriverEditor() = default;

void DriverEditor::Open(int slot, const TProjekt& project, const QString& driverDirectory,
                        int page) {
    m_slot = slot;
    m_driverCoded = true;
    m_driverDirectory = driverDirectory;
    m_records->chassis = project.Chassis[slot];
    m_records->einbau = project.Einbau[slot];
    m_records->baffle = project.Schallwand[slot];
    setWindowTitle(QString("Edit driver and enclosure - Driver %1").arg(slot + 1));
    fillControls();
    refreshDerived();
    *m_opened = *m_records;
    m_pages->setCurrentIndex(page);
    show();
    raise();
    activateWindow();
}

EditorControls DriverEditor::readControls() const {
    EditorControls shown;
    for (const auto& [name, edit] : m_edits) {
        shown.texts[name] = ToStoreText(edit->text());
    }
    for (const auto& [name, check] : m_checks) {
        shown.checks[name] = check->isChecked();
    }
    for (const auto& [name, list] : m_lists) {
        shown.lists[name] = list->currentIndex();
    }
    shown.typ = m_enclosure->checkedId() >= 0 ? m_enclosure->checkedId() : m_filled.typ;
    for (std::size_t i = 0; i < m_sliders.size(); ++i) {
        shown.damping[i] = m_sliders[i]->value();
    }
    for (std::size_t t = 0; t < m_tables.size(); ++t) {
        std::vector<TableRow>& rows = shown.tables[t];
        for (int r = 0; r < m_tables[t]->rowCount(); ++r) {
            TableRow row;
            for (int c = 0; c < 2; ++c) {
                const QTableWidgetItem* item = m_tables[t]->item(r, c);
                row[static_cast<std::size_t>(c)] = item ? ToStoreText(item->text()) : "";
            }
            rows.push_back(row);
        }
        // Rows after the last filled one are the empty rest of the table.
        while (!rows.empty() && rows.back()[0].empty() && rows.back()[1].empty()) {
            rows.pop_back();
        }
    }
    return shown;
}

void DriverEditor::fillControls() {
    m_filling = true;
    m_filled = FillControls(*m_records);
    for (const auto& [name, edit] : m_edits) {
        edit->setText(FromStoreText(m_filled.texts[name]));
        edit->setCursorPosition(0);
    }
    for (const auto& [name, check] : m_checks) {
        check->setChecked(m_filled.checks[name]);
    }
    for (const auto& [name, list] : m_lists) {
        list->setCurrentIndex(m_filled.lists[name]);
    }
    if (QAbstractButton* button = m_enclosure->button(m_filled.typ)) {
        button->setChecked(true);
    } else if (QAbstractButton* checked = m_enclosure->checkedButton()) {
        // A type without a button shows none checked and stays as stored.
        m_enclosure->setExclusive(false);
        checked->setChecked(false);
        m_enclosure->setExclusive(true);
    }
    for (std::size_t i = 0; i < m_sliders.size(); ++i) {
        m_sliders[i]->setValue(m_filled.damping[i]);
    }
    for (std::size_t t = 0; t < m_tables.size(); ++t) {
        QTableWidget* table = m_tables[t];
        table->clearContents();
        const std::vector<TableRow>& rows = m_filled.tables[t];
        for (std::size_t r = 0; r < rows.size(); ++r) {
            for (int c = 0; c < 2; ++c) {
                table->setItem(
                    static_cast<int>(r), c,
                    new QTableWidgetItem(FromStoreText(rows[r][static_cast<std::size_t>(c)])));
            }
        }
    }
    updateDependencies();
    updateEnclosureLayout();
    refreshChart();
    m_filling = false;
}

void DriverEditor::applyControls() {
    ApplyControls(readControls(), m_filled, *m_records);
    m_filled = readControls();
}

void DriverEditor::refreshDerived() {
    RefreshDerived(*m_records);
    const std::vector<std::string> lines = DerivedDataLines(m_records->chassis);
    for (std::size_t i = 0; i < m_derived.size() && i < lines.size(); ++i) {
        m_derived[i]->setText(FromStoreText(lines[i]));
    }
    m_radiatorTuning->setText(
        FromStoreText(RadiatorTuningText(m_records->chassis, m_records->einbau)));
}

void DriverEditor::refreshChart() {
    FillMeasuredChart(m_chart->chart(0), m_records->chassis);
    m_chart->update();
}

void DriverEditor::updateDependencies() {
    const auto follow = [this](const char* master, std::initializer_list<const char*> slaves) {
        const bool on = m_checks.at(master)->isChecked();
        for (const char* slave : slaves) {
            QCheckBox* check = m_checks.at(slave);
            if (!on) {
                check->setChecked(false);
            }
            check->setEnabled(on);
        }
    };
    follow("CheckUseFgangA", {"CheckUseFgangAP", "CheckUseFgangA2fs"});
    follow("CheckUseFgangI", {"CheckUseFgangIP"});
}

void DriverEditor::updateEnclosureLayout() {
    const int typ = m_enclosure->checkedId();
    const bool explicitInput = m_checks.at("CheckExplicit")->isChecked();
    for (const EnclosureVisibility& field : EnclosureFields) {
        const bool visible = contains(field.types, typ) && (!field.explicitOnly || explicitInput);
        m_edits.at(field.name)->setVisible(visible);
        m_editLabels.at(field.name)->setVisible(visible);
    }
    for (std::size_t i = 0; i < m_sliderBoxes.size(); ++i) {
        m_sliderBoxes[i]->setVisible(!explicitInput && contains(SliderTypes[i], typ));
    }
    m_radiatorTuning->setVisible(typ == EinbauPassiveRadiator);
}

/// A slider, the enclosure type or the explicit-input box changed (the sliders are hidden
/// while the factors are entered explicitly, and the estimate leaves those alone).
void DriverEditor::enclosureSettingChanged() {
    if (m_filling) {
        return;
    }
    updateEnclosureLayout();
    applyControls();
    refreshDerived();
    fillControls(); // shows the estimated factors
}

void DriverEditor::Update() {
    applyControls();
    refreshDerived();
    fillControls();
}

bool DriverEditor::Ok() {
    applyControls();
    if (NeedsFsConfirmation(m_records->chassis) &&
        TUniAuswahlDlg::Ask(this, FsQuestion, FsQuestionButtons, 1) != 2) {
        return false;
    }
    if (const std::string problem = EnclosureProblem(m_records->einbau); !problem.empty()) {
        ShowMessage(this, FromStoreText(problem));
        return false;
    }
    refreshDerived();
    *m_opened = *m_records;
    hide();
    emit applied();
    emit closed();
    return true;
}

void DriverEditor::Abort() {
    hide();
    emit closed();
}

void DriverEditor::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

QString DriverEditor::chooseFile(FileUse use, const QString& title, const QString& filter) {
    bool coded = true;
    if (fileChooser()) {
        return fileChooser()(use, m_driverDirectory, coded);
    }
    return defaultFileDialog(use, title, filter, coded);
}

QString DriverEditor::chooseFile(FileUse use, bool& coded) {
    if (fileChooser()) {
        return fileChooser()(use, m_driverDirectory, coded);
    }
    return defaultFileDialog(use, {}, {}, coded);
}

} // namespace tavrel
