#include "foundation/ui/store_form_dialog.h"

#include <QFileDialog>

namespace tavrel {

namespace {

QString patterns(const QString& extension) {
    return QString("*.%1 *.%2 *.%1.plain *.%2.plain").arg(extension, extension.toLower());
}

} // namespace

QString StoreFileOpenFilter(const QString& kind, const QString& extension) {
    return QString("%1 files (%2);;All files (*)").arg(kind, patterns(extension));
}

QString ChooseSaveFileAndForm(QWidget* parent, const QString& caption, const QString& directory,
                              const QString& kind, const QString& extension, bool& coded) {
    const QString codedFilter = QString("%1 files (%2)").arg(kind, patterns(extension));
    const QString plainFilter =
        QString("%1 files as plain text (%2)").arg(kind, patterns(extension));
    QString selected = coded ? codedFilter : plainFilter;
    const QString path = QFileDialog::getSaveFileName(parent, caption, directory,
                                                      codedFilter + ";;" + plainFilter, &selected);
    coded = selected != plainFilter;
    return path;
}

} // namespace tavrel
