#include "output.h"

#include <QBuffer>
#include <QFile>

namespace orv::pictures {

bool WriteIfChanged(const QString& path, const QByteArray& contents) {
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == contents) {
        return true;
    }
    existing.close();
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(contents) == contents.size() && file.flush();
}

QByteArray PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray PictureSource(const std::vector<NamedPicture>& pictures) {
    QByteArray out;
    out += "// Made by orv_picturetool from the render engine's pictures; not to be edited.\n";
    out += "#include \"picture_data.h\"\n\nnamespace orv {\n\nnamespace {\n";
    for (std::size_t k = 0; k < pictures.size(); ++k) {
        const QImage rgb = pictures[k].image.convertToFormat(QImage::Format_RGB888);
        out += "\nconst unsigned char picture" + QByteArray::number(qulonglong(k)) + "[] = {";
        int column = 0;
        for (int y = 0; y < rgb.height(); ++y) {
            const auto* line = rgb.constScanLine(y);
            for (int i = 0; i < rgb.width() * 3; ++i) {
                out += (column++ % 24 == 0) ? "\n" : "";
                out += QByteArray::number(line[i]) + ',';
            }
        }
        out += "\n};\n";
    }
    out += "\n} // namespace\n\nconst PictureData kPictures[] = {\n";
    for (std::size_t k = 0; k < pictures.size(); ++k) {
        const QImage& image = pictures[k].image;
        out += "    {\"" + QByteArray::fromStdString(pictures[k].name) + "\", " +
               QByteArray::number(image.width()) + ", " + QByteArray::number(image.height()) +
               ", picture" + QByteArray::number(qulonglong(k)) + "},\n";
    }
    out += "};\n\nconst std::size_t kPictureCount = " +
           QByteArray::number(qulonglong(pictures.size())) + ";\n\n} // namespace orv\n";
    return out;
}

} // namespace orv::pictures
