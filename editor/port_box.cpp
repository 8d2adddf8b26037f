#include "editor/port_box.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QStyledItemDelegate>

namespace morvel {

namespace {

constexpr int kDetailsRole = Qt::UserRole + 1;
constexpr int kDetailsGap = 16; // pixels between a port's name and its details

// Draws a port's name as usual and its details after it, dimmed.
class PortEntryDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const QString details = index.data(kDetailsRole).toString();
        if (details.isEmpty())
            return;
        QStyleOptionViewItem entry = option;
        initStyleOption(&entry, index);
        const QStyle* style = entry.widget != nullptr ? entry.widget->style() : QApplication::style();
        QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &entry, entry.widget);
        text.setLeft(text.left() + entry.fontMetrics.horizontalAdvance(entry.text) + kDetailsGap);
        const bool selected = (entry.state & QStyle::State_Selected) != 0;
        painter->save();
        painter->setPen(entry.palette.color(selected ? QPalette::HighlightedText : QPalette::PlaceholderText));
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                          entry.fontMetrics.elidedText(details, Qt::ElideRight, text.width()));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const QString details = index.data(kDetailsRole).toString();
        if (!details.isEmpty())
            size.rwidth() += kDetailsGap + option.fontMetrics.horizontalAdvance(details);
        return size;
    }
};

} // namespace

PortBox::PortBox(PortLister listPorts, QWidget* parent)
    : QComboBox(parent)
    , listPorts_(std::move(listPorts))
{
    setItemDelegate(new PortEntryDelegate(this));
}

void PortBox::AddPorts()
{
    const PortDescriptions ports = listPorts_ ? listPorts_() : PortDescriptions{};
    for (const PortDescription& port : ports) {
        const QString details = port.Details();
        addItem(port.name);
        setItemData(count() - 1, details, kDetailsRole);
        setItemData(count() - 1, details, Qt::ToolTipRole);
    }
    // The drop-down is as wide as its widest entry, details included.
    if (count() > 0)
        view()->setMinimumWidth(view()->sizeHintForColumn(0) + view()->frameWidth() * 2);
}

void PortBox::FillAndSelectFirst()
{
    clear();
    clearEditText(); // without ports the box starts empty for a typed name
    AddPorts();
    if (count() > 0)
        setCurrentIndex(0);
}

void PortBox::Refresh()
{
    const QString held = currentText();
    clear();
    AddPorts();
    const int listed = findText(held, Qt::MatchExactly);
    if (listed >= 0)
        setCurrentIndex(listed);
    else
        setEditText(held);
}

void PortBox::showPopup()
{
    Refresh();
    QComboBox::showPopup();
}

} // namespace morvel
