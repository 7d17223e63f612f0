#pragma once

// The controls of the two balancing aids: the skill power test on the skills
// page and the monster name-colour preview on the monsters page. Only their
// layout lives here; the window wires their behaviour.

class QAbstractSpinBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QWidget;

namespace torvik::dbwindow {

struct PowerTestControls {
    QGroupBox *GroupBoxMagic = nullptr;
    QGroupBox *RzGroupBox9 = nullptr; // the current skill's data
    QLineEdit *EditMagicName = nullptr;
    QSpinBox *EditPower = nullptr;
    QSpinBox *EditMaxPower = nullptr;
    QSpinBox *EditDefPower = nullptr;
    QSpinBox *EditDefMaxPower = nullptr;
    QGroupBox *RzGroupBox8 = nullptr; // the simulated character
    QSpinBox *EditDC = nullptr;
    QSpinBox *EditMaxDC = nullptr;
    QSpinBox *EditSkillLevel = nullptr;
    QSpinBox *EditBasePower = nullptr;
    QSpinBox *EditMagBubbleDefenceLevel = nullptr;
    QDoubleSpinBox *EditMagBubbleDefenceRate = nullptr;
    QSpinBox *EditDamage = nullptr;
    QPushButton *RzButton9 = nullptr;
};

struct NameColourControls {
    QWidget *panel = nullptr;
    QLabel *LableMonNameColor = nullptr;
    QSlider *RzDBTrackBar1 = nullptr;
};

PowerTestControls makePowerTestGroup(QWidget *page);
NameColourControls makeNameColourPreview(QWidget *page);

} // namespace torvik::dbwindow
