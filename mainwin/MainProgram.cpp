#include "mainwin/MainProgram.h"

#include "core/TextDecoder.h"
#include "settings/SettingsDialog.h"
#include "settings/frmDialog.h"

MainProgram::MainProgram(std::unique_ptr<TextDecoder> decoder, MessageBoxPresenter& messageBoxes,
                         FileChoiceFunction chooseFile, FolderBrowserFunction browseFolder)
    : m_mainWindow(m_state, m_settingsLink, messageBoxes),
      m_session(m_state, m_mainWindow, std::move(decoder)),
      m_selector(m_state, m_mainWindow, [this]() -> DialogModel& { return m_settings->model(); }),
      m_images(m_session.context(), m_session.surface(), ImageCommandServices{.owner = &m_mainWindow, .chooseFile = chooseFile}) {
    m_settings =
        std::make_unique<SettingsDialog>(SettingsDialogServices{.state = m_state,
                                                                .view = m_mainWindow,
                                                                .selector = m_selector,
                                                                .decoder = m_session.context().decoder,
                                                                .mainWindow = m_mainWindow,
                                                                .mainWidget = &m_mainWindow,
                                                                .showFileDialog =
                                              [chooseFile](QWidget* owner, std::string_view filter,
                                                           const std::string& folder, bool save) {
                                                  return chooseFile(owner, filter, folder, save).path;
                                              },
                                                                .browseFolder = std::move(browseFolder),
                                                                .showFilePreview = {}});
    m_settingsLink.dialog = m_settings.get();
    m_mainWindow.bindFieldSelector(m_selector);
    m_mainWindow.wireImageCommands(&m_images);
}

MainProgram::~MainProgram() = default;

void MainProgram::start(const std::string& commandLineText) {
    m_mainWindow.setCommandLineText(commandLineText);
    m_mainWindow.show();
}
