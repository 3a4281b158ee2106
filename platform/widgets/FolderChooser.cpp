#include "widgets/FolderChooser.h"

#include "models/DataFileAids.h"

#include <QFileDialog>

std::string browseFolder(QWidget* owner, const std::string& title) {
    const QString folder = QFileDialog::getExistingDirectory(owner, QString::fromStdString(title), QString(),
                                                             QFileDialog::ShowDirsOnly);
    return withTrailingSeparator(folder.toStdString());
}
