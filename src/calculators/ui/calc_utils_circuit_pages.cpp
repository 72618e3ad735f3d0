// The crossover, voltage divider and impedance correction pages of the utilities window.
#include "app/ui/store_text.h"
#include "calculators/ui/calc_utils_widgets.h"
#include "calculators/ui/calc_utils_window.h"
#include "calculators/ui/sketch_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace tavrel {

using calcui::Field;
using calcui::Text;

namespace {

/// A memo under the picture of the circuit whose values it lists.
QWidget* circuitWithMemo(QWidget* parent, Sketch sketch, QPlainTextEdit*& memo, const char* name) {
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* view = new SketchView(std::move(sketch), 24, box);
    view->setMinimumHeight(70);
    layout->addWidget(view, 1);
    memo = calcui::ResultMemo(box, name);
    layout->addWidget(memo, 1);
    return box;
}

} // namespace

QWidget* TFormCalcUtils::createCrossoverPage() {
    const CrossoverInputs d;
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    EditTF = calcui::AddField(form, page, "EditTF", "Crossover frequency [Hz]", d.TF);
    EditITT = calcui::AddField(form, page, "EditITT", "Impedance of woofer [ohm]", d.ITT);
    EditIHT = calcui::AddField(form, page, "EditIHT", "Impedance of tweeter [ohm]", d.IHT);
    layout->addLayout(form);

    auto* orders = new QGridLayout;
    static const char* titles[] = {"crossover networks 1st order", "crossover networks 2nd order",
                                   "crossover networks 3rd order", "crossover networks 4th order"};
    static const char* names[] = {"MemoTP1", "MemoHP1", "MemoTP2", "MemoHP2",
                                  "MemoTP3", "MemoHP3", "MemoTP4", "MemoHP4"};
    for (int order = 0; order < 4; ++order) {
        auto* group = new QGroupBox(titles[order], page);
        auto* groupLayout = new QHBoxLayout(group);
        for (int side = 0; side < 2; ++side) {
            const int memo = 2 * order + side;
            groupLayout->addWidget(
                circuitWithMemo(group, CrossoverSketch(memo), m_crossoverMemos[memo], names[memo]));
        }
        orders->addWidget(group, order / 2, order % 2);
    }
    layout->addLayout(orders, 1);
    for (QLineEdit* field : {EditTF, EditITT, EditIHT}) {
        connect(field, &QLineEdit::textChanged, this, &TFormCalcUtils::CalcStandardCrossovers);
    }
    return page;
}

void TFormCalcUtils::CalcStandardCrossovers() {
    const auto memos = StandardCrossovers({Text(EditTF), Text(EditITT), Text(EditIHT)});
    for (std::size_t m = 0; m < memos.size(); ++m) {
        calcui::Show(m_crossoverMemos[m], memos[m]);
    }
}

QWidget* TFormCalcUtils::createDividerPage() {
    const DividerLevelInputs level;
    const DividerPartsInputs parts;
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);

    auto* byLevel = new QGroupBox("Voltage divider with Input of reduction level", page);
    auto* levelLayout = new QVBoxLayout(byLevel);
    auto* levelForm = new QFormLayout;
    CB_dBWunsch = new QComboBox(byLevel);
    CB_dBWunsch->setObjectName("CB_dBWunsch");
    for (const std::string& item : DividerLevelChoices()) {
        CB_dBWunsch->addItem(FromStoreText(item));
    }
    CB_dBWunsch->setCurrentIndex(5);
    CB_dBWunsch->setMaximumWidth(120);
    levelForm->addRow("target reduction [dB]", CB_dBWunsch);
    EditZE = calcui::AddField(levelForm, byLevel, "EditZE", "target impedance [ohm]", level.ZE);
    CB_ZEegal = new QCheckBox("Don not care about impedance", byLevel);
    CB_ZEegal->setObjectName("CB_ZEegal");
    CB_ZEegal->setChecked(level.ZEegal);
    levelForm->addRow(CB_ZEegal);
    EditZE->setEnabled(!level.ZEegal);
    EditZA =
        calcui::AddField(levelForm, byLevel, "EditZA", "load impedance of speaker [ohm]", level.ZA);
    levelLayout->addLayout(levelForm);
    Memo2 = calcui::ResultMemo(byLevel, "Memo2");
    levelLayout->addWidget(Memo2);
    layout->addWidget(byLevel, 3);

    auto* byParts = new QGroupBox("Voltage divider with Input of parts values", page);
    auto* partsLayout = new QVBoxLayout(byParts);
    partsLayout->addWidget(new SketchView(DividerSketch(), 28, byParts), 1);
    auto* partsForm = new QFormLayout;
    EditR1 = calcui::AddField(partsForm, byParts, "EditR1", "R1 [ohm]", parts.R1);
    EditR2 = calcui::AddField(partsForm, byParts, "EditR2", "R2 [ohm]", parts.R2);
    EditRL = calcui::AddField(partsForm, byParts, "EditRL", "RL [ohm]", parts.RL);
    partsLayout->addLayout(partsForm);
    Memo3 = calcui::ResultMemo(byParts, "Memo3");
    partsLayout->addWidget(Memo3, 1);
    layout->addWidget(byParts, 2);

    connect(CB_dBWunsch, &QComboBox::currentIndexChanged, this,
            &TFormCalcUtils::CalcDividerByLevel);
    connect(EditZE, &QLineEdit::textChanged, this, &TFormCalcUtils::CalcDividerByLevel);
    connect(EditZA, &QLineEdit::textChanged, this, &TFormCalcUtils::CalcDividerByLevel);
    connect(CB_ZEegal, &QCheckBox::clicked, this, [this] {
        EditZE->setEnabled(!CB_ZEegal->isChecked());
        CalcDividerByLevel();
    });
    for (QLineEdit* field : {EditR1, EditR2, EditRL}) {
        connect(field, &QLineEdit::textChanged, this, &TFormCalcUtils::EditR1Change);
    }
    return page;
}

