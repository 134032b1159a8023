#pragma once

#include <QImage>
#include <QString>

// The pictures a new data folder starts with, drawn in code so that no binary file ships with the
// program: the company logo (logo.bmp), the picture of the stock document window (larderon.jpg) and
// the product picture fall-back (picture/temp.jpg). seed varies the demo product pictures.
QImage DefaultLogo();
QImage DefaultWindowPicture();
QImage ProductPicture(int seed);

// True when the picture file at path is whole: it loads, and it is not cut short (a BMP is as long
// as its header says, a JPEG ends with its end-of-image marker). Qt loads a cut-off picture
// without complaint, so loading alone proves nothing.
bool PictureFileIsWhole(const QString &path);

// The picture encoded as a file of the given format ("BMP", "JPG"); empty when it cannot be.
QByteArray EncodePicture(const QImage &image, const char *format);
