#pragma once
// The program's one file chooser, in an open and a save style, for the
// data file and for the image and preview commands.

#include <QStringList>

#include <functional>
#include <string>
#include <string_view>

class QFileDialog;
class QWidget;

// The chooser as its callers hold it, so that tests can put a fake in its place.
using FileDialogFunction = std::function<std::string(QWidget* owner, std::string_view strFilter,
                                                     const std::string& strInitDir, bool blnSave)>;

inline constexpr std::string_view kSaveDialogTitle = "ﾌｧｲﾙに保存";

// Shows the chooser modally over `owner` and returns the chosen file's full
// path, or empty when the user cancelled. `strFilter` holds pairs of a
// description and a pattern, each item ended by NUL (the first pair is
// selected). `strInitDir` empty starts in the default folder.
// Open style: only an existing file in an existing folder can be chosen.
// Save style (titled "ﾌｧｲﾙに保存"): any name; an existing file needs the
// user's consent to be replaced, a missing one to be created, and declining
// goes back to the chooser.
std::string chooseFile(QWidget* owner, std::string_view strFilter, const std::string& strInitDir,
                           bool blnSave);

// A chosen file with the filter pair that was selected when it was chosen
// (0 for the first pair), for callers whose pairs mean different formats.
struct FileChoice {
    std::string path; // empty when the user cancelled
    int filterIndex = 0;
};
using FileChoiceFunction = std::function<FileChoice(QWidget* owner, std::string_view strFilter,
                                                    const std::string& strInitDir, bool blnSave)>;

// chooseFile, also telling which filter pair was selected.
FileChoice ShowFileChoice(QWidget* owner, std::string_view strFilter, const std::string& strInitDir,
                          bool blnSave);

// Qt name filters for the NUL-separated pairs: the description shown as it
// is, the patterns after it. "*.*" becomes "*" so that names without a dot
// are offered too, and ";" between patterns becomes a blank. An unpaired
// last description is ignored.
QStringList fileDialogNameFilters(std::string_view strFilter);

// Sets `dialog` up for the style, filter and folder, as chooseFile shows it.
void prepareFileDialog(QFileDialog& dialog, std::string_view strFilter, const std::string& strInitDir,
                       bool blnSave);

// The place of the selected filter pair in `dialog`'s list, 0 for the first.
int selectedFilterIndex(const QFileDialog& dialog);
