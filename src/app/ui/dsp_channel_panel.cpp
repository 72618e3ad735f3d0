#include "app/ui/dsp_channel_panel.h"

#include "foundation/number_steps.h"
#include "foundation/number_text.h"
#include "foundation/ui/wheel_stepper.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace tavrel {

namespace {

QString numberText(double value) {
    return QString::fromLatin1(FloatToWidth(6, value).c_str());
}

double fieldValue(const QLineEdit* edit) {
    return TextToFloat(edit->text().toStdString());
}

struct FieldSpec {
    const char* key; ///< the file key's ending, which also names the field
    const char* label;
    const char* unit;
};

constexpr std::array<FieldSpec, 5> Fields{{
    {"f", "f", "Hz"},
    {"g", "gain", "dB"},
    {"q", "Q", ""},
    {"f2", "target f", "Hz"},
    {"q2", "target Q", ""},
}};

double stepDelay(double ms, int notches, bool fine) {
    return std::clamp(ms + notches * (fine ? 0.001 : 0.01), 0.0, MaxDspDelay * 1000);
}

} // namespace

TDspChannelPanel::TDspChannelPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* line = new QHBoxLayout;
    line->addWidget(new QLabel("Delay", this));
    m_delay = new QLineEdit(this);
    m_delay->setObjectName("EditDelay");
    m_delay->setMaximumWidth(90);
    line->addWidget(m_delay);
    line->addWidget(new QLabel("ms", this));
    m_invert = new QCheckBox("Inverted polarity", this);
    m_invert->setObjectName("cbInvert");
    line->addWidget(m_invert);
    line->addStretch();
    layout->addLayout(line);

    auto* group = new QGroupBox("Further sections", this);
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < MaxDspSections; ++i) {
        m_rows[i] = makeRow(grid, i);
    }
    m_add = new QPushButton("Add section", group);
    m_add->setObjectName("BtnAddSection");
    grid->addWidget(m_add, MaxDspSections, 0, 1, 2);
    layout->addWidget(group);

    const auto report = [this] { emit valuesChanged(); };
    connect(m_delay, &QLineEdit::editingFinished, this, report);
    InstallWheelStepper(m_delay, 6, stepDelay, report);
    connect(m_invert, &QCheckBox::toggled, this, report);
    connect(m_add, &QPushButton::clicked, this, [this] {
        edit([](auto& sections, int& count) {
            sections[count] = TDspSection{};
            sections[count].typ = DspPeaking;
            ++count;
        });
    });
}

TDspChannelPanel::Row TDspChannelPanel::makeRow(QGridLayout* grid, int index) {
    Row row;
    QWidget* parent = grid->parentWidget();
    const QString number = QString::number(index + 1);
    row.on = new QCheckBox(number, parent);
    row.on->setObjectName("cbEQ" + number);
    grid->addWidget(row.on, index, 0);
    row.type = new QComboBox(parent);
    row.type->setObjectName("ComboEQ" + number);
    for (int t = 1; t <= DspLastFileType; ++t) {
        row.type->addItem(DspTypes[t].name, t);
    }
    grid->addWidget(row.type, index, 1);
    const auto report = [this] { emit valuesChanged(); };
    const std::array<StepFunction, 5> steps{StepFrequency, StepLevelDb, StepPercent, StepFrequency,
                                            StepPercent};
    for (std::size_t k = 0; k < Fields.size(); ++k) {
        row.boxes[k] = new QWidget(parent);
        auto* line = new QHBoxLayout(row.boxes[k]);
        line->setContentsMargins(0, 0, 0, 0);
        line->addWidget(new QLabel(Fields[k].label, row.boxes[k]));
        row.fields[k] = new QLineEdit(row.boxes[k]);
        row.fields[k]->setObjectName("EditEQ" + number + Fields[k].key);
        row.fields[k]->setMaximumWidth(70);
        line->addWidget(row.fields[k]);
        if (*Fields[k].unit != '\0') {
            line->addWidget(new QLabel(Fields[k].unit, row.boxes[k]));
        }
        grid->addWidget(row.boxes[k], index, 2 + static_cast<int>(k));
        connect(row.fields[k], &QLineEdit::editingFinished, this, report);
        InstallWheelStepper(row.fields[k], 6, steps[k], report);
    }
    const std::array<const char*, 3> captions{"\xE2\x96\xB2", "\xE2\x96\xBC", "\xE2\x9C\x95"};
    const std::array<const char*, 3> names{"Up", "Down", "Remove"};
    const std::array<const char*, 3> tips{"Move up", "Move down", "Remove the section"};
    for (int b = 0; b < 3; ++b) {
        row.buttons[b] = new QToolButton(parent);
        row.buttons[b]->setText(QString::fromUtf8(captions[b]));
        row.buttons[b]->setToolTip(tips[b]);
        row.buttons[b]->setObjectName("BtnEQ" + number + names[b]);
        grid->addWidget(row.buttons[b], index, 7 + b);
    }
    connect(row.buttons[0], &QToolButton::clicked, this, [this, index] {
        edit([index](auto& sections, int&) {
            if (index > 0) {
                std::swap(sections[index - 1], sections[index]);
            }
        });
    });
    connect(row.buttons[1], &QToolButton::clicked, this, [this, index] {
        edit([index](auto& sections, int& count) {
            if (index + 1 < count) {
                std::swap(sections[index], sections[index + 1]);
            }
        });
    });
    connect(row.buttons[2], &QToolButton::clicked, this, [this, index] {
        edit([index](auto& sections, int& count) {
            std::rotate(sections.begin() + index, sections.begin() + index + 1,
                        sections.begin() + count);
            sections[--count] = TDspSection{};
        });
    });
    connect(row.on, &QCheckBox::toggled, this, report);
    connect(row.type, &QComboBox::currentIndexChanged, this, [this, index, report] {
        showFieldsOf(index);
        report();
    });
    return row;
}

