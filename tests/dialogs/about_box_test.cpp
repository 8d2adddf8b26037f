#include "editor/about_box.h"
#include "editor/program_icon.h"

#include "modal_driver.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QUrlQuery>

namespace morvel {
namespace {

// Takes the links the program hands to the desktop instead of opening them.
class LinkRecorder : public QObject {
    Q_OBJECT
public:
    explicit LinkRecorder(const QString& scheme)
        : scheme_(scheme)
    {
        QDesktopServices::setUrlHandler(scheme_, this, "Open");
    }
    ~LinkRecorder() override { QDesktopServices::unsetUrlHandler(scheme_); }

    QList<QUrl> opened;

public slots:
    void Open(const QUrl& url) { opened << url; }

private:
    QString scheme_;
};

QString LabelText(const QDialog& box, const char* name)
{
    const auto* label = box.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no label %1>").arg(name);
}

class AboutBoxTest : public ::testing::Test {
protected:
    QObject actions;
    TAboutBox box;
};

TEST_F(AboutBoxTest, ShowsProductVersionMakerAndWebAddress)
{
    EXPECT_EQ(box.windowTitle(), "About");
    EXPECT_EQ(LabelText(box, "ProductName"), "Telvor");
    EXPECT_EQ(LabelText(box, "Version"), "Version 1.1");
    EXPECT_EQ(LabelText(box, "Maker"), "Morvel alarm systems");
    EXPECT_EQ(LabelText(box, "Comments"), "https://www.morvel.example/");
    const auto* picture = box.findChild<QLabel*>("ProgramIcon");
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->pixmap().isNull());
}

TEST_F(AboutBoxTest, EnterClosesItWithOkAndItOpensAgainModally)
{
    for (int showing = 1; showing <= 2; ++showing) {
        bool wasModal = false;
        WhenModalShows(actions, [&](QDialog& shown) {
            wasModal = &shown == &box;
            QTest::keyClick(&shown, Qt::Key_Return);
            if (shown.isVisible()) {
                ADD_FAILURE() << "Enter did not close the box";
                shown.reject();
            }
        });
        EXPECT_EQ(box.exec(), QDialog::Accepted) << "showing " << showing;
        EXPECT_TRUE(wasModal) << "showing " << showing;
    }
}

TEST_F(AboutBoxTest, OpensCentredOnTheScreenAndCannotBeResized)
{
    QWidget window;
    window.setGeometry(0, 0, 200, 150); // a window in the corner: the box is not centred over it
    TAboutBox owned(&window);
    window.show();
    owned.show();
    EXPECT_EQ(owned.minimumSize(), owned.maximumSize());
    EXPECT_GE(owned.width(), 298);
    EXPECT_GE(owned.height(), 213);
    const QPoint offCentre = owned.frameGeometry().center() - owned.screen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 4); // rounding of odd sizes
    owned.hide();
}

TEST_F(AboutBoxTest, ClickingTheWebAddressOpensItAndLeavesTheBoxOpen)
{
    LinkRecorder browser(QStringLiteral("https"));
    bool stayedOpen = false;
    WhenModalShows(actions, [&](QDialog& shown) {
        auto* comments = shown.findChild<QLabel*>("Comments");
        if (comments)
            QTest::mouseClick(comments, Qt::LeftButton);
        stayedOpen = shown.isVisible();
        shown.accept();
    });
    box.exec();
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened.front(), QUrl("https://www.morvel.example/"));
}

TEST(SupportMailTest, OpensAMailWhoseSubjectKeepsItsSixTrailingBlanks)
{
    LinkRecorder mail(QStringLiteral("mailto"));
    OpenSupportMail();
    ASSERT_EQ(mail.opened.size(), 1);
    const QUrl link = mail.opened.front();
    EXPECT_EQ(link.toEncoded(),
              QByteArray("mailto:support@morvel.example?subject=Uwagi%20do%20programu%20Telvor%20%20%20%20%20%20"));
    EXPECT_EQ(link.path(), "support@morvel.example");
    EXPECT_EQ(QUrlQuery(link).queryItemValue("subject", QUrl::FullyDecoded), "Uwagi do programu Telvor      ");
}

TEST(ProgramIconTest, IsAPictureAtEverySizeTheDesktopAsksFor)
{
    const QIcon icon = ProgramIcon();
    for (int size : {16, 32, 48, 140}) {
        const QImage picture = icon.pixmap(size, size).toImage();
        ASSERT_EQ(picture.size(), QSize(size, size));
        // Something is drawn: the centre differs from the transparent corner.
        EXPECT_NE(picture.pixel(size / 2, size / 2), picture.pixel(0, 0)) << size;
    }
}

} // namespace
} // namespace morvel

#include "about_box_test.moc"
