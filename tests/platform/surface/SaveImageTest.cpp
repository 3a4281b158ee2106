#include "platform/surface/RasterSurface.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

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
    const struct {
        ImageFormat format;
        const char* name;
        const char* signature;
    } cases[] = {
        {ImageFormat::Bmp, "chart.bmp", "BM"},
        {ImageFormat::Bmp, "chart", "BM"}, // the format, not the name, decides
        {ImageFormat::Png, "chart.png", "\x89PNG"},
    };
    QTemporaryDir folder;
    RasterSurface surface(123, 45);
    surface.setScaleWidth(100);
    int row = 0;
    for (const Colour colour : {kYellow, kBlue, kDarkGreen, Colour{0x123456}}) {
        surface.drawLine(0, 10 * row, 99, 5 * row + 3, colour);
        ++row;
    }
    for (const auto& c : cases) {
        const QString path = folder.filePath(c.name);
        ASSERT_TRUE(surface.saveImage(path.toStdString(), c.format)) << c.name;
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
    QTemporaryDir folder;
    QDir(folder.path()).mkdir("taken.bmp");
    QFile old(folder.filePath("old.bmp"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    old.setPermissions(QFile::ReadOwner);
    const QStringList before = entries(folder.path());
    const std::pair<const char*, int> cases[] = {
        {"missing/chart.bmp", ENOENT}, {"taken.bmp", EISDIR}, {"old.bmp", EACCES}};
    for (const auto& [name, expected] : cases) {
        if (expected == EACCES && ::geteuid() == 0)
            continue; // permissions do not stop the superuser
        RasterSurface surface(20, 10);
        const auto saved = surface.saveImage(folder.filePath(name).toStdString(), ImageFormat::Bmp);
        ASSERT_FALSE(saved) << name;
        EXPECT_EQ(saved.error().number, expected) << name;
        EXPECT_EQ(saved.error().description, std::strerror(expected)) << name;
    }
    EXPECT_EQ(entries(folder.path()), before) << "nothing written, no temporary left";
    EXPECT_EQ(fileBytes(folder.filePath("old.bmp")), "old");
}
