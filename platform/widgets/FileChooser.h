#pragma once
// The program's one file chooser, in an open and a save style, for the
// data file and for the image and preview commands.

#include <QStringList>

#include <functional>
#include <string>
#include <string_view>

class QFileDialog;
class QWidget;

inline constexpr std::string_view kSaveDialogTitle = "ﾌｧｲﾙに保存";

// A chosen file with the filter pair that was selected when it was chosen
// (0 for the first pair), for callers whose pairs mean different formats.
struct FileChoice {
    std::string path; // empty when the user cancelled
    int filterIndex = 0;
};

// Shows the chooser modally over `owner` and returns the chosen file's full
// path, or an empty one when the user cancelled. `filter` holds pairs of a
// description and a pattern, each item ended by NUL (the first pair is
// selected). An empty `initialFolder` starts in the default folder.
// Open style: only an existing file in an existing folder can be chosen.
// Save style (titled "ﾌｧｲﾙに保存"): any name; an existing file needs the
// user's consent to be replaced, a missing one to be created, and declining
// goes back to the chooser.
FileChoice chooseFile(QWidget* owner, std::string_view filter, const std::string& initialFolder,
                      bool saveStyle);

// The chooser as its callers hold it, so that tests can put a fake in its place.
using FileChooser = std::function<FileChoice(QWidget* owner, std::string_view filter,
                                             const std::string& initialFolder, bool saveStyle)>;

// Qt name filters for the NUL-separated pairs: the description shown as it
// is, the patterns after it. "*.*" becomes "*" so that names without a dot
// are offered too, and ";" between patterns becomes a blank. An unpaired
// last description is ignored.
QStringList fileDialogNameFilters(std::string_view filter);

// Sets `dialog` up for the style, filter and folder, as chooseFile shows it.
void prepareFileDialog(QFileDialog& dialog, std::string_view filter, const std::string& initialFolder,
                       bool saveStyle);

// The place of the selected filter pair in `dialog`'s list, 0 for the first.
int selectedFilterIndex(const QFileDialog& dialog);
