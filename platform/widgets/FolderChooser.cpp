#include "widgets/FolderChooser.h"

#include "models/DataFileAids.h"

#include <QFileDialog>

void browseFolder(QWidget* frmOwner, const std::string& strTitle, std::string& strPath) {
    strPath.clear();
    const QString folder = QFileDialog::getExistingDirectory(frmOwner, QString::fromStdString(strTitle),
                                                             QString(), QFileDialog::ShowDirsOnly);
    strPath = withTrailingSeparator(folder.toStdString());
}
