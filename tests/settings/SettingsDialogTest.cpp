// The settings dialog as the user meets it: typing and pasting through the
// field rules, the list and check boxes acting at once, the choosers, file
// drops, applying, and the one instance that closing forgets.

#include "tests/settings/SettingsDialogFixture.h"

#include "models/DataFileAids.h"
#include "settings/RuleLineEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QUrl>

#include <tuple>

namespace {

using enum DialogControl;

RuleLineEdit* field(SettingsDialog& dialog, DialogControl control) {
    return qobject_cast<RuleLineEdit*>(dialog.widgetFor(control));
}

// The rules themselves are the model's; here: keys, pastes and undo reach
// them, refused keys never arrive, and what the rules replace is what the
// field shows.
TEST_F(SettingsDialogTest, TypingPastingAndUndoGoThroughTheRules) {
    SettingsDialog& window = dialog();
    for (const auto& [control, keys, shown] : {std::tuple{pollIntervalEdit, "4x-y70000", "65535"},
                                               std::tuple{dataFileEdit, "/tmp/a b.csv", "/tmp/a b.csv"}}) {
        RuleLineEdit* edit = field(window, control);
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromUtf8(keys));
        EXPECT_EQ(edit->text(), QString::fromUtf8(shown)) << keys;
        EXPECT_EQ(window.model().text(control), shown) << keys;
    }
    // A refused key is discarded before the field sees it: even the selection stays.
    RuleLineEdit* xmem = field(window, pointsPerViewEdit);
    xmem->selectAll();
    QTest::keyClick(xmem, Qt::Key_A, Qt::NoModifier);
    EXPECT_EQ(xmem->selectedText(), xmem->text());

    QApplication::clipboard()->setText(QStringLiteral("12ab34"));
    xmem->selectAll();
    QTest::keySequence(xmem, QKeySequence::Paste);
    EXPECT_EQ(window.model().text(pointsPerViewEdit), "1234");

    // Undo is an edit like any other: once the field is locked it changes nothing.
    window.autoScaleCheck->click(); // unlocks Max/Min
    RuleLineEdit* maxY = field(window, scaleTopEdit);
    maxY->selectAll();
    QTest::keyClicks(maxY, QStringLiteral("1.2.3-"));
    EXPECT_EQ(window.model().text(scaleTopEdit), "1.2.3-");
    window.autoScaleCheck->click();
    maxY->undo();
    EXPECT_EQ(maxY->text(), QStringLiteral("1.2.3-"));
    EXPECT_EQ(window.model().text(scaleTopEdit), "1.2.3-");
}

TEST_F(SettingsDialogTest, ListCheckBoxesAndSpinActAtOnce) {
    SettingsDialog& window = dialog();
    EXPECT_EQ(window.delimiterCombo->currentText(), QStringLiteral("カンマ")); // the loading steps
    window.model().setOkEnabled(false);
    QTest::keyClick(window.delimiterCombo, Qt::Key_Down);
    QTest::keyClick(window.delimiterCombo, Qt::Key_Down);
    EXPECT_EQ(state.delimiterName, "タブ"); // before and without applying
    EXPECT_TRUE(window.applyButton->isEnabled());

    window.columnScrollBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(window.columnEdit[0]->text(), QStringLiteral("2"));
    window.columnScrollBar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(window.columnEdit[0]->text(), QStringLiteral("1000"));

    RuleLineEdit* maxY = field(window, scaleTopEdit);
    const QColor face = window.palette().color(QPalette::Active, QPalette::Window);
    window.model().activate(); // auto Max/Min: locked, with the border colour
    EXPECT_TRUE(maxY->isReadOnly());
    EXPECT_EQ(maxY->palette().color(QPalette::Base), face);
    window.autoScaleCheck->click();
    EXPECT_FALSE(window.autoScaleCheck->isChecked());
    for (DialogControl c : {scaleTopEdit, scaleBottomEdit}) {
        EXPECT_FALSE(field(window, c)->isReadOnly());
        EXPECT_EQ(field(window, c)->palette().color(QPalette::Base), QColor(Qt::white));
    }
    EXPECT_TRUE(state.autoScale); // the setting changes only when applied

    window.saveSweepImagesCheck->click();
    EXPECT_TRUE(window.browseSweepFolderButton->isEnabled());
    EXPECT_FALSE(field(window, sweepFolderEdit)->isReadOnly());
}

