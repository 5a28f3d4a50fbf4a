// The about window: its texts, where it opens, its links and its close button.
#include <gtest/gtest.h>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "QtPrinters.h"
#include "about/AboutWindow.h"
#include "about/Placement.h"
#include "about/Publisher.h"

using namespace tavrel::about;

namespace {

class AboutWindowTest : public ::testing::Test {
protected:
    QWidget* part(const char* name) {
        auto* w = about.findChild<QWidget*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    std::vector<QUrl> opened;
    AboutWindow about{[this](const QUrl& u) { opened.push_back(u); }};
};

using AboutWindowLinks = AboutWindowTest;
using AboutWindowLayout = AboutWindowTest;

}  // namespace

TEST_F(AboutWindowLayout, ShowsTheVersionOrganisationAuthorAddressAndMail) {
    QStringList texts;
    for (QLabel* l : about.findChildren<QLabel*>()) texts << l->text();
    for (const char* key : {"版 本：", "单 位：", "作 者：", "软件下载：", "E-mail："})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(key))) << key;
    EXPECT_TRUE(texts.contains(kOrganisation));
    EXPECT_TRUE(texts.contains(kAuthor));
    EXPECT_EQ(qobject_cast<QLabel*>(part("Label4"))->text(), kHomePage);
    EXPECT_EQ(qobject_cast<QLabel*>(part("lblHomepage"))->text(), kAuthorMail);
    EXPECT_TRUE(qobject_cast<QLabel*>(part("lblBGHeadInfo1"))->text().contains(kBrand));
    // The version the build was made as (the project's version in CMakeLists.txt).
    EXPECT_EQ(qobject_cast<QLabel*>(part("lblVersion"))->text(), QStringLiteral("V" TAVREL_PROJECT_VERSION));
}

TEST_F(AboutWindowLayout, OpensCentredAcrossAThirdFromTheTop) {
    EXPECT_EQ(about.pos(), ThirdFromTop(ScreenRect(about), about.frameGeometry().size()));
}

TEST_F(AboutWindowLinks, HeaderAndAddressOpenTheHomePageOnceEach) {
    about.show();
    QWidget* head = part("picBGHead");
    // The header picture where neither the icon nor the brand line covers it.
    QTest::mouseClick(head, Qt::LeftButton, {}, QPoint(head->width() - 3, 3));
    for (const char* name : {"picBGHeadIcon", "lblBGHeadInfo1", "Label4"})
        QTest::mouseClick(part(name), Qt::LeftButton);
    EXPECT_EQ(opened, std::vector<QUrl>(4, QUrl(kHomePage)));
}

TEST_F(AboutWindowLinks, MailAddressStartsANewMail) {
    about.show();
    QTest::mouseClick(part("lblHomepage"), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("mailto:tavrel@example.com")));
}

TEST_F(AboutWindowLinks, CloseButtonUnloadsTheWindow) {
    about.show();
    QTest::mouseClick(part("Command1"), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
    EXPECT_TRUE(opened.empty());
}
