// Small builders shared by the pages of the utilities window: named fields, result lists and
// memos, and the conversion of their texts.
#pragma once

#include "calculators/result_lines.h"

#include <QString>

class QFormLayout;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QWidget;

namespace tavrel::calcui {

/// A line edit called `name` holding `text`.
QLineEdit* Field(QWidget* parent, const char* name, const std::string& text);
/// A field as above, added to `form` as a row with `caption`.
QLineEdit* AddField(QFormLayout* form, QWidget* parent, const char* name, const char* caption,
                    const std::string& text);
/// The field's text as the calculators read it.
std::string Text(const QLineEdit* field);
/// A read-only result list with the tooltip background.
QListWidget* ResultList(QWidget* parent, const char* name);
QPlainTextEdit* ResultMemo(QWidget* parent, const char* name);
void Show(QListWidget* list, const Lines& lines);
void Show(QPlainTextEdit* memo, const Lines& lines);

} // namespace tavrel::calcui