TEST_F(SettingsDialogTest, OneInstanceThatClosingForgets) {
    state.scaleTop = 12.5;
    settings.showDialog();
    const QPointer<SettingsDialog> first = settings.window();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->parentWidget(), nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(first->applyButton->isEnabled());
    EXPECT_EQ(first->focusWidget(), first->applyButton);
    settings.showDialog();
    EXPECT_EQ(settings.window(), first.data());
    // Becoming active shows the scale in force.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(first, &activate);
    EXPECT_EQ(first->scaleTopEdit->text(), QStringLiteral("12.5"));

    field(*first, pollIntervalEdit)->selectAll();
    QTest::keyClicks(field(*first, pollIntervalEdit), QStringLiteral("20"));
    QTest::keyClick(first->delimiterCombo, Qt::Key_Down);
    state.dataFile = "/data/in-force.csv";
    first->closeButton->click();
    EXPECT_EQ(settings.window(), nullptr);
    deleteClosedWindows();
    EXPECT_FALSE(first);

    settings.setDataFileText("/data/next.csv");
    SettingsDialog* second = settings.window();
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(second->isVisible()); // placing a text does not show it
    EXPECT_EQ(second->dataFileEdit->text(), QStringLiteral("/data/next.csv"));
    EXPECT_EQ(second->pollIntervalEdit->text(), QStringLiteral("1000"));
    EXPECT_EQ(second->delimiterCombo->currentText(), QStringLiteral("スペース")); // written at once, kept
}

// The activation a chooser or box borrows comes back without the becoming-
// active steps, so typed Max/Min values stay; a real activation runs them.
TEST_F(SettingsDialogTest, TypedValuesSurviveTheActivationAChooserBorrows) {
    SettingsDialog& window = dialog();
    const auto sendActivation = [&](QEvent::Type type) {
        QEvent event(type);
        QApplication::sendEvent(&window, &event);
    };
    window.autoScaleCheck->click(); // unlocks Max/Min; the scale in force is still automatic
    RuleLineEdit* maxY = field(window, scaleTopEdit);
    maxY->selectAll();
    QTest::keyClicks(maxY, QStringLiteral("42"));
    whileFileDialogShows = [&] { sendActivation(QEvent::WindowDeactivate); };
    window.browseDataFileButton->click();
    sendActivation(QEvent::WindowActivate);
    EXPECT_EQ(window.model().text(scaleTopEdit), "42");
    EXPECT_FALSE(window.autoScaleCheck->isChecked());

    sendActivation(QEvent::WindowDeactivate); // the user went to another window
    sendActivation(QEvent::WindowActivate);
    EXPECT_EQ(window.model().text(scaleTopEdit), "0") << "the scale in force, shown again";
    EXPECT_TRUE(window.autoScaleCheck->isChecked());
}

TEST_F(SettingsDialogTest, DroppedFilesAndTheChooserFillTheDataFile) {
    SettingsDialog& window = dialog();
    RuleLineEdit* inFile = field(window, dataFileEdit);

    QMimeData text;
    text.setText(QStringLiteral("/not/a/drop.csv"));
    QDragEnterEvent enterText(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(inFile, &enterText);
    EXPECT_FALSE(enterText.isAccepted());

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QStringLiteral("/data/first.csv")),
                   QUrl::fromLocalFile(QStringLiteral("/data/second.csv"))});
    QDragEnterEvent enterFiles(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(inFile, &enterFiles);
    EXPECT_TRUE(enterFiles.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(inFile, &drop);
    EXPECT_EQ(inFile->text(), QStringLiteral("/data/first.csv"));

    const std::pair<const char*, const char*> choices[] = {{"", "/data/first.csv"},
                                                           {"/data/chosen.csv", "/data/chosen.csv"}};
    for (const auto& [answer, shown] : choices) {
        SCOPED_TRACE(answer);
        fileDialogAnswer = answer;
        window.model().setOkEnabled(false);
        window.browseDataFileButton->click();
        EXPECT_EQ(inFile->text(), QString::fromUtf8(shown));
        EXPECT_TRUE(window.applyButton->isEnabled()); // also after a cancelled choice
    }
    ASSERT_EQ(fileDialogCalls.size(), 2u);
    EXPECT_EQ(fileDialogCalls[0].owner, &mainWidget); // the main window owns every file choice
    EXPECT_EQ(fileDialogCalls[0].filter, kInFileFilter);
    EXPECT_FALSE(fileDialogCalls[0].save);
}
} // namespace
