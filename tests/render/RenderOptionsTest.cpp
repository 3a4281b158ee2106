#include "render/RenderOptions.h"

#include "models/DialogApply.h"
#include "render/RenderSummary.h"
#include "support/FakeApplyTarget.h"
#include "support/FakeMonitorView.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sstream>
#include <tuple>

namespace {

// The arguments of a command line whose words hold no blanks.
Result<RenderOptions> parse(const std::string& commandLine) {
    std::istringstream words(commandLine);
    std::vector<std::string> arguments;
    for (std::string word; words >> word;)
        arguments.push_back(word);
    return parseRenderOptions(arguments);
}

TEST(RenderOptions, ReadsEveryOption) {
    const auto result =
        parse("-o /out --column 3 --delimiter tab --skip-repeated --points 20 --page-size 7 "
              "--max 1.5e2 --min -3 --fixed-scale --fit --threshold 0 --no-grid --no-threshold "
              "--composite --color 赤 --sweeps --size 800x200 --format png "
              "--encoding Shift_JIS data.csv");
    ASSERT_TRUE(result) << result.error().message;
    const RenderOptions& o = *result;
    const MonitorSettings& s = o.settings;
    EXPECT_EQ(std::tie(o.outDir, o.dataFile(), s.delimiterName, o.seriesColour, o.encoding),
              std::tuple("/out", "data.csv", "タブ", "赤", "Shift_JIS"));
    EXPECT_EQ(std::tuple(s.column, s.pointsPerView, s.pageSize, s.scaleTop, s.scaleBottom, s.thresholdPercent,
                         o.width, o.height),
              std::tuple(3, 20, 7, 150, -3, 0, 800, 200));
    EXPECT_TRUE(s.skipDelimiterRuns && !s.autoScale && s.fitScale && o.hideGrid && o.hideThreshold &&
                o.composite && s.saveSweepImages);
    EXPECT_FALSE(o.pageMode);
    EXPECT_EQ(o.format, ImageFormat::Png);

    const auto follow = parse("-o /out --follow --interval 50 --every 3 --for 2.5 --count 9 --annotate "
                              "--scale 1.5 --format svg data.csv");
    ASSERT_TRUE(follow) << follow.error().message;
    const RenderOptions& f = *follow;
    EXPECT_TRUE(f.follow && f.annotate);
    EXPECT_FALSE(f.settings.fitScale) << "only when asked for";
    EXPECT_EQ(std::tuple(f.settings.pollInterval, f.every, f.forSeconds, f.count, f.scale, f.format),
              std::tuple(50, 3, std::optional(2.5), std::optional<std::int64_t>(9), 1.5, ImageFormat::Svg));
    // The sweep pictures go where the final one goes, named alike.
    const MonitorSettings applied = renderSettings(f);
    EXPECT_EQ(
        std::tie(applied.pollInterval, applied.sweepFolder, applied.sweepImageName, applied.sweepImageFormat),
        std::tuple(50, "/out", std::optional<std::string>("data"), ImageFormat::Svg));

    const auto last = parse("-o a --out=b --page 2 --column 4 --column=5 -- -data.csv");
    ASSERT_TRUE(last) << last.error().message;
    EXPECT_EQ(last->outDir, "b") << "the last one wins";
    EXPECT_EQ(last->settings.column, 5);
    EXPECT_TRUE(last->pageMode) << "--page implies page mode";
    EXPECT_EQ(last->dataFile(), "-data.csv");

    const auto match = parse("-o d --follow --match time=([0-9.]+)ms -");
    ASSERT_TRUE(match) << match.error().message;
    EXPECT_EQ(match->settings.pattern, "time=([0-9.]+)ms");
    EXPECT_TRUE(readsStandardInput(*match)) << "- is standard input";
}

// Colours by their English names or as the window lists them; the picture
// takes the window's name.
TEST(RenderOptions, NameColoursInEnglishOrAsTheWindowDoes) {
    for (const auto& [given, shown] : {std::pair{"yellow", "黄"},
                                       {"white", "白"},
                                       {"blue", "青"},
                                       {"red", "赤"},
                                       {"cyan", "水"},
                                       {"水", "水"},
                                       {"黄", "黄"}}) {
        const auto result = parse(std::string("-o d --color ") + given + " f");
        ASSERT_TRUE(result) << given << ": " << result.error().message;
        EXPECT_EQ(result->seriesColour, shown) << given;
    }
}

// --help and --version answer alone: no output folder or data file needed.
TEST(RenderOptions, HelpAndVersionNeedNothingElse) {
    const auto version = parse("--version");
    ASSERT_TRUE(version) << version.error().message;
    EXPECT_TRUE(version->version && !version->help);
    const auto help = parse("--help");
    ASSERT_TRUE(help) << help.error().message;
    EXPECT_TRUE(help->help && !help->version);
}

TEST(RenderOptions, RefusesWhatItCannotUse) {
    for (const char* commandLine :
         {"-o d", "f", "-o d f g", "-o d --bogus f", "-o d f --column", "-o d --column 0 f",
          "-o d --column 1001 f", "-o d --column 2.5 f", "-o d --points 0 f", "-o d --page 0 f",
          "-o d --threshold 101 f", "-o d --max abc f", "-o d --min 1E400 f", "-o d --color 緑 f",
          "-o d --color Red f", "-o d --color green f", "-o d --size 0x5 f", "-o d --size 100 f",
          "-o d --format gif f", "-o d --delimiter pipe f",
          // Options of the other way of running, which would be ignored.
          "-o d --follow --sweeps f", "-o d --follow --page 2 f", "-o d --count 5 f", "-o d --interval 5 f",
          "-o d --follow --for 0 f", "-o d --follow --interval 0 f", "-o d --follow --every 0 f",
          "-o d --scale 0 f", "-o d --scale 9 f", "-o d --size 20000x20000 --scale 2 f",
          // A pattern PCRE2 refuses, or none; standard input has no pages to choose.
          "-o d --match ( f", "-o d --match=a{2,1} f", "-o d --match= f", "-o d --page-mode -",
          "-o d --page 2 -", "-o d --sweeps -"}) {
        const auto result = parse(commandLine);
        EXPECT_TRUE(!result && !result.error().message.empty()) << commandLine;
    }
}

// The window and the renderer take their settings through one path: the same
// choices made in the dialog and given as options leave the same state.
TEST(RenderOptions, ApplyAsTheSameChoicesInTheDialogDo) {
    using enum DialogControl;
    TempDir dir;
    const std::string data = dir.write("run.1.csv", "1;2\n3;4\n");
    const auto options = parse("-o " + dir.path() +
                               " --column 2 --delimiter semicolon --points 40 "
                               "--page-size 7 --max 5 --min -5 --fixed-scale --threshold 30 --sweeps " +
                               data);
    ASSERT_TRUE(options) << options.error().message;
    Monitor rendered;
    FakeMonitorView view;
    auto prepared = prepareSettings(renderSettings(*options), std::nullopt);
    ASSERT_TRUE(prepared);
    ASSERT_EQ(applyMonitorSettings(rendered, std::move(*prepared), view, nullptr), ApplyOutcome::Applied);

    Monitor shown;
    DialogModel dialog(shown);
    FakeApplyTarget target;
    dialog.setText(dataFileEdit, data);
    dialog.selectDelimiter("セミコロン");
    dialog.setSpinValue(2);
    for (auto [field, text] :
         {std::pair{pointsPerViewEdit, "40"}, {pageSizeEdit, "7"}, {thresholdEdit, "30"}})
        dialog.setText(field, text);
    dialog.setChecked(autoScaleCheck, false);
    dialog.setText(scaleTopEdit, "5");
    dialog.setText(scaleBottomEdit, "-5");
    dialog.setChecked(saveSweepImagesCheck, true);
    dialog.setText(sweepFolderEdit, dir.path());
    ASSERT_EQ(applyDialog(dialog, view, target), ApplyOutcome::Applied);

    const auto settingsOf = [](const Monitor& m) {
        const MonitorSettings& s = m.settings();
        return std::make_tuple(s.dataFile, s.delimiterName, s.column, s.pointsPerView,
                               m.samples().pointsPerView(), s.pageSize, m.dataFileLineCount(), s.scaleTop,
                               s.scaleBottom, m.scale().top(), m.scale().bottom(), s.autoScale,
                               s.thresholdPercent, s.saveSweepImages, s.sweepFolder, m.sweepImageName(),
                               m.samples().size(), m.samples().newestSlot(), m.scale().rescalePending(),
                               m.scale().rowValues(), s.pollInterval);
    };
    EXPECT_EQ(settingsOf(rendered), settingsOf(shown));
}

TEST(RenderSummary, EscapesWhatATerminalWouldActOn) {
    using namespace std::string_literals;
    const std::tuple<std::string, std::string, std::string> cases[] = {
        // text, in the summary, on standard error
        {"a\\b", "a\\\\b", "a\\b"},
        {"1\r\n2\r3\n4", "1\\n2\\n3\\n4", "1\n2\n3\n4"},
        {"x\0y"s, "x\\x00y", "x\\x00y"},
        {"\x1B[2J\a\x7F\t", "\\x1B[2J\\x07\\x7F\t", "\\x1B[2J\\x07\\x7F\t"},
        {"\xC2\x9B"
         "31m \xC2\xA0表",
         "\\u009B31m \xC2\xA0表", "\\u009B31m \xC2\xA0表"},
    };
    for (const auto& [text, summary, terminal] : cases) {
        EXPECT_EQ(escapeSummaryText(text), summary);
        EXPECT_EQ(terminalSafeText(text), terminal);
    }
}

} // namespace
