#include "app/ui/dsp_export_dialog.h"

#include "foundation/atomic_file.h"
#include "foundation/ui/choice_dialog.h"
#include "foundation/ui/store_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <utility>

namespace tavrel {

namespace {

TFormDspExport::FileChooser& fileChooser() {
    static TFormDspExport::FileChooser chooser = [](QWidget* parent, const QString& directory) {
        return QFileDialog::getSaveFileName(parent, "Export DSP settings", directory,
                                            "Text files (*.txt *.yml *.cfg *.csv);;All files (*)");
    };
    return chooser;
}

} // namespace

void TFormDspExport::SetFileChooser(FileChooser chooser) {
    fileChooser() = std::move(chooser);
}

TFormDspExport::TFormDspExport(const TProjekt& projekt, QString directory, QWidget* parent)
    : QDialog(parent), m_projekt(projekt), m_directory(std::move(directory)) {
    setObjectName("TFormDspExport");
    setWindowTitle("Export DSP settings");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_format = new QComboBox(this);
    m_format->setObjectName("ComboFormat");
    m_format->addItem("miniDSP advanced biquads", static_cast<int>(DspFormat::MiniDsp));
    m_format->addItem("CamillaDSP configuration", static_cast<int>(DspFormat::CamillaDsp));
    m_format->addItem("Equalizer APO configuration", static_cast<int>(DspFormat::Apo));
    m_format->addItem("csv", static_cast<int>(DspFormat::Csv));
    m_format->setCurrentIndex(1); // the one format that takes every channel and every rate
    m_amp = new QComboBox(this);
    m_amp->setObjectName("ComboAmp");
    m_amp->addItem("all amplifiers", -1);
    for (int a = 0; a < AmpCount(projekt); ++a) {
        m_amp->addItem(QString("Amplifier %1").arg(a + 1), a);
    }
    m_rate = new QComboBox(this);
    m_rate->setObjectName("ComboRate");
    for (std::int32_t rate : DspRates) {
        m_rate->addItem(QString("%1 Hz").arg(rate), rate);
    }
    const int rate = projekt.DSPRate != 0 ? projekt.DSPRate : DefaultDspRate;
    m_rate->setCurrentIndex(m_rate->findData(rate));
    m_rate->setEnabled(projekt.DSPRate == 0); // a project rate is the DSP's
    m_biquads = new QSpinBox(this);
    m_biquads->setObjectName("EditBiquads");
    m_biquads->setRange(0, 99);
    m_biquads->setSpecialValueText("no padding");
    form->addRow("Format", m_format);
    form->addRow("Channel", m_amp);
    form->addRow("Sample rate", m_rate);
    form->addRow("miniDSP biquads", m_biquads);
    layout->addLayout(form);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName("MemoText");
    m_text->setReadOnly(true);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setMinimumSize(520, 260);
    layout->addWidget(m_text);
    m_notes = new QLabel(this);
    m_notes->setObjectName("LabelNotes");
    m_notes->setWordWrap(true);
    layout->addWidget(m_notes);

    auto* buttons = new QDialogButtonBox(this);
    m_save = buttons->addButton("Save ...", QDialogButtonBox::ActionRole);
    m_save->setObjectName("BtnSave");
    buttons->addButton("Close", QDialogButtonBox::RejectRole)->setObjectName("BtnClose");
    connect(m_save, &QPushButton::clicked, this, &TFormDspExport::Save);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    for (QComboBox* box : {m_format, m_amp, m_rate}) {
        connect(box, &QComboBox::currentIndexChanged, this, &TFormDspExport::refresh);
    }
    connect(m_biquads, &QSpinBox::valueChanged, this, &TFormDspExport::refresh);
    refresh();
}

DspExportRequest TFormDspExport::Request() const {
    DspExportRequest request;
    request.format = static_cast<DspFormat>(m_format->currentData().toInt());
    request.amp = m_amp->currentData().toInt();
    request.rate = m_rate->currentData().toInt();
    request.biquads = m_biquads->value();
    return request;
}

void TFormDspExport::refresh() {
    m_result = FormatDspExport(m_projekt, Request());
    const bool ok = m_result.problem.empty();
    m_text->setPlainText(FromStoreText(ok ? m_result.text : m_result.problem));
    m_notes->setText(FromStoreText(m_result.notes));
    m_save->setEnabled(ok);
}

bool TFormDspExport::Save() {
    if (!m_result.problem.empty()) {
        return false;
    }
    const QString path = fileChooser()(this, m_directory);
    if (path.isEmpty()) {
        return false;
    }
    const std::string error = WriteFileAtomically(path.toStdString(), m_result.text);
    if (!error.empty()) {
        ShowMessage(this, FromStoreText(error));
        return false;
    }
    return true;
}

} // namespace tavrel
