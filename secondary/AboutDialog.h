#pragma once
// The version window "Trendolaのﾊﾞｰｼﾞｮﾝ情報": the program's title, version
// and documentation address, which opens when clicked. A modeless window
// without owner; Enter and Esc close it, as okButton does.

#include <QDialog>

class QLabel;
class QPushButton;

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog();

    // --- handlers ---
    void cmdOK_Click();
    // Opens the documentation address with the desktop's handler (its result
    // is ignored), then closes the window.
    void openWebPage();

    // The address webPageLabel shows and opens.
    static QUrl documentationUrl();

    // --- controls ---
    QLabel* iconLabel = nullptr;
    QLabel* titleLabel = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* webPageLabel = nullptr;
    QLabel* noticeLabel = nullptr;
    QPushButton* okButton = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load();
    void place(QWidget* control, int left, int top, int width, int height);
};
