#include "secondary/SecondaryWindows.h"

#include "secondary/AboutDialog.h"

SecondaryWindows::~SecondaryWindows() {
    delete m_about.data();
}

AboutDialog* SecondaryWindows::about() const {
    return m_about.data();
}

void SecondaryWindows::showAbout() {
    // A closed window is deleted later: hidden meanwhile, it counts as gone.
    if (m_about && !m_about->isVisible()) {
        m_about->deleteLater();
        m_about.clear();
    }
    if (!m_about)
        m_about = new AboutDialog;
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}
