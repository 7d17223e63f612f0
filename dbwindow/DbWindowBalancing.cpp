// The two balancing aids: the skill power test on the skills page and the
// monster name-colour slider on the monsters page.

#include "dbwindow/DBCUnitWin.h"

#include "dataset/SqliteTable.h"
#include "dbwindow/NameColors.h"
#include "dbwindow/NumberBox.h"
#include "dbwindow/PowerTest.h"
#include "ui/ErrorReport.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

#include <random>

namespace torvik::dbwindow {

void TFrmDBMain::connectBalancingAids()
{
    connect(powerTest.RzButton9, &QPushButton::clicked, this, ui::guarded([this](bool) { RzButton9Click(); }));
    connect(nameColour.RzDBTrackBar1, &QSlider::valueChanged, this, [this](int) { RzDBTrackBar1Change(); });
}

void TFrmDBMain::RzButton9Click()
{
    const auto rounded = [](const QSpinBox *box) { return int(roundHalfEven(readNumber(box))); };
    const int power = rounded(powerTest.EditPower);
    const int maxPower = rounded(powerTest.EditMaxPower);
    const int defPower = rounded(powerTest.EditDefPower);
    const int defMaxPower = rounded(powerTest.EditDefMaxPower);
    const int dc = rounded(powerTest.EditDC);
    const int maxDc = rounded(powerTest.EditMaxDC);
    const int shieldLevel = rounded(powerTest.EditMagBubbleDefenceLevel);
    const double shieldStrength = readNumber(powerTest.EditMagBubbleDefenceRate);

    const RandomDraw draw = [this](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    const int skill = SkillPower(RandomBetween(power, maxPower, draw), defPower, defMaxPower, draw);
    const int basePower = AttackValue(dc + skill, attackSpread(dc, maxDc));
    writeNumber(powerTest.EditBasePower, basePower);
    // From the full output damage, not the one the box can show.
    writeNumber(powerTest.EditDamage, roundHalfEven(realDamage(basePower, shieldLevel, shieldStrength)));
}

void TFrmDBMain::RzDBTrackBar1Change()
{
    const int v = nameColour.RzDBTrackBar1->value();
    QPalette palette = nameColour.LableMonNameColor->palette();
    // Black would not show as a name colour: 0 previews as white.
    palette.setColor(QPalette::WindowText, NameColorOf(v == 0 ? 255 : v));
    nameColour.LableMonNameColor->setPalette(palette);

    // The write is a convenience: whatever stops it (no open table, no
    // NAMECOLOR column, a refused post) goes unreported.
    try {
        // Without a current row an edit would begin a new one; a preview
        // must not add a row to the table.
        if (!Table->Active() || (Table->State() == dataset::TDataSetState::dsBrowse && !Table->GetBookmark()))
            return;
        Table->Edit();
        Table->FieldByName("NAMECOLOR")->setAsInteger(v);
        Table->Post();
    } catch (...) {
    }
}

} // namespace torvik::dbwindow
