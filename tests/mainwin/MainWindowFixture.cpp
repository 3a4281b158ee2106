#include "tests/mainwin/MainWindowFixture.h"

#include <QCoreApplication>
#include <QTest>

MainWindowTest::MainWindowTest() : window(std::make_unique<frmMonMain>(state, dialog, boxes)) {
    dialog.mainWindow = window.get();
    // Tests end nothing but themselves.
    window->setEndProgramHandler([] {});
}

MainWindowTest::~MainWindowTest() = default;

void MainWindowTest::showWindow() {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    settle();
}

void MainWindowTest::settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}
