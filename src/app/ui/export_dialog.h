// TFormExport: writes one curve of the displayed results as an "exp" text file.
#pragma once

#include "engine/result.h"
#include "export/result_export.h"

#include <QDialog>
#include <functional>
#include <optional>

namespace tavrel {

class TFormExport : public QDialog {
    Q_OBJECT
public:
    /// Chooses the file to write (empty: cancelled). Tests replace the save dialog with it.
    using FileChooser = std::function<QString(QWidget* parent, const QString& directory)>;
    static void SetFileChooser(FileChooser chooser);

    TFormExport(const TResult& results, QString directory, QWidget* parent = nullptr);

    /// One export as the buttons run it: asks for the driver where needed (for a time curve,
    /// given as the whole speaker's: the speaker or a driver), then the file. Returns true
    /// when a file was written.
    bool Export(ExportCurve curve);

private:
    int chooseDriver(ExportCurve curve);
    std::optional<ExportSpec> chooseSource(ExportCurve speakerCurve);

    const TResult& m_results;
    QString m_directory;
};

} // namespace tavrel
