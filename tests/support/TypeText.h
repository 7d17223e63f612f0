#pragma once

#include <QString>

class QWidget;

namespace torvik::test {

// Types text the way a keyboard or an input method delivers it, one key
// press per character, whatever the characters are (QTest::keyClicks only
// carries Latin-1).
void typeText(QWidget *target, const QString &text);

} // namespace torvik::test
