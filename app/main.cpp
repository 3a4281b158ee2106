// trendola [options] [data-file ...]: starts the main window. The data-file
// words are joined into one command-line text for the start-up to place into
// the settings dialog.

#include "base/ProgramVersion.h"
#include "mainwin/ProgramExit.h"
#include "mainwin/Startup.h"
#include "models/CommandLine.h"
#include "text/TextCodec.h"
#include "widgets/Translations.h"

#include <QApplication>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = R"(Usage: trendola [options] [data-file ...]

Draws a running line graph of one numeric field of a text data file.
A data file given here is placed into the settings dialog, which opens.

Options:
  --encoding NAME   the data file's encoding, for example Shift_JIS or EUC-JP
                    (default: the locale's encoding)
  --help            show this help and exit
  --version         show the version and exit
  --                end of options: every later word is a data file
)";

} // namespace

int main(int argc, char* argv[]) {
    const auto arguments = parseProgramArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!arguments) {
        std::cerr << "trendola: " << arguments.error().message << "\nTry 'trendola --help'.\n";
        return 2;
    }
    if (arguments->help) {
        std::cout << kUsage;
        return 0;
    }
    if (arguments->version) {
        std::cout << "trendola " << kProgramVersion << '\n';
        return 0;
    }
    // Checked here, so that a wrong name stops before any window opens.
    auto decoder = makeTextDecoder(arguments->encoding);
    if (!decoder) {
        std::cerr << "trendola: " << decoder.error().message << '\n';
        return 2;
    }

    // Qt gets no argument of ours: every word is a data file (Qt's own
    // settings can still be given through its environment variables).
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    QApplication::setApplicationName(
        QString::fromUtf8(kProgramTitle.data(), static_cast<qsizetype>(kProgramTitle.size())));
    installJapaneseTranslations();

    endProgram(Startup::run(joinCommandLine(arguments->words), std::move(*decoder)));
}
