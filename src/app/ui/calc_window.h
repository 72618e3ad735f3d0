// TFormRechnen: the calculation window with the error list of the last pass.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace tavrel {

class TFormRechnen : public QDialog {
    Q_OBJECT
public:
    explicit TFormRechnen(QWidget* parent = nullptr);
    /// Lists the error texts (each may hold several lines), or "Calculation successful.".
    void ShowErrors(const std::vector<std::string>& errors);
    QString Text() const;

private:
    QPlainTextEdit* m_errMemo = nullptr;
};

} // namespace tavrel
