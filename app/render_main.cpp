// trendola-render: replays a data file the way the RePlay button does, or
// follows it the way the New button does, without any window, and writes the
// chart as pictures.

#include "base/ProgramVersion.h"
#include "render/PrivateRuntimeFolder.h"
#include "render/RenderJob.h"
#include "render/RenderOptions.h"
#include "render/StopSignals.h"

#include <QGuiApplication>

#include <cstdio>

namespace {

// Qt's own warnings (about the runtime folder of a session without a
// desktop, say) are not the user's business here; our errors are reported by
// us. TRENDOLA_DEBUG=1 shows them.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg || qEnvironmentVariableIntValue("TRENDOLA_DEBUG") == 1)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// By length: a text from the data file may hold a NUL.
void write(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

void reportError(const std::string& message) {
    write(stderr, "trendola-render: " + terminalSafeText(message) + "\n");
}

} // namespace

int main(int argc, char** argv) {
    const auto parsed = parseRenderOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed) {
        reportError(parsed.error().message + " (try --help)");
        return 2;
    }
    if (parsed->version) {
        write(stdout, "trendola-render " + std::string(kProgramVersion) + "\n");
        return 0;
    }
    if (parsed->help) {
        write(stdout, renderUsage());
        return 0;
    }

    const PrivateRuntimeFolder runtimeFolder;
    SignalStopRequest::removeFolderOnImmediateEnd(runtimeFolder.path());
    SignalStopRequest* stop = SignalStopRequest::install();

    // No window: Qt draws offscreen (text needs a gui application for its fonts).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQtMessages);
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);

    const RenderResult result = runRenderJob(*parsed, reportError, stop);
    if (result.summary)
        write(stdout, formatSummary(*result.summary));
    return result.status;
}
