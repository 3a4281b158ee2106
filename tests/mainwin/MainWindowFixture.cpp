#include "tests/mainwin/MainWindowFixture.h"

#include "core/MonitorSettings.h"

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

void MainWindowTest::applySettingsFor(const std::string& dataFile, std::int32_t pageLines) {
    MonitorSettings settings;
    settings.strInFile = dataFile;
    settings.lngInterval = 20;
    if (pageLines > 0)
        settings.lngRange = pageLines;
    auto prepared = prepareSettings(settings, std::nullopt);
    ASSERT_TRUE(prepared);
    ASSERT_EQ(applyMonitorSettings(state, std::move(*prepared), {*window, window.get()}),
              ApplyOutcome::Applied);
}

void MainWindowTest::settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}
