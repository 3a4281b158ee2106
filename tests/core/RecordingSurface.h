#pragma once
// A drawing surface that records what it is asked to draw, modelling the
// scale modes as the raster surface does.

#include "FakeMonitorView.h"
#include "core/DrawingSurface.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

struct RecordedLine {
    double x1, y1, x2, y2;
    Colour colour;
    bool operator==(const RecordedLine&) const = default;
};

struct RecordedText {
    std::string text;
    double x, y;
    ScaleMode mode;
    Colour colour;
    double size;
};

class RecordingSurface : public DrawingSurface {
public:
    int widthPixels = 577;
    int heightPixels = 145;
    int reportedPixelWidth = 0; // 0: every segment is drawn
    bool failSaves = false;

    double scaleWidthNow = 0, scaleHeightNow = 0;
    ScaleMode mode = ScaleMode::Twips;
    int clears = 0, hides = 0, shows = 0;
    bool persistent = false;
    std::vector<RecordedLine> lines;
    std::vector<RecordedText> texts;
    std::vector<std::string> saved;
    std::vector<std::vector<RecordedLine>> savedPictures; // the lines on the surface at each save
    std::vector<std::string> calls;                       // the order of operations, by name

    void setScaleWidth(double width) override {
        mode = ScaleMode::User;
        scaleWidthNow = width;
        calls.push_back("scaleWidth");
    }
    void setScaleHeight(double height) override {
        mode = ScaleMode::User;
        scaleHeightNow = height;
        calls.push_back("scaleHeight");
    }
    double scaleHeight() const override { return scaleHeightNow; }
    void setScaleMode(ScaleMode newMode) override {
        mode = newMode;
        if (mode == ScaleMode::Twips) {
            scaleWidthNow = widthPixels * 15.0;
            scaleHeightNow = heightPixels * 15.0;
        } else if (mode == ScaleMode::Millimetres) {
            scaleWidthNow = widthPixels * 25.4 / 96;
            scaleHeightNow = heightPixels * 25.4 / 96;
        }
        calls.push_back("scaleMode");
    }
    void clear() override {
        ++clears;
        lines.clear();
        texts.clear();
        calls.push_back("clear");
    }
    void setDrawWidth(int) override { calls.push_back("drawWidth"); }
    void setDrawStyleSolid() override { calls.push_back("drawStyle"); }
    void drawLine(double x1, double y1, double x2, double y2, Colour colour) override {
        lines.push_back({x1, y1, x2, y2, colour});
    }
    void setCurrentPosition(double x, double y) override {
        currentX = x;
        currentY = y;
    }
    void printText(std::string_view utf8, Colour colour, double pointSize) override {
        texts.push_back({std::string(utf8), currentX, currentY, mode, colour, pointSize});
        calls.push_back("print");
    }
    void setPersistent(bool on) override { persistent = on; }
    bool saveImage(const std::string& path, ImageFormat, CoreError& error) override {
        if (failSaves) {
            error = CoreError{13, "Permission denied"};
            return false;
        }
        saved.push_back(path);
        savedPictures.push_back(lines);
        calls.push_back("save");
        return true;
    }
    void hideAndDisable() override { ++hides; }
    void showAndEnable() override { ++shows; }
    int pixelWidth() const override { return reportedPixelWidth; }

    std::vector<RecordedLine> linesOf(Colour colour) const {
        std::vector<RecordedLine> result;
        for (const auto& line : lines)
            if (line.colour == colour)
                result.push_back(line);
        return result;
    }

private:
    double currentX = 0, currentY = 0;
};
