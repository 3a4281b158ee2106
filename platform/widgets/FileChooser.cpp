#include "widgets/FileChooser.h"

#include "models/MessageBox.h"
#include "widgets/QtMessageBoxPresenter.h"

#include <QFileDialog>
#include <QFileInfo>

#include <vector>

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString qtPatterns(std::string_view pattern) {
    QStringList patterns;
    for (const QString& one : fromUtf8(pattern).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = one.trimmed();
        // "*.*" means every file where the filter came from; here it would
        // skip names without a dot.
        patterns << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
    }
    return patterns.join(QLatin1Char(' '));
}

// The user's consent to create `path`; false sends them back to the chooser.
bool creationConfirmed(QWidget* owner, const QString& path) {
    MessageBoxDescription box;
    box.caption = std::string(kSaveDialogTitle);
    box.text = path.toStdString() + "\nこのファイルは存在しません。\nファイルを作成しますか?";
    box.buttons = {MessageButton::Yes, MessageButton::No};
    box.defaultButton = MessageButton::Yes;
    box.escapeButton = MessageButton::No;
    box.icon = MessageIcon::Exclamation;
    QtMessageBoxPresenter presenter(owner);
    return presenter.present(box) == MessageButton::Yes;
}

} // namespace

QStringList fileDialogNameFilters(std::string_view filter) {
    std::vector<std::string_view> items;
    while (!filter.empty()) {
        const std::size_t end = filter.find('\0');
        const std::string_view item = filter.substr(0, end);
        if (item.empty())
            break; // the list's closing NUL
        items.push_back(item);
        if (end == std::string_view::npos)
            break;
        filter.remove_prefix(end + 1);
    }
    QStringList filters;
    for (std::size_t i = 0; i + 1 < items.size(); i += 2)
        filters << fromUtf8(items[i]) + QStringLiteral(" (") + qtPatterns(items[i + 1]) + QLatin1Char(')');
    return filters;
}

void prepareFileDialog(QFileDialog& dialog, std::string_view filter, const std::string& initialFolder,
                       bool saveStyle) {
    // The descriptions already name their patterns; showing Qt's copy too would repeat them.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(fileDialogNameFilters(filter));
    if (!initialFolder.empty())
        dialog.setDirectory(QString::fromStdString(initialFolder));
    if (saveStyle) {
        dialog.setWindowTitle(fromUtf8(kSaveDialogTitle));
        dialog.setAcceptMode(QFileDialog::AcceptSave); // asks before replacing a file
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
}

// With the details hidden, the dialog may name the filter by its description alone.
int selectedFilterIndex(const QFileDialog& dialog) {
    const QString selected = dialog.selectedNameFilter();
    const QStringList filters = dialog.nameFilters();
    for (qsizetype i = 0; i < filters.size(); ++i) {
        const QString& filter = filters[i];
        if (filter == selected || filter.left(filter.lastIndexOf(QStringLiteral(" ("))) == selected)
            return static_cast<int>(i);
    }
    return 0;
}

FileChoice chooseFile(QWidget* owner, std::string_view filter, const std::string& initialFolder,
                      bool saveStyle) {
    QFileDialog dialog(owner);
    prepareFileDialog(dialog, filter, initialFolder, saveStyle);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted)
            return {};
        const QStringList chosen = dialog.selectedFiles();
        if (chosen.isEmpty())
            return {};
        const QString& path = chosen.front();
        if (saveStyle && !QFileInfo::exists(path) && !creationConfirmed(&dialog, path)) {
            dialog.selectFile(path);
            continue;
        }
        return FileChoice{path.toStdString(), selectedFilterIndex(dialog)};
    }
}
