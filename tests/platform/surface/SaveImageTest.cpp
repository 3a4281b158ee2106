#include "platform/surface/RasterSurface.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include <unistd.h>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

TEST(SaveImage, FilesReloadWithTheSamePixels) {
    struct Case {
        ImageFormat format;
        const char* name;
        const char* signature;
    };
    const Case cases[] = {
        {ImageFormat::Bmp, "chart.bmp", "BM"},
        {ImageFormat::Bmp, "chart", "BM"}, // the format, not the name, decides
        {ImageFormat::Png, "chart.png", "\x89PNG"},
    };
    QTemporaryDir folder;
    RasterSurface surface(123, 45);
    surface.setScaleWidth(100);
    int row = 0;
    for (const Colour colour : {kYellow, kWhite, kBlue, kRed, kCyan, kDarkGreen, Colour{0x123456}}) {
        surface.drawLine(0, 10 * row, 99, 5 * row + 3, colour);
        ++row;
    }
    for (const Case& c : cases) {
        const QString path = folder.filePath(c.name);
        CoreError error;
        ASSERT_TRUE(surface.saveImage(path.toStdString(), c.format, error))
            << c.name << ": " << error.description;
        EXPECT_TRUE(fileBytes(path).startsWith(c.signature)) << c.name;
        EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), surface.image()) << c.name;
    }
    EXPECT_EQ(entries(folder.path()), (QStringList{"chart", "chart.bmp", "chart.png"}))
        << "no temporary left";

    const QByteArray bitmap = fileBytes(folder.filePath("chart.bmp"));
    ASSERT_GE(bitmap.size(), 54);
    EXPECT_EQ(bitmap[28], 24) << "24 bits per pixel";
    EXPECT_EQ(bitmap[29], 0);
}

TEST(SaveImage, FailuresReportErrnoAndWriteNothing) {
    struct Case {
        const char* what;
        std::function<void(const QString& folder)> prepare;
        const char* name;
        int expected;
    };
    const Case cases[] = {
        {"missing folder", [](const QString&) {}, "missing/chart.bmp", ENOENT},
        {"a folder of that name", [](const QString& f) { QDir(f).mkdir("chart.bmp"); }, "chart.bmp", EISDIR},
        {"read-only file",
         [](const QString& f) {
             QFile file(f + "/chart.bmp");
             file.open(QIODevice::WriteOnly);
             file.write("old");
             file.setPermissions(QFile::ReadOwner);
         },
         "chart.bmp", EACCES},
    };
    for (const Case& c : cases) {
        if (c.expected == EACCES && ::geteuid() == 0)
            continue; // permissions do not stop the superuser
        QTemporaryDir folder;
        c.prepare(folder.path());
        const QStringList before = entries(folder.path());
        const QByteArray old = fileBytes(folder.filePath(c.name));
        RasterSurface surface(20, 10);
        CoreError error;
        EXPECT_FALSE(surface.saveImage(folder.filePath(c.name).toStdString(), ImageFormat::Bmp, error))
            << c.what;
        EXPECT_EQ(error.number, c.expected) << c.what;
        EXPECT_EQ(error.description, std::strerror(c.expected)) << c.what;
        EXPECT_EQ(entries(folder.path()), before) << c.what;
        EXPECT_EQ(fileBytes(folder.filePath(c.name)), old) << c.what;
    }
}
