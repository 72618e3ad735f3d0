// TFormDspExport: the project's active filters as DSP settings — the user picks the format,
// the amplifier, the sample rate (for an analog project) and the padding, sees the text and
// what it means for the DSP, and saves it.
#pragma once

#include "export/dsp_export.h"
#include "model/projekt.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace tavrel {

class TFormDspExport : public QDialog {
    Q_OBJECT
public:
    /// Chooses the file to write (empty: cancelled). Tests replace the save dialog with it.
    using FileChooser = std::function<QString(QWidget* parent, const QString& directory)>;
    static void SetFileChooser(FileChooser chooser);

    TFormDspExport(const TProjekt& projekt, QString directory, QWidget* parent = nullptr);

    /// The request the choices make.
    DspExportRequest Request() const;
    /// Writes the shown text to a chosen file; true when a file was written.
    bool Save();

private:
    void refresh();

    const TProjekt& m_projekt;
    QString m_directory;
    DspExportResult m_result;
    QComboBox* m_format = nullptr;
    QComboBox* m_amp = nullptr;
    QComboBox* m_rate = nullptr;
    QSpinBox* m_biquads = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QLabel* m_notes = nullptr;
    QPushButton* m_save = nullptr;
};

} // namespace tavrel
