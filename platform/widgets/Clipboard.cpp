#include "widgets/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

Result<> copyImageToClipboard(const QImage& picture) {
    QClipboard* clipboard = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
                                ? QGuiApplication::clipboard()
                                : nullptr;
    if (clipboard != nullptr && !picture.isNull()) {
        clipboard->setImage(picture);
        // A clipboard that another program keeps to itself does not hold it now.
        const QMimeData* held = clipboard->mimeData();
        if (held != nullptr && held->hasImage())
            return {};
    }
    return Error(kErrClipboard, "クリップボードが画像を受け取りませんでした。");
}
