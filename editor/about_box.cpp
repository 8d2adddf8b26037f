#include "editor/about_box.h"

#include "editor/contact_info.h"
#include "editor/program_icon.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

namespace morvel {

namespace {

// Smallest sizes; the layout grows them where the desktop's font needs more room.
constexpr QSize kClientSize(298, 213);
constexpr QSize kPanelSize(281, 161);
constexpr QSize kPictureSize(65, 65);
constexpr QSize kOkButtonSize(75, 25);
constexpr int kPictureSource = 140; // the picture is drawn at this size and scaled down
constexpr int kMargin = 8;

QLabel* NewCentredLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setWindowIcon(ProgramIcon());

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setMinimumSize(kPanelSize);

    programIcon_ = new QLabel(panel);
    programIcon_->setObjectName(QStringLiteral("ProgramIcon"));
    programIcon_->setFixedSize(kPictureSize);
    programIcon_->setScaledContents(true);
    programIcon_->setPixmap(ProgramPicture(kPictureSource));

    productName_ = NewCentredLabel(panel, QStringLiteral("ProductName"), QString::fromUtf8(contact::kProductName));
    QFont productFont = productName_->font();
    productFont.setBold(true);
    productFont.setPointSizeF(productFont.pointSizeF() * 1.5);
    productName_->setFont(productFont);
    version_ = NewCentredLabel(panel, QStringLiteral("Version"), QString::fromUtf8(contact::kVersionLine));
    makerLine_ = NewCentredLabel(panel, QStringLiteral("Maker"), QString::fromUtf8(contact::kMakerLine));

    comments_ = NewCentredLabel(panel, QStringLiteral("Comments"), QString::fromUtf8(contact::kWebAddress));
    comments_->setWordWrap(true);
    comments_->setCursor(Qt::PointingHandCursor);
    QPalette linkColours = comments_->palette();
    linkColours.setColor(QPalette::WindowText, Qt::blue);
    comments_->setPalette(linkColours);
    QFont linkFont = comments_->font();
    linkFont.setUnderline(true);
    comments_->setFont(linkFont);
    comments_->installEventFilter(this);

    auto* names = new QVBoxLayout;
    names->addWidget(productName_);
    names->addWidget(version_);

    auto* inPanel = new QGridLayout(panel);
    inPanel->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    inPanel->addWidget(programIcon_, 0, 0, Qt::AlignTop | Qt::AlignLeft);
    inPanel->addLayout(names, 0, 1);
    inPanel->setColumnStretch(1, 1);
    inPanel->setRowMinimumHeight(1, kMargin);
    inPanel->addWidget(makerLine_, 2, 0, 1, 2);
    inPanel->addWidget(comments_, 3, 0, 1, 2);
    inPanel->setRowStretch(4, 1);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("OKButton"));
    okButton_->setDefault(true);
    okButton_->setMinimumSize(kOkButtonSize);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    whole->addWidget(panel);
    whole->addWidget(okButton_, 0, Qt::AlignHCenter);
    // The box cannot be resized; it takes more than its usual size only where the font needs it.
    setFixedSize(whole->sizeHint().expandedTo(kClientSize));
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == comments_ && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        CommentsClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// The box opens centred on the screen rather than over the window.
void TAboutBox::setVisible(bool visible)
{
    if (visible) {
        if (const QScreen* shownOn = screen())
            move(shownOn->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::setVisible(visible);
}

// The web page opens in the desktop's browser; the box stays open.
void TAboutBox::CommentsClick()
{
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(contact::kWebAddress)));
}

QUrl SupportMailUrl()
{
    // QUrl would trim the subject's trailing blanks from a plain string, so the link is put
    // together already encoded.
    const QByteArray link = QByteArrayLiteral("mailto:") + QUrl::toPercentEncoding(QString::fromUtf8(contact::kSupportAddress), "@")
        + QByteArrayLiteral("?subject=") + QUrl::toPercentEncoding(QString::fromUtf8(contact::kSupportSubject));
    return QUrl::fromEncoded(link, QUrl::StrictMode);
}

void OpenSupportMail()
{
    QDesktopServices::openUrl(SupportMailUrl());
}

} // namespace morvel
