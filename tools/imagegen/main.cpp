#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <cstdio>

#include "ImageGenerator.h"

using tavelo::ImageGenerator;

namespace {

bool save(const QImage& image, const QString& path, const char* format) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImageWriter writer(path, format);
    if (!writer.write(image)) {
        std::fprintf(stderr, "tavelo_imagegen: %s: %s\n", qUtf8Printable(path),
                     qUtf8Printable(writer.errorString()));
        return false;
    }
    std::printf("%s\n", qUtf8Printable(path));
    return true;
}

// Nearest-neighbour enlargement on a checkerboard, to look at single pixels.
QImage enlarged(const QImage& image, int factor) {
    QImage board(image.size() * factor, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&board);
    for (int y = 0; y < board.height(); y += 8)
        for (int x = 0; x < board.width(); x += 8)
            p.fillRect(x, y, 8, 8, ((x + y) / 8) % 2 ? QColor(0xCC, 0xCC, 0xCC) : Qt::white);
    p.drawImage(board.rect(), image.scaled(image.size() * factor));
    return board;
}

}  // namespace

// Usage: tavelo_imagegen SOURCE-ROOT [PREVIEW-FOLDER]
int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tavelo_imagegen SOURCE-ROOT [PREVIEW-FOLDER]\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QString preview = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    bool ok = true;

    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QImage icon = ImageGenerator::applicationIcon(size);
        const QString name = QStringLiteral("%1x%1/apps/tavelo.png").arg(size);
        ok = save(icon, root.filePath(QStringLiteral("icons/hicolor/") + name), "png") && ok;
        if (!preview.isEmpty()) {
            ok = save(enlarged(icon, std::max(1, 256 / size)),
                      QDir(preview).filePath(QStringLiteral("icon-%1.png").arg(size)), "png") &&
                 ok;
        }
    }

    struct Pointer {
        const char* file;
        bool left;
        bool big;
    };
    for (const Pointer& pointer : {Pointer{"arrow_normal_left_p.ico", true, true},
                                   Pointer{"arrow_normal_left_b.ico", true, false},
                                   Pointer{"arrow_normal_right_b.ico", false, false},
                                   Pointer{"arrow_normal_right_p.ico", false, true}}) {
        const QImage image = ImageGenerator::pointer(pointer.left, pointer.big);
        const QString file = QString::fromLatin1(pointer.file);
        ok = save(image, root.filePath(QStringLiteral("cursors/") + file), "ico") && ok;
        if (!preview.isEmpty()) {
            ok = save(enlarged(image, 8),
                      QDir(preview).filePath(file.chopped(4) + QStringLiteral(".png")), "png") &&
                 ok;
        }
    }
    return ok ? 0 : 1;
}
