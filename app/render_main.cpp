// trendola-render: replays a data file the way the RePlay button does,
// without any window, and writes the chart as pictures.

#include "app/RenderJob.h"
#include "app/RenderOptions.h"

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

void reportError(const std::string& message) {
    std::fprintf(stderr, "trendola-render: %s\n", message.c_str());
}

} // namespace

int main(int argc, char** argv) {
    const RenderOptionsResult parsed = parseRenderOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.options) {
        reportError(parsed.error + " (try --help)");
        return 2;
    }
    if (parsed.options->help) {
        std::fputs(renderUsage().c_str(), stdout);
        return 0;
    }

    // No window: Qt draws offscreen (text needs a gui application for its fonts).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQtMessages);
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);

    const RenderResult result = runRenderJob(*parsed.options, reportError);
    if (result.summary)
        std::fputs(formatSummary(*result.summary).c_str(), stdout);
    return result.status;
}
