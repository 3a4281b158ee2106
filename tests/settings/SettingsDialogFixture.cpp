#include "SettingsDialogFixture.h"

#include <QCoreApplication>
#include <QEvent>

SettingsDialogTest::SettingsDialogTest()
    : settings(SettingsDialogServices{
          .monitor = monitor,
          .view = view,
          .mainWindow = mainWindow,
          .decoder = decoder,
          .owner = &mainWidget,
          .chooseFile =
              [this](QWidget* owner, std::string_view filter, const std::string&, bool save) {
                  fileChooserCalls.push_back({owner, std::string(filter), save});
                  if (whileFileChooserShows)
                      whileFileChooserShows();
                  return FileChoice{fileChooserAnswer, 0};
              },
          .browseFolder = [](QWidget*, const std::string&) { return std::string(); },
          .showFilePreview = [this](const std::string& path,
                                    std::int32_t bytes) { previews.emplace_back(path, bytes); },
      }) {}

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
