#include "app/About.h"
#include "app/MainUnit.h"
#include "tests/support/ScriptedModalUi.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace torvik::app {
namespace {

TEST(AboutBoxTest, ShowsTheProgramLinesAndClosesWithOk)
{
    test::ScriptedModalUi dialogs;
    TMainForm form;
    TAboutBox box(&form);
    AboutBox = &box;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("关于"));
    EXPECT_EQ(box.minimumSize(), box.maximumSize()) << "fixed size";
    const struct {
        const char *name;
        const char16_t *text;
    } lines[] = {{"ProductName", u"KelmarTorvik引擎数据库管理工具"}, {"Version", u"版本:20230525"}, {"Copyright", u"支持Torvik数据库导入"}};
    for (const auto &line : lines)
        EXPECT_EQ(box.findChild<QLabel *>(QLatin1String(line.name))->text(), QString::fromUtf16(line.text));
    EXPECT_TRUE(box.findChild<QLabel *>(QStringLiteral("Comments"))->wordWrap());
    auto *ok = box.findChild<QPushButton *>(QStringLiteral("OKButton"));
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());

    bool shownModally = false;
    QTimer::singleShot(0, [&] {
        shownModally = QApplication::activeModalWidget() == &box;
        ok->click();
    });
    form.HelpAbout1->trigger();
    EXPECT_TRUE(shownModally);
    EXPECT_FALSE(box.isVisible());
    AboutBox = nullptr;
}

} // namespace
} // namespace torvik::app
