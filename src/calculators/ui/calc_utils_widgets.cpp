#include "calculators/ui/calc_utils_widgets.h"

#include "app/ui/store_text.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

namespace tavrel::calcui {

namespace {

void tooltipColours(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
    widget->setPalette(palette);
}

} // namespace

QLineEdit* Field(QWidget* parent, const char* name, const std::string& text) {
    auto* field = new QLineEdit(FromStoreText(text), parent);
    field->setObjectName(name);
    field->setMaximumWidth(90);
    return field;
}

QLineEdit* AddField(QFormLayout* form, QWidget* parent, const char* name, const char* caption,
                    const std::string& text) {
    QLineEdit* field = Field(parent, name, text);
    form->addRow(caption, field);
    return field;
}

std::string Text(const QLineEdit* field) {
    return ToStoreText(field->text());
}

QListWidget* ResultList(QWidget* parent, const char* name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    tooltipColours(list);
    return list;
}

QPlainTextEdit* ResultMemo(QWidget* parent, const char* name) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    return memo;
}

void Show(QListWidget* list, const Lines& lines) {
    list->clear();
    for (const std::string& line : lines) {
        list->addItem(FromStoreText(line));
    }
}

void Show(QPlainTextEdit* memo, const Lines& lines) {
    QStringList text;
    for (const std::string& line : lines) {
        text << FromStoreText(line);
    }
    memo->setPlainText(text.join('\n'));
}

} // namespace tavrel::calcui
