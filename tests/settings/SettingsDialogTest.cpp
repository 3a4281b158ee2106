// The settings dialog as the user meets it: typing and pasting through the
// field rules, the list and check boxes acting at once, the choosers, file
// drops, applying, and the one instance that closing forgets.

#include "SettingsDialogFixture.h"

#include "models/DataFileAids.h"
#include "monitor/ApplySettings.h"
#include "settings/RuleLineEdit.h"
#include "support/TempDir.h"

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

// The rules themselves are the model's; here: keys, pastes and undo reach
// them, refused keys never arrive, and what the rules replace is what the
// field shows.
TEST_F(SettingsDialogTest, TypingPastingAndUndoGoThroughTheRules) {
    SettingsDialog& window = dialog();
    for (const auto& [field, keys, shown] : {std::tuple{pollIntervalEdit, "4x-y70000", "65535"},
                                             std::tuple{dataFileEdit, "/tmp/a b.csv", "/tmp/a b.csv"}}) {
        RuleLineEdit* edit = control<RuleLineEdit>(field);
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromUtf8(keys));
        EXPECT_EQ(edit->text(), QString::fromUtf8(shown)) << keys;
        EXPECT_EQ(window.model().text(field), shown) << keys;
    }
    // A refused key is discarded before the field sees it: even the selection stays.
    RuleLineEdit* pointsPerView = control<RuleLineEdit>(pointsPerViewEdit);
    pointsPerView->selectAll();
    QTest::keyClick(pointsPerView, Qt::Key_A, Qt::NoModifier);
    EXPECT_EQ(pointsPerView->selectedText(), pointsPerView->text());

    QApplication::clipboard()->setText(QStringLiteral("12ab34"));
    pointsPerView->selectAll();
    QTest::keySequence(pointsPerView, QKeySequence::Paste);
    EXPECT_EQ(window.model().text(pointsPerViewEdit), "1234");

    // Undo is an edit like any other: once the field is locked it changes nothing.
    control<QCheckBox>(autoScaleCheck)->click(); // unlocks Max/Min
    RuleLineEdit* scaleTop = control<RuleLineEdit>(scaleTopEdit);
    scaleTop->selectAll();
    QTest::keyClicks(scaleTop, QStringLiteral("1.2.3-"));
    EXPECT_EQ(window.model().text(scaleTopEdit), "1.2.3-");
    control<QCheckBox>(autoScaleCheck)->click();
    scaleTop->undo();
    EXPECT_EQ(scaleTop->text(), QStringLiteral("1.2.3-"));
    EXPECT_EQ(window.model().text(scaleTopEdit), "1.2.3-");
}

TEST_F(SettingsDialogTest, ListCheckBoxesAndSpinActAtOnce) {
    SettingsDialog& window = dialog();
    EXPECT_EQ(control<QComboBox>(delimiterCombo)->currentText(),
              QStringLiteral("カンマ")); // the loading steps
    window.model().setOkEnabled(false);
    QTest::keyClick(control<QComboBox>(delimiterCombo), Qt::Key_Down);
    QTest::keyClick(control<QComboBox>(delimiterCombo), Qt::Key_Down);
    EXPECT_EQ(monitor.settings().delimiterName, "タブ"); // before and without applying
    EXPECT_TRUE(control<QPushButton>(applyButton)->isEnabled());

    control<QScrollBar>(columnScrollBar)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(control<QLineEdit>(columnEdit)->text(), QStringLiteral("2"));
    control<QScrollBar>(columnScrollBar)->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(control<QLineEdit>(columnEdit)->text(), QStringLiteral("1000"));

    RuleLineEdit* scaleTop = control<RuleLineEdit>(scaleTopEdit);
    const QColor face = window.palette().color(QPalette::Active, QPalette::Window);
    window.model().activate(); // auto Max/Min: locked, with the border colour
    EXPECT_TRUE(scaleTop->isReadOnly());
    EXPECT_EQ(scaleTop->palette().color(QPalette::Base), face);
    control<QCheckBox>(autoScaleCheck)->click();
    EXPECT_FALSE(control<QCheckBox>(autoScaleCheck)->isChecked());
    for (DialogControl c : {scaleTopEdit, scaleBottomEdit}) {
        EXPECT_FALSE(control<RuleLineEdit>(c)->isReadOnly());
        EXPECT_EQ(control<RuleLineEdit>(c)->palette().color(QPalette::Base), QColor(Qt::white));
    }
    EXPECT_TRUE(monitor.settings().autoScale); // the setting changes only when applied

    control<QCheckBox>(saveSweepImagesCheck)->click();
    EXPECT_TRUE(control<QPushButton>(browseSweepFolderButton)->isEnabled());
    EXPECT_FALSE(control<RuleLineEdit>(sweepFolderEdit)->isReadOnly());
}

