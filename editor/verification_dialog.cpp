#include "editor/verification_dialog.h"

#include "editor/window_texts.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace morvel {

namespace {

constexpr int kColumns = 3;
constexpr int kDialogWidth = 820;
constexpr int kDialogHeight = 360;

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QTableWidgetItem* Cell(const std::string& utf8)
{
    auto* item = new QTableWidgetItem(QString::fromStdString(utf8));
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

} // namespace

VerificationDialog::VerificationDialog(QWidget* parent)
    : QDialog(parent)
    , verdict_(new QLabel(this))
    , table_(new QTableWidget(0, kColumns, this))
    , copy_(new QPushButton(Text(window_text::kCopyTable), this))
{
    setObjectName(QStringLiteral("VerificationReport"));
    setWindowModality(Qt::WindowModal);
    verdict_->setObjectName(QStringLiteral("VerdictText"));
    verdict_->setWordWrap(true);
    table_->setObjectName(QStringLiteral("DifferenceTable"));
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents); // rows follow the wrapping
    table_->setWordWrap(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The place takes what the two values leave; long places wrap onto a second line.
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < kColumns; ++column)
        table_->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    copy_->setObjectName(QStringLiteral("CopyTable"));
    connect(copy_, &QPushButton::clicked, this, &VerificationDialog::CopyTable);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(copy_, QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(Text(window_text::kClose), QDialogButtonBox::AcceptRole);
    close->setObjectName(QStringLiteral("CloseReport"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(verdict_);
    layout->addWidget(table_, 1);
    layout->addWidget(buttons);
    resize(kDialogWidth, kDialogHeight);
}

void VerificationDialog::ShowReport(const QString& title, const QString& verdict,
                                    const std::vector<FieldDifference>& differences, const QString& firstColumn,
                                    const QString& secondColumn)
{
    setWindowTitle(title);
    verdict_->setText(verdict);
    table_->setHorizontalHeaderLabels({Text(window_text::kSettingColumn), firstColumn, secondColumn});
    table_->setRowCount(int(differences.size()));
    for (int row = 0; row < int(differences.size()); ++row) {
        const FieldDifference& d = differences[std::size_t(row)];
        // The places of a byte's bits on several pages, one to a line.
        QTableWidgetItem* setting = Cell(d.place.empty() ? d.name : d.place);
        setting->setText(setting->text().replace(QStringLiteral("; "), QStringLiteral("\n")));
        setting->setToolTip(QString::fromStdString(d.name));
        table_->setItem(row, 0, setting);
        table_->setItem(row, 1, Cell(d.first));
        table_->setItem(row, 2, Cell(d.second));
    }
    table_->setCurrentItem(nullptr);
    table_->setVisible(!differences.empty());
    copy_->setVisible(!differences.empty());
    open();
}

QString VerificationDialog::TableText() const
{
    QStringList lines;
    QStringList header;
    for (int column = 0; column < kColumns; ++column)
        header << table_->horizontalHeaderItem(column)->text();
    lines << header.join(u'\t');
    for (int row = 0; row < table_->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < kColumns; ++column)
            cells << table_->item(row, column)->text().replace(u'\n', QStringLiteral("; "));
        lines << cells.join(u'\t');
    }
    return lines.join(u'\n') + u'\n';
}

void VerificationDialog::CopyTable()
{
    QGuiApplication::clipboard()->setText(TableText());
}

} // namespace morvel
