#include "tests/settings/SettingsDialogFixture.h"

#include <QCoreApplication>
#include <QEvent>

SettingsDialogTest::SettingsDialogTest()
    : selector(state, view, [this]() -> DialogModel& { return settings.model(); }),
      settings(SettingsDialogServices{
          .state = state,
          .view = view,
          .selector = selector,
          .decoder = decoder,
          .mainWindow = mainWindow,
          .mainWidget = &mainWidget,
          .showFileDialog =
              [this](QWidget* owner, std::string_view filter, const std::string&, bool save) {
                  fileDialogCalls.push_back({owner, std::string(filter), save});
                  if (whileFileDialogShows)
                      whileFileDialogShows();
                  return fileDialogAnswer;
              },
          .browseFolder = [](QWidget*, const std::string&, std::string& path) { path.clear(); },
          .showFilePreview = [this](const std::string& path,
                                    std::int32_t bytes) { previews.emplace_back(path, bytes); },
      }) {
    LoadMonitorDefaults(state);
}

SettingsDialogTest::~SettingsDialogTest() {
    deleteClosedWindows();
}

SettingsDialog& SettingsDialogTest::dialog() {
    settings.model();
    return *settings.window();
}

void SettingsDialogTest::deleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
