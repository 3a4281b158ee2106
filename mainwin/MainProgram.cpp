#include "mainwin/MainProgram.h"

#include "text/TextDecoder.h"
#include "secondary/SecondaryWindows.h"
#include "settings/SettingsDialogHost.h"
#include "settings/SettingsDialog.h"

MainProgram::MainProgram(std::unique_ptr<TextDecoder> decoder, MessageBoxPresenter& messageBoxes,
                         FileChoiceFunction chooseFile, FolderBrowserFunction browseFolder)
    : m_mainWindow(m_state, m_settingsLink, messageBoxes),
      m_session(m_state, m_mainWindow, std::move(decoder)),
      m_selector(m_state, m_mainWindow, [this]() -> DialogModel& { return m_settings->model(); }),
      m_images(m_session.context(), m_session.surface(),
               ImageCommandServices{.owner = &m_mainWindow, .chooseFile = chooseFile}) {
    // The choosers that need only the path.
    const FileDialogFunction showFileDialog = [chooseFile](QWidget* owner, std::string_view filter,
                                                           const std::string& folder, bool save) {
        return chooseFile(owner, filter, folder, save).path;
    };
    m_secondary = std::make_unique<SecondaryWindows>(PreviewServices{.codec = m_session.context().decoder,
                                                                     .messageBoxes = messageBoxes,
                                                                     .showFileDialog = showFileDialog,
                                                                     .fileDialogOwner = &m_mainWindow});
    FilePreviewFunction showPreview = [this](const std::string& path, std::int32_t bytes) {
        if (m_secondary)
            m_secondary->preview().showFilePreview(path, bytes);
    };
    m_settings =
        std::make_unique<SettingsDialogHost>(SettingsDialogServices{.state = m_state,
                                                                .view = m_mainWindow,
                                                                .selector = m_selector,
                                                                .decoder = m_session.context().decoder,
                                                                .mainWindow = m_mainWindow,
                                                                .mainWidget = &m_mainWindow,
                                                                .showFileDialog = showFileDialog,
                                                                .browseFolder = std::move(browseFolder),
                                                                .showFilePreview = std::move(showPreview)});
    m_settingsLink.dialog = m_settings.get();
    m_mainWindow.bindFieldSelector(m_selector);
    m_mainWindow.wireImageCommands(&m_images);
    m_mainWindow.wireFileCommands(*m_secondary, m_session);
}

MainProgram::~MainProgram() = default;

void MainProgram::start(const std::string& commandLineText) {
    m_mainWindow.setCommandLineText(commandLineText);
    m_mainWindow.show();
}
