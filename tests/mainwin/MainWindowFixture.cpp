#include "tests/mainwin/MainWindowFixture.h"

#include "monitor/MonitorSettings.h"

#include <QCoreApplication>
#include <QTest>

MainWindowTest::MainWindowTest() : window(std::make_unique<MainWindow>(state, dialog, boxes)) {
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

void MainWindowTest::applySettingsFor(const std::string& dataFile, std::int32_t pageLines) {
    MonitorSettings settings;
    settings.dataFile = dataFile;
    settings.pollInterval = 20;
    if (pageLines > 0)
        settings.pageSize = pageLines;
    auto prepared = prepareSettings(settings, std::nullopt);
    ASSERT_TRUE(prepared);
    ASSERT_EQ(applyMonitorSettings(state, std::move(*prepared), {*window, window.get()}),
              ApplyOutcome::Applied);
}

void MainWindowTest::settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}
