// The controls of the optimizer window: preference sliders, part choices, buttons, result
// memos, judgement chart, progress strip and the finish panel.
#include "optimizer/ui/judgement_chart.h"
#include "optimizer/ui/optimizer_window.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace tavrel {

namespace {

struct SliderSpec {
    const char* name;
    const char* caption;
    const char* top;
    const char* middle; ///< shown at the middle position, or empty
    const char* bottom;
    int maximum;
    int position; ///< the default
};

constexpr std::array<SliderSpec, 4> Sliders{{
    {"TrackBarBass", "How do you like the bass", "strong", "", "weak", SliderMax, 3},
    {"TrackBarTreble", "How do you like the treble", "brilliant", "", "soft", SliderMax, 3},
    {"TrackBarZmin", "Min. impedance for ampl.", "preferably > 8 ohm", "preferably > 4 ohm",
     "preferably > 2 ohm", ZminSliderMax, 5},
    {"TrackBarEfficiency", "Efficiency", "important", "", "unimportant", SliderMax, 3},
}};

QWidget* sliderColumn(const SliderSpec& spec, QSlider*& slider, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(2, 2, 2, 2);
    auto* caption = new QLabel(spec.caption, box);
    caption->setWordWrap(true);
    caption->setMinimumHeight(32);
    grid->addWidget(caption, 0, 0, 1, 2);
    slider = new QSlider(Qt::Vertical, box);
    slider->setObjectName(spec.name);
    slider->setRange(0, spec.maximum);
    slider->setValue(spec.position);
    slider->setInvertedAppearance(true); // position 0 is the top end
    slider->setTickPosition(QSlider::TicksRight);
    slider->setPageStep(1);
    slider->setMinimumHeight(110);
    grid->addWidget(slider, 1, 0, 3, 1);
    grid->addWidget(new QLabel(spec.top, box), 1, 1, Qt::AlignTop);
    if (spec.middle[0] != '\0') {
        grid->addWidget(new QLabel(spec.middle, box), 2, 1, Qt::AlignVCenter);
    }
    grid->addWidget(new QLabel(spec.bottom, box), 3, 1, Qt::AlignBottom);
    return box;
}

QGroupBox* choiceGroup(const QString& title, const QString& kind, const QString& name,
                       QButtonGroup*& group, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    group = new QButtonGroup(box);
    const std::array<QString, 3> captions{"select " + kind + " manually",
                                          "select " + kind + " automatically from E6",
                                          "select " + kind + " automatically from E12"};
    const std::array<const char*, 3> suffixes{"Manual", "E6", "E12"};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(captions[static_cast<std::size_t>(i)], box);
        radio->setObjectName("Radio" + name + suffixes[static_cast<std::size_t>(i)]);
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    group->button(0)->setChecked(true);
    return box;
}

QPlainTextEdit* memo(const char* name, QWidget* parent) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    QFont font("Monospace");
    font.setStyleHint(QFont::TypeWriter);
    edit->setFont(font);
    edit->setMinimumSize(250, 96);
    return edit;
}

} // namespace

QWidget* TFormWOptimize2::buildPreferences() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    auto* sliders = new QGroupBox(" Preferences", column);
    auto* row = new QHBoxLayout(sliders);
    for (std::size_t i = 0; i < Sliders.size(); ++i) {
        row->addWidget(sliderColumn(Sliders[i], m_sliders[i], sliders));
    }
    layout->addWidget(sliders);
    layout->addWidget(choiceGroup(" Resistors", "resistors", "Resistors", m_resistors, column));
    layout->addWidget(choiceGroup(" Capacitors", "capacitors", "Capacitors", m_capacitors, column));
    m_start = new QPushButton("Start optimization ", column);
    m_start->setObjectName("BtnStart");
    m_abort = new QPushButton("Abort optimization", column);
    m_abort->setObjectName("BtnAbort");
    m_abort->hide();
    layout->addWidget(m_start);
    layout->addWidget(m_abort);
    layout->addStretch(1);
    return column;
}

QWidget* TFormWOptimize2::buildResults() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->addWidget(new QLabel("results before optimization", column));
    m_before = memo("MemoBefore", column);
    layout->addWidget(m_before);
    layout->addWidget(new QLabel("results after optimization", column));
    m_after = memo("MemoAfter", column);
    layout->addWidget(m_after);
    m_chart = new JudgementChart(m_history, column);
    layout->addWidget(m_chart);
    m_strip = new ProgressStrip([this] { return m_thread ? m_thread->Progress() : -1; }, column);
    layout->addWidget(m_strip);

    m_finished = new QFrame(column);
    m_finished->setObjectName("PanelFinished");
    m_finished->setFrameShape(QFrame::Panel);
    m_finished->setFrameShadow(QFrame::Raised);
    auto* panel = new QVBoxLayout(m_finished);
    auto* title = new QLabel("Tavrel crossover network optimizer", m_finished);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    panel->addWidget(title);
    panel->addWidget(new QLabel("Optimization has been finished.", m_finished));
    auto* ok = new QPushButton("Ok", m_finished);
    ok->setObjectName("BtnFinishedOk");
    panel->addWidget(ok, 0, Qt::AlignRight);
    connect(ok, &QPushButton::clicked, this, [this] {
        m_finished->hide();
        close();
    });
    m_finished->hide();
    layout->addWidget(m_finished);
    layout->addStretch(1);
    return column;
}

void TFormWOptimize2::build() {
    setObjectName("TFormWOptimize2");
    setWindowTitle("Tavrel - crossover network optimizer");
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildPreferences());
    layout->addWidget(buildResults());
    connect(m_start, &QPushButton::clicked, this, &TFormWOptimize2::StartOptimization);
    connect(m_abort, &QPushButton::clicked, this, &TFormWOptimize2::AbortOptimization);
}

TOptiSettings TFormWOptimize2::Settings() const {
    TOptiSettings s;
    s.bass = m_sliders[0]->value();
    s.treble = m_sliders[1]->value();
    s.zmin = m_sliders[2]->value();
    s.efficiency = m_sliders[3]->value();
    s.resistors = static_cast<PartChoice>(m_resistors->checkedId());
    s.capacitors = static_cast<PartChoice>(m_capacitors->checkedId());
    return s;
}

} // namespace tavrel
