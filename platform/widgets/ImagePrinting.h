#pragma once
// Printing the graph picture on one A4 landscape page, without a dialog.

#include "base/Result.h"

#include <QPrinter>

#include <memory>

class QImage;

// The system's default printer, at its highest resolution. When the system
// has none, Qt hands out a printer with nowhere to print, which
// printImage() reports.
std::unique_ptr<QPrinter> defaultPrinter();

// Prints `image` on one page of `printer`, set to A4 landscape: its top-left
// corner 10 mm from the left of the printable area and flush with its top,
// at its own size (its pixels at `imageDpi` dots per inch), nothing added.
// An error when the printer has nowhere to print or fails.
Result<> printImage(QPrinter& printer, const QImage& image, double imageDpi);
