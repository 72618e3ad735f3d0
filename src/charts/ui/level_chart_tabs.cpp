#include "charts/ui/level_chart_tabs.h"

#include "engine/excursion.h"
#include "foundation/number_text.h"
#include "foundation/ui/store_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <cmath>

namespace tavrel {

namespace {

bool usable(double value) {
    return std::isfinite(value) && value > 0;
}

double fieldValue(const QLineEdit* field) {
    return TextToFloat(ToStoreText(field->text()));
}

/// Rewrites `field` only when it shows another number, so typing is never interrupted.
void showValue(QLineEdit* field, double value) {
    if (field == nullptr || std::abs(fieldValue(field) - value) <= 1e-9 * value) {
        return;
    }
    const QSignalBlocker quiet(field);
    field->setText(FromStoreText(FloatToWidth(5, value)));
}

} // namespace

void InputLevelSetting::setLevel(const InputLevel& level) {
    if (!usable(level.volts) || !usable(level.ventLimit)) {
        return;
    }
    if (level.volts == m_level.volts && level.ventLimit == m_level.ventLimit) {
        return;
    }
    m_level = level;
    emit changed();
}

LevelChartTab::LevelChartTab(ChartKind kind, InputLevelSetting& setting, const QImage& placeholder,
                             QWidget* parent)
    : ChartTab(1, 1, placeholder, parent), m_kind(kind), m_setting(setting),
      m_referenceVolts(setting.level().volts) {
    setObjectName(QString::fromStdString("Tab" + chartName(0)));
    chartBox()->setObjectName(QString::fromStdString("PaintBox" + chartName(0)));
    SetStandardTitles(chartBox()->chart(0), kind);
    m_volts = addField("EditInputVolts", "Input level [V rms]:");
    m_watts = addField("EditInputWatts", "or [W into 8 ohm]:");
    if (kind == ChartKind::VentVelocity) {
        m_limit = addField("EditVentLimit", "audibility limit [m/s]:");
    }
    controlRow()->addStretch(1);
    showLevel();
    connect(&m_setting, &InputLevelSetting::changed, this, [this] {
        showLevel();
        rescaleReference();
        refill();
    });
}

QLineEdit* LevelChartTab::addField(const char* name, const char* caption) {
    QHBoxLayout* row = controlRow();
    row->addWidget(new QLabel(QString::fromLatin1(caption), this));
    auto* field = new QLineEdit(this);
    field->setObjectName(QString::fromLatin1(name));
    field->setMaximumWidth(80);
    row->addWidget(field);
    connect(field, &QLineEdit::textEdited, this, &LevelChartTab::fieldEdited);
    return field;
}

void LevelChartTab::showLevel() {
    const InputLevel& level = m_setting.level();
    showValue(m_volts, level.volts);
    showValue(m_watts, WattsInto8Ohm(level.volts));
    showValue(m_limit, level.ventLimit);
}

void LevelChartTab::fieldEdited() {
    InputLevel level = m_setting.level();
    if (sender() == m_watts) {
        level.volts = VoltsFromWattsInto8Ohm(fieldValue(m_watts));
    } else if (sender() == m_volts) {
        level.volts = fieldValue(m_volts);
    } else if (m_limit != nullptr) {
        level.ventLimit = fieldValue(m_limit);
    }
    m_setting.setLevel(level); // an unusable number waits until the field makes sense again
}

void LevelChartTab::rescaleReference() {
    const double factor = m_setting.level().volts / m_referenceVolts;
    m_referenceVolts = m_setting.level().volts;
    TVChart& chart = chartBox()->chart(0);
    for (int slot = 0; slot < TVChart::CurveSlots; ++slot) {
        const bool excursion =
            m_kind == ChartKind::Excursion && slot % ExcursionSlotsPerDriver == 0;
        const bool port = m_kind == ChartKind::VentVelocity && slot > 0;
        ChartCurve& reference = chart.reference(slot);
        for (int k = 0; (excursion || port) && k < reference.count; ++k) {
            reference.y[k] *= factor;
        }
    }
}

std::string LevelChartTab::chartName(int) const {
    return m_kind == ChartKind::Excursion ? "bcExcursion" : "bcVentVelocity";
}

void LevelChartTab::fillChart(int, TVChart& chart, const TResult& result, const TProjekt& projekt) {
    if (m_kind == ChartKind::Excursion) {
        FillExcursionChart(chart, result, projekt, m_setting.level());
    } else {
        FillVentVelocityChart(chart, result, projekt, m_setting.level());
    }
}

} // namespace tavrel
