#include "widgets/FileDrops.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <utility>

std::vector<std::string> droppedFiles(const QMimeData& data) {
    std::vector<std::string> files;
    if (!data.hasUrls())
        return files;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            files.push_back(url.toLocalFile().toStdString());
    return files;
}

FileDropFilter::FileDropFilter(QWidget* target, std::function<void(const QMimeData&)> onDrop)
    : QObject(target), m_onDrop(std::move(onDrop)) {
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool FileDropFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        std::vector<std::string> files;
        if (drag->mimeData())
            files = droppedFiles(*drag->mimeData());
        if (files.empty()) {
            drag->ignore();
        } else {
            drag->acceptProposedAction();
            m_enteredFiles = std::move(files);
        }
        return true;
    }
    case QEvent::DragLeave:
        m_enteredFiles.clear();
        return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        drop->acceptProposedAction();
        const std::vector<std::string> entered = std::exchange(m_enteredFiles, {});
        if (drop->mimeData() && !droppedFiles(*drop->mimeData()).empty()) {
            m_onDrop(*drop->mimeData());
        } else if (!entered.empty()) {
            QMimeData files;
            QList<QUrl> urls;
            for (const std::string& path : entered)
                urls << QUrl::fromLocalFile(QString::fromStdString(path));
            files.setUrls(urls);
            m_onDrop(files);
        }
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