void TFormCalcUtils::CalcDividerByLevel() {
    calcui::Show(Memo2, DividerByLevel({ToStoreText(CB_dBWunsch->currentText()), Text(EditZE),
                                        Text(EditZA), CB_ZEegal->isChecked()}));
}

void TFormCalcUtils::EditR1Change() {
    calcui::Show(Memo3, DividerByParts({Text(EditR1), Text(EditR2), Text(EditRL)}));
}

QWidget* TFormCalcUtils::createCorrectionPage() {
    const CorrectionInputs d;
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    auto* input = new QGroupBox("Input", page);
    auto* form = new QFormLayout(input);
    EditRLC_Rdc =
        calcui::AddField(form, input, "EditRLC_Rdc", "DC resistance Rdc [ohm]", d.RLC_Rdc);
    EditRLC_fc = calcui::AddField(form, input, "EditRLC_fc",
                                  "Resonance frequency (in encl. If so) [Hz]", d.RLC_fc);
    EditRLC_Qes =
        calcui::AddField(form, input, "EditRLC_Qes", "Electrical Q-faktor Qes", d.RLC_Qes);
    EditRLC_Qms =
        calcui::AddField(form, input, "EditRLC_Qms", "Mechanical Q-factor Qms", d.RLC_Qms);
    EditRLC_Le =
        calcui::AddField(form, input, "EditRLC_Le", "Voice coil inductance [mH]", d.RLC_Le);
    layout->addWidget(input);

    const std::pair<const char*, QPlainTextEdit**> memos[] = {
        {"Impedance correction for voice coil inductance", &Memo4},
        {"Impedance correction for basic resonance", &Memo5},
        {"Impedance correction for basic resonance and voice coil inductance", &Memo6}};
    static const char* names[] = {"Memo4", "Memo5", "Memo6"};
    for (int n = 0; n < 3; ++n) {
        auto* group = new QGroupBox(memos[n].first, page);
        auto* groupLayout = new QVBoxLayout(group);
        groupLayout->addWidget(
            circuitWithMemo(group, CorrectionSketch(n), *memos[n].second, names[n]));
        layout->addWidget(group, 1);
    }
    for (QLineEdit* field : {EditRLC_Rdc, EditRLC_fc, EditRLC_Qes, EditRLC_Qms, EditRLC_Le}) {
        connect(field, &QLineEdit::textChanged, this, &TFormCalcUtils::EditRLC_RdcChange);
    }
    return page;
}

void TFormCalcUtils::EditRLC_RdcChange() {
    const CorrectionLines lines =
        ImpedanceCorrection({Text(EditRLC_Rdc), Text(EditRLC_fc), Text(EditRLC_Qes),
                             Text(EditRLC_Qms), Text(EditRLC_Le)});
    calcui::Show(Memo4, lines.inductance);
    calcui::Show(Memo5, lines.resonance);
    calcui::Show(Memo6, lines.combined);
}

} // namespace tavrel
