#pragma once

// The record navigator under the grid: ten buttons over the dataset of a data
// source (first, prior, next, last, insert, delete, edit, post, cancel,
// refresh), each enabled while its action makes sense.

#include <QWidget>

#include <array>

class QToolButton;

namespace torvik::dataset {
class TDataSet;
class TDataSource;
} // namespace torvik::dataset

namespace torvik::dbwindow {

enum class NavigateButton { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };
inline constexpr int kNavigateButtons = 10;

class TDbNavigator : public QWidget {
    Q_OBJECT
public:
    explicit TDbNavigator(QWidget *parent = nullptr);

    void setDataSource(dataset::TDataSource *source);
    QToolButton *button(NavigateButton which) const { return buttons_[size_t(which)]; }
    // Carries out what the button does (the grid asks before a delete).
    void BtnClick(NavigateButton which);
    // Brings every button's enabled state up to date.
    void updateButtons();

private:
    dataset::TDataSet *dataSet() const;

    std::array<QToolButton *, kNavigateButtons> buttons_{};
    dataset::TDataSource *source_ = nullptr;
};

} // namespace torvik::dbwindow