template <typename Change>
void TDspChannelPanel::edit(Change change) {
    auto sections = shownSections();
    int count = m_count;
    change(sections, count);
    showSections(sections, count);
    emit valuesChanged();
}

std::array<TDspSection, MaxDspSections> TDspChannelPanel::shownSections() const {
    std::array<TDspSection, MaxDspSections> sections{};
    for (int i = 0; i < m_count; ++i) {
        const Row& row = m_rows[i];
        TDspSection& s = sections[i];
        s.typ = row.type->currentData().toInt();
        s.on = row.on->isChecked();
        s.f = fieldValue(row.fields[0]);
        s.g = fieldValue(row.fields[1]);
        s.q = fieldValue(row.fields[2]);
        s.f2 = fieldValue(row.fields[3]);
        s.q2 = fieldValue(row.fields[4]);
    }
    return sections;
}

void TDspChannelPanel::showSections(const std::array<TDspSection, MaxDspSections>& sections,
                                    int count) {
    m_count = count;
    for (int i = 0; i < MaxDspSections; ++i) {
        const Row& row = m_rows[i];
        const TDspSection& s = sections[i];
        const QSignalBlocker blockOn(row.on), blockType(row.type);
        row.on->setChecked(s.on);
        row.type->setCurrentIndex(std::max(0, row.type->findData(s.typ)));
        const std::array<double, 5> values{s.f, s.g, s.q, s.f2, s.q2};
        for (std::size_t k = 0; k < values.size(); ++k) {
            row.fields[k]->setText(numberText(values[k]));
        }
        const bool shown = i < count;
        row.on->setVisible(shown);
        row.type->setVisible(shown);
        for (QToolButton* button : row.buttons) {
            button->setVisible(shown);
        }
        row.buttons[0]->setEnabled(i > 0);
        row.buttons[1]->setEnabled(i + 1 < count);
        showFieldsOf(i);
    }
    m_add->setEnabled(count < MaxDspSections);
}

void TDspChannelPanel::showFieldsOf(int index) {
    const Row& row = m_rows[index];
    const bool shown = index < m_count;
    const DspTypeInfo& info = DspTypeOf(row.type->currentData().toInt());
    const std::array<bool, 5> used{true, info.gain, info.q, info.target, info.target};
    for (std::size_t k = 0; k < used.size(); ++k) {
        row.boxes[k]->setVisible(shown && used[k]);
    }
}

void TDspChannelPanel::Load(const TAktFilter& filter) {
    const QSignalBlocker blockInvert(m_invert);
    m_delay->setText(numberText(filter.Delay * 1000));
    m_invert->setChecked(filter.Invert);
    std::array<TDspSection, MaxDspSections> sections{};
    int count = 0;
    for (const TDspSection& s : filter.EQ) {
        if (s.typ > DspNone && s.typ <= DspLastFileType) {
            sections[count++] = s;
        }
    }
    showSections(sections, count);
}

void TDspChannelPanel::Apply(TAktFilter& filter) const {
    filter.Delay = fieldValue(m_delay) / 1000;
    filter.Invert = m_invert->isChecked();
    filter.EQ = shownSections();
}

} // namespace tavrel
