#include "MainWindowFixture.h"

#include "monitor/ApplySettings.h"

#include <QCoreApplication>
#include <QTest>

MainWindowTest::MainWindowTest() : MainWindowTest(std::make_unique<FailingDecoder>()) {}

MainWindowTest::MainWindowTest(std::unique_ptr<FailingDecoder> ownDecoder)
    : window(std::make_unique<MainWindow>(dialog)), decoder(ownDecoder.get()),
      session(*window, boxes, std::move(ownDecoder)) {
    dialog.mainWindow = window.get();
}

MainWindowTest::~MainWindowTest() = default;

void MainWindowTest::showWindow() {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    settle();
}

void MainWindowTest::applySettingsFor(const std::string& dataFile, int pageLines, int replayPause) {
    MonitorSettings settings;
    settings.dataFile = dataFile;
    settings.pollInterval = 20;
    settings.replayPause = replayPause;
    if (pageLines > 0)
        settings.pageSize = pageLines;
    apply(settings);
}

void MainWindowTest::apply(const MonitorSettings& settings) {
    auto prepared = prepareSettings(settings, std::nullopt);
    ASSERT_TRUE(prepared);
    ASSERT_EQ(applyMonitorSettings(monitor(), std::move(*prepared), session.view(), &session.view()),
              ApplyOutcome::Applied);
}

void MainWindowTest::settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}
