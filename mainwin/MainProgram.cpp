#include "mainwin/MainProgram.h"

#include "mainwin/ProgramExit.h"
#include "secondary/SecondaryWindows.h"
#include "settings/SettingsDialog.h"
#include "text/TextDecoder.h"

MainProgram::MainProgram(std::unique_ptr<TextDecoder> decoder, MessageBoxPresenter& messageBoxes,
                         FileChooser chooseFile, FolderChooser browseFolder)
    : m_mainWindow(m_settingsLink), m_session(m_mainWindow, messageBoxes, std::move(decoder)),
      m_columnSelector(m_session.monitor(), m_session.view(),
                       [this]() -> DialogModel& { return m_settings->model(); }),
      m_images(m_session.context(), m_session.surface(),
               ImageCommandServices{.owner = &m_mainWindow, .chooseFile = chooseFile}),
      m_quitHandler([] { endProgram(0); }) {
    m_secondary = std::make_unique<SecondaryWindows>(PreviewServices{.codec = m_session.decoder(),
                                                                     .messageBoxes = messageBoxes,
                                                                     .chooseFile = chooseFile,
                                                                     .owner = &m_mainWindow});
    m_settings = std::make_unique<SettingsDialogHost>(
        SettingsDialogServices{.monitor = m_session.monitor(),
                               .view = m_session.view(),
                               .mainWindow = m_session.view(),
                               .decoder = m_session.decoder(),
                               .owner = &m_mainWindow,
                               .chooseFile = std::move(chooseFile),
                               .browseFolder = std::move(browseFolder),
                               .showFilePreview = [this](const std::string& path, std::int32_t byteCount) {
                                   if (m_secondary)
                                       m_secondary->preview().showFilePreview(path, byteCount);
                               }});
    m_settingsLink.dialog = m_settings.get();
    m_session.view().setColumnSelector(&m_columnSelector);
    wireCommands();
}

MainProgram::~MainProgram() {
    m_session.view().setColumnSelector(nullptr);
}

void MainProgram::wireCommands() {
    MainWindow& window = m_mainWindow;
    const auto showColumn = [this] {
        m_mainWindow.showColumn(QString::fromStdString(m_columnSelector.columnText()),
                                m_columnSelector.spinValue());
    };
    m_columnSelector.setChangeListener(showColumn);
    showColumn();
    QObject::connect(&window, &MainWindow::columnSpinMoved, &window,
                     [this](int value) { m_columnSelector.setSpinValue(value); });

    QObject::connect(&window, &MainWindow::loadImageRequested, &window, [this] { m_images.load(); });
    QObject::connect(&window, &MainWindow::saveImageRequested, &window, [this] { m_images.save(); });
    QObject::connect(&window, &MainWindow::printImageRequested, &window, [this] { m_images.print(); });
    QObject::connect(&window, &MainWindow::copyGraphRequested, &window,
                     [this] { m_images.copyToClipboard(); });
    QObject::connect(&window, &MainWindow::previewSamplesRequested, &window,
                     [this] { m_secondary->preview().showBufferedValues(m_session.monitor().samples()); });
    QObject::connect(&window, &MainWindow::aboutRequested, &window, [this] { m_secondary->showAbout(); });
    QObject::connect(&window, &MainWindow::quitRequested, &window, [this] {
        if (m_quitHandler)
            m_quitHandler();
    });
}

void MainProgram::start(const std::string& commandLineText) {
    m_mainWindow.setCommandLineText(commandLineText);
    m_mainWindow.show();
}
