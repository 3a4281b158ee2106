#pragma once
// Where an annotated picture puts the graph and the labels the main window
// shows around it: the window's own layout rule, for a window whose graph has
// the picture's size. Lengths are logical pixels.

#include "models/MainWindowLayout.h"

#include <array>

struct AnnotationLayout {
    int width = 0; // the whole picture, from the window's top-left corner
    int height = 0;
    PixelRect graph;                      // graphView
    std::array<PixelRect, 5> scaleLabels; // scaleLabels(0..4), top to bottom
    std::array<PixelRect, 3> valueLabels; // valueLabels(0..2): Max, Now, Min
    PixelRect pointsPerView;              // pointsPerViewLabel: its text starts at the top-left
    PixelRect status;                     // statusLabel, the status line
};

// The layout around a graph of graphWidth x graphHeight pixels on a screen
// of `dotsPerInch`: the window's client area, widened where the graph or a
// label would reach beyond it, so that nothing of either is cut off.
AnnotationLayout annotationLayout(int graphWidth, int graphHeight, double dotsPerInch = 96);
