#pragma once

#include <QImage>
#include <QString>

// The pictures a new data folder starts with, drawn in code so that no binary file ships with the
// program: the company logo (logo.bmp), the picture of the stock document window (larderon.jpg) and
// the product picture fall-back (picture/temp.jpg). seed varies the demo product pictures.
QImage DefaultLogo();
QImage DefaultWindowPicture();
QImage ProductPicture(int seed);
