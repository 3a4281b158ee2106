#pragma once
// Files dropped from the desktop or a file manager onto a window.

#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QMimeData;
class QWidget;

// The local files and folders a drop carries, in the drop's order; nothing
// for a drop of text or of remote addresses.
std::vector<std::string> droppedFiles(const QMimeData& data);

// Lets `target` take drops of files and hands each drop's data to `onDrop`.
// Owned by the target; a drag without files is refused. Some X11 drag
// sources no longer give their data when the drop arrives, though they did
// while the drag entered: such a drop hands over the files seen then.
class FileDropFilter : public QObject {
public:
    FileDropFilter(QWidget* target, std::function<void(const QMimeData&)> onDrop);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QMimeData&)> m_onDrop;
    std::vector<std::string> m_enteredFiles;
};
