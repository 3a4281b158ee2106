#pragma once
// A drawing surface that records what it is asked to draw, modelling the
// scale modes as the raster surface does.

#include "chart/DrawingSurface.h"

#include <string>
#include <utility>
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
};

class RecordingSurface : public DrawingSurface {
public:
    int heightPixels = 145;
    int reportedPixelWidth = 0; // 0: every segment is drawn
    bool failSaves = false;

    double scaleHeightNow = 0;
    ScaleMode mode = ScaleMode::Twips;
    int clears = 0, hides = 0, shows = 0;
    std::vector<RecordedLine> lines;
    std::vector<RecordedText> texts;
    std::vector<std::string> saved;
    std::vector<std::vector<RecordedLine>> savedPictures; // the lines on the surface at each save

    void setScaleWidth(double) override { mode = ScaleMode::User; }
    void setScaleHeight(double height) override {
        mode = ScaleMode::User;
        scaleHeightNow = height;
    }
    double scaleHeight() const override { return scaleHeightNow; }
    void setScaleMode(ScaleMode newMode) override {
        mode = newMode;
        if (mode == ScaleMode::Twips)
            scaleHeightNow = heightPixels * 15.0;
        else if (mode == ScaleMode::Millimetres)
            scaleHeightNow = heightPixels * 25.4 / 96;
    }
    void clear() override {
        ++clears;
        lines.clear();
        texts.clear();
    }
    void setDrawWidth(int) override {}
    void setDrawStyleSolid() override {}
    void drawLine(double x1, double y1, double x2, double y2, Colour colour) override {
        lines.push_back({x1, y1, x2, y2, colour});
    }
    void setCurrentPosition(double x, double y) override { position = {x, y}; }
    void printText(std::string_view utf8, Colour, double) override {
        texts.push_back({std::string(utf8), position.first, position.second, mode});
    }
    void setPersistent(bool) override {}
    Result<> saveImage(const std::string& path, ImageFormat) override {
        if (failSaves)
            return Error(13, "Permission denied");
        saved.push_back(path);
        savedPictures.push_back(lines);
        return {};
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
    std::pair<double, double> position;
};
