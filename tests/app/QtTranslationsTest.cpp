#include "app/QtTranslations.h"
#include "tests/support/TestSupport.h"

#include <QDialogButtonBox>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

#include <algorithm>

namespace torvik::app {
namespace {

bool hasChinese(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x4e00 && c.unicode() <= 0x9fff; });
}

struct QtButtonTexts {
    QString boxOk, boxCancel, messageOk;
};

QtButtonTexts qtButtonTexts()
{
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QMessageBox message;
    message.setStandardButtons(QMessageBox::Ok);
    return {buttons.button(QDialogButtonBox::Ok)->text(), buttons.button(QDialogButtonBox::Cancel)->text(),
            message.button(QMessageBox::Ok)->text()};
}

TEST(QtTranslationsTest, QtsOwnButtonsSpeakChineseWhileTheCatalogueIsInstalled)
{
    {
        QTranslator translator;
        ASSERT_TRUE(installQtTranslations(translator)) << "qt6-translations-l10n is missing from "
                                                       << QLibraryInfo::path(QLibraryInfo::TranslationsPath).toStdString();
        const QtButtonTexts texts = qtButtonTexts();
        for (const QString &text : {texts.boxOk, texts.boxCancel, texts.messageOk})
            EXPECT_TRUE(hasChinese(text)) << text.toStdString();
    }
    // The translator leaves with its owner, so no other test sees Chinese.
    const QtButtonTexts after = qtButtonTexts();
    EXPECT_FALSE(hasChinese(after.boxOk)) << after.boxOk.toStdString();
}

TEST(QtTranslationsTest, AMissingCatalogueLeavesQtsTextsAsTheyAre)
{
    test::ScratchDir empty;
    QTranslator translator;
    EXPECT_FALSE(installQtTranslations(translator, empty.path(QString())));
    EXPECT_TRUE(translator.isEmpty());
    const QtButtonTexts texts = qtButtonTexts();
    EXPECT_FALSE(hasChinese(texts.boxOk)) << texts.boxOk.toStdString();
}

} // namespace
} // namespace torvik::app
