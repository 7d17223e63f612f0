#pragma once

// The "显示过滤" group that heads every page of the database window: the
// field-name box, and on the searchable pages a name field, an exact box, a
// search button and a category list.

#include <QString>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace torvik::dbwindow {

struct FilterGroupSpec {
    const char *fieldNameBox = nullptr; // every group has one
    bool fieldNameBoxChecked = false;
    // The search controls; a null nameField means the group has none.
    const char *nameLabel = nullptr;
    const char *nameField = nullptr;
    QString nameLabelText = {};
    const char *exactBox = nullptr;
    const char *searchButton = nullptr;
    const char *categoryLabel = nullptr;
    const char *categoryList = nullptr;
    bool searchEnabled = true;   // the inner-demon page has them all disabled
    bool categoryEnabled = true; // only the items page's list is in use
};

// Where a window keeps the controls of one of its groups; a null entry: the
// window does not keep that control.
struct FilterGroupMembers {
    QCheckBox **fieldNameBox = nullptr;
    QLabel **nameLabel = nullptr;
    QLineEdit **nameField = nullptr;
    QCheckBox **exactBox = nullptr;
    QPushButton **searchButton = nullptr;
    QLabel **categoryLabel = nullptr;
    QComboBox **categoryList = nullptr;
};

struct FilterGroup {
    QGroupBox *group = nullptr;
    QCheckBox *fieldNameBox = nullptr;
    QLabel *nameLabel = nullptr;
    QLineEdit *nameField = nullptr;
    QCheckBox *exactBox = nullptr;
    QPushButton *searchButton = nullptr;
    QLabel *categoryLabel = nullptr;
    QComboBox *categoryList = nullptr;

    void assignTo(const FilterGroupMembers &members) const;
};

FilterGroup makeFilterGroup(QWidget *page, const FilterGroupSpec &spec);

} // namespace torvik::dbwindow
