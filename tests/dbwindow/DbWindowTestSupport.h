#pragma once

// What the database window's tests share: a scripted modal seam, a frame to
// host the window, and small databases made on the spot.

#include "dbwindow/DBCUnitWin.h"
#include "tests/support/ScriptedModalUi.h"
#include "tests/support/TestSupport.h"

#include <QMdiArea>
#include <QPointer>

#include <string>

#include <gtest/gtest.h>

namespace torvik::dbwindow::testing {

class DbWindowTest : public ::testing::Test {
protected:
    DbWindowTest();
    ~DbWindowTest() override;

    // A new window in the frame, opened on the file (exceptions pass through).
    TFrmDBMain *openWindow(const QString &path);
    // Runs the events that destroy closed windows.
    static void processDeferredDeletes();

    // The grid's column titles, left to right.
    QStringList titles(const TFrmDBMain &window) const;
    QStringList fieldNames(const TFrmDBMain &window) const;
    // Switches the page the way a click on its tab does.
    static void choosePage(TFrmDBMain &window, int page);

    // First of the members: widgets need the application.
    struct Application {
        Application() { test::ensureGuiApplication(); }
    } application;
    test::ScriptedModalUi dialogs;
    test::ScratchDir scratch;
    QMdiArea frame;
    QPointer<TFrmDBMain> window;
};

// Creates a database from SQL given as Unicode; its texts are stored as GBK.
QString makeDatabase(const test::ScratchDir &dir, const QString &name, const QString &sql);
// Reads one value as text through a connection of its own.
std::string readBack(const QString &path, const std::string &sql);
// The label list of a page as Unicode texts.
QStringList pageLabels(int page);

} // namespace torvik::dbwindow::testing