TEST_F(SettingsDialogTest, OneInstanceThatClosingForgets) {
    // A data file in force, which the placed text below replaces.
    TempDir dir;
    MonitorSettings inForce;
    inForce.dataFile = dir.write("in-force.csv", "1\n");
    auto prepared = prepareSettings(inForce, std::nullopt);
    ASSERT_TRUE(prepared);
    ASSERT_EQ(applyMonitorSettings(monitor, std::move(*prepared), view, &mainWindow), ApplyOutcome::Applied);
    monitor.scale().setEnds(12.5, 0);
    settings.showDialog();
    const QPointer<SettingsDialog> first = settings.window();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->parentWidget(), nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(control<QPushButton>(applyButton)->isEnabled());
    EXPECT_EQ(first->focusWidget(), control<QPushButton>(applyButton));
    settings.showDialog();
    EXPECT_EQ(settings.window(), first.data());
    // Becoming active shows the scale in force.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(first, &activate);
    EXPECT_EQ(control<RuleLineEdit>(scaleTopEdit)->text(), QStringLiteral("12.5"));

    control<RuleLineEdit>(pollIntervalEdit)->selectAll();
    QTest::keyClicks(control<RuleLineEdit>(pollIntervalEdit), QStringLiteral("20"));
    QTest::keyClick(control<QComboBox>(delimiterCombo), Qt::Key_Down);
    control<QPushButton>(closeButton)->click();
    EXPECT_EQ(settings.window(), nullptr);
    deleteClosedWindows();
    EXPECT_FALSE(first);

    settings.setDataFileText("/data/next.csv");
    SettingsDialog* second = settings.window();
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(second->isVisible()); // placing a text does not show it
    EXPECT_EQ(control<RuleLineEdit>(dataFileEdit)->text(), QStringLiteral("/data/next.csv"));
    EXPECT_EQ(control<RuleLineEdit>(pollIntervalEdit)->text(), QStringLiteral("1000"));
    EXPECT_EQ(control<QComboBox>(delimiterCombo)->currentText(),
              QStringLiteral("スペース")); // written at once, kept
}

// The activation a chooser or box borrows comes back without the becoming-
// active steps, so typed Max/Min values stay; a real activation runs them.
TEST_F(SettingsDialogTest, TypedValuesSurviveTheActivationAChooserBorrows) {
    SettingsDialog& window = dialog();
    const auto sendActivation = [&](QEvent::Type type) {
        QEvent event(type);
        QApplication::sendEvent(&window, &event);
    };
    control<QCheckBox>(autoScaleCheck)->click(); // unlocks Max/Min; the scale in force is still automatic
    RuleLineEdit* scaleTop = control<RuleLineEdit>(scaleTopEdit);
    scaleTop->selectAll();
    QTest::keyClicks(scaleTop, QStringLiteral("42"));
    whileFileChooserShows = [&] { sendActivation(QEvent::WindowDeactivate); };
    control<QPushButton>(browseDataFileButton)->click();
    sendActivation(QEvent::WindowActivate);
    EXPECT_EQ(window.model().text(scaleTopEdit), "42");
    EXPECT_FALSE(control<QCheckBox>(autoScaleCheck)->isChecked());

    sendActivation(QEvent::WindowDeactivate); // the user went to another window
    sendActivation(QEvent::WindowActivate);
    EXPECT_EQ(window.model().text(scaleTopEdit), "0") << "the scale in force, shown again";
    EXPECT_TRUE(control<QCheckBox>(autoScaleCheck)->isChecked());
}

TEST_F(SettingsDialogTest, DroppedFilesAndTheChooserFillTheDataFile) {
    SettingsDialog& window = dialog();
    RuleLineEdit* inFile = control<RuleLineEdit>(dataFileEdit);

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
        fileChooserAnswer = answer;
        window.model().setOkEnabled(false);
        control<QPushButton>(browseDataFileButton)->click();
        EXPECT_EQ(inFile->text(), QString::fromUtf8(shown));
        EXPECT_TRUE(control<QPushButton>(applyButton)->isEnabled()); // also after a cancelled choice
    }
    ASSERT_EQ(fileChooserCalls.size(), 2u);
    EXPECT_EQ(fileChooserCalls[0].owner, &mainWidget); // the main window owns every file choice
    EXPECT_EQ(fileChooserCalls[0].filter, kDataFileFilter);
    EXPECT_FALSE(fileChooserCalls[0].save);
}
} // namespace
