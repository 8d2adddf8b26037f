#pragma once

#include <QDialog>
#include <QUrl>

class QLabel;
class QPushButton;

namespace morvel {

// The small modal "About" box: the program's picture, product name, version, the maker and
// the maker's web address, which opens in the desktop's browser when clicked. Created once at
// start-up and shown again for every "About"; it keeps no state between showings.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CommentsClick();

    QLabel* programIcon_;
    QLabel* productName_;
    QLabel* version_;
    QLabel* makerLine_;
    QLabel* comments_;
    QPushButton* okButton_;
};

// The link of a new support mail: the support address with the fixed subject, encoded.
QUrl SupportMailUrl();
// Opens a new mail to the support address in the desktop's mail program. The result of the
// request is not examined: without a mail program nothing happens.
void OpenSupportMail();

} // namespace morvel
