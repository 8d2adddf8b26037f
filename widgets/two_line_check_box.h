#pragma once

#include <QCheckBox>

class QStyleOptionButton;

namespace morvel {

// A check box whose caption stands on two lines, broken between the words where the longer
// line is shortest. text() stays the caption as given, on one line, for code and screen readers.
class TwoLineCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TwoLineCheckBox(const QString& caption, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The caption as the box shows it, with a line break.
    QString ShownCaption() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& position) const override;

private:
    QStyleOptionButton ShownOption() const;
};

} // namespace morvel
