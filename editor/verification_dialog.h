#pragma once

#include "fields/settings_comparison.h"

#include <QDialog>

#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace morvel {

// The report of a verification or a comparison: the verdict, and a table of the differing
// settings (where the window shows each, then the two sides' values) that can be copied as text.
// Shown window-modal without blocking, so that the link and the tests go on while it is open.
class VerificationDialog final : public QDialog {
    Q_OBJECT
public:
    explicit VerificationDialog(QWidget* parent);

    void ShowReport(const QString& title, const QString& verdict, const std::vector<FieldDifference>& differences,
                    const QString& firstColumn, const QString& secondColumn);

    // The table as tab-separated lines with a header line, as "Copy as text" puts it on the clipboard.
    QString TableText() const;

private:
    void CopyTable();

    QLabel* verdict_;
    QTableWidget* table_;
    QPushButton* copy_;
};

} // namespace morvel
