#pragma once
// The version window "Trendolaのﾊﾞｰｼﾞｮﾝ情報": the program's title, version
// and documentation address, which opens when clicked. A modeless window
// without owner; Enter and Esc close it, as cmdOK does.

#include <QDialog>

class QLabel;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout();

    // --- handlers ---
    void cmdOK_Click();
    // Opens the documentation address with the desktop's handler (its result
    // is ignored), then closes the window.
    void lblDescription_Click();

    // The address lblDescription shows and opens.
    static QUrl documentationUrl();

    // --- controls ---
    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load();
    void place(QWidget* control, int left, int top, int width, int height);
};
