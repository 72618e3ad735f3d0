#include "app/ui/export_dialog.h"

#include "export/time_export.h"
#include "foundation/ui/choice_dialog.h"
#include "foundation/ui/store_text.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavrel {

namespace {

TFormExport::FileChooser& chooser() {
    static TFormExport::FileChooser instance;
    return instance;
}

QString askFileName(QWidget* parent, const QString& directory) {
    if (chooser()) {
        return chooser()(parent, directory);
    }
    QString path = QFileDialog::getSaveFileName(parent, "Export", directory,
                                                "Export files (*.exp);;All files (*.*)");
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
        path += ".exp";
    }
    return path;
}

} // namespace

void TFormExport::SetFileChooser(FileChooser c) {
    chooser() = std::move(c);
}

TFormExport::TFormExport(const TResult& results, QString directory, QWidget* parent)
    : QDialog(parent), m_results(results), m_directory(std::move(directory)) {
    setObjectName("TFormExport");
    setWindowTitle("Tavrel - Export");
    auto* layout = new QVBoxLayout(this);
    const std::pair<const char*, ExportCurve> buttons[] = {
        {"Export frequency response of total speaker on axis", ExportCurve::Speaker},
        {"Export frequency response of one driver including influence of baffle and enclosure",
         ExportCurve::Driver},
        {"Export frequency response of electrical signal at one driver", ExportCurve::Signal},
        {"Export group delay of total speaker or one driver", ExportCurve::GroupDelay},
        {"Export impulse response of total speaker or one driver", ExportCurve::Impulse},
        {"Export step response of total speaker or one driver", ExportCurve::Step}};
    int number = 1;
    for (const auto& [caption, curve] : buttons) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString("BtnExport%1").arg(number++));
        connect(button, &QPushButton::clicked, this, [this, c = curve] { Export(c); });
        layout->addWidget(button);
    }
}

int TFormExport::chooseDriver(ExportCurve curve) {
    const int n = m_results.nChassis;
    if (n <= 1) {
        return 0;
    }
    QStringList captions;
    for (int d = 1; d <= n; ++d) {
        captions << QString::number(d);
    }
    captions << "Abort";
    const QString question = curve == ExportCurve::Signal ? "Signal for which driver?"
                                                          : "Frequency response for which driver?";
    const int pressed = TUniAuswahlDlg::Ask(this, question, captions.join("|"), n + 1);
    return pressed >= 1 && pressed <= n ? pressed - 1 : -1;
}

std::optional<ExportSpec> TFormExport::chooseSource(ExportCurve speakerCurve) {
    const int n = m_results.nChassis;
    QStringList captions{"Speaker"};
    for (int d = 1; d <= n; ++d) {
        captions << QString::number(d);
    }
    captions << "Abort";
    const int pressed =
        TUniAuswahlDlg::Ask(this, "Whole speaker or which driver?", captions.join("|"), n + 2);
    if (pressed == 1) {
        return ExportSpec{speakerCurve, 0};
    }
    if (pressed < 2 || pressed > n + 1) {
        return std::nullopt;
    }
    const ExportCurve driverCurve =
        speakerCurve == ExportCurve::GroupDelay ? ExportCurve::DriverGroupDelay
        : speakerCurve == ExportCurve::Impulse  ? ExportCurve::DriverImpulse
                                                : ExportCurve::DriverStep;
    return ExportSpec{driverCurve, pressed - 2};
}

bool TFormExport::Export(ExportCurve curve) {
    ExportSpec spec{curve, 0};
    if (IsTimeCurve(curve)) {
        const auto chosen = chooseSource(curve);
        if (!chosen) {
            return false;
        }
        spec = *chosen;
    } else if (curve != ExportCurve::Speaker) {
        spec.index = chooseDriver(curve);
        if (spec.index < 0) {
            return false;
        }
    }
    if (const auto problem = CheckExport(m_results, spec)) {
        ShowMessage(this, FromStoreText(*problem));
        return false;
    }
    const QString path = askFileName(this, m_directory);
    if (path.isEmpty()) {
        return false;
    }
    const std::string error = WriteExport(ToStoreText(path), m_results, spec, ExportFormat::Exp);
    if (!error.empty()) {
        ShowMessage(this, FromStoreText(error));
        return false;
    }
    return true;
}

} // namespace tavrel
