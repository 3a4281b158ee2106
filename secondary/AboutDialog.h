#pragma once
// The version window "Trendolaのﾊﾞｰｼﾞｮﾝ情報": the program's title, version
// and documentation address, which opens when clicked. A modeless window
// without owner; Enter and Esc close it, as its "OK" does.

#include "models/MainWindowLayout.h"

#include <QDialog>

class QLabel;
class QPushButton;

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog();

    // The address the window shows and opens: the installed README, or the
    // one of the sources the program was built from.
    static QUrl documentationUrl();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fillCaptions();
    // Opens the documentation address with the desktop's handler (its result
    // is ignored), then closes the window.
    void openWebPage();
    void place(QWidget* control, Twips left, Twips top, Twips width, Twips height);

    QLabel* m_iconLabel = nullptr;
    QLabel* m_titleLabel = nullptr;
    QLabel* m_versionLabel = nullptr;
    QLabel* m_webPageLabel = nullptr;
    QLabel* m_noticeLabel = nullptr;
    QPushButton* m_okButton = nullptr;
};
