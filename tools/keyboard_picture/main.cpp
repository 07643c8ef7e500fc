// Draws the keyboard picture from the key list and the layout, so that the key
// caps always lie where the layout places the keys. Run it after changing either:
//   tapsody_keyboard_picture data/tastenmemo.txt data/belegmemo.txt data/bildmemo.bmp

#include "bitmap8_writer.h"
#include "keyboard_painter.h"

#include "datastore/binary_data.h"
#include "layout/key_list.h"
#include "layout/layout_reader.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdlib>
#include <exception>
#include <iostream>

namespace {

// The size of the stored picture, which is also the keyboard window's size.
constexpr QSize kPictureSize(889, 238);

std::vector<std::string> TextLines(const char* fileName)
{
    TBinaryData text("text");
    text.LoadFromFile(fileName);
    return text.Lines();
}

QVector<QRgb> GreyPalette()
{
    QVector<QRgb> palette;
    for (int level = 0; level < 256; ++level) {
        palette.append(qRgb(level, level, level));
    }
    return palette;
}

void WriteFile(const char* fileName, const QByteArray& bytes)
{
    QFile file(QString::fromLocal8Bit(fileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write " + std::string(fileName) + ": " + file.errorString().toStdString());
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::cerr << "usage: tapsody_keyboard_picture KEY_LIST LAYOUT PICTURE.bmp\n";
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    try {
        KeyTable table;
        BuildKeyList(table, TextLines(argv[1]));
        LoadLayoutLines(table, TextLines(argv[2]));
        const QImage picture = PaintKeyboard(table, kPictureSize);
        // Without dithering every grey meets its own palette entry.
        const QImage indexed = picture.convertToFormat(QImage::Format_Indexed8, GreyPalette(), Qt::ThresholdDither);
        WriteFile(argv[3], EncodeBitmap8(indexed));
    } catch (const std::exception& error) {
        std::cerr << "tapsody_keyboard_picture: " << error.what() << '\n';
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
