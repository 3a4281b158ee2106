#pragma once
// Painting an annotated picture: the graph with the labels the main window
// shows around it, in the window's fonts and colours.

#include "models/AnnotationLayout.h"
#include "render/RenderSummary.h"

#include <QSize>

#include <functional>

class QPainter;

// How the graph paints itself, in its own pixels from its top-left corner.
using GraphPainter = std::function<void(QPainter&)>;

// The picture's size in pixels at device pixel ratio `ratio`, for a graph of
// graphPixels (pixels at that ratio) and the texts of `labels`.
QSize annotatedPictureSize(const AnnotationLayout& layout, QSize graphPixels, double ratio,
                           const RenderSummary& labels);

// Paints the picture on a device of 96 x `ratio` dots per inch: the window's
// background, the graph at its place, pixel for pixel as `paintGraph` paints
// it, and the scale labels, the Max/Now/Min labels, the points-per-view text
// and the status line. Needs a QGuiApplication for fonts.
void paintAnnotatedPicture(QPainter& painter, const AnnotationLayout& layout, double ratio,
                           const RenderSummary& labels, const GraphPainter& paintGraph);
