// Writing the pictures: PNG files for installing and looking at, and a C++
// source that puts them into the program.
#pragma once

#include <QImage>
#include <QString>

#include <string>
#include <vector>

namespace orv::pictures {

// A picture under its resource name.
struct NamedPicture {
    std::string name;
    QImage image;
};

// Writes the file only when its contents differ from what is there, so that
// an unchanged picture does not make the program rebuild. Returns false on a
// write failure.
bool WriteIfChanged(const QString& path, const QByteArray& contents);

// The image as PNG bytes.
QByteArray PngBytes(const QImage& image);

// A C++ source defining kPictures and kPictureCount (resources/pictures/src/
// picture_data.h) with every picture as red, green and blue bytes, row by
// row from the top.
QByteArray PictureSource(const std::vector<NamedPicture>& pictures);

} // namespace orv::pictures
